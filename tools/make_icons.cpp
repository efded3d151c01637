// Draws the program's icons and the about image into res/.
//
// Every icon is a simple line drawing in the accent blue on a transparent
// background, laid out on a 32 x 32 grid and written as a Windows icon file
// holding a 32 x 32 and a 16 x 16 image. Build with -DRIDEZU_TOOLS=ON and run
//   QT_QPA_PLATFORM=offscreen build/bin/make_icons res
// then commit the files it writes.

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>
#include <QtMath>

#include <cstdio>
#include <functional>

namespace {

const QColor accent(36, 161, 254);
const QColor deep(18, 102, 178);
const QColor wash(36, 161, 254, 60);

// Line width in grid units; thicker at 16 pixels so the lines stay visible.
double lw = 2.2;

QPen pen(const QColor &c = accent, double factor = 1.0)
{
    QPen p(c, lw * factor);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

void arrowHead(QPainter &p, QPointF tail, QPointF head, double len = 6.0)
{
    const double t = std::atan2(head.y() - tail.y(), head.x() - tail.x());
    const double s = qDegreesToRadians(28.0);
    QPolygonF tip;
    tip << head << head - len * QPointF(std::cos(t + s), std::sin(t + s))
        << head - len * QPointF(std::cos(t - s), std::sin(t - s));
    p.save();
    p.setBrush(p.pen().color());
    p.drawPolygon(tip);
    p.restore();
}

void arrow(QPainter &p, QPointF tail, QPointF head, double len = 6.0)
{
    const double t = std::atan2(head.y() - tail.y(), head.x() - tail.x());
    p.drawLine(tail, head - 0.6 * len * QPointF(std::cos(t), std::sin(t)));
    arrowHead(p, tail, head, len);
}

void page(QPainter &p)
{
    QPainterPath path;
    path.moveTo(7, 3);
    path.lineTo(19, 3);
    path.lineTo(26, 10);
    path.lineTo(26, 29);
    path.lineTo(7, 29);
    path.closeSubpath();
    p.setPen(pen());
    p.setBrush(Qt::white);
    p.drawPath(path);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(19, 3), QPointF(19, 10), QPointF(26, 10)}));
}

// A pile axis with a diagram beside it (result icons).
void pileAxis(QPainter &p)
{
    p.setPen(pen(deep));
    p.drawLine(QPointF(9, 3), QPointF(9, 29));
}

void letterIcon(QPainter &p, const QString &letter)
{
    p.setPen(pen());
    p.setBrush(wash);
    p.drawRoundedRect(QRectF(3, 3, 26, 26), 5, 5);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(22);
    f.setBold(true);
    p.setFont(f);
    p.setPen(deep);
    p.drawText(QRectF(3, 2, 26, 26), Qt::AlignCenter, letter);
}

void drawNewDoc(QPainter &p)
{
    page(p);
    p.setPen(pen(deep));
    p.drawLine(QPointF(16.5, 14), QPointF(16.5, 24));
    p.drawLine(QPointF(11.5, 19), QPointF(21.5, 19));
}

void drawOpenDoc(QPainter &p)
{
    p.setPen(pen());
    p.setBrush(wash);
    QPainterPath back;
    back.moveTo(3, 26);
    back.lineTo(3, 6);
    back.lineTo(12, 6);
    back.lineTo(15, 9);
    back.lineTo(26, 9);
    back.lineTo(26, 13);
    p.drawPath(back);
    p.setBrush(Qt::white);
    QPainterPath front;
    front.moveTo(3, 26);
    front.lineTo(8, 14);
    front.lineTo(30, 14);
    front.lineTo(25, 26);
    front.closeSubpath();
    p.drawPath(front);
}

