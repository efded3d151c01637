// The PDF layout of the report: A4 portrait, a running header, page numbers
// "第 n 页 共 N 页", tables that continue on the next page under their
// repeated header row, figures drawn as vectors.
//
// The layout runs twice over the same content: a first pass only measures
// and counts the pages, the second paints them with the total known. Every
// decision (where a page breaks) is made by the same code in both passes.

#include "report/reportwriter.h"

#include "buildinfo.h"
#include "report/figure.h"
#include "view/fonts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

namespace {

// Device units per inch; text and lines are placed in these.
constexpr int RESOLUTION = 1200;
// Smallest font size of a figure's labels on paper (mm): about 7 points.
constexpr double MINLABEL = 2.5;
// A figure is drawn down to this part of its size to fit below a heading or
// what else stands on its page.
constexpr double SHRINK = 0.75;
// The drawing's lines are given in screen pixels; on paper one of them is
// 1/144 inch (0.18 mm), the model lines two of them.
constexpr double FIGUREPIXELSPERINCH = 144.0;

const QColor headerFill(36, 161, 254, 50);
const QColor gridColour(140, 140, 140);
const QColor noteColour(90, 90, 90);

class PdfLayout
{
    Q_DECLARE_TR_FUNCTIONS(ReportWriter)

public:
    PdfLayout(QPdfWriter &writer, const Project &doc, const ReportContent &content,
        const DisplaySettings &figures)
        : m_writer(writer)
        , m_doc(doc)
        , m_content(content)
        , m_figures(figures)
    {
        const QSizeF page = writer.pageLayout().fullRectPixels(RESOLUTION).size();
        m_left = mm(20.0);
        m_right = page.width() - mm(20.0);
        m_top = mm(22.0);
        m_bottom = page.height() - mm(20.0);
        m_pageHeight = page.height();
        m_figures.pixelRatio = RESOLUTION / FIGUREPIXELSPERINCH;

        m_body = font(9.5);
        m_small = font(8.0);
        m_cell = font(8.5);
        m_cellBold = font(8.5, true);
        m_caption = font(9.5, true);
        m_heading1 = font(14.0, true);
        m_heading2 = font(11.0, true);
        m_title = font(22.0, true);
    }

    // Lays the report out: measures only without a painter. Returns the
    // number of pages.
    int run(QPainter *painter, int pages)
    {
        m_painter = painter;
        m_pages = pages;
        m_page = 0;
        startPage();
        title();
        const QList<ReportBlock> &blocks = m_content.blocks;
        for (qsizetype n = 0; n < blocks.size(); ++n) {
            const ReportBlock &b = blocks.at(n);
            switch (b.kind) {
            case ReportBlock::Heading: heading(b, lead(n)); break;
            case ReportBlock::Paragraph: paragraph(b.text, m_body, Qt::black, mm(2.5)); break;
            case ReportBlock::Table: table(b.table); break;
            case ReportBlock::Figure: figure(b); break;
            case ReportBlock::Picture: picture(b); break;
            case ReportBlock::Lines:
                for (const QString &line : b.lines)
                    paragraph(line, m_cell, Qt::black, mm(0.6));
                break;
            }
        }
        finishPage();
        return m_page;
    }

private:
    double mm(double v) const { return v * RESOLUTION / 25.4; }
    double width() const { return m_right - m_left; }

    QFont font(double points, bool bold = false) const
    {
        QFont f = programFont();
        f.setPointSizeF(points);
        f.setBold(bold);
        return f;
    }

    // Texts wrap between words (and between Chinese characters); a word
    // wider than the room breaks anywhere. A text as wide as the room or
    // narrower is not wrapped at all, so that a cell as wide as its text
    // never loses its last character to a second line.
    int wrapping(const QFont &f, double w, const QString &text) const
    {
        if (fitsOneLine(f, w, text))
            return 0;
        const QFontMetricsF metrics(f, &m_writer);
        const QRectF words =
            metrics.boundingRect(QRectF(0.0, 0.0, std::max(w, 1.0), 1e9), Qt::TextWordWrap, text);
        return words.width() <= w + 0.5 ? Qt::TextWordWrap
                                        : Qt::TextWordWrap | Qt::TextWrapAnywhere;
    }

