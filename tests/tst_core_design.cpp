// The design checks: the known answers of the default project, sections and
// ground worked by hand or published, anchors of both tendons and both
// service lives, the refusal of design data outside sense, and the design
// data in the project file.

#include "document/document.h"
#include "engine/designcheck.h"
#include "engine/designchecks.h"
#include "io/filesys.h"

#include <QTemporaryDir>
#include <QtTest>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

namespace {

// Within 0.1 % of the expected value.
#define QCLOSE(value, expected)                                                                    \
    do {                                                                                           \
        const double v_ = (value);                                                                 \
        const double e_ = (expected);                                                              \
        QVERIFY2(qAbs(v_ - e_) <= 1e-3 * qAbs(e_),                                                 \
            qPrintable(QStringLiteral("%1, expected %2").arg(v_, 0, 'g', 8).arg(e_)));             \
    } while (false)

// The project analysed as the window's analyse command leaves it.
DesignResult analysed(Document &doc)
{
    if (!doc.analyse())
        return {};
    return designChecks(doc.project());
}

const BearingCheck *bearingAt(const MemberCheck &m, double depth)
{
    for (const BearingCheck &b : m.bearing) {
        if (qAbs(b.depth - depth) < 1e-6)
            return &b;
    }
    return nullptr;
}

void writeData(const QString &path, const QByteArray &body)
{
    QuaZip zip(path);
    QVERIFY(zip.open(QuaZip::mdCreate));
    QuaZipFile file(&zip);
    QVERIFY(file.open(QIODevice::WriteOnly, QuaZipNewInfo(QStringLiteral("data.xml"))));
    file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<RIDezuData><FileVer version=\"1.1\"/>"
        + body + "</RIDezuData>\n");
    file.close();
    zip.close();
}

} // namespace

class TestDesign : public QObject
{
    Q_OBJECT

private slots:
    void defaultProject();
    void soilBearingPublished();
    void rectangularByHand();
    void rectangularPileBothSigns();
    void roundAtAQuarter();
    void rockBearing();
    void anchors();
    void designDataRefused_data();
    void designDataRefused();
    void designDataInTheFile();
};

void TestDesign::defaultProject()
{
    Document doc;
    const DesignResult r = analysed(doc);
    QVERIFY(r.valid);
    QCOMPARE(r.members.size(), 1);
    const MemberCheck &pile = r.members[0];

    QCOMPARE(pile.flexure.size(), 1);
    const FlexureDesign &f = pile.flexure[0].design;
    QCLOSE(f.Md, 4877.9);
    QCLOSE(f.alpha, 0.3206);
    QCLOSE(f.asRequired, 32165.0);
    QCOMPARE(f.bars, 40);
    QVERIFY(f.ok);

    QCLOSE(pile.shear.Vd, 1465.4);
    QCLOSE(pile.shear.Vlimit, 4232.4);
    QCLOSE(pile.shear.Vc, 1114.1);
    QCLOSE(pile.shear.asvPerMetre, 1473.7);
    QCOMPARE(pile.shear.spacing, 270.0);
    QVERIFY(pile.shear.ok);

    QCLOSE(pile.displacement.top * 1000.0, 69.2);
    QCLOSE(pile.displacement.topLimit * 1000.0, 60.0);
    QVERIFY(!pile.displacement.topOk());
    QVERIFY(pile.displacement.slipFound);
    // Given to a tenth of a millimetre: 26.6 stands for 26.55 to 26.65.
    QVERIFY(qAbs(pile.displacement.slip * 1000.0 - 26.6) <= 0.05);
    QVERIFY(!pile.displacement.slipOk());

    const BearingCheck *third = bearingAt(pile, 10.0 / 3.0);
    const BearingCheck *bottom = bearingAt(pile, 10.0);
    QVERIFY(third && bottom);
    QCLOSE(third->sigma, 194.6);
    QCLOSE(third->allowable, 40.0);
    QVERIFY(!third->ok);
    QCLOSE(bottom->allowable, 367.8);
    QCOMPARE(bottom->layer, 1);

    QCOMPARE(r.anchors.size(), 1);
    const AnchorDesign &a = r.anchors[0].design;
    QCLOSE(a.Nak, 655.9);
    QCLOSE(a.tendonsRequired, 7.1);
    QCOMPARE(a.tendons, 6);
    QCLOSE(a.bondRequired, 66.8);
    QVERIFY(!a.ok);

    // Top, sliding surface, the bearing at h2/3 and the anchor.
    QCOMPARE(r.failures(), 4);
    QCOMPARE(DesignText::summary(r), QStringLiteral("设计验算：4项不满足"));
    const QList<DesignLine> lines = DesignText::lines(r);
    QCOMPARE(lines[0].text, QStringLiteral("抗滑桩配筋: As=32165mm², 40Φ32 满足"));
    QVERIFY(std::any_of(lines.cbegin(), lines.cend(), [](const DesignLine &l) {
        return !l.ok && l.text == QStringLiteral("嵌固段 y=3.3m: σ=194.6kPa > f_H=40.0kPa 不满足");
    }));
}