void drawSaveDoc(QPainter &p)
{
    p.setPen(pen());
    p.setBrush(wash);
    QPainterPath body;
    body.moveTo(4, 4);
    body.lineTo(24, 4);
    body.lineTo(28, 8);
    body.lineTo(28, 28);
    body.lineTo(4, 28);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 4, 13, 8));
    p.drawRect(QRectF(8, 17, 16, 11));
    p.setPen(pen(deep));
    p.drawLine(QPointF(18, 6.5), QPointF(18, 9.5));
}

void drawBase(QPainter &p)
{
    // A clipboard with data lines: the basic information of a project.
    p.setPen(pen());
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(6, 5, 20, 24), 2, 2);
    p.setBrush(wash);
    p.drawRoundedRect(QRectF(11, 3, 10, 5), 1.5, 1.5);
    p.setPen(pen(deep));
    for (int k = 0; k < 3; ++k) {
        const double y = 14 + 5 * k;
        p.drawPoint(QPointF(10.5, y));
        p.drawLine(QPointF(14, y), QPointF(22, y));
    }
}

void drawPile(QPainter &p)
{
    // Ground with a pile set into it.
    p.setPen(pen(deep));
    p.drawLine(QPointF(2, 9), QPointF(30, 9));
    for (int k = 0; k < 4; ++k) {
        if (k != 2)
            p.drawLine(QPointF(6 + 7 * k, 9), QPointF(2 + 7 * k, 14));
    }
    p.setPen(pen());
    p.setBrush(wash);
    p.drawRect(QRectF(12, 3, 8, 26));
}

void drawSoil(QPainter &p)
{
    p.setPen(pen());
    p.setBrush(wash);
    p.drawRect(QRectF(3, 4, 26, 24));
    p.setPen(pen(deep));
    for (int k = 0; k < 2; ++k) {
        const double y = 11 + 8 * k;
        QPainterPath wave;
        wave.moveTo(3, y);
        wave.cubicTo(10, y - 3, 14, y + 3, 20, y);
        wave.cubicTo(24, y - 2, 27, y + 1, 29, y);
        p.drawPath(wave);
    }
    p.setPen(pen(deep, 0.8));
    p.drawPoint(QPointF(9, 24));
    p.drawPoint(QPointF(16, 25));
    p.drawPoint(QPointF(23, 23.5));
}

void drawAnchor(QPainter &p)
{
    // Wall on the left, an inclined anchor with its thick bond length.
    p.setPen(pen());
    p.setBrush(wash);
    p.drawRect(QRectF(3, 3, 6, 26));
    p.setPen(pen(deep));
    p.drawLine(QPointF(9, 10), QPointF(19, 16));
    QPen bond = pen(accent, 2.2);
    p.setPen(bond);
    p.drawLine(QPointF(19, 16), QPointF(28, 21.4));
    p.setPen(pen(deep));
    p.drawLine(QPointF(6, 7), QPointF(6, 13));
}

void drawAction(QPainter &p)
{
    // Additional forces: a point force and a distributed load on a member.
    p.setPen(pen());
    p.setBrush(wash);
    p.drawRect(QRectF(21, 3, 7, 26));
    p.setPen(pen(deep));
    arrow(p, QPointF(3, 8), QPointF(20, 8), 6.5);
    p.setPen(pen(deep, 0.8));
    p.drawLine(QPointF(6, 15), QPointF(12, 27));
    arrow(p, QPointF(6, 15), QPointF(20, 15), 4.5);
    arrow(p, QPointF(9, 21), QPointF(20, 21), 4.5);
    arrow(p, QPointF(12, 27), QPointF(20, 27), 4.5);
}

void drawAns(QPainter &p)
{
    p.setPen(pen());
    p.setBrush(wash);
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setPen(pen(deep));
    p.setBrush(deep);
    QPolygonF play;
    play << QPointF(13, 9.5) << QPointF(22, 16) << QPointF(13, 22.5);
    p.drawPolygon(play);
}

void drawDisplace(QPainter &p)
{
    p.setPen(QPen(deep, lw * 0.8, Qt::DashLine, Qt::RoundCap));
    p.drawLine(QPointF(9, 3), QPointF(9, 29));
    p.setPen(pen(accent, 1.2));
    QPainterPath curve;
    curve.moveTo(24, 3);
    curve.cubicTo(21, 15, 12, 21, 9, 29);
    p.drawPath(curve);
}

