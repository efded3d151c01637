#include "model/document.h"

#include <algorithm>

Document::Document(QObject *parent)
    : QObject(parent)
{
    messages.append(tr(">>欢迎使用澄川抗滑桩软件"));
    buildDefaultProject();
}

void Document::buildDefaultProject()
{
    base = BaseInfo();
    base.ProjectName = tr("某工程抗滑桩项目");
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
    first.Name = tr("岩土层1");
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
    second.Name = tr("岩土层2");
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

    design = DesignInfo();

    if (anchors.isEmpty())
        anchors.append(AnchorInfo());
    for (int n = 0; n < anchors.size(); ++n) {
        anchors[n].distance = double(n);
        anchors[n].computeStiffness();
    }

    updateGeometry();
    updateBaseData();
    updateSoilLayers();
    placeAnchors();
}

void Document::setModified(bool m)
{
    if (m)
        emit dataChanged();
    if (m != m_modified) {
        m_modified = m;
        emit modifiedChanged(m);
    }
}

bool Document::changeBase(const BaseInfo &b)
{
    if (!inputEditable())
        return false;
    base = b;
    // A single row has one sliding surface. The front depth follows it, as
    // the drawing and the element grid read the front surface too.
    if (base.PileForm != DOUBLEROW)
        base.slideFrontH = base.slideBackH;
    // The form, the spacing and the pile-top offset move the piles; the
    // depths and the thrust rebuild the derived loads; everything placed on
    // a pile follows it.
    updateGeometry();
    updateBaseData();
    updateSoilLayers();
    placeForces();
    placeAnchors();
    setModified(true);
    return true;
}

bool Document::changePiles(const PileInfo &front, const PileInfo &back, const LinkBeamInfo &beam)
{
    if (!inputEditable())
        return false;
    frontPile = front;
    backPile = back;
    linkBeam = beam;
    updateGeometry();
    // A new pile length moves the pile bottom, where thrust, forces and
    // anchors below it are clamped; left at their old places they would lie
    // off the pile and the analysis would find no node to put them on.
    updateBaseData();
    placeForces();
    placeAnchors();
    setModified(true);
    return true;
}

bool Document::changeSoils(const QList<SoilInfo> &list)
{
    if (!inputEditable())
        return false;
    soils = list;
    updateSoilLayers();
    setModified(true);
    return true;
}

bool Document::changeAnchors(const QList<AnchorInfo> &list)
{
    if (!inputEditable())
        return false;
    anchors = list;
    for (AnchorInfo &a : anchors)
        a.computeStiffness();
    placeAnchors();
    setModified(true);
    return true;
}

bool Document::changeForces(const QList<ForceInfo> &list)
{
    if (!inputEditable())
        return false;
    AddForces = list;
    placeForces();
    setModified(true);
    return true;
}

bool Document::changeDesign(const DesignInfo &d)
{
    if (!inputEditable())
        return false;
    design = d;
    setModified(true);
    return true;
}

void Document::updateAll()
{
    for (AnchorInfo &a : anchors)
        a.computeStiffness();
    updateGeometry();
    updateBaseData();
    updateSoilLayers();
    placeForces();
    placeAnchors();
}

void Document::outInfo(const QString &text)
{
    messages.append(text);
    emit sendOutInfo(text);
}

QString Document::codeMessage(int code)
{
    switch (code) {
    case 1: return tr(">>错误：土层深度不够");
    case 2: return tr(">>错误：桩底高于滑面");
    case 3: return tr(">>错误：桩底高于开挖面");
    case 4: return tr(">>错误：前后排桩上下无重叠区域");
    case 5: return tr(">>错误：桩长小于2m");
    case 6: return tr(">>错误：前后排桩间距太小");
    case 7: return tr(">>错误：桩底高于地面");
    case 12: return tr(">>警告：迭代过程没有收敛");
    case 13: return tr(">>错误：过程求解失败");
    case 21: return tr(">>错误：试算过程失败");
    default: return tr(">>未知错误");
    }
}

void Document::outCode(int code)
{
    outInfo(codeMessage(code));
}

void Document::updateSoilLayers()
{
    double depth = 0.0;
    for (int n = 0; n < soils.size(); ++n) {
        soils[n].id = qint16(n);
        depth += soils[n].thickness;
        soils[n].bottomY = -depth;
    }
}

QRectF Document::modelBounds() const
{
    const bool doubleRow = base.PileForm == DOUBLEROW;
    const double right = doubleRow ? 7.0 + base.row : 7.0;
    const double top = doubleRow ? std::max(frontPile.topYg, backPile.topYg) : frontPile.topYg;
    const double bottom =
        (doubleRow ? std::min(frontPile.bottomYg, backPile.bottomYg) : frontPile.bottomYg)
        - 2.0 * base.space;
    return QRectF(-7.0, top, right + 7.0, bottom - top);
}