void TestDesign::soilBearingPublished()
{
    // Sliding surface 4 m deep in 18 kN/m³, embedded in soil of 19 kN/m³, φ0 = 35°.
    QCLOSE(soilBearing(6.0, 19.0, 35.0, 18.0, 4.0), 370.3);
    QCLOSE(soilBearing(2.0, 19.0, 35.0, 18.0, 4.0), 110.4);
}

void TestDesign::rectangularByHand()
{
    // 400 x 600, h0 = 550 mm, C30, grade 400 (fy 360): αs = 200e6/(14.3·400·550²)
    // = 0.11559, ξ = 0.12317, As = 14.3·400·ξ·550/360 = 1076.4 mm², 4Φ20.
    const FlexureDesign f = rectangularFlexure(200.0, 0.4, 0.6, 0.05, 14.3, 1.43, 360.0, 20.0);
    QCLOSE(f.alphaS, 0.11559);
    QCLOSE(f.xi, 0.12317);
    QCLOSE(f.xiB, 0.518);
    QCLOSE(f.asRequired, 1076.4);
    QCLOSE(f.asMin, 480.0); // 0.20 % governs 0.45·1.43/360 = 0.179 %
    QCOMPARE(f.bars, 4);
    QVERIFY(f.ok);

    // A small moment takes the least steel: 480 mm² is two bars of Φ20.
    QCOMPARE(rectangularFlexure(20.0, 0.4, 0.6, 0.05, 14.3, 1.43, 360.0, 20.0).bars, 2);

    // ξ = 0.5 (αs = 0.375, Md = 648.9) passes; ξ = 0.6 (αs = 0.42, Md = 726.7)
    // exceeds ξb and needs a larger section; αs ≥ 0.5 has no ξ at all.
    QVERIFY(rectangularFlexure(648.0, 0.4, 0.6, 0.05, 14.3, 1.43, 360.0, 20.0).ok);
    const FlexureDesign over = rectangularFlexure(726.7, 0.4, 0.6, 0.05, 14.3, 1.43, 360.0, 20.0);
    QCLOSE(over.xi, 0.6);
    QVERIFY(over.tooSmall && !over.ok);
    const FlexureDesign none = rectangularFlexure(900.0, 0.4, 0.6, 0.05, 14.3, 1.43, 360.0, 20.0);
    QVERIFY(none.tooSmall && !none.ok);
}

void TestDesign::rectangularPileBothSigns()
{
    // The default pile made square: the moment changes sign along it, and each
    // sign is designed on its own for the largest moment of that sign.
    Document doc;
    PileInfo pile = doc.project().frontPile;
    pile.shp = SECTSQUARE;
    pile.width = 1.2;
    pile.height = 1.6;
    QVERIFY(doc.changePiles(pile, doc.project().backPile, doc.project().linkBeam));
    DesignInfo design = doc.project().design;
    design.gamma0 = 1.1;
    QVERIFY(doc.changeDesign(design));
    const DesignResult r = analysed(doc);
    QVERIFY(r.valid);
    const MemberCheck &m = r.members[0];
    QCOMPARE(m.flexure.size(), 2);
    QCOMPARE(m.flexure[0].sign, QStringLiteral("+"));
    QCOMPARE(m.flexure[1].sign, QStringLiteral("-"));
    QVERIFY(doc.project().extremes.Min1.M < 0.0 && doc.project().extremes.Max1.M > 0.0);
    QCLOSE(m.flexure[0].design.Md, 1.1 * 1.35 * doc.project().extremes.Max1.M);
    QCLOSE(m.flexure[1].design.Md, -1.1 * 1.35 * doc.project().extremes.Min1.M);
    // Stirrups of a rectangle: its width, h0 = h − as and four legs.
    QCLOSE(m.shear.Vc, 0.7 * 1.57 * 1200.0 * 1520.0 / 1000.0);
}

