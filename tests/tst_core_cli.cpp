// ridezu-cli as a user runs it: exit statuses, output and messages.

#include "document/document.h"
#include "engine/analysisresult.h"
#include "engine/designchecks.h"
#include "enginetestsupport.h"
#include "io/filesys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

Run cli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(RIDEZU_BIN_DIR "/ridezu-cli"), args);
    Run r;
    if (!p.waitForFinished(30000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.status = p.exitCode();
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void newThenCheck();
    void checkExample();
    void brokenFile();
    void arguments_data();
    void arguments();
    void analysePrintsTheLog();
    void analyseSavesResults();
    void analyseFailures();
    void analyseWritesTheResultTable();
    void analyseWithDesignChecks();
    void analyseWritesJson();
    void foreignXmlRefused();
    void absurdValuesRefused();
    void unreadableValueNamed();
    void storedDerivedValuesNotTrusted();
    void study();

private:
    QTemporaryDir m_dir;
};

void TestCli::newThenCheck()
{
    const QString file = m_dir.filePath(QStringLiteral("new.qzp"));
    const Run made = cli({QStringLiteral("new"), file});
    QCOMPARE(made.status, 0);
    QVERIFY(QFileInfo(file).size() > 0);

    const Run checked = cli({QStringLiteral("check"), file});
    QCOMPARE(checked.status, 0);
    QCOMPARE(checked.err, QString());
    for (const char *line : {"project: 某工程抗滑桩项目", "form: 单排桩",
             "pile 抗滑桩: length 16 m, 圆桩 D 1.2 m, C35, bottom 铰接",
             "  岩土层2: thickness 6 m, m法", "anchors: 1 (抗滑桩 1)", "additional forces: 0",
             "results: none"})
        QVERIFY2(checked.out.contains(QString::fromUtf8(line)), line);
}

void TestCli::checkExample()
{
    const Run r =
        cli({QStringLiteral("check"), QStringLiteral(RIDEZU_SOURCE_DIR "/examples/doublerow.qzp")});
    QCOMPARE(r.status, 0);
    for (const char *text : {"form: 双排桩", "pile 后桩:", "K法", "横梁 1", "力矩 1"})
        QVERIFY2(r.out.contains(QString::fromUtf8(text)), text);
}

void TestCli::brokenFile()
{
    const QString file = m_dir.filePath(QStringLiteral("broken.qzp"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("PK\3\4 not really an archive");
    f.close();
    const Run r = cli({QStringLiteral("check"), file});
    QCOMPARE(r.status, 2);
    QCOMPARE(r.out, QString());
    QVERIFY2(
        r.err.contains(QStringLiteral("打开文件\"%1\"失败").arg(QDir::toNativeSeparators(file))),
        qPrintable(r.err));

    const Run unwritable =
        cli({QStringLiteral("new"), m_dir.filePath(QStringLiteral("no/dir/x.qzp"))});
    QCOMPARE(unwritable.status, 1);
    QVERIFY(unwritable.err.contains(QStringLiteral("打开创建文件")));
}

void TestCli::arguments_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::newRow("help") << QStringList {QStringLiteral("--help")} << 0
                          << QStringLiteral("check FILE.qzp");
    QTest::newRow("command help") << QStringList {QStringLiteral("new"), QStringLiteral("--help")}
                                  << 0 << QStringLiteral("Usage: ridezu-cli new FILE.qzp");
    QTest::newRow("check without file") << QStringList {QStringLiteral("check")} << 2 << QString();
    QTest::newRow("two files") << QStringList {QStringLiteral("check"), QStringLiteral("a"),
        QStringLiteral("b")} << 2
                               << QString();
    QTest::newRow("new without file") << QStringList {QStringLiteral("new")} << 2 << QString();
    QTest::newRow("unknown command")
        << QStringList {QStringLiteral("frobnicate")} << 2 << QString();
}

void TestCli::arguments()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, out);
    const Run r = cli(args);
    QCOMPARE(r.status, status);
    QVERIFY2(r.out.contains(out), qPrintable(r.out));
    if (status != 0)
        QVERIFY(!r.err.isEmpty());
}

