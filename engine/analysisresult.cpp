#include "engine/analysisresult.h"

#include "engine/model.h"
#include "engine/results.h"

#include <QHash>

#include <algorithm>

namespace {

bool isPile(qint32 ob)
{
    return ob == OBJPILE || ob == OBJBACKPILE;
}

// Results read from a damaged file may name nodes that do not exist.
bool endsExist(const Project &doc, const ResultInfo &r)
{
    const qsizetype count = doc.nodes.size();
    return r.i >= 0 && r.j >= 0 && r.i < count && r.j < count;
}

// A value joins the extremes where it passes them; a value equal to an
// extreme not yet found (0 at the start) marks where it is found.
void raise(ExtremeAt &max, double v, double depth)
{
    if (v > max.value || (!max.found && v == max.value))
        max = {v, depth, true};
}

void lower(ExtremeAt &min, double v, double depth)
{
    if (v < min.value || (!min.found && v == min.value))
        min = {v, depth, true};
}

void widen(ExtremeAt &max, ExtremeAt &min, double v, double depth)
{
    raise(max, v, depth);
    lower(min, v, depth);
}

// Values of one end of a pile element, signed as the diagrams draw them:
// the lower end i is the section just above node i, the upper end j the
// section just below node j.
void lowerEnd(const ResultInfo &r, PileStation &s)
{
    s.displacement = r.Xi;
    s.moment = -r.Mi;
    s.shear = r.Qi;
    s.axial = -r.Ni;
    s.reaction = r.SPi;
}

void upperEnd(const ResultInfo &r, PileStation &s)
{
    s.displacement = r.Xj;
    s.moment = r.Mj;
    s.shear = -r.Qj;
    s.axial = r.Nj;
    s.reaction = r.SPj;
}

PileResult pileStations(const Project &doc, qint16 object, bool betweenRows)
{
    PileResult pile;
    pile.object = object;
    pile.topElevation = pileTop(doc, object);

    struct Entry
    {
        PileStation station;
        bool fromBelow = false;
    };
    QHash<qint32, Entry> entries;
    for (const ResultInfo &r : doc.results) {
        if (r.ob != object || !endsExist(doc, r))
            continue;
        // The element lies above its node i and below its node j; the
        // section below a node wins.
        Entry &i = entries[r.i];
        if (!i.fromBelow)
            lowerEnd(r, i.station);
        Entry &j = entries[r.j];
        upperEnd(r, j.station);
        j.fromBelow = true;
    }
    if (betweenRows) {
        // An Es link runs from a front pile node i to a back pile node j.
        for (const ResultInfo &r : doc.results) {
            if (r.ob != OBJESLINK)
                continue;
            const qint32 node = object == OBJPILE ? r.i : r.j;
            const auto it = entries.find(node);
            if (it != entries.end())
                it->station.betweenRows = object == OBJPILE ? r.BPi : r.BPj;
        }
    }

    pile.stations.reserve(entries.size());
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        PileStation s = it->station;
        const NodeInfo &node = doc.nodes.at(it.key());
        s.node = it.key();
        s.nodeId = node.id;
        s.elevation = node.Yg;
        s.depth = pile.topElevation - node.Yg;
        pile.stations.append(s);
    }
    std::sort(
        pile.stations.begin(), pile.stations.end(), [](const PileStation &a, const PileStation &b) {
            return a.depth < b.depth || (a.depth == b.depth && a.node < b.node);
        });
    return pile;
}

} // namespace

double pileTop(const Project &doc, qint16 object)
{
    bool found = false;
    double top = 0.0;
    for (const ResultInfo &r : doc.results) {
        if (r.ob != object || !endsExist(doc, r))
            continue;
        for (const qint32 n : {r.i, r.j}) {
            const double y = doc.nodes.at(n).Yg;
            if (!found || y > top)
                top = y;
            found = true;
        }
    }
    return top;
}

void findExtremes(const Project &doc, PileResult &front, PileResult &back)
{
    const bool betweenRows = isDoubleRow(doc.base) && doc.base.interact == INTERACTES;
    for (const ResultInfo &r : doc.results) {
        if (!endsExist(doc, r))
            continue;
        const double yi = doc.nodes.at(r.i).Yg;
        const double yj = doc.nodes.at(r.j).Yg;
        if (isPile(r.ob)) {
            PileResult &pile = r.ob == OBJPILE ? front : back;
            const double di = pile.topElevation - yi;
            const double dj = pile.topElevation - yj;
            widen(pile.max.D, pile.min.D, r.Xi, di);
            widen(pile.max.D, pile.min.D, r.Xj, dj);
            widen(pile.max.M, pile.min.M, -r.Mi, di);
            widen(pile.max.M, pile.min.M, r.Mj, dj);
            widen(pile.max.Q, pile.min.Q, r.Qi, di);
            widen(pile.max.Q, pile.min.Q, -r.Qj, dj);
            widen(pile.max.R, pile.min.R, r.SPi, di);
            widen(pile.max.R, pile.min.R, r.SPj, dj);
        } else if (r.ob == OBJESLINK && betweenRows) {
            // The soil between the rows presses on the back of the front
            // pile and on the front of the back pile.
            lower(front.min.R, r.BPi, front.topElevation - yi);
            raise(back.max.R, r.BPj, back.topElevation - yj);
        }
    }
}

AnalysisResult analysisResult(const Project &doc, const QStringList &log)
{
    AnalysisResult result;
    if (doc.results.isEmpty())
        return result;
    result.valid = true;
    result.doubleRow = isDoubleRow(doc.base);
    result.betweenRows = result.doubleRow && doc.base.interact == INTERACTES;

    PileResult front = pileStations(doc, OBJPILE, result.betweenRows);
    PileResult back = pileStations(doc, OBJBACKPILE, result.betweenRows);
    findExtremes(doc, front, back);
    result.piles.append(front);
    if (result.doubleRow)
        result.piles.append(back);

    for (int n = 0; n < doc.anchors.size(); ++n) {
        const AnchorInfo &a = doc.anchors.at(n);
        if (!takesPart(doc.base, a.object))
            continue;
        result.anchors.append({n + 1, a.object, a.y1g, a.distance, a.angle, a.preforce, a.forceH,
            a.forceV, std::max(a.axialForce(), 0.0)});
    }
    result.log = log;
    return result;
}
