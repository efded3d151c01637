// The analysis engine checked on small projects whose answers are known:
// closed-form beam solutions, spring sums that must equal integrals of the
// foundation coefficient, equilibrium and the rules of the trial loop.

#include "document/document.h"
#include "engine/analyse.h"
#include "engine/analysiscode.h"
#include "engine/datamatrix.h"
#include "engine/inputcheck.h"
#include "engine/model.h"
#include "engine/results.h"
#include "engine/springs.h"
#include "enginetestsupport.h"

#include <QtTest>

#include <thread>

namespace {

// Assembles the stiffness and loads of the analysed project's final trial
// (its springs in the states the trial loop settled on) once more.
void assembleFinalTrial(DataMatrix &matrix, const Project &analysed)
{
    // The assembly notes its equations in the nodes: it works on a copy.
    Project doc = analysed;
    matrix.buildLoads(doc.beams, doc.nodes);
    matrix.buildRightHandSide();
    matrix.addElements(doc.beams);
    matrix.applyRestraints(doc.restraints);
    matrix.recordOrigins(doc.nodes);
    matrix.addSprings(doc.nodes);
    matrix.buildMatrix();
}

ForceInfo pointForce(double F, double distance, qint16 object = OBJPILE)
{
    ForceInfo f;
    f.type = LOADPNT;
    f.direction = DIRHORIZONTAL;
    f.F = F;
    f.distance = distance;
    f.object = object;
    return f;
}

const NodeInfo &topNode(const Document &doc, double x)
{
    int best = -1;
    for (int n = 0; n < doc.project().nodes.size(); ++n) {
        if (qAbs(doc.project().nodes[n].Xg - x) < EPS
            && (best < 0 || doc.project().nodes[n].Yg > doc.project().nodes[best].Yg))
            best = n;
    }
    return doc.project().nodes[best];
}

QStringList linesAfter(const Document &doc, int count)
{
    return doc.messages.mid(count);
}

bool allFinite(const Document &doc)
{
    for (const ResultInfo &r : doc.project().results) {
        for (double v :
            {r.Xi, r.Xj, r.Mi, r.Mj, r.Qi, r.Qj, r.Ni, r.Nj, r.SPi, r.SPj, r.BPi, r.BPj})
            if (!std::isfinite(v))
                return false;
    }
    return true;
}

} // namespace

class TestEngine : public QObject
{
    Q_OBJECT

private slots:
    void inputCheck_data();
    void inputCheck();
    void unusableInputRefused_data();
    void unusableInputRefused();
    void outOfRangeFieldsNamed_data();
    void outOfRangeFieldsNamed();
    void elementLength_data();
    void elementLength();
    void gridMerging();
    void distributedForceEndTie();
    void cantileverPointLoad();
    void cantileverPartialUniformLoad();
    void selfWeightAxialForce();
    void longPileOnWinklerSprings();
    void kSpringsFollowTheGround();
    void mSpringsIntegrateTheCoefficient();
    void contactStatesSettle();
    void defaultProjectReport();
    void anchorsAtOneNodeAllCount();
    void singleRowIgnoresOtherCarriers();
    void doubleRowNodesAndLinks();
    void singularModelStopsAtOnce();
    void freeBaseOnTheLastLayerBottom();
    void largeModelIsSolved();
    void analyseIgnoredInResultMode();
    void absurdSizesAreRefused();
    void pointsAHairApartBecomeOneNode();
    void pileEndKeepsItsElevation();
    void manyForcesSolvedExactly();
    void stiffDoubleRowSolvedExactly();
    void zeroNeverPrintedNegative();
    void analysesRunAtOnceOnCopies();
    void displacementBeyondModelWarned();
};

void TestEngine::inputCheck_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("code");
    QTest::newRow("default passes") << "" << 0;
    QTest::newRow("soil too shallow") << "soil" << 1;
    QTest::newRow("no soil at all") << "nosoil" << 1;
    QTest::newRow("bottom above slide") << "slide" << 2;
    QTest::newRow("bottom on slide passes") << "onslide" << 0;
    QTest::newRow("bottom above cut") << "cut" << 3;
    QTest::newRow("bottom above ground") << "ground" << 7;
    QTest::newRow("short pile") << "short" << 5;
    QTest::newRow("back pile short") << "backshort" << 5;
    QTest::newRow("rows too close") << "close" << 6;
    QTest::newRow("rows just far enough") << "farenough" << 0;
    QTest::newRow("no overlap") << "overlap" << 4;
    QTest::newRow("soil before piles") << "soilfirst" << 1;
}

void TestEngine::inputCheck()
{
    QFETCH(QString, change);
    QFETCH(int, code);
    Project p = Project::defaultProject();
    if (change.startsWith("back") || change == "close" || change == "farenough"
        || change == "overlap" || change == "soilfirst")
        p.base.PileForm = DOUBLEROW;
    if (change == "soil") {
        p.soils[1].thickness = 3.9; // layers end at -15.9, pile bottom -16
    } else if (change == "nosoil") {
        p.soils.clear();
    } else if (change == "slide") {
        p.base.slideBackH = 16.5;
    } else if (change == "onslide") {
        p.base.slideBackH = 16.000005;
    } else if (change == "cut") {
        p.base.cutH = 17.0;
        p.soils[1].thickness = 10.0;
    } else if (change == "ground") {
        // a pile standing above ground but below the raised surfaces
        p.frontPile.length = -1.0;
        p.base.slideBackH = -5.0;
        p.base.cutH = -5.0;
    } else if (change == "short") {
        p.frontPile.length = 1.99;
        p.base.slideBackH = 1.0;
        p.base.cutH = 1.0;
    } else if (change == "backshort") {
        p.backPile.length = 1.99;
        p.base.slideBackH = 1.0;
        p.base.cutH = 1.0;
    } else if (change == "close" || change == "farenough") {
        p.frontPile.diameter = 1.0;
        p.backPile.diameter = 1.0;
        p.base.row = change == "close" ? 1.09 : 1.1;
    } else if (change == "overlap") {
        p.base.dpel = 20.0;
        p.base.slideBackH = 1.0;
        p.base.cutH = 1.0;
        p.soils[1].thickness = 30.0;
    } else if (change == "soilfirst") {
        p.backPile.length = 30.0; // also far below the slide: layers are checked first
    }
    p.updateGeometry();
    p.updateBaseData();
    p.updateSoilLayers();
    Document doc;
    doc.replaceProject(p);
    QCOMPARE(checkInput(p), code);

    const int before = doc.messages.size();
    const bool ok = doc.analyse();
    QCOMPARE(ok, code == 0);
    if (code != 0)
        QCOMPARE(linesAfter(doc, before), QStringList {codeMessage(AnalysisCode(code))});
    else
        QCOMPARE(doc.messages.at(before), QStringLiteral(">>数据合理性检查正确"));
}

