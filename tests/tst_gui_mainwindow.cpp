// The main window driven by its commands and widgets, found by object name.

#include "guitestsupport.h"

#include "app/mainwindow.h"
#include "dock/dockview.h"
#include "model/document.h"
#include "view/displaysettings.h"
#include "view/settingsstore.h"
#include "view/view.h"

#include <QAction>
#include <QDockWidget>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

#include <memory>

namespace {

QAction *action(const MainWindow &window, const char *name)
{
    return window.findChild<QAction *>(QLatin1String(name));
}

QStringList names(const QList<QAction *> &actions)
{
    QStringList list;
    for (const QAction *a : actions)
        list.append(a->isSeparator() ? QStringLiteral("|")
                : a->menu()          ? a->menu()->objectName()
                                     : a->objectName());
    return list;
}

// Runs deferred deletions, so closed tabs are really gone.
void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

const char *const dataActions[] = {"actBase", "actPile", "actSoil", "actAnchor", "actForce"};
const char *const diagramActions[] = {
    "actDisplace", "actMoment", "actShear", "actNormal", "actReact"};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_settingsDir;
    QTemporaryDir m_files;
    std::unique_ptr<MainWindow> m_window;

    MainWindow &window() { return *m_window; }

    // A project file written by the program itself.
    QString makeProject(const QString &name)
    {
        const QString path = m_files.filePath(name);
        View view;
        view.newFile();
        if (!view.saveFile(path))
            return QString();
        return view.filePath();
    }

    QTabWidget *tabs() { return window().tabWidget(); }

private slots:
    void initTestCase()
    {
        Q_INIT_RESOURCE(res);
        QVERIFY(m_settingsDir.isValid());
        QVERIFY(m_files.isValid());
        useTemporarySettings(m_settingsDir);
    }

    void init()
    {
        openSettings().clear();
        displayFontSize = 40;
        displayOffset = 2;
        m_window = std::make_unique<MainWindow>();
        m_window->resize(1000, 700);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        flushDeletes();
    }

    void firstStartGivesAUsableWindowOnTheScreen()
    {
        // init() resized its window; a fresh one reads the empty settings.
        MainWindow fresh;
        const QRect available = fresh.screen()->availableGeometry();
        QVERIFY(available.contains(fresh.geometry()));
        QCOMPARE(fresh.width(), std::min(std::max(1180, available.width() / 3), available.width()));
        QCOMPARE(fresh.height(), std::min(std::max(854, available.height() / 2), available.height()));
    }

