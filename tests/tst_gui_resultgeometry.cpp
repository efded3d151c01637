// What the result mode draws, read from the geometry lists before any pixel
// is painted: spring zig-zags, node springs, row links, member diagrams with
// their labels, and the reaction diagram. Small hand-made models give the
// answers by hand; analysed projects are compared with the report of the
// analysis.

#include "guitestfixture.h"

#include "engine/analyse.h"
#include "io/filesys.h"
#include "view/labelplacement.h"
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

// A vertical pile of four nodes at x = 0, y = -3, -2, -1, 0, numbered from
// the bottom up as the engine numbers them, with its three elements.
void makePile(Project &doc)
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

bool readExample(Project &doc, const QString &name)
{
    return FileSys()
        .readProject(doc, QStringLiteral(RIDEZU_SOURCE_DIR "/examples/") + name)
        .isEmpty();
}

const int leftCentre = Qt::AlignLeft | Qt::AlignVCenter;
const int rightCentre = Qt::AlignRight | Qt::AlignVCenter;
const int centreBottom = Qt::AlignHCenter | Qt::AlignBottom;
const int centreTop = Qt::AlignHCenter | Qt::AlignTop;

} // namespace

class TestResultGeometry : public QObject
{
    Q_OBJECT

private slots:
    void springZigZag()
    {
        // From the left or lower point to the other, waving 0.08 m across
        // the line, straight at both ends.
        const QPolygonF path = springPath(QPointF(1, 5), QPointF(0, 5), false);
        QVERIFY(path.size() > 10);
        QVERIFY(near(path.first(), QPointF(0, 5)) && near(path.at(1), QPointF(0.08, 5)));
        QVERIFY(near(path.at(2), QPointF(0.12, 5.08)) && near(path.at(3), QPointF(0.20, 4.92)));
        QVERIFY(
            near(path.last(), QPointF(1, 5)) && near(path.at(path.size() - 2), QPointF(0.88, 5)));
        const QPolygonF up = springPath(QPointF(2, -3), QPointF(2, -4), true);
        QVERIFY(near(up.first(), QPointF(2, -4)) && near(up.at(2), QPointF(2.08, -3.88)));
        QVERIFY(near(up.last(), QPointF(2, -3)));
        // An absurdly long one (a damaged file) ends straight, soon.
        const QPolygonF longOne = springPath(QPointF(0, 0), QPointF(1e12, 0), false);
        QVERIFY(longOne.size() < 10000);
        QVERIFY(near(longOne.last(), QPointF(1e12, 0)));
    }

    void nodeSpringsFollowTheContactStates()
    {
        // Every node has every stiffness; its contact states pick the springs.
        const auto at = [](int id, qint32 rorl, qint32 uord) {
            NodeInfo n = node(id, 0, -id);
            n.RorL = rorl;
            n.UorD = uord;
            n.Kl = 500.0;
            n.Kr = 700.0;
            n.Ku = 300.0;
            n.Kd = 900.0;
            return n;
        };
        Project doc = Project::defaultProject();
        doc.nodes = {at(0, STATELEFT, STATENONE), at(1, STATERIGHT, STATENONE),
            at(2, STATELEFT, STATENONE), at(3, STATENONE, STATEUP), at(4, STATENONE, STATEDOWN),
            at(5, STATENONE, STATENONE)};
        doc.nodes[2].Kl = 0.0; // in contact on the left, but without a spring there

        // Offset 4: springs are 2 m long, labelled with their stiffness.
        const QList<SpringSymbol> springs = nodeSprings(doc, 4);
        QCOMPARE(springs.size(), 4);
        const struct
        {
            QPointF end;
            double value;
            int alignment;
        } want[] = {{{-2, 0}, 500.0, rightCentre}, {{2, -1}, 700.0, leftCentre},
            {{0, -1}, 300.0, centreBottom}, {{0, -6}, 900.0, centreTop}};
        for (int n = 0; n < 4; ++n) {
            QVERIFY(near(springs.at(n).end, want[n].end));
            QVERIFY(springs.at(n).labelled && !springs.at(n).dotAtLabel);
            QCOMPARE(springs.at(n).label.value, want[n].value);
            QCOMPARE(springs.at(n).label.alignment, want[n].alignment);
        }
    }