void TestEngine::unusableInputRefused_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("zero diameter") << "diameter";
    QTest::newRow("nan length") << "nanlength";
    QTest::newRow("zero thickness") << "thickness";
    QTest::newRow("infinite modulus") << "Es";
    QTest::newRow("negative m") << "m";
    QTest::newRow("zero spacing") << "space";
    QTest::newRow("unknown support") << "support";
    QTest::newRow("nan anchor length") << "anchor";
    QTest::newRow("zero beam") << "beam";
}

void TestEngine::unusableInputRefused()
{
    QFETCH(QString, change);
    Project p = Project::defaultProject();
    if (change == "diameter") {
        p.frontPile.diameter = 0.0;
        p.updateGeometry();
    } else if (change == "nanlength") {
        p.frontPile.length = qQNaN();
        p.updateGeometry();
    } else if (change == "thickness") {
        p.soils.insert(1, p.soils[0]);
        p.soils[1].thickness = 0.0;
        p.updateSoilLayers();
    } else if (change == "Es") {
        p.soils[0].Es = qInf();
    } else if (change == "m") {
        p.soils[0].m = -1.0;
    } else if (change == "space") {
        p.base.space = 0.0;
    } else if (change == "support") {
        p.frontPile.support = 44;
    } else if (change == "anchor") {
        p.anchors[0].lf = qQNaN();
    } else if (change == "beam") {
        p.base.PileForm = DOUBLEROW;
        p.updateGeometry();
        p.linkBeam.height = 0.0;
        p.linkBeam.area = 0.0;
    }
    Document doc;
    doc.replaceProject(p);
    const int before = doc.messages.size();
    QVERIFY(!doc.analyse());
    const QStringList lines = linesAfter(doc, before);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines[0].startsWith(QStringLiteral(">>错误：")), qPrintable(lines[0]));
    QVERIFY(doc.project().results.isEmpty());
}

void TestEngine::outOfRangeFieldsNamed_data()
{
    // Values each of which was analysed as it was; a bar of 1e300 mm made
    // the anchor's stiffness 0 and the anchor vanished from the model.
    QTest::addColumn<QString>("field");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("line");
    QTest::newRow("strands") << "cableNum" << 2147483647.0
                             << "锚索(杆)1的钢绞线根数超出合理范围（1~1000）";
    QTest::newRow("angle") << "angle" << 1e300 << "锚索(杆)1的倾角超出合理范围（0~90°）";
    QTest::newRow("bond length") << "la" << -1.0 << "锚索(杆)1的锚固段长度必须大于0";
    QTest::newRow("grout modulus") << "Em" << -1e9 << "锚索(杆)1的注浆体弹性模量必须大于0";
    QTest::newRow("bar diameter") << "rodDiam" << 1e300
                                  << "锚索(杆)1的钢筋直径超出合理范围（绝对值不大于1000000mm）";
    QTest::newRow("unit weight") << "r" << 150.0 << "岩土层2的重度超出合理范围（0~100kN/m³）";
    QTest::newRow("cohesion") << "c" << -5.0 << "岩土层2的c值超出合理范围（0~1000000000kPa）";
    QTest::newRow("friction") << "fi" << qQNaN() << "岩土层2的φ值超出合理范围（0~90°）";
    QTest::newRow("grade") << "grade" << 100.0 << "抗滑桩的混凝土等级超出合理范围（C10~C80）";
}

void TestEngine::outOfRangeFieldsNamed()
{
    QFETCH(QString, field);
    QFETCH(double, value);
    QFETCH(QString, line);
    Project p = Project::defaultProject();
    AnchorInfo &a = p.anchors[0];
    SoilInfo &s = p.soils[1];
    if (field == "cableNum") {
        a.cableNum = qint32(value);
    } else if (field == "angle") {
        a.angle = value;
    } else if (field == "la") {
        a.la = value;
    } else if (field == "Em") {
        a.Em = value;
    } else if (field == "rodDiam") {
        a.anchorType = ANCHORBAR;
        a.rodDiam = value;
    } else if (field == "r") {
        s.r = value;
    } else if (field == "c") {
        s.c = value;
    } else if (field == "fi") {
        s.fi = value;
    } else if (field == "grade") {
        p.frontPile.grade = qint16(value);
    }
    p.updateAll();
    Document doc;
    doc.replaceProject(p);
    const int before = doc.messages.size();
    QVERIFY(!doc.analyse());
    QCOMPARE(linesAfter(doc, before), QStringList {QStringLiteral(">>错误：数据不合理，") + line});
}

void TestEngine::elementLength_data()
{
    QTest::addColumn<double>("front");
    QTest::addColumn<double>("back");
    QTest::addColumn<double>("dl");
    QTest::newRow("20 m single") << 20.0 << 0.0 << 0.25;
    QTest::newRow("30 m single") << 30.0 << 0.0 << 0.5;
    QTest::newRow("two of 12.5 m") << 12.5 << 12.5 << 0.5;
    QTest::newRow("50 m single") << 50.0 << 0.0 << 0.75;
}

void TestEngine::elementLength()
{
    QFETCH(double, front);
    QFETCH(double, back);
    QFETCH(double, dl);
    Project p = Project::defaultProject();
    p.frontPile.length = front;
    if (back > 0) {
        p.base.PileForm = DOUBLEROW;
        p.backPile.length = back;
    }
    QCOMPARE(::elementLength(p), dl);
}