void TestDesign::roundAtAQuarter()
{
    // At α = 1/4: sin 2πα = 1, sin πα = sin παt = √2/2 and αt − α = 1/2, so
    // As = fc·A·(1 − 2/π)/(2·fy) and Mu = (2/3)·fc·A·r·(√2/2)³/π + fy·As·rs·√2/π.
    // D = 1 m, as = 50 mm, C30, fy = 360: As = 5668.3 mm², Mu = 834.68 kN·m.
    const double A = M_PI * 500.0 * 500.0;
    const double as = 14.3 * A * (1.0 - 2.0 / M_PI) / (2.0 * 360.0);
    const double Mu = (2.0 / 3.0 * 14.3 * A * 500.0 * std::pow(M_SQRT1_2, 3) / M_PI
                          + 360.0 * as * 450.0 * M_SQRT2 / M_PI)
        / 1e6;
    QCLOSE(as, 5668.3);
    QCLOSE(Mu, 834.68);
    const FlexureDesign f = roundFlexure(Mu, 1.0, 0.05, 14.3, 1.43, 360.0, 25.0);
    QVERIFY(qAbs(f.alpha - 0.25) < 1e-9);
    QCLOSE(f.asRequired, as);
    QCOMPARE(f.bars, 12); // 5668.3 / 490.9 = 11.5
    QVERIFY(f.ok);

    // More steel than 5 % of the section is refused.
    const FlexureDesign big = roundFlexure(8000.0, 1.0, 0.05, 14.3, 1.43, 360.0, 25.0);
    QVERIFY(big.asRequired > 0.05 * A);
    QVERIFY(big.tooSmall && !big.ok);
}

void TestDesign::rockBearing()
{
    QCLOSE(::rockBearing(5000.0, 0.5, 0.3), 750.0);

    // The lower layer of the default project (−12 m to −18 m) made rock: its
    // nodes are checked against K_H·η·frk, the node on its top boundary
    // belongs to the soil above, and the point y = h2 at the pile bottom
    // (−16 m), which lies in it, is no soil check any more.
    for (const double frk : {300.0, 5000.0}) {
        Document doc;
        QList<SoilInfo> soils = doc.project().soils;
        soils[1].frk = frk;
        QVERIFY(doc.changeSoils(soils));
        const DesignResult r = analysed(doc);
        QVERIFY(r.valid);
        const MemberCheck &m = r.members[0];
        QCOMPARE(m.bearing.size(), 2);
        QVERIFY(!m.bearing[0].rock);
        QCLOSE(m.bearing[0].depth, 10.0 / 3.0);
        const BearingCheck &rock = m.bearing[1];
        QVERIFY(rock.rock);
        QCOMPARE(rock.layer, 1);
        QCLOSE(rock.allowable, 0.15 * frk);
        double worst = 0.0;
        for (const ResultInfo &e : doc.project().results) {
            if (doc.project().nodes[e.i].Yg < -12.0 - 1e-6)
                worst = qMax(worst, qAbs(e.SPi));
            if (doc.project().nodes[e.j].Yg < -12.0 - 1e-6)
                worst = qMax(worst, qAbs(e.SPj));
        }
        QVERIFY(worst > 40.0);
        QCOMPARE(rock.sigma, worst);
        QCOMPARE(rock.ok, worst <= 0.15 * frk);
    }
}

