#include "model/inputrules.h"

double coefficientMFromStrength(double c, double fi)
{
    return (0.2 * fi * fi - fi + c) * 0.1 * 1000.0;
}

void matchEndSigns(ForceInfo &force)
{
    // A product just below zero is rounding of two tiny values, not a sign.
    if (force.q1 * force.q2 < -1e-5)
        force.q2 = -force.q2;
}
