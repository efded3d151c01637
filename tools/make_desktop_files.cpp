// make-desktop-files DIR: writes under DIR (the share folder of the
// installation) the desktop entry, the MIME package of the project files and
// the program's icon, exactly as the program writes them for a user, except
// that the entry starts the program by its name on the PATH.

#include "app/desktopintegration.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

bool write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "make-desktop-files: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    Q_INIT_RESOURCE(res);
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-desktop-files DIR\n");
        return 2;
    }
    using namespace DesktopIntegration;
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const QString mimeType = mimeTypeName(QLatin1String(FileTypeName));
    bool ok = write(desktopEntryPath(dir), desktopEntry(QStringLiteral("ridezu"), mimeType));
    ok =
        write(mimePackagePath(dir),
            mimePackage(mimeType, QLatin1String(FileTypeDescription), QLatin1String(FileExtension)))
        && ok;
    ok = write(iconPath(dir), iconData()) && ok;
    return ok ? 0 : 1;
}