void TestEngine::gridMerging()
{
    // A layer boundary 0.1 m above a grid point removes the grid point; one
    // 0.1 m from the sliding surface keeps both; the point half an element
    // below the sliding surface is a grid point.
    Project p = Project::defaultProject();
    p.base.dl = 0.5;
    p.soils[0].thickness = 8.9; // boundary at -8.9, grid point at -9.0
    p.updateSoilLayers();
    QVector<double> grid = elevationGrid(p);
    const auto has = [&](double y) {
        return std::any_of(grid.begin(), grid.end(), [&](double g) { return qAbs(g - y) < 1e-9; });
    };
    QVERIFY(has(-8.9));
    QVERIFY(!has(-9.0));
    QVERIFY(has(-6.0));
    QVERIFY(has(-6.25));
    QVERIFY(has(-16.0) && has(0.0));
    QVERIFY(std::is_sorted(grid.begin(), grid.end()));

    p.soils[0].thickness = 6.1; // boundary 0.1 m below the sliding surface
    p.updateSoilLayers();
    grid = elevationGrid(p);
    QVERIFY(has(-6.0));
    QVERIFY(has(-6.1));
}

void TestEngine::distributedForceEndTie()
{
    // A force from 7.7 m over 0.7 m on a pile whose top is at -2.5 m ends
    // at start - length. Read as top - (distance + length) it lay one bit
    // lower, and the grid point 0.4 dl below it (at -11.1), a tie that
    // keeps both, gave way to it.
    Project p = Project::defaultProject();
    p.base.PileForm = DOUBLEROW;
    p.base.dpel = -2.5; // the front pile stands 2.5 m lower
    p.frontPile.length = 13.1; // bottom at -15.6: grid points at -15.6 + k dl
    p.backPile.length = 12.0;
    ForceInfo f;
    f.type = LOADDIST;
    f.distance = 7.7;
    f.length = 0.7;
    p.AddForces = {f};
    p.updateAll();
    p.base.dl = 0.5;
    const ForceInfo &placed = p.AddForces[0];
    QVERIFY(placed.y1g == -2.5 - 7.7);
    QVERIFY(placed.y2g == placed.y1g - 0.7);
    const QVector<double> grid = elevationGrid(p);
    QVERIFY(grid.contains(placed.y2g));
    QVERIFY(std::any_of(grid.begin(), grid.end(), [](double y) { return qAbs(y + 11.1) < 1e-9; }));
}

void TestEngine::cantileverPointLoad()
{
    // Fixed at the bottom, point force at the top: tip deflection PL³/3EI,
    // base moment PL.
    Project p = Project::defaultProject();
    makeBarePile(p, 10.0, SUPPORTFIXED);
    p.AddForces = {pointForce(10.0, 0.0)};
    p.placeForces();
    Document doc;
    doc.replaceProject(p);
    QVERIFY(doc.analyse());
    const double P = 35.0; // 10 kN/m at 3.5 m spacing
    const double EI = 3.0e7 / 12.0;
    QVERIFY(qAbs(topNode(doc, 0).Dx - P * 1000.0 / (3.0 * EI)) < 1e-9);
    QVERIFY(qAbs(doc.project().extremes.Max1.D - P * 1000.0 / (3.0 * EI)) < 1e-9);
    QVERIFY(qAbs(qMax(qAbs(doc.project().extremes.Max1.M), qAbs(doc.project().extremes.Min1.M))
                - P * 10.0)
        < 1e-6);
    QVERIFY(qAbs(qMax(qAbs(doc.project().extremes.Max1.Q), qAbs(doc.project().extremes.Min1.Q)) - P)
        < 1e-6);
    QVERIFY(doc.messages.contains(QStringLiteral(">>计算结束")));
}

void TestEngine::cantileverPartialUniformLoad()
{
    // Thrust over the top 6 m of a 10 m cantilever: the consistent element
    // loads give exact nodal deflections.
    Project p = Project::defaultProject();
    makeBarePile(p, 10.0, SUPPORTFIXED);
    p.base.slideBackH = 6.0;
    p.base.aforce = -60.0; // rectangle: -10 kN/m, per pile -35 kN/m
    p.base.shape = DISTRECTANGLE;
    p.updateBaseData();
    Document doc;
    doc.replaceProject(p);
    QVERIFY(doc.analyse());
    const double w = -35.0, L = 10.0, a = 6.0, b = L - a;
    const double EI = 3.0e7 / 12.0;
    const double tip = w * (3 * L * L * L * L - 4 * L * b * b * b + b * b * b * b) / (24.0 * EI);
    QVERIFY2(qAbs(topNode(doc, 0).Dx - tip) < 1e-9 * qAbs(tip) + 1e-12,
        qPrintable(QString::number(topNode(doc, 0).Dx) + " vs " + QString::number(tip)));
    const double baseMoment = qAbs(w) * a * (L - a / 2.0);
    QVERIFY(qAbs(qMax(qAbs(doc.project().extremes.Max1.M), qAbs(doc.project().extremes.Min1.M))
                - baseMoment)
        < 1e-6);
    QVERIFY(doc.project().extremes.Max1.D < 1e-12); // moves only towards -x: the maximum stays 0
}

void TestEngine::selfWeightAxialForce()
{
    // Self-weight of a hinged pile: the axial force at the bottom equals the
    // pile's weight, 25 kN/m³ x area x length.
    Project p = Project::defaultProject();
    makeBarePile(p, 10.0, SUPPORTHINGED);
    p.base.weight = true;
    // A little lateral restraint from the soil keeps the hinged pile stable.
    p.soils[0].k = 1000.0;
    Document doc;
    doc.replaceProject(p);
    QVERIFY(doc.analyse());
    double bottomN = 0.0;
    for (const ResultInfo &r : doc.project().results) {
        if (r.i == doc.project().frontPile.sptindex)
            bottomN = r.Ni;
    }
    QVERIFY2(qAbs(qAbs(bottomN) - 25.0 * 1.0 * 10.0) < 1e-6, qPrintable(QString::number(bottomN)));
}

