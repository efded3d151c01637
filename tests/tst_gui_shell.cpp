// The application shell: the settings store, the recent files, the desktop
// integration, the start page and the about box.

#include "guitestfixture.h"
#include "guitestsupport.h"

#include "app/aboutdialog.h"
#include "app/desktopintegration.h"
#include "app/mainwindow.h"
#include "app/myweb.h"
#include "document/document.h"
#include "settings/settings.h"
#include "view/view.h"

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

QString readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Clicks the link whose text is the given one, as a user would.
bool clickLink(QTextBrowser *browser, const QString &text)
{
    const QTextCursor found = browser->document()->find(text);
    if (found.isNull())
        return false;
    QTextCursor inside(browser->document());
    inside.setPosition(found.selectionStart() + 1);
    browser->setTextCursor(inside);
    browser->ensureCursorVisible();
    const QPoint point = browser->cursorRect(inside).center();
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    return true;
}

} // namespace

class TestShell : public QObject
{
    Q_OBJECT

    const QTemporaryDir &m_settingsDir = GuiTestFixture::settingsDir();
    QTemporaryDir m_files;
    decltype(DesktopIntegration::runTool) m_runTool = DesktopIntegration::runTool;

    // A project file written by the program itself.
    QString makeProject(const QString &name)
    {
        View view;
        view.newFile();
        return view.saveFile(m_files.filePath(name)) ? view.filePath() : QString();
    }

    static QMenu *recentMenu(const MainWindow &window)
    {
        return window.findChild<QMenu *>(QStringLiteral("recentfilesmenu"));
    }

    // The recent-file menu as the "文件" menu shows it.
    static QStringList recentEntries(MainWindow &window)
    {
        emit window.menuBar()->findChild<QMenu *>(QStringLiteral("menu"))->aboutToShow();
        QStringList texts;
        for (const QAction *entry : recentMenu(window)->actions())
            texts.append(entry->text());
        return texts;
    }

    static QAction *recentEntry(MainWindow &window, int n)
    {
        recentEntries(window);
        return recentMenu(window)->actions().value(n);
    }

private slots:
    void initTestCase() { QVERIFY(m_files.isValid()); }

    void init() { openSettings().clear(); }

    void cleanup() { DesktopIntegration::runTool = m_runTool; }

    void aDamagedStoreIsReadWithinItsLimits()
    {
        {
            QSettings store = openSettings();
            store.setValue(QStringLiteral("fontsize"), QStringLiteral("groß"));
            store.setValue(QStringLiteral("offset"), QStringLiteral("-"));
            store.beginWriteArray(QStringLiteral("recentFileList"));
            for (int n = 0; n < 12; ++n) {
                store.setArrayIndex(n);
                store.setValue(QStringLiteral("file"),
                    n == 1 ? QString() : QStringLiteral("/p/%1.qzp").arg(n));
            }
            store.endArray();
            store.setValue(QStringLiteral("basedlg1"), QRect(10, 10, 50000, 300));
            store.setValue(QStringLiteral("soildlg"), QStringLiteral("no rectangle"));
            store.setValue(QStringLiteral("anchordlg"), QRect(10, 10, 0, 300));
            store.setValue(QStringLiteral("forcedlg"), QRect(5, 6, 829, 320));
        }
        const Settings settings;
        QCOMPARE(settings.fontSize(), 40);
        QCOMPARE(settings.offset(), 2);
        // An empty entry is skipped; the eight first paths of the rest remain.
        const QStringList recent = settings.recentFiles();
        QCOMPARE(recent.size(), 8);
        QCOMPARE(recent.first(), QStringLiteral("/p/0.qzp"));
        QCOMPARE(recent.at(1), QStringLiteral("/p/2.qzp"));
        QCOMPARE(recent.last(), QStringLiteral("/p/8.qzp"));
        QVERIFY(settings.dialogGeometry(Settings::Dialog::Base).isNull());
        QVERIFY(settings.dialogGeometry(Settings::Dialog::Soil).isNull());
        QVERIFY(settings.dialogGeometry(Settings::Dialog::Anchor).isNull());
        QCOMPARE(settings.dialogGeometry(Settings::Dialog::Force), QRect(5, 6, 829, 320));
        QVERIFY(settings.dialogGeometry(Settings::Dialog::Pile).isNull());
    }

