// The rules of the design checks.

#include "engine/designcheck.h"

#include "model/designdata.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double PI = 3.14159265358979323846;

// The least steel of a section of `area` mm²: 0.20 % or 0.45·ft/fy.
double leastSteel(double area, double ft, double fy)
{
    return std::max(0.002, 0.45 * ft / fy) * area;
}

} // namespace

double balancedHeight(double fy)
{
    return 0.8 / (1.0 + fy / (STEELMODULUS * CONCRETEULTIMATESTRAIN));
}

int barCount(double area, double diameter)
{
    const double one = PI * diameter * diameter / 4.0;
    if (!(area > 0.0) || !(one > 0.0))
        return 0;
    // A count a hair above a whole number from round-off is that number.
    const double count = std::ceil(area / one - 1e-9);
    return count < 1e9 ? int(count) : 1000000000;
}

FlexureDesign rectangularFlexure(
    double Md, double b, double h, double as, double fc, double ft, double fy, double barDiameter)
{
    FlexureDesign f;
    f.Md = Md;
    const double bm = b * 1000.0; // mm
    const double h0 = (h - as) * 1000.0;
    f.area = bm * h * 1000.0;
    f.asMin = leastSteel(f.area, ft, fy);
    f.xiB = balancedHeight(fy);
    if (!(h0 > 0.0) || !(bm > 0.0)) {
        f.tooSmall = true;
        f.ok = false;
        return f;
    }
    f.alphaS = std::max(Md, 0.0) * 1e6 / (ALPHA1 * fc * bm * h0 * h0);
    if (f.alphaS >= 0.5) {
        f.tooSmall = true;
        f.ok = false;
        return f;
    }
    f.xi = 1.0 - std::sqrt(1.0 - 2.0 * f.alphaS);
    f.asRequired = ALPHA1 * fc * bm * f.xi * h0 / fy;
    f.bars = barCount(std::max(f.asRequired, f.asMin), barDiameter);
    f.tooSmall = f.xi > f.xiB;
    f.ok = !f.tooSmall;
    return f;
}

namespace {

// Steel (mm²) and resistance (N·mm) of a round section at the share α of the
// compression zone.
struct RoundState
{
    double steel;
    double moment;
};

RoundState roundState(double alpha, double fc, double fy, double A, double r, double rs)
{
    const double alphaT = 1.25 - 2.0 * alpha;
    const double twoPiAlpha = 2.0 * PI * alpha;
    const double steel = alpha * ALPHA1 * fc * A * (1.0 - std::sin(twoPiAlpha) / twoPiAlpha)
        / ((alphaT - alpha) * fy);
    const double s = std::sin(PI * alpha);
    const double moment = 2.0 / 3.0 * ALPHA1 * fc * A * r * s * s * s / PI
        + fy * steel * rs * (s + std::sin(PI * alphaT)) / PI;
    return {steel, moment};
}

} // namespace

FlexureDesign roundFlexure(
    double Md, double D, double as, double fc, double ft, double fy, double barDiameter)
{
    FlexureDesign f;
    f.Md = Md;
    const double r = D * 500.0; // mm
    const double rs = r - as * 1000.0;
    f.area = PI * r * r;
    f.asMin = leastSteel(f.area, ft, fy);
    if (!(rs > 0.0)) {
        f.tooSmall = true;
        f.ok = false;
        return f;
    }
    const double target = std::max(Md, 0.0) * 1e6; // N·mm
    if (target > 0.0) {
        // The resistance grows from 0 at α = 0 without bound towards
        // α = 5/12, where αt − α vanishes: one root, found by halving.
        double lo = 0.0;
        double hi = 5.0 / 12.0;
        while (hi - lo > 1e-12) {
            const double mid = 0.5 * (lo + hi);
            if (roundState(mid, fc, fy, f.area, r, rs).moment < target)
                lo = mid;
            else
                hi = mid;
        }
        f.alpha = 0.5 * (lo + hi);
        f.asRequired = roundState(f.alpha, fc, fy, f.area, r, rs).steel;
    }
    const double steel = std::max(f.asRequired, f.asMin);
    f.bars = barCount(steel, barDiameter);
    f.tooSmall = !(steel <= 0.05 * f.area);
    f.ok = !f.tooSmall;
    return f;
}

ShearDesign shearCheck(double Vd, double b, double h0, double fc, double ft, double fyv, int legs,
    double stirrupDiameter)
{
    ShearDesign s;
    s.Vd = Vd;
    s.b = b;
    s.h0 = h0;
    const double ratio = b > 0.0 ? h0 / b : 0.0;
    s.beta = ratio <= 4.0 ? 0.25 : ratio >= 6.0 ? 0.20 : 0.25 - 0.025 * (ratio - 4.0);
    // MPa times m² is MN: ×1000 for kN.
    s.Vlimit = s.beta * fc * b * h0 * 1000.0;
    s.Vc = 0.7 * ft * b * h0 * 1000.0;
    // Asv/s worked in mm² per mm of member, given per metre.
    const double bmm = b * 1000.0;
    const double h0mm = h0 * 1000.0;
    const double needed = (std::fabs(Vd) - s.Vc) * 1000.0 / (fyv * h0mm); // mm²/mm
    const double least = 0.24 * ft / fyv * bmm;
    const double perMm = std::max(needed, least);
    s.asvPerMetre = perMm * 1000.0;
    const double legsArea = legs * PI * stirrupDiameter * stirrupDiameter / 4.0;
    s.spacing = perMm > 0.0 ? std::floor(legsArea / perMm / 10.0 + 1e-9) * 10.0 : 0.0;
    s.ok = std::fabs(Vd) <= s.Vlimit;
    return s;
}

double soilBearing(double y, double gamma2, double phi0, double gamma1, double h1)
{
    const double phi = phi0 * PI / 180.0;
    const double sine = std::sin(phi);
    return 4.0 * gamma2 * y * std::tan(phi) / std::cos(phi)
        - gamma1 * h1 * (1.0 - sine) / (1.0 + sine);
}

double rockBearing(double frk, double kh, double eta)
{
    return kh * eta * frk;
}

double topDisplacementLimit(double ratio, double lengthAbove, double largest)
{
    return std::min(ratio * lengthAbove, largest);
}

AnchorDesign anchorCheck(double Nak, int tendons, double tendonArea, double strength,
    double diameter, double Kb, double K, double Dc, double frbk, double fb, double bond)
{
    AnchorDesign a;
    a.Nak = std::max(Nak, 0.0);
    a.tendons = tendons;
    a.bond = bond;
    a.evaluable = tendonArea > 0.0 && strength > 0.0 && diameter > 0.0 && Dc > 0.0 && frbk > 0.0
        && fb > 0.0 && tendons > 0;
    if (!a.evaluable) {
        a.ok = false;
        return a;
    }
    // kN against MPa·mm² = N: ×1000.
    a.tendonsRequired = Kb * a.Nak * 1000.0 / (strength * tendonArea);
    a.bondGround = K * a.Nak / (PI * Dc * frbk);
    // fb in MPa is 1000 kPa; the tendon diameter in mm is 0.001 m.
    a.bondTendon = K * a.Nak / (tendons * PI * diameter * 0.001 * fb * 1000.0);
    a.bondRequired = std::max(a.bondGround, a.bondTendon);
    a.ok = a.tendonsRequired <= tendons && a.bondRequired <= bond;
    return a;
}