void TestEngine::longPileOnWinklerSprings()
{
    // A long free pile in uniform K-method ground from the surface down,
    // loaded at its head: the semi-infinite beam on elastic foundation,
    // head deflection 2Pβ/ks and largest moment 0.3224 P/β.
    Project p = Project::defaultProject();
    makeBarePile(p, 40.0, SUPPORTFREE);
    p.base.slideBackH = 0.0;
    p.base.slideFrontH = 0.0;
    p.base.cutH = 0.0;
    p.soils[0].k = 20000.0;
    p.AddForces = {pointForce(10.0, 0.0)};
    p.updateBaseData();
    p.placeForces();
    Document doc;
    doc.replaceProject(p);
    QVERIFY(doc.analyse());

    const double P = 35.0;
    const double ks = 20000.0 * doc.project().frontPile.b0; // b0 = 2.0 m for a 1 m square pile
    const double beta = std::pow(ks / (4.0 * 3.0e7 / 12.0), 0.25);
    const double head = 2.0 * P * beta / ks;
    QVERIFY2(qAbs(topNode(doc, 0).Dx - head) < 0.02 * head,
        qPrintable(QString::number(topNode(doc, 0).Dx) + " vs " + QString::number(head)));
    const double moment = 0.3224 * P / beta;
    const double mMax = qMax(doc.project().extremes.Max1.M, -doc.project().extremes.Min1.M);
    QVERIFY2(qAbs(mMax - moment) < 0.02 * moment,
        qPrintable(QString::number(mMax) + " vs " + QString::number(moment)));
    // Deep down the pile moves back: springs on both sides are in use.
    QVERIFY(doc.project().extremes.Min1.D < 0.0);
}

void TestEngine::kSpringsFollowTheGround()
{
    // K method, excavation deeper than the sliding surface: springs behind
    // the pile start at the sliding surface, springs in front at the
    // excavation; their sums are k b0 times the embedded lengths.
    Project p = Project::defaultProject();
    p.base.slideBackH = 4.0;
    p.base.slideFrontH = 4.0;
    p.base.cutH = 7.0;
    for (SoilInfo &s : p.soils) {
        s.type = METHODK;
        s.k = 20000.0;
    }
    p.updateBaseData();
    Document doc;
    doc.replaceProject(p);
    QVERIFY(doc.analyse());
    double right = 0.0, left = 0.0;
    for (const NodeInfo &n : doc.project().nodes) {
        right += n.SKr;
        left += n.SKl;
        if (n.Yg > -7.0 + EPS)
            QCOMPARE(n.SKl, 0.0); // no soil in front above the excavation
    }
    const double b0 = doc.project().frontPile.b0;
    QVERIFY(qAbs(right - 20000.0 * b0 * 12.0) < 1e-6);
    QVERIFY(qAbs(left - 20000.0 * b0 * 9.0) < 1e-6);
}

void TestEngine::mSpringsIntegrateTheCoefficient()
{
    // m method: the lumped springs integrate m z b0 exactly (trapezoid rule
    // on a linear function), layer by layer.
    Document doc;
    QVERIFY(doc.analyse());
    const double b0 = doc.project().frontPile.b0;
    double right = 0.0, left = 0.0;
    for (const NodeInfo &n : doc.project().nodes) {
        right += n.SKr;
        left += n.SKl;
    }
    // Behind: z from the ground, from -6 down to -12 with m 7500, then to -16 with 12000.
    const double expectRight =
        b0 * (7500.0 * (12 * 12 - 6 * 6) / 2.0 + 12000.0 * (16 * 16 - 12 * 12) / 2.0);
    // In front: z from the excavation at -6.
    const double expectLeft = b0 * (7500.0 * 6 * 6 / 2.0 + 12000.0 * (10 * 10 - 6 * 6) / 2.0);
    QVERIFY2(qAbs(right - expectRight) < 1e-6 * expectRight, qPrintable(QString::number(right)));
    QVERIFY2(qAbs(left - expectLeft) < 1e-6 * expectLeft, qPrintable(QString::number(left)));
}

void TestEngine::contactStatesSettle()
{
    // After the loop every active spring pushes against the movement, and
    // the node displacements are those of the element results.
    for (int form : {SINGLEROW, DOUBLEROW}) {
        Project p = Project::defaultProject();
        p.base.PileForm = form;
        p.base.dpel = 1.0;
        p.AddForces = {pointForce(300.0, 3.0)}; // push towards the slope
        p.updateGeometry();
        p.updateBaseData();
        p.placeForces();
        p.placeAnchors();
        Document doc;
        doc.replaceProject(p);
        QVERIFY(doc.analyse());
        for (const NodeInfo &n : doc.project().nodes) {
            if (n.RorL == STATELEFT)
                QVERIFY(n.Dx <= EPS);
            if (n.RorL == STATERIGHT)
                QVERIFY(n.Dx >= -EPS);
        }
        for (const ResultInfo &r : doc.project().results) {
            QCOMPARE(doc.project().nodes[r.i].Dx, r.Xi);
            QCOMPARE(doc.project().nodes[r.j].Dx, r.Xj);
            QCOMPARE(doc.project().nodes[r.j].Dy, r.Yj);
        }
        QVERIFY(allFinite(doc));
    }
}

