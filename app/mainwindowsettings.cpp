// What the main window keeps in the settings store: its geometry and layout,
// the display settings and the last directory used.

#include "app/mainwindow.h"

#include "app/settings.h"
#include "view/displaysettings.h"

#include <QScreen>

#include <algorithm>

void MainWindow::readSettings()
{
    const Settings settings;
    const QByteArray geometry = settings.geometry();
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
    const QByteArray state = settings.windowState();
    if (!state.isEmpty())
        restoreState(state, 0);

    displayFontSize = settings.fontSize();
    displayOffset = settings.offset();
}

void MainWindow::writeSettings()
{
    Settings settings;
    settings.setWindowState(saveState(0));
    settings.setGeometry(saveGeometry());
    settings.setFontSize(displayFontSize);
    settings.setOffset(displayOffset);
}

void MainWindow::saveLastPath(const QString &path)
{
    Settings().setLastPath(path);
}

// The recent-file list is not kept yet.
void MainWindow::updateRecentFiles(const QString &, bool) { }
