// Commands of the main window that work on the current project: the state
// of the commands, analysis, labels, diagrams and the data commands.

#include "app/mainwindow.h"

#include "dock/dockview.h"
#include "document/document.h"
#include "engine/designchecks.h"
#include "view/view.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QScopedValueRollback>
#include <QStatusBar>

namespace {

// How long (ms) the status bar shows why an analysis failed, or the warning
// that closes the report of one that succeeded.
constexpr int ANALYSISMESSAGETIME = 5000;

} // namespace

void MainWindow::updateActions()
{
    const QScopedValueRollback<bool> setting(m_settingActionState, true);
    const View *view = currentView();
    updateExportActions(view);
    updateStudyActions(view);
    const bool e = view != nullptr;
    for (QAction *action : {m_actSave, m_actSaveAs, m_actBase, m_actPile, m_actSoil, m_actAnchor,
             m_actForce, m_actDesign, m_actAnalyse, m_actMark, m_actDisplace, m_actMoment,
             m_actShear, m_actNormal, m_actReact})
        action->setEnabled(e);
    updateHistoryActions(view ? view->document() : nullptr);
    // Without a project nothing is shown, so nothing is drawn checked.
    const qint32 s = view && view->document() ? view->document()->project().status : 0;
    if (!s) {
        for (QAction *action : {m_actAnalyse, m_actMark, m_actDisplace, m_actMoment, m_actShear,
                 m_actNormal, m_actReact})
            action->setChecked(false);
        return;
    }

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

void MainWindow::updateHistoryActions(const Document *doc)
{
    // The tips name the step, as 撤销 修改岩土层, so that the user knows
    // what a click takes back before making it.
    const auto show = [](QAction *action, const QString &verb, bool enabled, const QString &step) {
        action->setEnabled(enabled);
        const QString tip = step.isEmpty() ? verb : verb + QLatin1Char(' ') + step;
        action->setStatusTip(tip);
        action->setToolTip(
            tr("%1 (%2)").arg(tip, action->shortcut().toString(QKeySequence::NativeText)));
    };
    show(m_actUndo, tr("撤销"), doc && doc->canUndo(), doc ? doc->undoText() : QString());
    show(m_actRedo, tr("重做"), doc && doc->canRedo(), doc ? doc->redoText() : QString());
}

void MainWindow::actUndo()
{
    if (View *view = currentView(); view && view->document())
        view->document()->undo();
}

void MainWindow::actRedo()
{
    if (View *view = currentView(); view && view->document())
        view->document()->redo();
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
    if (!checked) {
        doc->showInput();
    } else {
        const qsizetype linesBefore = doc->messages.size();
        // A large model takes a moment: the cursor shows that work is going on.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        doc->showInput();
        const bool analysed = doc->analyse();
        QApplication::restoreOverrideCursor();
        if (!analysed) {
            showAnalysisFailure(*doc, linesBefore);
        } else {
            if (doc->messages.size() > linesBefore
                && doc->messages.last().startsWith(QStringLiteral(">>警告："))) {
                // Results far outside the model's range: the dock may be
                // closed.
                statusBar()->showMessage(doc->messages.last().mid(2), ANALYSISMESSAGETIME);
            }
            // The checks themselves stand in the dock; the log says how many
            // are not satisfied, after the result report.
            doc->outInfo(DesignText::summary(designChecks(doc->project())));
        }
    }
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
    Document *doc = view->document();
    doc->setMarksShown(!(doc->project().status & SHOWMARK));
}

void MainWindow::showDiagram(qint32 bit, bool checked)
{
    View *view = currentView();
    if (!view || !view->document())
        return;
    view->document()->showDiagram(checked ? bit : 0);
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