    void windowIsBuiltWithItsParts()
    {
        MainWindow &w = window();
        QCOMPARE(w.objectName(), QStringLiteral("MainWindow"));
        QCOMPARE(w.windowTitle(), QStringLiteral("澄川抗滑桩V1.1"));
        QCOMPARE(w.iconSize(), QSize(32, 32));
        QCOMPARE(w.toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QVERIFY(w.acceptDrops());
        QCOMPARE(w.statusBar()->currentMessage(),
            QStringLiteral("欢迎使用澄川抗滑桩软件, 请点击\"新建\"开始使用"));

        QVERIFY(tabs()->tabsClosable());
        QVERIFY(tabs()->isMovable());
        QCOMPARE(tabs()->objectName(), QStringLiteral("tabWidget"));
        QCOMPARE(tabs()->count(), 1);
        QCOMPARE(tabs()->tabText(0), QStringLiteral("起始页"));
        QVERIFY(!w.currentView());

        auto *dock = w.findChild<QDockWidget *>(QStringLiteral("dockWidgetResult"));
        QVERIFY(dock);
        QCOMPARE(dock->windowTitle(), QStringLiteral("数据一览表"));
        QCOMPARE(w.dockWidgetArea(dock), Qt::LeftDockWidgetArea);
        QCOMPARE(dock->widget(), w.dockView());

        QCOMPARE(w.statusLabel()->objectName(), QStringLiteral("statusLabel"));
        QVERIFY(w.statusLabel()->minimumWidth() >= 230);
        QCOMPARE(w.findChild<QSpinBox *>(QStringLiteral("spinFontSize"))->value(), 40);
        QCOMPARE(w.findChild<QSpinBox *>(QStringLiteral("spinOffset"))->value(), 2);
    }

    void actionsHaveTheirTextsIconsAndShortcuts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("statusTip");
        QTest::addColumn<bool>("icon");
        QTest::addColumn<QString>("shortcut");
        QTest::addColumn<bool>("checkable");
        const auto row = [](const char *name, const char *text, const char *tip, const char *status,
                             bool icon, const char *shortcut, bool checkable) {
            QTest::newRow(name) << QString::fromUtf8(text) << QString::fromUtf8(tip)
                                << QString::fromUtf8(status) << icon << QString::fromUtf8(shortcut)
                                << checkable;
        };
        row("actNew", "新建", "新建文件", "新建文件", true, "Ctrl+N", false);
        row("actOpen", "打开", "打开文件", "打开文件", true, "Ctrl+O", false);
        row("actSave", "保存", "保存文件", "保存文件", true, "Ctrl+S", false);
        row("actSaveAs", "另存", "另存文件", "另存文件", false, "", false);
        row("actExit", "退出", "退出应用程序", "退出应用程序", false, "Ctrl+Q", false);
        row("actBase", "基础信息", "输入基础信息", "输入基础信息", true, "", false);
        row("actForce", "附加力", "输入桩身附加作用力", "输入桩身附加作用力", true, "", false);
        row("actAnalyse", "分析", "开始分析", "开始分析", true, "", true);
        row("actDock", "侧边栏", "显示或隐藏侧边栏", "显示或隐藏侧边栏", false, "", false);
        row("actDesklnk", "快捷方式", "添加桌面快捷方式", "添加桌面快捷方式", false, "", false);
        row("actDisplace", "位移", "显示位移", "显示位移", true, "", true);
        row("actMoment", "弯矩", "显示弯矩", "显示弯矩", true, "", true);
        row("actShear", "剪力", "显示剪力", "显示剪力", true, "", true);
        row("actNormal", "轴力", "显示轴力", "显示轴力", true, "", true);
        row("actReact", "反力", "显示反力", "显示反力", true, "", true);
        row("actMark", "标注", "显示所有标注", "显示所有标注", true, "", true);
        row("actAbout", "关于", "关于", "关于", true, "", false);
        row("actSoil", "岩土层", "输入岩土层参数", "输入岩土层参数", true, "", false);
        row("actAnchor", "锚索(杆)", "锚索或锚杆", "修改锚索或锚杆", true, "", false);
        row("actPile", "抗滑桩", "输入桩身参数", "输入桩身参数", true, "", false);
    }

    void actionsHaveTheirTextsIconsAndShortcuts()
    {
        QFETCH(QString, text);
        QFETCH(QString, toolTip);
        QFETCH(QString, statusTip);
        QFETCH(bool, icon);
        QFETCH(QString, shortcut);
        QFETCH(bool, checkable);
        QAction *a = action(window(), QTest::currentDataTag());
        QVERIFY(a);
        QCOMPARE(a->text(), text);
        QCOMPARE(a->toolTip(), toolTip);
        QCOMPARE(a->statusTip(), statusTip);
        QCOMPARE(!a->icon().isNull(), icon);
        if (icon) // the icon is really there, at the tool bar's size
            QVERIFY(!a->icon().pixmap(QSize(32, 32)).isNull());
        QCOMPARE(a->shortcut(), QKeySequence(shortcut));
        QCOMPARE(a->isCheckable(), checkable);
        QCOMPARE(a->menuRole(), QAction::NoRole);
    }

