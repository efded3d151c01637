// Project tabs of the main window: new, open, save, close, drops and the
// close of the window.

#include "app/mainwindow.h"

#include "dock/dockview.h"
#include "document/document.h"
#include "settings/settings.h"
#include "view/prompts.h"
#include "view/view.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QStatusBar>
#include <QTabWidget>

namespace {

// Largest number of files one drop opens.
constexpr int MAXDROPPEDFILES = 32;

} // namespace

View *MainWindow::currentView() const
{
    if (m_tabWidget->count() < 1)
        return nullptr;
    return qobject_cast<View *>(m_tabWidget->currentWidget());
}

void MainWindow::addViewTab(View *view)
{
    const int index = m_tabWidget->addTab(view, view->windowTitle());
    m_tabWidget->setTabToolTip(index, view->filePath());
    m_tabWidget->setCurrentIndex(index);
    connect(view->document(), &Document::modifiedChanged, this, &MainWindow::onDocumentModified);
    // The commands follow every change of the project, whoever made it.
    const auto follow = [this, view]() {
        if (view == currentView())
            updateActions();
    };
    connect(view->document(), &Document::dataChanged, this, follow);
    connect(view->document(), &Document::displayChanged, this, follow);
    connect(view->document(), &Document::resultsChanged, this, follow);
    connect(view->document(), &Document::historyChanged, this, [this, view]() {
        if (view == currentView())
            updateHistoryActions(view->document());
    });
    connect(view, &View::mousePositionChanged, this, [this](QPointF pos) {
        m_statusLabel->setText(
            tr("坐标: X=%1 , Y=%2").arg(pos.x(), 0, 'f', 2).arg(pos.y(), 0, 'f', 2));
    });
}

void MainWindow::actNew()
{
    auto *view = new View;
    view->newFile();
    addViewTab(view);
    view->fitView();
}

void MainWindow::openFile(const QString &filePath)
{
    if (!QFileInfo::exists(filePath)) {
        Prompts::warn(this, tr("澄川抗滑桩"), tr("\"%1\"文件不存在").arg(filePath));
        updateRecentFiles(filePath, false);
        return;
    }
    // A tab holds the canonical path of its file, so a relative path or a
    // link to an open project finds its tab instead of opening it twice.
    const QString canonical = QFileInfo(filePath).canonicalFilePath();
    for (int n = 0; n < m_tabWidget->count(); ++n) {
        const View *view = qobject_cast<View *>(m_tabWidget->widget(n));
        if (view && (view->filePath() == filePath || view->filePath() == canonical)) {
            m_tabWidget->setCurrentIndex(n);
            return;
        }
    }
    // Made inside the window, so that the one message box of a file that
    // cannot be read (shown by the view before the tab exists, naming the
    // file and the reason) is centred on the window.
    auto *view = new View(this);
    if (!view->loadFile(filePath)) {
        view->deleteLater();
        return;
    }
    addViewTab(view);
    // The tab's own (canonical) path: a link and its target are one entry.
    const QString opened = QDir::toNativeSeparators(view->filePath());
    saveLastPath(opened);
    updateRecentFiles(opened, true);
}

void MainWindow::actOpen()
{
    const QString lastPath = Settings().lastPath();
    const QString name = Prompts::openFileName(
        this, tr("打开文件"), lastPath, tr("数据文件(*.qzp);;所有文件(*.*)"), nullptr);
    if (!name.isEmpty())
        openFile(QDir::toNativeSeparators(name));
}

void MainWindow::actSave()
{
    View *view = currentView();
    if (view && view->save())
        showSavedFile(view, tr("保存文件"));
}

void MainWindow::actSaveAs()
{
    View *view = currentView();
    if (view && view->saveAs())
        showSavedFile(view, tr("另存文件"));
}

void MainWindow::showSavedFile(View *view, const QString &message)
{
    const int index = m_tabWidget->currentIndex();
    m_tabWidget->setTabText(index, view->windowTitle());
    m_tabWidget->setTabToolTip(index, view->filePath());
    saveLastPath(view->filePath());
    updateRecentFiles(view->filePath(), true);
    statusBar()->showMessage(message, 2000);
}

void MainWindow::onTabCloseRequested(int index)
{
    QWidget *page = m_tabWidget->widget(index);
    auto *view = qobject_cast<View *>(page);
    if (!view) {
        // The start page stays a hidden child of the tab widget.
        m_tabWidget->removeTab(index);
        return;
    }
    if (!view->maybeSave())
        return;
    m_tabWidget->removeTab(m_tabWidget->indexOf(view));
    view->deleteLater();
}

void MainWindow::onCurrentTabChanged(int)
{
    updateActions();
    View *view = currentView();
    if (view && view->document())
        m_dockView->setDocument(view->document());
    else
        m_dockView->showWelcome();
}

void MainWindow::onDocumentModified(bool modified)
{
    const View *view = currentView();
    if (!view || !view->document() || sender() != view->document())
        return;
    QString text = view->windowTitle();
    if (modified)
        text += QLatin1Char('*');
    m_tabWidget->setTabText(m_tabWidget->currentIndex(), text);
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    event->acceptProposedAction();
}

void MainWindow::dragMoveEvent(QDragMoveEvent *event)
{
    event->acceptProposedAction();
}

void MainWindow::dragLeaveEvent(QDragLeaveEvent *event)
{
    event->accept();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QMimeData *mime = event->mimeData();
    if (!mime || !mime->hasUrls())
        return;
    QStringList paths;
    for (const QUrl &url : mime->urls().mid(0, MAXDROPPEDFILES))
        paths.append(url.toLocalFile());
    event->acceptProposedAction();
    // Opened once the drop is over, so that message boxes of openFile do not
    // hold up the application the files came from.
    QMetaObject::invokeMethod(
        this,
        [this, paths]() {
            for (const QString &path : paths)
                openFile(path);
        },
        Qt::QueuedConnection);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // Every modified project is asked about, in tab order, before any tab
    // goes: a Cancel leaves the window with all its tabs, the start page
    // included, as they were.
    for (int n = 0; n < m_tabWidget->count(); ++n) {
        auto *view = qobject_cast<View *>(m_tabWidget->widget(n));
        if (view && !view->maybeSave()) {
            event->ignore();
            return;
        }
    }
    while (m_tabWidget->count() > 0) {
        QWidget *page = m_tabWidget->widget(0);
        m_tabWidget->removeTab(0);
        if (qobject_cast<View *>(page))
            page->deleteLater();
    }
    writeSettings();
    event->accept();
}
