#include "engine/study.h"

#include "engine/analyse.h"
#include "engine/analysiscode.h"
#include "engine/designchecks.h"
#include "engine/model.h"
#include "engine/results.h"

#include <QLocale>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Bounds
{
    double low = 0.0;
    double high = 0.0;
    bool lowOpen = false; // the lower bound itself is not allowed
    bool highOpen = false;
};

// The values the input fields of each parameter take.
Bounds boundsOf(StudyParameter parameter)
{
    switch (parameter) {
    case StudyParameter::Length: return {5.0, 60.0};
    case StudyParameter::Diameter:
    case StudyParameter::Height: return {0.3, 5.9};
    case StudyParameter::Spacing:
    case StudyParameter::Row: return {0.0, 20.0, true, true};
    case StudyParameter::Bar: return {6.0, 50.0};
    }
    return {};
}

bool within(double v, const Bounds &b)
{
    const double tolerance = 1e-9;
    const bool aboveLow = b.lowOpen ? v > b.low : v >= b.low - tolerance;
    const bool belowHigh = b.highOpen ? v < b.high : v <= b.high + tolerance;
    return std::isfinite(v) && aboveLow && belowHigh;
}

QString boundsText(StudyParameter parameter)
{
    const Bounds b = boundsOf(parameter);
    const QString unit = StudyText::unit(parameter);
    if (b.lowOpen)
        return StudyText::tr("大于%1 %3且小于%2 %3").arg(b.low).arg(b.high).arg(unit);
    return StudyText::tr("%1~%2 %3").arg(b.low).arg(b.high).arg(unit);
}

bool changesPiles(StudyParameter parameter)
{
    return parameter == StudyParameter::Length || parameter == StudyParameter::Diameter
        || parameter == StudyParameter::Height;
}

// The piles a definition changes (OBJPILE, OBJBACKPILE): the single pile of
// a single row, else those it names.
QList<qint16> pileObjects(const BaseInfo &base, const StudyDefinition &def)
{
    if (!isDoubleRow(base))
        return {OBJPILE};
    switch (def.pile) {
    case StudyPile::Front: return {OBJPILE};
    case StudyPile::Back: return {OBJBACKPILE};
    case StudyPile::Both: break;
    }
    return {OBJPILE, OBJBACKPILE};
}

// The count of values: from + n·step for n = 0 .. count − 1. A step that
// divides the range up to rounding still reaches `to`.
qint64 valueCount(const StudyDefinition &def)
{
    if (!std::isfinite(def.from) || !std::isfinite(def.to) || !std::isfinite(def.step)
        || def.step <= 0.0 || def.from > def.to)
        return 0;
    const double intervals = (def.to - def.from) / def.step;
    if (intervals > double(MAXSTUDYVARIANTS))
        return qint64(MAXSTUDYVARIANTS) + 1;
    return qint64(std::floor(intervals + 1e-9)) + 1;
}

double magnitude(const ExtremeAt &a, const ExtremeAt &b)
{
    return std::max(std::fabs(a.value), std::fabs(b.value));
}

} // namespace

QList<double> studyValues(const StudyDefinition &def)
{
    const qint64 count = valueCount(def);
    QList<double> values;
    if (count <= 0 || count > MAXSTUDYVARIANTS)
        return values;
    values.reserve(count);
    // Each value from its index, not by adding steps, and cut to the
    // micrometre, so that 0.1 steps give 12.3 and not 12.299999999999999.
    for (qint64 n = 0; n < count; ++n) {
        const double v = def.from + double(n) * def.step;
        values.append(std::min(std::round(v * 1e6) / 1e6, std::max(def.to, def.from)));
    }
    return values;
}

QString studyProblem(const Project &project, const StudyDefinition &def)
{
    if (!std::isfinite(def.step) || def.step <= 0.0)
        return StudyText::tr("步长必须大于0");
    if (!std::isfinite(def.from) || !std::isfinite(def.to) || def.from > def.to)
        return StudyText::tr("起始值不能大于终止值");
    if (valueCount(def) > MAXSTUDYVARIANTS)
        return StudyText::tr("取值超过%1个，请加大步长或缩小范围").arg(MAXSTUDYVARIANTS);
    const Bounds bounds = boundsOf(def.parameter);
    if (!within(def.from, bounds) || !within(def.to, bounds))
        return StudyText::tr("%1须在%2之间")
            .arg(StudyText::name(def.parameter), boundsText(def.parameter));

    const bool doubleRow = isDoubleRow(project.base);
    if (def.parameter == StudyParameter::Row && !doubleRow)
        return StudyText::tr("单排桩没有排距");
    if (changesPiles(def.parameter) && !doubleRow && def.pile == StudyPile::Back)
        return StudyText::tr("单排桩没有后桩");
    if (def.parameter == StudyParameter::Diameter || def.parameter == StudyParameter::Height) {
        const bool round = def.parameter == StudyParameter::Diameter;
        for (const qint16 object : pileObjects(project.base, def)) {
            const PileInfo &pile = object == OBJPILE ? project.frontPile : project.backPile;
            if ((pile.shp == SECTSQUARE) == round) {
                const QString name = CodeText::carrier(object, project.base.PileForm);
                return round ? StudyText::tr("%1不是圆形截面，没有桩径").arg(name)
                             : StudyText::tr("%1不是方形截面，没有截面高度").arg(name);
            }
        }
    }
    return QString();
}