void TestCli::analysePrintsTheLog()
{
    // Exactly the lines the analysis adds to the log, nothing else.
    const QString example = QStringLiteral(RIDEZU_SOURCE_DIR "/examples/doublerow.qzp");
    Project p = Project::defaultProject();
    QCOMPARE(FileSys().readProject(p, example), QString());
    p.status = (p.status & SHOWMARK) | SHOWDATA;
    Document doc;
    doc.replaceProject(p);
    const int first = doc.messages.size();
    QVERIFY(doc.analyse());
    const QString expected = doc.messages.mid(first).join('\n') + '\n';

    const Run r = cli({QStringLiteral("analyse"), example});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.out, expected);
    QCOMPARE(r.err, QString());
    QVERIFY(r.out.startsWith(QStringLiteral(">>数据合理性检查正确\n")));
    QVERIFY(r.out.contains(QStringLiteral(">>后桩弯矩（")));
}

void TestCli::analyseSavesResults()
{
    const QString out = m_dir.filePath(QStringLiteral("analysed.qzp"));
    const Run r = cli({QStringLiteral("analyse"),
        QStringLiteral(RIDEZU_SOURCE_DIR "/examples/singlerow-anchors.qzp"),
        QStringLiteral("--save"), out});
    QCOMPARE(r.status, 0);
    Project doc = Project::defaultProject();
    QCOMPARE(FileSys().readProject(doc, out), QString());
    QVERIFY(doc.status & SHOWRESULT);
    QVERIFY(doc.nodes.size() > 10);
    QCOMPARE(doc.results.size(), doc.beams.size());
    QVERIFY(doc.extremes.Min1.D < 0.0);
    // The saved results are those the report printed.
    QVERIFY(r.out.contains(QStringLiteral("（%1~").arg(doc.extremes.Min1.D * 1000, 0, 'f', 1)));

    // Analysing a project that is already in result mode runs it again.
    const Run again = cli({QStringLiteral("analyse"), out});
    QCOMPARE(again.status, 0);
    QVERIFY(again.out.contains(QStringLiteral(">>计算结束")));
}

void TestCli::analyseFailures()
{
    // An input check error: exit 1, the error line, a saved file in input mode.
    Project doc = Project::defaultProject();
    doc.frontPile.length = 1.5;
    doc.base.slideBackH = 1.0;
    doc.base.cutH = 1.0;
    doc.updateGeometry();
    doc.updateBaseData();
    const QString bad = m_dir.filePath(QStringLiteral("short.qzp"));
    QCOMPARE(FileSys().writeProject(doc, bad), QString());
    const QString out = m_dir.filePath(QStringLiteral("short-out.qzp"));
    const QString csv = m_dir.filePath(QStringLiteral("short.csv"));
    const Run r = cli({QStringLiteral("analyse"), bad, QStringLiteral("--save"), out,
        QStringLiteral("--csv"), csv});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out, QStringLiteral(">>错误：桩长小于2m\n"));
    Project saved = Project::defaultProject();
    QCOMPARE(FileSys().readProject(saved, out), QString());
    QCOMPARE(saved.status & (SHOWDATA | SHOWRESULT), SHOWDATA);
    // No results, no result table: said so, and no file.
    QVERIFY2(r.err.contains(QStringLiteral("没有有效的计算结果")), qPrintable(r.err));
    QVERIFY(!QFileInfo::exists(csv));

    // Unreadable and missing files: exit 2, message on standard error only.
    const Run missing =
        cli({QStringLiteral("analyse"), m_dir.filePath(QStringLiteral("none.qzp"))});
    QCOMPARE(missing.status, 2);
    QCOMPARE(missing.out, QString());
    QVERIFY(!missing.err.isEmpty());
    QCOMPARE(cli({QStringLiteral("analyse")}).status, 2);
}

