// What the result mode draws, read from the geometry lists before any pixel
// is painted: spring zig-zags, node springs, row links, the scale of a
// diagram, member diagrams with their labels, and the reaction diagram.
// Small hand-made models give the answers by hand; analysed projects are
// compared with the report of the analysis.

#include "model/document.h"
#include "view/resultgeometry.h"

#include <QtTest>

#include <algorithm>
#include <cmath>

namespace {

NodeInfo node(int id, double x, double y)
{
    NodeInfo n;
    n.id = qint16(id);
    n.Xg = x;
    n.Yg = y;
    return n;
}

ResultInfo element(int i, int j, qint32 ob = OBJPILE)
{
    ResultInfo r;
    r.i = i;
    r.j = j;
    r.ob = ob;
    return r;
}

// A vertical pile of four nodes at x = 0, y = 0, -1, -2, -3, numbered from
// the bottom up as the engine numbers them, with its three elements.
void makePile(Document &doc)
{
    doc.nodes = {node(0, 0.0, -3.0), node(1, 0.0, -2.0), node(2, 0.0, -1.0), node(3, 0.0, 0.0)};
    doc.results = {element(0, 1), element(1, 2), element(2, 3)};
}

bool near(const QPointF &a, const QPointF &b, double tolerance = 1e-9)
{
    return std::fabs(a.x() - b.x()) <= tolerance && std::fabs(a.y() - b.y()) <= tolerance;
}

QList<double> labelValues(const Diagram &d)
{
    QList<double> values;
    for (const ResultLabel &label : d.labels)
        values.append(label.value);
    return values;
}

// Longest ordinate: the distance of the outline from its member.
double largestOrdinate(const Diagram &d)
{
    double largest = 0.0;
    for (const QLineF &line : d.ordinates)
        largest = std::max(largest, line.length());
    return largest;
}

const ResultLabel *labelAt(const Diagram &d, const QPointF &p)
{
    for (const ResultLabel &label : d.labels) {
        if (near(label.point, p))
            return &label;
    }
    return nullptr;
}

const int leftCentre = Qt::AlignLeft | Qt::AlignVCenter;
const int rightCentre = Qt::AlignRight | Qt::AlignVCenter;

} // namespace

class TestResultGeometry : public QObject
{
    Q_OBJECT

private slots:
    void springZigZagHasLeadWaveAndTail()
    {
        const QPolygonF path = springPath(QPointF(0, 0), QPointF(1, 0), false);
        // Lead of 0.08 m, five periods of 0.16 m (the sixth would end beyond
        // 0.84 m), then straight to the end.
        QCOMPARE(path.size(), 1 + 1 + 5 * 3 + 1);
        QVERIFY(near(path.first(), QPointF(0, 0)));
        QVERIFY(near(path.at(1), QPointF(0.08, 0)));
        QVERIFY(near(path.at(2), QPointF(0.12, 0.08)));
        QVERIFY(near(path.at(3), QPointF(0.20, -0.08)));
        QVERIFY(near(path.at(4), QPointF(0.24, 0)));
        QVERIFY(near(path.at(path.size() - 2), QPointF(0.88, 0)));
        QVERIFY(near(path.last(), QPointF(1, 0)));
        for (int n = 1; n < path.size(); ++n) {
            QVERIFY(path.at(n).x() >= path.at(n - 1).x());
            QVERIFY(std::fabs(path.at(n).y()) <= 0.08 + 1e-12);
        }
    }

    void shortSpringHasNoLead()
    {
        const QPolygonF path = springPath(QPointF(0, 0), QPointF(0.2, 0), false);
        QCOMPARE(path.size(), 5);
        QVERIFY(near(path.at(1), QPointF(0.04, 0.08)));
        QVERIFY(near(path.at(3), QPointF(0.16, 0)));
        QVERIFY(near(path.last(), QPointF(0.2, 0)));
    }

