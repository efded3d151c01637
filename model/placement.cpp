// Global positions of anchors and forces from the pile and beam geometry,
// and the per-pile values of the forces.

#include "model/project.h"

#include <cmath>

namespace {

// Elevation y on `pile`, never below its bottom.
double onPile(const PileInfo &pile, double y)
{
    return y - pile.bottomYg > EPS ? y : pile.bottomYg;
}

// Position x on the link beam, never beyond its right end.
double onBeam(const LinkBeamInfo &beam, double x)
{
    return x > beam.rightXg - EPS ? beam.rightXg : x;
}

} // namespace

void Project::placeAnchors()
{
    for (AnchorInfo &a : anchors) {
        if (a.object == OBJBEAM) {
            a.x1g = onBeam(linkBeam, linkBeam.leftXg + a.distance);
            a.y1g = linkBeam.leftYg;
        } else {
            const PileInfo &pile = a.object == OBJBACKPILE ? backPile : frontPile;
            a.x1g = pile.topXg;
            a.y1g = onPile(pile, pile.topYg - a.distance);
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
        // A distributed force ends `length` from its start: below it on a
        // pile, right of it on the beam. The end is taken from the start as
        // the rule says and nowhere else, so the grid, the loads and the
        // drawing all meet the same number (top - (distance + length) can
        // differ from it in the last bit and decide a tie of the grid).
        if (f.object == OBJBEAM) {
            f.x1g = onBeam(linkBeam, linkBeam.leftXg + f.distance);
            f.y1g = linkBeam.leftYg;
            if (f.type == LOADDIST) {
                f.x2g = onBeam(linkBeam, f.x1g + f.length);
                f.y2g = f.y1g;
            }
        } else {
            const PileInfo &pile = f.object == OBJBACKPILE ? backPile : frontPile;
            f.x1g = pile.topXg;
            f.y1g = onPile(pile, pile.topYg - f.distance);
            if (f.type == LOADDIST) {
                f.x2g = f.x1g;
                f.y2g = onPile(pile, f.y1g - f.length);
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
