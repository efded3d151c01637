// The parameter study of the main window: the command that defines and
// starts one for the current project, the window of each tab's study, "采用"
// of one of its values, and the study's chapter of the report.

#include "app/mainwindow.h"

#include "dialogs/study/studychart.h"
#include "dialogs/study/studydialog.h"
#include "dialogs/study/studysession.h"
#include "dialogs/study/studywindow.h"
#include "document/document.h"
#include "results/studychapter.h"
#include "view/prompts.h"
#include "view/view.h"

#include <QAction>
#include <QFileInfo>
#include <QPointer>
#include <QStatusBar>
#include <QTabWidget>

namespace {

// How long (ms) the status bar says what "采用" did.
constexpr int APPLYMESSAGETIME = 6000;

StudySession *sessionOf(const View *view)
{
    return view ? StudySession::of(view->document(), false) : nullptr;
}

// Whether the project has the value where the study would put it: on
// each pile it changes.
bool holds(const Project &project, const StudyDefinition &def, double value)
{
    QList<StudyPile> piles {def.pile};
    if (def.pile == StudyPile::Both)
        piles = {StudyPile::Front, StudyPile::Back};
    for (StudyPile pile : piles) {
        StudyDefinition one = def;
        one.pile = pile;
        if (studyCurrentValue(project, one) != value)
            return false;
    }
    return true;
}

} // namespace

void MainWindow::connectStudyActions()
{
    connect(m_actStudy, &QAction::triggered, this, &MainWindow::actStudy);
    connectToggle(m_actStudyReport, [this](bool on) {
        if (StudySession *session = sessionOf(currentView()))
            session->inReport = on;
    });
}

void MainWindow::updateStudyActions(const View *view)
{
    // A study runs on the input whatever is shown; the report takes one
    // only while it describes the project.
    m_actStudy->setEnabled(view != nullptr);
    const StudySession *session = sessionOf(view);
    const bool describes = session && session->describesProject();
    m_actStudyReport->setEnabled(describes);
    m_actStudyReport->setChecked(describes && session->inReport);
}

StudyWindow *MainWindow::studyWindow(View *view, StudySession *session)
{
    for (StudyWindow *window : findChildren<StudyWindow *>()) {
        if (window->session() == session)
            return window;
    }
    const QPointer<View> tab = view;
    auto *window = new StudyWindow(
        session,
        [this, tab](
            const QString &caption, const QStringList &filters, const QStringList &suffixes) {
            return tab ? exportFileName(tab, caption, filters, suffixes) : QString();
        },
        this);
    connect(window, &StudyWindow::applyRequested, this,
        [this, session](double value) { applyStudy(session, value); });
    // The report's command follows the study of the current tab.
    const auto follow = [this, tab] {
        if (tab && tab == currentView())
            updateActions();
    };
    connect(session, &StudySession::ended, this, follow);
    connect(session, &StudySession::projectChanged, this, follow);
    return window;
}

void MainWindow::actStudy()
{
    View *view = currentView();
    const QPointer<Document> doc = view ? view->document() : nullptr;
    if (!doc)
        return;
    StudySession *session = StudySession::of(doc, false);
    if (session && session->running()) {
        StudyWindow *window = studyWindow(view, session);
        window->show();
        window->raise();
        window->activateWindow();
        statusBar()->showMessage(tr("参数分析正在进行"), APPLYMESSAGETIME);
        return;
    }
    StudyDialog dialog(doc->project(), session ? &session->definition() : nullptr, this);
    // The tab, and its Document, may have gone while the dialog was open.
    if (dialog.exec() != QDialog::Accepted || !doc)
        return;
    session = StudySession::of(doc, true);
    StudyWindow *window = studyWindow(view, session);
    window->setWindowTitle(tr("参数分析 - %1").arg(QFileInfo(view->filePath()).fileName()));
    window->showMessage(QString());
    if (!session->start(dialog.definition())) {
        Prompts::warn(this, tr("参数分析"), studyProblem(doc->project(), dialog.definition()));
        return;
    }
    window->refresh();
    window->show();
    window->raise();
    window->activateWindow();
    updateActions();
}

void MainWindow::applyStudy(StudySession *session, double value)
{
    Document *doc = session ? session->document() : nullptr;
    View *view = nullptr;
    for (int n = 0; n < m_tabWidget->count() && doc; ++n) {
        auto *v = qobject_cast<View *>(m_tabWidget->widget(n));
        if (v && v->document() == doc)
            view = v;
    }
    if (!view)
        return;
    const StudyDefinition &def = session->definition();
    const QString text = StudyText::valueText(def.parameter, value);
    // A value the project has already is no change, and no step to undo.
    if (holds(doc->project(), def, value)) {
        const QString message = tr("项目中已是%1，未作修改").arg(text);
        statusBar()->showMessage(message, APPLYMESSAGETIME);
        studyWindow(view, session)->showMessage(message);
        return;
    }
    // The input is frozen while results are shown: back to the input first,
    // as the 分析 command does when it is switched off.
    const bool resultsShown = !doc->inputEditable();
    if (resultsShown) {
        if (view == currentView()) {
            actAnalyse(false);
        } else {
            doc->showInput();
            view->update();
        }
    }
    QString message;
    if (!session->apply(value))
        message = tr("无法采用%1").arg(text);
    else if (resultsShown)
        message = tr("已采用%1。原计算结果已关闭，已回到输入状态，请重新分析。").arg(text);
    else
        message = tr("已采用%1（可撤销）").arg(text);
    statusBar()->showMessage(message, APPLYMESSAGETIME);
    studyWindow(view, session)->showMessage(message);
}

bool MainWindow::studyForReport(const View *view, StudyReport &study) const
{
    const StudySession *session = sessionOf(view);
    if (!session || !session->inReport || !session->describesProject())
        return false;
    study.definition = session->definition();
    study.outcome = session->outcome();
    study.chart = StudyChart::svg(study.definition, study.outcome, session->chartColumns);
    return true;
}
