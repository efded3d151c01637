#include "engine/loads.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double CONCRETEWEIGHT = 25.0; // kN/m³

bool isPileElement(const BeamInfo &e)
{
    return e.ob != OBJESLINK && std::fabs(e.s - 1.0) < EPS;
}

// Elements of one member in their order along it (bottom-up on a pile, left
// to right on the beam), with the middle of each along that direction.
struct MemberElements
{
    QVector<int> ids;
    QVector<double> middles; // ascending
};

struct Members
{
    MemberElements front; // pile elements of the front (or single) pile
    MemberElements back;
    MemberElements beam;
};

Members memberElements(const Project &doc)
{
    Members m;
    for (int n = 0; n < doc.beams.size(); ++n) {
        const BeamInfo &e = doc.beams[n];
        const NodeInfo &a = doc.nodes[e.i];
        const NodeInfo &b = doc.nodes[e.j];
        MemberElements *member = nullptr;
        double middle = 0.0;
        if (e.ob == OBJBEAM && !isPileElement(e)) {
            member = &m.beam;
            middle = (a.Xg + b.Xg) / 2.0;
        } else if ((e.ob == OBJPILE || e.ob == OBJBACKPILE) && isPileElement(e)) {
            member = e.ob == OBJPILE ? &m.front : &m.back;
            middle = (a.Yg + b.Yg) / 2.0;
        }
        if (member && (member->middles.isEmpty() || middle > member->middles.last())) {
            member->ids.append(n);
            member->middles.append(middle);
        }
    }
    return m;
}

// Elements of a member whose middle lies strictly between lower and upper.
template <class Apply>
void forCovered(const MemberElements &member, double lower, double upper, Apply apply)
{
    auto it = std::upper_bound(member.middles.begin(), member.middles.end(), lower);
    for (; it != member.middles.end() && *it < upper; ++it)
        apply(member.ids[int(it - member.middles.begin())]);
}

// Adds a distributed force to the pile or beam elements it covers.
void applyDistributed(Project &doc, const Members &members, const ForceInfo &f)
{
    const bool horizontal = f.direction == DIRHORIZONTAL;
    const auto intensities = [&](double qi, double qj, BeamInfo &e) {
        if (horizontal)
            fixedEndForces(e, qi, 0.0, qj, 0.0);
        else
            fixedEndForces(e, 0.0, qi, 0.0, qj);
    };
    if (f.object != OBJBEAM) {
        // A force on a pile loads the pile elements standing at its x.
        const double span = f.y1g - f.y2g;
        const auto q = [&](double y) { return f.q1g + (f.q2g - f.q1g) * (f.y1g - y) / span; };
        for (const MemberElements *pile : {&members.front, &members.back}) {
            if (pile->ids.isEmpty()
                || std::fabs(f.x1g - doc.nodes[doc.beams[pile->ids.first()].i].Xg) >= EPS)
                continue;
            forCovered(*pile, f.y2g, f.y1g, [&](int n) {
                BeamInfo &e = doc.beams[n];
                intensities(q(doc.nodes[e.i].Yg), q(doc.nodes[e.j].Yg), e);
            });
        }
    } else if (!members.beam.ids.isEmpty()
        && std::fabs(f.y1g - doc.nodes[doc.beams[members.beam.ids.first()].i].Yg) < EPS) {
        const double span = f.x2g - f.x1g;
        const auto q = [&](double x) { return f.q1g + (f.q2g - f.q1g) * (x - f.x1g) / span; };
        forCovered(members.beam, f.x1g, f.x2g, [&](int n) {
            BeamInfo &e = doc.beams[n];
            intensities(q(doc.nodes[e.i].Xg), q(doc.nodes[e.j].Xg), e);
        });
    }
}

} // namespace

void nodalLoads(Project &doc)
{
    for (NodeInfo &node : doc.nodes)
        node.FX = node.FY = node.FM = 0.0;

    const NodeIndex index(doc.nodes);
    for (const ForceInfo &f : std::as_const(doc.AddForces)) {
        if ((f.type != LOADPNT && f.type != LOADMOMENT) || !takesPart(doc.base, f.object))
            continue;
        const int n = index.at(f.x1g, f.y1g);
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
        const int n = index.at(a.x1g, a.y1g);
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

void selfWeight(Project &doc)
{
    for (BeamInfo &e : doc.beams) {
        if (!isPileElement(e))
            continue;
        const double q = -CONCRETEWEIGHT * e.A;
        fixedEndForces(e, 0.0, q, 0.0, q);
    }
}

void distributedLoads(Project &doc)
{
    const Members members = memberElements(doc);
    for (const ForceInfo &f : std::as_const(doc.BaseForces)) {
        if (takesPart(doc.base, f.object))
            applyDistributed(doc, members, f);
    }
    for (const ForceInfo &f : std::as_const(doc.AddForces)) {
        if (f.type == LOADDIST && takesPart(doc.base, f.object))
            applyDistributed(doc, members, f);
    }
}