    void menusAndToolBarHoldTheCommandsInOrder()
    {
        const QList<QAction *> bar = window().menuBar()->actions();
        QStringList titles;
        QStringList objects;
        for (QAction *a : bar) {
            titles.append(a->text());
            objects.append(a->menu()->objectName());
        }
        QCOMPARE(titles, QStringList({"文件", "数据", "结果", "查询", "设置"}));
        QCOMPARE(objects, QStringList({"menu", "menu_2", "menu_3", "menu_4", "menu_5"}));
        const auto menuNames = [&](int n) { return names(bar.at(n)->menu()->actions()); };
        QCOMPARE(menuNames(0),
            QStringList({"actNew", "actOpen", "actSave", "actSaveAs", "|", "recentfilesmenu", "|",
                "actExit"}));
        QCOMPARE(window().findChild<QMenu *>(QStringLiteral("recentfilesmenu"))->title(),
            QStringLiteral("最近文件"));
        QCOMPARE(
            menuNames(1), QStringList({"actBase", "actSoil", "actPile", "actAnchor", "actForce"}));
        QCOMPARE(menuNames(2), QStringList({"actAnalyse"}));
        QCOMPARE(menuNames(3),
            QStringList(
                {"actMark", "|", "actDisplace", "actMoment", "actShear", "actNormal", "actReact"}));
        QCOMPARE(menuNames(4), QStringList({"actDock", "actDesklnk", "|", "actAbout"}));

        auto *toolBar = window().findChild<QToolBar *>(QStringLiteral("toolBar"));
        QVERIFY(toolBar);
        QCOMPARE(toolBar->windowTitle(), QStringLiteral("toolBar"));
        QCOMPARE(window().toolBarArea(toolBar), Qt::TopToolBarArea);
        QCOMPARE(names(toolBar->actions()),
            QStringList({"actNew", "actOpen", "actSave", "|", "actBase", "actSoil", "actPile",
                "actAnchor", "actForce", "|", "actMark", "|", "actAnalyse", "|", "actDisplace",
                "actMoment", "actShear", "actNormal", "actReact", "|", "actAbout"}));
    }

    void onlyFileCommandsWorkWithoutAProject()
    {
        for (const char *name : {"actSave", "actSaveAs", "actBase", "actPile", "actSoil",
                 "actAnchor", "actForce", "actAnalyse", "actMark", "actDisplace", "actMoment",
                 "actShear", "actNormal", "actReact"})
            QVERIFY2(!action(window(), name)->isEnabled(), name);
        for (const char *name :
            {"actNew", "actOpen", "actExit", "actDock", "actDesklnk", "actAbout"})
            QVERIFY2(action(window(), name)->isEnabled(), name);
    }

    void inputModeEnablesTheDataCommands()
    {
        window().actNew();
        QVERIFY(window().currentView());
        for (const char *name : dataActions)
            QVERIFY2(action(window(), name)->isEnabled(), name);
        for (const char *name : diagramActions)
            QVERIFY2(!action(window(), name)->isEnabled(), name);
        for (const char *name : {"actSave", "actSaveAs", "actAnalyse", "actMark"})
            QVERIFY2(action(window(), name)->isEnabled(), name);
        QVERIFY(!action(window(), "actAnalyse")->isChecked());
        QVERIFY(!action(window(), "actMark")->isChecked());

        // Back on the start page everything is off again.
        tabs()->setCurrentIndex(0);
        QVERIFY(!action(window(), "actBase")->isEnabled());
        QVERIFY(!action(window(), "actAnalyse")->isEnabled());
    }

    void resultModeEnablesTheDiagrams()
    {
        window().actNew();
        Document *doc = window().currentView()->document();
        doc->status = SHOWRESULT | SHOWMARK | SHOWSHEAR;
        window().updateActions();
        for (const char *name : dataActions)
            QVERIFY2(!action(window(), name)->isEnabled(), name);
        for (const char *name : diagramActions)
            QVERIFY2(action(window(), name)->isEnabled(), name);
        QVERIFY(action(window(), "actAnalyse")->isChecked());
        QVERIFY(action(window(), "actMark")->isChecked());
        QVERIFY(action(window(), "actShear")->isChecked());
        for (const char *name : {"actDisplace", "actMoment", "actNormal", "actReact"})
            QVERIFY2(!action(window(), name)->isChecked(), name);
    }