    void springRunsFromTheLeftOrLowerPoint()
    {
        const QPolygonF left = springPath(QPointF(2, 5), QPointF(1, 5), false);
        QVERIFY(near(left.first(), QPointF(1, 5)));
        QVERIFY(near(left.at(1), QPointF(1.08, 5)));
        QVERIFY(near(left.last(), QPointF(2, 5)));

        // A vertical spring waves across x.
        const QPolygonF down = springPath(QPointF(2, -3), QPointF(2, -4), true);
        QVERIFY(near(down.first(), QPointF(2, -4)));
        QVERIFY(near(down.at(1), QPointF(2, -3.92)));
        QVERIFY(near(down.at(2), QPointF(2.08, -3.88)));
        QVERIFY(near(down.at(3), QPointF(1.92, -3.80)));
        QVERIFY(near(down.last(), QPointF(2, -3)));
    }

    void absurdlyLongSpringEndsStraight()
    {
        const QPolygonF path = springPath(QPointF(0, 0), QPointF(1e12, 0), false);
        QVERIFY(path.size() < 10000);
        QVERIFY(near(path.last(), QPointF(1e12, 0)));
    }

    void nodeSpringsFollowTheContactStates()
    {
        Document doc;
        NodeInfo left = node(0, 0, 0);
        left.RorL = STATELEFT;
        left.Kl = 500.0;
        left.Kr = 700.0;
        NodeInfo right = node(1, 0, -1);
        right.RorL = STATERIGHT;
        right.Kr = 700.0;
        right.Kl = 500.0;
        NodeInfo leftWithoutSpring = node(2, 0, -2);
        leftWithoutSpring.RorL = STATELEFT;
        leftWithoutSpring.Kr = 700.0;
        NodeInfo up = node(3, 0, -3);
        up.UorD = STATEUP;
        up.Ku = 300.0;
        up.Kd = 900.0;
        NodeInfo down = node(4, 0, -4);
        down.UorD = STATEDOWN;
        down.Kd = 900.0;
        NodeInfo none = node(5, 0, -5);
        none.RorL = STATENONE;
        none.UorD = STATENONE;
        none.Kl = none.Kr = none.Ku = none.Kd = 1000.0;
        doc.nodes = {left, right, leftWithoutSpring, up, down, none};

        // Offset 4: springs are 2 m long.
        const QList<SpringSymbol> springs = nodeSprings(doc, 4);
        QCOMPARE(springs.size(), 4);

        QVERIFY(near(springs.at(0).end, QPointF(-2, 0)));
        QVERIFY(springs.at(0).labelled);
        QCOMPARE(springs.at(0).label.value, 500.0); // the magnitude
        QCOMPARE(springs.at(0).label.alignment, rightCentre);
        QVERIFY(!springs.at(0).dotAtLabel);

        QVERIFY(near(springs.at(1).end, QPointF(2, -1)));
        QCOMPARE(springs.at(1).label.value, 700.0);
        QCOMPARE(springs.at(1).label.alignment, leftCentre);

        QVERIFY(near(springs.at(2).end, QPointF(0, -1)));
        QCOMPARE(springs.at(2).label.value, 300.0);
        QCOMPARE(springs.at(2).label.alignment, int(Qt::AlignHCenter | Qt::AlignBottom));
        QVERIFY(near(springs.at(2).path.first(), QPointF(0, -3)));

        QVERIFY(near(springs.at(3).end, QPointF(0, -6)));
        QCOMPARE(springs.at(3).label.value, 900.0);
        QCOMPARE(springs.at(3).label.alignment, int(Qt::AlignHCenter | Qt::AlignTop));
        QVERIFY(near(springs.at(3).label.point, QPointF(0, -6)));
    }

