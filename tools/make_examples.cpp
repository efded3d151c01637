// make-examples DIR: writes the bundled example projects into DIR, each one
// built through the project model's own road for changes (so the derived data
// are those the program makes) and saved by the program's own writer.

#include "io/filesys.h"
#include "document/document.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

SoilInfo layer(const QString &name, double thickness, qint16 method, double m, double k)
{
    SoilInfo s;
    s.Name = name;
    s.thickness = thickness;
    s.type = method;
    s.m = m;
    s.k = k;
    return s;
}

AnchorInfo anchor(qint16 object, double distance, double preforce)
{
    AnchorInfo a;
    a.object = object;
    a.distance = distance;
    a.preforce = preforce;
    return a;
}

// The records with ids counted from `first` in list order.
template <typename Record> QList<Record> numbered(QList<Record> records, int first)
{
    for (int n = 0; n < records.size(); ++n)
        records[n].id = qint16(first + n);
    return records;
}

ForceInfo force(qint16 type, qint16 object, double distance)
{
    ForceInfo f;
    f.type = type;
    f.object = object;
    f.distance = distance;
    return f;
}

// Two rows 5 m apart joined by a beam, the front pile top 1 m higher, with
// anchors on both piles and the beam and forces of every kind.
void buildDoubleRow(Document &doc)
{
    BaseInfo b = doc.project().base;
    b.ProjectName = QStringLiteral("某边坡双排抗滑桩");
    b.PileForm = DOUBLEROW;
    b.slideBackH = 8.0;
    b.slideFrontH = 7.0;
    b.cutH = 6.0;
    b.aforce = -800.0;
    b.pforce = 100.0;
    b.shape = DISTTRAPEZOID;
    b.ratio = 0.5;
    b.space = 4.0;
    b.row = 5.0;
    b.dpel = 1.0;
    b.reduceE = 0.85f;
    doc.changeBase(b);

    QList<SoilInfo> soils = {layer(QStringLiteral("粉质黏土"), 6.0, METHODM, 6000.0, 12000.0),
        layer(QStringLiteral("碎石土"), 5.0, METHODM, 15000.0, 12000.0),
        layer(QStringLiteral("中风化砂岩"), 12.0, METHODK, 0.0, 200000.0)};
    soils[0].r = 19.0;
    soils[1].r = 21.0;
    soils[1].fi = 32.0;
    soils[2].r = 24.0;
    soils[2].c = 200.0;
    soils[2].fi = 38.0;
    soils[2].Es = 500000.0;
    doc.changeSoils(soils);

    PileInfo front = doc.project().frontPile;
    front.length = 18.0;
    front.diameter = 1.5;
    PileInfo back = doc.project().backPile;
    back.length = 17.0;
    back.shp = SECTSQUARE;
    back.height = 1.5;
    back.width = 1.2;
    back.grade = 30;
    back.support = SUPPORTFREE;
    LinkBeamInfo beam = doc.project().linkBeam;
    beam.height = 1.0;
    beam.width = 1.5;
    beam.grade = 30;
    doc.changePiles(front, back, beam);

    QList<AnchorInfo> anchors = {
        anchor(OBJPILE, 1.0, 300.0), anchor(OBJBACKPILE, 2.0, 0.0), anchor(OBJBEAM, 2.5, 200.0)};
    anchors[1].anchorType = ANCHORBAR;
    anchors[1].soilType = BONDROCK;
    anchors[1].rodNum = 3;
    anchors[1].rodDiam = 32.0;
    anchors[1].lf = 10.0;
    anchors[1].la = 6.0;
    anchors[1].angle = 20.0;
    anchors[2].cableNum = 8;
    doc.changeAnchors(numbered(anchors, 1));

    QList<ForceInfo> forces = {force(LOADPNT, OBJPILE, 3.0), force(LOADDIST, OBJBACKPILE, 1.0),
        force(LOADMOMENT, OBJBEAM, 2.0), force(LOADPNT, OBJBEAM, 4.0)};
    forces[0].F = 50.0;
    forces[1].q1 = 20.0;
    forces[1].q2 = 40.0;
    forces[1].length = 4.0;
    forces[2].M = 30.0;
    forces[3].F = -100.0;
    forces[3].direction = DIRVERTICAL;
    doc.changeForces(numbered(forces, 0));
}

