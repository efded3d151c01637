#include "dialogs/study/studychart.h"

#include "model/codes.h"

#include <QApplication>
#include <QAreaSeries>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QFontInfo>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QSvgGenerator>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// One colour per kind of value; green is the shading's.
const QColor SERIESCOLOURS[] = {QColor(31, 119, 180), QColor(214, 39, 40), QColor(148, 103, 189),
    QColor(255, 127, 14), QColor(140, 86, 75)};
const QColor PASSFILL(46, 204, 113, 60);
const QColor MARKCOLOUR(30, 130, 76);

QString pileName(int pile)
{
    return CodeText::carrier(pile == 0 ? OBJPILE : OBJBACKPILE, DOUBLEROW);
}

// The runs of passing variants as [from, to] of the axis: each variant
// stands for half a step on either side.
QList<QPair<double, double>> passingRuns(
    const StudyDefinition &def, const StudyOutcome &outcome, double low, double high)
{
    QList<QPair<double, double>> runs;
    const QList<StudyRow> &rows = outcome.rows;
    const double half = def.step / 2.0;
    for (qsizetype n = 0; n < rows.size(); ++n) {
        if (!rows[n].passes())
            continue;
        qsizetype last = n;
        while (last + 1 < rows.size() && rows[last + 1].passes())
            ++last;
        runs.append({std::max(low, rows[n].value - half), std::min(high, rows[last].value + half)});
        n = last;
    }
    return runs;
}

// The texts of the chart in one installed face, named as it is found: an
// SVG document names the face of each text, and a face reached through
// substitutes would be set differently by whoever draws the document,
// splitting and misplacing the texts where the faces change.
QFont chartFont(double scale = 1.0, bool bold = false)
{
    const QFont app = QApplication::font();
    QFont font(QFontInfo(app).family());
    font.setPointSizeF(app.pointSizeF() * scale);
    font.setBold(bold);
    return font;
}

void setFonts(QAbstractAxis *axis)
{
    axis->setLabelsFont(chartFont());
    axis->setTitleFont(chartFont(1.0, true));
}

} // namespace

QList<StudyTable::Column> StudyChart::columns()
{
    return {StudyTable::Column::Moment, StudyTable::Column::Shear, StudyTable::Column::Top,
        StudyTable::Column::Slip, StudyTable::Column::Steel};
}

QString StudyChart::columnLabel(StudyTable::Column column)
{
    switch (column) {
    case StudyTable::Column::Moment: return tr("|M|max");
    case StudyTable::Column::Shear: return tr("|V|max");
    case StudyTable::Column::Top: return tr("桩顶位移");
    case StudyTable::Column::Slip: return tr("滑面处位移");
    case StudyTable::Column::Steel: return tr("纵筋As");
    case StudyTable::Column::Bars: return tr("纵筋根数");
    }
    return QString();
}

