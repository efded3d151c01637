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

bool resultsFinite(const Project &doc)
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

// The steps of the analysis on the working copy `doc`; its lines go to `log`.
AnalysisCode runAnalysis(Project &doc, QStringList &log)
{
    if (const auto code = AnalysisCode(checkInput(doc)); code != AnalysisCode::Ok) {
        log << codeMessage(code);
        return code;
    }
    if (const QString problem = unusableInput(doc); !problem.isEmpty()) {
        log << problem;
        return AnalysisCode::InvalidInput;
    }
    log << ProjectText::tr(">>数据合理性检查正确");

    doc.base.dl = elementLength(doc);
    const bool twoPiles = isDoubleRow(doc.base);

    doc.nodes.clear();
    doc.beams.clear();
    doc.restraints.clear();
    doc.results.clear();
    doc.extremes = ResultExtremes();

    // Sizes from a damaged file could ask for millions of nodes.
    const auto tooLarge = [&log] {
        log << codeMessage(AnalysisCode::ModelTooLarge);
        return AnalysisCode::ModelTooLarge;
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
        log << codeMessage(AnalysisCode::NoModel);
        return AnalysisCode::NoModel;
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

    if (const AnalysisCode code = trialLoop(doc, esInteraction, log); code != AnalysisCode::Ok) {
        log << codeMessage(code);
        return code;
    }

    shearCorrections(doc);
    soilReaction(doc);
    betweenRowPressure(doc);
    anchorForces(doc);
    doc.extremes = resultExtremes(doc);
    if (!resultsFinite(doc) || !reportPrintable(doc.extremes)) {
        log << codeMessage(AnalysisCode::SolveFailed);
        return AnalysisCode::SolveFailed;
    }
    log << reportLines(doc);
    return AnalysisCode::Ok;
}

} // namespace

void copyInputAfresh(const Project &from, Project &to)
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

AnalysisOutcome analyse(const Project &input)
{
    // The analysis works on a copy of the project. Every derived value
    // (pile placement, section values, b0, E, beam geometry, depth
    // elevations, BaseForces, layer bottoms, force and anchor placement,
    // anchor stiffness) is derived there afresh from the primary input by the
    // same updates the editors run, so values stored in a file are never
    // trusted; and the loads, anchors, surfaces and layer boundaries the
    // model moves onto its nodes never show in the input the user sees. The
    // lists are shared until written, so the copy costs next to nothing.
    Project work;
    copyInputAfresh(input, work);
    work.nodes = input.nodes;
    work.beams = input.beams;
    work.restraints = input.restraints;
    work.results = input.results;
    work.extremes = input.extremes;

    AnalysisOutcome outcome;
    outcome.code = runAnalysis(work, outcome.log);

    // The analysed project is the input as the user sees it, with what the
    // analysis derives and finds: the model, the results, the element
    // length, the bottom nodes and the anchor forces.
    Project &out = outcome.project;
    out = input;
    out.base.dl = work.base.dl;
    out.frontPile.sptindex = work.frontPile.sptindex;
    out.backPile.sptindex = work.backPile.sptindex;
    for (int n = 0; n < out.anchors.size() && n < work.anchors.size(); ++n) {
        if (out.anchors[n].forceH != work.anchors[n].forceH
            || out.anchors[n].forceV != work.anchors[n].forceV) {
            out.anchors[n].forceH = work.anchors[n].forceH;
            out.anchors[n].forceV = work.anchors[n].forceV;
        }
    }
    out.nodes = std::move(work.nodes);
    out.beams = std::move(work.beams);
    out.restraints = std::move(work.restraints);
    out.results = std::move(work.results);
    out.extremes = work.extremes;
    if (outcome.succeeded())
        outcome.result = analysisResult(out, outcome.log);
    return outcome;
}