    void rowLinksOnlyInADoubleRowAndOnlyWhenSwitchedOn()
    {
        Document doc;
        doc.nodes = {node(0, 0, -5), node(1, 4, -5), node(2, 0, -6), node(3, 4, -6)};
        BeamInfo on;
        on.i = 0;
        on.j = 1;
        on.ob = OBJESLINK;
        on.E = 10000.0;
        on.A = 0.9;
        on.L = 3.0;
        on.I = 0.0;
        on.bEs = STATELINKON;
        BeamInfo off = on;
        off.i = 2;
        off.j = 3;
        off.bEs = STATENONE;
        BeamInfo pile;
        pile.i = 0;
        pile.j = 2;
        pile.ob = OBJPILE;
        doc.beams = {pile, on, off};

        doc.base.PileForm = SINGLEROW;
        QVERIFY(rowLinks(doc).isEmpty());

        doc.base.PileForm = DOUBLEROW;
        for (const qint16 interact : {INTERACTES, INDEPENDENTK}) {
            doc.base.interact = interact;
            const QList<SpringSymbol> links = rowLinks(doc);
            QCOMPARE(links.size(), 1);
            const SpringSymbol &link = links.first();
            QVERIFY(near(link.path.first(), QPointF(0, -5)));
            QVERIFY(near(link.end, QPointF(4, -5)));
            QVERIFY(link.labelled);
            QVERIFY(link.dotAtLabel);
            QVERIFY(near(link.label.point, QPointF(2, -5)));
            QCOMPARE(link.label.value, 3000.0); // E A / L
            QCOMPARE(link.label.alignment, int(Qt::AlignHCenter | Qt::AlignBottom));
        }

        // A link of no length has no stiffness to show; one naming a node
        // that does not exist is left out.
        doc.beams[1].L = 0.0;
        QCOMPARE(rowLinks(doc).size(), 1);
        QVERIFY(!rowLinks(doc).first().labelled);
        doc.beams[1].j = 9;
        QVERIFY(rowLinks(doc).isEmpty());
    }

    void scaleMakesTheLargestValueHalfTheOffset()
    {
        QList<ResultInfo> results(3);
        results[0].Mj = 20.0;
        results[1].Mj = -80.0;
        results[2].Mj = 50.0;
        results[2].Qj = 4.0;
        QCOMPARE(diagramScale(results, DiagramKind::Moment, 2), 1.0 / 80.0);
        QCOMPARE(diagramScale(results, DiagramKind::Moment, 6), 3.0 / 80.0);
        QCOMPARE(diagramScale(results, DiagramKind::Shear, 2), 1.0 / 4.0);
        // Nothing to show: the largest value counts as 1.
        QCOMPARE(diagramScale(results, DiagramKind::Normal, 2), 1.0);
        QCOMPARE(diagramScale({}, DiagramKind::Moment, 4), 2.0);
        results[0].Xj = 0.000004;
        QCOMPARE(diagramScale(results, DiagramKind::Displacement, 2), 1.0);
        results[0].SPi = -25.0;
        results[1].SPj = 100.0; // the reaction is sized by the start values
        QCOMPARE(diagramScale(results, DiagramKind::Reaction, 2), 1.0 / 25.0);
    }

    void continuousMomentIsLabelledOnceAndAJumpOnBothSides()
    {
        Document doc;
        makePile(doc);
        // Continuous at the node at -2 (Mj = 10, next Mi = -10); a jump of
        // 15 at the node at -1 (a concentrated moment).
        doc.results[0].Mi = 0.0;
        doc.results[0].Mj = 10.0;
        doc.results[1].Mi = -10.0;
        doc.results[1].Mj = 40.0;
        doc.results[2].Mi = -25.0;
        doc.results[2].Mj = -20.0;

        const Diagram d = memberDiagram(doc, DiagramKind::Moment, 4);
        const double k = 2.0 / 40.0;
        QCOMPARE(d.scale, k);
        QCOMPARE(d.outline.size(), 3);
        QVERIFY(near(d.outline.at(0).p1(), QPointF(0, -3)));
        QVERIFY(near(d.outline.at(0).p2(), QPointF(k * 10, -2)));
        QVERIFY(near(d.outline.at(1).p1(), QPointF(k * 10, -2)));
        QVERIFY(near(d.outline.at(1).p2(), QPointF(2.0, -1))); // the largest, offset/2
        QVERIFY(near(d.outline.at(2).p1(), QPointF(k * 25, -1)));
        QVERIFY(near(d.outline.at(2).p2(), QPointF(-k * 20, 0)));

        // One ordinate per element end node, one more at the jump.
        QCOMPARE(d.ordinates.size(), 4);
        QCOMPARE(labelValues(d), QList<double>({10.0, 40.0, -20.0, 25.0}));
        QCOMPARE(labelAt(d, QPointF(k * 10, -2))->alignment, leftCentre);
        QCOMPARE(labelAt(d, QPointF(-k * 20, 0))->alignment, rightCentre);
        QCOMPARE(labelAt(d, QPointF(k * 25, -1))->value, 25.0);
    }

