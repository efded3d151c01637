#include "dialogs/study/studysession.h"

#include "document/document.h"
#include "document/studyapply.h"

#include <QCoreApplication>
#include <QScopedValueRollback>
#include <QThread>

namespace {

// How often (ms) the count of finished variants is passed on.
constexpr int POLLINTERVAL = 100;

} // namespace

StudySession *StudySession::of(Document *doc, bool create)
{
    if (!doc)
        return nullptr;
    auto *session = doc->findChild<StudySession *>(QString(), Qt::FindDirectChildrenOnly);
    if (!session && create)
        session = new StudySession(doc);
    return session;
}

StudySession::StudySession(Document *doc)
    : QObject(doc)
    , m_doc(doc)
{
    // Any change of the project but the session's own "采用" (an edit, an
    // undo, another file read in) leaves the study describing a project
    // that is no more.
    connect(doc, &Document::dataChanged, this, [this] {
        if (m_applying || m_changed)
            return;
        m_changed = true;
        if (m_hasStudy)
            emit projectChanged();
    });
    m_poll.setInterval(POLLINTERVAL);
    connect(&m_poll, &QTimer::timeout, this, [this] { emit progressed(finishedCount(), m_total); });
    // No study outlives the event loop: the application may end with its
    // documents not yet deleted.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this,
        &StudySession::stopAndWait);
}

StudySession::~StudySession()
{
    // The thread reads the progress and writes the result owned here.
    if (m_thread) {
        m_progress->cancel();
        m_thread->wait();
        delete m_thread;
    }
}

int StudySession::finishedCount() const
{
    return m_progress ? m_progress->finished() : 0;
}

bool StudySession::start(const StudyDefinition &def)
{
    if (running() || !m_doc)
        return false;
    // The study works on a copy: the project may be edited meanwhile.
    const Project project = m_doc->project();
    if (!studyProblem(project, def).isEmpty())
        return false;
    m_definition = def;
    m_outcome = StudyOutcome();
    m_hasStudy = false;
    m_changed = false;
    m_total = int(studyValues(def).size());
    m_progress = std::make_unique<StudyProgress>();
    m_result = std::make_unique<StudyOutcome>();
    StudyProgress *progress = m_progress.get();
    StudyOutcome *result = m_result.get();
    m_thread = QThread::create(
        [project, def, progress, result] { *result = runStudy(project, def, 0, progress); });
    const int generation = ++m_generation;
    connect(m_thread, &QThread::finished, this, [this, generation] {
        if (generation == m_generation && m_thread)
            finishRun();
    });
    m_thread->start();
    m_poll.start();
    emit progressed(0, m_total);
    return true;
}

void StudySession::cancel()
{
    if (m_progress)
        m_progress->cancel();
}

void StudySession::stopAndWait()
{
    if (!m_thread)
        return;
    m_progress->cancel();
    finishRun();
}

void StudySession::finishRun()
{
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    ++m_generation;
    m_poll.stop();
    StudyOutcome outcome = std::move(*m_result);
    m_result.reset();
    m_progress.reset();
    // A study cut short is no study: the window and the report take only
    // one that ran over all its values.
    const bool cancelled = outcome.cancelled;
    if (!cancelled) {
        m_outcome = std::move(outcome);
        m_hasStudy = true;
    }
    emit ended(cancelled);
}

bool StudySession::apply(double value)
{
    if (!m_doc || !m_hasStudy)
        return false;
    const QScopedValueRollback<bool> applying(m_applying, true);
    return applyStudyValue(*m_doc, m_definition, value);
}