    bool fitsOneLine(const QFont &f, double w, const QString &text) const
    {
        return !text.contains(QLatin1Char('\n')) && textWidth(f, text) <= w + 0.5;
    }

    // Height of a text wrapped into a width.
    double textHeight(const QFont &f, double w, const QString &text) const
    {
        const QFontMetricsF metrics(f, &m_writer);
        if (text.isEmpty() || fitsOneLine(f, w, text))
            return metrics.height();
        return metrics
            .boundingRect(QRectF(0.0, 0.0, std::max(w, 1.0), 1e9), wrapping(f, w, text), text)
            .height();
    }

    // The width of a text's longest line, laid out as drawText lays it out:
    // shaping may set a run of digits among Chinese characters wider than
    // the glyphs' plain advances.
    double textWidth(const QFont &f, const QString &text) const
    {
        const QFontMetricsF metrics(f, &m_writer);
        return metrics.boundingRect(QRectF(0.0, 0.0, 1e9, 1e9), Qt::AlignLeft | Qt::AlignTop, text)
            .width();
    }

    void text(const QFont &f, const QRectF &r, int flags, const QString &text,
        const QColor &colour = Qt::black)
    {
        if (!m_painter)
            return;
        m_painter->setFont(f);
        m_painter->setPen(colour);
        m_painter->drawText(r, flags | wrapping(f, r.width(), text), text);
    }

    void startPage()
    {
        if (m_painter && m_page > 0)
            m_writer.newPage();
        ++m_page;
        m_y = m_top;
        if (!m_painter)
            return;
        // Running header: the project on the left, the document on the right.
        const QRectF line(m_left, mm(10.0), width(), mm(6.0));
        text(m_small, line, Qt::AlignLeft | Qt::AlignBottom, m_doc.base.ProjectName, noteColour);
        text(m_small, line, Qt::AlignRight | Qt::AlignBottom, m_content.title, noteColour);
        m_painter->setPen(QPen(QColor(36, 161, 254), mm(0.3)));
        m_painter->drawLine(QPointF(m_left, mm(16.5)), QPointF(m_right, mm(16.5)));
    }

    void finishPage()
    {
        if (!m_painter)
            return;
        const QRectF foot(m_left, m_pageHeight - mm(14.0), width(), mm(6.0));
        text(m_small, foot, Qt::AlignHCenter | Qt::AlignVCenter,
            tr("第 %1 页 共 %2 页").arg(m_page).arg(m_pages), noteColour);
    }

    // Starts a new page unless `height` fits below the current position.
    void room(double height)
    {
        if (m_y + height > m_bottom && m_y > m_top) {
            finishPage();
            startPage();
        }
    }

    void title()
    {
        const double h = textHeight(m_title, width(), m_content.title);
        m_y += mm(8.0);
        text(m_title, QRectF(m_left, m_y, width(), h), Qt::AlignHCenter, m_content.title);
        m_y += h + mm(8.0);
        // The title block: a label and its value per line, no grid.
        const double labelWidth = mm(30.0);
        const double x = m_left + mm(30.0);
        for (const auto &item : m_content.titleBlock) {
            const double rowHeight =
                std::max(textHeight(m_body, width() - labelWidth - mm(30.0), item.second),
                    textHeight(m_body, labelWidth, item.first))
                + mm(1.8);
            text(m_body, QRectF(x, m_y, labelWidth, rowHeight), Qt::AlignLeft, item.first,
                noteColour);
            text(m_body, QRectF(x + labelWidth, m_y, width() - labelWidth - mm(30.0), rowHeight),
                Qt::AlignLeft, item.second);
            m_y += rowHeight;
        }
        m_y += mm(4.0);
    }

