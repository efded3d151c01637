#pragma once

// One project: its input records, the results of its last analysis, the
// display state saved with it, the modified flag and the information log.

#include "engine/analysisresult.h"
#include "model/project.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QRectF>
#include <QStringList>

class Document : public QObject, public Project
{
    Q_OBJECT

public:
    explicit Document(QObject *parent = nullptr);

    bool isModified() const { return m_modified; }
    // true: announces dataChanged() every time, modifiedChanged() on a change.
    void setModified(bool m);

    // Appends a line to the information log and announces it.
    void outInfo(const QString &text);

    // The one road for changing the input. An editor (dialog, property
    // table, tool) works on copies and hands the records of one category
    // back in one call. The Document writes them, runs the derived-data
    // updates that depend on them in their order, marks itself modified and
    // announces the change once: dataChanged(), then modifiedChanged() when
    // the flag changes. The View, the side dock and the window's commands
    // follow that announcement. While results are valid (SHOWRESULT) the
    // input is frozen: nothing is written and the call returns false.
    bool changeBase(const BaseInfo &base);
    // The piles and the link beam: one pile dialog edits all three.
    bool changePiles(const PileInfo &front, const PileInfo &back, const LinkBeamInfo &beam);
    bool changeSoils(const QList<SoilInfo> &soils);
    // Every anchor's stiffness is recomputed from its data.
    bool changeAnchors(const QList<AnchorInfo> &anchors);
    // The additional forces (AddForces).
    bool changeForces(const QList<ForceInfo> &forces);

    // True while the input may be changed: no valid results are shown.
    bool inputEditable() const { return !(status & SHOWRESULT); }

    // Runs the analysis of the input and shows its results (the labels stay
    // as they were, the diagrams start hidden); true when results were
    // produced. Lines go to the log. Does nothing while results are shown:
    // showInput() first.
    bool analyse();
    // Back to the input: results are hidden and editing is possible again.
    void showInput();
    // The typed result of the results shown; invalid while none are.
    AnalysisResult analysisResult() const;

    QStringList messages;

signals:
    void modifiedChanged(bool modified);
    void sendOutInfo(QString outString);
    void dataChanged();

private:
    // Logs the spacing note when updateGeometry had to limit b0.
    void noteSpacing(bool limited);

    bool m_modified = false;
    // The typed result of this session's last analysis; invalid for results
    // read from a file.
    AnalysisResult m_result;
    QList<ResultInfo> m_analysedResults;
};
