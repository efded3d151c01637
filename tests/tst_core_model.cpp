// Project records, derivation rules and the Document's signals.

#include "document/document.h"

#include <QSignalSpy>
#include <QtTest>

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    void defaultProject();
    void anchorStiffness();
    void sectionProperties();
    void doubleRowDerivation_data();
    void doubleRowDerivation();
    void baseForces_data();
    void baseForces();
    void placementClamps();
    void setModifiedSignals();
    void signalOrder();
    void oneRoadForChanges();
    void displayStateIsNoInput();
};

void TestModel::defaultProject()
{
    Document doc;
    QCOMPARE(doc.messages, QStringList {QStringLiteral(">>欢迎使用澄川抗滑桩软件")});
    QCOMPARE(doc.project().status, SHOWDATA);
    QVERIFY(!doc.isModified());
    QCOMPARE(doc.project().base.PileForm, SINGLEROW);
    QCOMPARE(doc.project().base.shape, DISTRECTANGLE);
    QCOMPARE(doc.project().base.dl, 0.5);

    QCOMPARE(doc.project().soils.size(), 2);
    QCOMPARE(doc.project().soils[0].id, qint16(0));
    QCOMPARE(doc.project().soils[1].id, qint16(1));
    QCOMPARE(doc.project().soils[0].bottomY, -12.0);
    QCOMPARE(doc.project().soils[1].bottomY, -18.0);
    QCOMPARE(doc.project().soils[1].Name, QStringLiteral("岩土层2"));
    QCOMPARE(doc.project().soils[1].m, 12000.0);

    QCOMPARE(doc.project().frontPile.id, qint16(0));
    QCOMPARE(doc.project().frontPile.bottomYg, -16.0);
    QCOMPARE(doc.project().frontPile.topYg, 0.0);
    QVERIFY(qAbs(doc.project().frontPile.b0 - 1.98) < 1e-12);
    QVERIFY(qAbs(doc.project().frontPile.area - 1.2 * 1.2 * M_PI / 4) < 1e-12);
    QCOMPARE(doc.project().frontPile.E, 3.15e7);
    QCOMPARE(doc.project().backPile.id, qint16(1));
    QCOMPARE(doc.project().backPile.bottomYg, 0.0); // only placed for a double row
    QCOMPARE(doc.project().linkBeam.id, qint16(3));

    QCOMPARE(doc.project().anchors.size(), 1);
    QVERIFY(qAbs(doc.project().anchors[0].kh - 8595.34) < 0.005);
    QVERIFY(qAbs(doc.project().anchors[0].kv - 1869.0) < 0.005);
    QCOMPARE(doc.project().anchors[0].x1g, 0.0);
    QCOMPARE(doc.project().anchors[0].y1g, 0.0);

    QCOMPARE(doc.project().BaseForces.size(), 1);
    const ForceInfo &thrust = doc.project().BaseForces[0];
    QCOMPARE(thrust.type, LOADDIST);
    QCOMPARE(thrust.object, OBJPILE);
    QCOMPARE(thrust.q1, -80.0);
    QCOMPARE(thrust.q2, -80.0);
    QCOMPARE(thrust.length, 6.0);
    QCOMPARE(thrust.y2g, -6.0);
    QCOMPARE(thrust.q1g, -280.0); // per pile at 3.5 m spacing
    QVERIFY(doc.project().AddForces.isEmpty());
    QCOMPARE(doc.project().base.slideBackYg, -6.0);
    QCOMPARE(doc.project().base.cutYg, -6.0);
}

void TestModel::anchorStiffness()
{
    AnchorInfo a;
    a.cableDiam = 16.0; // not a strand size: 140 mm² per strand
    a.computeStiffness();
    QVERIFY(qAbs(a.A - 6 * 140e-6) < 1e-12);
    AnchorInfo b;
    b.computeStiffness();
    QCOMPARE(a.kh, b.kh);

    AnchorInfo bar;
    bar.anchorType = ANCHORBAR;
    bar.soilType = BONDROCK;
    bar.rodNum = 2;
    bar.rodDiam = 25.0;
    bar.lf = 10.0;
    bar.angle = 0.0;
    bar.computeStiffness();
    const double A = 2 * M_PI / 4 * 25.0 * 25.0 * 1e-6;
    QVERIFY(qAbs(bar.A - A) < 1e-15);
    QCOMPARE(bar.Es, 2.0e8);
    QVERIFY(qAbs(bar.kh - A * 2.0e8 / 10.0) < 1e-6);
    QVERIFY(qAbs(bar.kv) < 1e-9);

    AnchorInfo broken;
    broken.lf = 0.0;
    broken.la = 0.0;
    broken.Dc = 0.0;
    broken.computeStiffness();
    QVERIFY(std::isfinite(broken.kh) && std::isfinite(broken.kv) && std::isfinite(broken.Ec));
}

