#pragma once

// The parameter study of one project tab: the study that runs beside the
// window on a copy of the project, and the last one that finished, kept for
// the window of results and the report as long as the tab is open. The
// session is a child of its Document and goes with it; going, it stops a
// study still running and waits for it.

#include "document/document.h"
#include "engine/study.h"
#include "results/studytable.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class QThread;

class StudySession : public QObject
{
    Q_OBJECT

public:
    // The session of the document; made when `create` is set and there is
    // none yet, else null.
    static StudySession *of(Document *doc, bool create);
    ~StudySession() override;

    Document *document() const { return m_doc; }

    // Starts a study of the project as it stands now. The last study is
    // dropped. False while a study runs or when the definition is refused.
    bool start(const StudyDefinition &def);
    // Asks the running study to stop; no variant starts after it.
    void cancel();
    bool running() const { return m_thread != nullptr; }
    // Variants finished and variants in all of the running study.
    int finishedCount() const;
    int total() const { return m_total; }

    // The definition of the running or the last study.
    const StudyDefinition &definition() const { return m_definition; }
    // Whether a study ran to its end, and its outcome.
    bool hasStudy() const { return m_hasStudy; }
    const StudyOutcome &outcome() const { return m_outcome; }
    // Whether the study describes the project as it stands: nothing but
    // "采用" of one of its values changed the project since the study
    // began. Only such a study goes into the report.
    bool describesProject() const { return m_hasStudy && !m_changed; }

    // "采用": the value into the project as one undoable step; false when
    // the document refuses the change (results shown).
    bool apply(double value);

    // What the user chose to see: the chart's columns and whether the report
    // takes the study.
    QList<StudyTable::Column> chartColumns = {StudyTable::Column::Moment, StudyTable::Column::Top};
    bool inReport = false;

signals:
    void progressed(int finished, int total);
    // A study ended: it is the session's study, or it was cancelled and
    // there is none.
    void ended(bool cancelled);
    // describesProject() changed.
    void projectChanged();

private:
    explicit StudySession(Document *doc);
    // Takes the outcome of the finished thread and announces the end.
    void finishRun();
    // Stops a running study and waits for its thread.
    void stopAndWait();

    QPointer<Document> m_doc;
    StudyDefinition m_definition;
    StudyOutcome m_outcome;
    bool m_hasStudy = false;
    bool m_changed = false;
    bool m_applying = false;

    // The running study: its thread, the progress it shares with the
    // window, and the outcome it writes once, before it ends.
    QThread *m_thread = nullptr;
    std::unique_ptr<StudyProgress> m_progress;
    std::unique_ptr<StudyOutcome> m_result;
    int m_total = 0;
    // Counts the studies started, so that the late news of a thread already
    // waited for is not taken for the end of a later one.
    int m_generation = 0;
    QTimer m_poll;
};