    void dialogHelpIsShownUntilHiddenAndThePileDialogHasNone()
    {
        Settings settings;
        QVERIFY(settings.dialogHelpShown(Settings::Dialog::Soil));
        settings.setDialogHelpShown(Settings::Dialog::Soil, false);
        settings.setDialogHelpShown(Settings::Dialog::Pile, false);
        QVERIFY(!Settings().dialogHelpShown(Settings::Dialog::Soil));
        QVERIFY(Settings().dialogHelpShown(Settings::Dialog::Force));
        QVERIFY(Settings().dialogHelpShown(Settings::Dialog::Pile));
        QCOMPARE(openSettings().value(QStringLiteral("soildlgtxt")).toBool(), false);
        QVERIFY(!openSettings().allKeys().join(',').contains(QStringLiteral("piledlg")));
    }

    void geometryAndDockComeBackAfterARestart()
    {
        {
            MainWindow window;
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            window.resize(900, 640);
            auto *dock = window.findChild<QDockWidget *>(QStringLiteral("dockWidgetResult"));
            window.addDockWidget(Qt::RightDockWidgetArea, dock);
            QVERIFY(window.close());
        }
        MainWindow again;
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QCOMPARE(again.size(), QSize(900, 640));
        auto *dock = again.findChild<QDockWidget *>(QStringLiteral("dockWidgetResult"));
        QCOMPARE(again.dockWidgetArea(dock), Qt::RightDockWidgetArea);
    }

    void recentFilesKeepTheEightNewestAndFollowTheUser()
    {
        PromptRecorder prompts;
        QStringList paths;
        for (int n = 1; n <= 9; ++n)
            paths.append(makeProject(QStringLiteral("p%1.qzp").arg(n)));
        auto window = std::make_unique<MainWindow>();
        recentEntries(*window);
        QVERIFY(!recentMenu(*window)->isEnabled());

        for (const QString &path : paths)
            window->openFile(path);
        QStringList expected;
        for (int n = 9; n >= 2; --n)
            expected.append(QStringLiteral("&%1 p%2.qzp").arg(10 - n).arg(n));
        QCOMPARE(recentEntries(*window), expected);
        QVERIFY(recentMenu(*window)->isEnabled());
        QCOMPARE(recentEntry(*window, 0)->data().toString(), paths.at(8));
        QCOMPARE(recentEntry(*window, 0)->statusTip(), paths.at(8));

        // Started again, p5 opened once more goes to the front, nothing grows.
        window = std::make_unique<MainWindow>();
        window->openFile(paths.at(4));
        QCOMPARE(Settings().recentFiles(),
            QStringList({paths.at(4), paths.at(8), paths.at(7), paths.at(6), paths.at(5),
                paths.at(3), paths.at(2), paths.at(1)}));

        // An entry opens its project, which becomes the newest.
        recentEntry(*window, 2)->trigger();
        QCOMPARE(window->currentView()->filePath(), paths.at(7));
        QCOMPARE(window->tabWidget()->count(), 3);
        QCOMPARE(Settings().recentFiles().mid(0, 3),
            QStringList({paths.at(7), paths.at(4), paths.at(8)}));

        // A file that vanished is reported and leaves the list and the menu.
        QVERIFY(QFile::remove(paths.at(8)));
        recentEntry(*window, 2)->trigger();
        QCOMPARE(
            prompts.warnings, QStringList(QStringLiteral("\"%1\"文件不存在").arg(paths.at(8))));
        QCOMPARE(window->tabWidget()->count(), 3);
        QCOMPARE(recentEntries(*window).size(), 7);
        QVERIFY(!Settings().recentFiles().contains(paths.at(8)));

        // Opened through a link, a project is listed once, under its own path.
        const QString link = m_files.filePath(QStringLiteral("link.qzp"));
        QVERIFY(QFile::link(paths.at(1), link));
        window = std::make_unique<MainWindow>();
        window->openFile(link);
        const QStringList recent = Settings().recentFiles();
        QCOMPARE(recent.first(), paths.at(1));
        QCOMPARE(recent.count(paths.at(1)), 1);
        QVERIFY(!recent.contains(link));
    }

