// The parameter study: its values and refusals, rows that agree with
// editing the value by hand, parallel runs equal to serial ones, cancel,
// and "采用" as one undoable step.

#include "document/document.h"
#include "document/studyapply.h"
#include "engine/analyse.h"
#include "engine/designchecks.h"
#include "engine/study.h"
#include "enginetestsupport.h"
#include "io/filesys.h"
#include "results/studytable.h"

#include <QTemporaryDir>
#include <QtTest>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace {

StudyDefinition lengthStudy(double from, double to, double step)
{
    StudyDefinition def;
    def.parameter = StudyParameter::Length;
    def.from = from;
    def.to = to;
    def.step = step;
    return def;
}

QByteArray dataXmlOf(const Project &project)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.qzp"));
    if (!FileSys().writeProject(project, path).isEmpty())
        return QByteArray("write failed");
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip) || !zip.setCurrentFile(QStringLiteral("data.xml")))
        return QByteArray("no data.xml");
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("unreadable");
    return file.readAll();
}

} // namespace

class TestStudy : public QObject
{
    Q_OBJECT

private slots:
    void values();
    void refusals_data();
    void refusals();
    void firstPassingLength();
    void parallelRowsEqualSerialRows();
    void cancelStartsNoVariant();
    void applyIsOneEdit();
};

void TestStudy::values()
{
    // A step that divides the range reaches "to" despite rounding.
    QCOMPARE(studyValues(lengthStudy(8.0, 9.0, 0.1)).size(), 11);
    QCOMPARE(studyValues(lengthStudy(8.0, 9.0, 0.1)).value(3), 8.3);
    QCOMPARE(studyValues(lengthStudy(8.0, 9.0, 0.1)).last(), 9.0);
    // One that does not ends at the last value not beyond it.
    QCOMPARE(studyValues(lengthStudy(8.0, 9.0, 0.3)), (QList<double> {8.0, 8.3, 8.6, 8.9}));
    QCOMPARE(studyValues(lengthStudy(12.0, 12.0, 1.0)), QList<double> {12.0});
    QCOMPARE(studyValues(lengthStudy(5.0, 60.0, 55.0 / 1999.0)).size(), MAXSTUDYVARIANTS);
}

void TestStudy::refusals_data()
{
    QTest::addColumn<int>("parameter");
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<double>("step");
    QTest::addColumn<int>("pile");
    QTest::addColumn<QString>("message");
    const int length = int(StudyParameter::Length);
    const int both = int(StudyPile::Both);
    QTest::newRow("step 0") << length << 10.0 << 12.0 << 0.0 << both << "步长必须大于0";
    QTest::newRow("negative step") << length << 10.0 << 12.0 << -1.0 << both << "步长必须大于0";
    QTest::newRow("from > to") << length << 12.0 << 10.0 << 1.0 << both << "起始值不能大于终止值";
    QTest::newRow("2001 values") << length << 5.0 << 60.0 << 55.0 / 2000.0 << both
                                 << "取值超过2000个";
    QTest::newRow("too short") << length << 4.0 << 12.0 << 1.0 << both << "桩长须在5~60 m之间";
    QTest::newRow("row of a single row")
        << int(StudyParameter::Row) << 3.0 << 5.0 << 1.0 << both << "单排桩没有排距";
    QTest::newRow("back pile of a single row")
        << length << 10.0 << 12.0 << 1.0 << int(StudyPile::Back) << "单排桩没有后桩";
    QTest::newRow("height of a round pile")
        << int(StudyParameter::Height) << 1.0 << 2.0 << 0.5 << both << "不是方形截面";
    QTest::newRow("spacing of 20 m") << int(StudyParameter::Spacing) << 3.0 << 20.0 << 1.0 << both
                                     << "桩间距须在大于0 m且小于20 m之间";
}

void TestStudy::refusals()
{
    QFETCH(int, parameter);
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(double, step);
    QFETCH(int, pile);
    QFETCH(QString, message);
    StudyDefinition def {StudyParameter(parameter), from, to, step, StudyPile(pile)};
    const Project project = rockSocketProject();
    QVERIFY2(studyProblem(project, def).contains(message), qPrintable(studyProblem(project, def)));
    // Refused before anything runs.
    StudyProgress progress;
    const StudyOutcome outcome = runStudy(project, def, 2, &progress);
    QVERIFY(outcome.rows.isEmpty());
    QCOMPARE(outcome.problem, studyProblem(project, def));
    QCOMPARE(progress.finished(), 0);
}

