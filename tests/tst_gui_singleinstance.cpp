// One instance per user: the hand-over format, the server's handling of what
// arrives, its privacy, and real processes of the program.

#include "guitestfixture.h"
#include "guitestsupport.h"

#include "app/application.h"
#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "view/view.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A server name no other test run or running program uses.
QString uniqueName(const char *what)
{
    static int counter = 0;
    return QStringLiteral("ridezu-test-%1-%2-%3")
        .arg(QLatin1String(what))
        .arg(QCoreApplication::applicationPid())
        .arg(++counter);
}

// Writes bytes as one client and leaves.
void sendAsClient(
    const QString &name, const QList<QByteArray> &parts, const std::function<void()> &between = {})
{
    QLocalSocket socket;
    socket.connectToServer(name);
    QVERIFY(socket.waitForConnected(1000));
    for (int n = 0; n < parts.size(); ++n) {
        socket.write(parts.at(n));
        socket.flush();
        QVERIFY(socket.waitForBytesWritten(1000) || socket.bytesToWrite() == 0);
        if (between && n + 1 < parts.size())
            between();
    }
    socket.disconnectFromServer();
}

QString pathOfTab(const MainWindow &window, int index)
{
    return qobject_cast<View *>(window.tabWidget()->widget(index))->filePath();
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

    const QTemporaryDir &m_settingsDir = GuiTestFixture::settingsDir();
    QTemporaryDir m_files;

    QString makeProject(const QString &name)
    {
        View view;
        view.newFile();
        return view.saveFile(m_files.filePath(name)) ? view.filePath() : QString();
    }

    QString programPath() const { return QStringLiteral(RIDEZU_BIN_DIR "/ridezu"); }

    // Starts the program under the given server name.
    void start(QProcess &process, const QString &name, const QStringList &arguments = {})
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("RIDEZU_INSTANCE_NAME"), name);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_settingsDir.path());
        process.setProcessEnvironment(env);
        process.start(programPath(), arguments);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_files.isValid());
        qunsetenv("RIDEZU_INSTANCE_NAME");
    }

    void fileListFormatAndHostileData()
    {
        using SingleInstance::decodeFileList;
        using SingleInstance::encodeFileList;
        // The data stream of a string list: count, then byte length and UTF-16 per path.
        QCOMPARE(encodeFileList({QStringLiteral("ab"), QStringLiteral("路")}),
            QByteArray::fromHex("00000002"
                                "00000004"
                                "00610062"
                                "00000002"
                                "8def"));
        QCOMPARE(SingleInstance::activateMessage, QByteArray("ACTIVATE_WINDOW"));
        const QStringList files = {QStringLiteral("/tmp/一.qzp"), QStringLiteral("/tmp/b c.qzp")};
        const QByteArray bytes = encodeFileList(files);
        QCOMPARE(decodeFileList(bytes + SingleInstance::activateMessage), files);
        QCOMPARE(decodeFileList(encodeFileList({})), QStringList());

        // Cut short, negative or huge counts, a string longer than the bytes.
        for (const QByteArray &broken : {bytes.left(bytes.size() - 1),
                 QByteArray::fromHex("ffffffff00000002"), QByteArray::fromHex("7fffffff00000002"),
                 QByteArray::fromHex("00000001000000ff0061"), QByteArray("AC"), QByteArray()})
            QCOMPARE(decodeFileList(broken), QStringList());
    }

    void argumentsNamingNoFileAreDropped()
    {
        const QString a = makeProject(QStringLiteral("arg.qzp"));
        QVERIFY(QDir::setCurrent(m_files.path()));
        QByteArray program("ridezu"), missing("nothing-here.qzp"), relative("arg.qzp");
        char *argv[] = {program.data(), missing.data(), relative.data()};
        QCOMPARE(filesFromArguments(3, argv), QStringList(a));
    }

    void serverIsThisUsersOnly()
    {
        const QString name = SingleInstance::serverName();
        QVERIFY(name.contains(SingleInstance::baseName + '-' + QString::number(getuid())));
        if (QFileInfo(name).isAbsolute()) // inside the user's private runtime directory
            QCOMPARE(QFileInfo(name).absolutePath(),
                QFileInfo(qEnvironmentVariable("XDG_RUNTIME_DIR")).absoluteFilePath());
        qputenv("RIDEZU_INSTANCE_NAME", "some-test-name");
        QCOMPARE(SingleInstance::serverName(), QStringLiteral("some-test-name"));
        qunsetenv("RIDEZU_INSTANCE_NAME");

        InstanceServer server;
        QVERIFY(server.listen(uniqueName("mine")));
        struct stat info;
        QCOMPARE(::stat(QFile::encodeName(server.fullServerName()).constData(), &info), 0);
        QVERIFY(S_ISSOCK(info.st_mode));
        QCOMPARE(info.st_uid, getuid());
        QCOMPARE(int(info.st_mode & (S_IRWXG | S_IRWXO)), 0);

        // Other names, the plain impersonal one too, do not reach it, and
        // a start without a listener does not wait long.
        QSignalSpy activations(&server, &InstanceServer::activateRequested);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!SingleInstance::handOver(uniqueName("other"), {QStringLiteral("/x.qzp")}));
        QVERIFY(timer.elapsed() < 1500);
        QVERIFY(!SingleInstance::handOver(SingleInstance::baseName + "-not-" + "mine", {}));
        QCoreApplication::processEvents();
        QCOMPARE(activations.count(), 0);
    }

    void handedOverFilesOpenInTheRunningWindowAndGarbageIsIgnored()
    {
        PromptRecorder prompts;
        const QString a = makeProject(QStringLiteral("hand-a.qzp"));
        const QString b = makeProject(QStringLiteral("hand-b.qzp"));
        const QString c = makeProject(QStringLiteral("hand-c.qzp"));
        MainWindow window;
        InstanceServer server;
        const QString name = uniqueName("handover");
        QVERIFY(server.listen(name));
        connectInstanceServer(server, window);
        QStringList events;
        connect(&server, &InstanceServer::openRequested, this,
            [&events](const QString &path) { events.append(QFileInfo(path).fileName()); });
        connect(&server, &InstanceServer::activateRequested, this,
            [&events]() { events.append(QStringLiteral("activate")); });

        // List and activation in one read: the files open, nothing else.
        sendAsClient(
            name, {SingleInstance::encodeFileList({a, b}) + SingleInstance::activateMessage});
        QTRY_COMPARE(window.tabWidget()->count(), 3);
        QCOMPARE(pathOfTab(window, 1), a);
        QCOMPARE(pathOfTab(window, 2), b);
        QCOMPARE(events, QStringList({"hand-a.qzp", "hand-b.qzp"}));

        // In two reads: the file opens, then the window is raised.
        events.clear();
        sendAsClient(name, {SingleInstance::encodeFileList({c}), SingleInstance::activateMessage},
            [&window]() { QTRY_COMPARE(window.tabWidget()->count(), 4); });
        QTRY_COMPARE(events, QStringList({"hand-c.qzp", "activate"}));

        // Garbage opens and raises nothing; a hand-over without files only raises.
        events.clear();
        sendAsClient(name, {QByteArray::fromHex("7fffffff0000000400410042")});
        sendAsClient(name, {QByteArray("ACTIVATE_WINDOW!")});
        QVERIFY(SingleInstance::handOver(name, {}));
        QTRY_COMPARE(events, QStringList({"activate"}));
        QCoreApplication::processEvents();
        QCOMPARE(events, QStringList({"activate"}));

        // A file already open is not opened twice.
        QVERIFY(SingleInstance::handOver(name, {a}));
        QTRY_COMPARE(window.tabWidget()->currentIndex(), 1);
        QCOMPARE(window.tabWidget()->count(), 4);
        QVERIFY(prompts.warnings.isEmpty());
    }

    void secondProcessHandsOverAndAStaleSocketIsTakenOver()
    {
        QVERIFY2(QFileInfo::exists(programPath()), qPrintable(programPath()));
        const QString a = makeProject(QStringLiteral("proc-a.qzp"));
        const QString b = makeProject(QStringLiteral("proc-b.qzp"));
        const QString name = uniqueName("process");
        const QString socketPath = QDir::tempPath() + '/' + name;

        QProcess first;
        start(first, name);
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socketPath), 15000);
        QProcess second;
        QElapsedTimer timer;
        timer.start();
        start(second, name, {a, b, m_files.filePath(QStringLiteral("missing.qzp"))});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(timer.elapsed() < 5000);
        QCOMPARE(first.state(), QProcess::Running);

        // The first one dies and leaves its socket behind; the next start
        // takes over, and the one after hands over to it.
        first.kill();
        QVERIFY(first.waitForFinished(5000));
        QVERIFY(QFileInfo::exists(socketPath));
        QProcess third;
        start(third, name);
        QVERIFY(third.waitForStarted());
        QVERIFY(!third.waitForFinished(1500));
        QProcess fourth;
        start(fourth, name);
        QVERIFY(fourth.waitForFinished(10000));
        QCOMPARE(fourth.exitCode(), 0);
        QCOMPARE(third.state(), QProcess::Running);
        third.kill();
        third.waitForFinished(5000);
        QFile::remove(socketPath);
    }

    void nameThatCannotBeTakenEndsWithStatusOne()
    {
        QProcess process;
        start(process, m_files.filePath(QStringLiteral("no-such-dir/ridezu.sock")));
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 1);
    }
};

RIDEZU_GUI_TEST_MAIN(TestSingleInstance)
#include "tst_gui_singleinstance.moc"
