// What the main window keeps in the settings store: its geometry and layout,
// the display settings and the last directory used.

#include "app/mainwindow.h"

#include "view/displaysettings.h"
#include "view/settingsstore.h"

#include <QDir>
#include <QFileInfo>
#include <QScreen>

#include <algorithm>

void MainWindow::readSettings()
{
    QSettings settings = openSettings();
    const QByteArray geometry = settings.value(QStringLiteral("geometry")).toByteArray();
    if (geometry.isEmpty()) {
        // The first start keeps the window's own size as far as the screen
        // allows: a third of the screen leaves the drawing a speck and the
        // status-bar widgets on top of each other.
        const QRect available = screen()->availableGeometry();
        resize(std::min(std::max(1180, available.width() / 3), available.width()),
            std::min(std::max(854, available.height() / 2), available.height()));
        move(available.x() + (available.width() - width()) / 2,
            available.y() + (available.height() - height()) / 2);
    } else {
        restoreGeometry(geometry);
    }
    const QByteArray state = settings.value(QStringLiteral("windowState")).toByteArray();
    if (!state.isEmpty())
        restoreState(state, 0);

    displayFontSize = std::clamp(settings.value(QStringLiteral("fontsize"), 40).toInt(), 10, 100);
    const int offset = settings.value(QStringLiteral("offset"), 2).toInt();
    displayOffset = offset <= 0 ? 1 : std::min(offset, 10);
}

void MainWindow::writeSettings()
{
    QSettings settings = openSettings();
    settings.setValue(QStringLiteral("windowState"), saveState(0));
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
    settings.setValue(QStringLiteral("fontsize"), displayFontSize);
    settings.setValue(QStringLiteral("offset"), displayOffset);
}

void MainWindow::saveLastPath(const QString &path)
{
    const QFileInfo info(QDir::fromNativeSeparators(path));
    openSettings().setValue(
        QStringLiteral("lastpath"), QDir::toNativeSeparators(info.absolutePath()));
}

// The recent-file list is not kept yet.
void MainWindow::updateRecentFiles(const QString &, bool) { }