    void newProjectsGetTabsAndAreFitted()
    {
        const int number = View::untitledCounter;
        action(window(), "actNew")->trigger();
        QCOMPARE(tabs()->count(), 2);
        QCOMPARE(tabs()->currentIndex(), 1);
        const QString name = QStringLiteral("新文件%1.qzp").arg(number);
        QCOMPARE(tabs()->tabText(1), name);
        QCOMPARE(tabs()->tabToolTip(1), name);
        View *view = window().currentView();
        QCOMPARE(view->parentWidget()->parentWidget(), tabs());
        QCOMPARE(view->document()->y0, 80);
        QCOMPARE(view->document()->x0, int(view->width() * 0.4));
        QCOMPARE(view->document()->blc, view->document()->blcfull);
        // Fitted to the tab it lives in, not to a default size.
        QCOMPARE(view->size(), tabs()->currentWidget()->size());
        QVERIFY(view->width() > 300);
        QCOMPARE(window().dockView()->document(), view->document());
    }

    void mouseOverTheDrawingShowsCoordinates()
    {
        window().actNew();
        View *view = window().currentView();
        const Document *doc = view->document();
        QTest::mousePress(view, Qt::MiddleButton, Qt::NoModifier, QPoint(200, 150));
        QMouseEvent move(QEvent::MouseMove, QPointF(210, 170), view->mapToGlobal(QPointF(210, 170)),
            Qt::NoButton, Qt::MiddleButton, Qt::NoModifier);
        QApplication::sendEvent(view, &move);
        QTest::mouseRelease(view, Qt::MiddleButton, Qt::NoModifier, QPoint(210, 170));
        const double x = (210 - doc->x0 + 10) / doc->blc; // before the pan of 10 px
        const double y = (doc->y0 - 20 - 170) / doc->blc;
        QCOMPARE(window().statusLabel()->text(),
            QStringLiteral("坐标: X=%1 , Y=%2").arg(x, 0, 'f', 2).arg(y, 0, 'f', 2));
    }

    void displaySpinBoxesSetTheDisplaySettings()
    {
        window().findChild<QSpinBox *>(QStringLiteral("spinFontSize"))->setValue(64);
        QCOMPARE(displayFontSize, 64);
        window().findChild<QSpinBox *>(QStringLiteral("spinOffset"))->setValue(7);
        QCOMPARE(displayOffset, 7);
    }

    void storedDisplaySettingsAreLimited()
    {
        m_window.reset();
        openSettings().setValue(QStringLiteral("fontsize"), 5);
        openSettings().setValue(QStringLiteral("offset"), 0);
        m_window = std::make_unique<MainWindow>();
        QCOMPARE(displayFontSize, 10);
        QCOMPARE(window().findChild<QSpinBox *>(QStringLiteral("spinFontSize"))->value(), 30);
        QCOMPARE(displayOffset, 1);

        m_window.reset();
        openSettings().setValue(QStringLiteral("fontsize"), 300);
        openSettings().setValue(QStringLiteral("offset"), 12);
        m_window = std::make_unique<MainWindow>();
        QCOMPARE(displayFontSize, 100);
        QCOMPARE(displayOffset, 10);
    }

    void openingAnOpenFileSwitchesToItsTab()
    {
        PromptRecorder prompts;
        const QString a = makeProject(QStringLiteral("a.qzp"));
        const QString b = makeProject(QStringLiteral("b.qzp"));
        window().openFile(a);
        window().openFile(b);
        QCOMPARE(tabs()->count(), 3);
        QCOMPARE(tabs()->currentIndex(), 2);
        QCOMPARE(tabs()->tabText(1), QStringLiteral("a.qzp"));
        QCOMPARE(tabs()->tabToolTip(1), a);

        window().openFile(a);
        QCOMPARE(tabs()->count(), 3);
        QCOMPARE(tabs()->currentIndex(), 1);
        QCOMPARE(window().currentView()->filePath(), a);
        QVERIFY(prompts.warnings.isEmpty());
        QCOMPARE(openSettings().value(QStringLiteral("lastpath")).toString(),
            QDir::toNativeSeparators(QFileInfo(a).absolutePath()));

        // A link to an open project finds its tab too.
        const QString link = QFileInfo(b).absolutePath() + QStringLiteral("/link-to-b.qzp");
        QVERIFY(QFile::link(b, link));
        window().openFile(link);
        QCOMPARE(tabs()->count(), 3);
        QCOMPARE(tabs()->currentIndex(), 2);
    }