    void shearAndNormalForceSigns()
    {
        Document doc;
        makePile(doc);
        doc.results.resize(1);
        doc.results[0].Qi = 30.0;
        doc.results[0].Qj = 10.0;
        doc.results[0].Ni = 8.0;
        doc.results[0].Nj = -8.0;

        Diagram d = memberDiagram(doc, DiagramKind::Shear, 2);
        QCOMPARE(d.scale, 1.0 / 10.0);
        QVERIFY(near(d.outline.first().p1(), QPointF(3.0, -3)));
        QVERIFY(near(d.outline.first().p2(), QPointF(-1.0, -2)));
        QCOMPARE(labelValues(d), QList<double>({-10.0, 30.0}));

        // A compressed element: both ends drawn on the same side.
        d = memberDiagram(doc, DiagramKind::Normal, 2);
        QVERIFY(near(d.outline.first().p1(), QPointF(-1.0, -3)));
        QVERIFY(near(d.outline.first().p2(), QPointF(-1.0, -2)));
        QCOMPARE(labelValues(d), QList<double>({-8.0, -8.0}));
    }

    void displacementDrawsTheDisplacedShapeInMillimetres()
    {
        Document doc;
        makePile(doc);
        doc.results.resize(2);
        doc.results[0].Xi = 0.0;
        doc.results[0].Xj = -0.010;
        doc.results[0].Yj = -0.002;
        doc.results[1].Xi = -0.010;
        doc.results[1].Yi = -0.002;
        doc.results[1].Xj = -0.025;

        const Diagram d = memberDiagram(doc, DiagramKind::Displacement, 2);
        const double k = 1.0 / 0.025;
        QCOMPARE(d.scale, k);
        QVERIFY(near(d.outline.at(0).p2(), QPointF(-0.4, -2 - 0.08)));
        QVERIFY(near(d.outline.at(1).p2(), QPointF(-1.0, -1)));
        QCOMPARE(labelValues(d).size(), 2);
        QCOMPARE(labelValues(d).at(0), -10.0);
        QCOMPARE(labelValues(d).at(1), -25.0);
    }

    void linkBeamOrdinatesStandUpright()
    {
        Document doc;
        doc.nodes = {node(0, 0, -1), node(1, 2, -1)};
        ResultInfo beam = element(0, 1, OBJBEAM);
        beam.Mi = -50.0;
        beam.Mj = 100.0;
        beam.Qi = 40.0;
        beam.Qj = -40.0;
        doc.results = {beam};

        // A positive moment hangs below the beam.
        Diagram d = memberDiagram(doc, DiagramKind::Moment, 2);
        QVERIFY(near(d.outline.first().p1(), QPointF(0, -1 - 0.5)));
        QVERIFY(near(d.outline.first().p2(), QPointF(2, -1 - 1.0)));
        d = memberDiagram(doc, DiagramKind::Shear, 2);
        QVERIFY(near(d.outline.first().p1(), QPointF(0, -1 + 1.0)));
        QVERIFY(near(d.outline.first().p2(), QPointF(2, -1 + 1.0)));
    }

    void linksAndBrokenRecordsAreSkipped()
    {
        Document doc;
        makePile(doc);
        doc.results[0].Mj = 10.0;
        doc.results[1].Mi = -10.0;
        doc.results[1].Mj = 20.0;
        ResultInfo link = element(1, 2, OBJESLINK);
        link.Mj = 500.0;
        ResultInfo broken = element(2, 42);
        broken.Mj = 100.0;
        ResultInfo negative = element(-1, 2);
        doc.results.insert(1, link);
        doc.results.append(broken);
        doc.results.append(negative);

        const Diagram d = memberDiagram(doc, DiagramKind::Moment, 2);
        QCOMPARE(d.outline.size(), 3);
        // The scale still comes from every record, as the analysis left them.
        QCOMPARE(d.scale, 1.0 / 500.0);
    }

