#include "results/resultjson.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

#include <cmath>

namespace {

// A finite number, never -0; null for anything else.
QJsonValue number(double v)
{
    if (!std::isfinite(v))
        return QJsonValue();
    return v == 0.0 ? 0.0 : v;
}

QJsonValue mm(double metres)
{
    return number(metres * 1000.0);
}

QJsonObject extreme(const ExtremeAt &max, const ExtremeAt &min, double factor)
{
    return {{QStringLiteral("max"), number(max.value * factor)},
        {QStringLiteral("maxDepth"), max.found ? number(max.depth) : QJsonValue()},
        {QStringLiteral("min"), number(min.value * factor)},
        {QStringLiteral("minDepth"), min.found ? number(min.depth) : QJsonValue()}};
}

QJsonObject extremes(const PileResult &pile)
{
    return {{QStringLiteral("displacement"), extreme(pile.max.D, pile.min.D, 1000.0)},
        {QStringLiteral("moment"), extreme(pile.max.M, pile.min.M, 1.0)},
        {QStringLiteral("shear"), extreme(pile.max.Q, pile.min.Q, 1.0)},
        {QStringLiteral("reaction"), extreme(pile.max.R, pile.min.R, 1.0)}};
}

QJsonObject pileTable(const PileResult &pile)
{
    QJsonArray nodes;
    for (const PileStation &s : pile.stations) {
        nodes.append(QJsonObject {{QStringLiteral("node"), s.nodeId},
            {QStringLiteral("depth"), number(s.depth)},
            {QStringLiteral("elevation"), number(s.elevation)},
            {QStringLiteral("displacement"), mm(s.displacement)},
            {QStringLiteral("moment"), number(s.moment)},
            {QStringLiteral("shear"), number(s.shear)}, {QStringLiteral("axial"), number(s.axial)},
            {QStringLiteral("reaction"), number(s.reaction)},
            {QStringLiteral("betweenRows"), number(s.betweenRows)}});
    }
    return {{QStringLiteral("member"), DesignText::key(pile.object)},
        {QStringLiteral("topElevation"), number(pile.topElevation)},
        {QStringLiteral("nodes"), nodes}};
}

QJsonObject memberChecks(const MemberCheck &m)
{
    QJsonArray flexure;
    for (const FlexureCheck &f : m.flexure) {
        flexure.append(QJsonObject {{QStringLiteral("sign"), f.sign},
            {QStringLiteral("Md"), number(f.design.Md)},
            {QStringLiteral("asRequired"), number(f.design.asRequired)},
            {QStringLiteral("asMin"), number(f.design.asMin)},
            {QStringLiteral("bars"), f.design.bars}, {QStringLiteral("ok"), f.design.ok}});
    }
    const ShearDesign &s = m.shear;
    QJsonObject o {{QStringLiteral("flexure"), flexure},
        {QStringLiteral("shear"),
            QJsonObject {{QStringLiteral("Vd"), number(s.Vd)},
                {QStringLiteral("Vlimit"), number(s.Vlimit)}, {QStringLiteral("Vc"), number(s.Vc)},
                {QStringLiteral("asvPerMetre"), number(s.asvPerMetre)},
                {QStringLiteral("spacing"), number(s.spacing)}, {QStringLiteral("ok"), s.ok}}}};
    if (!m.pile)
        return o;
    const DisplacementCheck &d = m.displacement;
    o.insert(QStringLiteral("displacement"),
        QJsonObject {{QStringLiteral("top"), mm(d.top)},
            {QStringLiteral("topLimit"), mm(d.topLimit)},
            {QStringLiteral("slip"), d.slipFound ? mm(d.slip) : QJsonValue()},
            {QStringLiteral("slipLimit"), mm(d.slipLimit)},
            {QStringLiteral("ok"), d.topOk() && d.slipOk()}});
    QJsonArray bearing;
    for (const BearingCheck &b : m.bearing) {
        bearing.append(QJsonObject {
            {QStringLiteral("kind"), b.rock ? QStringLiteral("rock") : QStringLiteral("soil")},
            {QStringLiteral("depth"), number(b.depth)}, {QStringLiteral("layer"), b.layer + 1},
            {QStringLiteral("sigma"), number(b.sigma)},
            {QStringLiteral("allowable"), number(b.allowable)}, {QStringLiteral("ok"), b.ok}});
    }
    o.insert(QStringLiteral("bearing"), bearing);
    return o;
}

QJsonObject checks(const DesignResult &design)
{
    QJsonObject o;
    for (const MemberCheck &m : design.members)
        o.insert(DesignText::key(m.object), memberChecks(m));
    QJsonArray anchors;
    for (const AnchorCheck &a : design.anchors) {
        const AnchorDesign &d = a.design;
        anchors.append(
            QJsonObject {{QStringLiteral("id"), a.number}, {QStringLiteral("Nak"), number(d.Nak)},
                {QStringLiteral("tendonsRequired"), number(d.tendonsRequired)},
                {QStringLiteral("tendons"), d.tendons},
                {QStringLiteral("bondRequired"), number(d.bondRequired)},
                {QStringLiteral("bond"), number(d.bond)}, {QStringLiteral("ok"), d.ok}});
    }
    o.insert(QStringLiteral("anchors"), anchors);
    o.insert(QStringLiteral("ok"), design.ok());
    return o;
}

} // namespace

QJsonObject ResultJson::object(const AnalysisResult &result, const DesignResult *design)
{
    QJsonObject o {{QStringLiteral("valid"), result.valid},
        {QStringLiteral("doubleRow"), result.doubleRow},
        {QStringLiteral("log"), QJsonArray::fromStringList(result.log)}};
    if (!result.valid)
        return o;
    QJsonObject extremeList;
    QJsonArray piles;
    for (const PileResult &pile : result.piles) {
        extremeList.insert(DesignText::key(pile.object), extremes(pile));
        piles.append(pileTable(pile));
    }
    o.insert(QStringLiteral("extremes"), extremeList);
    o.insert(QStringLiteral("piles"), piles);
    QJsonArray anchors;
    for (const AnchorResult &a : result.anchors) {
        anchors.append(QJsonObject {{QStringLiteral("id"), a.number},
            {QStringLiteral("member"), DesignText::key(a.object)},
            {QStringLiteral("headElevation"), number(a.headElevation)},
            {QStringLiteral("distance"), number(a.distance)},
            {QStringLiteral("angle"), number(a.angle)},
            {QStringLiteral("preforce"), number(a.preforce)},
            {QStringLiteral("forceH"), number(a.forceH)},
            {QStringLiteral("forceV"), number(a.forceV)},
            {QStringLiteral("axialForce"), number(a.axialForce)}});
    }
    o.insert(QStringLiteral("anchors"), anchors);
    if (design && design->valid)
        o.insert(QStringLiteral("checks"), checks(*design));
    return o;
}

QString ResultJson::write(
    const AnalysisResult &result, const DesignResult *design, const QString &path)
{
    const QByteArray bytes = QJsonDocument(object(result, design)).toJson(QJsonDocument::Indented);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return tr("无法写入文件%1").arg(QDir::toNativeSeparators(path));
    return QString();
}