    QFont headingFont(int level) const { return level == 1 ? m_heading1 : m_heading2; }
    double headingSpace(int level) const { return level == 1 ? mm(6.0) : mm(3.5); }

    // The height from the heading at `index` down to the first line of what
    // follows it, over any headings in between: a heading never stands
    // alone at the foot of a page.
    double lead(qsizetype index) const
    {
        double h = 0.0;
        const QList<ReportBlock> &blocks = m_content.blocks;
        for (qsizetype n = index; n < blocks.size(); ++n) {
            const ReportBlock &b = blocks.at(n);
            switch (b.kind) {
            case ReportBlock::Heading:
                h += headingSpace(b.level) + textHeight(headingFont(b.level), width(), b.text)
                    + mm(2.0);
                continue;
            case ReportBlock::Paragraph: return h + textHeight(m_body, width(), b.text);
            case ReportBlock::Table: {
                const ReportTable &t = b.table;
                const QList<double> widths = columnWidths(t);
                h += textHeight(m_caption, width(), t.caption) + mm(1.0)
                    + rowHeight(t.header, widths, m_cellBold);
                return t.rows.isEmpty() ? h : h + rowHeight(t.rows.first(), widths, m_cell);
            }
            case ReportBlock::Figure: return h + SHRINK * figureSize(b).height() + captionSpace(b);
            case ReportBlock::Picture: return h + pictureSize(b).height() + captionSpace(b);
            case ReportBlock::Lines:
                return b.lines.isEmpty() ? h : h + textHeight(m_cell, width(), b.lines.first());
            }
        }
        return h;
    }

    void heading(const ReportBlock &b, double lead)
    {
        const QFont f = headingFont(b.level);
        const double h = textHeight(f, width(), b.text);
        room(lead);
        if (m_y > m_top)
            m_y += headingSpace(b.level);
        text(f, QRectF(m_left, m_y, width(), h), Qt::AlignLeft, b.text);
        m_y += h + mm(2.0);
    }

    void paragraph(const QString &s, const QFont &f, const QColor &colour, double after)
    {
        const double h = textHeight(f, width(), s);
        room(h);
        text(f, QRectF(m_left, m_y, width(), h), Qt::AlignLeft, s, colour);
        m_y += h + after;
    }

    // Column widths that fill the text width: each column as wide as its
    // widest cell and header; where that is too wide, headers wrap first,
    // then cells.
    QList<double> columnWidths(const ReportTable &t) const
    {
        const int columns = int(t.header.size());
        const double pad = 2.0 * mm(1.2);
        QList<double> cells(columns, 0.0);
        QList<double> wanted(columns, 0.0);
        for (int c = 0; c < columns; ++c) {
            for (const QStringList &row : t.rows) {
                if (c < row.size())
                    cells[c] = std::max(cells[c], textWidth(m_cell, row.at(c)) + pad);
            }
            wanted[c] = std::max(cells[c], textWidth(m_cellBold, t.header.at(c)) + pad);
            cells[c] = std::max(cells[c], mm(8.0));
            wanted[c] = std::max(wanted[c], cells[c]);
        }
        double sumWanted = 0.0;
        double sumCells = 0.0;
        for (int c = 0; c < columns; ++c) {
            sumWanted += wanted[c];
            sumCells += cells[c];
        }
        QList<double> widths(columns, 0.0);
        if (sumWanted <= width()) {
            for (int c = 0; c < columns; ++c)
                widths[c] = wanted[c] * width() / sumWanted;
        } else if (sumCells <= width()) {
            const double extra = width() - sumCells;
            for (int c = 0; c < columns; ++c)
                widths[c] = cells[c] + extra * (wanted[c] - cells[c]) / (sumWanted - sumCells);
        } else {
            for (int c = 0; c < columns; ++c)
                widths[c] = cells[c] * width() / sumCells;
        }
        return widths;
    }

