// The main window driven by its commands and widgets, found by object name.

#include "dialogtestsupport.h"
#include "guitestfixture.h"
#include "guitestsupport.h"

#include "app/mainwindow.h"
#include "dock/dockview.h"
#include "document/document.h"
#include "settings/settings.h"
#include "view/displaysettings.h"
#include "view/view.h"

#include <QAccessible>
#include <QAction>
#include <QDockWidget>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
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

// Runs deferred deletions, so closed tabs are really gone.
void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

const QStringList alwaysOn = {"actNew", "actOpen", "actExit", "actDock", "actDesklnk", "actAbout"};
const QStringList projectCommands = {"actSave", "actSaveAs", "actAnalyse", "actMark"};
const QStringList dataCommands = {
    "actBase", "actPile", "actSoil", "actAnchor", "actForce", "actDesign"};
const QStringList diagramCommands = {
    "actDisplace", "actMoment", "actShear", "actNormal", "actReact"};
const QStringList allCommands = alwaysOn + projectCommands + dataCommands + diagramCommands;

// The commands of the window, in the order of allCommands, that are in the state.
QStringList commandsThat(const MainWindow &window, bool (QAction::*state)() const)
{
    QStringList list;
    for (const QString &name : allCommands) {
        const QAction *a = window.findChild<QAction *>(name);
        if (!a || (a->*state)())
            list.append(a ? name : name + QStringLiteral(" (missing)"));
    }
    return list;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files;
    std::unique_ptr<MainWindow> m_window;

    MainWindow &window() { return *m_window; }
    QTabWidget *tabs() { return window().tabWidget(); }
    QSpinBox *spin(const char *name) { return window().findChild<QSpinBox *>(name); }

    // A project file written by the program itself.
    QString makeProject(const QString &name)
    {
        View view;
        view.newFile();
        return view.saveFile(m_files.filePath(name)) ? view.filePath() : QString();
    }

    // Two new projects after the start page.
    std::pair<View *, View *> newTwo()
    {
        window().actNew();
        View *first = window().currentView();
        window().actNew();
        return {first, window().currentView()};
    }

private slots:
    void initTestCase() { QVERIFY(m_files.isValid()); }

    void init()
    {
        openSettings().clear();
        displayFontSize = Settings::FontSizeDefault;
        displayOffset = Settings::OffsetDefault;
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
        QCOMPARE(
            fresh.height(), std::min(std::max(854, available.height() / 2), available.height()));
    }

    void toolBarCommandsHaveTheirIcons()
    {
        for (const QString &name : allCommands + QStringList {"actUndo", "actRedo"}) {
            const QAction *a = window().findChild<QAction *>(name);
            QVERIFY2(a, qPrintable(name));
            // Only menu entries go without an icon.
            const bool menuOnly =
                QStringList({"actSaveAs", "actExit", "actDock", "actDesklnk"}).contains(name);
            QVERIFY2(menuOnly || !a->icon().pixmap(QSize(32, 32)).isNull(), qPrintable(name));
        }
    }

    void commandsFollowTheModeOfTheCurrentTab()
    {
        QCOMPARE(commandsThat(window(), &QAction::isEnabled), alwaysOn);
        window().actNew();
        QCOMPARE(
            commandsThat(window(), &QAction::isEnabled), alwaysOn + projectCommands + dataCommands);
        QCOMPARE(commandsThat(window(), &QAction::isChecked), QStringList());

        Document *doc = window().currentView()->document();
        Project shown = doc->project();
        shown.status = SHOWRESULT | SHOWMARK | SHOWSHEAR;
        doc->replaceProject(shown);
        QCOMPARE(commandsThat(window(), &QAction::isEnabled),
            alwaysOn + projectCommands + diagramCommands);
        QCOMPARE(commandsThat(window(), &QAction::isChecked),
            QStringList({"actAnalyse", "actMark", "actShear"}));

        // Back on the start page everything is off again, checks included.
        tabs()->setCurrentIndex(0);
        QCOMPARE(commandsThat(window(), &QAction::isEnabled), alwaysOn);
        QCOMPARE(commandsThat(window(), &QAction::isChecked), QStringList());
    }

    // Assistive technology toggles a tool button without clicking it; the
    // toggle does what a click does. F5 does the same from the keyboard.
    void toggledToolButtonsRunTheirCommands()
    {
        Document reference;
        const bool succeeds = reference.analyse();
        window().actNew();
        Document *doc = window().currentView()->document();
        auto *bar = window().findChild<QToolBar *>(QStringLiteral("toolBar"));
        const auto toggle = [bar](QAction *action) {
            QAccessibleInterface *button =
                QAccessible::queryAccessibleInterface(bar->widgetForAction(action));
            QVERIFY(button && button->actionInterface());
            button->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        };
        const qsizetype linesBefore = doc->messages.size();
        toggle(action(window(), "actAnalyse"));
        QVERIFY(doc->messages.size() > linesBefore);
        QCOMPARE(doc->project().status, succeeds ? SHOWRESULT : SHOWDATA);
        QCOMPARE(action(window(), "actAnalyse")->isChecked(), succeeds);
        toggle(action(window(), "actMark"));
        QVERIFY(doc->project().status & SHOWMARK);

        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::keyClick(m_window.get(), Qt::Key_F5);
        QCOMPARE(doc->project().status, SHOWDATA | SHOWMARK);
    }

    void newProjectsGetNumberedTabsAndAreFitted()
    {
        const int number = View::untitledCounter;
        action(window(), "actNew")->trigger();
        QCOMPARE(tabs()->count(), 2);
        QCOMPARE(tabs()->currentIndex(), 1);
        const QString name = QStringLiteral("新文件%1.qzp").arg(number);
        QCOMPARE(tabs()->tabText(1), name);
        QCOMPARE(tabs()->tabToolTip(1), name);
        View *view = window().currentView();
        QCOMPARE(view->document()->project().y0, 80);
        QCOMPARE(view->document()->project().x0, int(view->width() * 0.4));
        QCOMPARE(view->document()->project().blc, view->document()->project().blcfull);
        // Fitted to the tab it lives in, not to a default size.
        QCOMPARE(view->size(), tabs()->currentWidget()->size());
        QVERIFY(view->width() > 300);
        QCOMPARE(window().dockView()->document(), view->document());
    }

    void theStatusBarShowsTheCoordinatesUnderTheMouse()
    {
        window().actNew();
        emit window().currentView()->mousePositionChanged(QPointF(1.234, -5.5));
        QCOMPARE(window().statusLabel()->text(), QStringLiteral("坐标: X=1.23 , Y=-5.50"));
    }

    void displaySettingsComeFromTheSpinBoxesAndAreLimitedWhenStored()
    {
        spin("spinFontSize")->setValue(64);
        QCOMPARE(displayFontSize, 64);
        spin("spinOffset")->setValue(7);
        QCOMPARE(displayOffset, 7);

        const auto restartWith = [this](int fontSize, int offset) {
            m_window.reset();
            openSettings().setValue(QStringLiteral("fontsize"), fontSize);
            openSettings().setValue(QStringLiteral("offset"), offset);
            m_window = std::make_unique<MainWindow>();
        };
        restartWith(5, 0);
        QCOMPARE(displayFontSize, 10);
        QCOMPARE(displayOffset, 1);
        restartWith(300, 12);
        QCOMPARE(displayFontSize, 100);
        QCOMPARE(displayOffset, 10);
    }

    void openingAnOpenFileOrALinkToItSwitchesToItsTab()
    {
        PromptRecorder prompts;
        const QString a = makeProject(QStringLiteral("a.qzp"));
        const QString b = makeProject(QStringLiteral("b.qzp"));
        // The open command asks in the last directory; cancelled, it opens nothing.
        openSettings().setValue(QStringLiteral("lastpath"), QDir::homePath());
        action(window(), "actOpen")->trigger();
        QCOMPARE(prompts.fileProposals, QStringList(QDir::homePath()));
        QCOMPARE(tabs()->count(), 1);
        prompts.fileAnswers = {a};
        action(window(), "actOpen")->trigger();
        window().openFile(b);
        QCOMPARE(tabs()->count(), 3);
        QCOMPARE(tabs()->currentIndex(), 2);
        QCOMPARE(tabs()->tabText(1), QStringLiteral("a.qzp"));
        QCOMPARE(tabs()->tabToolTip(1), a);

        window().openFile(a);
        QCOMPARE(tabs()->count(), 3);
        QCOMPARE(tabs()->currentIndex(), 1);
        QCOMPARE(window().currentView()->filePath(), a);
        const QString link = QFileInfo(b).absolutePath() + QStringLiteral("/link-to-b.qzp");
        QVERIFY(QFile::link(b, link));
        window().openFile(link);
        QCOMPARE(tabs()->count(), 3);
        QCOMPARE(tabs()->currentIndex(), 2);
        QVERIFY(prompts.warnings.isEmpty());
        QCOMPARE(openSettings().value(QStringLiteral("lastpath")).toString(),
            QDir::toNativeSeparators(QFileInfo(a).absolutePath()));
    }

    void missingBrokenAndDirectoryPathsAreReported()
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
        const QList<QPair<QString, QString>> unreadable = {
            {broken, QStringLiteral("文件已损坏或不是项目文件")},
            {m_files.path(), QStringLiteral("这是文件夹，不是项目文件")}};
        for (const auto &[path, reason] : unreadable) {
            prompts.warnings.clear();
            prompts.warningWindows.clear();
            window().openFile(path);
            // One message naming the file and the reason, centred on the main
            // window (the tab that failed was never shown).
            QCOMPARE(prompts.warnings,
                QStringList(QStringLiteral("打开文件\"%1\"失败：%2").arg(path, reason)));
            QCOMPARE(prompts.warningWindows, QList<QWidget *>({&window()}));
        }
        QCOMPARE(tabs()->count(), 1);
    }

    void aDamagedStoredViewOpensFittedAndTheRestAsRead()
    {
        PromptRecorder prompts;
        struct Stored
        {
            double blc, blcfull;
            qint32 x0, y0;
        };
        // Mirrored, a few lines big, too small a scale, no fitted scale, far off.
        const QList<Stored> damaged = {{-20.0, 30.0, 300, 100}, {1e7, 30.0, 300, 100},
            {0.5, 30.0, 300, 100}, {30.0, 0.0, 300, 100}, {30.0, 30.0, 300, 2000000000}};
        const auto project = [&](const QString &name, const Stored &stored) {
            View writer;
            writer.newFile();
            Project p = writer.document()->project();
            p.base.ProjectName = name;
            p.status = SHOWDATA | SHOWMARK;
            p.blc = stored.blc;
            p.blcfull = stored.blcfull;
            p.x0 = stored.x0;
            p.y0 = stored.y0;
            writer.document()->replaceProject(p);
            const QString path = m_files.filePath(name + QStringLiteral(".qzp"));
            return writer.saveFile(path) ? path : QString();
        };
        for (int n = 0; n < damaged.size(); ++n) {
            const QString name = QStringLiteral("damaged%1").arg(n);
            window().openFile(project(name, damaged.at(n)));
            View *view = window().currentView();
            QVERIFY(view && view->isVisible());
            const Document *doc = view->document();
            QCOMPARE(doc->project().base.ProjectName, name);
            QCOMPARE(doc->project().status, SHOWDATA | SHOWMARK);
            QVERIFY(!doc->isModified());
            // Fitted: the scale of a fit, the origin of a fit.
            QVERIFY2(doc->project().blc > 1.0 && doc->project().blc < 500.0, qPrintable(name));
            QCOMPARE(doc->project().blcfull, doc->project().blc);
            QCOMPARE(doc->project().x0, int(view->width() * 0.4));
            QCOMPARE(doc->project().y0, 80);
        }
        // A sound stored view, fitted at 20 in the window it was saved from,
        // keeps its zoom beyond the fit in this one: its labels keep their
        // size.
        window().openFile(project(QStringLiteral("sound"), {33.0, 20.0, 123, 45}));
        const View *view = window().currentView();
        const Document *doc = view->document();
        View fitted;
        fitted.resize(view->size());
        fitted.fitView();
        // (The file keeps the levels to six digits: the fits differ by as much.)
        QVERIFY(qAbs(doc->project().blcfull / fitted.document()->project().blc - 1.0) < 1e-5);
        QVERIFY(qFuzzyCompare(doc->project().blc / doc->project().blcfull, 33.0 / 20.0));
        QCOMPARE(view->textPixelSize(), labelPixelSize(displayFontSize, 33.0, 20.0));
        QVERIFY(prompts.warnings.isEmpty());
    }

    void saveCommandsRenameTheTab()
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
        QCOMPARE(openSettings().value(QStringLiteral("lastpath")).toString(),
            QDir::toNativeSeparators(m_files.path()));

        prompts.fileAnswers = {m_files.filePath(QStringLiteral("other.qzp"))};
        action(window(), "actSaveAs")->trigger();
        QCOMPARE(tabs()->tabText(1), QStringLiteral("other.qzp"));
    }

    void modifiedStarAndDockFollowOnlyTheCurrentTab()
    {
        const auto [first, second] = newTwo();
        const QString firstName = first->windowTitle();
        const QString secondName = second->windowTitle();

        first->document()->setModified(true);
        QCOMPARE(tabs()->tabText(1), firstName);
        QCOMPARE(tabs()->tabText(2), secondName);
        second->document()->setModified(true);
        QCOMPARE(tabs()->tabText(2), secondName + '*');
        QCOMPARE(tabs()->tabText(1), firstName);
        QCOMPARE(window().dockView()->document(), second->document());

        // The first tab catches up only when its document reports again.
        tabs()->setCurrentIndex(1);
        QCOMPARE(window().dockView()->document(), first->document());
        QCOMPARE(tabs()->tabText(1), firstName);
        first->document()->setModified(false);
        first->document()->setModified(true);
        QCOMPARE(tabs()->tabText(1), firstName + '*');
        first->document()->setModified(false);
        QCOMPARE(tabs()->tabText(1), firstName);

        tabs()->setCurrentIndex(0);
        QCOMPARE(window().dockView()->document(), nullptr);
    }

    void closingTabs()
    {
        PromptRecorder prompts;
        QPointer<QWidget> start = tabs()->widget(0);
        window().onTabCloseRequested(0);
        QCOMPARE(tabs()->count(), 0);
        flushDeletes();
        QVERIFY(start); // removed, not deleted
        QCOMPARE(commandsThat(window(), &QAction::isEnabled), alwaysOn);
        QCOMPARE(window().dockView()->document(), nullptr);

        // A clean project closes without a question.
        window().actNew();
        QPointer<View> clean = window().currentView();
        window().onTabCloseRequested(0);
        QVERIFY(prompts.questions.isEmpty());
        flushDeletes();
        QVERIFY(!clean);

        window().actNew();
        QPointer<View> dirty = window().currentView();
        dirty->document()->setModified(true);
        prompts.answers = {QMessageBox::Cancel, QMessageBox::Discard};
        window().onTabCloseRequested(0);
        QCOMPARE(tabs()->count(), 1);
        QCOMPARE(prompts.questions.size(), 1);
        window().onTabCloseRequested(0);
        QCOMPARE(tabs()->count(), 0);
        flushDeletes();
        QVERIFY(!dirty);
    }

    void closingTheWindowAsksInTabOrderAndCancelKeepsEveryTab()
    {
        PromptRecorder prompts;
        const auto [first, second] = newTwo();
        window().actNew();
        first->document()->setModified(true);
        second->document()->setModified(true);
        const QString firstName = first->windowTitle();
        const QString secondName = second->windowTitle();

        QList<QWidget *> before;
        for (int n = 0; n < tabs()->count(); ++n)
            before.append(tabs()->widget(n));
        QCOMPARE(tabs()->tabText(0), QStringLiteral("起始页"));
        prompts.answers = {QMessageBox::Discard, QMessageBox::Cancel};
        QVERIFY(!window().close());
        QCOMPARE(prompts.questions.size(), 2);
        QVERIFY(prompts.questions.at(0).text.contains(firstName));
        QVERIFY(prompts.questions.at(1).text.contains(secondName));
        // Cancel keeps every tab, the start page included, as it was.
        QList<QWidget *> after;
        for (int n = 0; n < tabs()->count(); ++n)
            after.append(tabs()->widget(n));
        QCOMPARE(after, before);
        QCOMPARE(tabs()->tabText(0), QStringLiteral("起始页"));
        QVERIFY(window().isVisible());
        QVERIFY(!openSettings().contains(QStringLiteral("geometry")));

        prompts.answers = {QMessageBox::Discard, QMessageBox::Discard};
        spin("spinFontSize")->setValue(55);
        QVERIFY(window().close());
        QCOMPARE(tabs()->count(), 0);
        QSettings settings = openSettings();
        QVERIFY(!settings.value(QStringLiteral("geometry")).toByteArray().isEmpty());
        QVERIFY(!settings.value(QStringLiteral("windowState")).toByteArray().isEmpty());
        QCOMPARE(settings.value(QStringLiteral("fontsize")).toInt(), 55);
        QCOMPARE(settings.value(QStringLiteral("offset")).toInt(), 2);
    }

    void droppingFortyFilesOpensThirtyTwoAndTextNone()
    {
        PromptRecorder prompts;
        QMimeData text;
        text.setText(QStringLiteral("just text"));
        QDropEvent textDrop(QPointF(50, 50), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&window(), &textDrop);
        QCoreApplication::processEvents();
        QCOMPARE(tabs()->count(), 1);

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

    void analyseTogglesBetweenInputAndResultMode()
    {
        // The same project analysed on its own tells what to expect.
        Document reference;
        const bool succeeds = reference.analyse();

        window().actNew();
        Document *doc = window().currentView()->document();
        QAction *analyse = action(window(), "actAnalyse");
        action(window(), "actMark")->trigger();
        QCOMPARE(doc->project().status, SHOWDATA | SHOWMARK);
        const int linesBefore = doc->messages.size();
        analyse->trigger();
        QCOMPARE(doc->project().status, SHOWMARK | (succeeds ? SHOWRESULT : SHOWDATA));
        QCOMPARE(analyse->isChecked(), succeeds);
        QCOMPARE(action(window(), "actBase")->isEnabled(), !succeeds);
        QCOMPARE(action(window(), "actMoment")->isEnabled(), succeeds);
        // The dock shows the log the analysis left: the analysis's own lines
        // as they are, then how many design checks are not satisfied.
        auto *list = window().dockView()->findChild<QListWidget *>(QStringLiteral("listWidget"));
        QCOMPARE(list->count(), doc->messages.size());
        QVERIFY(doc->messages.size() >= linesBefore);
        if (succeeds) {
            QCOMPARE(doc->messages.mid(linesBefore, reference.messages.size() - 1),
                reference.messages.mid(1));
            QCOMPARE(doc->messages.size(), linesBefore + reference.messages.size());
            QCOMPARE(doc->messages.last(), QStringLiteral("设计验算：4项不满足"));
        }

        // Leaving the result mode clears the diagram and keeps the labels.
        action(window(), "actMoment")->trigger();
        QCOMPARE(doc->project().status, SHOWRESULT | SHOWMARK | SHOWMOMENT);
        analyse->trigger();
        QCOMPARE(doc->project().status, SHOWDATA | SHOWMARK);
        QCOMPARE(commandsThat(window(), &QAction::isChecked), QStringList({"actMark"}));
        QVERIFY(!action(window(), "actMoment")->isEnabled());

        // A failed analysis stays in the input mode.
        PileInfo front = doc->project().frontPile;
        front.length = 1.0; // too short for any analysis
        QVERIFY(doc->changePiles(front, doc->project().backPile, doc->project().linkBeam));
        window().findChild<QDockWidget *>(QStringLiteral("dockWidgetResult"))->hide();
        analyse->trigger();
        QCOMPARE(doc->project().status, SHOWDATA | SHOWMARK);
        QCOMPARE(commandsThat(window(), &QAction::isChecked), QStringList({"actMark"}));
        QVERIFY(action(window(), "actBase")->isEnabled());
        // With the dock closed, the status bar still tells why.
        const QString reason = doc->messages.last();
        QVERIFY(reason.startsWith(QStringLiteral(">>错误：")));
        QCOMPARE(window().statusBar()->currentMessage(), reason.mid(2));

        // Thrust at its bound moves the pile by metres: the results come,
        // and so does the warning that closes their report.
        front.length = 16.0;
        QVERIFY(doc->changePiles(front, doc->project().backPile, doc->project().linkBeam));
        BaseInfo base = doc->project().base;
        base.aforce = -1e6;
        QVERIFY(doc->changeBase(base));
        analyse->trigger();
        QCOMPARE(doc->project().status, SHOWRESULT | SHOWMARK);
        QCOMPARE(window().statusBar()->currentMessage(),
            QStringLiteral(
                "警告：桩身最大位移超过1m，线弹性地基反力模型已不适用，请检查荷载与参数"));
    }

    void undoAndRedoFollowTheDialogsAndTheSavedState()
    {
        window().actNew();
        View *view = window().currentView();
        Document *doc = view->document();
        QAction *undo = action(window(), "actUndo");
        QAction *redo = action(window(), "actRedo");
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        QVERIFY(redo->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Shift+Z"))));

        // A cancelled dialog is no step; OK is one, named in the tip.
        whenModal([](QDialog &dialog) { dialog.reject(); });
        window().actSoil();
        QVERIFY(!undo->isEnabled());
        const double thickness = doc->project().soils[0].thickness;
        whenModal([](QDialog &dialog) { pressOk(dialog); });
        window().actSoil();
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->statusTip(), QStringLiteral("撤销 修改岩土层"));
        const QString name = view->windowTitle();
        QCOMPARE(tabs()->currentWidget(), view);
        QCOMPARE(tabs()->tabText(1), name + '*');

        // Undoing to the state the tab opened with clears the mark.
        QList<SoilInfo> soils = doc->project().soils;
        soils[0].thickness = thickness + 2.0;
        QVERIFY(doc->changeSoils(soils));
        undo->trigger();
        undo->trigger();
        QCOMPARE(doc->project().soils[0].thickness, thickness);
        QCOMPARE(tabs()->tabText(1), name);
        QVERIFY(!undo->isEnabled());
        QCOMPARE(redo->statusTip(), QStringLiteral("重做 修改岩土层"));
        redo->trigger();
        redo->trigger();
        QCOMPARE(doc->project().soils[0].thickness, thickness + 2.0);
        QCOMPARE(tabs()->tabText(1), name + '*');

        // Results freeze the history as they freeze the input.
        action(window(), "actAnalyse")->trigger();
        QVERIFY(doc->project().status & SHOWRESULT);
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        action(window(), "actAnalyse")->trigger();
        QVERIFY(undo->isEnabled());
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

RIDEZU_GUI_TEST_MAIN(TestMainWindow)
#include "tst_gui_mainwindow.moc"