void TestDesign::anchors()
{
    // Strands, permanent, class 2: Kb = 2.0, K = 2.4 (the default project);
    // temporary: Kb = 1.5, K = 1.8, so 1.5·655.9/(1320·0.140) = 5.32 strands
    // and 1.8·655.9/(π·0.15·50) = 50.1 m of bond.
    {
        Project p = Project::defaultProject();
        DesignInfo design = p.design;
        design.permanent = 0;
        Document doc;
        doc.replaceProject(p);
        QVERIFY(doc.changeDesign(design));
        const DesignResult r = analysed(doc);
        QVERIFY(r.valid);
        QCLOSE(r.anchors[0].design.tendonsRequired, 5.324);
        QCLOSE(r.anchors[0].design.bondRequired, 50.1);
        QVERIFY(!r.anchors[0].design.ok); // 8 m of bond given
    }
    // Three bars of Φ32, grade 400 (fy 360), bonded in rock (frbk 360 kPa)
    // 10 m long, permanent, class 1: Kb = 2.2, K = 2.6, fb = 2.40 MPa (M30).
    {
        Document doc;
        QList<AnchorInfo> anchors = doc.project().anchors;
        anchors[0].anchorType = ANCHORBAR;
        anchors[0].rodNum = 3;
        anchors[0].rodDiam = 32.0;
        anchors[0].soilType = BONDROCK;
        anchors[0].frbk = 360.0;
        anchors[0].la = 10.0;
        QVERIFY(doc.changeAnchors(anchors));
        DesignInfo design = doc.project().design;
        design.grade = 1;
        QVERIFY(doc.changeDesign(design));
        const DesignResult r = analysed(doc);
        QVERIFY(r.valid);
        const AnchorCheck &a = r.anchors[0];
        const double Nak = doc.project().anchors[0].axialForce();
        QVERIFY(Nak > 100.0);
        QCLOSE(a.design.Nak, Nak);
        QCLOSE(a.design.tendonsRequired, 2.2 * Nak * 1000.0 / (360.0 * 804.248));
        QCLOSE(a.design.bondGround, 2.6 * Nak / (M_PI * 0.15 * 360.0));
        QCLOSE(a.design.bondTendon, 2.6 * Nak / (3 * M_PI * 0.032 * 2400.0));
        QCOMPARE(a.design.ok, a.design.tendonsRequired <= 3 && a.design.bondRequired <= 10.0);
    }
    // The factors of the other classes: temporary class 1 and 3, permanent class 3.
    QCOMPARE(tendonSafetyFactor(false, 1), 1.6);
    QCOMPARE(tendonSafetyFactor(false, 3), 1.4);
    QCOMPARE(bondSafetyFactor(false, 1), 2.0);
    QCOMPARE(bondSafetyFactor(false, 3), 1.6);
    QCOMPARE(tendonSafetyFactor(true, 3), 2.0);
    QCOMPARE(bondSafetyFactor(true, 3), 2.2);
    // Hand numbers: 300 kN on two bars of Φ32 needs 2.0·300e3/(360·804.25)
    // = 2.07 bars; 2.4·300/(π·0.15·360) = 4.24 m in the ground governs
    // 2.4·300/(2·π·0.032·2400) = 1.49 m along the bars.
    const AnchorDesign bars =
        anchorCheck(300.0, 2, M_PI * 256.0, 360.0, 32.0, 2.0, 2.4, 0.15, 360.0, 2.40, 5.0);
    QCLOSE(bars.tendonsRequired, 2.0724);
    QCLOSE(bars.bondRequired, 4.244);
    QCLOSE(bars.bondTendon, 1.492);
    QVERIFY(!bars.ok);
    // A compressed anchor carries nothing; a bond strength of 0 cannot be checked.
    QCOMPARE(anchorCheck(-50.0, 2, 804.0, 360.0, 32.0, 2.0, 2.4, 0.15, 360.0, 2.4, 5.0).Nak, 0.0);
    const AnchorDesign noBond =
        anchorCheck(300.0, 2, 804.0, 360.0, 32.0, 2.0, 2.4, 0.15, 0.0, 2.4, 5.0);
    QVERIFY(!noBond.evaluable && !noBond.ok);
}

void TestDesign::designDataRefused_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("named");
    QTest::newRow("gamma0 zero") << "gamma0"
                                 << "γ0";
    QTest::newRow("gammaF above 3") << "gammaF"
                                    << "γF";
    QTest::newRow("as half the diameter") << "as"
                                          << "as";
    QTest::newRow("grade not offered") << "rebar"
                                       << "纵筋";
    QTest::newRow("grout not offered") << "grout"
                                       << "注浆体";
    QTest::newRow("limit zero") << "limit"
                                << "位移限值";
    QTest::newRow("negative frk") << "frk"
                                  << "frk";
    QTest::newRow("negative frbk") << "frbk"
                                   << "frbk";
}

void TestDesign::designDataRefused()
{
    QFETCH(QString, field);
    QFETCH(QString, named);
    Project p = Project::defaultProject();
    DesignInfo &d = p.design;
    if (field == "gamma0")
        d.gamma0 = 0.0;
    else if (field == "gammaF")
        d.gammaF = 3.01;
    else if (field == "as")
        d.as = 0.6; // the default pile is 1.2 m across
    else if (field == "rebar")
        d.rebarMain = 450;
    else if (field == "grout")
        d.grout = 40;
    else if (field == "limit")
        d.limitSlip = 0.0;
    else if (field == "frk")
        p.soils[1].frk = -1.0;
    else if (field == "frbk")
        p.anchors[0].frbk = -1.0;
    Document doc;
    doc.replaceProject(p);
    const int before = doc.messages.size();
    QVERIFY(!doc.analyse());
    QCOMPARE(doc.messages.size(), before + 1);
    QVERIFY2(doc.messages.last().startsWith(QStringLiteral(">>错误：数据不合理，"))
            && doc.messages.last().contains(named),
        qPrintable(doc.messages.last()));
}