void TestEngine::defaultProjectReport()
{
    Document doc;
    const int before = doc.messages.size();
    QVERIFY(doc.analyse());
    const QStringList lines = linesAfter(doc, before);
    QCOMPARE(lines.first(), QStringLiteral(">>数据合理性检查正确"));
    const int end = lines.indexOf(QStringLiteral(">>计算结束"));
    QVERIFY(end > 1);
    for (int t = 1; t < end; ++t)
        QCOMPARE(lines[t], QStringLiteral(">>第%1次试算").arg(t));
    const QStringList report = lines.mid(end + 1);
    QCOMPARE(report.size(), 7);
    QCOMPARE(report[0], QStringLiteral(">>---------------"));
    QCOMPARE(report[1], QStringLiteral(">>计算结果如下:"));
    QCOMPARE(report[6], QStringLiteral(">>---------------"));
    const ResultExtremes &x = doc.project().extremes;
    QCOMPARE(report[2],
        QStringLiteral(">>抗滑桩位移（%1~ %2mm）")
            .arg(x.Min1.D * 1000, 0, 'f', 1)
            .arg(x.Max1.D * 1000, 0, 'f', 1));
    QCOMPARE(report[5],
        QStringLiteral(">>土反力（%1~ %2kPa）").arg(x.Min1.R, 0, 'f', 1).arg(x.Max1.R, 0, 'f', 1));

    // Thrust towards -x: the pile moves that way, the anchor at the top is
    // stretched and carries kh times the head displacement.
    QVERIFY(x.Min1.D < -0.01);
    const NodeInfo &top = topNode(doc, 0);
    QVERIFY(qAbs(doc.project().anchors[0].forceH + top.Dx * doc.project().anchors[0].kh) < 1e-6);
    QCOMPARE(doc.project().frontPile.sptindex, 0);

    // The largest moment lies below the sliding surface (-6 m).
    double yMax = 0.0, mMax = 0.0;
    for (const ResultInfo &r : doc.project().results) {
        if (qAbs(r.Mj) > mMax) {
            mMax = qAbs(r.Mj);
            yMax = doc.project().nodes[r.j].Yg;
        }
    }
    QVERIFY2(yMax < -6.0, qPrintable(QString::number(yMax)));
    QVERIFY(qAbs(qMax(x.Max1.M, -x.Min1.M) - mMax) < 1e-6 * mMax);

    // Horizontal equilibrium: thrust = anchor + soil + hinge.
    double soil = 0.0;
    for (const NodeInfo &n : doc.project().nodes) {
        if (n.RorL == STATELEFT)
            soil += -n.SKl * n.Dx;
        else if (n.RorL == STATERIGHT)
            soil += -n.Kr * n.Dx;
    }
    double hinge = 0.0;
    for (const ResultInfo &r : doc.project().results) {
        if (r.i == 0) // shear at the bottom of the lowest element: the hinge's reaction
            hinge = -r.Qi;
    }
    QVERIFY2(qAbs(-480.0 * 3.5 + doc.project().anchors[0].forceH + soil + hinge) < 1e-3,
        qPrintable(QString::number(-480.0 * 3.5 + doc.project().anchors[0].forceH + soil + hinge)));
}

void TestEngine::anchorsAtOneNodeAllCount()
{
    // Two anchors at one head act like one anchor of twice the stiffness:
    // bonded in rock, twice the strands give exactly twice the stiffness.
    Project p = Project::defaultProject();
    p.anchors[0].soilType = BONDROCK;
    p.anchors[0].cableNum = 12;
    Document one;
    one.replaceProject(p);
    QVERIFY(one.analyse());
    p = Project::defaultProject();
    p.anchors[0].soilType = BONDROCK;
    p.anchors.append(p.anchors[0]);
    p.anchors[1].distance = 0.0;
    p.placeAnchors();
    Document two;
    two.replaceProject(p);
    QVERIFY(two.analyse());
    QVERIFY(qAbs(topNode(one, 0).Dx - topNode(two, 0).Dx) < 1e-12);
    QVERIFY(qAbs(two.project().anchors[0].forceH + two.project().anchors[1].forceH
                - one.project().anchors[0].forceH)
        < 1e-6);
}

void TestEngine::singleRowIgnoresOtherCarriers()
{
    Document plain;
    QVERIFY(plain.analyse());
    Project p = Project::defaultProject();
    AnchorInfo beamAnchor; // lies at the pile top when the beam is not placed
    beamAnchor.object = OBJBEAM;
    beamAnchor.preforce = 100.0;
    beamAnchor.computeStiffness();
    p.anchors.append(beamAnchor);
    p.AddForces = {pointForce(50.0, 0.0, OBJBACKPILE), pointForce(50.0, 0.0, OBJBEAM)};
    ForceInfo dist;
    dist.type = LOADDIST;
    dist.object = OBJBACKPILE;
    dist.distance = 2.3;
    dist.length = 3.0;
    p.AddForces.append(dist);
    p.placeAnchors();
    p.placeForces();
    Document extra;
    extra.replaceProject(p);
    QVERIFY(extra.analyse());
    QCOMPARE(extra.project().nodes.size(), plain.project().nodes.size());
    QCOMPARE(topNode(extra, 0).Dx, topNode(plain, 0).Dx);
    QCOMPARE(extra.project().anchors[1].forceH, 0.0);
}

void TestEngine::doubleRowNodesAndLinks()
{
    for (qint16 interact : {INTERACTES, INDEPENDENTK}) {
        Project p = Project::defaultProject();
        p.base.PileForm = DOUBLEROW;
        p.base.dpel = 1.0;
        p.base.interact = interact;
        p.updateGeometry();
        p.updateBaseData();
        p.placeAnchors();
        Document doc;
        doc.replaceProject(p);
        const int before = doc.messages.size();
        QVERIFY(doc.analyse());
        const QStringList lines = linesAfter(doc, before);
        QCOMPARE(lines.size() - lines.indexOf(QStringLiteral(">>计算结束")) - 1, 11);
        QVERIFY(allFinite(doc));

        int links = 0;
        for (const BeamInfo &b : doc.project().beams) {
            if (b.ob != OBJESLINK)
                continue;
            ++links;
            QCOMPARE(b.Origin, 10000.0);
            QVERIFY(qAbs(b.L - (4.0 - 1.2)) < 1e-12);
            QCOMPARE(doc.project().nodes[b.i].SKr, 0.0);
            QCOMPARE(doc.project().nodes[b.j].SKl, 0.0);
        }
        if (interact == INTERACTES) {
            QVERIFY(links > 10);
            // With links the loop always needs a second trial.
            QVERIFY(lines.contains(QStringLiteral(">>第2次试算")));
        } else {
            QCOMPARE(links, 0);
        }
        // Beam ends are pile nodes and carry the piles' widths.
        for (const BeamInfo &b : doc.project().beams) {
            if (b.ob != OBJBEAM)
                continue;
            if (qAbs(doc.project().nodes[b.i].Xg) < EPS)
                QCOMPARE(doc.project().nodes[b.i].b0, doc.project().frontPile.b0);
            if (qAbs(doc.project().nodes[b.j].Xg - 4.0) < EPS)
                QCOMPARE(doc.project().nodes[b.j].b0, doc.project().backPile.b0);
        }
        // The front pile stands 1 m higher: the beam lies at -1.
        QCOMPARE(doc.project().linkBeam.leftYg, -1.0);
        QCOMPARE(doc.project().backPile.sptindex >= 0, true);
    }
}

