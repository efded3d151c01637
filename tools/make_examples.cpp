// make-examples DIR: writes the bundled example projects into DIR, each one
// built through the project model and saved by the program's own writer.

#include "io/filesys.h"
#include "model/document.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

// Derived data after editing, in the order the side dock runs them.
void update(Document &doc)
{
    for (AnchorInfo &a : doc.anchors)
        a.computeStiffness();
    doc.updateGeometry();
    doc.updateBaseData();
    doc.updateSoilLayers();
    doc.placeForces();
    doc.placeAnchors();
}

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
    BaseInfo &b = doc.base;
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

    doc.soils = {layer(QStringLiteral("粉质黏土"), 6.0, METHODM, 6000.0, 12000.0),
        layer(QStringLiteral("碎石土"), 5.0, METHODM, 15000.0, 12000.0),
        layer(QStringLiteral("中风化砂岩"), 12.0, METHODK, 0.0, 200000.0)};
    doc.soils[0].r = 19.0;
    doc.soils[1].r = 21.0;
    doc.soils[1].fi = 32.0;
    doc.soils[2].r = 24.0;
    doc.soils[2].c = 200.0;
    doc.soils[2].fi = 38.0;
    doc.soils[2].Es = 500000.0;

    doc.frontPile.length = 18.0;
    doc.frontPile.diameter = 1.5;
    doc.backPile.length = 17.0;
    doc.backPile.shp = SECTSQUARE;
    doc.backPile.height = 1.5;
    doc.backPile.width = 1.2;
    doc.backPile.grade = 30;
    doc.backPile.support = SUPPORTFREE;
    doc.linkBeam.height = 1.0;
    doc.linkBeam.width = 1.5;
    doc.linkBeam.grade = 30;

    doc.anchors = {
        anchor(OBJPILE, 1.0, 300.0), anchor(OBJBACKPILE, 2.0, 0.0), anchor(OBJBEAM, 2.5, 200.0)};
    doc.anchors[1].anchorType = ANCHORBAR;
    doc.anchors[1].soilType = BONDROCK;
    doc.anchors[1].rodNum = 3;
    doc.anchors[1].rodDiam = 32.0;
    doc.anchors[1].lf = 10.0;
    doc.anchors[1].la = 6.0;
    doc.anchors[1].angle = 20.0;
    doc.anchors[2].cableNum = 8;

    doc.AddForces = {force(LOADPNT, OBJPILE, 3.0), force(LOADDIST, OBJBACKPILE, 1.0),
        force(LOADMOMENT, OBJBEAM, 2.0), force(LOADPNT, OBJBEAM, 4.0)};
    doc.AddForces[0].F = 50.0;
    doc.AddForces[1].q1 = 20.0;
    doc.AddForces[1].q2 = 40.0;
    doc.AddForces[1].length = 4.0;
    doc.AddForces[2].M = 30.0;
    doc.AddForces[3].F = -100.0;
    doc.AddForces[3].direction = DIRVERTICAL;
}

// One row of square piles held by two prestressed cables, with a point force.
void buildSingleRowAnchors(Document &doc)
{
    BaseInfo &b = doc.base;
    b.ProjectName = QStringLiteral("某基坑锚拉抗滑桩");
    b.slideBackH = 10.0;
    b.slideFrontH = 10.0;
    b.cutH = 8.0;
    b.aforce = -650.0;
    b.shape = DISTTRIANGLE;
    b.space = 4.5;

    doc.soils = {layer(QStringLiteral("填土"), 4.0, METHODM, 3000.0, 12000.0),
        layer(QStringLiteral("粉质黏土"), 8.0, METHODM, 8000.0, 12000.0),
        layer(QStringLiteral("强风化泥岩"), 14.0, METHODM, 40000.0, 12000.0)};

    doc.frontPile.length = 20.0;
    doc.frontPile.shp = SECTSQUARE;
    doc.frontPile.height = 2.0;
    doc.frontPile.width = 1.5;
    doc.frontPile.support = SUPPORTFIXED;

    doc.anchors = {anchor(OBJPILE, 1.0, 400.0), anchor(OBJPILE, 4.0, 350.0)};
    doc.anchors[0].lf = 18.0;
    doc.anchors[0].la = 10.0;
    doc.anchors[1].lf = 14.0;
    doc.anchors[1].la = 10.0;

    doc.AddForces = {force(LOADPNT, OBJPILE, 2.0)};
    doc.AddForces[0].F = 80.0;
}

bool write(Document &doc, const QDir &dir, const char *name)
{
    for (int n = 0; n < doc.anchors.size(); ++n)
        doc.anchors[n].id = qint16(n + 1);
    for (int n = 0; n < doc.AddForces.size(); ++n)
        doc.AddForces[n].id = qint16(n);
    update(doc);
    const QString path = dir.filePath(QString::fromLatin1(name));
    const QString message = FileSys().writeProject(doc, path);
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
    doc.status = (doc.status & SHOWMARK) | SHOWRESULT;
    const QString analysed =
        QString::fromLatin1(name).replace(QLatin1String(".qzp"), QLatin1String("-analysed.qzp"));
    const QString path = dir.filePath(analysed);
    const QString message = FileSys().writeProject(doc, path);
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
