#pragma once

// The drawing of a project tab as the user sees it, written to a file or
// painted onto another device: a PNG image at a chosen resolution, an SVG
// drawing, or a printed page. The picture is the View's: its size, its
// transform (zoom and pan), its display settings, the axis sign.

#include "view/drawing.h"

#include <QCoreApplication>
#include <QImage>
#include <QSize>
#include <QString>
#include <QTransform>

class QPainter;

// What a View shows: its size in pixels, the transform from model metres to
// its pixels and its display settings.
struct ViewFrame
{
    QSize size;
    QTransform transform;
    DisplaySettings display;
};

class DrawingExport
{
    Q_DECLARE_TR_FUNCTIONS(DrawingExport)

public:
    // Resolutions offered for an image, in dots per inch; the screen is 96.
    static QList<int> imageResolutions() { return {96, 150, 200, 300}; }

    // Paints the view's picture on white with its top-left corner at the
    // painter's origin, every length (lines too) `ratio` times as large.
    static void paint(QPainter &painter, const Project &doc, const ViewFrame &frame, double ratio);

    // The picture as an image of dpi/96 times the view's pixels; a null
    // image when it would be too large to make.
    static QImage image(const Project &doc, const ViewFrame &frame, int dpi);

    // Write the picture; each returns the message for the user, empty on
    // success, and replaces the file only once it is complete.
    static QString writePng(
        const Project &doc, const ViewFrame &frame, int dpi, const QString &path);
    static QString writeSvg(const Project &doc, const ViewFrame &frame, const QString &path);
};