void TestStudy::firstPassingLength()
{
    const StudyDefinition def = lengthStudy(8.0, 14.0, 1.0);
    const StudyOutcome outcome = runStudy(rockSocketProject(), def, 2);
    QVERIFY(!outcome.cancelled);
    QCOMPARE(outcome.rows.size(), 7);
    // The piles ending above the sliding surface are rows saying why.
    for (int n = 0; n < 3; ++n) {
        QVERIFY(!outcome.rows[n].analysed);
        QCOMPARE(outcome.rows[n].problem, QStringLiteral("桩底高于滑面"));
    }
    QCOMPARE(outcome.firstPassing(), 3);
    for (int n = 3; n < 7; ++n)
        QVERIFY2(outcome.rows[n].passes(), qPrintable(outcome.rows[n].problem));
    QCOMPARE(StudyTable::conclusion(def, outcome), QStringLiteral("最小满足值：桩长 = 11 m"));

    // A row is what editing the length and analysing gives.
    Project edited = rockSocketProject();
    edited.frontPile.length = 12.0;
    edited.updateAll();
    AnalysisOutcome direct = analyse(edited);
    QVERIFY(direct.succeeded());
    const PileResult &pile = direct.result.piles.first();
    const StudyPileRow &row = outcome.rows[4].piles.first();
    QCOMPARE(row.moment, std::max(std::fabs(pile.max.M.value), std::fabs(pile.min.M.value)));
    QCOMPARE(row.top, std::fabs(pile.stations.first().displacement));
}

void TestStudy::parallelRowsEqualSerialRows()
{
    // A double row with anchors gives many different rows, refused ones too.
    Project project = rockSocketProject();
    project.base.PileForm = DOUBLEROW;
    project.backPile = project.frontPile;
    project.anchors = {AnchorInfo()};
    project.updateAll();
    const StudyDefinition def = lengthStudy(9.0, 20.0, 0.5);
    const StudyOutcome serial = runStudy(project, def, 1);
    const StudyOutcome parallel = runStudy(project, def, 4);
    QCOMPARE(parallel.rows.size(), serial.rows.size());
    for (int n = 0; n < serial.rows.size(); ++n) {
        QCOMPARE(StudyTable::line(def, parallel.rows[n], true),
            StudyTable::line(def, serial.rows[n], true));
        QCOMPARE(parallel.rows[n].failures, serial.rows[n].failures);
        QCOMPARE(parallel.rows[n].piles.size(), serial.rows[n].piles.size());
        for (int p = 0; p < serial.rows[n].piles.size(); ++p) {
            QCOMPARE(parallel.rows[n].piles[p].moment, serial.rows[n].piles[p].moment);
            QCOMPARE(parallel.rows[n].piles[p].slip, serial.rows[n].piles[p].slip);
        }
    }
    QCOMPARE(StudyTable::table(def, parallel).rows, StudyTable::table(def, serial).rows);
}

void TestStudy::cancelStartsNoVariant()
{
    StudyProgress progress;
    progress.cancel();
    const StudyOutcome outcome =
        runStudy(rockSocketProject(), lengthStudy(8.0, 60.0, 0.1), 2, &progress);
    QVERIFY(outcome.cancelled);
    QVERIFY(outcome.rows.isEmpty());
    QCOMPARE(progress.finished(), 0);
    QCOMPARE(StudyTable::conclusion(lengthStudy(8.0, 60.0, 0.1), outcome),
        QStringLiteral("参数分析已取消"));
}

void TestStudy::applyIsOneEdit()
{
    Document doc;
    doc.replaceProject(rockSocketProject());
    const QByteArray before = dataXmlOf(doc.project());
    StudyDefinition def;
    def.parameter = StudyParameter::Spacing;
    def.from = 2.0;
    def.to = 3.0;
    def.step = 0.5;
    QVERIFY(applyStudyValue(doc, def, 2.5));
    QCOMPARE(doc.project().base.space, 2.5);
    QCOMPARE(doc.undoText(), QStringLiteral("修改基本数据"));
    // The edit gives the project the study analysed.
    QCOMPARE(dataXmlOf(doc.project()), dataXmlOf(studyVariant(rockSocketProject(), def, 2.5)));
    QVERIFY(doc.undo());
    QCOMPARE(dataXmlOf(doc.project()), before);
    QVERIFY(!doc.canUndo());
}

QTEST_GUILESS_MAIN(TestStudy)
#include "tst_core_study.moc"
