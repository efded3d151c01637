#include "view/labelplacement.h"

#include "view/fonts.h"

#include <QHash>
#include <QMap>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Boxes are looked up in a grid of square cells at least as large as any
// box, so that a box meets at most four cells and the rule stays quick on
// thousands of labels.
class BoxGrid
{
public:
    explicit BoxGrid(double cell)
        : m_cell(cell > 0.0 && std::isfinite(cell) ? cell : 1.0)
    { }

    bool overlapsAny(const QRectF &box) const
    {
        bool found = false;
        forCells(box, [&](const Key &key) {
            const auto it = m_cells.constFind(key);
            if (it == m_cells.cend())
                return;
            for (const QRectF &other : *it)
                found = found || box.intersects(other);
        });
        return found;
    }

    void add(const QRectF &box)
    {
        forCells(box, [&](const Key &key) { m_cells[key].append(box); });
    }

private:
    using Key = std::pair<qint64, qint64>;

    qint64 cellOf(double v) const
    {
        const double c = std::floor(v / m_cell);
        if (!std::isfinite(c))
            return 0;
        return qint64(std::clamp(c, -1e9, 1e9));
    }

    template <class F> void forCells(const QRectF &box, F f) const
    {
        const qint64 x0 = cellOf(box.left());
        const qint64 x1 = std::max(x0, std::min(cellOf(box.right()), x0 + 1));
        const qint64 y0 = cellOf(box.top());
        const qint64 y1 = std::max(y0, std::min(cellOf(box.bottom()), y0 + 1));
        for (qint64 x = x0; x <= x1; ++x) {
            for (qint64 y = y0; y <= y1; ++y)
                f(Key(x, y));
        }
    }

    double m_cell;
    QHash<Key, QList<QRectF>> m_cells;
};

} // namespace

QPointF labelOrigin(const QFontMetricsF &metrics, const QString &text, int alignment)
{
    const QRectF r = metrics.boundingRect(text);
    double dx = 0.0;
    if (alignment & Qt::AlignHCenter)
        dx = -r.width() / 2.0;
    else if (alignment & Qt::AlignRight)
        dx = -r.width();
    double dy = 0.0;
    if (alignment & Qt::AlignVCenter)
        dy = metrics.height() / 2.0 - metrics.descent();
    else if (alignment & Qt::AlignTop)
        dy = metrics.height() - 1.5 * metrics.descent();
    else if (alignment & Qt::AlignBottom)
        dy = -metrics.descent() / 2.0;
    return QPointF(dx, dy);
}

QList<QRectF> labelBoxes(const QList<ResultLabel> &labels, const QStringList &texts, int pixelSize)
{
    QFont font = programFont();
    font.setPixelSize(std::max(pixelSize, 1));
    const QFontMetricsF metrics(font);
    QList<QRectF> boxes;
    boxes.reserve(labels.size());
    for (qsizetype n = 0; n < labels.size(); ++n) {
        const QString text = texts.value(n);
        // The text box in label units (1 cm, y down), then in model metres.
        const QRectF r = metrics.boundingRect(text).translated(
            labelOrigin(metrics, text, labels.at(n).alignment));
        const QPointF p = labels.at(n).point;
        boxes.append(QRectF(QPointF(p.x() + 0.01 * r.left(), p.y() - 0.01 * r.bottom()),
            QPointF(p.x() + 0.01 * r.right(), p.y() - 0.01 * r.top())));
    }
    return boxes;
}

QList<bool> labelsShown(const QList<ResultLabel> &labels, const QList<QRectF> &boxes)
{
    const qsizetype count = std::min(labels.size(), boxes.size());
    QList<bool> shown(labels.size(), false);

    // The extremes of each group, the first of equal values.
    QMap<qint32, std::pair<qsizetype, qsizetype>> extremes; // group -> (largest, smallest)
    for (qsizetype n = 0; n < count; ++n) {
        const double v = labels.at(n).value;
        auto it = extremes.find(labels.at(n).group);
        if (it == extremes.end()) {
            extremes.insert(labels.at(n).group, {n, n});
            continue;
        }
        if (v > labels.at(it->first).value)
            it->first = n;
        if (v < labels.at(it->second).value)
            it->second = n;
    }

    double cell = 0.0;
    for (qsizetype n = 0; n < count; ++n) {
        const QRectF &b = boxes.at(n);
        if (std::isfinite(b.width()) && std::isfinite(b.height()))
            cell = std::max({cell, b.width(), b.height()});
    }
    BoxGrid written(cell);
    for (const auto &extreme : std::as_const(extremes)) {
        for (const qsizetype n : {extreme.first, extreme.second}) {
            if (!shown.at(n))
                written.add(boxes.at(n));
            shown[n] = true;
        }
    }
    for (qsizetype n = 0; n < count; ++n) {
        if (shown.at(n) || written.overlapsAny(boxes.at(n)))
            continue;
        shown[n] = true;
        written.add(boxes.at(n));
    }
    return shown;
}
