// Commands of the main window that work on the current project: the state
// of the commands, analysis, labels, diagrams and the data commands.

#include "app/mainwindow.h"

#include "dock/dockview.h"
#include "engine/designchecks.h"
#include "model/document.h"
#include "view/view.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QStatusBar>

namespace {

// How long (ms) the status bar shows why an analysis failed.
constexpr int ANALYSISMESSAGETIME = 5000;

} // namespace

void MainWindow::updateActions()
{
    const View *view = currentView();
    updateExportActions(view);
    const bool e = view != nullptr;
    for (QAction *action : {m_actSave, m_actSaveAs, m_actBase, m_actPile, m_actSoil, m_actAnchor,
             m_actForce, m_actDesign, m_actAnalyse, m_actMark, m_actDisplace, m_actMoment,
             m_actShear, m_actNormal, m_actReact})
        action->setEnabled(e);
    if (!view || !view->document())
        return;

    const qint32 s = view->document()->status;
    const bool input = s & SHOWDATA;
    const bool result = s & SHOWRESULT;
    for (QAction *action : {m_actBase, m_actPile, m_actSoil, m_actAnchor, m_actForce, m_actDesign})
        action->setEnabled(input);
    m_actAnalyse->setChecked(result);
    m_actMark->setChecked(s & SHOWMARK);
    const QList<QPair<QAction *, qint32>> diagrams = {{m_actDisplace, SHOWDISPLACE},
        {m_actMoment, SHOWMOMENT}, {m_actShear, SHOWSHEAR}, {m_actNormal, SHOWNORMAL},
        {m_actReact, SHOWREACT}};
    for (const auto &diagram : diagrams) {
        diagram.first->setEnabled(result);
        diagram.first->setChecked(s & diagram.second);
    }
}

void MainWindow::repaintCurrentView()
{
    if (View *view = currentView())
        view->update();
}

void MainWindow::actAnalyse(bool checked)
{
    View *view = currentView();
    if (!view || !view->document())
        return;
    Document *doc = view->document();
    const qint32 keep = doc->status & SHOWMARK;
    if (!checked) {
        doc->status = keep | SHOWDATA;
    } else {
        const qsizetype linesBefore = doc->messages.size();
        // A large model takes a moment: the cursor shows that work is going on.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool analysed = doc->analyse();
        QApplication::restoreOverrideCursor();
        doc->status = keep | (analysed ? SHOWRESULT : SHOWDATA);
        if (analysed)
            // The checks themselves stand in the dock; the log says how
            // many are not satisfied, after the result report.
            doc->outInfo(DesignText::summary(designChecks(*doc)));
        else
            showAnalysisFailure(*doc, linesBefore);
    }
    updateActions();
    view->update();
    m_dockView->setDocument(doc);
}

void MainWindow::showAnalysisFailure(const Document &doc, qsizetype linesBefore)
{
    // The dock, which keeps the whole log, may be closed: the reason stands
    // in the status bar for a while too.
    QString reason = tr("分析失败");
    if (doc.messages.size() > linesBefore) {
        reason = doc.messages.last();
        if (reason.startsWith(QLatin1String(">>")))
            reason.remove(0, 2);
    }
    statusBar()->showMessage(reason, ANALYSISMESSAGETIME);
}

void MainWindow::actMark()
{
    View *view = currentView();
    if (!view || !view->document())
        return;
    view->document()->status ^= SHOWMARK;
    updateActions();
    view->update();
}

void MainWindow::showDiagram(qint32 bit, bool checked)
{
    View *view = currentView();
    if (!view || !view->document())
        return;
    Document *doc = view->document();
    doc->status = (doc->status & (SHOWRESULT | SHOWMARK)) | (checked ? bit : 0);
    updateActions();
    view->update();
}

void MainWindow::actDisplace(bool checked)
{
    showDiagram(SHOWDISPLACE, checked);
}

void MainWindow::actMoment(bool checked)
{
    showDiagram(SHOWMOMENT, checked);
}

void MainWindow::actShear(bool checked)
{
    showDiagram(SHOWSHEAR, checked);
}

void MainWindow::actNormal(bool checked)
{
    showDiagram(SHOWNORMAL, checked);
}

void MainWindow::actReact(bool checked)
{
    showDiagram(SHOWREACT, checked);
}

void MainWindow::actExit()
{
    QApplication::closeAllWindows();
}

void MainWindow::actDock()
{
    m_dockWidgetResult->setVisible(!m_dockWidgetResult->isVisible());
}
