#include "engine/loads.h"

#include <cmath>

namespace {

constexpr double CONCRETEWEIGHT = 25.0; // kN/m³

bool isPileElement(const BeamInfo &e)
{
    return e.ob != OBJESLINK && std::fabs(e.s - 1.0) < EPS;
}

// Adds a distributed force to the pile or beam elements it covers.
void applyDistributed(Document &doc, const ForceInfo &f)
{
    const bool horizontal = f.direction == DIRHORIZONTAL;
    const auto intensities = [&](double qi, double qj, BeamInfo &e) {
        if (horizontal)
            fixedEndForces(e, qi, 0.0, qj, 0.0);
        else
            fixedEndForces(e, 0.0, qi, 0.0, qj);
    };
    for (BeamInfo &e : doc.beams) {
        const NodeInfo &a = doc.nodes[e.i];
        const NodeInfo &b = doc.nodes[e.j];
        if (f.object != OBJBEAM && isPileElement(e)) {
            if (std::fabs(f.x1g - a.Xg) >= EPS)
                continue;
            const double mid = (a.Yg + b.Yg) / 2.0;
            if (!(mid > f.y2g && mid < f.y1g))
                continue;
            const double span = f.y1g - f.y2g;
            const auto q = [&](double y) { return f.q1g + (f.q2g - f.q1g) * (f.y1g - y) / span; };
            intensities(q(a.Yg), q(b.Yg), e);
        } else if (f.object == OBJBEAM && e.ob == OBJBEAM) {
            if (std::fabs(f.y1g - a.Yg) >= EPS)
                continue;
            const double mid = (a.Xg + b.Xg) / 2.0;
            if (!(mid > f.x1g && mid < f.x2g))
                continue;
            const double span = f.x2g - f.x1g;
            const auto q = [&](double x) { return f.q1g + (f.q2g - f.q1g) * (x - f.x1g) / span; };
            intensities(q(a.Xg), q(b.Xg), e);
        }
    }
}

} // namespace

void nodalLoads(Document &doc)
{
    for (NodeInfo &node : doc.nodes)
        node.FX = node.FY = node.FM = 0.0;

    for (const ForceInfo &f : std::as_const(doc.AddForces)) {
        if ((f.type != LOADPNT && f.type != LOADMOMENT) || !takesPart(doc.base, f.object))
            continue;
        const int n = nodeAt(doc.nodes, f.x1g, f.y1g);
        if (n < 0)
            continue;
        NodeInfo &node = doc.nodes[n];
        if (f.type == LOADMOMENT)
            node.FM += f.Mg;
        else if (f.direction == DIRVERTICAL)
            node.FY += f.Fg;
        else
            node.FX += f.Fg;
    }
    for (const AnchorInfo &a : std::as_const(doc.anchors)) {
        if (std::fabs(a.preforce) < EPS || !takesPart(doc.base, a.object))
            continue;
        const int n = nodeAt(doc.nodes, a.x1g, a.y1g);
        if (n < 0)
            continue;
        const double alpha = a.angle * M_PI / 180.0;
        doc.nodes[n].FX += std::cos(alpha) * a.preforce;
        doc.nodes[n].FY -= std::sin(alpha) * a.preforce;
    }
}

void fixedEndForces(BeamInfo &e, double qxi, double qyi, double qxj, double qyj)
{
    const double pi = qxi * e.c + qyi * e.s;
    const double pj = qxj * e.c + qyj * e.s;
    const double wi = qyi * e.c - qxi * e.s;
    const double wj = qyj * e.c - qxj * e.s;
    const double L = e.L;
    e.Ni -= (pi + pj) * L / 4.0;
    e.Nj -= (pi + pj) * L / 4.0;
    e.Qi -= (7.0 * wi + 3.0 * wj) * L / 20.0;
    e.Qj -= (3.0 * wi + 7.0 * wj) * L / 20.0;
    e.Mi -= (wi / 20.0 + wj / 30.0) * L * L;
    e.Mj += (wi / 30.0 + wj / 20.0) * L * L;
}

void selfWeight(Document &doc)
{
    for (BeamInfo &e : doc.beams) {
        if (!isPileElement(e))
            continue;
        const double q = -CONCRETEWEIGHT * e.A;
        fixedEndForces(e, 0.0, q, 0.0, q);
    }
}

void distributedLoads(Document &doc)
{
    for (const ForceInfo &f : std::as_const(doc.BaseForces)) {
        if (takesPart(doc.base, f.object))
            applyDistributed(doc, f);
    }
    for (const ForceInfo &f : std::as_const(doc.AddForces)) {
        if (f.type == LOADDIST && takesPart(doc.base, f.object))
            applyDistributed(doc, f);
    }
}
