// Forces: thrust and resistance derived from the basic data, and the
// additional point forces, distributed forces and moments.

#include "view/drawing.h"

#include "document/document.h"
#include "view/labelplacement.h"
#include "view/pens.h"
#include "view/resultgeometry.h"

#include <QPainter>
#include <QtMath>

#include <cmath>

namespace {

constexpr int MAXLOADARROWS = 2000;

// Length of the arrow of a force of intensity v, in metres, for the size
// setting of arrows.
double arrowLength(double v, int offset)
{
    return std::log10(std::fabs(v) + 2.0) * offset * 0.25;
}

const int labelAlignment = Qt::AlignLeft | Qt::AlignBottom;

} // namespace

void Drawing::drawForces(QPainter &painter, double a, double c, double factor) const
{
    // Forces act on a face of their carrier: the half width of its section.
    const auto faceOffset = [a, c](const ForceInfo &f) {
        if (f.direction == DIRVERTICAL)
            return 0.0;
        return f.object == OBJBACKPILE ? c : a;
    };

    // The labels are written after all arrows, as one drawing, so that a
    // label that would cover another is left out (labelplacement.h).
    QList<ResultLabel> labels;
    painter.setPen(pen(Qt::darkRed, 1));
    for (const ForceInfo &f : m_doc.BaseForces)
        drawDistributedLoad(painter, f, faceOffset(f), factor, labels);
    const qsizetype baseLabels = labels.size();

    const bool singleRow = m_doc.base.PileForm == SINGLEROW;
    for (const ForceInfo &f : m_doc.AddForces) {
        if (singleRow && (f.object == OBJBACKPILE || f.object == OBJBEAM))
            continue;
        switch (f.type) {
        case LOADPNT:
            painter.setPen(pen(Qt::darkMagenta, 2));
            drawPointForce(painter, f, faceOffset(f), factor, labels);
            break;
        case LOADDIST:
            painter.setPen(pen(Qt::darkMagenta, 1));
            drawDistributedLoad(painter, f, faceOffset(f), factor, labels);
            break;
        case LOADMOMENT:
            painter.setPen(pen(Qt::darkMagenta, 1));
            drawMoment(painter, f, factor, labels);
            break;
        default: break;
        }
    }

    QStringList texts;
    QList<QPen> pens;
    texts.reserve(labels.size());
    pens.reserve(labels.size());
    for (qsizetype k = 0; k < labels.size(); ++k) {
        texts.append(valueText(labels.at(k).value));
        pens.append(pen(k < baseLabels ? Qt::darkRed : Qt::darkMagenta, 1));
    }
    drawLabels(painter, labels, texts, m_display.labelSize, pens);
}

void Drawing::drawPointForce(QPainter &painter, const ForceInfo &f, double g, double factor,
    QList<ResultLabel> &labels) const
{
    const double F = f.F;
    const QPointF head(F > 0.0 ? f.x1g - g : f.x1g + g, f.y1g);
    // The tail lies against the force: left of the head for a positive
    // horizontal force, below it for a positive vertical one.
    const double l = F > 0.0 ? -arrowLength(F, m_display.offset) : arrowLength(F, m_display.offset);
    const QPointF tail =
        f.direction == DIRVERTICAL ? head + QPointF(0.0, l) : head + QPointF(l, 0.0);
    drawArrow(painter, tail, head);
    labels.append({tail, F * factor, labelAlignment, f.object});
}

void Drawing::drawDistributedLoad(QPainter &painter, const ForceInfo &f, double g, double factor,
    QList<ResultLabel> &labels) const
{
    const double q1 = f.q1;
    const double q2 = f.q2;
    if (std::fabs(q1) < EPS && std::fabs(q2) < EPS)
        return;
    double l1 = arrowLength(q1, m_display.offset);
    double l2 = arrowLength(q2, m_display.offset);
    if (q1 + q2 > 0.0) {
        g = -g;
        l1 = -l1;
        l2 = -l2;
    }
    const QPointF P1(f.x1g + g, f.y1g);
    const QPointF P2(f.x2g + g, f.y2g);
    const bool vertical = f.direction == DIRVERTICAL;
    const QPointF T1 = P1 + (vertical ? QPointF(0.0, l1) : QPointF(l1, 0.0));
    const QPointF T2 = P2 + (vertical ? QPointF(0.0, l2) : QPointF(l2, 0.0));

    drawArrow(painter, T1, P1);
    drawArrow(painter, T2, P2);
    // One arrow per metre in between; a length from a damaged file must not
    // keep the painting busy, so no load gets more than MAXLOADARROWS.
    const QPointF span = P2 - P1;
    const double E = std::hypot(span.x(), span.y());
    if (E > 1.0) {
        const double last = std::min(E, double(MAXLOADARROWS));
        for (int k = 1; k < last; ++k) {
            const double t = k / E;
            drawArrow(painter, T1 + (T2 - T1) * t, P1 + span * t);
        }
    }
    painter.drawLine(T1, T2);
    labels.append({T1, q1 * factor, labelAlignment, f.object});
    labels.append({T2, q2 * factor, labelAlignment, f.object});
}

void Drawing::drawMoment(
    QPainter &painter, const ForceInfo &f, double factor, QList<ResultLabel> &labels) const
{
    const double M = f.M;
    const QPointF centre(f.x1g, f.y1g);
    const double r0 = m_display.offset / 4.0;
    const QPointF left = centre + QPointF(-r0, r0);
    const QPointF right = centre + QPointF(r0, r0);

    // Arc of 90 degrees over the top, from one end to the other.
    const double R = r0 * std::sqrt(2.0);
    QPolygonF arc;
    const int steps = 24;
    for (int k = 0; k <= steps; ++k) {
        const double t = qDegreesToRadians(45.0 + 90.0 * k / steps);
        arc << centre + R * QPointF(std::cos(t), std::sin(t));
    }
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(arc);

    // Counter-clockwise for a positive moment: the head sits at the left end.
    const QPointF head = M > 0.0 ? left : right;
    const double direction = qDegreesToRadians(M > 0.0 ? -135.0 : -45.0);
    painter.drawLine(centre, M > 0.0 ? right : left);
    const double spread = qDegreesToRadians(30.0);
    for (const double t : {direction + spread, direction - spread})
        painter.drawLine(head, head - 0.25 * QPointF(std::cos(t), std::sin(t)));

    labels.append({centre, M * factor, Qt::AlignLeft | Qt::AlignTop, f.object});
}