void TestCli::analyseWritesTheResultTable()
{
    const QString csv = m_dir.filePath(QStringLiteral("default.csv"));
    const Run r = cli({QStringLiteral("analyse"),
        QStringLiteral(RIDEZU_SOURCE_DIR "/examples/default.qzp"), QStringLiteral("--csv"), csv});
    QCOMPARE(r.status, 0);
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF\xE6\xA1\xA9,")); // BOM, then "桩,"
    // The header and one line per node of the pile, as the analysis built it.
    Project p = Project::defaultProject();
    QCOMPARE(FileSys().readProject(p, QStringLiteral(RIDEZU_SOURCE_DIR "/examples/default.qzp")),
        QString());
    p.status = SHOWDATA;
    Document doc;
    doc.replaceProject(p);
    QVERIFY(doc.analyse());
    QCOMPARE(bytes.count("\r\n"), doc.project().nodes.size() + 1);
}

void TestCli::analyseWithDesignChecks()
{
    // The check lines follow the analysis lines; exit 0 whatever they say,
    // 3 with --strict when one fails.
    const QString example = QStringLiteral(RIDEZU_SOURCE_DIR "/examples/default.qzp");
    const Run plain = cli({QStringLiteral("analyse"), example});
    const Run r = cli({QStringLiteral("analyse"), example, QStringLiteral("--design")});
    QCOMPARE(r.status, 0);
    QVERIFY(r.out.startsWith(plain.out));
    const QStringList lines = r.out.mid(plain.out.size()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.first(), QStringLiteral("抗滑桩配筋: As=32165mm², 40Φ32 满足"));
    QCOMPARE(lines.last(), QStringLiteral("设计验算：4项不满足"));
    QCOMPARE(lines.filter(QStringLiteral(" 不满足")).size(), 4);
    const Run strict = cli({QStringLiteral("analyse"), example, QStringLiteral("--design"),
        QStringLiteral("--strict")});
    QCOMPARE(strict.status, 3);
    QCOMPARE(strict.out, r.out);

    // Looser limits, a stronger upper layer, a better bond and stronger
    // strands leave nothing unsatisfied: --strict exits 0.
    Document doc;
    QList<SoilInfo> soils = doc.project().soils;
    soils[0].fi = 40.0;
    QVERIFY(doc.changeSoils(soils));
    QList<AnchorInfo> anchors = doc.project().anchors;
    anchors[0].frbk = 500.0;
    QVERIFY(doc.changeAnchors(anchors));
    DesignInfo design = doc.project().design;
    design.limitTopRatio = 0.02;
    design.limitSlip = 0.03;
    design.fpy = 1860.0;
    QVERIFY(doc.changeDesign(design));
    const QString passing = m_dir.filePath(QStringLiteral("passing.qzp"));
    QCOMPARE(FileSys().writeProject(doc.project(), passing), QString());
    const Run good = cli({QStringLiteral("analyse"), passing, QStringLiteral("--design"),
        QStringLiteral("--strict")});
    QCOMPARE(good.status, 0);
    QVERIFY2(good.out.endsWith(QStringLiteral("设计验算：0项不满足\n")), qPrintable(good.out));
}