void TestEngine::singularModelStopsAtOnce()
{
    // A free pile bottom in a K-method layer of K = 0 gets no base spring:
    // nothing holds the pile up against its weight.
    Project p = Project::defaultProject();
    p.frontPile.support = SUPPORTFREE;
    p.soils[1].type = METHODK;
    p.soils[1].k = 0.0;
    p.updateSoilLayers();
    Document doc;
    doc.replaceProject(p);
    const int before = doc.messages.size();
    QVERIFY(!doc.analyse());
    const QStringList lines = linesAfter(doc, before);
    QCOMPARE(lines.last(), QStringLiteral(">>错误：过程求解失败"));
    QVERIFY(!lines.contains(QStringLiteral(">>第2次试算")));
}

void TestEngine::freeBaseOnTheLastLayerBottom()
{
    // A free base on the bottom of the last layer stands on that layer, as
    // if the layer went on below: the same answer as with a thicker last
    // layer, not a pile hanging free (a single row could not be solved, a
    // double row hung from its beam and its numbers jumped).
    for (const qint32 form : {SINGLEROW, DOUBLEROW}) {
        Project deep = Project::defaultProject();
        deep.base.PileForm = form;
        deep.frontPile.support = SUPPORTFREE;
        deep.backPile = deep.frontPile;
        deep.soils[1].thickness = 10.0;
        deep.updateAll();
        Project flush = deep;
        flush.soils[1].thickness = 4.0; // layers end at -16, the pile bottoms
        flush.updateAll();
        const AnalysisOutcome a = analyse(deep);
        const AnalysisOutcome b = analyse(flush);
        QVERIFY(a.succeeded());
        QVERIFY2(b.succeeded(), qPrintable(b.log.join('\n')));
        for (int pile = 0; pile < a.result.piles.size(); ++pile) {
            const double da = a.result.piles[pile].stations.first().displacement;
            const double db = b.result.piles[pile].stations.first().displacement;
            QVERIFY2(qAbs(da - db) <= 1e-9 * qAbs(da),
                qPrintable(QStringLiteral("%1 vs %2").arg(da).arg(db)));
            QCOMPARE(b.result.piles[pile].max.M.value, a.result.piles[pile].max.M.value);
        }
    }
}

void TestEngine::largeModelIsSolved()
{
    // Many fixed points from forces push the model far past 1000 nodes;
    // the solution must still satisfy the equations.
    Project p = Project::defaultProject();
    p.frontPile.length = 16.0;
    for (int n = 1; n < 1200; ++n)
        p.AddForces.append(pointForce(n % 7 == 0 ? 1.0 : 0.0, n * 16.0 / 1200.0));
    for (int n = 0; n < 20; ++n) {
        AnchorInfo a;
        a.distance = 0.3 + n * 0.5;
        a.computeStiffness();
        p.anchors.append(a);
    }
    p.placeForces();
    p.placeAnchors();
    Document doc;
    doc.replaceProject(p);
    QVERIFY(doc.analyse());
    QVERIFY(doc.project().nodes.size() > 1000);
    QVERIFY(allFinite(doc));

    DataMatrix matrix;
    assembleFinalTrial(matrix, doc.project());
    QCOMPARE(matrix.solve(), 0);
    QVERIFY(matrix.backwardError() < 1e-9);
    for (int n = 0; n < doc.project().nodes.size(); ++n)
        QVERIFY(
            qAbs(matrix.solution()[DataMatrix::index(n, 1)] - doc.project().nodes[n].Dx) < 1e-9);
}

void TestEngine::analyseIgnoredInResultMode()
{
    Project p = Project::defaultProject();
    p.status = SHOWRESULT;
    Document doc;
    doc.replaceProject(p);
    const int before = doc.messages.size();
    QVERIFY(!doc.analyse());
    QCOMPARE(doc.messages.size(), before);
}

void TestEngine::absurdSizesAreRefused()
{
    // A row distance or a pile length from a damaged file must not make the
    // engine build millions of nodes: a row distance beyond any real project
    // is refused at once, many fixed points when they are counted.
    for (int form : {DOUBLEROW, SINGLEROW}) {
        Project p = Project::defaultProject();
        p.base.PileForm = form;
        if (form == DOUBLEROW) {
            p.base.row = 1e9;
        } else {
            // Many fixed points, each more than a centimetre from the next
            // (closer ones become one node): more nodes than ids can number.
            p.frontPile.length = 400.0;
            p.soils[1].thickness = 400.0;
            for (int n = 0; n < 31000; ++n)
                p.AddForces.append(pointForce(0.0, 0.005 + n * 0.011));
        }
        p.updateGeometry();
        p.updateSoilLayers();
        p.updateBaseData();
        p.placeForces();
        p.placeAnchors();
        Document doc;
        doc.replaceProject(p);
        const int before = doc.messages.size();
        QVERIFY(!doc.analyse());
        if (form == DOUBLEROW) {
            QVERIFY2(doc.messages.last().startsWith(
                         QStringLiteral(">>错误：数据不合理，前后排桩间距超出合理范围")),
                qPrintable(doc.messages.last()));
            QCOMPARE(doc.messages.size(), before + 1);
            continue;
        }
        QCOMPARE(doc.messages.last(), QStringLiteral(">>错误：数据不合理，计算模型节点过多"));
        QCOMPARE(doc.messages.size(), before + 2); // the check line, then the refusal
    }
}

namespace {

// Largest relative difference between the extremes of two analyses.
double extremesDifference(const Document &a, const Document &b)
{
    double scale = 0.0;
    double worst = 0.0;
    const ExtremeValues *pa[] = {&a.project().extremes.Max1, &a.project().extremes.Min1,
        &a.project().extremes.Max2, &a.project().extremes.Min2};
    const ExtremeValues *pb[] = {&b.project().extremes.Max1, &b.project().extremes.Min1,
        &b.project().extremes.Max2, &b.project().extremes.Min2};
    for (int k = 0; k < 4; ++k) {
        for (double ExtremeValues::*f :
            {&ExtremeValues::D, &ExtremeValues::M, &ExtremeValues::Q, &ExtremeValues::R}) {
            scale = std::max(scale, std::fabs(pa[k]->*f));
            worst = std::max(worst, std::fabs(pa[k]->*f - pb[k]->*f));
        }
    }
    return scale > 0.0 ? worst / scale : worst;
}

} // namespace