QChart *StudyChart::make(const StudyDefinition &def, const StudyOutcome &outcome,
    const QList<StudyTable::Column> &columns)
{
    auto *chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setBackgroundRoundness(0);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(chartFont());
    chart->setTitleFont(chartFont(1.2, true));
    const QString name = StudyText::name(def.parameter);
    chart->setTitle(tr("参数分析：%1").arg(name));

    // The range of the values studied.
    const QList<double> values = studyValues(def);
    double low = values.isEmpty() ? def.from : values.first();
    double high = values.isEmpty() ? def.to : values.last();
    if (!(high > low)) {
        const double pad = def.step > 0.0 ? def.step : 1.0;
        low -= pad;
        high += pad;
    }
    auto *x = new QValueAxis;
    x->setTitleText(QStringLiteral("%1(%2)").arg(name, StudyText::unit(def.parameter)));
    x->setRange(low, high);
    x->setLabelFormat(QStringLiteral("%g"));
    setFonts(x);
    // Ticks on the values studied, about ten of them.
    if (def.step > 0.0 && values.size() > 1) {
        x->setTickType(QValueAxis::TicksDynamic);
        x->setTickAnchor(low);
        x->setTickInterval(def.step * std::ceil(double(values.size() - 1) / 10.0));
    }
    chart->addAxis(x, Qt::AlignBottom);

    // The shading and the mark stand on an axis of their own, 0 to 1 high.
    auto *band = new QValueAxis;
    band->setRange(0.0, 1.0);
    band->setVisible(false);
    chart->addAxis(band, Qt::AlignLeft);
    const QList<QPair<double, double>> runs = passingRuns(def, outcome, low, high);
    if (!runs.isEmpty()) {
        auto *area = new QAreaSeries;
        auto *upper = new QLineSeries(area);
        for (const auto &run : runs)
            upper->append(
                {{run.first, 0.0}, {run.first, 1.0}, {run.second, 1.0}, {run.second, 0.0}});
        area->setUpperSeries(upper);
        area->setName(tr("满足全部验算"));
        area->setBrush(PASSFILL);
        area->setPen(Qt::NoPen);
        chart->addSeries(area);
        area->attachAxis(x);
        area->attachAxis(band);
    }

    // One axis per kind of value, left and right in turn.
    const int piles = outcome.doubleRow ? 2 : 1;
    int drawn = 0;
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const StudyTable::Column column = columns[c];
        const QColor colour = SERIESCOLOURS[c % std::size(SERIESCOLOURS)];
        double most = 0.0;
        QList<QLineSeries *> lines;
        for (int pile = 0; pile < piles; ++pile) {
            auto *line = new QLineSeries;
            line->setName((outcome.doubleRow ? pileName(pile) : QString()) + columnLabel(column));
            for (const StudyRow &row : outcome.rows) {
                double v = 0.0;
                if (StudyTable::value(row, pile, column, v) && std::isfinite(v)) {
                    line->append(row.value, v);
                    most = std::max(most, v);
                }
            }
            if (line->count() == 0) {
                delete line;
                continue;
            }
            QPen pen(colour, 2.0);
            if (pile == 1)
                pen.setStyle(Qt::DashLine);
            line->setPen(pen);
            line->setPointsVisible(true);
            line->setMarkerSize(6.0);
            lines.append(line);
        }
        if (lines.isEmpty())
            continue;
        auto *y = new QValueAxis;
        y->setTitleText(StudyTable::columnName(column));
        y->setLabelFormat(QStringLiteral("%g"));
        setFonts(y);
        // The values are magnitudes: the axis starts at zero, so that the
        // lines show how much they change, not only that they do.
        y->setRange(0.0, most > 0.0 ? most : 1.0);
        y->applyNiceNumbers();
        y->setLinePenColor(colour);
        y->setLabelsColor(colour);
        y->setTitleBrush(colour);
        y->setGridLineVisible(drawn == 0);
        chart->addAxis(y, drawn % 2 == 0 ? Qt::AlignLeft : Qt::AlignRight);
        for (QLineSeries *line : lines) {
            chart->addSeries(line);
            line->attachAxis(x);
            line->attachAxis(y);
        }
        ++drawn;
    }
    if (drawn == 0)
        chart->setTitle(tr("参数分析：%1（没有可绘制的结果）").arg(name));

    // The smallest value that passes: a line across and its value at the top.
    const int first = outcome.firstPassing();
    if (first >= 0) {
        const double v = outcome.rows[first].value;
        auto *mark = new QLineSeries;
        mark->setName(StudyTable::conclusion(def, outcome));
        // The line ends under its label.
        mark->append({{v, 0.0}, {v, 0.9}});
        mark->setPen(QPen(MARKCOLOUR, 2.0, Qt::DashLine));
        chart->addSeries(mark);
        mark->attachAxis(x);
        mark->attachAxis(band);
        auto *label = new QScatterSeries;
        label->append(v, 0.9);
        label->setMarkerSize(9.0);
        label->setColor(MARKCOLOUR);
        label->setBorderColor(MARKCOLOUR);
        label->setPointLabelsFormat(StudyText::valueText(def.parameter, v));
        label->setPointLabelsColor(MARKCOLOUR);
        label->setPointLabelsFont(chartFont(1.0, true));
        label->setPointLabelsClipping(false);
        label->setPointLabelsVisible(true);
        chart->addSeries(label);
        label->attachAxis(x);
        label->attachAxis(band);
        for (QLegendMarker *marker : chart->legend()->markers(label))
            marker->setVisible(false);
    }
    return chart;
}

QByteArray StudyChart::svg(const StudyDefinition &def, const StudyOutcome &outcome,
    const QList<StudyTable::Column> &columns, const QSize &size)
{
    // A view of its own, never shown, laid out for the size asked for.
    QChartView view(make(def, outcome, columns));
    view.setRenderHint(QPainter::Antialiasing);
    view.resize(size);
    view.chart()->resize(size);
    QCoreApplication::sendPostedEvents();

    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(size);
    // Texts are laid out for the screen: the document measures them alike.
    generator.setResolution(view.logicalDpiX());
    generator.setViewBox(QRect(QPoint(0, 0), size));
    generator.setTitle(view.chart()->title());
    QPainter painter;
    if (!painter.begin(&generator))
        return QByteArray();
    view.render(&painter, QRectF(QPointF(0, 0), size), QRect(QPoint(0, 0), size));
    painter.end();
    return buffer.data();
}
