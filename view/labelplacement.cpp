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

    // The boxes a box overlaps (one that meets two cells may come twice).
    QList<QRectF> overlapping(const QRectF &box) const
    {
        QList<QRectF> found;
        forCells(box, [&](const Key &key) {
            const auto it = m_cells.constFind(key);
            if (it == m_cells.cend())
                return;
            for (const QRectF &other : *it) {
                if (box.intersects(other))
                    found.append(other);
            }
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

// Room between a label and a line it stands beside, in label heights: the
// lines are drawn a few pixels wide, and the minus sign of a value must not
// vanish under one.
constexpr double LINEGAP = 0.3;
// Room kept between two labels side by side, in label heights.
constexpr double LABELGAP = 0.2;
// How many label heights an extreme is moved up or down, at most, to find
// room; further away it would no longer be read with its ordinate.
constexpr double MAXSHIFT = 3.0;
// Places an extreme tries before it stays where it covers another label.
constexpr int MAXTRIES = 64;

bool isVertical(const QLineF &line)
{
    return std::fabs(line.x1() - line.x2()) < 1e-9 && std::fabs(line.y1() - line.y2()) >= 1e-9;
}

bool isHorizontal(const QLineF &line)
{
    return std::fabs(line.y1() - line.y2()) < 1e-9 && std::fabs(line.x1() - line.x2()) >= 1e-9;
}

// Whether a box comes closer than the gap to a vertical or horizontal line;
// lines of any other direction are not members and are not looked at.
bool crosses(const QRectF &box, const QLineF &line, double gap)
{
    const double xlo = std::min(line.x1(), line.x2());
    const double xhi = std::max(line.x1(), line.x2());
    const double ylo = std::min(line.y1(), line.y2());
    const double yhi = std::max(line.y1(), line.y2());
    if (isVertical(line)) {
        return box.left() < xlo + gap && box.right() > xlo - gap && box.top() < yhi
            && box.bottom() > ylo;
    }
    if (isHorizontal(line)) {
        return box.top() < ylo + gap && box.bottom() > ylo - gap && box.left() < xhi
            && box.right() > xlo;
    }
    return false;
}

bool crossesAny(const QRectF &box, const QList<QLineF> &lines, double gap)
{
    return std::any_of(
        lines.cbegin(), lines.cend(), [&](const QLineF &line) { return crosses(box, line, gap); });
}

// Moves a box off the lines it crosses, to the side of each line where the
// label's point lies; a point on the line takes the side its text is
// written to (right, or up, where the alignment names neither).
QRectF clearOfLines(QRectF box, const ResultLabel &label, const QList<QLineF> &lines)
{
    const double gap = LINEGAP * box.height();
    const QPointF p = label.point;
    // A box moved off one line may reach another: a few rounds settle it.
    for (int round = 0; round < 3; ++round) {
        bool moved = false;
        for (const QLineF &line : lines) {
            if (!crosses(box, line, gap))
                continue;
            if (isVertical(line)) {
                const double x = line.x1();
                const bool right = p.x() != x ? p.x() > x : !(label.alignment & Qt::AlignRight);
                box.translate(right ? x + gap - box.left() : x - gap - box.right(), 0.0);
            } else {
                const double y = line.y1();
                const bool up = p.y() != y ? p.y() > y : !(label.alignment & Qt::AlignTop);
                box.translate(0.0, up ? y + gap - box.top() : y - gap - box.bottom());
            }
            moved = true;
        }
        if (!moved)
            break;
    }
    return box;
}

// A box with the room it keeps from the labels beside it, so that two
// values on one line never read as one number.
QRectF spaced(const QRectF &box)
{
    const double m = LABELGAP * box.height();
    return box.adjusted(-m, 0.0, m, 0.0);
}

bool isFreeBox(const QRectF &box, const BoxGrid &written, const QList<QLineF> &lines)
{
    return !written.overlapsAny(spaced(box)) && !crossesAny(box, lines, LINEGAP * box.height());
}

// Moves a box to the nearest free place along one axis, at most `limit`
// away: it is tried on either side of each box or line in its way, nearest
// first. Returns false, the box as it was, where no place is free.
bool findRoom(QRectF &box, Qt::Orientation along, double limit, const BoxGrid &written,
    const QList<QLineF> &lines)
{
    const bool vertical = along == Qt::Vertical;
    const double gap = LINEGAP * box.height();
    const double margin = 1e-6 * box.height();
    const auto moved = [&](double d) {
        return vertical ? box.translated(0.0, d) : box.translated(d, 0.0);
    };
    QList<double> shifts = {0.0};
    QList<double> tried;
    for (int k = 0; k < MAXTRIES && !shifts.isEmpty(); ++k) {
        const auto nearest = std::min_element(shifts.cbegin(), shifts.cend(),
            [](double a, double b) { return std::fabs(a) < std::fabs(b); });
        const double d = *nearest;
        shifts.erase(nearest);
        tried.append(d);
        const QRectF at = moved(d);
        if (isFreeBox(at, written, lines)) {
            box = at;
            return true;
        }
        // What is in the way, as its low and high end along the axis.
        QList<std::pair<double, double>> blocks;
        const double apart = LABELGAP * box.height();
        for (const QRectF &other : written.overlapping(spaced(at))) {
            blocks.append(vertical ? std::make_pair(other.top(), other.bottom())
                                   : std::make_pair(other.left() - apart, other.right() + apart));
        }
        for (const QLineF &line : lines) {
            if (!crosses(at, line, gap))
                continue;
            const bool across = vertical ? isHorizontal(line) : isVertical(line);
            const double lo =
                vertical ? std::min(line.y1(), line.y2()) : std::min(line.x1(), line.x2());
            const double hi =
                vertical ? std::max(line.y1(), line.y2()) : std::max(line.x1(), line.x2());
            blocks.append(across ? std::make_pair(lo - gap, hi + gap) : std::make_pair(lo, hi));
        }
        const double low = vertical ? at.top() : at.left();
        const double high = vertical ? at.bottom() : at.right();
        for (const auto &[from, to] : blocks) {
            for (const double next : {d + to + margin - low, d + from - margin - high}) {
                const auto same = [next](double v) { return std::fabs(v - next) < 1e-9; };
                if (std::fabs(next) <= limit && std::none_of(tried.cbegin(), tried.cend(), same)
                    && std::none_of(shifts.cbegin(), shifts.cend(), same))
                    shifts.append(next);
            }
        }
    }
    return false;
}

// Where the room above, below and beside a box is taken, the nearest free
// place in any direction, on a grid of half its height and a quarter of its
// width, at most as far as findRoom looks. Returns false, the box as it was,
// where none is free.
bool findRoomAround(QRectF &box, const BoxGrid &written, const QList<QLineF> &lines)
{
    const double dy = box.height() / 2.0;
    const double dx = box.width() / 4.0;
    const int rows = int(2.0 * MAXSHIFT);
    QList<QPointF> shifts;
    for (int i = -rows; i <= rows; ++i) {
        for (int j = -8; j <= 8; ++j)
            shifts.append(QPointF(j * dx, i * dy));
    }
    // Nearest first, distances measured in box sizes.
    const auto size = [&](const QPointF &d) {
        return std::hypot(d.x() / box.width(), d.y() / box.height());
    };
    std::stable_sort(shifts.begin(), shifts.end(),
        [&](const QPointF &a, const QPointF &b) { return size(a) < size(b); });
    for (const QPointF &d : std::as_const(shifts)) {
        const QRectF at = box.translated(d);
        if (isFreeBox(at, written, lines)) {
            box = at;
            return true;
        }
    }
    return false;
}

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

QRectF labelBox(
    const QFontMetricsF &metrics, const QPointF &point, const QString &text, int alignment)
{
    // The text box in label units (1 cm, y down), then in model metres.
    const QRectF r = metrics.boundingRect(text).translated(labelOrigin(metrics, text, alignment));
    return QRectF(QPointF(point.x() + 0.01 * r.left(), point.y() - 0.01 * r.bottom()),
        QPointF(point.x() + 0.01 * r.right(), point.y() - 0.01 * r.top()));
}

QList<QRectF> labelBoxes(const QList<ResultLabel> &labels, const QStringList &texts, int pixelSize)
{
    QFont font = programFont();
    font.setPixelSize(std::max(pixelSize, 1));
    const QFontMetricsF metrics(font);
    QList<QRectF> boxes;
    boxes.reserve(labels.size());
    for (qsizetype n = 0; n < labels.size(); ++n)
        boxes.append(labelBox(metrics, labels.at(n).point, texts.value(n), labels.at(n).alignment));
    return boxes;
}

LabelPlacement placeLabels(const QList<ResultLabel> &labels, const QList<QRectF> &boxes,
    const QList<QLineF> &lines, const QList<QRectF> &taken)
{
    const qsizetype count = std::min(labels.size(), boxes.size());
    LabelPlacement placed;
    placed.shown = QList<bool>(labels.size(), false);
    placed.boxes = boxes;
    for (qsizetype n = 0; n < count; ++n) {
        // A text written to the left or right of its point stands a little
        // apart from it, so that a minus sign never runs into the ordinate
        // that ends there.
        QRectF box = boxes.at(n);
        const int alignment = labels.at(n).alignment;
        const double apart = LINEGAP * box.height();
        if (alignment & Qt::AlignLeft)
            box.translate(apart, 0.0);
        else if (alignment & Qt::AlignRight)
            box.translate(-apart, 0.0);
        placed.boxes[n] = clearOfLines(box, labels.at(n), lines);
    }

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
    const auto widen = [&cell](const QRectF &b) {
        if (std::isfinite(b.width()) && std::isfinite(b.height()))
            cell = std::max({cell, b.width(), b.height()});
    };
    for (qsizetype n = 0; n < count; ++n)
        widen(placed.boxes.at(n));
    for (const QRectF &b : taken)
        widen(b);
    BoxGrid written(cell * (1.0 + 2.0 * LABELGAP));
    for (const QRectF &b : taken)
        written.add(b);
    const auto isFree = [&](const QRectF &b) { return isFreeBox(b, written, lines); };

    for (const auto &extreme : std::as_const(extremes)) {
        for (const qsizetype n : {extreme.first, extreme.second}) {
            if (placed.shown.at(n))
                continue;
            // Where it would cover a label, the nearest free place above or
            // below, else beside.
            QRectF box = placed.boxes.at(n);
            if (!findRoom(box, Qt::Vertical, MAXSHIFT * box.height(), written, lines)
                && !findRoom(box, Qt::Horizontal, 2.0 * box.width(), written, lines))
                findRoomAround(box, written, lines);
            placed.boxes[n] = box;
            placed.shown[n] = true;
            written.add(placed.boxes.at(n));
        }
    }
    for (qsizetype n = 0; n < count; ++n) {
        if (placed.shown.at(n) || !isFree(placed.boxes.at(n)))
            continue;
        placed.shown[n] = true;
        written.add(placed.boxes.at(n));
    }
    return placed;
}

QRectF fixedLabelBox(const QRectF &box, const QList<QRectF> &taken, const QList<QLineF> &lines)
{
    double cell = std::max(box.width(), box.height());
    for (const QRectF &b : taken) {
        if (std::isfinite(b.width()) && std::isfinite(b.height()))
            cell = std::max({cell, b.width(), b.height()});
    }
    BoxGrid written(cell * (1.0 + 2.0 * LABELGAP));
    for (const QRectF &b : taken)
        written.add(b);
    QRectF placed = box;
    findRoom(placed, Qt::Horizontal, 2.0 * box.width(), written, lines);
    return placed;
}
