// The typed analysis result, the content of the calculation report and the
// result table: values along a pile with a known answer, extremes equal to
// the Document's, every section of the report, and a CSV that a CSV reader
// takes back row for row.

#include "document/document.h"
#include "engine/analysisresult.h"
#include "engine/designchecks.h"
#include "results/reportcontent.h"
#include "engine/results.h"
#include "enginetestsupport.h"
#include "io/filesys.h"
#include "results/resultcsv.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Reads CSV as RFC 4180 describes it: quoted fields may hold commas, quotes
// (doubled) and line breaks; records end in CR LF.
QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype n = 0; n < text.size(); ++n) {
        const QChar c = text.at(n);
        if (quoted) {
            if (c == QLatin1Char('"') && n + 1 < text.size()
                && text.at(n + 1) == QLatin1Char('"')) {
                field += c;
                ++n;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            record << field;
            field.clear();
        } else if (c == QLatin1Char('\r') && n + 1 < text.size()
            && text.at(n + 1) == QLatin1Char('\n')) {
            record << field;
            records << record;
            record.clear();
            field.clear();
            ++n;
        } else {
            field += c;
        }
    }
    if (!field.isEmpty() || !record.isEmpty())
        records << (record << field);
    return records;
}

// A bare pile fixed at its bottom, with 10 kN/m at its head: a cantilever.
void makeCantilever(Project &doc, double length)
{
    makeBarePile(doc, length, SUPPORTFIXED);
    ForceInfo f;
    f.type = LOADPNT;
    f.direction = DIRHORIZONTAL;
    f.F = 10.0;
    f.distance = 0.0;
    doc.AddForces = {f};
    doc.updateAll();
}

// Nodes of the pile elements of one kind.
QSet<int> pileNodes(const Document &doc, qint32 ob)
{
    QSet<int> nodes;
    for (const ResultInfo &r : doc.project().results) {
        if (r.ob == ob)
            nodes << r.i << r.j;
    }
    return nodes;
}

QString example(const char *name)
{
    return QStringLiteral(RIDEZU_SOURCE_DIR "/examples/") + QLatin1String(name);
}

bool analyseExample(Document &doc, const char *name)
{
    Project p = Project::defaultProject();
    if (!FileSys().readProject(p, example(name)).isEmpty())
        return false;
    p.status = SHOWDATA;
    doc.replaceProject(p);
    return doc.analyse();
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT

private slots:
    void cantileverAlongThePile();
    void examplesStationsAndExtremes_data();
    void examplesStationsAndExtremes();
    void reportHasEverySection();
    void csvRoundTrips();
    void refusedWithoutResults();
    void anchorTableGivesTheTendonForce();
};

void TestReport::cantileverAlongThePile()
{
    // A point force P at the top of a fixed cantilever of length L: at depth
    // z the moment is P z, the shear P and the deflection
    // P (L - z)^2 (2L + z) / 6EI.
    Project p = Project::defaultProject();
    makeCantilever(p, 10.0);
    Document doc;
    doc.replaceProject(p);
    QVERIFY(doc.analyse());
    const AnalysisResult result = doc.analysisResult();
    QVERIFY(result.valid);
    QCOMPARE(result.piles.size(), 1);
    const PileResult &pile = result.piles.first();

    const double P = 35.0, L = 10.0, EI = 3.0e7 / 12.0;
    QCOMPARE(pile.stations.size(), pileNodes(doc, OBJPILE).size());
    QCOMPARE(pile.stations.first().depth, 0.0);
    QVERIFY(qAbs(pile.stations.last().depth - L) < 1e-9);
    double previous = -1.0;
    for (const PileStation &s : pile.stations) {
        QVERIFY(s.depth > previous);
        previous = s.depth;
        QVERIFY(qAbs(s.elevation + s.depth) < 1e-9);
        const double z = s.depth;
        const double w = P * (L - z) * (L - z) * (2.0 * L + z) / (6.0 * EI);
        QVERIFY2(qAbs(s.displacement - w) < 1e-9, qPrintable(QString::number(z)));
        QVERIFY2(qAbs(qAbs(s.moment) - P * z) < 1e-6, qPrintable(QString::number(z)));
        QVERIFY2(qAbs(qAbs(s.shear) - P) < 1e-6, qPrintable(QString::number(z)));
        QVERIFY(qAbs(s.axial) < 1e-6);
    }

    // The largest deflection at the top, the largest moment at the fixed
    // bottom, each with its depth.
    QVERIFY(qAbs(pile.max.D.value - P * L * L * L / (3.0 * EI)) < 1e-9);
    QCOMPARE(pile.max.D.depth, 0.0);
    const ExtremeAt &moment =
        qAbs(pile.max.M.value) > qAbs(pile.min.M.value) ? pile.max.M : pile.min.M;
    QVERIFY(qAbs(qAbs(moment.value) - P * L) < 1e-6);
    QVERIFY(qAbs(moment.depth - L) < 1e-9);
}