void TestDesign::designDataInTheFile()
{
    QTemporaryDir dir;
    // A file from before the design data: the defaults, an anchor bonded in
    // rock gets 360 kPa, one in soil 50 kPa, and every layer is soil. A
    // design element naming one value leaves the others at their defaults.
    const QString old = dir.filePath(QStringLiteral("old.qzp"));
    writeData(old,
        "<SoilDatas><SoilData id=\"0\"><Position thickness=\"20\"/></SoilData></SoilDatas>"
        "<Anchors><Anchor id=\"1\"><Type anchor=\"701\" soil=\"711\"/></Anchor>"
        "<Anchor id=\"2\"><Bond/><Type anchor=\"701\" soil=\"712\"/></Anchor></Anchors>");
    Project doc = Project::defaultProject();
    doc.design.gammaF = 2.0; // what the project had is not kept
    QCOMPARE(FileSys().readProject(doc, old), QString());
    const DesignInfo defaults;
    QCOMPARE(doc.design.gammaF, defaults.gammaF);
    QCOMPARE(doc.design.limitTop, defaults.limitTop);
    QCOMPARE(doc.soils[0].frk, 0.0);
    QCOMPARE(doc.anchors[0].frbk, 360.0);
    QCOMPARE(doc.anchors[1].frbk, 50.0);

    const QString partial = dir.filePath(QStringLiteral("partial.qzp"));
    writeData(partial, "<DesignData><Safety grade=\"1\"/><Rebar diam=\"28\"/></DesignData>");
    QCOMPARE(FileSys().readProject(doc, partial), QString());
    QCOMPARE(doc.design.grade, qint16(1));
    QCOMPARE(doc.design.rebarDiam, 28.0);
    QCOMPARE(doc.design.gamma0, defaults.gamma0);
    QCOMPARE(doc.design.stirrupDiam, defaults.stirrupDiam);
    QCOMPARE(doc.design.legs, defaults.legs);
    QCOMPARE(doc.design.as, defaults.as);

    // Every value the program writes reads back.
    Project edited = Project::defaultProject();
    DesignInfo d;
    d.grade = 3;
    d.permanent = 0;
    d.gamma0 = 0.9;
    d.gammaF = 1.25;
    d.rebarMain = 500;
    d.rebarStirrup = 400;
    d.rebarDiam = 25.0;
    d.stirrupDiam = 12.0;
    d.legs = 6;
    d.as = 0.07;
    d.kh = 0.6;
    d.eta = 0.35;
    d.fpy = 1220.0;
    d.anchorBar = 335;
    d.grout = 35;
    d.limitTop = 0.12;
    d.limitTopRatio = 0.015;
    d.limitSlip = 0.02;
    edited.design = d;
    edited.soils[1].frk = 12000.0;
    edited.anchors[0].frbk = 75.0;
    const QString path = dir.filePath(QStringLiteral("design.qzp"));
    QCOMPARE(FileSys().writeProject(edited, path), QString());
    Project read = Project::defaultProject();
    QCOMPARE(FileSys().readProject(read, path), QString());
    const DesignInfo &g = read.design;
    QCOMPARE(g.grade, d.grade);
    QCOMPARE(g.permanent, d.permanent);
    QCOMPARE(g.gamma0, d.gamma0);
    QCOMPARE(g.gammaF, d.gammaF);
    QCOMPARE(g.rebarMain, d.rebarMain);
    QCOMPARE(g.rebarStirrup, d.rebarStirrup);
    QCOMPARE(g.rebarDiam, d.rebarDiam);
    QCOMPARE(g.stirrupDiam, d.stirrupDiam);
    QCOMPARE(g.legs, d.legs);
    QCOMPARE(g.as, d.as);
    QCOMPARE(g.kh, d.kh);
    QCOMPARE(g.eta, d.eta);
    QCOMPARE(g.fpy, d.fpy);
    QCOMPARE(g.anchorBar, d.anchorBar);
    QCOMPARE(g.grout, d.grout);
    QCOMPARE(g.limitTop, d.limitTop);
    QCOMPARE(g.limitTopRatio, d.limitTopRatio);
    QCOMPARE(g.limitSlip, d.limitSlip);
    QCOMPARE(read.soils[1].frk, 12000.0);
    QCOMPARE(read.anchors[0].frbk, 75.0);
}

QTEST_GUILESS_MAIN(TestDesign)
#include "tst_core_design.moc"