void TestModel::sectionProperties()
{
    Project p = Project::defaultProject();
    p.frontPile.shp = SECTSQUARE;
    p.frontPile.width = 0.8;
    p.frontPile.height = 1.2;
    p.base.reduceE = 0.85f;
    p.frontPile.grade = 30;
    p.updateGeometry();
    QVERIFY(qAbs(p.frontPile.b0 - 1.7) < 1e-12);
    QVERIFY(qAbs(p.frontPile.area - 0.96) < 1e-12);
    QVERIFY(qAbs(p.frontPile.I - 0.8 * 1.2 * 1.2 * 1.2 / 12) < 1e-12);
    QCOMPARE(p.frontPile.E, double(0.85f) * 3.0e7);
    p.frontPile.width = 1.5;
    p.updateGeometry();
    QVERIFY(qAbs(p.frontPile.b0 - 2.5) < 1e-12);

    // b0 limited by the spacing: the change that narrows it says so once,
    // on both piles of a double row; changes of other values say nothing.
    Document narrow;
    QSignalSpy info(&narrow, &Document::sendOutInfo);
    BaseInfo base = narrow.project().base;
    base.PileForm = DOUBLEROW;
    base.space = 1.8;
    QVERIFY(narrow.changeBase(base));
    QCOMPARE(narrow.project().frontPile.b0, 1.8);
    QCOMPARE(narrow.project().backPile.b0, 1.8);
    QCOMPARE(info.count(), 1);
    QCOMPARE(info.at(0).at(0).toString(), QStringLiteral(">>注意: 桩间距小于b0"));
    base.aforce = -300.0;
    QVERIFY(narrow.changeBase(base));
    QVERIFY(narrow.changePiles(
        narrow.project().frontPile, narrow.project().backPile, narrow.project().linkBeam));
    QCOMPARE(info.count(), 1);
    base.space = 1.6;
    QVERIFY(narrow.changeBase(base));
    QCOMPARE(info.count(), 2);
}

void TestModel::doubleRowDerivation_data()
{
    QTest::addColumn<double>("dpel");
    QTest::addColumn<double>("frontTop");
    QTest::addColumn<double>("backTop");
    QTest::newRow("front higher") << 1.0 << 0.0 << -1.0;
    QTest::newRow("front lower") << -1.0 << -1.0 << 0.0;
    QTest::newRow("level") << 0.0 << 0.0 << 0.0;
}