void TestCli::analyseWritesJson()
{
    const QString example = QStringLiteral(RIDEZU_SOURCE_DIR "/examples/doublerow.qzp");
    const QString file = m_dir.filePath(QStringLiteral("doublerow.json"));
    const Run r = cli({QStringLiteral("analyse"), example, QStringLiteral("--design"),
        QStringLiteral("--json"), file});
    QCOMPARE(r.status, 0);
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(bytes, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    QVERIFY(!bytes.contains("nan") && !bytes.contains("inf"));

    const auto keys = [](const QJsonValue &v) { return v.toObject().keys().join(','); };
    QCOMPARE(keys(o), QStringLiteral("anchors,checks,doubleRow,extremes,log,piles,valid"));
    Project p = Project::defaultProject();
    QCOMPARE(FileSys().readProject(p, example), QString());
    Document doc;
    doc.replaceProject(p);
    doc.showInput();
    QVERIFY(doc.analyse());
    QCOMPARE(o[QStringLiteral("log")].toArray().size(), doc.analysisResult().log.size());
    QCOMPARE(keys(o[QStringLiteral("extremes")]), QStringLiteral("back,front"));
    QCOMPARE(o[QStringLiteral("extremes")][QStringLiteral("front")][QStringLiteral("displacement")]
              [QStringLiteral("min")]
                  .toDouble(),
        doc.project().extremes.Min1.D * 1000.0);
    const QJsonArray piles = o[QStringLiteral("piles")].toArray();
    QCOMPARE(piles.size(), 2);
    QCOMPARE(keys(piles[0].toObject()[QStringLiteral("nodes")].toArray().first()),
        QStringLiteral(
            "axial,betweenRows,depth,displacement,elevation,moment,node,reaction,shear"));
    QCOMPARE(keys(o[QStringLiteral("anchors")].toArray().first()),
        QStringLiteral("angle,axialForce,distance,forceH,forceV,headElevation,id,member,preforce"));
    // The tendon force is the one the checks take.
    QCOMPARE(o[QStringLiteral("anchors")][0][QStringLiteral("axialForce")].toDouble(),
        doc.analysisResult().anchors.first().axialForce);

    // The checks: every member of the double row, the keys of each check.
    const QJsonObject checks = o[QStringLiteral("checks")].toObject();
    QCOMPARE(keys(checks), QStringLiteral("anchors,back,beam,front,ok"));
    QCOMPARE(keys(checks[QStringLiteral("front")]),
        QStringLiteral("bearing,displacement,flexure,shear"));
    QCOMPARE(keys(checks[QStringLiteral("beam")]), QStringLiteral("flexure,shear"));
    QCOMPARE(keys(checks[QStringLiteral("front")][QStringLiteral("flexure")].toArray().first()),
        QStringLiteral("Md,asMin,asRequired,bars,ok,sign"));
    QCOMPARE(keys(checks[QStringLiteral("beam")][QStringLiteral("shear")]),
        QStringLiteral("Vc,Vd,Vlimit,asvPerMetre,ok,spacing"));
    QCOMPARE(keys(checks[QStringLiteral("back")][QStringLiteral("displacement")]),
        QStringLiteral("ok,slip,slipLimit,top,topLimit"));
    QCOMPARE(keys(checks[QStringLiteral("back")][QStringLiteral("bearing")].toArray().first()),
        QStringLiteral("allowable,depth,kind,layer,ok,sigma"));
    QCOMPARE(keys(checks[QStringLiteral("anchors")].toArray().first()),
        QStringLiteral("Nak,bond,bondRequired,id,ok,tendons,tendonsRequired"));

    // The numbers are those of the checks, in the units of the README.
    const DesignResult design = designChecks(doc.project());
    QVERIFY(design.valid);
    QCOMPARE(checks[QStringLiteral("ok")].toBool(), design.ok());
    QCOMPARE(checks[QStringLiteral("beam")][QStringLiteral("flexure")].toArray().size(), 2);
    QCOMPARE(checks[QStringLiteral("front")][QStringLiteral("displacement")][QStringLiteral("top")]
                 .toDouble(),
        design.members[0].displacement.top * 1000.0);
    QCOMPARE(checks[QStringLiteral("anchors")].toArray().size(), design.anchors.size());

    // Without --design there are no checks.
    QCOMPARE(cli({QStringLiteral("analyse"), example, QStringLiteral("--json"), file}).status, 0);
    f.close();
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(!QJsonDocument::fromJson(f.readAll()).object().contains(QStringLiteral("checks")));
}

void TestCli::foreignXmlRefused()
{
    // An XML that is not a project, and a project without its version, are
    // refused instead of opening as the default project.
    const QList<QPair<QString, QByteArray>> files = {
        {QStringLiteral("foreign.qzp"), "<?xml version=\"1.0\"?><a/>"},
        {QStringLiteral("unversioned.qzp"),
            "<?xml version=\"1.0\"?><RIDezuData><Display status=\"1\"/></RIDezuData>"},
    };
    for (const auto &[name, data] : files) {
        const QString file = m_dir.filePath(name);
        QuaZip zip(file);
        QVERIFY(zip.open(QuaZip::mdCreate));
        QuaZipFile member(&zip);
        QVERIFY(member.open(QIODevice::WriteOnly, QuaZipNewInfo(QStringLiteral("data.xml"))));
        member.write(data);
        member.close();
        zip.close();
        for (const char *command : {"check", "analyse"}) {
            const Run r = cli({QString::fromLatin1(command), file});
            QCOMPARE(r.status, 2);
            QCOMPARE(r.out, QString());
            QVERIFY2(r.err.contains(QStringLiteral("文件解析错误")), qPrintable(r.err));
        }
    }
}

void TestCli::absurdValuesRefused()
{
    // A force of 1e300 kN/m on a pile of almost no stiffness once printed an
    // infinite displacement and exited 0; the check now names the field.
    Project doc = Project::defaultProject();
    ForceInfo f;
    f.type = LOADPNT;
    f.F = 1e300;
    f.distance = 2.0;
    doc.AddForces = {f};
    doc.base.reduceE = 1e-9f;
    doc.soils[0].m = 0.0;
    doc.soils[1].m = 0.0;
    doc.placeForces();
    const QString file = m_dir.filePath(QStringLiteral("huge.qzp"));
    QCOMPARE(FileSys().writeProject(doc, file), QString());
    Run r = cli({QStringLiteral("analyse"), file});
    QCOMPARE(r.status, 1);
    QVERIFY2(r.out.startsWith(QStringLiteral(">>错误：数据不合理，")), qPrintable(r.out));
    QVERIFY(!r.out.contains(QStringLiteral("inf")));

    doc.base.reduceE = 1.0f;
    QCOMPARE(FileSys().writeProject(doc, file), QString());
    r = cli({QStringLiteral("analyse"), file});
    QCOMPARE(r.status, 1);
    QCOMPARE(r.out,
        QStringLiteral(
            ">>错误：数据不合理，附加力1的力值超出合理范围（绝对值不大于1000000kN/m）\n"));
}

void TestCli::unreadableValueNamed()
{
    // A depth the reader cannot read is taken as 0, as before, but no longer
    // in silence: standard error names the field, and the analysis runs.
    Project doc = Project::defaultProject();
    const QString good = m_dir.filePath(QStringLiteral("readable.qzp"));
    QCOMPARE(FileSys().writeProject(doc, good), QString());
    QuaZip in(good);
    QVERIFY(in.open(QuaZip::mdUnzip) && in.setCurrentFile(QStringLiteral("data.xml")));
    QuaZipFile data(&in);
    QVERIFY(data.open(QIODevice::ReadOnly));
    QByteArray xml = data.readAll();
    QVERIFY(xml.contains("<SlideDepthBack h=\"6\""));
    xml.replace("<SlideDepthBack h=\"6\"", "<SlideDepthBack h=\"1e999\"");
    const QString file = m_dir.filePath(QStringLiteral("unreadable.qzp"));
    QuaZip out(file);
    QVERIFY(out.open(QuaZip::mdCreate));
    QuaZipFile member(&out);
    QVERIFY(member.open(QIODevice::WriteOnly, QuaZipNewInfo(QStringLiteral("data.xml"))));
    member.write(xml);
    member.close();
    out.close();

    const Run r = cli({QStringLiteral("analyse"), file});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err, QStringLiteral("ridezu-cli: 文件中SlideDepthBack的h值无法识别，按0处理\n"));
    QVERIFY(r.out.contains(QStringLiteral(">>计算结果如下:")));
}

