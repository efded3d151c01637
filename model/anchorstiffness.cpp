// Axial stiffness of an anchor cable or bolt, resolved into a horizontal and
// a vertical spring at its head.

#include "model/records.h"

#include <cmath>

double strandArea(double diameter)
{
    static const struct
    {
        double diameter;
        double area;
    } table[] = {
        {15.2, 140.0}, {12.7, 98.7}, {17.8, 191.0}, {21.6, 285.0}, {10.8, 58.9}, {12.9, 84.8}};
    for (const auto &row : table) {
        if (std::fabs(row.diameter - diameter) < 1e-5)
            return row.area;
    }
    return 140.0;
}

double defaultBondStrength(qint16 soilType)
{
    return soilType == BONDROCK ? 360.0 : 50.0;
}

void AnchorInfo::computeStiffness()
{
    if (anchorType == ANCHORCABLE) {
        A = cableNum * strandArea(cableDiam) * 1e-6;
        Es = 1.95e8;
    } else {
        A = rodNum * M_PI / 4.0 * rodDiam * rodDiam * 1e-6;
        Es = 2.0e8;
    }
    Ac = M_PI / 4.0 * Dc * Dc;
    Ec = ((Ac - A) * Em + A * Es) / Ac;

    const double alpha = angle * M_PI / 180.0;
    const double cos2 = std::cos(alpha) * std::cos(alpha);
    const double sin2 = std::sin(alpha) * std::sin(alpha);
    const double EA = A * Es;
    if (soilType == BONDROCK) {
        kh = EA * cos2 / lf;
        kv = EA * sin2 / lf;
    } else {
        const double K = 3.0 * EA * Ec * Ac / (3.0 * lf * Ec * Ac + EA * la);
        kh = K * cos2;
        kv = K * sin2;
    }
    // Zero lengths or diameters from a damaged file must not leave an
    // infinite stiffness behind; the input check refuses such anchors.
    for (double *v : {&A, &Ac, &Ec, &kh, &kv}) {
        if (!std::isfinite(*v))
            *v = 0.0;
    }
}

double AnchorInfo::axialForce() const
{
    // forceH = cos α·(P + k·cos α·(−Dx)) and forceV = sin α·(P + k·sin α·Dy):
    // dividing each by its direction cosine gives P plus one part of the
    // stretch, so their sum counts P twice.
    const double alpha = angle * M_PI / 180.0;
    if (!(alpha > 0.0))
        return forceH / std::cos(alpha);
    return forceH / std::cos(alpha) + forceV / std::sin(alpha) - preforce;
}
