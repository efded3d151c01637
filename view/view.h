#pragma once

// The widget of one project tab. It owns the project's Document, draws it as
// an elevation of the pile structure (input mode) or of the analysis model
// (result mode) with the Drawing of drawing.h, lets the user zoom and pan,
// and files the project.
//
// Model coordinates are metres, x to the right (toward the slope), y up, the
// origin on the ground datum at the front pile's axis. The transform maps
// them to widget pixels: translate by (x0, y0), scale by (blc, -blc).

#include "document/document.h"
#include "view/drawing.h"

#include <QPointF>
#include <QPointer>
#include <QTransform>
#include <QWidget>

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

    // Label size at the current zoom (hundredths of a metre).
    int textPixelSize() const;
    // What the view draws and how large: its Document's display state with
    // the process-wide label size and diagram size (drawing.h).
    DisplaySettings displaySettings() const;

    // Drawing primitives, in model coordinates (Drawing).
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

    // Scale that shows the whole drawing in the widget, or in a widget of
    // the given size; 0 when there is no room.
    double fittingScale() const;
    double fittingScale(const QSize &size) const;
    // Scales a view placed for a widget of oldSize, where the fitting scale
    // was oldFit, to the widget's own size, where it is fit.
    void fitTo(double fit, double oldFit, const QSize &oldSize);
    // Whether the scales and origin of a stored view can be shown as they
    // are: finite, within the zoom limits and near the widget.
    static bool storedViewUsable(const Project &p);
    // Places a view the user has not seen yet for the widget's size: the
    // first origin of a new project, or a fit. Runs on resize and show, so
    // that painting only paints.
    void placeBeforeFirstPaint();
    QPointF toModel(const QPointF &pixel) const;

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
    // Whether the view has been placed for a size of the widget (from then
    // on it follows the widget's size), and whether it is a stored view
    // still to be placed.
    bool m_placed = false;
    bool m_storedView = false;
};
