// Displacement, moment, shear and normal-force diagrams along the members,
// and the painting of any result diagram.
//
// Each element adds the outline from its start point S to its end point T
// and the ordinate from its end node to T. The ordinate at its start node and
// the start value are added only where the value differs from the end value
// of the element before (a jump); where consecutive elements agree at their
// common node, the value is shown once.

#include "view/drawing.h"
#include "view/resultgeometry.h"

#include "view/labelplacement.h"
#include "view/pens.h"

#include <QPainter>

#include <cmath>

namespace {

// Value of a result record that sets the size of a diagram.
double referenceValue(const ResultInfo &r, DiagramKind kind)
{
    switch (kind) {
    case DiagramKind::Displacement: return r.Xj;
    case DiagramKind::Moment: return r.Mj;
    case DiagramKind::Shear: return r.Qj;
    case DiagramKind::Normal: return r.Nj;
    case DiagramKind::Reaction: return r.SPi;
    }
    return 0.0;
}

// Labels of member diagrams stand right of positive values.
int memberAlignment(double value)
{
    return (value > EPS ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter;
}

} // namespace

double diagramScale(const QList<ResultInfo> &results, DiagramKind kind, int offset)
{
    double vmax = 0.0;
    for (const ResultInfo &r : results) {
        const double v = referenceValue(r, kind);
        if (std::fabs(v) > std::fabs(vmax))
            vmax = v;
    }
    double magnitude = std::fabs(vmax);
    if (!(magnitude >= EPS)) // also a value that is not a number
        magnitude = 1.0;
    return offset * 0.5 / magnitude;
}

Diagram memberDiagram(const Project &doc, DiagramKind kind, int offset)
{
    Diagram d;
    if (doc.results.isEmpty() || kind == DiagramKind::Reaction)
        return d;
    const double k = diagramScale(doc.results, kind, offset);
    d.scale = k;
    const qsizetype count = doc.nodes.size();
    double prev = 0.0;
    for (const ResultInfo &r : doc.results) {
        if (r.ob == OBJESLINK)
            continue;
        if (r.i < 0 || r.j < 0 || r.i >= count || r.j >= count)
            continue;
        const QPointF Ni(doc.nodes.at(r.i).Xg, doc.nodes.at(r.i).Yg);
        const QPointF Nj(doc.nodes.at(r.j).Xg, doc.nodes.at(r.j).Yg);

        double c = 0.0;
        double t = 0.0;
        switch (kind) {
        case DiagramKind::Displacement:
            c = r.Xi * 1000.0; // mm
            t = r.Xj * 1000.0;
            break;
        case DiagramKind::Moment:
            c = -r.Mi;
            t = r.Mj;
            break;
        case DiagramKind::Shear:
            c = r.Qi;
            t = -r.Qj;
            break;
        case DiagramKind::Normal:
            c = -r.Ni;
            t = r.Nj;
            break;
        case DiagramKind::Reaction: break;
        }

        QPointF S;
        QPointF T;
        if (kind == DiagramKind::Displacement) {
            // The displaced shape.
            S = Ni + k * QPointF(r.Xi, r.Yi);
            T = Nj + k * QPointF(r.Xj, r.Yj);
        } else if (r.ob != OBJBEAM) {
            S = Ni + QPointF(k * c, 0.0);
            T = Nj + QPointF(k * t, 0.0);
        } else {
            // On the link beam the ordinates stand upright; the moment is
            // drawn downwards where it is positive.
            const double sign = kind == DiagramKind::Moment ? -1.0 : 1.0;
            S = Ni + QPointF(0.0, sign * k * c);
            T = Nj + QPointF(0.0, sign * k * t);
        }

        const bool jump = std::fabs(c - prev) > EPS;
        if (std::fabs(t) >= EPS)
            d.labels.append({T, t, memberAlignment(t), r.ob});
        if (jump && std::fabs(c) >= EPS)
            d.labels.append({S, c, memberAlignment(c), r.ob});
        d.ordinates.append(QLineF(Nj, T));
        if (jump)
            d.ordinates.append(QLineF(Ni, S));
        d.outline.append(QLineF(S, T));
        prev = t;
    }
    return d;
}

void Drawing::drawDiagram(QPainter &painter, const Diagram &diagram) const
{
    if (diagram.isEmpty())
        return;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(pen(accentColor(100), 1));
    painter.drawLines(diagram.ordinates);
    painter.setPen(pen(accentColor(255), 2));
    painter.drawLines(diagram.outline);
    for (const QPolygonF &path : diagram.outlinePaths)
        painter.drawPolyline(path);
    painter.setPen(pen(accentColor(255), 1));
    for (const QLineF &arrow : diagram.arrows)
        drawArrow(painter, arrow.p1(), arrow.p2());

    if (!(m_display.status & SHOWMARK))
        return;
    painter.setPen(pen(accentColor(180), 1));
    drawValueLabels(painter, diagram.labels, int(m_display.labelSize * 0.8));
}

void Drawing::drawValueLabels(
    QPainter &painter, const QList<ResultLabel> &labels, int pixelSize) const
{
    QStringList texts;
    texts.reserve(labels.size());
    for (const ResultLabel &label : labels)
        texts.append(valueText(label.value));
    drawLabels(painter, labels, texts, pixelSize);
}

void Drawing::drawLabels(QPainter &painter, const QList<ResultLabel> &labels,
    const QStringList &texts, int pixelSize, const QList<QPen> &pens) const
{
    const QList<QRectF> boxes = labelBoxes(labels, texts, pixelSize);
    const LabelPlacement placed = placeLabels(labels, boxes, labelLines(), m_written);
    for (qsizetype n = 0; n < labels.size() && n < texts.size(); ++n) {
        if (!placed.shown.at(n))
            continue;
        if (n < pens.size())
            painter.setPen(pens.at(n));
        // A label moved out of the way is written where its box went.
        const QPointF shift = placed.boxes.at(n).topLeft() - boxes.at(n).topLeft();
        writeLabelAt(
            painter, labels.at(n).point + shift, texts.at(n), pixelSize, labels.at(n).alignment);
    }
}
