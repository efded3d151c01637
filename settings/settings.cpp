#include "settings/settings.h"

#include "buildinfo.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString GeometryKey = QStringLiteral("geometry");
const QString WindowStateKey = QStringLiteral("windowState");
const QString FontSizeKey = QStringLiteral("fontsize");
const QString OffsetKey = QStringLiteral("offset");
const QString LastPathKey = QStringLiteral("lastpath");
const QString RecentFilesKey = QStringLiteral("recentFileList");
const QString RecentFileKey = QStringLiteral("file");
const QString DockStateKey = QStringLiteral("DockState");

// A stored dialog larger than this on either side is taken for damage.
constexpr int MaxDialogSide = 10000;

struct DialogKeys
{
    QString geometry;
    QString help; // empty: the dialog has no help text
};

DialogKeys keysOf(Settings::Dialog dialog)
{
    switch (dialog) {
    case Settings::Dialog::Base: return {QStringLiteral("basedlg1"), QStringLiteral("basedlgtxt")};
    case Settings::Dialog::Pile: return {QStringLiteral("piledlg"), QString()};
    case Settings::Dialog::Soil: return {QStringLiteral("soildlg"), QStringLiteral("soildlgtxt")};
    case Settings::Dialog::Anchor:
        return {QStringLiteral("anchordlg"), QStringLiteral("anchordlgtxt")};
    case Settings::Dialog::Force:
        return {QStringLiteral("forcedlg"), QStringLiteral("forcedlgtxt")};
    case Settings::Dialog::Design:
        return {QStringLiteral("designdlg"), QStringLiteral("designdlgtxt")};
    }
    return {};
}

} // namespace

Settings::Settings()
    : m_store(QStringLiteral(RIDEZU_ORGANIZATION), QStringLiteral(RIDEZU_APPLICATION))
{ }

QByteArray Settings::geometry() const
{
    return m_store.value(GeometryKey).toByteArray();
}

void Settings::setGeometry(const QByteArray &geometry)
{
    m_store.setValue(GeometryKey, geometry);
}

QByteArray Settings::windowState() const
{
    return m_store.value(WindowStateKey).toByteArray();
}

void Settings::setWindowState(const QByteArray &state)
{
    m_store.setValue(WindowStateKey, state);
}

// An int value of the store; the default when absent or not a number.
static int storedInt(const QSettings &store, const QString &key, int fallback)
{
    bool ok = false;
    const int value = store.value(key).toInt(&ok);
    return ok ? value : fallback;
}

int Settings::fontSize() const
{
    return std::clamp(storedInt(m_store, FontSizeKey, FontSizeDefault), FontSizeMin, FontSizeMax);
}

void Settings::setFontSize(int size)
{
    m_store.setValue(FontSizeKey, size);
}

int Settings::offset() const
{
    return std::clamp(storedInt(m_store, OffsetKey, OffsetDefault), OffsetMin, OffsetMax);
}

void Settings::setOffset(int offset)
{
    m_store.setValue(OffsetKey, offset);
}

QString Settings::lastPath() const
{
    return m_store.value(LastPathKey).toString();
}

void Settings::setLastPath(const QString &filePath)
{
    const QFileInfo info(QDir::fromNativeSeparators(filePath));
    m_store.setValue(LastPathKey, QDir::toNativeSeparators(info.absolutePath()));
}

QStringList Settings::recentFiles() const
{
    QStringList files;
    const int size = m_store.beginReadArray(RecentFilesKey);
    for (int n = 0; n < size && files.size() < MaxRecentFiles; ++n) {
        m_store.setArrayIndex(n);
        const QString file = m_store.value(RecentFileKey).toString();
        if (!file.isEmpty())
            files.append(file);
    }
    m_store.endArray();
    return files;
}

void Settings::setRecentFiles(const QStringList &files)
{
    // The old array goes first, so that no entries of a longer list linger
    // behind the new size.
    m_store.remove(RecentFilesKey);
    m_store.beginWriteArray(RecentFilesKey);
    const int count = std::min<int>(MaxRecentFiles, files.size());
    for (int n = 0; n < count; ++n) {
        m_store.setArrayIndex(n);
        m_store.setValue(RecentFileKey, files.at(n));
    }
    m_store.endArray();
}

void Settings::updateRecentFiles(const QString &path, bool add)
{
    const QString native = QDir::toNativeSeparators(path);
    const QStringList old = recentFiles();
    QStringList files = old;
    files.removeAll(native);
    if (add)
        files.prepend(native);
    if (files != old)
        setRecentFiles(files);
}

QRect Settings::dialogGeometry(Dialog dialog) const
{
    const QRect rect = m_store.value(keysOf(dialog).geometry).toRect();
    if (rect.isEmpty() || rect.width() > MaxDialogSide || rect.height() > MaxDialogSide)
        return QRect();
    return rect;
}

void Settings::setDialogGeometry(Dialog dialog, const QRect &rect)
{
    m_store.setValue(keysOf(dialog).geometry, rect);
}

bool Settings::dialogHelpShown(Dialog dialog) const
{
    const QString key = keysOf(dialog).help;
    return key.isEmpty() || m_store.value(key, true).toBool();
}

void Settings::setDialogHelpShown(Dialog dialog, bool shown)
{
    const QString key = keysOf(dialog).help;
    if (!key.isEmpty())
        m_store.setValue(key, shown);
}

QByteArray Settings::dockState() const
{
    return m_store.value(DockStateKey).toByteArray();
}

void Settings::setDockState(const QByteArray &state)
{
    m_store.setValue(DockStateKey, state);
}
