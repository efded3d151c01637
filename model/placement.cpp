// Global positions of anchors and forces from the pile and beam geometry,
// and the per-pile values of the forces.

#include "model/project.h"

#include <cmath>

namespace {

// Point at `distance` below the top of `pile`, never below its bottom.
double pointOnPile(const PileInfo &pile, double distance)
{
    const double y = pile.topYg - distance;
    return y - pile.bottomYg > EPS ? y : pile.bottomYg;
}

double pointOnBeam(const LinkBeamInfo &beam, double distance)
{
    const double x = beam.leftXg + distance;
    return x > beam.rightXg - EPS ? beam.rightXg : x;
}

} // namespace

void Project::placeAnchors()
{
    for (AnchorInfo &a : anchors) {
        if (a.object == OBJBEAM) {
            a.x1g = pointOnBeam(linkBeam, a.distance);
            a.y1g = linkBeam.leftYg;
        } else {
            const PileInfo &pile = a.object == OBJBACKPILE ? backPile : frontPile;
            a.x1g = pile.topXg;
            a.y1g = pointOnPile(pile, a.distance);
        }
        const double alpha = a.angle * M_PI / 180.0;
        a.x2g = a.x1g + a.lf * std::cos(alpha);
        a.y2g = a.y1g - a.lf * std::sin(alpha);
        a.x3g = a.x2g + a.la * std::cos(alpha);
        a.y3g = a.y1g - a.lf * std::sin(alpha) - a.la * std::sin(alpha);
    }
}

void Project::placeForces()
{
    placeForceList(AddForces);
}

void Project::placeForceList(QList<ForceInfo> &forces) const
{
    const double s = frontPile.space;
    for (ForceInfo &f : forces) {
        if (f.object == OBJBEAM) {
            f.x1g = pointOnBeam(linkBeam, f.distance);
            f.y1g = linkBeam.leftYg;
            if (f.type == LOADDIST) {
                f.x2g = std::min(f.x1g + f.length, linkBeam.rightXg);
                f.y2g = f.y1g;
            }
        } else {
            const PileInfo &pile = f.object == OBJBACKPILE ? backPile : frontPile;
            f.x1g = pile.topXg;
            f.y1g = pointOnPile(pile, f.distance);
            if (f.type == LOADDIST) {
                f.x2g = f.x1g;
                f.y2g = pointOnPile(pile, f.distance + f.length);
            }
        }
        if (f.type == LOADDIST && std::fabs(f.x2g - f.x1g) < EPS
            && std::fabs(f.y2g - f.y1g) < EPS) {
            f.q1 = 0.0;
            f.q2 = 0.0;
        }
        if (f.type == LOADPNT) {
            f.Fg = s * f.F;
        } else if (f.type == LOADMOMENT) {
            f.Mg = s * f.M;
        } else if (f.type == LOADDIST) {
            f.q1g = s * f.q1;
            f.q2g = s * f.q2;
        }
    }
}