// One row of square piles held by two prestressed cables, with a point force.
void buildSingleRowAnchors(Document &doc)
{
    BaseInfo b = doc.project().base;
    b.ProjectName = QStringLiteral("某基坑锚拉抗滑桩");
    b.slideBackH = 10.0;
    b.slideFrontH = 10.0;
    b.cutH = 8.0;
    b.aforce = -650.0;
    b.shape = DISTTRIANGLE;
    b.space = 4.5;
    doc.changeBase(b);

    doc.changeSoils({layer(QStringLiteral("填土"), 4.0, METHODM, 3000.0, 12000.0),
        layer(QStringLiteral("粉质黏土"), 8.0, METHODM, 8000.0, 12000.0),
        layer(QStringLiteral("强风化泥岩"), 14.0, METHODM, 40000.0, 12000.0)});

    PileInfo front = doc.project().frontPile;
    front.length = 20.0;
    front.shp = SECTSQUARE;
    front.height = 2.0;
    front.width = 1.5;
    front.support = SUPPORTFIXED;
    doc.changePiles(front, doc.project().backPile, doc.project().linkBeam);

    QList<AnchorInfo> anchors = {anchor(OBJPILE, 1.0, 400.0), anchor(OBJPILE, 4.0, 350.0)};
    anchors[0].lf = 18.0;
    anchors[0].la = 10.0;
    anchors[1].lf = 14.0;
    anchors[1].la = 10.0;
    doc.changeAnchors(numbered(anchors, 1));

    QList<ForceInfo> forces = {force(LOADPNT, OBJPILE, 2.0)};
    forces[0].F = 80.0;
    doc.changeForces(numbered(forces, 0));
}

bool write(Document &doc, const QDir &dir, const char *name)
{
    const QString path = dir.filePath(QString::fromLatin1(name));
    const QString message = FileSys().writeProject(doc.project(), path);
    if (!message.isEmpty()) {
        std::fprintf(stderr, "make-examples: %s\n", qPrintable(message));
        return false;
    }
    std::printf("%s\n", qPrintable(QDir::toNativeSeparators(path)));
    return true;
}

// Writes the project as it is, then an analysed copy NAME-analysed.qzp that
// opens in result mode.
bool writeWithResults(Document &doc, const QDir &dir, const char *name)
{
    if (!write(doc, dir, name))
        return false;
    if (!doc.analyse()) {
        std::fprintf(stderr, "make-examples: %s does not analyse: %s\n", name,
            qPrintable(doc.messages.last()));
        return false;
    }
    const QString analysed =
        QString::fromLatin1(name).replace(QLatin1String(".qzp"), QLatin1String("-analysed.qzp"));
    const QString path = dir.filePath(analysed);
    const QString message = FileSys().writeProject(doc.project(), path);
    if (!message.isEmpty()) {
        std::fprintf(stderr, "make-examples: %s\n", qPrintable(message));
        return false;
    }
    std::printf("%s\n", qPrintable(QDir::toNativeSeparators(path)));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Usage: make-examples DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    Document plain;
    Document doubleRow;
    buildDoubleRow(doubleRow);
    Document anchored;
    buildSingleRowAnchors(anchored);
    const bool ok = writeWithResults(plain, dir, "default.qzp")
        && writeWithResults(doubleRow, dir, "doublerow.qzp")
        && writeWithResults(anchored, dir, "singlerow-anchors.qzp");
    return ok ? 0 : 1;
}