void TestEngine::pointsAHairApartBecomeOneNode()
{
    // Two forces 0.1 mm apart once made a 0.1 mm element whose stiffness
    // swamped the matrix: the moment came out 2173.2 instead of 2847.9 kN·m.
    // They now act at one node, exactly like the same forces at one point.
    const auto analysed = [](Document &doc, double second) {
        Project p = doc.project();
        p.AddForces = {pointForce(50.0, 3.0), pointForce(50.0, second)};
        p.placeForces();
        doc.replaceProject(p);
        QVERIFY(doc.analyse());
    };
    Document apart, together, centimetre;
    analysed(apart, 3.0001);
    analysed(together, 3.0);
    analysed(centimetre, 3.01);
    QCOMPARE(apart.project().nodes.size(), together.project().nodes.size());
    QVERIFY2(extremesDifference(apart, together) < 1e-6,
        qPrintable(QString::number(extremesDifference(apart, together))));
    QCOMPARE(apart.messages.mid(apart.messages.size() - 6),
        together.messages.mid(together.messages.size() - 6));
    // A centimetre apart both points keep their nodes, and the answer is close.
    QCOMPARE(centimetre.project().nodes.size(), together.project().nodes.size() + 1);
    QVERIFY(qAbs(centimetre.project().extremes.Min1.M - together.project().extremes.Min1.M)
        < 0.01 * qAbs(together.project().extremes.Min1.M));
    // The input keeps the force where the user put it.
    QCOMPARE(apart.project().AddForces[1].y1g, -3.0001);

    // The same on the link beam's x grid, with an anchor a hair from a force.
    const auto beam = [](Document &doc, double second) {
        Project p = doc.project();
        p.base.PileForm = DOUBLEROW;
        p.updateGeometry();
        p.updateBaseData();
        p.AddForces = {pointForce(80.0, 1.5, OBJBEAM), pointForce(80.0, second, OBJBEAM)};
        AnchorInfo a;
        a.object = OBJBEAM;
        a.distance = second;
        a.preforce = 50.0;
        a.computeStiffness();
        p.anchors = {a};
        p.placeForces();
        p.placeAnchors();
        doc.replaceProject(p);
        QVERIFY(doc.analyse());
    };
    Document beamApart, beamTogether;
    beam(beamApart, 1.50008);
    beam(beamTogether, 1.5);
    QCOMPARE(beamApart.project().nodes.size(), beamTogether.project().nodes.size());
    QVERIFY(extremesDifference(beamApart, beamTogether) < 1e-6);
    QVERIFY(qAbs(beamApart.project().anchors[0].forceH - beamTogether.project().anchors[0].forceH)
        < 1e-6 * qAbs(beamTogether.project().anchors[0].forceH));
}

void TestEngine::pileEndKeepsItsElevation()
{
    // A layer boundary 5 mm above the pile bottom joins the bottom node,
    // which stays at the pile's exact elevation and takes the boundary.
    Project p = Project::defaultProject();
    p.soils[1].thickness = 3.995; // boundary at -15.995
    SoilInfo rock = p.soils[1];
    rock.k = 0.0;
    rock.m = 50000.0;
    rock.thickness = 5.0;
    p.soils.append(rock);
    p.frontPile.support = SUPPORTFREE;
    p.updateSoilLayers();
    Document doc;
    doc.replaceProject(p);
    QVERIFY(doc.analyse());
    const NodeInfo &bottom = doc.project().nodes[doc.project().frontPile.sptindex];
    QCOMPARE(bottom.Yg, -16.0);
    for (const NodeInfo &n : doc.project().nodes)
        QVERIFY(n.Yg == -16.0 || qAbs(n.Yg + 15.995) > 0.2);
    // The base spring takes the coefficient of the layer below the boundary.
    QVERIFY(
        qAbs(bottom.SKd - 50000.0 * 16.0 * doc.project().frontPile.area / 0.6) < 1e-6 * bottom.SKd);
    QCOMPARE(doc.project().soils[1].bottomY, -15.995);
}

void TestEngine::manyForcesSolvedExactly()
{
    // A double row of 30 m piles with 400 point forces of ±5 kN/m, 13 mm
    // apart and alternating between the piles.
    Project p = Project::defaultProject();
    p.base.PileForm = DOUBLEROW;
    p.frontPile.length = 30.0;
    p.backPile.length = 30.0;
    p.soils[0].thickness = 12.0;
    p.soils[1].thickness = 30.0;
    p.AddForces.clear();
    for (int i = 0; i < 400; ++i)
        p.AddForces.append(pointForce(
            i % 2 == 0 ? 5.0 : -5.0, 0.013 * i + 0.005, i % 2 == 0 ? OBJPILE : OBJBACKPILE));
    p.updateAll();
    Document doc;
    doc.replaceProject(p);
    QVERIFY(doc.analyse());
    QVERIFY(doc.project().nodes.size() > 800);
    QVERIFY(allFinite(doc));

    // The final trial's equations, assembled again, are satisfied by the
    // reported displacements to the last digits.
    DataMatrix matrix;
    assembleFinalTrial(matrix, doc.project());
    QCOMPARE(matrix.solve(), 0);
    QVERIFY2(matrix.backwardError() < 1e-12, qPrintable(QString::number(matrix.backwardError())));
    for (int n = 0; n < doc.project().nodes.size(); ++n)
        QCOMPARE(matrix.solution()[DataMatrix::index(n, 1)], doc.project().nodes[n].Dx);

    // Horizontal equilibrium: thrust and forces against springs and hinges.
    double applied = 0.0;
    double size = 0.0;
    for (const ForceInfo &f : std::as_const(doc.project().AddForces)) {
        applied += f.Fg;
        size += qAbs(f.Fg);
    }
    for (const ForceInfo &f : std::as_const(doc.project().BaseForces)) {
        const double total = (f.q1g + f.q2g) / 2.0 * qAbs(f.y1g - f.y2g);
        applied += total;
        size += qAbs(total);
    }
    double reactions = 0.0;
    for (const NodeInfo &n : std::as_const(doc.project().nodes)) {
        if (n.RorL == STATELEFT)
            reactions -= n.Kl * n.Dx;
        else if (n.RorL == STATERIGHT)
            reactions -= n.Kr * n.Dx;
    }
    for (const PileInfo *pile : {&doc.project().frontPile, &doc.project().backPile}) {
        for (const ResultInfo &r : std::as_const(doc.project().results)) {
            if (r.i == pile->sptindex && r.ob != OBJESLINK)
                reactions -= r.Qi;
        }
    }
    // Elements of 13 mm have a bending stiffness near 3e13 kN/m, and one
    // rounding step of such a diagonal is 0.004 kN/m: summed over 870 nodes
    // that bounds how well double precision can balance the forces here.
    QVERIFY2(qAbs(applied + reactions) < 1e-5 * size,
        qPrintable(QStringLiteral("%1 against %2").arg(applied).arg(reactions)));
}

