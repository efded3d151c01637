// One instance per user: the hand-over format, the server's handling of what
// arrives, its privacy, and two real processes of the program.

#include "guitestsupport.h"

#include "app/application.h"
#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "view/settingsstore.h"
#include "view/view.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

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

QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
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

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

    QTemporaryDir m_settingsDir;
    QTemporaryDir m_files;

    QString makeProject(const QString &name)
    {
        View view;
        view.newFile();
        if (!view.saveFile(m_files.filePath(name)))
            return QString();
        return view.filePath();
    }

    QString programPath() const { return QStringLiteral(RIDEZU_BIN_DIR "/ridezu"); }

    QProcessEnvironment programEnvironment(const QString &name) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("RIDEZU_INSTANCE_NAME"), name);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_settingsDir.path());
        return env;
    }

private slots:
    void initTestCase()
    {
        Q_INIT_RESOURCE(res);
        QVERIFY(m_settingsDir.isValid());
        QVERIFY(m_files.isValid());
        useTemporarySettings(m_settingsDir);
        qunsetenv("RIDEZU_INSTANCE_NAME");
    }

    void fileListUsesTheDataStreamFormat()
    {
        const QByteArray bytes =
            SingleInstance::encodeFileList({QStringLiteral("ab"), QStringLiteral("路")});
        QCOMPARE(bytes,
            hex("00000002"
                "00000004"
                "00610062"
                "00000002"
                "8def"));
        QCOMPARE(SingleInstance::activateMessage, QByteArray("ACTIVATE_WINDOW"));
        QCOMPARE(SingleInstance::activateMessage.size(), 15);
    }

    void fileListDecodesAndIgnoresWhatFollows()
    {
        const QStringList files = {QStringLiteral("/tmp/一.qzp"), QStringLiteral("/tmp/b c.qzp")};
        const QByteArray bytes = SingleInstance::encodeFileList(files);
        QCOMPARE(SingleInstance::decodeFileList(bytes), files);
        QCOMPARE(SingleInstance::decodeFileList(bytes + SingleInstance::activateMessage), files);
        QCOMPARE(SingleInstance::decodeFileList(SingleInstance::encodeFileList({})), QStringList());
    }

    void brokenFileListsDecodeToNothing()
    {
        const QByteArray good = SingleInstance::encodeFileList({QStringLiteral("/a/b.qzp")});
        QCOMPARE(SingleInstance::decodeFileList(good.left(good.size() - 1)), QStringList());
        QCOMPARE(SingleInstance::decodeFileList(hex("ffffffff00000002")), QStringList());
        QCOMPARE(SingleInstance::decodeFileList(hex("7fffffff00000002")), QStringList());
        QCOMPARE(SingleInstance::decodeFileList(hex("00000001000000ff0061")), QStringList());
        QCOMPARE(SingleInstance::decodeFileList(QByteArray("AC")), QStringList());
        QCOMPARE(SingleInstance::decodeFileList(QByteArray()), QStringList());
    }

    void argumentsNamingNoFileAreDropped()
    {
        const QString a = makeProject(QStringLiteral("arg.qzp"));
        QVERIFY(QDir::setCurrent(m_files.path()));
        QByteArray program("ridezu"), missing("nothing-here.qzp"), relative("arg.qzp");
        char *argv[] = {program.data(), missing.data(), relative.data()};
        QCOMPARE(filesFromArguments(3, argv), QStringList(a));
    }

    void serverNameIsPersonalUnlessOverridden()
    {
        const QString name = SingleInstance::serverName();
        QVERIFY(name.contains(SingleInstance::baseName + '-' + QString::number(getuid())));
        if (QFileInfo(name).isAbsolute()) // inside the user's private runtime directory
            QCOMPARE(QFileInfo(name).absolutePath(),
                QFileInfo(qEnvironmentVariable("XDG_RUNTIME_DIR")).absoluteFilePath());

        qputenv("RIDEZU_INSTANCE_NAME", "some-test-name");
        QCOMPARE(SingleInstance::serverName(), QStringLiteral("some-test-name"));
        qunsetenv("RIDEZU_INSTANCE_NAME");
    }

    void serverSocketIsForThisUserOnly()
    {
        InstanceServer server;
        QVERIFY(server.listen(uniqueName("mode")));
        struct stat info;
        QCOMPARE(::stat(QFile::encodeName(server.fullServerName()).constData(), &info), 0);
        QVERIFY(S_ISSOCK(info.st_mode));
        QCOMPARE(info.st_uid, getuid());
        QCOMPARE(int(info.st_mode & (S_IRWXG | S_IRWXO)), 0);
    }

    void staleSocketDoesNotStopTheNextStart()
    {
        // A socket file left behind by a program that died.
        const QString name = uniqueName("stale");
        const QByteArray path = QFile::encodeName(QDir::tempPath() + '/' + name);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(fd >= 0);
        sockaddr_un address;
        std::memset(&address, 0, sizeof(address));
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.constData(), sizeof(address.sun_path) - 1);
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)), 0);
        ::close(fd);
        QVERIFY(QFileInfo::exists(QString::fromLocal8Bit(path)));

        QVERIFY(!SingleInstance::handOver(name, {}));
        InstanceServer server;
        QVERIFY(server.listen(name));
        QSignalSpy activations(&server, &InstanceServer::activateRequested);
        QVERIFY(SingleInstance::handOver(name, {}));
        QTRY_COMPARE(activations.count(), 1);
    }

    void nobodyListeningMeansNoHandOver()
    {
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!SingleInstance::handOver(uniqueName("nobody"), {QStringLiteral("/x.qzp")}));
        QVERIFY(timer.elapsed() < 1500);
    }

    void clientOfAnotherNameDoesNotReachTheServer()
    {
        InstanceServer server;
        QVERIFY(server.listen(uniqueName("mine")));
        QSignalSpy activations(&server, &InstanceServer::activateRequested);
        QVERIFY(!SingleInstance::handOver(uniqueName("other"), {}));
        // The plain, impersonal name is not this user's server either.
        QVERIFY(!SingleInstance::handOver(SingleInstance::baseName + "-not-" + "mine", {}));
        QCoreApplication::processEvents();
        QCOMPARE(activations.count(), 0);
    }

    void listAndActivationInOneReadOpenTheFilesOnly()
    {
        PromptRecorder prompts;
        const QString a = makeProject(QStringLiteral("one-a.qzp"));
        const QString b = makeProject(QStringLiteral("one-b.qzp"));
        MainWindow window;
        InstanceServer server;
        const QString name = uniqueName("oneread");
        QVERIFY(server.listen(name));
        connectInstanceServer(server, window);
        QSignalSpy activations(&server, &InstanceServer::activateRequested);

        sendAsClient(
            name, {SingleInstance::encodeFileList({a, b}) + SingleInstance::activateMessage});
        QTRY_COMPARE(window.tabWidget()->count(), 3);
        QCOMPARE(qobject_cast<View *>(window.tabWidget()->widget(1))->filePath(), a);
        QCOMPARE(qobject_cast<View *>(window.tabWidget()->widget(2))->filePath(), b);
        QCOMPARE(activations.count(), 0);
        QVERIFY(prompts.warnings.isEmpty());
    }

    void listThenActivationInTwoReadsOpenThenRaise()
    {
        PromptRecorder prompts;
        const QString a = makeProject(QStringLiteral("two-a.qzp"));
        const QString b = makeProject(QStringLiteral("two-b.qzp"));
        MainWindow window;
        InstanceServer server;
        const QString name = uniqueName("tworeads");
        QVERIFY(server.listen(name));
        connectInstanceServer(server, window);
        QStringList events;
        connect(&server, &InstanceServer::openRequested, this,
            [&events](const QString &path) { events.append(QFileInfo(path).fileName()); });
        connect(&server, &InstanceServer::activateRequested, this,
            [&events]() { events.append(QStringLiteral("activate")); });

        sendAsClient(name,
            {SingleInstance::encodeFileList({a, b}), SingleInstance::activateMessage},
            [&window]() { QTRY_COMPARE(window.tabWidget()->count(), 3); });
        QTRY_COMPARE(events.size(), 3);
        QCOMPARE(events, QStringList({"two-a.qzp", "two-b.qzp", "activate"}));
    }

    void handOverDeliversFilesToTheRunningWindow()
    {
        PromptRecorder prompts;
        const QString a = makeProject(QStringLiteral("hand-a.qzp"));
        const QString b = makeProject(QStringLiteral("hand-b.qzp"));
        MainWindow window;
        InstanceServer server;
        const QString name = uniqueName("handover");
        QVERIFY(server.listen(name));
        connectInstanceServer(server, window);

        QVERIFY(SingleInstance::handOver(name, {a, b}));
        QTRY_COMPARE(window.tabWidget()->count(), 3);
        QCOMPARE(qobject_cast<View *>(window.tabWidget()->widget(2))->filePath(), b);

        // A file already open is not opened twice.
        QVERIFY(SingleInstance::handOver(name, {a}));
        QTRY_COMPARE(window.tabWidget()->currentIndex(), 1);
        QCOMPARE(window.tabWidget()->count(), 3);
    }

    void handOverWithoutFilesOnlyActivates()
    {
        InstanceServer server;
        const QString name = uniqueName("noargs");
        QVERIFY(server.listen(name));
        QSignalSpy activations(&server, &InstanceServer::activateRequested);
        QSignalSpy opens(&server, &InstanceServer::openRequested);
        QVERIFY(SingleInstance::handOver(name, {}));
        QTRY_COMPARE(activations.count(), 1);
        QCOMPARE(opens.count(), 0);
    }

    void garbageFromAClientOpensNothing()
    {
        InstanceServer server;
        const QString name = uniqueName("garbage");
        QVERIFY(server.listen(name));
        QSignalSpy activations(&server, &InstanceServer::activateRequested);
        QSignalSpy opens(&server, &InstanceServer::openRequested);
        sendAsClient(name, {hex("7fffffff0000000400410042")});
        sendAsClient(name, {QByteArray("ACTIVATE_WINDOW!")});
        sendAsClient(name, {SingleInstance::activateMessage});
        QTRY_COMPARE(activations.count(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(opens.count(), 0);
    }

    void secondProcessHandsOverAndExits()
    {
        QVERIFY2(QFileInfo::exists(programPath()), qPrintable(programPath()));
        const QString a = makeProject(QStringLiteral("proc-a.qzp"));
        const QString b = makeProject(QStringLiteral("proc-b.qzp"));
        const QString name = uniqueName("process");
        const QString socketPath = QDir::tempPath() + '/' + name;

        QProcess first;
        first.setProcessEnvironment(programEnvironment(name));
        first.start(programPath(), {});
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socketPath), 15000);

        QProcess second;
        second.setProcessEnvironment(programEnvironment(name));
        QElapsedTimer timer;
        timer.start();
        second.start(programPath(), {a, b, m_files.filePath(QStringLiteral("missing.qzp"))});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(timer.elapsed() < 5000);
        QCOMPARE(first.state(), QProcess::Running);

        QProcess third;
        third.setProcessEnvironment(programEnvironment(name));
        third.start(programPath(), {});
        QVERIFY(third.waitForFinished(10000));
        QCOMPARE(third.exitCode(), 0);

        // The first one dies without cleaning up; the next start takes over.
        first.kill();
        QVERIFY(first.waitForFinished(5000));
        QVERIFY(QFileInfo::exists(socketPath));
        QProcess fourth;
        fourth.setProcessEnvironment(programEnvironment(name));
        fourth.start(programPath(), {});
        QVERIFY(fourth.waitForStarted());
        QVERIFY(!fourth.waitForFinished(1500));
        QProcess fifth;
        fifth.setProcessEnvironment(programEnvironment(name));
        fifth.start(programPath(), {});
        QVERIFY(fifth.waitForFinished(10000));
        QCOMPARE(fifth.exitCode(), 0);
        QCOMPARE(fourth.state(), QProcess::Running);
        fourth.kill();
        fourth.waitForFinished(5000);
        QFile::remove(socketPath);
    }

    void nameThatCannotBeTakenEndsWithStatusOne()
    {
        QProcess process;
        process.setProcessEnvironment(
            programEnvironment(m_files.filePath(QStringLiteral("no-such-dir/ridezu.sock"))));
        process.start(programPath(), {});
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 1);
    }
};

QTEST_MAIN(TestSingleInstance)
#include "tst_gui_singleinstance.moc"
