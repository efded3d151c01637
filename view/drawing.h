#pragma once

// The drawing of one project, on any painter: the elevation of the pile
// structure with its data (input mode) or the analysis model with its
// springs or one result diagram (result mode), labels and unit notes. It is
// a function of the painter, the Project, the transform from model metres
// to the painter's device and the display settings; the View paints the
// screen with it, and the exports, the printout and the calculation report
// paint images, SVG, PDF and paper with the same code. It needs Qt Gui only.
//
// Model coordinates are metres, x to the right (toward the slope), y up, the
// origin on the ground datum at the front pile's axis.

#include "document/document.h"
#include "settings/settings.h"

#include <QCoreApplication>
#include <QList>
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QStringList>
#include <QTransform>

class QPainter;
struct Diagram;
struct ResultLabel;
struct SpringSymbol;

// What a drawing shows and how large.
struct DisplaySettings
{
    // Document::status bits: input or result mode, labels, the diagram.
    qint32 status = SHOWDATA;
    // Label size in hundredths of a metre (40: text 0.4 m high).
    int labelSize = Settings::FontSizeDefault;
    // Size of arrows, springs and diagrams (1 to 10).
    int offset = Settings::OffsetDefault;
    // Device pixels per pixel of the screen: line widths are given in
    // screen pixels, so that an image of higher resolution, a PDF or paper
    // show the lines as the screen does.
    double pixelRatio = 1.0;
    // Whether labels come with the notes on their units (a figure may say
    // them in its caption instead).
    bool unitNotes = true;
};

// The label size of the display setting fontSize in a view shown at scale
// blc and fitted at blcfull: zooming in beyond the fit shrinks the labels in
// model units, down to 20.
int labelPixelSize(int fontSize, double blc, double blcfull);

// Box in model metres of everything a fitted view shows, normalised (top()
// is the lowest elevation): the model box and the anchors.
QRectF drawingBounds(const Project &doc);

class Drawing
{
    Q_DECLARE_TR_FUNCTIONS(Drawing)

public:
    Drawing(const Project &doc, const DisplaySettings &display);

    // Paints the unit notes and the input or result mode through the
    // transform (combined with the painter's own); leaves the painter's
    // state as it found it.
    void paint(QPainter &painter, const QTransform &transform) const;

    // The box of the whole drawing in model metres, normalised: the drawing
    // bounds widened, in result mode, by the springs and diagrams that stand
    // beside the members, and by every label written (the unit notes too).
    QRectF extent() const;

    // The boxes in model metres of the labels the drawing writes, in the
    // order it writes them.
    QList<QRectF> writtenLabels() const;

    // The X and Y axis sign at the lower left of an area of the given height,
    // in the painter's own coordinates (device pixels), sized for the ratio
    // of device pixels to screen pixels.
    static void paintAxisSign(QPainter &painter, double height, double pixelRatio = 1.0);

    // Primitives, in model coordinates: a text of pixel size n (hundredths of
    // a metre) placed at a point by an alignment, and an arrow with a
    // two-stroke head.
    static void drawLabel(
        QPainter &painter, const QPointF &point, const QString &text, int pixelSize, int alignment);
    static void drawArrow(QPainter &painter, const QPointF &tail, const QPointF &head);

private:
    // A pen whose width is given in screen pixels.
    QPen pen(const QColor &color, double width, Qt::PenStyle style = Qt::SolidLine) const;

    // Label texts: a length in metres, and a value with one decimal.
    static QString metreText(double value);
    static QString valueText(double value);

    // The unit notes with their anchor point and line step.
    QStringList unitNotes() const;
    QPointF notesAnchor() const;
    void drawUnitNotes(QPainter &painter) const;

    // Input mode (inputdrawing.cpp).
    void drawInput(QPainter &painter) const;
    void drawPile(QPainter &painter, const PileInfo &pile, double yb) const;
    void drawPileSpacing(QPainter &painter, const PileInfo &pile, double yb) const;
    void drawLinkBeam(QPainter &painter, double yb) const;
    void drawAnchors(QPainter &painter, double a, double c) const;

    // Forces (forcedrawing.cpp); a and c are the half widths of the piles,
    // factor turns the per-metre values of the labels into shown values.
    // Each force draws its arrows and adds its labels to the list.
    void drawForces(QPainter &painter, double a, double c, double factor) const;
    void drawPointForce(QPainter &painter, const ForceInfo &f, double g, double factor,
        QList<ResultLabel> &labels) const;
    void drawDistributedLoad(QPainter &painter, const ForceInfo &f, double g, double factor,
        QList<ResultLabel> &labels) const;
    void drawMoment(
        QPainter &painter, const ForceInfo &f, double factor, QList<ResultLabel> &labels) const;

    // Ground, layers and surfaces (grounddrawing.cpp).
    void drawGround(QPainter &painter, double a, double b) const;
    void drawSurfaces(QPainter &painter, double a, double c, double w) const;

    // Result mode (resultdrawing.cpp): the analysis model and its supports.
    void drawResult(QPainter &painter) const;
    void drawMesh(QPainter &painter) const;
    void drawSupport(QPainter &painter, const PileInfo &pile) const;
    static void drawHinge(QPainter &painter, const QPointF &p);
    static void drawFixed(QPainter &painter, const QPointF &p);

    // Springs and row links (springdrawing.cpp).
    void drawSprings(QPainter &painter) const;
    void drawRowLinks(QPainter &painter) const;
    void drawSpringSymbols(QPainter &painter, const QList<SpringSymbol> &springs) const;

    // One result diagram with its labels (diagramdrawing.cpp).
    void drawDiagram(QPainter &painter, const Diagram &diagram) const;

    // The labels of one list, placed so that they cover neither one
    // another nor a label written before them, nor a member
    // (labelplacement.h): labels[n] writes texts[n], or its value, in
    // pens[n] where pens are given.
    void drawLabels(QPainter &painter, const QList<ResultLabel> &labels, const QStringList &texts,
        int pixelSize, const QList<QPen> &pens = {}) const;
    void drawValueLabels(QPainter &painter, const QList<ResultLabel> &labels, int pixelSize) const;

    // Writes a label that is always written (a level, a name, a unit note),
    // moved along its line where it would cover a label written before it
    // (labelplacement.h), and notes its box.
    void writeLabel(QPainter &painter, const QPointF &point, const QString &text, int pixelSize,
        int alignment) const;
    // Writes a label where it is placed, and notes its box, so that the
    // labels placed after it keep clear of it.
    void writeLabelAt(QPainter &painter, const QPointF &point, const QString &text, int pixelSize,
        int alignment) const;
    // The lines labels keep clear of: the members, in result mode (the
    // input drawing's piles are outlines its labels may stand inside).
    QList<QLineF> labelLines() const;

    const Project &m_doc;
    DisplaySettings m_display;
    // The boxes of the labels written so far by the paint under way (a
    // Drawing paints on one painter at a time).
    mutable QList<QRectF> m_written;
};