    void rowLinksOnlyInADoubleRowAndOnlyWhenSwitchedOn()
    {
        const auto link = [](int i, int j, qint32 state) {
            BeamInfo b;
            b.i = i;
            b.j = j;
            b.ob = OBJESLINK;
            b.E = 10000.0;
            b.A = 0.9;
            b.L = 3.0;
            b.bEs = state;
            return b;
        };
        Project doc = Project::defaultProject();
        doc.nodes = {node(0, 0, -5), node(1, 4, -5), node(2, 0, -6), node(3, 4, -6)};
        BeamInfo pile = link(0, 2, STATENONE);
        pile.ob = OBJPILE;
        doc.beams = {pile, link(0, 1, STATELINKON), link(2, 3, STATENONE)};

        doc.base.PileForm = SINGLEROW;
        QVERIFY(rowLinks(doc).isEmpty());
        doc.base.PileForm = DOUBLEROW;
        for (const qint16 interact : {INTERACTES, INDEPENDENTK}) {
            doc.base.interact = interact;
            const QList<SpringSymbol> links = rowLinks(doc);
            QCOMPARE(links.size(), 1);
            QVERIFY(near(links.first().path.first(), QPointF(0, -5)));
            QVERIFY(near(links.first().end, QPointF(4, -5)));
            QVERIFY(links.first().labelled && links.first().dotAtLabel);
            QVERIFY(near(links.first().label.point, QPointF(2, -5)));
            QCOMPARE(links.first().label.value, 3000.0); // E A / L
            QCOMPARE(links.first().label.alignment, centreBottom);
        }
        // A link of no length has no stiffness to show; one naming a node
        // that does not exist is left out.
        doc.beams[1].L = 0.0;
        QVERIFY(!rowLinks(doc).first().labelled);
        doc.beams[1].j = 9;
        QVERIFY(rowLinks(doc).isEmpty());
    }

    void continuousMomentIsLabelledOnceAndAJumpOnBothSides()
    {
        Project doc = Project::defaultProject();
        makePile(doc);
        // Continuous at the node at -2 (Mj = 10, next Mi = -10); a jump of
        // 15 at the node at -1 (a concentrated moment).
        doc.results[0].Mj = 10.0;
        doc.results[1].Mi = -10.0;
        doc.results[1].Mj = 40.0;
        doc.results[2].Mi = -25.0;
        doc.results[2].Mj = -20.0;

        const Diagram d = memberDiagram(doc, DiagramKind::Moment, 4);
        const double k = 2.0 / 40.0;
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
        QCOMPARE(d.labels.at(0).alignment, leftCentre);
        QCOMPARE(d.labels.at(2).alignment, rightCentre);
        QVERIFY(near(d.labels.at(3).point, QPointF(k * 25, -1)));
    }

    void linkBeamOrdinatesStandUpright()
    {
        Project doc = Project::defaultProject();
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

    void linksAndDamagedRecordsAreSkipped()
    {
        Project doc = Project::defaultProject();
        makePile(doc);
        doc.results[1].Mj = 20.0;
        ResultInfo link = element(1, 2, OBJESLINK);
        link.Mj = 500.0;
        ResultInfo broken = element(2, 42);
        broken.Mj = 100.0;
        doc.results.insert(1, link);
        doc.results.append(broken);
        doc.results.append(element(-1, 2));

        const Diagram d = memberDiagram(doc, DiagramKind::Moment, 2);
        QCOMPARE(d.outline.size(), 3);
        // The scale still comes from every record, as the analysis left them.
        QCOMPARE(d.scale, 1.0 / 500.0);
    }

    // All-zero results: every outline lies on the member, without labels.
    void allZeroResultsDrawNothing()
    {
        AnalysisOutcome analysed = analyse(Project::defaultProject());
        QVERIFY(analysed.succeeded());
        Project &doc = analysed.project;
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
            QVERIFY(d.labels.isEmpty());
            QVERIFY(d.arrows.isEmpty());
            for (const QLineF &line : d.ordinates)
                QCOMPARE(line.length(), 0.0);
            for (const QLineF &line : d.outline)
                QCOMPARE(line.p1().x(), doc.frontPile.topXg);
        }
    }

