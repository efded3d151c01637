// Landslide thrust behind the piles and resistance in front of them, turned
// into distributed horizontal forces on the piles (Project::BaseForces).

#include "model/project.h"

#include <cmath>

namespace {

struct Intensities
{
    double top;
    double bottom;
};

Intensities distribute(double total, double height, qint16 shape, double ratio)
{
    switch (shape) {
    case DISTTRIANGLE: return {0.0, 2.0 * total / height};
    case DISTTRAPEZOID: {
        const double bottom = 2.0 * total / (height * (ratio + 1.0));
        return {ratio * bottom, bottom};
    }
    default: return {total / height, total / height};
    }
}

ForceInfo distributedForce(double total, qint16 object, double length, double distance, double q1,
    double q2, const BaseInfo &base)
{
    ForceInfo f;
    f.type = LOADDIST;
    f.direction = DIRHORIZONTAL;
    f.object = object;
    f.F = total;
    f.q1 = q1;
    f.q2 = q2;
    f.length = length;
    f.distance = distance;
    f.shape = base.shape;
    f.ratio = base.ratio;
    return f;
}

} // namespace

void Project::updateBaseData()
{
    base.slideBackYg = -base.slideBackH;
    base.slideFrontYg = -base.slideFrontH;
    base.cutYg = -base.cutH;

    BaseForces.clear();
    const bool doubleRow = base.PileForm == DOUBLEROW;
    const double frontTop = frontPile.topYg;
    const double backTop = backPile.topYg;

    // Thrust behind the piles, from the ground down to the sliding surface.
    {
        const double a = base.slideBackH;
        const double T = base.aforce;
        if (a >= EPS && std::fabs(T) >= EPS) {
            const Intensities q = distribute(T, a, base.shape, base.ratio);
            if (!doubleRow) {
                BaseForces.append(distributedForce(T, OBJPILE, a, 0.0, q.top, q.bottom, base));
            } else if (!(frontTop > backTop + EPS)) {
                BaseForces.append(distributedForce(T, OBJBACKPILE, a, 0.0, q.top, q.bottom, base));
            } else if (!(backTop > base.slideBackYg + EPS)) {
                BaseForces.append(distributedForce(T, OBJPILE, a, 0.0, q.top, q.bottom, base));
            } else {
                // The front pile stands higher: it carries the thrust down to
                // the back pile top, the back pile the rest.
                const double t = std::fabs(frontTop - backTop);
                const double o = q.top + (q.bottom - q.top) * t / a;
                BaseForces.append(distributedForce(T, OBJPILE, t, 0.0, q.top, o, base));
                BaseForces.append(distributedForce(T, OBJBACKPILE, a - t, 0.0, o, q.bottom, base));
            }
        }
    }

    // Resistance in front of the piles, from the excavation down to the
    // front sliding surface.
    {
        const double a = base.slideFrontH - base.cutH;
        const double T = base.pforce;
        if (a >= EPS && std::fabs(T) >= EPS) {
            const Intensities q = distribute(T, a, base.shape, base.ratio);
            const double u = frontTop;
            const double v = base.cutYg;
            if (!doubleRow || frontTop >= backTop - EPS) {
                BaseForces.append(
                    distributedForce(T, OBJPILE, a, base.cutH, q.top, q.bottom, base));
            } else if (u > v - EPS) {
                BaseForces.append(distributedForce(T, OBJPILE, a, u - v, q.top, q.bottom, base));
            } else if (u < base.slideFrontYg + EPS) {
                BaseForces.append(
                    distributedForce(T, OBJBACKPILE, a, base.cutH, q.top, q.bottom, base));
            } else {
                // The front pile top lies inside the loaded height: the back
                // pile carries the part above it, the front pile the rest.
                const double t = std::fabs(v - u);
                const double o = q.top + (q.bottom - q.top) * t / a;
                BaseForces.append(distributedForce(T, OBJBACKPILE, t, base.cutH, q.top, o, base));
                BaseForces.append(distributedForce(T, OBJPILE, a - t, 0.0, o, q.bottom, base));
            }
        }
    }
    placeForceList(BaseForces);
}
