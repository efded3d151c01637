// Springs of the analysis model: the soil and anchor springs that are active
// at each node after the trial calculation, and the Es links between the rows
// of a double row. Drawn in result mode while no diagram is selected.

#include "view/drawing.h"
#include "view/resultgeometry.h"

#include "view/pens.h"

#include <QPainter>

#include <cmath>

namespace {

// The zig-zag: a lead line where there is room, then a triangle wave of
// period 0.16 m and amplitude 0.08 m, then straight on to the end.
constexpr double LEAD = 0.08;
constexpr double PERIOD = 0.16;
constexpr double AMPLITUDE = 0.08;
// Springs shorter than this have no lead line.
constexpr double SHORT = 0.24;
// A spring runs straight on after this many periods (over 300 m): no drawing
// of a damaged file can keep the painter busy.
constexpr int MAXPERIODS = 2000;

// Spring of signed length len from node p, horizontal or vertical, with the
// value v; nothing when the length is zero.
bool addSpring(QList<SpringSymbol> &list, const QPointF &p, double len, double v, bool vertical)
{
    if (std::fabs(len) < EPS)
        return false;
    SpringSymbol s;
    s.end = vertical ? p + QPointF(0.0, len) : p + QPointF(len, 0.0);
    s.path = springPath(p, s.end, vertical);
    if (std::fabs(v) > EPS) {
        s.labelled = true;
        s.label.point = s.end;
        s.label.value = std::fabs(v);
        if (vertical)
            s.label.alignment = Qt::AlignHCenter | (v < 0.0 ? Qt::AlignTop : Qt::AlignBottom);
        else
            s.label.alignment = (v < 0.0 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
    list.append(s);
    return true;
}

} // namespace

QPolygonF springPath(const QPointF &p, const QPointF &e, bool vertical)
{
    // Worked along u (the spring's run) and v (across it), then mapped back.
    const auto u = [vertical](const QPointF &q) { return vertical ? q.y() : q.x(); };
    const auto at = [vertical](double run, double across) {
        return vertical ? QPointF(across, run) : QPointF(run, across);
    };
    const QPointF &start = u(p) <= u(e) ? p : e;
    const QPointF &end = u(p) <= u(e) ? e : p;
    const double us = u(start);
    const double ue = u(end);
    const double vs = vertical ? start.x() : start.y();

    QPolygonF path;
    path << start;
    double from = us;
    if (ue - us > SHORT) {
        from = us + LEAD;
        path << at(from, vs);
    }
    // Counted rather than summed, so that no rounding adds a period.
    for (int n = 0; n < MAXPERIODS; ++n) {
        const double x = from + n * PERIOD;
        if (!(ue - x - PERIOD > EPS))
            break;
        path << at(x + PERIOD / 4.0, vs + AMPLITUDE) << at(x + 3.0 * PERIOD / 4.0, vs - AMPLITUDE)
             << at(x + PERIOD, vs);
    }
    path << end;
    return path;
}

qint32 nodeMember(const Project &doc, const NodeInfo &node)
{
    if (std::fabs(node.Xg - doc.frontPile.topXg) < EPS)
        return OBJPILE;
    if (doc.base.PileForm == DOUBLEROW && std::fabs(node.Xg - doc.backPile.topXg) < EPS)
        return OBJBACKPILE;
    return OBJBEAM;
}

QList<ResultLabel> nodeNumbers(const Project &doc)
{
    QList<ResultLabel> labels;
    labels.reserve(doc.nodes.size());
    for (const NodeInfo &node : doc.nodes) {
        labels.append({QPointF(node.Xg, node.Yg), double(node.id), Qt::AlignLeft | Qt::AlignVCenter,
            nodeMember(doc, node)});
    }
    return labels;
}

QList<SpringSymbol> nodeSprings(const Project &doc, int offset)
{
    QList<SpringSymbol> list;
    const double L = offset * 0.5;
    for (const NodeInfo &node : doc.nodes) {
        const QPointF p(node.Xg, node.Yg);
        const qsizetype before = list.size();
        if (node.RorL == STATELEFT && std::fabs(node.Kl) > EPS)
            addSpring(list, p, -L, -node.Kl, false);
        else if (node.RorL == STATERIGHT && std::fabs(node.Kr) > EPS)
            addSpring(list, p, L, node.Kr, false);
        if (node.UorD == STATEUP && std::fabs(node.Ku) > EPS)
            addSpring(list, p, L, node.Ku, true);
        else if (node.UorD == STATEDOWN && std::fabs(node.Kd) > EPS)
            addSpring(list, p, -L, -node.Kd, true);
        for (qsizetype n = before; n < list.size(); ++n)
            list[n].label.group = nodeMember(doc, node);
    }
    return list;
}

QList<SpringSymbol> rowLinks(const Project &doc)
{
    QList<SpringSymbol> list;
    if (doc.base.PileForm != DOUBLEROW)
        return list;
    const qsizetype count = doc.nodes.size();
    for (const BeamInfo &beam : doc.beams) {
        if (beam.ob != OBJESLINK || beam.bEs == STATENONE)
            continue;
        if (beam.i < 0 || beam.j < 0 || beam.i >= count || beam.j >= count)
            continue;
        const NodeInfo &ni = doc.nodes.at(beam.i);
        const NodeInfo &nj = doc.nodes.at(beam.j);
        const QPointF p(ni.Xg, ni.Yg);
        if (!addSpring(list, p, nj.Xg - ni.Xg, 0.0, false))
            continue;
        const double k = std::fabs(beam.L) > EPS ? std::fabs(beam.E * beam.A / beam.L) : 0.0;
        if (k > EPS) {
            SpringSymbol &s = list.last();
            s.labelled = true;
            s.dotAtLabel = true;
            s.label.point = QPointF(ni.Xg + (nj.Xg - ni.Xg) / 2.0, ni.Yg);
            s.label.value = k;
            s.label.alignment = Qt::AlignHCenter | Qt::AlignBottom;
            s.label.group = OBJESLINK;
        }
    }
    return list;
}

void Drawing::drawSprings(QPainter &painter) const
{
    const Project &doc = m_doc;
    if (doc.nodes.isEmpty())
        return;
    const bool marks = m_display.status & SHOWMARK;
    const int n = int(m_display.labelSize * 0.8);
    painter.setPen(pen(accentColor(150), 1));
    painter.setBrush(Qt::NoBrush);
    drawSpringSymbols(painter, nodeSprings(doc, m_display.offset));
    if (marks) {
        const QList<ResultLabel> numbers = nodeNumbers(doc);
        QStringList texts;
        texts.reserve(numbers.size());
        for (const ResultLabel &label : numbers)
            texts.append(QString::number(int(label.value)));
        drawLabels(painter, numbers, texts, n);
    }
}

void Drawing::drawRowLinks(QPainter &painter) const
{
    const Project &doc = m_doc;
    if (doc.beams.isEmpty())
        return;
    painter.setPen(pen(accentColor(150), 1));
    painter.setBrush(Qt::NoBrush);
    drawSpringSymbols(painter, rowLinks(doc));
}

void Drawing::drawSpringSymbols(QPainter &painter, const QList<SpringSymbol> &springs) const
{
    const bool marks = m_display.status & SHOWMARK;
    QList<ResultLabel> labels;
    for (const SpringSymbol &s : springs) {
        painter.drawPolyline(s.path);
        painter.drawEllipse(s.end, 0.02, 0.02);
        if (!marks || !s.labelled)
            continue;
        if (s.dotAtLabel)
            painter.drawEllipse(s.label.point, 0.02, 0.02);
        labels.append(s.label);
    }
    drawValueLabels(painter, labels, int(m_display.labelSize * 0.8));
}
