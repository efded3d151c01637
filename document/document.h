#pragma once

// One project: its input records, the results of its last analysis, the
// display state saved with it, the modified flag and the information log.
// The Document is the only writer of its Project: others read it through
// project() and change it through the calls below, each of which announces
// what it changed.

#include "engine/analysisresult.h"
#include "model/project.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QRectF>
#include <QStringList>

class Document : public QObject
{
    Q_OBJECT

public:
    explicit Document(QObject *parent = nullptr);

    // The project as it stands, for reading.
    const Project &project() const { return m_project; }

    // Whether the project differs from its file: the undo history is not at
    // the state last saved or opened.
    bool isModified() const { return m_modified; }
    // false: the present state is the saved one (after a save). true: marks
    // the project modified without a step, and announces dataChanged().
    // modifiedChanged() follows whenever the mark changes.
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
    // The design data: nothing derives from them, the checks read them.
    bool changeDesign(const DesignInfo &design);

    // Undo history. Every change*() call is one step, named for the
    // category it changed; undo() and redo() give back the input, the
    // derived values and the analysis of a step's state, leaving scale,
    // origin and mode alone. The history lasts as long as the document and
    // starts afresh when a file is read into it. Like editing, stepping is
    // refused while results are shown. Each step announces dataChanged(),
    // and historyChanged() follows every change of the history.
    bool canUndo() const;
    bool canRedo() const;
    // The step undo() or redo() would take back or do again, such as
    // 修改岩土层; empty when there is none.
    QString undoText() const;
    QString redoText() const;
    bool undo();
    bool redo();
    // Forgets every step; the present state is the saved one.
    void clearHistory();
    // Puts a project read from a file in place of this one; its history
    // starts afresh at it, as the saved state.
    void replaceProject(const Project &project);

    // True while the input may be changed: no valid results are shown.
    bool inputEditable() const { return !(m_project.status & SHOWRESULT); }

    // Runs the analysis of the input and shows its results (the labels stay
    // as they were, the diagrams start hidden); true when results were
    // produced. Lines go to the log; resultsChanged() follows. Does nothing
    // while results are shown: showInput() first.
    bool analyse();
    // Back to the input: results are hidden and editing is possible again.
    // Announces resultsChanged() when results were shown.
    void showInput();
    // The typed result of the results shown; invalid while none are.
    AnalysisResult analysisResult() const;

    // The display state saved with the project. It is no input: setting it
    // takes no step of the history and leaves the modified mark alone.
    //
    // The scale (pixels per metre) and origin (pixels) of the View, as the
    // user zooms and pans; the View redraws itself, nothing is announced.
    void setView(double blc, qint32 x0, qint32 y0);
    // The scale at which the drawing fits the View; the labels keep their
    // size relative to it.
    void setFittedScale(double blcfull);
    // Shows or hides the labels; announces displayChanged().
    void setMarksShown(bool shown);
    // Shows one diagram of the results (SHOWDISPLACE, SHOWMOMENT,
    // SHOWSHEAR, SHOWNORMAL or SHOWREACT), or none for 0, and announces
    // displayChanged(). Refused (false) while no results are shown.
    bool showDiagram(qint32 diagram);

    QStringList messages;

signals:
    void modifiedChanged(bool modified);
    void sendOutInfo(QString outString);
    void dataChanged();
    void historyChanged();
    // The labels or the diagram shown changed.
    void displayChanged();
    // An analysis ran or its results were hidden: the results shown, and
    // with them the mode, may differ.
    void resultsChanged();

private:
    // Records the present state as the step `name` after a change, dropping
    // the steps that could have been redone, and announces it.
    void commitStep(const QString &name);
    // Moves to the state of step `position` of the history.
    void moveTo(int position);
    void updateModified();

    // Logs the spacing note when updateGeometry had to limit b0 and the
    // change touched what decides it (widthBasis() before the change).
    void noteSpacing(bool limited, const QList<double> &basisBefore);

    // The one project; only the calls above write it.
    Project m_project;
    bool m_modified = false;
    // The typed result of this session's last analysis; invalid for results
    // read from a file.
    AnalysisResult m_result;
    QList<ResultInfo> m_analysedResults;

    struct Step
    {
        QString name; // of the change that led to the state; empty for the first
        Project state;
    };
    QList<Step> m_history;
    int m_position = 0;
    // Where the saved state stands in the history; -1 when it is not there.
    int m_cleanPosition = 0;
};
