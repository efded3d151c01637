#pragma once

// Which labels of one drawing are written. Labels are drawn in model metres
// at a fixed text size, so where nodes lie closer than a line of text their
// values would cover one another. A label that would overlap one already
// written in the same drawing (one diagram, the springs, the node numbers,
// the force labels) is left out; the largest and the smallest value of each
// group (a pile, the link beam, an anchor) are always written, so the
// extremes an engineer looks for never disappear. Worked on plain lists
// without a painter; the View draws what it returns, tests read it.

#include "view/resultgeometry.h"

#include <QFontMetricsF>
#include <QList>
#include <QRectF>
#include <QStringList>

// Where the baseline of a text starts, relative to its anchor point, in the
// units of the label (hundredths of a metre, y down) for an alignment of
// View::drawLabel.
QPointF labelOrigin(const QFontMetricsF &metrics, const QString &text, int alignment);

// The box each label takes on the drawing, in model metres, when labels[i]
// writes texts[i] with the given pixel size.
QList<QRectF> labelBoxes(const QList<ResultLabel> &labels, const QStringList &texts, int pixelSize);

// Whether each label is written: first the largest and smallest value of each
// group, then, in list order, every label whose box overlaps none written.
QList<bool> labelsShown(const QList<ResultLabel> &labels, const QList<QRectF> &boxes);
