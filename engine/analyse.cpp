// The analysis of one project, from the input check to the result report.

#include "engine/analyse.h"
#include "engine/inputcheck.h"
#include "engine/loads.h"
#include "engine/model.h"
#include "engine/results.h"
#include "engine/springs.h"
#include "engine/trialloop.h"

#include <cmath>

namespace {

bool resultsFinite(const Document &doc)
{
    for (const ResultInfo &r : doc.results) {
        for (double v : {r.Xi, r.Yi, r.Ai, r.Xj, r.Yj, r.Aj, r.Ni, r.Qi, r.Mi, r.Nj, r.Qj, r.Mj,
                 r.SPi, r.SPj, r.BPi, r.BPj}) {
            if (!std::isfinite(v))
                return false;
        }
    }
    for (const AnchorInfo &a : doc.anchors) {
        if (!std::isfinite(a.forceH) || !std::isfinite(a.forceV))
            return false;
    }
    return true;
}

} // namespace

namespace {

// The steps of the analysis on the working copy `doc`; its lines go to the
// log of the document the user sees.
bool runAnalysis(Document &doc)
{
    if (const int code = checkInput(doc)) {
        doc.outCode(code);
        return false;
    }
    if (const QString problem = unusableInput(doc); !problem.isEmpty()) {
        doc.outInfo(problem);
        return false;
    }
    doc.outInfo(Document::tr(">>数据合理性检查正确"));

    doc.base.dl = elementLength(doc);
    const bool twoPiles = isDoubleRow(doc.base);

    doc.nodes.clear();
    doc.beams.clear();
    doc.restraints.clear();
    doc.results.clear();
    doc.extremes = ResultExtremes();

    // Sizes from a damaged file could ask for millions of nodes.
    const auto tooLarge = [&doc] {
        doc.outInfo(Document::tr(">>错误：数据不合理，计算模型节点过多"));
        return false;
    };
    JoinedPoints joinedY;
    JoinedPoints joinedX;
    const QVector<double> grid = elevationGrid(doc, &joinedY);
    const QVector<double> xs = twoPiles ? beamGrid(doc, &joinedX) : QVector<double>();
    if (grid.isEmpty() || (twoPiles && xs.isEmpty()))
        return tooLarge();
    moveOntoNodes(doc, joinedY, joinedX);
    const MemberNodes members = buildNodes(doc, grid, xs);
    if (doc.nodes.size() > MAXNODES)
        return tooLarge();
    halfLengths(doc, members);
    buildElements(doc, members);
    if (members.front.size() < 2 || (twoPiles && members.back.size() < 2) || doc.beams.isEmpty()) {
        doc.outInfo(Document::tr(">>错误：无法建立计算模型"));
        return false;
    }
    soilSprings(doc, members);
    const bool esInteraction = twoPiles && doc.base.interact == INTERACTES;
    if (esInteraction)
        buildEsLinks(doc, members);

    anchorStiffness(doc);
    pileBottom(doc, members);
    trialSprings(doc);
    nodalLoads(doc);
    if (doc.base.weight)
        selfWeight(doc);
    distributedLoads(doc);

    if (const int code = trialLoop(doc, esInteraction)) {
        doc.outCode(code);
        return false;
    }

    shearCorrections(doc);
    soilReaction(doc);
    betweenRowPressure(doc);
    anchorForces(doc);
    doc.extremes = resultExtremes(doc);
    if (!resultsFinite(doc) || !reportPrintable(doc.extremes)) {
        doc.outCode(13);
        return false;
    }
    for (const QString &line : reportLines(doc))
        doc.outInfo(line);
    return true;
}

} // namespace

void copyInputAfresh(const Document &from, Document &to)
{
    to.base = from.base;
    to.soils = from.soils;
    to.frontPile = from.frontPile;
    to.backPile = from.backPile;
    to.linkBeam = from.linkBeam;
    to.AddForces = from.AddForces;
    to.anchors = from.anchors;
    to.design = from.design;
    to.updateAll();
}

bool Document::analyse()
{
    if (status == SHOWRESULT)
        return false;

    // The analysis works on a copy of the project. Every derived value
    // (pile placement, section values, b0, E, beam geometry, depth
    // elevations, BaseForces, layer bottoms, force and anchor placement,
    // anchor stiffness) is derived there afresh from the primary input by the
    // same updates the editors run, so values stored in a file are never
    // trusted; and the loads, anchors, surfaces and layer boundaries the
    // model moves onto its nodes never show in the input the user sees. The
    // lists are shared until written, so the copy costs next to nothing.
    Document work;
    copyInputAfresh(*this, work);
    work.nodes = nodes;
    work.beams = beams;
    work.restraints = restraints;
    work.results = results;
    work.extremes = extremes;
    connect(&work, &Document::sendOutInfo, this, &Document::outInfo);

    const bool ok = runAnalysis(work);

    // What the analysis derives and finds is handed back: the model, the
    // results, the element length, the bottom nodes and the anchor forces.
    base.dl = work.base.dl;
    frontPile.sptindex = work.frontPile.sptindex;
    backPile.sptindex = work.backPile.sptindex;
    for (int n = 0; n < anchors.size() && n < work.anchors.size(); ++n) {
        if (anchors[n].forceH != work.anchors[n].forceH
            || anchors[n].forceV != work.anchors[n].forceV) {
            anchors[n].forceH = work.anchors[n].forceH;
            anchors[n].forceV = work.anchors[n].forceV;
        }
    }
    nodes = std::move(work.nodes);
    beams = std::move(work.beams);
    restraints = std::move(work.restraints);
    results = std::move(work.results);
    extremes = work.extremes;
    return ok;
}
