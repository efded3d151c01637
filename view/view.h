#pragma once

// The widget of one project tab. It owns the project's Document, draws it as
// an elevation of the pile structure (input mode) or of the analysis model
// (result mode), lets the user zoom and pan, and files the project.
//
// Model coordinates are metres, x to the right (toward the slope), y up, the
// origin on the ground datum at the front pile's axis. The transform maps
// them to widget pixels: translate by (x0, y0), scale by (blc, -blc).

#include "model/document.h"

#include <QPointF>
#include <QPointer>
#include <QTransform>
#include <QWidget>

struct Diagram;
struct ResultLabel;
struct SpringSymbol;

class View : public QWidget
{
    Q_OBJECT

public:
    explicit View(QWidget *parent = nullptr);

    Document *document() const { return m_document; }
    QString filePath() const { return m_filePath; }
    bool isUntitled() const { return m_isUntitled; }
    const QTransform &transform() const { return m_transform; }

    // Number of the next untitled project of this process.
    static int untitledCounter;

    // Navigation.
    void updateTransform();
    void fitView();

    // File actions of the tab.
    void newFile();
    bool loadFile(const QString &path);
    bool save();
    bool saveAs();
    bool saveFile(const QString &path);
    void setCurrentFile(const QString &path);
    bool maybeSave();

    // Drawing primitives, in model coordinates.
    int textPixelSize() const;
    static void drawLabel(
        QPainter &painter, const QPointF &point, const QString &text, int pixelSize, int alignment);
    static void drawArrow(QPainter &painter, const QPointF &tail, const QPointF &head);

signals:
    void mousePositionChanged(QPointF scenePos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // Save as: whether a name ends in the project extension, and the question
    // before an existing file is replaced.
    static bool hasProjectSuffix(const QString &path);
    bool confirmOverwrite(const QString &path);

    // Box of everything drawn in model metres, normalised (top() is the
    // lowest elevation): the model box and the anchors.
    QRectF drawingBounds() const;
    // Scale that shows the whole drawing in the widget; 0 when there is no room.
    double fittingScale() const;
    // Whether the scales and origin of a stored view can be shown as they
    // are: finite, within the zoom limits and near the widget.
    static bool storedViewUsable(const Document &doc);
    // Places a view the user has not seen yet for the widget's size: the
    // first origin of a new project, or a fit. Runs on resize and show, so
    // that painting only paints.
    void placeBeforeFirstPaint();
    QPointF toModel(const QPointF &pixel) const;
    // Label texts: a length in metres, and a value with one decimal.
    static QString metreText(double value);
    static QString valueText(double value);

    void drawUnitNotes(QPainter &painter) const;
    void drawAxisSign(QPainter &painter) const;

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

    // The labels of one drawing that do not cover one another
    // (labelplacement.h): labels[n] writes texts[n], or its value.
    void drawLabels(QPainter &painter, const QList<ResultLabel> &labels, const QStringList &texts,
        int pixelSize) const;
    void drawValueLabels(QPainter &painter, const QList<ResultLabel> &labels, int pixelSize) const;

    QPointer<Document> m_document;
    QString m_filePath;
    bool m_isUntitled = true;
    QTransform m_transform;
    bool m_panning = false;
    QPoint m_lastMousePos;
    // Until the first paint the view is placed for each new widget size; a
    // fit is due when asked for or when the stored view cannot be shown.
    bool m_painted = false;
    bool m_fitPending = false;
};