double studyCurrentValue(const Project &project, const StudyDefinition &def)
{
    const PileInfo &pile = isDoubleRow(project.base) && def.pile == StudyPile::Back
        ? project.backPile
        : project.frontPile;
    switch (def.parameter) {
    case StudyParameter::Length: return pile.length;
    case StudyParameter::Diameter: return pile.diameter;
    case StudyParameter::Height: return pile.height;
    case StudyParameter::Spacing: return project.base.space;
    case StudyParameter::Row: return project.base.row;
    case StudyParameter::Bar: return project.design.rebarDiam;
    }
    return 0.0;
}

Project studyVariant(const Project &project, const StudyDefinition &def, double value)
{
    Project p = project;
    p.dropResults();
    switch (def.parameter) {
    case StudyParameter::Length:
    case StudyParameter::Diameter:
    case StudyParameter::Height:
        for (const qint16 object : pileObjects(p.base, def)) {
            PileInfo &pile = object == OBJPILE ? p.frontPile : p.backPile;
            double &field = def.parameter == StudyParameter::Length ? pile.length
                : def.parameter == StudyParameter::Diameter         ? pile.diameter
                                                                    : pile.height;
            field = value;
        }
        break;
    case StudyParameter::Spacing: p.base.space = value; break;
    case StudyParameter::Row: p.base.row = value; break;
    case StudyParameter::Bar: p.design.rebarDiam = value; break;
    }
    p.updateAll();
    return p;
}

StudyRow studyRow(const Project &project, const StudyDefinition &def, double value)
{
    StudyRow row;
    row.value = value;
    AnalysisOutcome outcome = analyse(studyVariant(project, def, value));
    if (!outcome.succeeded()) {
        // The last line of the log says why, naming the value the input
        // check refused; the row gives it without the log's marks.
        QString reason = codeMessage(outcome.code);
        for (const QString &line : std::as_const(outcome.log)) {
            if (!line.trimmed().isEmpty())
                reason = line.trimmed();
        }
        if (reason.startsWith(QLatin1String(">>")))
            reason.remove(0, 2);
        const QString error = StudyText::tr("错误：");
        if (reason.startsWith(error))
            reason.remove(0, error.size());
        row.problem = reason;
        return row;
    }
    row.analysed = true;
    Project &analysed = outcome.project;
    analysed.status = (analysed.status & SHOWMARK) | SHOWRESULT;
    const DesignResult checks = designChecks(analysed);

    for (const PileResult &pile : std::as_const(outcome.result.piles)) {
        StudyPileRow p;
        p.object = pile.object;
        p.moment = magnitude(pile.max.M, pile.min.M);
        p.shear = magnitude(pile.max.Q, pile.min.Q);
        if (!pile.stations.isEmpty())
            p.top = std::fabs(pile.stations.first().displacement);
        for (const MemberCheck &m : checks.members) {
            if (m.object != pile.object)
                continue;
            p.top = m.displacement.top;
            p.slipFound = m.displacement.slipFound;
            p.slip = m.displacement.slip;
            for (const FlexureCheck &f : m.flexure) {
                const double steel = std::max(f.design.asRequired, f.design.asMin);
                if (steel >= p.steel) {
                    p.steel = steel;
                    p.bars = f.design.bars;
                }
            }
            for (const BearingCheck &b : m.bearing) {
                if (!b.evaluable || b.allowable <= 0.0)
                    continue;
                const double ratio = b.sigma / b.allowable;
                if (!row.bearingFound || ratio > row.bearingRatio) {
                    row.bearingFound = true;
                    row.bearingRatio = ratio;
                }
            }
        }
        row.piles.append(p);
    }
    row.anchors = int(checks.anchors.size());
    for (const AnchorCheck &a : checks.anchors)
        row.anchorsOk = row.anchorsOk && a.design.ok;
    row.checked = checks.valid;
    if (checks.valid)
        row.failures = checks.failures();
    else
        row.problem = DesignText::lines(checks).value(0).text;
    return row;
}