void TestModel::doubleRowDerivation()
{
    QFETCH(double, dpel);
    QFETCH(double, frontTop);
    QFETCH(double, backTop);

    Project p = Project::defaultProject();
    p.base.PileForm = DOUBLEROW;
    p.base.dpel = dpel;
    p.base.row = 5.0;
    p.backPile.length = 12.0;
    AnchorInfo beamAnchor;
    beamAnchor.object = OBJBEAM;
    beamAnchor.distance = 9.0; // beyond the beam: clamped to its right end
    p.anchors.append(beamAnchor);
    AnchorInfo backAnchor;
    backAnchor.object = OBJBACKPILE;
    backAnchor.distance = 2.0;
    p.anchors.append(backAnchor);
    p.updateGeometry();
    p.updateBaseData();
    p.placeAnchors();

    QCOMPARE(p.frontPile.topYg, frontTop);
    QCOMPARE(p.backPile.topYg, backTop);
    QCOMPARE(p.backPile.topXg, 5.0);
    QCOMPARE(p.backPile.bottomYg, backTop - 12.0);
    QCOMPARE(p.frontPile.bottomYg, frontTop - 16.0);
    QCOMPARE(p.linkBeam.leftYg, qMin(frontTop, backTop));
    QCOMPARE(p.linkBeam.rightXg, 5.0);
    QCOMPARE(p.linkBeam.length, 5.0);
    QVERIFY(qAbs(p.linkBeam.I - 1.4 * 0.8 * 0.8 * 0.8 / 12) < 1e-12);

    QCOMPARE(p.anchors[1].x1g, 5.0);
    QCOMPARE(p.anchors[1].y1g, p.linkBeam.leftYg);
    QCOMPARE(p.anchors[2].x1g, 5.0);
    QCOMPARE(p.anchors[2].y1g, backTop - 2.0);
    const double alpha = 25.0 * M_PI / 180;
    QVERIFY(qAbs(p.anchors[2].x3g - (5.0 + 23.0 * std::cos(alpha))) < 1e-12);
    QVERIFY(qAbs(p.anchors[2].y3g - (backTop - 2.0 - 23.0 * std::sin(alpha))) < 1e-12);

    // Thrust: -480 kN/m over 6 m from the ground
    double total = 0.0;
    for (const ForceInfo &f : p.BaseForces)
        total += (f.q1 + f.q2) / 2.0 * f.length;
    QVERIFY(qAbs(total + 480.0) < 1e-9);
    if (dpel > 0.5) {
        // The front pile carries the first metre, the back pile the rest.
        QCOMPARE(p.BaseForces.size(), 2);
        QCOMPARE(p.BaseForces[0].object, OBJPILE);
        QCOMPARE(p.BaseForces[0].length, 1.0);
        QCOMPARE(p.BaseForces[1].object, OBJBACKPILE);
        QCOMPARE(p.BaseForces[1].length, 5.0);
        QCOMPARE(p.BaseForces[1].y1g, -1.0);
    } else {
        QCOMPARE(p.BaseForces.size(), 1);
        QCOMPARE(p.BaseForces[0].object, OBJBACKPILE);
    }
}

void TestModel::baseForces_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("top");
    QTest::addColumn<double>("bottom");
    QTest::newRow("rectangle") << int(DISTRECTANGLE) << 1.0 << -80.0 << -80.0;
    QTest::newRow("triangle") << int(DISTTRIANGLE) << 1.0 << 0.0 << -160.0;
    QTest::newRow("trapezoid 0.5") << int(DISTTRAPEZOID) << 0.5 << -160.0 / 3 << -320.0 / 3;
    QTest::newRow("trapezoid 1") << int(DISTTRAPEZOID) << 1.0 << -80.0 << -80.0;
}

void TestModel::baseForces()
{
    QFETCH(int, shape);
    QFETCH(double, ratio);
    QFETCH(double, top);
    QFETCH(double, bottom);
    Project p = Project::defaultProject();
    p.base.shape = qint16(shape);
    p.base.ratio = ratio;
    p.base.pforce = 100.0;
    p.base.slideFrontH = 10.0;
    p.updateBaseData();
    QCOMPARE(p.BaseForces.size(), 2);
    QVERIFY(qAbs(p.BaseForces[0].q1 - top) < 1e-9);
    QVERIFY(qAbs(p.BaseForces[0].q2 - bottom) < 1e-9);
    // Resistance from the excavation (6 m) down to the front sliding surface (10 m)
    const ForceInfo &res = p.BaseForces[1];
    QCOMPARE(res.distance, 6.0);
    QCOMPARE(res.length, 4.0);
    QCOMPARE(res.F, 100.0);
    QVERIFY(qAbs((res.q1 + res.q2) / 2 * 4.0 - 100.0) < 1e-9);
    QCOMPARE(res.y1g, -6.0);
    QCOMPARE(res.y2g, -10.0);

    p.base.aforce = 0.0;
    p.base.pforce = 0.0;
    p.updateBaseData();
    QVERIFY(p.BaseForces.isEmpty());
}

