#pragma once

// Where the labels of one drawing are written. Labels are drawn in model
// metres at a fixed text size, so where nodes lie closer than a line of text
// their values would cover one another. A label written to the left or
// right of its point stands a little apart from it, and clear of the member
// lines it would cross, on the side of the line where its point lies.
// Then the largest and the smallest value of each group (a pile, the link
// beam, an anchor) are written, moved up or down along their member where
// they would cover a label already on the drawing, so the extremes an
// engineer looks for never disappear; then, in list order, every other label
// that covers nothing written is written, and the rest are left out. Worked
// on plain lists without a painter; the drawing writes what it returns,
// tests read it.

#include "view/resultgeometry.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QList>
#include <QRectF>
#include <QStringList>

// Where the baseline of a text starts, relative to its anchor point, in the
// units of the label (hundredths of a metre, y down) for an alignment of
// View::drawLabel.
QPointF labelOrigin(const QFontMetricsF &metrics, const QString &text, int alignment);

// The box a text takes on the drawing, in model metres, written at a point
// with an alignment in the font of the metrics (its pixel size in
// hundredths of a metre).
QRectF labelBox(
    const QFontMetricsF &metrics, const QPointF &point, const QString &text, int alignment);

// The box each label takes on the drawing, in model metres, when labels[i]
// writes texts[i] with the given pixel size.
QList<QRectF> labelBoxes(const QList<ResultLabel> &labels, const QStringList &texts, int pixelSize);

struct LabelPlacement
{
    // Whether each label is written, and the box it is written in (moved
    // from the box it was given where it had to make way).
    QList<bool> shown;
    QList<QRectF> boxes;
};

// Places labels with the given boxes: clear of the horizontal and vertical
// lines (the members), and covering neither one another nor the boxes taken
// already (the labels written before them).
LabelPlacement placeLabels(const QList<ResultLabel> &labels, const QList<QRectF> &boxes,
    const QList<QLineF> &lines = {}, const QList<QRectF> &taken = {});

// Where a label that is always written (a level or name of the ground, a
// unit note) goes: its own box where that covers none of the boxes taken
// and crosses none of the lines, else the nearest free place to the left or
// right, along the line it names, within twice its width; else its own box.
QRectF fixedLabelBox(const QRectF &box, const QList<QRectF> &taken, const QList<QLineF> &lines);