    void nothingToDrawWithoutResults()
    {
        Document doc;
        doc.nodes.clear();
        doc.results.clear();
        for (const DiagramKind kind : {DiagramKind::Displacement, DiagramKind::Moment,
                 DiagramKind::Shear, DiagramKind::Normal})
            QVERIFY(memberDiagram(doc, kind, 2).isEmpty());
        QVERIFY(reactionDiagram(doc, 2).isEmpty());
        QVERIFY(nodeSprings(doc, 2).isEmpty());

        // The reaction needs two nodes.
        doc.nodes = {node(0, 0, 0)};
        doc.anchors.first().forceH = 100.0;
        QVERIFY(reactionDiagram(doc, 2).isEmpty());
        doc.nodes.append(node(1, 0, -1));
        QVERIFY(!reactionDiagram(doc, 2).isEmpty());
    }

    void allZeroResultsHaveZeroOrdinatesAndNoLabels()
    {
        Document doc;
        QVERIFY(doc.analyse());
        for (ResultInfo &r : doc.results)
            r = element(r.i, r.j, r.ob);
        for (AnchorInfo &anchor : doc.anchors)
            anchor.forceH = anchor.forceV = 0.0;
        for (NodeInfo &n : doc.nodes)
            n.Kd = 0.0;
        for (const DiagramKind kind : {DiagramKind::Displacement, DiagramKind::Moment,
                 DiagramKind::Shear, DiagramKind::Normal, DiagramKind::Reaction}) {
            const Diagram d = kind == DiagramKind::Reaction ? reactionDiagram(doc, 2)
                                                            : memberDiagram(doc, kind, 2);
            QCOMPARE(d.scale, 1.0);
            QVERIFY(d.labels.isEmpty());
            QVERIFY(d.arrows.isEmpty());
            QCOMPARE(largestOrdinate(d), 0.0);
            for (const QLineF &line : d.outline)
                QCOMPARE(line.p1().x(), doc.frontPile.topXg);
        }
    }

    void soilPressureOnlyBelowTheSlidingSurface()
    {
        Document doc;
        doc.base.PileForm = SINGLEROW;
        doc.base.slideFrontYg = -1.5;
        doc.base.slideBackYg = -1.5;
        doc.anchors.clear();
        makePile(doc); // elements -3..-2, -2..-1, -1..0
        doc.results[0].SPi = 40.0;
        doc.results[0].SPj = 20.0;
        doc.results[1].SPi = 20.0;
        doc.results[1].SPj = -10.0;
        doc.results[2].SPi = 99.0; // above the surface: never drawn

        const Diagram d = reactionDiagram(doc, 2);
        const double k = 1.0 / 99.0;
        QCOMPARE(d.scale, k);
        // Only the lowest element lies at or below -1.5 with its upper node.
        QCOMPARE(d.outline.size(), 1);
        // Positive pressure is drawn to the left, its label too.
        QVERIFY(near(d.outline.first().p1(), QPointF(-k * 40, -3)));
        QVERIFY(near(d.outline.first().p2(), QPointF(-k * 20, -2)));
        QCOMPARE(labelValues(d), QList<double>({20.0, 40.0}));
        QCOMPARE(d.labels.first().alignment, rightCentre);

        // The element ending exactly on the surface is drawn.
        doc.base.slideFrontYg = -1.0;
        const Diagram onSurface = reactionDiagram(doc, 2);
        QCOMPARE(onSurface.outline.size(), 2);
        QCOMPARE(labelValues(onSurface), QList<double>({20.0, 40.0, -10.0}));
        QCOMPARE(onSurface.labels.last().alignment, leftCentre);
        QCOMPARE(onSurface.ordinates.size(), 3);
    }

    void freeBottomPushesUpWhereItSettles()
    {
        Document doc;
        doc.anchors.clear();
        makePile(doc);
        doc.frontPile.support = SUPPORTFREE;
        doc.frontPile.sptindex = 0;
        doc.nodes[0].Kd = 5000.0;
        doc.nodes[0].Dy = -0.002;

        Diagram d = reactionDiagram(doc, 4);
        QCOMPARE(d.arrows.size(), 1);
        QVERIFY(near(d.arrows.first().p1(), QPointF(0, -5)));
        QVERIFY(near(d.arrows.first().p2(), QPointF(0, -3)));
        QCOMPARE(d.labels.size(), 1);
        QCOMPARE(d.labels.first().value, 10.0);
        QCOMPARE(d.labels.first().alignment, int(Qt::AlignHCenter | Qt::AlignTop));

        // Lifted, hinged, or pointing at no node: no reaction.
        doc.nodes[0].Dy = 0.001;
        QVERIFY(reactionDiagram(doc, 4).arrows.isEmpty());
        doc.nodes[0].Dy = -0.002;
        doc.frontPile.support = SUPPORTHINGED;
        QVERIFY(reactionDiagram(doc, 4).arrows.isEmpty());
        doc.frontPile.support = SUPPORTFREE;
        doc.frontPile.sptindex = 17;
        QVERIFY(reactionDiagram(doc, 4).arrows.isEmpty());
    }