void TestReport::examplesStationsAndExtremes_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("default") << QStringLiteral("default.qzp");
    QTest::newRow("single row with anchors") << QStringLiteral("singlerow-anchors.qzp");
    QTest::newRow("double row") << QStringLiteral("doublerow.qzp");
}

void TestReport::examplesStationsAndExtremes()
{
    QFETCH(QString, name);
    Document doc;
    QVERIFY(analyseExample(doc, qPrintable(name)));
    const AnalysisResult result = doc.analysisResult();
    QVERIFY(result.valid);
    const bool doubleRow = doc.project().base.PileForm == DOUBLEROW;
    QCOMPARE(result.piles.size(), doubleRow ? 2 : 1);

    // One station per node of each pile, top down.
    for (const PileResult &pile : result.piles) {
        const QSet<int> nodes = pileNodes(doc, pile.object);
        QCOMPARE(pile.stations.size(), nodes.size());
        for (int n = 0; n < pile.stations.size(); ++n) {
            const PileStation &s = pile.stations[n];
            QVERIFY(nodes.contains(s.node));
            QCOMPARE(s.elevation, doc.project().nodes[s.node].Yg);
            if (n > 0)
                QVERIFY(s.depth > pile.stations[n - 1].depth);
        }
        QCOMPARE(pile.stations.first().depth, 0.0);
    }

    // The extremes are the Document's, and the displacement extremes (no
    // jumps) stand at a station with that value.
    const ResultExtremes &x = doc.project().extremes;
    const QList<QPair<ExtremeValues, ExtremeValues>> expected {{x.Max1, x.Min1}, {x.Max2, x.Min2}};
    for (int p = 0; p < result.piles.size(); ++p) {
        const PileResult &pile = result.piles[p];
        const ExtremeValues &max = expected[p].first;
        const ExtremeValues &min = expected[p].second;
        QCOMPARE(pile.max.D.value, max.D);
        QCOMPARE(pile.min.D.value, min.D);
        QCOMPARE(pile.max.M.value, max.M);
        QCOMPARE(pile.min.M.value, min.M);
        QCOMPARE(pile.max.Q.value, max.Q);
        QCOMPARE(pile.min.Q.value, min.Q);
        QCOMPARE(pile.max.R.value, max.R);
        QCOMPARE(pile.min.R.value, min.R);
        for (const ExtremeAt *e : {&pile.max.D, &pile.min.D}) {
            if (!e->found)
                continue;
            bool there = false;
            for (const PileStation &s : pile.stations)
                there = there || (s.depth == e->depth && s.displacement == e->value);
            QVERIFY(there);
        }
    }
    // The result report printed from the typed result's numbers reads as
    // the analysis logged it.
    QVERIFY(result.log.join(QLatin1Char('\n'))
                .contains(reportLines(doc.project()).join(QLatin1Char('\n'))));
}