    double rowHeight(const QStringList &row, const QList<double> &widths, const QFont &f) const
    {
        double h = 0.0;
        for (qsizetype c = 0; c < row.size() && c < widths.size(); ++c)
            h = std::max(h, textHeight(f, widths[c] - 2.0 * mm(1.2), row.at(c)));
        return h + 2.0 * mm(0.6);
    }

    void drawRow(const QStringList &row, const QList<double> &widths, double h, bool header,
        const QList<bool> &numeric)
    {
        if (!m_painter)
            return;
        double x = m_left;
        if (header)
            m_painter->fillRect(QRectF(m_left, m_y, width(), h), headerFill);
        m_painter->setPen(QPen(gridColour, mm(0.15)));
        m_painter->setBrush(Qt::NoBrush);
        for (qsizetype c = 0; c < widths.size(); ++c) {
            const QRectF cell(x, m_y, widths[c], h);
            m_painter->drawRect(cell);
            if (c < row.size()) {
                int align = Qt::AlignVCenter;
                if (header)
                    align |= Qt::AlignHCenter;
                else
                    align |= c < numeric.size() && numeric.at(c) ? Qt::AlignRight : Qt::AlignLeft;
                text(header ? m_cellBold : m_cell,
                    cell.adjusted(mm(1.2), mm(0.6), -mm(1.2), -mm(0.6)), align, row.at(c));
                m_painter->setPen(QPen(gridColour, mm(0.15)));
            }
            x += widths[c];
        }
    }

    void table(const ReportTable &t)
    {
        if (t.header.isEmpty())
            return;
        const QList<double> widths = columnWidths(t);
        const double headerHeight = rowHeight(t.header, widths, m_cellBold);
        const auto caption = [&](bool continued) {
            const QString s = continued ? tr("%1（续）").arg(t.caption) : t.caption;
            const double h = textHeight(m_caption, width(), s);
            text(m_caption, QRectF(m_left, m_y, width(), h), Qt::AlignHCenter, s);
            m_y += h + mm(1.0);
            drawRow(t.header, widths, headerHeight, true, t.numeric);
            m_y += headerHeight;
        };
        const double captionHeight = textHeight(m_caption, width(), t.caption) + mm(1.0);
        const double first = t.rows.isEmpty() ? 0.0 : rowHeight(t.rows.first(), widths, m_cell);
        room(captionHeight + headerHeight + first);
        caption(false);
        // The note stays with the last row.
        const double note = t.note.isEmpty() ? 0.0 : mm(1.5) + textHeight(m_small, width(), t.note);
        for (qsizetype n = 0; n < t.rows.size(); ++n) {
            const QStringList &row = t.rows.at(n);
            const double h = rowHeight(row, widths, m_cell);
            const double below = n + 1 == t.rows.size() ? note : 0.0;
            if (m_y + h + below > m_bottom) {
                finishPage();
                startPage();
                caption(true);
            }
            drawRow(row, widths, h, false, t.numeric);
            m_y += h;
        }
        m_y += mm(1.5);
        if (!t.note.isEmpty())
            paragraph(t.note, m_small, noteColour, 0.0);
        m_y += mm(3.0);
    }

    DisplaySettings figureSettings(const ReportBlock &b) const
    {
        DisplaySettings display = m_figures;
        display.status = b.status;
        display.unitNotes = false; // the caption gives the units
        return display;
    }

    // A figure is as wide as the text, less wide where a tall drawing would
    // not leave room for its caption on an empty page.
    QSizeF figureSize(const ReportBlock &b) const
    {
        const double aspect = figureAspect(m_doc, figureSettings(b));
        const double captionHeight = textHeight(m_caption, width(), b.text);
        const double most = (m_bottom - m_top) - captionHeight - mm(8.0);
        double w = width();
        double h = w * aspect;
        if (h > most) {
            h = most;
            w = h / aspect;
        }
        return QSizeF(w, h);
    }