    void soilPressureOnlyBelowTheSlidingSurface()
    {
        Project doc = Project::defaultProject();
        doc.base.PileForm = SINGLEROW;
        doc.base.slideFrontYg = doc.base.slideBackYg = -1.5;
        doc.anchors.clear();
        makePile(doc); // elements -3..-2, -2..-1, -1..0
        doc.results[0].SPi = 40.0;
        doc.results[0].SPj = 20.0;
        doc.results[1].SPi = 20.0;
        doc.results[1].SPj = -10.0;
        doc.results[2].SPi = 99.0; // above the surface: sets the scale, never drawn

        const Diagram d = reactionDiagram(doc, 2);
        const double k = 1.0 / 99.0;
        // Only the lowest element lies at or below -1.5 with its upper node.
        // Positive pressure is drawn to the left, its label too.
        QCOMPARE(d.outline.size(), 1);
        QVERIFY(near(d.outline.first().p1(), QPointF(-k * 40, -3)));
        QVERIFY(near(d.outline.first().p2(), QPointF(-k * 20, -2)));
        QCOMPARE(labelValues(d), QList<double>({20.0, 40.0}));
        QCOMPARE(d.labels.first().alignment, rightCentre);

        // A single pile uses the surface behind it, as the analysis does.
        doc.base.slideFrontYg = -1.0;
        QCOMPARE(reactionDiagram(doc, 2).outline.size(), 1);
        // The element ending exactly on the surface is drawn.
        doc.base.slideBackYg = -1.0;
        const Diagram onSurface = reactionDiagram(doc, 2);
        QCOMPARE(onSurface.outline.size(), 2);
        QCOMPARE(labelValues(onSurface), QList<double>({20.0, 40.0, -10.0}));
        QCOMPARE(onSurface.labels.last().alignment, leftCentre);
    }

    void freeBottomPushesUpWhereItSettles()
    {
        Project doc = Project::defaultProject();
        doc.anchors.clear();
        makePile(doc);
        doc.frontPile.support = SUPPORTFREE;
        doc.frontPile.sptindex = 0;
        doc.nodes[0].Kd = 5000.0;
        doc.nodes[0].Dy = -0.002;

        const Diagram d = reactionDiagram(doc, 4);
        QCOMPARE(d.arrows.size(), 1);
        QVERIFY(near(d.arrows.first().p1(), QPointF(0, -5)));
        QVERIFY(near(d.arrows.first().p2(), QPointF(0, -3)));
        QCOMPARE(labelValues(d), QList<double>({10.0}));
        QCOMPARE(d.labels.first().alignment, centreTop);

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
        Project doc = Project::defaultProject();
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

        const Diagram d = reactionDiagram(doc, 2);
        QCOMPARE(d.arrows.size(), 2);
        QVERIFY(near(d.arrows.at(0).p1(), QPointF(-1, -1)));
        QVERIFY(near(d.arrows.at(0).p2(), QPointF(0, -1)));
        QVERIFY(near(d.arrows.at(1).p1(), QPointF(0, 0)));
        QVERIFY(near(d.arrows.at(1).p2(), QPointF(0, -1)));
        QCOMPARE(labelValues(d), QList<double>({120.0, 30.0}));
        QCOMPARE(d.labels.first().alignment, rightCentre);

        // The back-pile anchor takes part in a double row.
        doc.base.PileForm = DOUBLEROW;
        QCOMPARE(reactionDiagram(doc, 2).arrows.size(), 3);
    }