void TestModel::placementClamps()
{
    Project p = Project::defaultProject();
    AnchorInfo deep;
    deep.distance = 40.0;
    p.anchors.append(deep);
    p.placeAnchors();
    QCOMPARE(p.anchors[1].y1g, -16.0);

    ForceInfo dist;
    dist.type = LOADDIST;
    dist.distance = 16.0; // starts at the pile bottom: nothing left to load
    dist.length = 2.0;
    ForceInfo partly;
    partly.type = LOADDIST;
    partly.distance = 15.0;
    partly.length = 3.0;
    partly.q1 = 5.0;
    partly.q2 = 7.0;
    ForceInfo moment;
    moment.type = LOADMOMENT;
    moment.M = 20.0;
    p.AddForces = {dist, partly, moment};
    p.placeForces();
    QCOMPARE(p.AddForces[0].q1, 0.0);
    QCOMPARE(p.AddForces[0].q2, 0.0);
    QCOMPARE(p.AddForces[0].q1g, 0.0);
    QCOMPARE(p.AddForces[1].y1g, -15.0);
    QCOMPARE(p.AddForces[1].y2g, -16.0);
    QCOMPARE(p.AddForces[1].q2g, 7.0 * 3.5);
    QCOMPARE(p.AddForces[2].Mg, 70.0);
}

void TestModel::setModifiedSignals()
{
    Document doc;
    QSignalSpy modified(&doc, &Document::modifiedChanged);
    QSignalSpy changed(&doc, &Document::dataChanged);
    doc.setModified(false);
    QCOMPARE(modified.count(), 0);
    QCOMPARE(changed.count(), 0);
    doc.setModified(true);
    doc.setModified(true);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(modified.count(), 1);
    QCOMPARE(modified.at(0).at(0).toBool(), true);
    doc.setModified(false);
    QCOMPARE(modified.count(), 2);
    QCOMPARE(modified.at(1).at(0).toBool(), false);
    QCOMPARE(changed.count(), 2);
}

void TestModel::signalOrder()
{
    // The signals' order in the meta-object is part of the interface.
    const QMetaObject &mo = Document::staticMetaObject;
    QStringList sigs;
    for (int n = mo.methodOffset(); n < mo.methodCount(); ++n) {
        if (mo.method(n).methodType() == QMetaMethod::Signal)
            sigs << QString::fromLatin1(mo.method(n).methodSignature());
    }
    QCOMPARE(sigs,
        (QStringList {"modifiedChanged(bool)", "sendOutInfo(QString)", "dataChanged()",
            "historyChanged()", "displayChanged()", "resultsChanged()"}));

    Document doc;
    QList<QString> order;
    connect(&doc, &Document::dataChanged, [&] { order << "data"; });
    connect(&doc, &Document::modifiedChanged, [&] { order << "modified"; });
    connect(&doc, &Document::sendOutInfo, [&](const QString &s) { order << s; });
    doc.setModified(true);
    doc.outInfo(QStringLiteral(">>x"));
    QCOMPARE(order, (QList<QString> {"data", "modified", ">>x"}));
    QCOMPARE(doc.messages.last(), QStringLiteral(">>x"));
}