void TestEngine::stiffDoubleRowSolvedExactly()
{
    // A double row in rock whose back pile stands free without its weight:
    // restraint penalties and rock springs spread the diagonal from 1e4 to
    // 1e22, and the plain factorisation left a backward error near 1e-4,
    // warned of in every trial.
    Project p = Project::defaultProject();
    p.base.PileForm = DOUBLEROW;
    p.base.weight = false;
    p.base.row = 2.2;
    p.base.dpel = 0.8;
    p.backPile.support = SUPPORTFREE;
    for (SoilInfo &s : p.soils) {
        s.type = METHODK;
        s.k = 300000.0;
    }
    p.soils[0].thickness = 5.2;
    p.soils[1].thickness = 17.8;
    p.updateAll();
    Document doc;
    doc.replaceProject(p);
    const int before = doc.messages.size();
    QVERIFY(doc.analyse());
    QVERIFY(!linesAfter(doc, before).contains(codeMessage(AnalysisCode::NotConverged)));

    DataMatrix matrix;
    assembleFinalTrial(matrix, doc.project());
    QCOMPARE(matrix.solve(), 0);
    QVERIFY2(matrix.backwardError() < 1e-12, qPrintable(QString::number(matrix.backwardError())));
}

void TestEngine::zeroNeverPrintedNegative()
{
    // A round-off moment of -0.00001 kN·m at a free pile head printed as
    // "-0.0"; every value that rounds to zero reads 0.0.
    Project p = Project::defaultProject();
    p.extremes.Min1.M = -0.00001;
    p.extremes.Max1.M = 5679.3;
    p.extremes.Min1.D = -4e-8; // m: -0.00004 mm
    p.extremes.Min1.Q = -0.06;
    p.extremes.Max1.R = -0.0;
    const QStringList lines = reportLines(p);
    QCOMPARE(lines[2], QStringLiteral(">>抗滑桩位移（0.0~ 0.0mm）"));
    QCOMPARE(lines[3], QStringLiteral(">>抗滑桩弯矩（0.0~ 5679.3kN*m）"));
    QCOMPARE(lines[4], QStringLiteral(">>抗滑桩剪力（-0.1~ 0.0kN）"));
    QCOMPARE(lines[5], QStringLiteral(">>土反力（0.0~ 0.0kPa）"));
}

void TestEngine::displacementBeyondModelWarned()
{
    // Thrust at its bound moves the pile by metres: the results stay, and
    // one line after the closing ruler says that the model no longer holds.
    const QString warning =
        QStringLiteral(">>警告：桩身最大位移超过1m，线弹性地基反力模型已不适用，请检查荷载与参数");
    for (const double thrust : {-480.0, -1e6}) {
        Project p = Project::defaultProject();
        p.base.aforce = thrust;
        p.updateBaseData();
        Document doc;
        doc.replaceProject(p);
        QVERIFY(doc.analyse());
        const QStringList &lines = doc.messages;
        const bool huge =
            qMax(qAbs(doc.project().extremes.Min1.D), qAbs(doc.project().extremes.Max1.D)) > 1.0;
        QCOMPARE(huge, thrust < -1000.0);
        QCOMPARE(lines.last() == warning, huge);
        QCOMPARE(lines.at(lines.size() - (huge ? 2 : 1)), QStringLiteral(">>---------------"));
        QCOMPARE(lines.count(warning), huge ? 1 : 0);
        QVERIFY(!doc.project().results.isEmpty());
    }
}

// The analysis is a function of a value: two analyses of different
// projects running at once give what each gives alone, and the input is
// not written.
void TestEngine::analysesRunAtOnceOnCopies()
{
    Project single = Project::defaultProject();
    Project doubleRow = Project::defaultProject();
    doubleRow.base.PileForm = DOUBLEROW;
    doubleRow.updateAll();
    const AnalysisOutcome singleAlone = analyse(single);
    const AnalysisOutcome doubleAlone = analyse(doubleRow);
    QVERIFY(singleAlone.succeeded());
    QVERIFY(doubleAlone.succeeded());
    QVERIFY(single.results.isEmpty());

    for (int round = 0; round < 4; ++round) {
        AnalysisOutcome a;
        AnalysisOutcome b;
        std::thread first([&] { a = analyse(single); });
        std::thread second([&] { b = analyse(doubleRow); });
        first.join();
        second.join();
        QCOMPARE(a.log, singleAlone.log);
        QCOMPARE(b.log, doubleAlone.log);
        QCOMPARE(a.project.results.size(), singleAlone.project.results.size());
        for (int n = 0; n < a.project.results.size(); ++n)
            QCOMPARE(a.project.results[n].Mj, singleAlone.project.results[n].Mj);
        for (int n = 0; n < b.project.results.size(); ++n)
            QCOMPARE(b.project.results[n].Xi, doubleAlone.project.results[n].Xi);
    }
}

QTEST_GUILESS_MAIN(TestEngine)
#include "tst_core_engine.moc"