    void anchorForcesPointAtTheirHeads()
    {
        Document doc;
        makePile(doc);
        doc.base.PileForm = SINGLEROW;
        AnchorInfo onPile = doc.anchors.first();
        onPile.object = OBJPILE;
        onPile.x1g = 0.0;
        onPile.y1g = -1.0;
        onPile.forceH = 120.0;
        onPile.forceV = 30.0;
        AnchorInfo onBack = onPile;
        onBack.object = OBJBACKPILE;
        onBack.forceV = 0.0;
        doc.anchors = {onPile, onBack};

        Diagram d = reactionDiagram(doc, 2);
        QCOMPARE(d.arrows.size(), 2);
        QVERIFY(near(d.arrows.at(0).p1(), QPointF(-1, -1)));
        QVERIFY(near(d.arrows.at(0).p2(), QPointF(0, -1)));
        QVERIFY(near(d.arrows.at(1).p1(), QPointF(0, 0)));
        QVERIFY(near(d.arrows.at(1).p2(), QPointF(0, -1)));
        QCOMPARE(labelValues(d), QList<double>({120.0, 30.0}));
        QCOMPARE(d.labels.first().alignment, rightCentre);

        // The back-pile anchor takes part in a double row.
        doc.base.PileForm = DOUBLEROW;
        d = reactionDiagram(doc, 2);
        QCOMPARE(d.arrows.size(), 3);
    }

    void betweenRowPressureOnlyWithEsInteraction()
    {
        Document doc;
        doc.anchors.clear();
        doc.nodes = {node(0, 0, -5), node(1, 4, -5), node(2, 0, -6), node(3, 4, -6)};
        ResultInfo upper = element(0, 1, OBJESLINK);
        upper.BPi = -20.0;
        upper.BPj = 20.0;
        ResultInfo lower = element(2, 3, OBJESLINK);
        lower.BPi = -40.0;
        lower.BPj = 0.0;
        ResultInfo pile = element(2, 0, OBJPILE);
        pile.SPi = 80.0;
        doc.results = {pile, upper, lower};
        doc.base.slideFrontYg = doc.base.slideBackYg = 0.0;

        doc.base.PileForm = DOUBLEROW;
        doc.base.interact = INTERACTES;
        Diagram d = reactionDiagram(doc, 2);
        const double k = 1.0 / 80.0;
        QCOMPARE(d.outlinePaths.size(), 2);
        QCOMPARE(d.outlinePaths.at(0),
            QPolygonF({QPointF(20 * k, -5), QPointF(40 * k, -6)})); // front: to the right
        QCOMPARE(d.outlinePaths.at(1), QPolygonF({QPointF(4 - 20 * k, -5), QPointF(4, -6)}));
        // Labels: the pile's start value, then both link ends where not zero.
        QCOMPARE(labelValues(d), QList<double>({80.0, -20.0, 20.0, -40.0}));
        QCOMPARE(d.labels.at(1).alignment, leftCentre);
        QCOMPARE(d.labels.at(2).alignment, rightCentre);
        QCOMPARE(d.ordinates.size(), 2 + 4);

        doc.base.interact = INDEPENDENTK;
        d = reactionDiagram(doc, 2);
        QVERIFY(d.outlinePaths.isEmpty());
        QCOMPARE(labelValues(d), QList<double>({80.0}));

        doc.base.PileForm = SINGLEROW;
        doc.base.interact = INTERACTES;
        QVERIFY(reactionDiagram(doc, 2).outlinePaths.isEmpty());
    }