void TestCli::storedDerivedValuesNotTrusted()
{
    // A file whose stored derived values disagree with its input (pile top
    // moved by 1 mm, anchor stiffness and thrust loads spoilt) analyses
    // exactly like the consistent file, and keeps what the file holds.
    Project doc = Project::defaultProject();
    const QString good = m_dir.filePath(QStringLiteral("consistent.qzp"));
    QCOMPARE(FileSys().writeProject(doc, good), QString());
    doc.frontPile.topXg = 0.001;
    doc.frontPile.b0 = 0.1;
    doc.anchors[0].kh = 1.0;
    doc.BaseForces[0].q1g = 0.0;
    doc.soils[1].bottomY = -30.0;
    const QString spoilt = m_dir.filePath(QStringLiteral("spoilt.qzp"));
    QCOMPARE(FileSys().writeProject(doc, spoilt), QString());

    const Run a = cli({QStringLiteral("analyse"), good});
    const QString saved = m_dir.filePath(QStringLiteral("spoilt-out.qzp"));
    const Run b = cli({QStringLiteral("analyse"), spoilt, QStringLiteral("--save"), saved});
    QCOMPARE(a.status, 0);
    QCOMPARE(b.status, 0);
    QCOMPARE(b.out, a.out);
    QVERIFY(!a.out.contains(QStringLiteral("0.0~ 0.0")));

    Project reread = Project::defaultProject();
    QCOMPARE(FileSys().readProject(reread, saved), QString());
    QCOMPARE(reread.frontPile.topXg, 0.001);
    QCOMPARE(reread.anchors[0].kh, 1.0);
    QVERIFY(reread.anchors[0].forceH > 0.0);
}

