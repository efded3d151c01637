#include "app/desktopintegration.h"

#include "buildinfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QXmlStreamWriter>

namespace DesktopIntegration {

std::function<void(const QString &, const QStringList &)> runTool =
    [](const QString &program, const QStringList &arguments) {
        const QString path = QStandardPaths::findExecutable(program);
        if (path.isEmpty())
            return;
        QProcess process;
        process.setProgram(path);
        process.setArguments(arguments);
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.startDetached();
    };

namespace {

QString programName()
{
    return QString::fromUtf8(RIDEZU_PROGRAM_NAME);
}

// An absolute folder named by the environment variable, else empty: a
// relative value is ignored as the freedesktop rules ask.
QString absoluteFolderOf(const char *variable)
{
    const QString value = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : QString();
}

// Writes the whole file or nothing, creating its folder.
bool writeFile(const QString &path, const QByteArray &bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return file.commit();
}

// One argument of a desktop entry's Exec key: quoted when it holds anything
// but plain path characters, with the quote rule's escapes, and "%"
// doubled so that it is no field code.
QString execArgument(const QString &argument)
{
    bool plain = !argument.isEmpty();
    for (const QChar c : argument) {
        if (!(c.isLetterOrNumber() || QStringLiteral("/._+-").contains(c)))
            plain = false;
    }
    QString quoted;
    if (plain) {
        quoted = argument;
    } else {
        quoted = QStringLiteral("\"");
        for (const QChar c : argument) {
            if (QStringLiteral("\"`$\\").contains(c))
                quoted += QLatin1Char('\\');
            quoted += c;
        }
        quoted += QLatin1Char('"');
    }
    return quoted.replace(QLatin1Char('%'), QStringLiteral("%%"));
}

// A string value of a desktop entry, with the escapes of the string type.
QString entryString(const QString &value)
{
    QString escaped;
    for (const QChar c : value) {
        if (c == QLatin1Char('\\'))
            escaped += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            escaped += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            escaped += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            escaped += QStringLiteral("\\r");
        else
            escaped += c;
    }
    return escaped;
}

// The Exec value that starts the program at exe with the files given.
QString execValue(const QString &exe)
{
    return entryString(execArgument(exe) + QStringLiteral(" %F"));
}

// The Exec value of the desktop entry at path, or empty when there is no
// such file or entry.
QString execValueOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inEntry = line == QLatin1String("[Desktop Entry]");
        else if (inEntry && line.startsWith(QLatin1String("Exec=")))
            return line.mid(5);
    }
    return QString();
}

#ifdef Q_OS_WIN

bool registerInRegistry(const QString &exePath, const QString &typeName, const QString &description,
    const QString &extension, int iconIndex)
{
    QSettings classes(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes"), QSettings::NativeFormat);
    const QString exe = QDir::toNativeSeparators(exePath);
    const QString index = QString::number(iconIndex);
    const QString iconKey = QLatin1Char('/') + typeName + QStringLiteral("/DefaultIcon/.");
    QString icon = classes.value(iconKey, QStringLiteral(" ")).toString();
    if (icon.size() >= 4) {
        const QStringList parts = icon.remove(QLatin1Char('"')).split(QLatin1Char(','));
        if (parts.size() >= 2 && parts.at(0) == exe && parts.at(1) == index)
            return false;
    }
    classes.setValue(QLatin1Char('/') + extension + QStringLiteral("/."), typeName);
    classes.setValue(QLatin1Char('/') + typeName + QStringLiteral("/."), description);
    classes.setValue(iconKey, QLatin1Char('"') + exe + QStringLiteral("\",") + index);
    classes.setValue(QLatin1Char('/') + typeName + QStringLiteral("/Shell/Open/Command/."),
        QLatin1Char('"') + exe + QStringLiteral("\" \"%1\""));
    classes.sync();
    return true;
}

#endif

} // namespace

Places userPlaces()
{
    Places places;
    places.dataDir = absoluteFolderOf("XDG_DATA_HOME");
    if (places.dataDir.isEmpty())
        places.dataDir = QDir::homePath() + QStringLiteral("/.local/share");
    places.desktopDir = absoluteFolderOf("XDG_DESKTOP_DIR");
    if (places.desktopDir.isEmpty())
        places.desktopDir = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return places;
}

QString desktopEntryPath(const QString &dataDir)
{
    return dataDir + QStringLiteral("/applications/") + QLatin1String(DesktopFileName);
}

QString mimePackagePath(const QString &dataDir)
{
    return dataDir + QStringLiteral("/mime/packages/") + QLatin1String(MimePackageName);
}

QString iconPath(const QString &dataDir)
{
    return dataDir + QStringLiteral("/icons/hicolor/256x256/apps/") + QLatin1String(IconName)
        + QStringLiteral(".png");
}