void TestModel::oneRoadForChanges()
{
    Document doc;
    QStringList order;
    connect(&doc, &Document::dataChanged, [&] { order << "data"; });
    connect(&doc, &Document::modifiedChanged, [&](bool m) { order << (m ? "modified" : "clean"); });

    // One call: record written, derived data updated, one announcement.
    BaseInfo base = doc.project().base;
    base.slideBackH = 9.0;
    base.slideFrontH = 4.0; // a single row has one sliding surface
    base.space = 5.0;
    QVERIFY(doc.changeBase(base));
    QCOMPARE(order, (QStringList {"data", "modified"}));
    QCOMPARE(doc.project().base.slideFrontH, 9.0);
    QCOMPARE(doc.project().base.slideFrontYg, -9.0);
    QCOMPARE(doc.project().base.slideBackYg, -9.0);
    QCOMPARE(doc.project().frontPile.space, 5.0);
    QCOMPARE(doc.project().BaseForces.size(), 1);
    QCOMPARE(doc.project().BaseForces[0].y2g, -9.0);
    QVERIFY(qAbs(doc.project().BaseForces[0].q1g - (-480.0 / 9.0 * 5.0)) < 1e-9);

    // Anchors get their stiffness from their data; forces their per-pile value.
    QList<AnchorInfo> anchors = doc.project().anchors;
    anchors[0].cableNum = 3;
    AnchorInfo deep;
    deep.distance = 12.0;
    anchors.append(deep);
    QVERIFY(doc.changeAnchors(anchors));
    AnchorInfo three;
    three.cableNum = 3;
    three.computeStiffness();
    QCOMPARE(doc.project().anchors[0].kh, three.kh);
    QCOMPARE(doc.project().anchors[1].y1g, -12.0);
    ForceInfo point;
    point.distance = 12.0;
    QVERIFY(doc.changeForces({point}));
    QCOMPARE(doc.project().AddForces[0].Fg, 50.0);
    QCOMPARE(doc.project().AddForces[0].y1g, -12.0);

    // A pile shortened under an anchor and a force takes them along to its
    // new bottom, where the analysis finds a node for them.
    PileInfo front = doc.project().frontPile;
    front.length = 10.0;
    QVERIFY(doc.changePiles(front, doc.project().backPile, doc.project().linkBeam));
    QCOMPARE(doc.project().frontPile.bottomYg, -10.0);
    QCOMPARE(doc.project().anchors[1].y1g, -10.0);
    QCOMPARE(doc.project().AddForces[0].y1g, -10.0);

    QList<SoilInfo> soils = doc.project().soils;
    soils.removeFirst();
    QVERIFY(doc.changeSoils(soils));
    QCOMPARE(doc.project().soils.size(), 1);
    QCOMPARE(doc.project().soils[0].id, qint16(0));
    QCOMPARE(doc.project().soils[0].bottomY, -6.0);
    QCOMPARE(order.count("data"), 5);
    QCOMPARE(order.count("modified"), 1);

    // Valid results freeze the input: nothing written, nothing announced.
    Project shown = doc.project();
    shown.status = SHOWRESULT | SHOWMARK;
    doc.replaceProject(shown);
    order.clear();
    base.slideBackH = 3.0;
    QVERIFY(!doc.changeBase(base));
    QVERIFY(!doc.changeSoils({}));
    QVERIFY(!doc.changeAnchors({}));
    QVERIFY(!doc.changeForces({}));
    QVERIFY(!doc.changePiles(PileInfo(), PileInfo(), LinkBeamInfo()));
    QCOMPARE(doc.project().base.slideBackH, 9.0);
    QCOMPARE(doc.project().soils.size(), 1);
    QCOMPARE(doc.project().anchors.size(), 2);
    QCOMPARE(doc.project().AddForces.size(), 1);
    QCOMPARE(doc.project().frontPile.length, 10.0);
    QVERIFY(order.isEmpty());
}

// Zoom, pan, labels and diagrams change what is shown, not the project: no
// step, no modified mark, no dataChanged. A diagram needs results to stand on.
void TestModel::displayStateIsNoInput()
{
    Document doc;
    QSignalSpy data(&doc, &Document::dataChanged);
    QSignalSpy display(&doc, &Document::displayChanged);
    QSignalSpy results(&doc, &Document::resultsChanged);
    doc.setView(12.5, -40, 300);
    doc.setFittedScale(10.0);
    QCOMPARE(doc.project().blc, 12.5);
    QCOMPARE(doc.project().x0, -40);
    QCOMPARE(doc.project().y0, 300);
    QCOMPARE(doc.project().blcfull, 10.0);
    QVERIFY(!doc.showDiagram(SHOWMOMENT));
    QCOMPARE(doc.project().status, SHOWDATA);
    doc.setMarksShown(true);
    QCOMPARE(doc.project().status, SHOWDATA | SHOWMARK);
    QCOMPARE(display.count(), 1);

    QVERIFY(doc.analyse());
    QCOMPARE(results.count(), 1);
    QVERIFY(doc.showDiagram(SHOWMOMENT));
    QVERIFY(doc.showDiagram(SHOWSHEAR));
    QCOMPARE(doc.project().status, SHOWRESULT | SHOWMARK | SHOWSHEAR);
    doc.setMarksShown(false);
    QCOMPARE(doc.project().status, SHOWRESULT | SHOWSHEAR);
    doc.showInput();
    doc.showInput();
    QCOMPARE(doc.project().status, SHOWDATA);
    QCOMPARE(results.count(), 2);
    QCOMPARE(display.count(), 4);
    QCOMPARE(data.count(), 0);
    QVERIFY(!doc.isModified() && !doc.canUndo());
}

QTEST_GUILESS_MAIN(TestModel)
#include "tst_core_model.moc"
