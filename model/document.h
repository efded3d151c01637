#pragma once

// One project: its input records, the results of its last analysis, the
// display state saved with it, the modified flag and the information log.

#include "model/records.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QRectF>
#include <QStringList>

class Document : public QObject
{
    Q_OBJECT

public:
    // File format version this program writes and reads.
    static constexpr double FILEVERSION = 1.1;

    explicit Document(QObject *parent = nullptr);

    bool isModified() const { return m_modified; }
    // true: announces dataChanged() every time, modifiedChanged() on a change.
    void setModified(bool m);

    // Appends a line to the information log and announces it.
    void outInfo(const QString &text);
    // Logs the fixed message of an engine result code.
    void outCode(int code);
    static QString codeMessage(int code);

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

    // True while the input may be changed: no valid results are shown.
    bool inputEditable() const { return !(status & SHOWRESULT); }

    // Derived-data updates, each over the whole project. Editors use the
    // change functions above, which run these in the right order.
    void updateGeometry();
    void updateBaseData();
    void updateSoilLayers();
    void placeAnchors();
    void placeForces();
    // All of the above and every anchor's stiffness, in their order: the
    // project derived afresh from its primary input.
    void updateAll();

    // Runs the analysis; true when results were produced. Lines go to the log.
    bool analyse();

    // Box of the model in metres (top-left corner, negative height).
    QRectF modelBounds() const;

    // Display state, saved with the project.
    double fileVersion = FILEVERSION;
    double blc = 1.0;
    double blcfull = 1.0;
    qint32 status = SHOWDATA;
    qint32 x0 = 50;
    qint32 y0 = -50;

    // Input records.
    BaseInfo base;
    QList<ForceInfo> BaseForces;
    QList<SoilInfo> soils;
    PileInfo frontPile;
    PileInfo backPile;
    LinkBeamInfo linkBeam;
    QList<ForceInfo> AddForces;
    QList<AnchorInfo> anchors;
    DesignInfo design;

    // Analysis model and results of the last analysis.
    QList<NodeInfo> nodes;
    QList<BeamInfo> beams;
    QMap<int, int> restraints; // key node*10 + dof (1 x, 2 y, 3 rotation)
    QList<ResultInfo> results;
    ResultExtremes extremes;

    QStringList messages;

signals:
    void modifiedChanged(bool modified);
    void sendOutInfo(QString outString);
    void dataChanged();

private:
    void buildDefaultProject();
    void placeForceList(QList<ForceInfo> &forces) const;

    bool m_modified = false;
};