QByteArray iconData()
{
    QFile icon(QStringLiteral(":/res/") + QLatin1String(IconName) + QStringLiteral(".png"));
    return icon.open(QIODevice::ReadOnly) ? icon.readAll() : QByteArray();
}

QString mimeTypeName(const QString &typeName)
{
    return QStringLiteral("application/x-") + typeName.toLower();
}

QByteArray desktopEntry(const QString &exec, const QString &mimeType)
{
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Version=1.5\n");
    text += QStringLiteral("Name=") + entryString(programName()) + QLatin1Char('\n');
    text += QStringLiteral("Comment=")
        + entryString(QCoreApplication::translate(
            "DesktopIntegration", "单排桩、双排桩及锚索(杆)抗滑桩的设计验算"))
        + QLatin1Char('\n');
    text += QStringLiteral("Exec=") + execValue(exec) + QLatin1Char('\n');
    text += QStringLiteral("Icon=") + QLatin1String(IconName) + QLatin1Char('\n');
    text += QStringLiteral("Terminal=false\n"
                           "Categories=Science;Engineering;\n");
    if (!mimeType.isEmpty())
        text += QStringLiteral("MimeType=") + mimeType + QStringLiteral(";\n");
    return text.toUtf8();
}

QByteArray mimePackage(
    const QString &mimeType, const QString &description, const QString &extension)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(
        QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info"));
    xml.writeStartElement(QStringLiteral("mime-info"));
    xml.writeStartElement(QStringLiteral("mime-type"));
    xml.writeAttribute(QStringLiteral("type"), mimeType);
    xml.writeTextElement(QStringLiteral("comment"), description);
    // A project is a zip archive: tools that know only zip still open it.
    xml.writeEmptyElement(QStringLiteral("sub-class-of"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("application/zip"));
    xml.writeEmptyElement(QStringLiteral("icon"));
    xml.writeAttribute(QStringLiteral("name"), QLatin1String(IconName));
    xml.writeEmptyElement(QStringLiteral("glob"));
    xml.writeAttribute(QStringLiteral("pattern"), QLatin1Char('*') + extension);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

bool registerFileType(const QString &exe, const Places &places, const QString &typeName,
    const QString &description, const QString &extension, int iconIndex)
{
#ifdef Q_OS_WIN
    Q_UNUSED(places)
    return registerInRegistry(exe, typeName, description, extension, iconIndex);
#else
    Q_UNUSED(iconIndex)
    const QString entryPath = desktopEntryPath(places.dataDir);
    const QString mimePath = mimePackagePath(places.dataDir);
    const QString iconFile = iconPath(places.dataDir);

    // The entry names the program path; when it names another one (the
    // program was moved or another copy ran last) everything is written anew.
    const bool current = execValueOf(entryPath) == execValue(exe);
    const QString mimeType = mimeTypeName(typeName);
    bool wroteEntry = false;
    bool wroteMime = false;
    bool wroteIcon = false;
    if (!current)
        wroteEntry = writeFile(entryPath, desktopEntry(exe, mimeType));
    if (!current || !QFileInfo::exists(mimePath))
        wroteMime = writeFile(mimePath, mimePackage(mimeType, description, extension));
    if (!current || !QFileInfo::exists(iconFile)) {
        const QByteArray icon = iconData();
        wroteIcon = !icon.isEmpty() && writeFile(iconFile, icon);
    }
    if (wroteMime)
        runTool(QStringLiteral("update-mime-database"), {places.dataDir + QStringLiteral("/mime")});
    if (wroteEntry) {
        runTool(QStringLiteral("update-desktop-database"),
            {places.dataDir + QStringLiteral("/applications")});
    }
    return wroteEntry || wroteMime || wroteIcon;
#endif
}

QString shortcutFileName()
{
#ifdef Q_OS_WIN
    return programName() + QStringLiteral(".lnk");
#else
    return programName() + QStringLiteral(".desktop");
#endif
}

bool createDesktopShortcut(const QString &exe, const Places &places)
{
    if (places.desktopDir.isEmpty())
        return false;
    const QString link = places.desktopDir + QLatin1Char('/') + shortcutFileName();
    const QFileInfo info(link);
    if (info.exists() || info.isSymLink())
        return false;
#ifdef Q_OS_WIN
    return QFile::link(exe, link);
#else
    if (!writeFile(link, desktopEntry(exe, QString())))
        return false;
    // A launcher starts only when it may be executed; desktops of the GNOME
    // kind also want it marked as trusted.
    QFile::setPermissions(link,
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
            | QFile::ReadOther | QFile::ExeOther);
    runTool(QStringLiteral("gio"),
        {QStringLiteral("set"), link, QStringLiteral("metadata::trusted"), QStringLiteral("true")});
    return true;
#endif
}

} // namespace DesktopIntegration