void TestCli::study()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("socket.qzp"));
    QCOMPARE(FileSys().writeProject(rockSocketProject(), file), QString());
    const QString csv = dir.filePath(QStringLiteral("study.csv"));
    const QStringList sweep {QStringLiteral("study"), file, QStringLiteral("--param"),
        QStringLiteral("length"), QStringLiteral("--from"), QStringLiteral("8"),
        QStringLiteral("--to"), QStringLiteral("13.5"), QStringLiteral("--step"),
        QStringLiteral("1")};

    const Run r = cli(sweep + QStringList {QStringLiteral("--csv"), csv});
    QCOMPARE(r.status, 0);
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // 8 … 13: six variants, then the conclusion.
    QCOMPARE(lines.size(), 7);
    QVERIFY2(lines[0].startsWith(QStringLiteral("桩长 = 8 m：计算失败，桩底高于滑面")),
        qPrintable(lines[0]));
    QVERIFY(lines[5].startsWith(QStringLiteral("桩长 = 13 m：抗滑桩 |M|max ")));
    QCOMPARE(lines.last(), QStringLiteral("最小满足值：桩长 = 11 m"));
    QFile table(csv);
    QVERIFY(table.open(QIODevice::ReadOnly));
    const QByteArray bytes = table.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF桩长(m),|M|max(kN·m),"));
    QCOMPARE(bytes.count("\r\n"), 7);

    // None passes: said so on the last line, still a study that ran.
    const Run none =
        cli({QStringLiteral("study"), file, QStringLiteral("--param"), QStringLiteral("length"),
            QStringLiteral("--from"), QStringLiteral("6"), QStringLiteral("--to"),
            QStringLiteral("9"), QStringLiteral("--step"), QStringLiteral("1.5")});
    QCOMPARE(none.status, 0);
    QVERIFY(none.out.endsWith(QStringLiteral("没有满足全部验算的取值\n")));

    // Wrong arguments: exit 2 before anything runs, and the file is kept.
    const QByteArray saved = [&file] {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    for (const QStringList &bad : {QStringList {QStringLiteral("--step"), QStringLiteral("0")},
             QStringList {QStringLiteral("--param"), QStringLiteral("girth")},
             QStringList {QStringLiteral("--to"), QStringLiteral("61")},
             QStringList {QStringLiteral("--pile"), QStringLiteral("back")},
             QStringList {QStringLiteral("--from"), QStringLiteral("x")}}) {
        const Run b = cli(sweep + bad);
        QVERIFY2(b.status == 2 && b.out.isEmpty() && !b.err.isEmpty(), qPrintable(bad.join(' ')));
    }
    QCOMPARE(cli({QStringLiteral("study"), file}).status, 2);
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), saved);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_core_cli.moc"
