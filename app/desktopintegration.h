#pragma once

// Makes the program known to the user's desktop: the project file type opens
// with it, and a shortcut to it can be put on the desktop.
//
// On Windows the file type is registered under the current user's classes
// key and the shortcut is a shell link. On Linux the freedesktop equivalents
// are written into the user's data directory: a shared-mime-info package for
// the project files, a desktop entry that opens them with this program and
// the program's icon; the shortcut is a launcher in the desktop folder. The
// files are written only when missing or when they name another program
// path, and the desktop's caches are brought up to date by its own tools
// when they are installed; without them nothing fails.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace DesktopIntegration {

// The folders written into.
struct Places
{
    QString dataDir; // $XDG_DATA_HOME, else ~/.local/share
    QString desktopDir; // $XDG_DESKTOP_DIR, else the desktop folder of the user's directories
};

// The folders of the current user, from the environment.
Places userPlaces();

// The project file type as the program registers it.
inline const char *const FileTypeName = "RIDezu.File.10";
inline const char *const FileTypeDescription = "RIDezu Document File";
inline const char *const FileExtension = ".qzp";
inline const int FileIconIndex = 1;

// Name of the desktop entry of the program, installed and per user alike.
inline const char *const DesktopFileName = "ridezu.desktop";
// Name of the icon of the program and of its project files.
inline const char *const IconName = "ridezu";
// Name of the shared-mime-info package of the project file type.
inline const char *const MimePackageName = "ridezu.xml";

// Where the desktop entry, the MIME package and the icon lie under a data
// folder (the user's, or share/ of an installation).
QString desktopEntryPath(const QString &dataDir);
QString mimePackagePath(const QString &dataDir);
QString iconPath(const QString &dataDir);
// The program's icon as PNG data; empty when the resources are missing.
QByteArray iconData();

// MIME type name of a registered type name: "RIDezu.File.10" gives
// "application/x-ridezu.file.10".
QString mimeTypeName(const QString &typeName);

// The desktop entry that starts the program exec (an absolute path, or a
// bare name found on the PATH) with the files given to it; when mimeType is
// not empty, the entry opens files of that type.
QByteArray desktopEntry(const QString &exec, const QString &mimeType);

// The shared-mime-info package that gives the files of the extension
// (".qzp") the MIME type, its description and the program's icon.
QByteArray mimePackage(
    const QString &mimeType, const QString &description, const QString &extension);

// Registers the file type for the program at exe (its own path). On Linux
// iconIndex is not used: the icon is the program's icon. Returns true when
// anything was written.
bool registerFileType(const QString &exe, const Places &places, const QString &typeName,
    const QString &description, const QString &extension, int iconIndex);

// Puts a shortcut to the program at exe on the desktop unless one is there.
// Returns true when it made one.
bool createDesktopShortcut(const QString &exe, const Places &places);

// File name of the desktop shortcut in the desktop folder.
QString shortcutFileName();

// Starts a desktop tool without waiting for it, when it is installed; tests
// replace it to see what would run.
extern std::function<void(const QString &program, const QStringList &arguments)> runTool;

} // namespace DesktopIntegration