int StudyOutcome::firstPassing() const
{
    for (int n = 0; n < rows.size(); ++n) {
        if (rows[n].passes())
            return n;
    }
    return -1;
}

StudyOutcome runStudy(
    const Project &project, const StudyDefinition &def, int threads, StudyProgress *progress)
{
    StudyOutcome outcome;
    outcome.doubleRow = isDoubleRow(project.base);
    outcome.problem = studyProblem(project, def);
    if (!outcome.problem.isEmpty())
        return outcome;
    const QList<double> values = studyValues(def);
    // Each worker writes only the elements of the values it took.
    std::vector<StudyRow> rows(values.size());
    std::vector<char> done(values.size(), 0);

    // The workers take the next value in turn, so the early values finish
    // first and a cancel keeps the rows of a prefix of the range.
    std::atomic<int> next {0};
    auto work = [&]() {
        for (;;) {
            if (progress && progress->cancelled())
                return;
            const int n = next.fetch_add(1);
            if (n >= values.size())
                return;
            rows[n] = studyRow(project, def, values[n]);
            done[n] = 1;
            if (progress)
                progress->addFinished();
        }
    };

    if (threads <= 0)
        threads = std::max(1, QThread::idealThreadCount());
    threads = std::min<int>(threads, int(values.size()));
    if (threads <= 1) {
        work();
    } else {
        // A pool of its own: the global one may be busy with the window's
        // work, and waiting on it here must not wait for that too.
        QThreadPool pool;
        pool.setMaxThreadCount(threads);
        for (int t = 0; t < threads; ++t)
            pool.start(work);
        pool.waitForDone();
    }

    outcome.cancelled = progress && progress->cancelled();
    for (size_t n = 0; n < done.size(); ++n) {
        if (!done[n])
            break;
        outcome.rows.append(rows[n]);
    }
    if (outcome.rows.size() < values.size())
        outcome.cancelled = true;
    return outcome;
}

QString StudyText::name(StudyParameter parameter)
{
    switch (parameter) {
    case StudyParameter::Length: return tr("桩长");
    case StudyParameter::Diameter: return tr("桩径");
    case StudyParameter::Height: return tr("截面高度");
    case StudyParameter::Spacing: return tr("桩间距");
    case StudyParameter::Row: return tr("排距");
    case StudyParameter::Bar: return tr("纵筋直径");
    }
    return QString();
}

QString StudyText::unit(StudyParameter parameter)
{
    return parameter == StudyParameter::Bar ? QStringLiteral("mm") : QStringLiteral("m");
}

QString StudyText::key(StudyParameter parameter)
{
    switch (parameter) {
    case StudyParameter::Length: return QStringLiteral("length");
    case StudyParameter::Diameter: return QStringLiteral("diameter");
    case StudyParameter::Height: return QStringLiteral("height");
    case StudyParameter::Spacing: return QStringLiteral("spacing");
    case StudyParameter::Row: return QStringLiteral("row");
    case StudyParameter::Bar: return QStringLiteral("bar");
    }
    return QString();
}

bool StudyText::parameterFromKey(const QString &key, StudyParameter &parameter)
{
    for (StudyParameter p :
        {StudyParameter::Length, StudyParameter::Diameter, StudyParameter::Height,
            StudyParameter::Spacing, StudyParameter::Row, StudyParameter::Bar}) {
        if (StudyText::key(p) == key) {
            parameter = p;
            return true;
        }
    }
    return false;
}

QString StudyText::pileKey(StudyPile pile)
{
    switch (pile) {
    case StudyPile::Front: return QStringLiteral("front");
    case StudyPile::Back: return QStringLiteral("back");
    case StudyPile::Both: break;
    }
    return QStringLiteral("both");
}

bool StudyText::pileFromKey(const QString &key, StudyPile &pile)
{
    for (StudyPile p : {StudyPile::Front, StudyPile::Back, StudyPile::Both}) {
        if (pileKey(p) == key) {
            pile = p;
            return true;
        }
    }
    return false;
}

QString StudyText::pileName(StudyPile pile)
{
    switch (pile) {
    case StudyPile::Front: return tr("前桩");
    case StudyPile::Back: return tr("后桩");
    case StudyPile::Both: break;
    }
    return tr("前后桩");
}

QString StudyText::number(double value)
{
    QString text = QString::number(value, 'f', QLocale::FloatingPointShortest);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QString StudyText::valueText(StudyParameter parameter, double value)
{
    return tr("%1 = %2 %3").arg(name(parameter), number(value), unit(parameter));
}
