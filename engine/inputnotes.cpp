#include "engine/inputnotes.h"

#include "engine/analysiscode.h"
#include "engine/inputcheck.h"
#include "engine/model.h"

namespace {

QString withoutPrefix(QString line)
{
    if (line.startsWith(QLatin1String(">>")))
        line.remove(0, 2);
    return line;
}

// Whether a point `distance` from the start of the member lies beyond its
// end, as the placement judges it.
bool beyondPile(const PileInfo &pile, double distance)
{
    return pile.bottomYg - (pile.topYg - distance) > EPS;
}

bool beyondBeam(const LinkBeamInfo &beam, double distance)
{
    return beam.leftXg + distance - beam.rightXg > EPS;
}

bool beyondMember(const Project &doc, qint16 object, double distance)
{
    if (object == OBJBEAM)
        return beyondBeam(doc.linkBeam, distance);
    return beyondPile(object == OBJBACKPILE ? doc.backPile : doc.frontPile, distance);
}

QString movedToEnd(const QString &what, qint16 object)
{
    if (object == OBJBEAM)
        return ProjectText::tr("%1的位置超出横梁长度，已按横梁右端计算").arg(what);
    return ProjectText::tr("%1的位置超出桩长，已按桩底计算").arg(what);
}

QString cutAtEnd(const QString &what, qint16 object)
{
    if (object == OBJBEAM)
        return ProjectText::tr("%1的作用范围超出横梁长度，已截至横梁右端").arg(what);
    return ProjectText::tr("%1的作用范围超出桩长，已截至桩底").arg(what);
}

} // namespace

QString firstInputProblem(const Project &doc)
{
    if (const int code = checkInput(doc))
        return withoutPrefix(codeMessage(AnalysisCode(code)));
    if (const QString problem = unusableInput(doc); !problem.isEmpty())
        return withoutPrefix(problem);

    for (int n = 0; n < doc.soils.size(); ++n) {
        const SoilInfo &soil = doc.soils[n];
        if (soil.type == METHODM && !(soil.m > 0.0))
            return ProjectText::tr("岩土层%1的m值为0，该层不提供地基反力").arg(n + 1);
        if (soil.type == METHODK && !(soil.k > 0.0))
            return ProjectText::tr("岩土层%1的K值为0，该层不提供地基反力").arg(n + 1);
    }

    for (int n = 0; n < doc.anchors.size(); ++n) {
        const AnchorInfo &a = doc.anchors[n];
        if (takesPart(doc.base, a.object) && beyondMember(doc, a.object, a.distance))
            return movedToEnd(ProjectText::tr("锚索(杆)%1").arg(n + 1), a.object);
    }
    for (int n = 0; n < doc.AddForces.size(); ++n) {
        const ForceInfo &f = doc.AddForces[n];
        if (!takesPart(doc.base, f.object))
            continue;
        const QString what = ProjectText::tr("附加力%1").arg(n + 1);
        if (beyondMember(doc, f.object, f.distance))
            return movedToEnd(what, f.object);
        if (f.type == LOADDIST && beyondMember(doc, f.object, f.distance + f.length))
            return cutAtEnd(what, f.object);
    }
    return {};
}