void drawMoment(QPainter &p)
{
    pileAxis(p);
    QPainterPath d;
    d.moveTo(9, 3);
    d.cubicTo(16, 8, 28, 14, 20, 22);
    d.cubicTo(16, 26, 11, 28, 9, 29);
    p.setPen(pen());
    p.setBrush(wash);
    p.drawPath(d);
    p.setPen(pen(accent, 0.5));
    for (double y = 8; y < 27; y += 4.5)
        p.drawLine(QPointF(9, y), QPointF(y < 18 ? 9 + (y - 3) * 0.8 : 22 - (y - 18) * 1.1, y));
}

void drawShear(QPainter &p)
{
    pileAxis(p);
    p.setPen(pen());
    p.setBrush(wash);
    p.drawPolygon(QPolygonF({QPointF(9, 4), QPointF(24, 4), QPointF(24, 15), QPointF(9, 15)}));
    p.drawPolygon(QPolygonF({QPointF(9, 15), QPointF(3.5, 15), QPointF(3.5, 28), QPointF(9, 28)}));
}

void drawForce(QPainter &p)
{
    // Normal force: a member squeezed by two opposed arrows.
    p.setPen(pen());
    p.setBrush(wash);
    p.drawRect(QRectF(12, 11, 8, 18));
    p.setPen(pen(deep));
    arrow(p, QPointF(16, 1.5), QPointF(16, 10.5), 5.5);
    p.drawLine(QPointF(7, 29.5), QPointF(25, 29.5));
}

void drawReact(QPainter &p)
{
    // Soil reaction: a triangular pressure pushing on a pile.
    p.setPen(pen());
    p.setBrush(wash);
    p.drawRect(QRectF(22, 3, 6, 26));
    p.setPen(pen(deep, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(21, 4), QPointF(5, 27));
    for (int k = 0; k < 3; ++k) {
        const double y = 13 + 6.5 * k;
        const double x = 21 - (y - 4) * 16.0 / 23.0;
        arrow(p, QPointF(x, y), QPointF(21, y), 4.5);
    }
}

void drawMark(QPainter &p)
{
    // A tag: labels on the drawing.
    QPainterPath tag;
    tag.moveTo(4, 14);
    tag.lineTo(14, 4);
    tag.lineTo(27, 4);
    tag.lineTo(27, 17);
    tag.lineTo(17, 27);
    tag.closeSubpath();
    p.setPen(pen());
    p.setBrush(wash);
    p.drawPath(tag);
    p.setBrush(Qt::white);
    p.setPen(pen(deep));
    p.drawEllipse(QPointF(21, 10), 2.4, 2.4);
}

void drawAbout(QPainter &p)
{
    p.setPen(pen());
    p.setBrush(wash);
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setPen(pen(deep, 1.3));
    p.drawPoint(QPointF(16, 9.5));
    p.drawLine(QPointF(16, 14.5), QPointF(16, 23));
}

void drawReport(QPainter &p)
{
    page(p);
    p.setPen(pen(deep));
    for (int k = 0; k < 4; ++k)
        p.drawLine(QPointF(11, 13 + 4 * k), QPointF(k == 3 ? 17 : 22, 13 + 4 * k));
}

// A sheet of values with a tick: the design data.
void drawDesign(QPainter &p)
{
    page(p);
    p.setPen(pen(deep));
    p.drawLine(QPointF(11, 13), QPointF(22, 13));
    p.drawPolyline(QPolygonF({QPointF(11, 20.5), QPointF(14.5, 24), QPointF(22, 16.5)}));
}

void drawK(QPainter &p)
{
    letterIcon(p, QStringLiteral("K"));
}

void drawM(QPainter &p)
{
    letterIcon(p, QStringLiteral("m"));
}

void drawUp(QPainter &p)
{
    p.setPen(pen(accent, 1.3));
    arrow(p, QPointF(16, 28), QPointF(16, 4), 11);
}

// A hook arrow turning back to the left: the step taken back. Redo draws it
// mirrored.
void drawUndo(QPainter &p)
{
    p.setPen(pen(accent, 1.2));
    p.setBrush(Qt::NoBrush);
    QPainterPath hook;
    hook.moveTo(10, 26);
    hook.lineTo(19, 26);
    hook.cubicTo(30, 26, 30, 10, 19, 10);
    hook.lineTo(8, 10);
    p.drawPath(hook);
    arrowHead(p, QPointF(14, 10), QPointF(5, 10), 9);
}

void drawRedo(QPainter &p)
{
    p.translate(32, 0);
    p.scale(-1, 1);
    drawUndo(p);
}

void drawDelete(QPainter &p)
{
    p.setPen(pen());
    p.setBrush(wash);
    QPainterPath bin;
    bin.moveTo(8, 9);
    bin.lineTo(10, 29);
    bin.lineTo(22, 29);
    bin.lineTo(24, 9);
    p.drawPath(bin);
    p.drawLine(QPointF(5, 8), QPointF(27, 8));
    p.drawPolyline(QPolygonF({QPointF(12, 8), QPointF(13, 4), QPointF(19, 4), QPointF(20, 8)}));
    p.setPen(pen(deep, 0.8));
    p.drawLine(QPointF(13.5, 13), QPointF(14, 25));
    p.drawLine(QPointF(18.5, 13), QPointF(18, 25));
}

QImage render(const std::function<void(QPainter &)> &draw, int size)
{
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 32.0, size / 32.0);
    lw = size >= 32 ? 2.2 : 2.8;
    draw(p);
    return img;
}