    void missingAndBrokenFilesAreReported()
    {
        PromptRecorder prompts;
        const QString missing = m_files.filePath(QStringLiteral("missing.qzp"));
        window().openFile(missing);
        QCOMPARE(prompts.warnings, QStringList(QStringLiteral("\"%1\"文件不存在").arg(missing)));

        const QString broken = m_files.filePath(QStringLiteral("broken.qzp"));
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(300, '\x7f'));
        file.close();
        prompts.warnings.clear();
        window().openFile(broken);
        QCOMPARE(prompts.warnings.size(), 2); // the reader's message, then the window's
        QVERIFY(!prompts.warnings.at(0).isEmpty());
        QCOMPARE(prompts.warnings.at(1), QStringLiteral("\"打开%1\"文件失败\"").arg(broken));
        QCOMPARE(tabs()->count(), 1);

        // A directory is no project either.
        prompts.warnings.clear();
        window().openFile(m_files.path());
        QCOMPARE(prompts.warnings.size(), 2);
        QCOMPARE(tabs()->count(), 1);
    }

    void openCommandAsksForAFileInTheLastDirectory()
    {
        PromptRecorder prompts;
        const QString a = makeProject(QStringLiteral("open.qzp"));
        openSettings().setValue(QStringLiteral("lastpath"), m_files.path());
        action(window(), "actOpen")->trigger();
        QCOMPARE(prompts.fileCaptions, QStringList(QStringLiteral("打开文件")));
        QCOMPARE(prompts.fileProposals, QStringList(m_files.path()));
        QCOMPARE(tabs()->count(), 1);

        prompts.fileAnswers = {a};
        action(window(), "actOpen")->trigger();
        QCOMPARE(tabs()->count(), 2);
        QCOMPARE(window().currentView()->filePath(), a);
    }

    void saveCommandRenamesTheTab()
    {
        PromptRecorder prompts;
        window().actNew();
        window().currentView()->document()->setModified(true);
        QVERIFY(tabs()->tabText(1).endsWith('*'));

        // Cancelled: nothing changes.
        action(window(), "actSave")->trigger();
        QVERIFY(tabs()->tabText(1).endsWith('*'));

        const QString target = m_files.filePath(QStringLiteral("saved.qzp"));
        prompts.fileAnswers = {target};
        action(window(), "actSave")->trigger();
        QCOMPARE(tabs()->tabText(1), QStringLiteral("saved.qzp"));
        QCOMPARE(tabs()->tabToolTip(1), QFileInfo(target).canonicalFilePath());
        QCOMPARE(window().statusBar()->currentMessage(), QStringLiteral("保存文件"));
        QCOMPARE(openSettings().value(QStringLiteral("lastpath")).toString(),
            QDir::toNativeSeparators(m_files.path()));

        const QString other = m_files.filePath(QStringLiteral("other.qzp"));
        prompts.fileAnswers = {other};
        action(window(), "actSaveAs")->trigger();
        QCOMPARE(tabs()->tabText(1), QStringLiteral("other.qzp"));
        QCOMPARE(window().statusBar()->currentMessage(), QStringLiteral("另存文件"));
    }

    void modifiedStarOnlyForTheCurrentTab()
    {
        window().actNew();
        View *first = window().currentView();
        window().actNew();
        View *second = window().currentView();
        const QString firstName = first->windowTitle();
        const QString secondName = second->windowTitle();

        first->document()->setModified(true);
        QCOMPARE(tabs()->tabText(1), firstName);
        QCOMPARE(tabs()->tabText(2), secondName);

        second->document()->setModified(true);
        QCOMPARE(tabs()->tabText(2), secondName + '*');
        QCOMPARE(tabs()->tabText(1), firstName);

        // The first tab catches up only when its document reports again.
        tabs()->setCurrentIndex(1);
        QCOMPARE(tabs()->tabText(1), firstName);
        first->document()->setModified(false);
        first->document()->setModified(true);
        QCOMPARE(tabs()->tabText(1), firstName + '*');
        first->document()->setModified(false);
        QCOMPARE(tabs()->tabText(1), firstName);
    }

    void closingTabs()
    {
        PromptRecorder prompts;
        QPointer<QWidget> start = tabs()->widget(0);
        window().onTabCloseRequested(0);
        QCOMPARE(tabs()->count(), 0);
        flushDeletes();
        QVERIFY(start); // removed, not deleted
        QVERIFY(!action(window(), "actSave")->isEnabled());
        QCOMPARE(window().dockView()->document(), nullptr);

        window().actNew();
        QPointer<View> clean = window().currentView();
        window().onTabCloseRequested(0);
        QVERIFY(prompts.questions.isEmpty());
        QCOMPARE(tabs()->count(), 0);
        flushDeletes();
        QVERIFY(!clean);

        window().actNew();
        QPointer<View> dirty = window().currentView();
        dirty->document()->setModified(true);
        prompts.answers = {QMessageBox::Cancel};
        window().onTabCloseRequested(0);
        QCOMPARE(tabs()->count(), 1);
        QCOMPARE(prompts.questions.size(), 1);
        prompts.answers = {QMessageBox::Discard};
        window().onTabCloseRequested(0);
        QCOMPARE(tabs()->count(), 0);
        flushDeletes();
        QVERIFY(!dirty);
    }

    void closingTheWindowAsksInTabOrderAndCancelKeepsTheRest()
    {
        PromptRecorder prompts;
        window().actNew();
        View *first = window().currentView();
        window().actNew();
        View *second = window().currentView();
        window().actNew();
        first->document()->setModified(true);
        second->document()->setModified(true);
        const QString firstName = first->windowTitle();
        const QString secondName = second->windowTitle();

        prompts.answers = {QMessageBox::Discard, QMessageBox::Cancel};
        QVERIFY(!window().close());
        QCOMPARE(prompts.questions.size(), 2);
        QVERIFY(prompts.questions.at(0).text.contains(firstName));
        QVERIFY(prompts.questions.at(1).text.contains(secondName));
        // Start page and first project are gone; the second and the third stay.
        QCOMPARE(tabs()->count(), 2);
        QCOMPARE(qobject_cast<View *>(tabs()->widget(0)), second);
        QVERIFY(window().isVisible());
        QVERIFY(!openSettings().contains(QStringLiteral("geometry")));

        prompts.answers = {QMessageBox::Discard};
        window().findChild<QSpinBox *>(QStringLiteral("spinFontSize"))->setValue(55);
        QVERIFY(window().close());
        QCOMPARE(tabs()->count(), 0);
        QSettings settings = openSettings();
        QVERIFY(!settings.value(QStringLiteral("geometry")).toByteArray().isEmpty());
        QVERIFY(!settings.value(QStringLiteral("windowState")).toByteArray().isEmpty());
        QCOMPARE(settings.value(QStringLiteral("fontsize")).toInt(), 55);
        QCOMPARE(settings.value(QStringLiteral("offset")).toInt(), 2);
    }

    void droppingFortyFilesOpensThirtyTwo()
    {
        PromptRecorder prompts;
        QList<QUrl> urls;
        for (int n = 0; n < 40; ++n) {
            const QString path = makeProject(QStringLiteral("drop%1.qzp").arg(n));
            QVERIFY(!path.isEmpty());
            urls.append(QUrl::fromLocalFile(path));
        }
        QMimeData mime;
        mime.setUrls(urls);
        QDragEnterEvent enter(
            QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window(), &drop);
        QVERIFY(drop.isAccepted());
        QTRY_COMPARE(tabs()->count(), 1 + 32);
        QCOMPARE(qobject_cast<View *>(tabs()->widget(1))->filePath(), urls.at(0).toLocalFile());
        QCOMPARE(qobject_cast<View *>(tabs()->widget(32))->filePath(), urls.at(31).toLocalFile());
        QVERIFY(prompts.warnings.isEmpty());
    }

    void dropWithoutFilesOpensNothing()
    {
        QMimeData mime;
        mime.setText(QStringLiteral("just text"));
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window(), &drop);
        QCoreApplication::processEvents();
        QCOMPARE(tabs()->count(), 1);
    }

    void analyseSwitchesToWhatTheAnalysisGives()
    {
        // The same project analysed on its own tells what to expect.
        Document reference;
        const bool succeeds = reference.analyse();

        window().actNew();
        Document *doc = window().currentView()->document();
        action(window(), "actMark")->trigger();
        QCOMPARE(doc->status, SHOWDATA | SHOWMARK);
        const int linesBefore = doc->messages.size();

        action(window(), "actAnalyse")->trigger();
        QCOMPARE(doc->status, SHOWMARK | (succeeds ? SHOWRESULT : SHOWDATA));
        QCOMPARE(action(window(), "actAnalyse")->isChecked(), succeeds);
        QCOMPARE(action(window(), "actBase")->isEnabled(), !succeeds);
        QCOMPARE(action(window(), "actMoment")->isEnabled(), succeeds);
        QVERIFY(action(window(), "actMark")->isChecked());
        // The dock shows the log the analysis left.
        auto *list = window().dockView()->findChild<QListWidget *>(QStringLiteral("listInfo"));
        QCOMPARE(list->count(), doc->messages.size());
        QVERIFY(doc->messages.size() >= linesBefore);
    }

    void failedAnalysisStaysInInputMode()
    {
        window().actNew();
        Document *doc = window().currentView()->document();
        doc->frontPile.length = 1.0; // too short for any analysis
        doc->updateGeometry();
        action(window(), "actAnalyse")->trigger();
        QCOMPARE(doc->status, SHOWDATA);
        QVERIFY(!action(window(), "actAnalyse")->isChecked());
        QVERIFY(action(window(), "actBase")->isEnabled());
    }

    void leavingResultModeClearsTheDiagramAndKeepsTheLabels()
    {
        window().actNew();
        Document *doc = window().currentView()->document();
        doc->status = SHOWRESULT | SHOWMARK | SHOWMOMENT;
        window().updateActions();
        QVERIFY(action(window(), "actAnalyse")->isChecked());
        action(window(), "actAnalyse")->trigger();
        QCOMPARE(doc->status, SHOWDATA | SHOWMARK);
        QVERIFY(!action(window(), "actAnalyse")->isChecked());
        QVERIFY(!action(window(), "actMoment")->isChecked());
        QVERIFY(!action(window(), "actMoment")->isEnabled());
    }

    void oneDiagramAtATime()
    {
        window().actNew();
        Document *doc = window().currentView()->document();
        doc->status = SHOWRESULT;
        window().updateActions();

        action(window(), "actDisplace")->trigger();
        QCOMPARE(doc->status, SHOWRESULT | SHOWDISPLACE);
        action(window(), "actMoment")->trigger();
        QCOMPARE(doc->status, SHOWRESULT | SHOWMOMENT);
        QVERIFY(!action(window(), "actDisplace")->isChecked());
        QVERIFY(action(window(), "actMoment")->isChecked());
        action(window(), "actMark")->trigger();
        QCOMPARE(doc->status, SHOWRESULT | SHOWMOMENT | SHOWMARK);
        action(window(), "actMoment")->trigger();
        QCOMPARE(doc->status, SHOWRESULT | SHOWMARK);
        QVERIFY(!action(window(), "actMoment")->isChecked());
        action(window(), "actReact")->trigger();
        QCOMPARE(doc->status, SHOWRESULT | SHOWMARK | SHOWREACT);
        action(window(), "actMark")->trigger();
        QCOMPARE(doc->status, SHOWRESULT | SHOWREACT);
    }

    void theDockFollowsTheCurrentTab()
    {
        window().actNew();
        Document *first = window().currentView()->document();
        window().actNew();
        Document *second = window().currentView()->document();
        QCOMPARE(window().dockView()->document(), second);
        tabs()->setCurrentIndex(1);
        QCOMPARE(window().dockView()->document(), first);
        tabs()->setCurrentIndex(0);
        QCOMPARE(window().dockView()->document(), nullptr);
    }

    void dockCommandHidesAndShowsTheDock()
    {
        auto *dock = window().findChild<QDockWidget *>(QStringLiteral("dockWidgetResult"));
        QVERIFY(dock->isVisible());
        action(window(), "actDock")->trigger();
        QVERIFY(!dock->isVisible());
        action(window(), "actDock")->trigger();
        QVERIFY(dock->isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_gui_mainwindow.moc"
