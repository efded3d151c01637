#pragma once

// The parameter study: one input value of a project swept over a range, each
// variant derived afresh, analysed and checked, and summarised in one row.
// Variants are copies of the project; the project itself is never written,
// so a study may run beside the window and be cancelled at any time. The
// variants run on a pool of threads, and the rows come back in the order of
// the values whatever the order in which they finish.

#include "model/project.h"

#include <QCoreApplication>
#include <QList>
#include <QString>

#include <atomic>

enum class StudyParameter {
    Length, // pile length, m
    Diameter, // diameter of a round pile, m
    Height, // height of a square pile's section, m
    Spacing, // centre spacing of the piles, m
    Row, // distance between the rows of a double row, m
    Bar, // longitudinal bar diameter, mm
};

// Which pile of a double row a length or section study changes; a single
// row has its one pile.
enum class StudyPile { Front, Back, Both };

struct StudyDefinition
{
    StudyParameter parameter = StudyParameter::Length;
    double from = 0.0;
    double to = 0.0;
    double step = 0.0;
    StudyPile pile = StudyPile::Both;
};

// The most variants one study runs.
constexpr int MAXSTUDYVARIANTS = 2000;

// The values a study takes: from, from + step, ... up to the last one not
// beyond `to` (a step that does not divide the range ends short of it).
// Empty when the definition is unusable.
QList<double> studyValues(const StudyDefinition &def);

// Why a study cannot run on the project, in words for the user; empty when
// it can. Checks the range (step > 0, from ≤ to, at most MAXSTUDYVARIANTS
// values), the input bounds of the parameter, and that the project has what
// the parameter changes (a back pile, a round or a square section).
QString studyProblem(const Project &project, const StudyDefinition &def);

// The parameter's value in the project (of the front pile when both piles
// are meant), to offer as the start of a range.
double studyCurrentValue(const Project &project, const StudyDefinition &def);

// The project with the parameter set to `value` and everything derived from
// it derived afresh, as the edit of that value would; its results dropped.
Project studyVariant(const Project &project, const StudyDefinition &def, double value);

// One pile of one variant.
struct StudyPileRow
{
    qint16 object = OBJPILE; // OBJPILE (single or front pile) or OBJBACKPILE
    double moment = 0.0; // largest |M|, kN·m
    double shear = 0.0; // largest |V|, kN
    double top = 0.0; // |D| at the pile top, m
    bool slipFound = false;
    double slip = 0.0; // |D| at the sliding surface, m
    // Longitudinal steel the governing moment needs (at least the least
    // steel of the section), mm², and the bars of the chosen diameter.
    double steel = 0.0;
    int bars = 0;
};

struct StudyRow
{
    double value = 0.0;
    // False for a variant the input check refused or whose analysis failed:
    // `problem` says why and nothing else is filled.
    bool analysed = false;
    QString problem;
    QList<StudyPileRow> piles; // the single or front pile, then the back pile
    // Largest ratio of soil reaction to lateral bearing along the embedded
    // sections; not found when no bearing check could be made.
    bool bearingFound = false;
    double bearingRatio = 0.0;
    int anchors = 0; // anchors checked
    bool anchorsOk = true;
    // The design checks ran (valid design data); `failures` of them are not
    // satisfied. When they could not run, `problem` says why.
    bool checked = false;
    int failures = 0;

    bool passes() const { return analysed && checked && failures == 0; }
};

// Shared between a running study and whoever watches it: the count of
// variants finished and the request to stop. Safe to use from any thread.
class StudyProgress
{
public:
    void cancel() { m_cancelled.store(true); }
    bool cancelled() const { return m_cancelled.load(); }
    int finished() const { return m_finished.load(); }
    void addFinished() { m_finished.fetch_add(1); }

private:
    std::atomic<bool> m_cancelled {false};
    std::atomic<int> m_finished {0};
};

struct StudyOutcome
{
    // Empty, with `problem` set, for a definition studyProblem refuses.
    QString problem;
    bool cancelled = false;
    bool doubleRow = false;
    // One row per value, in order; after a cancel only the rows finished
    // before it.
    QList<StudyRow> rows;

    // Index of the first (smallest) value that passes every check; -1 when
    // none does.
    int firstPassing() const;
};

// The variant of one value, analysed and checked.
StudyRow studyRow(const Project &project, const StudyDefinition &def, double value);

// Runs the study on `threads` threads (0: one per core; 1: one after the
// other). `progress`, when given, counts the finished variants and stops
// the study when cancelled: no variant starts after the request, and the
// outcome is marked cancelled.
StudyOutcome runStudy(const Project &project, const StudyDefinition &def, int threads = 0,
    StudyProgress *progress = nullptr);

class StudyText
{
    Q_DECLARE_TR_FUNCTIONS(StudyText)

public:
    // 桩长, 桩径, 截面高度, 桩间距, 排距, 纵筋直径
    static QString name(StudyParameter parameter);
    // m, or mm for the bar diameter
    static QString unit(StudyParameter parameter);
    // The words of the command line: length, diameter, height, spacing, row, bar.
    static QString key(StudyParameter parameter);
    static bool parameterFromKey(const QString &key, StudyParameter &parameter);
    // front, back, both
    static QString pileKey(StudyPile pile);
    static bool pileFromKey(const QString &key, StudyPile &pile);
    // 前桩, 后桩, 前后桩
    static QString pileName(StudyPile pile);
    // A value of the parameter as the user would type it: 12.5, 28.
    static QString number(double value);
    // "桩长 = 14.5 m"
    static QString valueText(StudyParameter parameter, double value);
};
