#include "model/project.h"

#include <algorithm>

Project Project::defaultProject()
{
    Project p;
    BaseInfo &base = p.base;
    QList<SoilInfo> &soils = p.soils;
    PileInfo &frontPile = p.frontPile;
    PileInfo &backPile = p.backPile;
    LinkBeamInfo &linkBeam = p.linkBeam;
    QList<AnchorInfo> &anchors = p.anchors;
    base = BaseInfo();
    base.ProjectName = ProjectText::tr("某工程抗滑桩项目");
    base.PileForm = SINGLEROW;
    base.slideBackH = 6.0;
    base.cutH = 6.0;
    base.aforce = -480.0;
    base.pforce = 0.0;
    base.shape = DISTRECTANGLE;
    base.ratio = 1.0;
    base.dl = 0.5;
    base.space = 3.5;
    base.row = 4.0;

    soils.clear();
    SoilInfo first;
    first.id = 1;
    first.Name = ProjectText::tr("岩土层1");
    first.thickness = 12.0;
    first.r = 18.0;
    first.c = 15.0;
    first.fi = 20.0;
    first.Es = 10000.0;
    first.type = METHODM;
    first.m = 7500.0;
    first.k = 12000.0;
    soils.append(first);
    SoilInfo second = first;
    second.id = 2;
    second.Name = ProjectText::tr("岩土层2");
    second.thickness = 6.0;
    second.r = 20.0;
    second.c = 20.0;
    second.fi = 25.0;
    second.m = 12000.0;
    soils.append(second);

    frontPile = PileInfo();
    frontPile.id = 0;
    frontPile.topElevation = 0.0;
    frontPile.grade = 35;
    frontPile.diameter = 1.2;
    frontPile.shp = SECTROUND;
    frontPile.length = 16.0;
    frontPile.space = 3.5;
    frontPile.support = SUPPORTHINGED;

    linkBeam = LinkBeamInfo();
    linkBeam.height = 0.8;
    linkBeam.width = 1.4;
    linkBeam.grade = 35;
    linkBeam.id = 3;
    linkBeam.length = 4.0;

    backPile = frontPile;
    backPile.id = 1;

    if (anchors.isEmpty())
        anchors.append(AnchorInfo());
    for (int n = 0; n < anchors.size(); ++n) {
        anchors[n].distance = double(n);
        anchors[n].computeStiffness();
    }

    p.updateGeometry();
    p.updateBaseData();
    p.updateSoilLayers();
    p.placeAnchors();
    return p;
}

bool Project::updateAll()
{
    for (AnchorInfo &a : anchors)
        a.computeStiffness();
    const bool limited = updateGeometry();
    updateBaseData();
    updateSoilLayers();
    placeForces();
    placeAnchors();
    return limited;
}

void Project::updateSoilLayers()
{
    double depth = 0.0;
    for (int n = 0; n < soils.size(); ++n) {
        soils[n].id = qint16(n);
        depth += soils[n].thickness;
        soils[n].bottomY = -depth;
    }
}

bool Project::resultsConsistent() const
{
    const qint64 count = nodes.size();
    const auto valid = [count](qint64 index) { return index >= 0 && index < count; };
    for (const BeamInfo &b : beams) {
        if (!valid(b.i) || !valid(b.j))
            return false;
    }
    for (const ResultInfo &r : results) {
        if (!valid(r.i) || !valid(r.j))
            return false;
    }
    for (const PileInfo *pile : {&frontPile, &backPile}) {
        if (pile->sptindex >= count)
            return false;
    }
    return true;
}

void Project::dropResults()
{
    nodes.clear();
    beams.clear();
    results.clear();
    status = SHOWDATA;
}

void Project::takeContent(const Project &other)
{
    const Project display = *this;
    *this = other;
    fileVersion = display.fileVersion;
    blc = display.blc;
    blcfull = display.blcfull;
    status = display.status;
    x0 = display.x0;
    y0 = display.y0;
}

QRectF Project::modelBounds() const
{
    const bool doubleRow = base.PileForm == DOUBLEROW;
    const double right = doubleRow ? 7.0 + base.row : 7.0;
    const double top = doubleRow ? std::max(frontPile.topYg, backPile.topYg) : frontPile.topYg;
    const double bottom =
        (doubleRow ? std::min(frontPile.bottomYg, backPile.bottomYg) : frontPile.bottomYg)
        - 2.0 * base.space;
    return QRectF(-7.0, top, right + 7.0, bottom - top);
}

void applySlideDepthRule(BaseInfo &base)
{
    if (base.PileForm != DOUBLEROW)
        base.slideFrontH = base.slideBackH;
}
