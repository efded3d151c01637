// The analysis of one project, from the input check to the result report.

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

bool Document::analyse()
{
    if (status == SHOWRESULT)
        return false;

    if (const int code = checkInput(*this)) {
        outCode(code);
        return false;
    }
    if (const QString problem = unusableInput(*this); !problem.isEmpty()) {
        outInfo(problem);
        return false;
    }
    outInfo(tr(">>数据合理性检查正确"));

    base.dl = elementLength(*this);
    const bool twoPiles = isDoubleRow(base);

    nodes.clear();
    beams.clear();
    restraints.clear();
    results.clear();
    extremes = ResultExtremes();

    // Sizes from a damaged file could ask for millions of nodes.
    const auto tooLarge = [this] {
        outInfo(tr(">>错误：数据不合理，计算模型节点过多"));
        return false;
    };
    const QVector<double> grid = elevationGrid(*this);
    const QVector<double> xs = twoPiles ? beamGrid(*this) : QVector<double>();
    if (grid.isEmpty() || (twoPiles && xs.isEmpty()))
        return tooLarge();
    const MemberNodes members = buildNodes(*this, grid, xs);
    if (nodes.size() > MAXNODES)
        return tooLarge();
    halfLengths(*this, members);
    buildElements(*this, members);
    if (members.front.size() < 2 || (twoPiles && members.back.size() < 2) || beams.isEmpty()) {
        outInfo(tr(">>错误：无法建立计算模型"));
        return false;
    }
    soilSprings(*this, members);
    const bool esInteraction = twoPiles && base.interact == INTERACTES;
    if (esInteraction)
        buildEsLinks(*this, members);

    anchorStiffness(*this);
    pileBottom(*this, members);
    trialSprings(*this);
    nodalLoads(*this);
    if (base.weight)
        selfWeight(*this);
    distributedLoads(*this);

    if (const int code = trialLoop(*this, esInteraction)) {
        outCode(code);
        return false;
    }

    shearCorrections(*this);
    soilReaction(*this);
    betweenRowPressure(*this);
    anchorForces(*this);
    extremes = resultExtremes(*this);
    if (!resultsFinite(*this)) {
        outCode(13);
        return false;
    }
    for (const QString &line : reportLines(*this))
        outInfo(line);
    return true;
}