    void fileTypeIsRegisteredOnceAndAgainAfterTheProgramMoved()
    {
        using namespace DesktopIntegration;
        // The window registers the program it runs in, in the user's data
        // folder of the test.
        {
            MainWindow window;
        }
        const QString userData = m_settingsDir.filePath(QStringLiteral("share"));
        QVERIFY(readAll(desktopEntryPath(userData))
                    .contains(QStringLiteral("\nExec=") + QCoreApplication::applicationFilePath()
                        + QStringLiteral(" %F\n")));

        QTemporaryDir home;
        const Places places {
            home.filePath(QStringLiteral("share")), home.filePath(QStringLiteral("Desktop"))};
        QStringList ran;
        runTool = [&ran](const QString &program, const QStringList &arguments) {
            ran.append(program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')));
        };
        const auto registerFor = [&places](const QString &exe) {
            return registerFileType(exe, places, QStringLiteral("RIDezu.File.10"),
                QStringLiteral("RIDezu Document File"), QStringLiteral(".qzp"), 1);
        };

        QVERIFY(registerFor(QStringLiteral("/opt/a/ridezu")));
        const QString entry = readAll(desktopEntryPath(places.dataDir));
        QVERIFY(entry.contains(QStringLiteral("\nExec=/opt/a/ridezu %F\n")));
        QVERIFY(entry.contains(QStringLiteral("\nMimeType=application/x-ridezu.file.10;\n")));
        const QString mime = readAll(mimePackagePath(places.dataDir));
        QVERIFY(mime.contains(QStringLiteral("<mime-type type=\"application/x-ridezu.file.10\">")));
        QVERIFY(mime.contains(QStringLiteral("<comment>RIDezu Document File</comment>")));
        QVERIFY(mime.contains(QStringLiteral("<glob pattern=\"*.qzp\"/>")));
        QVERIFY(!QImage(iconPath(places.dataDir)).isNull());
        QCOMPARE(ran,
            QStringList({QStringLiteral("update-mime-database ") + places.dataDir + "/mime",
                QStringLiteral("update-desktop-database ") + places.dataDir + "/applications"}));

        // Unchanged: nothing is written and no cache is renewed.
        const QDateTime written = QFileInfo(desktopEntryPath(places.dataDir)).lastModified();
        QVERIFY(!registerFor(QStringLiteral("/opt/a/ridezu")));
        QCOMPARE(ran.size(), 2);
        QCOMPARE(QFileInfo(desktopEntryPath(places.dataDir)).lastModified(), written);
        // A lost icon alone comes back.
        QVERIFY(QFile::remove(iconPath(places.dataDir)));
        QVERIFY(registerFor(QStringLiteral("/opt/a/ridezu")));
        QVERIFY(QFileInfo::exists(iconPath(places.dataDir)));
        QCOMPARE(ran.size(), 2);

        // Moved to a folder whose name needs quoting: all is written anew.
        QVERIFY(registerFor(QStringLiteral("/opt/b dir/ri\"d$zu")));
        QVERIFY(readAll(desktopEntryPath(places.dataDir))
                    .contains(QStringLiteral("Exec=\"/opt/b dir/ri\\\\\"d\\\\$zu\" %F")));
        QCOMPARE(ran.size(), 4);
        QVERIFY(!registerFor(QStringLiteral("/opt/b dir/ri\"d$zu")));

        // A data folder that cannot be written is no failure of the start.
        QFile blocker(home.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        QVERIFY(!registerFileType(QStringLiteral("/opt/a/ridezu"), {blocker.fileName(), QString()},
            QStringLiteral("RIDezu.File.10"), QStringLiteral("RIDezu Document File"),
            QStringLiteral(".qzp"), 1));
    }

    void theShortcutCommandTwiceMakesOneShortcut()
    {
        QStringList ran;
        DesktopIntegration::runTool = [&ran](const QString &program, const QStringList &) {
            ran.append(program);
        };
        QDir desktop(m_settingsDir.filePath(QStringLiteral("Desktop")));
        desktop.removeRecursively();
        MainWindow window;
        QAction *shortcut = window.findChild<QAction *>(QStringLiteral("actDesklnk"));
        shortcut->trigger();
        const QString link = desktop.filePath(QStringLiteral("澄川抗滑桩.desktop"));
        const QDateTime made = QFileInfo(link).lastModified();
        shortcut->trigger();
        QCOMPARE(desktop.entryList(QDir::Files), QStringList(QStringLiteral("澄川抗滑桩.desktop")));
        QCOMPARE(QFileInfo(link).lastModified(), made);
        QVERIFY(QFileInfo(link).isExecutable());
        const QString text = readAll(link);
        QVERIFY(text.contains(
            QStringLiteral("\nExec=") + QCoreApplication::applicationFilePath() + " %F\n"));
        QVERIFY(text.contains(QStringLiteral("\nName=澄川抗滑桩\n")));
        QCOMPARE(ran.count(QStringLiteral("gio")), 1);
    }

    void startPageLinksDoWhatTheySay()
    {
        PromptRecorder prompts;
        const QString recent = makeProject(QStringLiteral("最近 的 项目.qzp"));
        Settings().updateRecentFiles(recent, true);
        Settings().setLastPath(recent);
        MainWindow window;
        window.resize(1100, 900);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *page = qobject_cast<MyWeb *>(window.tabWidget()->currentWidget());
        QVERIFY(page);
        QTextBrowser *browser = page->browser();
        const QString text = browser->toPlainText();
        QVERIFY(text.contains(QStringLiteral("澄川抗滑桩")));
        QVERIFY(text.contains(QStringLiteral("版本V1.1（Build：")));

        // The bundled examples are found beside the program and named by
        // their projects.
        QVERIFY(!MyWeb::examplesDir().isEmpty());
        QVERIFY(QFileInfo::exists(MyWeb::examplesDir() + QStringLiteral("/doublerow.qzp")));
        QVERIFY(clickLink(browser, QStringLiteral("某边坡双排抗滑桩")));
        QCOMPARE(window.tabWidget()->count(), 2);
        View *example = window.currentView();
        QVERIFY(example);
        QCOMPARE(QFileInfo(example->filePath()).fileName().left(9), QStringLiteral("doublerow"));
        QCOMPARE(example->document()->project().base.ProjectName.trimmed(),
            QStringLiteral("某边坡双排抗滑桩"));

        window.tabWidget()->setCurrentWidget(page);
        QVERIFY(clickLink(browser, QStringLiteral("最近 的 项目.qzp")));
        QCOMPARE(window.currentView()->filePath(), recent);

        window.tabWidget()->setCurrentWidget(page);
        QVERIFY(clickLink(browser, QStringLiteral("新建项目")));
        QCOMPARE(window.tabWidget()->count(), 4);
        QVERIFY(window.currentView()->isUntitled());

        window.tabWidget()->setCurrentWidget(page);
        QVERIFY(clickLink(browser, QStringLiteral("打开项目")));
        QCOMPARE(prompts.fileProposals, QStringList(QFileInfo(recent).absolutePath()));

        // The page lists the files opened from it among the recent files.
        const QString shown = browser->toPlainText();
        const qsizetype from = shown.indexOf(QStringLiteral("最近文件"));
        const QString recentPart =
            shown.mid(from, shown.indexOf(QStringLiteral("示例项目")) - from);
        QVERIFY(recentPart.contains(QFileInfo(example->filePath()).fileName()));
        QVERIFY(recentPart.contains(QStringLiteral("最近 的 项目.qzp")));
        QVERIFY(prompts.warnings.isEmpty());
    }

    void aboutBoxShowsNameVersionAndBuildDate()
    {
        MainWindow window;
        QString name;
        QString version;
        QTimer::singleShot(0, &window, [&]() {
            auto *about = qobject_cast<AboutDialog *>(QApplication::activeModalWidget());
            if (!about)
                return;
            name = about->findChild<QLabel *>(QStringLiteral("labSoftName"))->text();
            version = about->findChild<QLabel *>(QStringLiteral("labVer"))->text();
            about->reject();
        });
        window.findChild<QAction *>(QStringLiteral("actAbout"))->trigger();
        QCOMPARE(name, QStringLiteral("澄川抗滑桩软件"));
        QVERIFY2(QRegularExpression(QStringLiteral("^版本V1\\.1（Build：20\\d{6}）$"))
                     .match(version)
                     .hasMatch(),
            qPrintable(version));
    }
};

RIDEZU_GUI_TEST_MAIN(TestShell)
#include "tst_gui_shell.moc"