void TestReport::reportHasEverySection()
{
    for (const char *name : {"default.qzp", "singlerow-anchors.qzp", "doublerow.qzp"}) {
        Document doc;
        QVERIFY(analyseExample(doc, name));
        const AnalysisResult result = doc.analysisResult();
        const ReportContent c = ReportBuilder::build(
            doc.project(), result, QString::fromLatin1(name), QDate(2024, 5, 6));
        QCOMPARE(c.sections(),
            QStringList({QStringLiteral("1 基本信息"), QStringLiteral("2 抗滑桩"),
                QStringLiteral("3 岩土层"), QStringLiteral("4 锚索(杆)"),
                QStringLiteral("5 作用力"), QStringLiteral("6 计算简图"),
                QStringLiteral("7 计算结果"), QStringLiteral("8 设计验算"),
                QStringLiteral("9 计算日志")}));
        QCOMPARE(c.titleBlock.at(0).second, doc.project().base.ProjectName);
        QCOMPARE(c.titleBlock.at(2).second, QStringLiteral("2024-05-06"));
        QCOMPARE(c.titleBlock.at(3).second, QString::fromLatin1(name));

        // The design chapter: a table per kind of check, each verdict once,
        // and its conclusion on the first page.
        const DesignResult design = designChecks(doc.project());
        QVERIFY(design.valid);
        QCOMPARE(c.titleBlock.at(4).second,
            QStringLiteral("共%1项验算，%2项不满足")
                .arg(DesignText::lines(design).size())
                .arg(design.failures()));
        QStringList designTables;
        int failedRows = 0;
        bool inDesign = false;
        for (const ReportBlock &b : c.blocks) {
            if (b.kind == ReportBlock::Heading && b.level == 1)
                inDesign = b.text == QStringLiteral("8 设计验算");
            if (!inDesign || b.kind != ReportBlock::Table)
                continue;
            designTables << b.table.caption.section(QLatin1Char(' '), 1).section(u'（', 0, 0);
            for (const QStringList &row : b.table.rows) {
                failedRows += row.last() == QStringLiteral("不满足") ? 1 : 0;
                for (const QString &cell : row)
                    QVERIFY2(!cell.contains(QLatin1String("nan"), Qt::CaseInsensitive)
                            && !cell.contains(QLatin1String("inf"), Qt::CaseInsensitive),
                        qPrintable(cell));
            }
        }
        QStringList expected {QStringLiteral("设计参数"), QStringLiteral("正截面受弯承载力"),
            QStringLiteral("斜截面受剪承载力"), QStringLiteral("桩身位移"),
            QStringLiteral("嵌固段侧向承载力")};
        // An anchor's tendons and bond length have a table each.
        int anchorRows = 0;
        if (!design.anchors.isEmpty())
            expected << QStringLiteral("锚索(杆)杆体抗拉") << QStringLiteral("锚索(杆)锚固段长度");
        for (const AnchorCheck &a : design.anchors) {
            const AnchorDesign &ad = a.design;
            const int rows =
                ad.evaluable ? (ad.tendonsRequired > ad.tendons) + (ad.bondRequired > ad.bond) : 2;
            anchorRows += rows - (ad.ok ? 0 : 1);
        }
        QCOMPARE(designTables, expected);
        QCOMPARE(failedRows, design.failures() + anchorRows);

        int figures = 0;
        QList<const ReportTable *> extremes;
        QList<const ReportTable *> stations;
        for (const ReportBlock &b : c.blocks) {
            if (b.kind == ReportBlock::Figure)
                ++figures;
            if (b.kind == ReportBlock::Table && b.table.caption.endsWith(QStringLiteral("极值")))
                extremes << &b.table;
            if (b.kind == ReportBlock::Table
                && b.table.caption.endsWith(QStringLiteral("各节点结果")))
                stations << &b.table;
            if (b.kind == ReportBlock::Lines)
                QCOMPARE(b.lines, result.log);
        }
        // The model twice (input, analysis model) and the five diagrams.
        QCOMPARE(figures, 7);

        // The extremes in the report are the Document's, as printed.
        const ResultExtremes &x = doc.project().extremes;
        const QList<QPair<ExtremeValues, ExtremeValues>> piles {{x.Max1, x.Min1}, {x.Max2, x.Min2}};
        QCOMPARE(extremes.size(), result.piles.size());
        QCOMPARE(stations.size(), result.piles.size());
        for (int p = 0; p < extremes.size(); ++p) {
            const QList<QStringList> &rows = extremes[p]->rows;
            const ExtremeValues &max = piles[p].first;
            const ExtremeValues &min = piles[p].second;
            QCOMPARE(rows[0][1], oneDecimal(max.D * 1000.0));
            QCOMPARE(rows[0][3], oneDecimal(min.D * 1000.0));
            QCOMPARE(rows[1][1], oneDecimal(max.M));
            QCOMPARE(rows[1][3], oneDecimal(min.M));
            QCOMPARE(rows[2][1], oneDecimal(max.Q));
            QCOMPARE(rows[2][3], oneDecimal(min.Q));
            QCOMPARE(rows[3][1], oneDecimal(max.R));
            QCOMPARE(rows[3][3], oneDecimal(min.R));
            // One row per node of the pile.
            QCOMPARE(stations[p]->rows.size(), result.piles[p].stations.size());
        }
    }
}