    // The values written beside the diagrams of an analysed single row are
    // the extremes of the analysis report.
    void labelsReachTheReportedExtremes_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("default") << QStringLiteral("default.qzp");
        QTest::newRow("anchors") << QStringLiteral("singlerow-anchors.qzp");
    }

    void labelsReachTheReportedExtremes();

    // In the analysed projects every diagram reaches half the offset, on
    // the side of the sign of its largest value.
    void largestOrdinateIsHalfTheOffset_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("default") << QStringLiteral("default-analysed.qzp");
        QTest::newRow("doublerow") << QStringLiteral("doublerow-analysed.qzp");
        QTest::newRow("anchors") << QStringLiteral("singlerow-anchors-analysed.qzp");
    }

    void largestOrdinateIsHalfTheOffset();

    void momentPeaksBelowTheSlidingSurface();
};

#include "io/filesys.h"

namespace {

bool readExample(Document &doc, const QString &name)
{
    FileSys fs;
    return fs.readProject(doc, QStringLiteral(RIDEZU_SOURCE_DIR "/examples/") + name).isEmpty();
}

// Smallest and largest label value.
QPair<double, double> labelRange(const Diagram &d)
{
    double lo = 0.0;
    double hi = 0.0;
    for (const ResultLabel &label : d.labels) {
        lo = std::min(lo, label.value);
        hi = std::max(hi, label.value);
    }
    return {lo, hi};
}

QString rangeText(QPair<double, double> range)
{
    return QStringLiteral("%1~ %2").arg(range.first, 0, 'f', 1).arg(range.second, 0, 'f', 1);
}

} // namespace

void TestResultGeometry::labelsReachTheReportedExtremes()
{
    QFETCH(QString, file);
    Document doc;
    QVERIFY(readExample(doc, file));
    QCOMPARE(doc.base.PileForm, SINGLEROW);
    QVERIFY(doc.analyse());
    const QString log = doc.messages.join('\n');

    // Read back from the log, as the user sees it.
    const Diagram displacement = memberDiagram(doc, DiagramKind::Displacement, 2);
    QVERIFY2(
        log.contains(QStringLiteral("抗滑桩位移（%1mm）").arg(rangeText(labelRange(displacement)))),
        qPrintable(rangeText(labelRange(displacement))));
    const Diagram moment = memberDiagram(doc, DiagramKind::Moment, 2);
    QVERIFY2(
        log.contains(QStringLiteral("抗滑桩弯矩（%1kN*m）").arg(rangeText(labelRange(moment)))),
        qPrintable(rangeText(labelRange(moment))));
    const Diagram shear = memberDiagram(doc, DiagramKind::Shear, 2);
    QVERIFY2(log.contains(QStringLiteral("抗滑桩剪力（%1kN）").arg(rangeText(labelRange(shear)))),
        qPrintable(rangeText(labelRange(shear))));

    // The reaction labels also carry anchor forces; the soil pressure is
    // what its outline shows.
    Document soilOnly;
    QVERIFY(readExample(soilOnly, file));
    QVERIFY(soilOnly.analyse());
    soilOnly.anchors.clear();
    const Diagram reaction = reactionDiagram(soilOnly, 2);
    QVERIFY2(log.contains(QStringLiteral("土反力（%1kPa）").arg(rangeText(labelRange(reaction)))),
        qPrintable(rangeText(labelRange(reaction))));
}