    void betweenRowPressureOnlyWithEsInteraction()
    {
        Project doc = Project::defaultProject();
        doc.anchors.clear();
        doc.nodes = {node(0, 0, -5), node(1, 4, -5), node(2, 0, -6), node(3, 4, -6)};
        ResultInfo upper = element(0, 1, OBJESLINK);
        upper.BPi = -20.0;
        upper.BPj = 20.0;
        ResultInfo lower = element(2, 3, OBJESLINK);
        lower.BPi = -40.0;
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

        doc.base.interact = INDEPENDENTK;
        d = reactionDiagram(doc, 2);
        QVERIFY(d.outlinePaths.isEmpty());
        QCOMPARE(labelValues(d), QList<double>({80.0}));
        doc.base.PileForm = SINGLEROW;
        doc.base.interact = INTERACTES;
        QVERIFY(reactionDiagram(doc, 2).outlinePaths.isEmpty());
    }

    // The values written beside the diagrams of an analysed single row span
    // the extremes of the analysis report.
    void labelsReachTheReportedExtremes_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("default") << QStringLiteral("default.qzp");
        QTest::newRow("anchors") << QStringLiteral("singlerow-anchors.qzp");
    }

    void labelsReachTheReportedExtremes()
    {
        QFETCH(QString, file);
        Project doc = Project::defaultProject();
        QVERIFY(readExample(doc, file));
        QCOMPARE(doc.base.PileForm, SINGLEROW);
        const AnalysisOutcome analysed = analyse(doc);
        QVERIFY(analysed.succeeded());
        doc = analysed.project;
        const QString log = analysed.log.join('\n');
        const auto reported = [&log](const QString &title, const Diagram &d) {
            double lo = 0.0;
            double hi = 0.0;
            for (const ResultLabel &label : d.labels) {
                lo = std::min(lo, label.value);
                hi = std::max(hi, label.value);
            }
            return log.contains(title.arg(lo, 0, 'f', 1).arg(hi, 0, 'f', 1));
        };
        QVERIFY(reported(QStringLiteral("抗滑桩位移（%1~ %2mm）"),
            memberDiagram(doc, DiagramKind::Displacement, 2)));
        QVERIFY(reported(QStringLiteral("抗滑桩弯矩（%1~ %2kN*m）"),
            memberDiagram(doc, DiagramKind::Moment, 2)));
        QVERIFY(reported(
            QStringLiteral("抗滑桩剪力（%1~ %2kN）"), memberDiagram(doc, DiagramKind::Shear, 2)));
        // The reaction labels also carry anchor forces; the soil pressure is
        // what its outline shows.
        doc.anchors.clear();
        QVERIFY(reported(QStringLiteral("土反力（%1~ %2kPa）"), reactionDiagram(doc, 2)));
    }

    // Labels that would cover one already written are left out; the largest
    // and smallest value of each pile are always written, moved where they
    // would cover one another. No label covers a member.
    void overlappingLabelsGiveWayToTheExtremes()
    {
        // A column of boxes 1 m high, 0.6 m apart: each overlaps its two
        // neighbours only. The largest (9) and smallest (0.5) go first, then
        // every label in order that covers none written.
        QList<ResultLabel> labels;
        QList<QRectF> boxes;
        const QList<double> values = {3, 4, 1, 5, 6, 2, 7, 9, 8, 0.5};
        for (int n = 0; n < values.size(); ++n) {
            labels.append({QPointF(0, -0.6 * n), values.at(n), leftCentre, OBJPILE});
            boxes.append(QRectF(0.0, -0.6 * n - 1.0, 2.0, 1.0));
        }
        // The two values of the back pile stand on one another: both are its extremes.
        for (const double v : {1.0, 2.0}) {
            labels.append({QPointF(100, 0), v, leftCentre, OBJBACKPILE});
            boxes.append(QRectF(100.0, -1.0, 2.0, 1.0));
        }
        const LabelPlacement placed = placeLabels(labels, boxes);
        QList<int> written;
        for (int n = 0; n < placed.shown.size(); ++n) {
            if (placed.shown.at(n))
                written.append(n);
        }
        QCOMPARE(written, QList<int>({0, 2, 4, 7, 9, 10, 11}));
        QVERIFY(!placed.boxes.at(10).intersects(placed.boxes.at(11)));
        QCOMPARE(placed.boxes.at(10).left(), placed.boxes.at(11).left());

        // A label whose point lies right of a pile line, but whose text
        // would start on it, moves right of it; one left of the line ends
        // before it.
        const QList<QLineF> pile = {QLineF(0.0, -3.0, 0.0, 0.0)};
        const QList<ResultLabel> beside = {{QPointF(0.01, -1.0), 1.0, leftCentre, OBJPILE},
            {QPointF(-0.01, -2.0), -1.0, rightCentre, OBJPILE}};
        const LabelPlacement clear = placeLabels(
            beside, {QRectF(-0.05, -1.2, 1.0, 0.4), QRectF(-0.9, -2.2, 1.0, 0.4)}, pile);
        QVERIFY(clear.boxes.at(0).left() > 0.0 && clear.boxes.at(1).right() < 0.0);
        QCOMPARE(clear.boxes.at(0).size(), QSizeF(1.0, 0.4));

        // Drawn with the text sizes of the analysed projects, at the fitted
        // scale (32 px, 0.32 m) and at the largest zoom (16 px).
        // Returns how many labels were left out.
        const auto check = [](const Diagram &d, int pixelSize, const QList<QLineF> &members) {
            QStringList texts;
            for (const ResultLabel &label : d.labels)
                texts.append(QString::number(label.value, 'f', 1));
            const LabelPlacement placed =
                placeLabels(d.labels, labelBoxes(d.labels, texts, pixelSize), members);
            const QList<bool> &shown = placed.shown;
            const QList<QRectF> &boxes = placed.boxes;
            // Per group: smallest and largest value, of all and of the written.
            QMap<qint32, QPair<double, double>> all;
            QMap<qint32, QPair<double, double>> written;
            const auto widen = [](QMap<qint32, QPair<double, double>> &map,
                                   const ResultLabel &label) {
                auto it = map.find(label.group);
                if (it == map.end())
                    it = map.insert(label.group, {label.value, label.value});
                it->first = std::min(it->first, label.value);
                it->second = std::max(it->second, label.value);
            };
            int left = 0;
            for (int n = 0; n < d.labels.size(); ++n) {
                widen(all, d.labels.at(n));
                if (shown.at(n))
                    widen(written, d.labels.at(n));
                else
                    ++left;
            }
            if (written != all)
                return -1;
            // No two written labels overlap, and none comes closer to a pile
            // than a quarter of its height (the pile's line has a width).
            for (int m = 0; m < boxes.size(); ++m) {
                if (!shown.at(m))
                    continue;
                for (int n = m + 1; n < boxes.size(); ++n) {
                    if (shown.at(n) && boxes.at(m).intersects(boxes.at(n)))
                        return -1;
                }
                const double gap = 0.25 * boxes.at(m).height();
                for (const QLineF &member : members) {
                    const QRectF line = QRectF(member.p1(), member.p2()).normalized();
                    if (line.width() == 0.0
                        && boxes.at(m).intersects(line.adjusted(-gap, 0.0, gap, 0.0)))
                        return -1;
                }
            }
            return left;
        };
        for (const char *file :
            {"default-analysed.qzp", "doublerow-analysed.qzp", "singlerow-anchors-analysed.qzp"}) {
            Project doc = Project::defaultProject();
            QVERIFY(readExample(doc, QLatin1String(file)));
            const QList<QLineF> members = memberLines(doc);
            QVERIFY(!members.isEmpty());
            const Diagram moment = memberDiagram(doc, DiagramKind::Moment, 2);
            // At the fitted scale the moment labels crowd: some give way.
            QVERIFY2(check(moment, 32, members) > 0, file);
            QVERIFY2(check(moment, 16, members) >= 0, file);
            for (const int pixelSize : {32, 16}) {
                for (const DiagramKind kind :
                    {DiagramKind::Displacement, DiagramKind::Shear, DiagramKind::Normal})
                    QVERIFY2(check(memberDiagram(doc, kind, 2), pixelSize, members) >= 0, file);
                QVERIFY2(check(reactionDiagram(doc, 2), pixelSize, members) >= 0, file);
            }
        }
    }

    // In the analysed projects every diagram reaches half the offset, on the
    // side of the sign of its largest value.
    void largestOrdinateIsHalfTheOffset_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("default") << QStringLiteral("default-analysed.qzp");
        QTest::newRow("doublerow") << QStringLiteral("doublerow-analysed.qzp");
        QTest::newRow("anchors") << QStringLiteral("singlerow-anchors-analysed.qzp");
    }

    void largestOrdinateIsHalfTheOffset()
    {
        QFETCH(QString, file);
        Project doc = Project::defaultProject();
        QVERIFY(readExample(doc, file));
        QVERIFY(!doc.results.isEmpty());
        const int offset = 5;
        const double half = offset * 0.5;

        for (const DiagramKind kind : {DiagramKind::Displacement, DiagramKind::Moment,
                 DiagramKind::Shear, DiagramKind::Normal}) {
            const QByteArray what = QByteArray::number(int(kind));
            const Diagram d = memberDiagram(doc, kind, offset);
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
            // The end ordinates reach offset/2 (links are not drawn; start
            // values may stand out a little further, as the normal force
            // does under the pile's weight).
            double reach = 0.0;
            int n = 0;
            for (const ResultInfo &r : doc.results) {
                if (r.ob == OBJESLINK)
                    continue;
                const NodeInfo &nj = doc.nodes.at(r.j);
                const QPointF T = d.outline.at(n++).p2();
                reach = std::max(reach,
                    kind == DiagramKind::Displacement ? std::fabs(T.x() - nj.Xg)
                                                      : std::hypot(T.x() - nj.Xg, T.y() - nj.Yg));
            }
            QCOMPARE(n, d.outline.size());
            QVERIFY2(std::fabs(reach - half) < 1e-8, what);

            // Where its end is drawn: across the member, on the side of the
            // value's sign (the link beam hangs a positive moment below).
            const double side = t > 0.0 ? half : -half;
            QPointF across(side, kind == DiagramKind::Displacement ? d.scale * largest->Yj : 0.0);
            if (largest->ob == OBJBEAM)
                across = QPointF(0.0, kind == DiagramKind::Moment ? -side : side);
            const NodeInfo &nj = doc.nodes.at(largest->j);
            const QPointF end = QPointF(nj.Xg, nj.Yg) + across;
            QVERIFY2(std::any_of(d.outline.cbegin(), d.outline.cend(),
                         [&](const QLineF &line) { return near(line.p2(), end, 1e-8); }),
                what);
        }

        // The soil pressure of the reaction diagram: the largest start value
        // is drawn offset/2 to the left of its node where it is positive.
        const Diagram reaction = reactionDiagram(doc, offset);
        const ResultInfo *largest = &doc.results.first();
        for (const ResultInfo &r : doc.results) {
            if (std::fabs(r.SPi) > std::fabs(largest->SPi))
                largest = &r;
        }
        const NodeInfo &ni = doc.nodes.at(largest->i);
        const QPointF start(ni.Xg - (largest->SPi > 0 ? half : -half), ni.Yg);
        QVERIFY(std::any_of(reaction.outline.cbegin(), reaction.outline.cend(),
            [&](const QLineF &line) { return near(line.p1(), start, 1e-8); }));
    }
};

RIDEZU_GUI_TEST_MAIN(TestResultGeometry)
#include "tst_gui_resultgeometry.moc"
