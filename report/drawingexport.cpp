#include "report/drawingexport.h"

#include "buildinfo.h"

#include <QDir>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <cmath>

namespace {

// Largest image made (pixels): 300 dpi of a full-screen view is well below.
constexpr qint64 MAXIMAGEPIXELS = 60LL * 1000 * 1000;

QString writeFailed(const QString &path)
{
    return DrawingExport::tr("无法写入文件%1").arg(QDir::toNativeSeparators(path));
}

} // namespace

void DrawingExport::paint(
    QPainter &painter, const Project &doc, const ViewFrame &frame, double ratio)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QSizeF size = QSizeF(frame.size) * ratio;
    painter.fillRect(QRectF(QPointF(0.0, 0.0), size), Qt::white);
    painter.setClipRect(QRectF(QPointF(0.0, 0.0), size), Qt::IntersectClip);
    DisplaySettings display = frame.display;
    display.pixelRatio = ratio;
    Drawing(doc, display).paint(painter, frame.transform * QTransform::fromScale(ratio, ratio));
    Drawing::paintAxisSign(painter, size.height(), ratio);
    painter.restore();
}

QImage DrawingExport::image(const Project &doc, const ViewFrame &frame, int dpi)
{
    const double ratio = dpi / 96.0;
    const QSize size(int(std::lround(frame.size.width() * ratio)),
        int(std::lround(frame.size.height() * ratio)));
    if (size.isEmpty() || qint64(size.width()) * size.height() > MAXIMAGEPIXELS)
        return QImage();
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const int dotsPerMetre = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    paint(painter, doc, frame, ratio);
    return image;
}

QString DrawingExport::writePng(
    const Project &doc, const ViewFrame &frame, int dpi, const QString &path)
{
    const QImage picture = image(doc, frame, dpi);
    if (picture.isNull())
        return tr("图片过大，无法生成：%1 dpi").arg(dpi);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit())
        return writeFailed(path);
    return QString();
}

QString DrawingExport::writeSvg(const Project &doc, const ViewFrame &frame, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return writeFailed(path);
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(frame.size);
    svg.setViewBox(QRect(QPoint(0, 0), frame.size));
    svg.setResolution(96);
    svg.setTitle(doc.base.ProjectName);
    svg.setDescription(QStringLiteral("%1 V%2").arg(
        QString::fromUtf8(RIDEZU_PROGRAM_NAME), QStringLiteral(RIDEZU_VERSION)));
    QPainter painter;
    if (!painter.begin(&svg))
        return writeFailed(path);
    paint(painter, doc, frame, 1.0);
    if (!painter.end() || !file.commit())
        return writeFailed(path);
    return QString();
}