void TestReport::csvRoundTrips()
{
    Document doc;
    QVERIFY(analyseExample(doc, "doublerow.qzp"));
    const AnalysisResult result = doc.analysisResult();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("table.csv"));
    QCOMPARE(ResultCsv::write(result, path), QString());

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    // The byte-order mark tells a spreadsheet program the file is UTF-8.
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    const QList<QStringList> records = parseCsv(QString::fromUtf8(bytes.mid(3)));
    const QStringList header = records.first();
    QCOMPARE(header.first(), QStringLiteral("桩"));
    QVERIFY(header.contains(QStringLiteral("弯矩(kN*m)")));
    QCOMPARE(header.last(), QStringLiteral("桩间土压力(kPa)"));
    qsizetype nodes = 0;
    for (const PileResult &pile : result.piles)
        nodes += pile.stations.size();
    QCOMPARE(records.size(), nodes + 1);
    const int depth = int(header.indexOf(QStringLiteral("深度(m)")));
    const int displacement = int(header.indexOf(QStringLiteral("位移(mm)")));
    const int moment = int(header.indexOf(QStringLiteral("弯矩(kN*m)")));
    for (int n = 1; n < records.size(); ++n) {
        const QStringList &row = records[n];
        QCOMPARE(row.size(), header.size());
        const PileStation &s = n <= result.piles[0].stations.size()
            ? result.piles[0].stations[n - 1]
            : result.piles[1].stations[n - 1 - result.piles[0].stations.size()];
        QCOMPARE(row[0],
            n <= result.piles[0].stations.size() ? QStringLiteral("前桩") : QStringLiteral("后桩"));
        QCOMPARE(row[depth], fixedText(s.depth, 2));
        // Finer than the report: mm to three decimals, the rest to two.
        QCOMPARE(row[displacement], fixedText(s.displacement * 1000.0, 3));
        QCOMPARE(row[moment], fixedText(s.moment, 2));
    }

    // Fields with separators, quotes and line breaks come back whole.
    const QStringList tricky {QStringLiteral("a,b"), QStringLiteral("say \"no\""),
        QStringLiteral("two\r\nlines"), QStringLiteral("plain")};
    const QList<QStringList> back =
        parseCsv(QString::fromUtf8(ResultCsv::text(tricky, {tricky, tricky}).mid(3)));
    QCOMPARE(back, QList<QStringList>({tricky, tricky, tricky}));
}

void TestReport::refusedWithoutResults()
{
    // A project in input mode, analysed or not, has no table to write.
    Document doc;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("none.csv"));
    QCOMPARE(ResultCsv::write(doc.analysisResult(), path), ReportBuilder::noResults());
    QVERIFY(doc.analyse());
    doc.showInput();
    QCOMPARE(ResultCsv::write(doc.analysisResult(), path), ReportBuilder::noResults());
    QVERIFY(!QFileInfo::exists(path));
}

void TestReport::anchorTableGivesTheTendonForce()
{
    // An anchor bonded in rock on the link beam, prestressed with 200 kN at
    // 25° below the horizontal: the tendon carries the prestress plus its
    // stiffness EA/lf times the head's movement along the tendon.
    Project p = Project::defaultProject();
    p.base.PileForm = DOUBLEROW;
    AnchorInfo &input = p.anchors[0];
    input.object = OBJBEAM;
    input.distance = 2.0;
    input.soilType = BONDROCK;
    input.preforce = 200.0;
    p.updateAll();
    Document doc;
    doc.replaceProject(p);
    QVERIFY(doc.analyse());
    // The analysed project carries the anchor's forces.
    const AnchorInfo &a = doc.project().anchors[0];

    const NodeInfo *head = nullptr;
    for (const NodeInfo &n : std::as_const(doc.project().nodes)) {
        if (qAbs(n.Xg - a.x1g) < EPS && qAbs(n.Yg - a.y1g) < EPS)
            head = &n;
    }
    QVERIFY(head);
    // The head moves towards the slope and up: both stretch the tendon.
    QVERIFY(head->Dx < -0.01 && head->Dy > 1e-4);
    const double k = 6 * 140e-6 * 1.95e8 / 15.0; // 6 strands of 140 mm², Es, free length
    const double alpha = qDegreesToRadians(25.0);
    const double stretch = -head->Dx * std::cos(alpha) + head->Dy * std::sin(alpha);
    const double N = 200.0 + k * stretch;
    QVERIFY2(qAbs(a.axialForce() - N) < 1e-9 * N,
        qPrintable(QStringLiteral("%1 against %2").arg(a.axialForce()).arg(N)));

    const ReportContent c =
        ReportBuilder::build(doc.project(), doc.analysisResult(), QString(), QDate());
    const ReportTable *table = nullptr;
    for (const ReportBlock &b : c.blocks) {
        if (b.kind == ReportBlock::Table
            && b.table.caption.endsWith(QStringLiteral("锚索(杆)内力")))
            table = &b.table;
    }
    QVERIFY(table);
    QCOMPARE(table->header.mid(5),
        QStringList({QStringLiteral("水平力(kN)"), QStringLiteral("竖向力(kN)"),
            QStringLiteral("轴力(kN)")}));
    QCOMPARE(table->rows.size(), 1);
    QCOMPARE(table->rows[0].last(), oneDecimal(N));
}

QTEST_GUILESS_MAIN(TestReport)
#include "tst_core_report.moc"