QByteArray singleIco(const QImage &img)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    QImageWriter writer(&buf, "ico");
    if (!writer.write(img)) {
        std::fprintf(stderr, "ico writer: %s\n", qPrintable(writer.errorString()));
        return {};
    }
    return bytes;
}

// Joins single-image icon files into one file with several images.
QByteArray joinIco(const QList<QByteArray> &files)
{
    const int n = files.size();
    QByteArray header(6, 0);
    qToLittleEndian<quint16>(1, header.data() + 2);
    qToLittleEndian<quint16>(quint16(n), header.data() + 4);
    QByteArray entries;
    QByteArray data;
    quint32 offset = 6 + 16 * n;
    for (const QByteArray &f : files) {
        const quint32 oldOffset = qFromLittleEndian<quint32>(f.constData() + 6 + 12);
        const quint32 length = qFromLittleEndian<quint32>(f.constData() + 6 + 8);
        QByteArray entry = f.mid(6, 16);
        qToLittleEndian<quint32>(offset, entry.data() + 12);
        entries += entry;
        data += f.mid(int(oldOffset), int(length));
        offset += length;
    }
    return header + entries + data;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QImage aboutImage()
{
    // An elevation of a retained slope with a pile and an anchor.
    const int w = 244, h = 268;
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(w / 122.0, h / 134.0);

    QPainterPath slope;
    slope.moveTo(0, 78);
    slope.lineTo(46, 78);
    slope.lineTo(46, 40);
    slope.lineTo(80, 40);
    slope.lineTo(122, 14);
    slope.lineTo(122, 134);
    slope.lineTo(0, 134);
    slope.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(36, 161, 254, 40));
    p.drawPath(slope);
    p.setPen(QPen(QColor(36, 161, 254), 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF(
        {QPointF(0, 78), QPointF(46, 78), QPointF(46, 40), QPointF(80, 40), QPointF(122, 14)}));

    QPen slide(QColor(220, 60, 60), 1.4, Qt::DashLine);
    p.setPen(slide);
    QPainterPath surface;
    surface.moveTo(46, 84);
    surface.cubicTo(70, 90, 100, 70, 122, 40);
    p.drawPath(surface);

    p.setPen(QPen(QColor(18, 102, 178), 1.2));
    p.setBrush(QColor(36, 161, 254, 150));
    p.drawRect(QRectF(42, 36, 7, 86));
    p.setPen(QPen(QColor(18, 102, 178), 1.0));
    p.drawLine(QPointF(49, 50), QPointF(76, 66));
    p.setPen(QPen(QColor(18, 102, 178), 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(76, 66), QPointF(100, 80));

    p.setPen(QPen(QColor(36, 161, 254), 1.2));
    for (int k = 0; k < 4; ++k) {
        const double y = 46 + 9 * k;
        p.drawLine(QPointF(58 + 4 * k, y), QPointF(50, y));
        p.drawLine(QPointF(50, y), QPointF(53, y - 1.8));
        p.drawLine(QPointF(50, y), QPointF(53, y + 1.8));
    }
    return img;
}

// The program's icon: a tile in the accent blue with a slope, a pile set
// through it and an anchor, readable from 16 to 256 pixels.
QImage programIcon()
{
    const int size = 256;
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);

    QLinearGradient tile(0, 0, 0, 32);
    tile.setColorAt(0, accent);
    tile.setColorAt(1, deep);
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);

    // The ground: the excavation on the left, the slope on the right.
    QPainterPath ground;
    ground.moveTo(1.5, 21);
    ground.lineTo(12, 21);
    ground.lineTo(12, 13);
    ground.lineTo(18, 13);
    ground.lineTo(30.5, 6);
    ground.lineTo(30.5, 25);
    ground.quadTo(30.5, 30.5, 25, 30.5);
    ground.lineTo(7, 30.5);
    ground.quadTo(1.5, 30.5, 1.5, 25);
    ground.closeSubpath();
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawPath(ground);

    p.setBrush(Qt::white);
    p.drawRect(QRectF(10.5, 9, 3.2, 19));
    p.setPen(pen(Qt::white, 0.7));
    p.drawLine(QPointF(13.7, 14), QPointF(25, 20.5));
    p.setPen(pen(QColor(255, 214, 90), 0.8));
    p.setBrush(Qt::NoBrush);
    QPainterPath surface;
    surface.moveTo(13.7, 23.5);
    surface.cubicTo(19, 25, 26, 19, 30, 11);
    p.drawPath(surface);
    return img;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("res");
    QDir().mkpath(dir);

    const QList<QPair<const char *, std::function<void(QPainter &)>>> icons = {
        {"newdoc", drawNewDoc},
        {"opendoc", drawOpenDoc},
        {"savedoc", drawSaveDoc},
        {"base", drawBase},
        {"pile", drawPile},
        {"soil", drawSoil},
        {"anchor", drawAnchor},
        {"action", drawAction},
        {"ans", drawAns},
        {"displace", drawDisplace},
        {"monent", drawMoment},
        {"shear", drawShear},
        {"force", drawForce},
        {"react", drawReact},
        {"mark", drawMark},
        {"about", drawAbout},
        {"report", drawReport},
        {"design", drawDesign},
        {"k", drawK},
        {"m", drawM},
        {"up", drawUp},
        {"delete", drawDelete},
        {"undo", drawUndo},
        {"redo", drawRedo},
    };

    bool ok = true;
    for (const auto &icon : icons) {
        const QByteArray big = singleIco(render(icon.second, 32));
        const QByteArray small = singleIco(render(icon.second, 16));
        if (big.isEmpty() || small.isEmpty()) {
            ok = false;
            continue;
        }
        const QString path = dir + QLatin1Char('/') + QLatin1String(icon.first) + ".ico";
        ok = writeFile(path, joinIco({big, small})) && ok;
    }
    ok = aboutImage().save(dir + QStringLiteral("/about.png")) && ok;
    ok = programIcon().save(dir + QStringLiteral("/ridezu.png")) && ok;
    return ok ? 0 : 1;
}