void TestResultGeometry::largestOrdinateIsHalfTheOffset()
{
    QFETCH(QString, file);
    Document doc;
    QVERIFY(readExample(doc, file));
    QVERIFY(doc.status & SHOWRESULT);
    QVERIFY(!doc.results.isEmpty());

    for (const int offset : {2, 7}) {
        const double half = offset * 0.5;
        for (const DiagramKind kind : {DiagramKind::Displacement, DiagramKind::Moment,
                 DiagramKind::Shear, DiagramKind::Normal}) {
            const QString what = QStringLiteral("kind %1 offset %2").arg(int(kind)).arg(offset);
            const Diagram d = memberDiagram(doc, kind, offset);
            QVERIFY(!d.outline.isEmpty());

            // The record with the largest end value, and that value as drawn.
            const ResultInfo *largest = nullptr;
            double t = 0.0;
            for (const ResultInfo &r : doc.results) {
                const double value = kind == DiagramKind::Displacement ? r.Xj
                    : kind == DiagramKind::Moment                      ? r.Mj
                    : kind == DiagramKind::Shear                       ? -r.Qj
                                                                       : r.Nj;
                if (std::fabs(value) > std::fabs(t)) {
                    t = value;
                    largest = &r;
                }
            }
            QVERIFY(largest);
            // The end ordinates, element by element (links are not drawn);
            // start values may stand out a little further where the value
            // changes along the lowest element, as the normal force does
            // under the pile's weight.
            double reach = 0.0;
            int n = 0;
            for (const ResultInfo &r : doc.results) {
                if (r.ob == OBJESLINK)
                    continue;
                const NodeInfo &nj = doc.nodes.at(r.j);
                const QPointF T = d.outline.at(n++).p2();
                const double away = kind == DiagramKind::Displacement
                    ? std::fabs(T.x() - nj.Xg)
                    : std::hypot(T.x() - nj.Xg, T.y() - nj.Yg);
                reach = std::max(reach, away);
            }
            QCOMPARE(n, d.outline.size());
            if (largest->ob == OBJESLINK) {
                // A link sets the scale but is not drawn itself.
                QVERIFY2(reach < half, qPrintable(what));
                continue;
            }
            QVERIFY2(std::fabs(reach - half) < 1e-9 * offset, qPrintable(what));

            // Where its end is drawn: across the member, on the side of the
            // value's sign (the link beam hangs a positive moment below).
            const double side = t > 0.0 ? half : -half;
            QPointF across(side, 0.0);
            if (kind == DiagramKind::Displacement)
                across = QPointF(side, d.scale * largest->Yj);
            else if (largest->ob == OBJBEAM)
                across = QPointF(0.0, kind == DiagramKind::Moment ? -side : side);
            const NodeInfo &nj = doc.nodes.at(largest->j);
            const QPointF end = QPointF(nj.Xg, nj.Yg) + across;
            const bool drawn = std::any_of(d.outline.cbegin(), d.outline.cend(),
                [&](const QLineF &line) { return near(line.p2(), end, 1e-9 * offset); });
            QVERIFY2(drawn, qPrintable(what));
        }

        // The soil pressure of the reaction diagram: the largest start value
        // is drawn offset/2 to the left of its node where it is positive.
        const Diagram reaction = reactionDiagram(doc, offset);
        const ResultInfo *largest = nullptr;
        for (const ResultInfo &r : doc.results) {
            if (!largest || std::fabs(r.SPi) > std::fabs(largest->SPi))
                largest = &r;
        }
        const NodeInfo &ni = doc.nodes.at(largest->i);
        const QPointF start(ni.Xg - (largest->SPi > 0 ? half : -half), ni.Yg);
        QVERIFY(std::any_of(reaction.outline.cbegin(), reaction.outline.cend(),
            [&](const QLineF &line) { return near(line.p1(), start, 1e-9 * offset); }));
    }
}

void TestResultGeometry::momentPeaksBelowTheSlidingSurface()
{
    // A single pile loaded by thrust above the sliding surface: the moment
    // grows down to the surface and peaks a little below it, on the side
    // of the thrust's tension (the slope side, +x), then dies out.
    Document doc;
    doc.anchors.clear();
    doc.AddForces.clear();
    QVERIFY(doc.analyse());
    const Diagram d = memberDiagram(doc, DiagramKind::Moment, 2);
    QPointF peak;
    for (const QLineF &line : d.outline) {
        if (std::fabs(line.p2().x()) > std::fabs(peak.x()))
            peak = line.p2();
    }
    const double surface = doc.base.slideBackYg;
    const double bottom = doc.frontPile.bottomYg;
    QCOMPARE(peak.x(), 1.0);
    QVERIFY(peak.y() < surface);
    QVERIFY(peak.y() > surface + (bottom - surface) / 2.0);
    // Nothing to speak of on the excavation side.
    for (const QLineF &line : d.outline)
        QVERIFY(line.p2().x() > -0.05);
}

QTEST_MAIN(TestResultGeometry)
#include "tst_gui_resultgeometry.moc"
