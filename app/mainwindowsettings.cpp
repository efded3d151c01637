// What the main window keeps in the settings store (its geometry and layout,
// the display settings, the last directory and the recent files), the
// recent-file menu, and the window's part in the desktop integration and the
// about box.

#include "app/mainwindow.h"

#include "app/aboutdialog.h"
#include "app/desktopintegration.h"
#include "app/myweb.h"
#include "settings/settings.h"
#include "view/displaysettings.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
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

void MainWindow::updateRecentFiles(const QString &path, bool add)
{
    Settings().updateRecentFiles(path, add);
    // A hidden start page catches up when it is shown again.
    if (m_startPage && m_startPage->isVisible())
        m_startPage->refresh();
}

void MainWindow::updateRecentFilesMenu()
{
    m_recentFilesMenu->clear();
    const QStringList files = Settings().recentFiles();
    for (int n = 0; n < files.size(); ++n) {
        const QString &path = files.at(n);
        QAction *entry = m_recentFilesMenu->addAction(
            tr("&%1 %2").arg(n + 1).arg(QFileInfo(QDir::fromNativeSeparators(path)).fileName()));
        entry->setData(path);
        entry->setStatusTip(path);
    }
    m_recentFilesMenu->setEnabled(!files.isEmpty());
}

void MainWindow::registerFileType(
    const QString &typeName, const QString &description, const QString &extension, int iconIndex)
{
    DesktopIntegration::registerFileType(QCoreApplication::applicationFilePath(),
        DesktopIntegration::userPlaces(), typeName, description, extension, iconIndex);
}

void MainWindow::actDesklnk()
{
    DesktopIntegration::createDesktopShortcut(
        QCoreApplication::applicationFilePath(), DesktopIntegration::userPlaces());
}

void MainWindow::actAbout()
{
    AboutDialog dialog(this);
    dialog.exec();
}
