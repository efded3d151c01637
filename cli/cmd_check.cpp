// ridezu-cli check FILE.qzp: reads a project and prints what it holds.

#include "cli/command.h"
#include "cli/projectfile.h"
#include "document/document.h"

#include <QMap>

namespace {

QString num(double v)
{
    return QString::number(v, 'g', 6);
}

QString sectionText(const PileInfo &pile)
{
    if (pile.shp == SECTSQUARE)
        return QStringLiteral("%1 H %2 m × W %3 m")
            .arg(CodeText::section(SECTSQUARE), num(pile.height), num(pile.width));
    return QStringLiteral("%1 D %2 m").arg(CodeText::section(SECTROUND), num(pile.diameter));
}

// "3 (前桩 1, 横梁 2)": the count, then the count of each kind in code order.
QString countText(qsizetype total, const QMap<qint16, int> &byKind,
    const std::function<QString(qint16)> &kindText)
{
    QStringList parts;
    for (auto it = byKind.cbegin(); it != byKind.cend(); ++it)
        parts << QStringLiteral("%1 %2").arg(kindText(it.key())).arg(it.value());
    return parts.isEmpty()
        ? QString::number(total)
        : QStringLiteral("%1 (%2)").arg(total).arg(parts.join(QLatin1String(", ")));
}

void printSummary(const Project &doc, QTextStream &out)
{
    const BaseInfo &base = doc.base;
    const bool doubleRow = base.PileForm == DOUBLEROW;
    out << "project: " << base.ProjectName << '\n';
    out << "form: " << CodeText::pileForm(base.PileForm);
    if (doubleRow)
        out << ", row distance " << num(base.row) << " m, dpel " << num(base.dpel) << " m";
    out << '\n';
    out << "sliding surface " << num(base.slideBackH) << " m, excavation " << num(base.cutH)
        << " m\n";

    QList<const PileInfo *> piles {&doc.frontPile};
    if (doubleRow)
        piles << &doc.backPile;
    for (const PileInfo *pile : piles) {
        out << "pile "
            << CodeText::carrier(pile == &doc.frontPile ? OBJPILE : OBJBACKPILE, base.PileForm)
            << ": length " << num(pile->length) << " m, " << sectionText(*pile) << ", "
            << CodeText::grade(pile->grade) << ", bottom " << CodeText::support(pile->support)
            << '\n';
    }

    double depth = 0.0;
    for (const SoilInfo &soil : doc.soils)
        depth += soil.thickness;
    out << "soil layers: " << doc.soils.size() << ", " << num(depth) << " m\n";
    for (const SoilInfo &soil : doc.soils) {
        out << "  " << soil.Name << ": thickness " << num(soil.thickness) << " m, "
            << CodeText::method(soil.type) << '\n';
    }

    QMap<qint16, int> anchorsOn;
    for (const AnchorInfo &a : doc.anchors)
        ++anchorsOn[a.object];
    out << "anchors: " << countText(doc.anchors.size(), anchorsOn, [&base](qint16 o) {
        return CodeText::carrier(o, base.PileForm);
    }) << '\n';

    QMap<qint16, int> forcesOf;
    for (const ForceInfo &f : doc.AddForces)
        ++forcesOf[f.type];
    out << "additional forces: " << countText(doc.AddForces.size(), forcesOf, CodeText::load)
        << '\n';

    if (doc.status & SHOWRESULT) {
        out << "results: " << doc.nodes.size() << " nodes, " << doc.beams.size() << " elements, "
            << doc.results.size() << " element results\n";
    } else {
        out << "results: none\n";
    }
}

int runCheck(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() != 1 || args.first().startsWith(QLatin1Char('-'))) {
        err << "Usage: ridezu-cli check FILE.qzp\n";
        return ExitUnreadable;
    }
    Document doc;
    if (!readProjectFile(doc, args.first(), err))
        return ExitUnreadable;
    printSummary(doc.project(), out);
    return ExitOk;
}

const CommandRegistration registration({QStringLiteral("check"), QStringLiteral("FILE.qzp"),
    QStringLiteral("read a project and print a summary"), runCheck});

} // namespace