    double captionSpace(const ReportBlock &b) const
    {
        return textHeight(m_caption, width(), b.text) + mm(7.5);
    }

    void figure(const ReportBlock &b)
    {
        QSizeF size = figureSize(b);
        const double caption = captionSpace(b);
        // A figure that nearly fits below what stands on the page is drawn
        // a little smaller rather than leaving the rest of the page empty.
        const double left = m_bottom - m_y - caption;
        if (size.height() > left && left >= SHRINK * size.height())
            size *= left / size.height();
        room(size.height() + caption);
        m_y += mm(1.0);
        if (m_painter) {
            paintFigure(*m_painter,
                QRectF(QPointF(m_left + (width() - size.width()) / 2.0, m_y), size), m_doc,
                figureSettings(b), mm(MINLABEL));
        }
        m_y += size.height() + mm(1.5);
        const double captionHeight = textHeight(m_caption, width(), b.text);
        text(m_caption, QRectF(m_left, m_y, width(), captionHeight), Qt::AlignHCenter, b.text);
        m_y += captionHeight + mm(5.0);
    }

    // A picture is as wide as the text, or as wide as its proportions let
    // it stand with its caption on an empty page.
    QSizeF pictureSize(const ReportBlock &b) const
    {
        const QSizeF box = QSvgRenderer(b.svg).viewBoxF().size();
        const double aspect =
            box.width() > 0.0 && box.height() > 0.0 ? box.height() / box.width() : 0.6;
        const double most = (m_bottom - m_top) - captionSpace(b) - mm(8.0);
        const double w = std::min(width(), most / aspect);
        return QSizeF(w, w * aspect);
    }

    void picture(const ReportBlock &b)
    {
        const QSizeF size = pictureSize(b);
        room(size.height() + captionSpace(b));
        m_y += mm(1.0);
        if (m_painter) {
            QSvgRenderer renderer(b.svg);
            m_painter->save();
            renderer.render(
                m_painter, QRectF(QPointF(m_left + (width() - size.width()) / 2.0, m_y), size));
            m_painter->restore();
        }
        m_y += size.height() + mm(1.5);
        const double captionHeight = textHeight(m_caption, width(), b.text);
        text(m_caption, QRectF(m_left, m_y, width(), captionHeight), Qt::AlignHCenter, b.text);
        m_y += captionHeight + mm(5.0);
    }

    QPdfWriter &m_writer;
    const Project &m_doc;
    const ReportContent &m_content;
    DisplaySettings m_figures;
    QPainter *m_painter = nullptr;
    int m_pages = 0;
    int m_page = 0;
    double m_y = 0.0;
    double m_left = 0.0;
    double m_right = 0.0;
    double m_top = 0.0;
    double m_bottom = 0.0;
    double m_pageHeight = 0.0;
    QFont m_body, m_small, m_cell, m_cellBold, m_caption, m_heading1, m_heading2, m_title;
};

} // namespace

bool ReportWriter::writePdf(const Project &doc, const ReportContent &content,
    const DisplaySettings &figures, QIODevice *device)
{
    QPdfWriter writer(device);
    writer.setResolution(RESOLUTION);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
        QMarginsF(0.0, 0.0, 0.0, 0.0), QPageLayout::Millimeter));
    writer.setTitle(QStringLiteral("%1 - %2").arg(content.title, doc.base.ProjectName));
    writer.setCreator(QStringLiteral("%1 V%2").arg(
        QString::fromUtf8(RIDEZU_PROGRAM_NAME), QStringLiteral(RIDEZU_VERSION)));

    PdfLayout layout(writer, doc, content, figures);
    const int pages = layout.run(nullptr, 0);
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    layout.run(&painter, pages);
    return painter.end();
}
