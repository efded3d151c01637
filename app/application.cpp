#include "app/application.h"

#include "app/desktopintegration.h"
#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "buildinfo.h"
#include "view/fonts.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyle>
#include <QStyleFactory>
#include <QTranslator>

namespace {

// Qt's own file dialogs, message boxes and standard buttons speak the
// program's language, whatever the system locale. Without the translation
// files they stay in English.
void installQtTranslations()
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
            QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}

} // namespace

void setupApplication()
{
    QCoreApplication::setOrganizationName(QStringLiteral(RIDEZU_ORGANIZATION));
    QCoreApplication::setApplicationName(QStringLiteral(RIDEZU_APPLICATION));
    QCoreApplication::setApplicationVersion(QStringLiteral(RIDEZU_VERSION));
    installQtTranslations();
    // The window's icon, and the desktop entry that desktops match the
    // window with.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/res/ridezu.png")));
    QGuiApplication::setDesktopFileName(
        QFileInfo(QLatin1String(DesktopIntegration::DesktopFileName)).completeBaseName());

    installFontFallbacks();
    QFont font = programFont();
    font.setPointSize(9);
    QApplication::setFont(font);

    if (QStyle *style = QStyleFactory::create(QStringLiteral("windowsvista")))
        QApplication::setStyle(style);
}

QStringList filesFromArguments(int argc, char **argv)
{
    QStringList files;
    for (int n = 1; n < argc; ++n) {
        const QFileInfo info(QString::fromLocal8Bit(argv[n]));
        if (info.exists())
            files.append(info.absoluteFilePath());
    }
    return files;
}

void connectInstanceServer(InstanceServer &server, MainWindow &window)
{
    QObject::connect(&server, &InstanceServer::openRequested, &window, &MainWindow::openFile);
    QObject::connect(&server, &InstanceServer::activateRequested, &window, [&window]() {
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.raise();
        window.activateWindow();
    });
}

int runApplication(QApplication &app, int argc, char **argv)
{
    setupApplication();
    const QStringList files = filesFromArguments(argc, argv);
    const QString name = SingleInstance::serverName();
    if (SingleInstance::handOver(name, files))
        return 0;

    InstanceServer server;
    if (!server.listen(name)) {
        server.listen(name);
        return 1;
    }

    MainWindow window;
    connectInstanceServer(server, window);
    for (const QString &file : files)
        window.openFile(file);
    window.show();
    return app.exec();
}
