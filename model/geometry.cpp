#include "model/geometry.h"

#include "model/project.h"

#include <QCoreApplication>
#include <cmath>

double concreteModulus(qint16 grade)
{
    switch (grade) {
    case 20: return 2.55e7;
    case 25: return 2.8e7;
    case 30: return 3.0e7;
    case 35: return 3.15e7;
    case 40: return 3.25e7;
    default: return 3.0e7;
    }
}

double calculationWidth(const PileInfo &pile)
{
    if (pile.shp == SECTSQUARE) {
        const double W = pile.width;
        return W > 1.0 ? W + 1.0 : 1.5 * W + 0.5;
    }
    const double D = pile.diameter;
    return D > 1.0 ? 0.9 * (D + 1.0) : 0.9 * (1.5 * D + 0.5);
}

double sectionDepth(const PileInfo &pile)
{
    return pile.shp == SECTSQUARE ? pile.height : pile.diameter;
}

bool deriveSection(PileInfo &pile, float reduceE)
{
    if (pile.shp == SECTSQUARE) {
        pile.area = pile.width * pile.height;
        pile.I = pile.width * pile.height * pile.height * pile.height / 12.0;
    } else {
        const double D = pile.diameter;
        pile.area = D * D * M_PI / 4.0;
        pile.I = M_PI * D * D * D * D * 0.015625;
    }
    pile.E = double(reduceE) * concreteModulus(pile.grade);
    pile.b0 = calculationWidth(pile);
    if (pile.b0 > pile.space) {
        pile.b0 = pile.space;
        return true;
    }
    return false;
}

QList<double> widthBasis(const Project &project)
{
    QList<double> basis = {project.base.space, calculationWidth(project.frontPile)};
    if (project.base.PileForm == DOUBLEROW)
        basis.append(calculationWidth(project.backPile));
    return basis;
}

bool Project::updateGeometry()
{
    bool limited = false;
    double frontTop = 0.0;
    double backTop = 0.0;
    if (base.PileForm == DOUBLEROW) {
        const double d = base.dpel;
        if (d < EPS)
            frontTop = d;
        else
            backTop = -d;
    }

    const auto place = [this, &limited](PileInfo &pile, double x, double y) {
        pile.topXg = x;
        pile.topYg = y;
        pile.topElevation = y;
        pile.bottomXg = x;
        pile.bottomYg = y - pile.length;
        pile.space = base.space;
        if (deriveSection(pile, base.reduceE))
            limited = true;
    };
    place(frontPile, 0.0, frontTop);
    if (base.PileForm != DOUBLEROW)
        return limited;

    place(backPile, base.row, backTop);
    linkBeam.leftXg = frontPile.topXg;
    linkBeam.leftYg = std::min(frontPile.topYg, backPile.topYg);
    linkBeam.rightXg = backPile.topXg;
    linkBeam.rightYg = linkBeam.leftYg;
    linkBeam.length = base.row;
    linkBeam.area = linkBeam.width * linkBeam.height;
    linkBeam.I = linkBeam.width * linkBeam.height * linkBeam.height * linkBeam.height / 12.0;
    linkBeam.E = concreteModulus(linkBeam.grade);
    return limited;
}
