// Writing a report file, and its HTML layout.

#include "report/reportwriter.h"

#include "report/figure.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

namespace {

// Largest width and height of a figure on the HTML page (CSS pixels); its
// image has twice as many pixels, so it stays sharp on fine screens and on
// paper.
constexpr int HTMLFIGUREWIDTH = 860;
constexpr int HTMLFIGUREHEIGHT = 900;

QString esc(const QString &text)
{
    return text.toHtmlEscaped();
}

const char *const htmlStyle = R"(
body{font-family:"Microsoft YaHei UI","Microsoft YaHei","WenQuanYi Micro Hei","WenQuanYi Zen Hei",
 "Noto Sans CJK SC","Noto Sans SC","Source Han Sans SC",sans-serif;max-width:920px;margin:2em auto;
 padding:0 1em;color:#000;font-size:14px;line-height:1.45}
h1{text-align:center;font-size:26px;margin:.5em 0}
h2{font-size:19px;margin:1.6em 0 .6em;padding-bottom:.2em;border-bottom:2px solid rgba(36,161,254,.6)}
h3{font-size:16px;margin:1.2em 0 .5em}
table{border-collapse:collapse;width:100%;margin:.4em 0 .3em}
caption{font-weight:bold;padding:.3em}
th,td{border:1px solid #999;padding:2px 6px}
th{background:rgba(36,161,254,.2);font-weight:bold}
td.n{text-align:right;font-variant-numeric:tabular-nums;white-space:nowrap}
table.title td{border:none;padding:3px 8px}
table.title td:first-child{width:8em;color:#444}
.note{color:#555;font-size:12px;margin:.2em 0 1.2em}
figure{margin:1em 0 1.5em;text-align:center}
figure img{max-width:100%;height:auto}
figcaption{font-weight:bold;margin-top:.3em}
pre{white-space:pre-wrap;font-family:inherit;font-size:13px}
@media print{thead{display:table-header-group}tr,figure{break-inside:avoid}h2,h3{break-after:avoid}}
)";

QString htmlTable(const ReportTable &t)
{
    QString out = QStringLiteral("<table>\n<caption>%1</caption>\n<thead><tr>").arg(esc(t.caption));
    for (const QString &h : t.header)
        out += QStringLiteral("<th>%1</th>").arg(esc(h));
    out += QStringLiteral("</tr></thead>\n<tbody>\n");
    for (const QStringList &row : t.rows) {
        out += QStringLiteral("<tr>");
        for (qsizetype c = 0; c < row.size(); ++c) {
            const bool numeric = c < t.numeric.size() && t.numeric.at(c);
            out += numeric ? QStringLiteral("<td class=\"n\">%1</td>").arg(esc(row.at(c)))
                           : QStringLiteral("<td>%1</td>").arg(esc(row.at(c)));
        }
        out += QStringLiteral("</tr>\n");
    }
    out += QStringLiteral("</tbody>\n</table>\n");
    if (!t.note.isEmpty())
        out += QStringLiteral("<p class=\"note\">%1</p>\n").arg(esc(t.note));
    return out;
}

// An image of twice the shown size, inline as PNG, with its caption.
QString htmlImage(const QImage &image, int width, int height, const QString &caption)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("<figure><img src=\"data:image/png;base64,%1\" width=\"%2\" "
                          "height=\"%3\" alt=\"%4\"><figcaption>%4</figcaption></figure>\n")
        .arg(QString::fromLatin1(png.toBase64()))
        .arg(width)
        .arg(height)
        .arg(esc(caption));
}

QString htmlFigure(const Project &doc, const ReportBlock &b, DisplaySettings display)
{
    display.status = b.status;
    display.pixelRatio = 2.0;
    display.unitNotes = false; // the caption gives the units
    const double aspect = figureAspect(doc, display);
    const int width = std::min(HTMLFIGUREWIDTH, int(HTMLFIGUREHEIGHT / aspect));
    // Labels at least 9 CSS pixels high.
    const QImage image = figureImage(doc, display, 2 * width, 18.0);
    return htmlImage(image, width, image.height() / 2, b.text);
}

// A picture is drawn into a PNG image like the figures: a browser would
// set the SVG document's texts in fonts of its own, and misplace them.
QString htmlPicture(const ReportBlock &b)
{
    QSvgRenderer renderer(b.svg);
    const QSizeF box = renderer.viewBoxF().size();
    const double aspect =
        box.width() > 0.0 && box.height() > 0.0 ? box.height() / box.width() : 0.6;
    const int width = std::min(HTMLFIGUREWIDTH, int(HTMLFIGUREHEIGHT / aspect));
    const int height = std::max(1, int(std::lround(width * aspect)));
    QImage image(2 * width, 2 * height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        renderer.render(&painter, QRectF(image.rect()));
    }
    return htmlImage(image, width, height, b.text);
}

} // namespace

ReportWriter::Format ReportWriter::formatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("pdf"))
        return Format::Pdf;
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return Format::Html;
    return Format::Unknown;
}

QString ReportWriter::write(const Document &doc, const QString &path, const QString &fileName,
    const DisplaySettings &figures, const StudyReport *study)
{
    const Format format = formatOf(path);
    if (format == Format::Unknown)
        return tr("计算书只能保存为PDF或HTML文件：%1").arg(QDir::toNativeSeparators(path));
    const AnalysisResult result = doc.analysisResult();
    if (!result.valid)
        return ReportBuilder::noResults();
    const Project &project = doc.project();
    const ReportContent content =
        ReportBuilder::build(project, result, fileName, QDate::currentDate(), study);

    const QString failed = tr("无法写入文件%1").arg(QDir::toNativeSeparators(path));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed;
    bool written = false;
    if (format == Format::Pdf) {
        written = writePdf(project, content, figures, &file);
    } else {
        const QByteArray bytes = html(project, content, figures);
        written = file.write(bytes) == bytes.size();
    }
    if (!written || !file.commit())
        return failed;
    return QString();
}

QByteArray ReportWriter::html(
    const Project &doc, const ReportContent &content, const DisplaySettings &figures)
{
    QString out =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n"
                       "<meta charset=\"utf-8\">\n<title>%1 - %2</title>\n"
                       "<style>%3</style>\n</head>\n<body>\n")
            .arg(esc(content.title), esc(doc.base.ProjectName), QString::fromUtf8(htmlStyle));
    out += QStringLiteral("<h1>%1</h1>\n<table class=\"title\">\n").arg(esc(content.title));
    for (const auto &item : content.titleBlock)
        out += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>\n")
                   .arg(esc(item.first), esc(item.second));
    out += QStringLiteral("</table>\n");

    for (const ReportBlock &b : content.blocks) {
        switch (b.kind) {
        case ReportBlock::Heading:
            out += QStringLiteral("<h%1>%2</h%1>\n").arg(b.level + 1).arg(esc(b.text));
            break;
        case ReportBlock::Paragraph: out += QStringLiteral("<p>%1</p>\n").arg(esc(b.text)); break;
        case ReportBlock::Table: out += htmlTable(b.table); break;
        case ReportBlock::Figure: out += htmlFigure(doc, b, figures); break;
        case ReportBlock::Picture: out += htmlPicture(b); break;
        case ReportBlock::Lines:
            out += QStringLiteral("<pre>%1</pre>\n").arg(esc(b.lines.join(QLatin1Char('\n'))));
            break;
        }
    }
    out += QStringLiteral("</body>\n</html>\n");
    return out.toUtf8();
}
