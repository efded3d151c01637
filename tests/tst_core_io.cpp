// The project file: round trip of every field, the file layout, the reader's
// defaults and notes, every failure message, and damaged or hostile files.

#include "document/document.h"
#include "engine/analysisresult.h"
#include "engine/results.h"
#include "io/filesys.h"
#include "io/numbers.h"
#include "results/resultcsv.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>
#include <quazip/quazipnewinfo.h>

#include <zlib.h>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

// Fields of each record, by type, for filling and comparing.
// clang-format off
#define BASE_DOUBLES(X) X(slideBackH) X(slideBackYg) X(slideFrontH) X(slideFrontYg) X(cutH) \
    X(cutYg) X(aforce) X(pforce) X(ratio) X(dl) X(space) X(row) X(dpel) X(mRatio)
#define BASE_INTS(X) X(PileForm) X(shape) X(interact)
#define PILE_DOUBLES(X) X(length) X(topElevation) X(topXg) X(topYg) X(bottomXg) X(bottomYg) \
    X(diameter) X(height) X(width) X(area) X(I) X(E) X(space) X(b0)
#define PILE_INTS(X) X(id) X(shp) X(grade) X(support) X(sptindex)
#define BEAM_DOUBLES(X) X(length) X(leftXg) X(leftYg) X(rightXg) X(rightYg) X(height) X(width) \
    X(area) X(I) X(E)
#define BEAM_INTS(X) X(id) X(grade)
#define SOIL_DOUBLES(X) X(r) X(c) X(fi) X(Es) X(thickness) X(bottomY) X(m) X(k)
#define SOIL_INTS(X) X(id) X(type)
#define ANCHOR_DOUBLES(X) X(cableDiam) X(rodDiam) X(A) X(Dc) X(Ac) X(Es) X(Em) X(Ec) X(lf) \
    X(la) X(preforce) X(angle) X(kh) X(kv) X(distance) X(x1g) X(y1g) X(x2g) X(y2g) X(x3g) \
    X(y3g) X(forceH) X(forceV)
#define ANCHOR_INTS(X) X(id) X(anchorType) X(soilType) X(cableNum) X(rodNum) X(object)
#define FORCE_DOUBLES(X) X(F) X(Fg) X(M) X(Mg) X(q1) X(q2) X(q1g) X(q2g) X(length) X(ratio) \
    X(distance) X(x1g) X(y1g) X(x2g) X(y2g)
#define FORCE_INTS(X) X(id) X(type) X(shape) X(direction) X(object)
#define NODE_DOUBLES(X) X(Xg) X(Yg) X(b0) X(upH) X(downH) X(SKr) X(SKl) X(SKd) X(AKl) X(AKu) \
    X(Kr) X(Kl) X(Ku) X(Kd) X(FX) X(FY) X(FM) X(OriginX) X(OriginY) X(Dx) X(Dy)
#define NODE_INTS(X) X(id) X(RorL) X(UorD)
#define ELEMENT_DOUBLES(X) X(E) X(A) X(I) X(L) X(c) X(s) X(Ni) X(Qi) X(Mi) X(Nj) X(Qj) X(Mj) \
    X(Origin) X(Dl)
#define ELEMENT_INTS(X) X(i) X(j) X(ob) X(bEs)
#define RESULT_DOUBLES(X) X(Xi) X(Yi) X(Ai) X(Xj) X(Yj) X(Aj) X(Ni) X(Qi) X(Mi) X(Nj) X(Qj) \
    X(Mj) X(SPi) X(SPj) X(BPi) X(BPj)
#define RESULT_INTS(X) X(i) X(j) X(ob)
#define EXTREME_DOUBLES(X) X(D) X(M) X(Q) X(R)
// clang-format on

namespace {

// Distinct values of many magnitudes and both signs, with up to seventeen digits.
struct Sequence
{
    int n = 0;
    double number()
    {
        ++n;
        const double v = (1.0 + n * 0.0123456789 + 1.7e-9) * std::pow(10.0, n % 11 - 5);
        return n % 3 == 0 ? -v : v;
    }
    int integer() { return 100 + ++n; }
};

#define FILL_DOUBLE(f) r.f = seq.number();
#define FILL_INT(f) r.f = decltype(r.f)(seq.integer());
#define SAME_DOUBLE(f) QVERIFY(got.f == want.f);
#define SAME_INT(f) QCOMPARE(got.f, want.f);
#define RECORD_HELPERS(Type, DOUBLES, INTS)                                                        \
    void fill(Type &r, Sequence &seq)                                                              \
    {                                                                                              \
        DOUBLES(FILL_DOUBLE) INTS(FILL_INT)                                                        \
    }                                                                                              \
    void compare(const Type &got, const Type &want)                                                \
    {                                                                                              \
        DOUBLES(SAME_DOUBLE) INTS(SAME_INT)                                                        \
    }

#define NO_INTS(X)
RECORD_HELPERS(BaseInfo, BASE_DOUBLES, BASE_INTS)
RECORD_HELPERS(PileInfo, PILE_DOUBLES, PILE_INTS)
RECORD_HELPERS(LinkBeamInfo, BEAM_DOUBLES, BEAM_INTS)
RECORD_HELPERS(AnchorInfo, ANCHOR_DOUBLES, ANCHOR_INTS)
RECORD_HELPERS(ForceInfo, FORCE_DOUBLES, FORCE_INTS)
RECORD_HELPERS(NodeInfo, NODE_DOUBLES, NODE_INTS)
RECORD_HELPERS(BeamInfo, ELEMENT_DOUBLES, ELEMENT_INTS)
RECORD_HELPERS(ResultInfo, RESULT_DOUBLES, RESULT_INTS)
RECORD_HELPERS(ExtremeValues, EXTREME_DOUBLES, NO_INTS)

void fill(SoilInfo &r, Sequence &seq)
{
    SOIL_DOUBLES(FILL_DOUBLE)
    SOIL_INTS(FILL_INT) r.Name = QStringLiteral("层 <%1> & \"x\"").arg(seq.integer());
}
void compare(const SoilInfo &got, const SoilInfo &want)
{
    SOIL_DOUBLES(SAME_DOUBLE) SOIL_INTS(SAME_INT) QCOMPARE(got.Name, want.Name);
}

template <class R> void fillList(QList<R> &list, int count, Sequence &seq)
{
    list.resize(count);
    for (R &r : list)
        fill(r, seq);
}

template <class R> void compareList(const QList<R> &got, const QList<R> &want)
{
    QCOMPARE(got.size(), want.size());
    for (int n = 0; n < got.size(); ++n)
        compare(got[n], want[n]);
}

QByteArray member(const QString &path, const QString &name)
{
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip) || !zip.setCurrentFile(name))
        return QByteArray();
    QuaZipFile file(&zip);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeZip(const QString &path, const QList<QPair<QString, QByteArray>> &members)
{
    QuaZip zip(path);
    QVERIFY(zip.open(QuaZip::mdCreate));
    for (const auto &[name, bytes] : members) {
        QuaZipFile file(&zip);
        QVERIFY(file.open(QIODevice::WriteOnly, QuaZipNewInfo(name)));
        file.write(bytes);
        file.close();
    }
    zip.close();
}

QByteArray dataXml(const QByteArray &body, const QByteArray &version = "1.1")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<RIDezuData><FileVer version=\"" + version
        + "\"/>" + body + "</RIDezuData>\n";
}

QString read(Project &doc, const QString &path)
{
    return FileSys().readProject(doc, path);
}

// The project as the file would hold it, to tell whether a read changed it.
QByteArray snapshot(const Project &doc)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.qzp"));
    if (!FileSys().writeProject(doc, path).isEmpty())
        return QByteArray("write failed");
    return member(path, QStringLiteral("data.xml")) + member(path, QStringLiteral("result.xml"));
}

QString example(const char *name)
{
    return QStringLiteral(RIDEZU_SOURCE_DIR "/examples/") + QLatin1String(name);
}

} // namespace

class TestIo : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

private slots:
    void roundTripEveryField()
    {
        Sequence seq;
        Project doc = Project::defaultProject();
        fill(doc.base, seq);
        doc.base.reduceE = 0.8512345f;
        doc.base.weight = false;
        doc.base.ProjectName = QStringLiteral("双排 <桩> & \"工程\" 'a'");
        fill(doc.frontPile, seq);
        fill(doc.backPile, seq);
        fill(doc.linkBeam, seq);
        fillList(doc.soils, 3, seq);
        fillList(doc.anchors, 4, seq);
        fillList(doc.BaseForces, 2, seq);
        fillList(doc.AddForces, 5, seq);
        fillList(doc.nodes, 5, seq);
        fillList(doc.beams, 4, seq);
        fillList(doc.results, 4, seq);
        // Results must name existing nodes to be kept.
        for (BeamInfo &e : doc.beams) {
            e.i %= 5;
            e.j %= 5;
        }
        for (ResultInfo &r : doc.results) {
            r.i %= 5;
            r.j %= 5;
        }
        doc.frontPile.sptindex %= 5;
        doc.backPile.sptindex %= 5;
        const auto extremes = {&ResultExtremes::Max1, &ResultExtremes::Max2, &ResultExtremes::Min1,
            &ResultExtremes::Min2};
        for (const auto extreme : extremes)
            fill(doc.extremes.*extreme, seq);
        doc.status = SHOWRESULT | SHOWMARK;
        doc.blc = seq.number();
        doc.blcfull = seq.number();
        doc.x0 = -1234567;
        doc.y0 = 7654321;

        QCOMPARE(FileSys().writeProject(doc, path("all.qzp")), QString());
        Project got = Project::defaultProject();
        QCOMPARE(read(got, path("all.qzp")), QString());

        QCOMPARE(got.status, doc.status);
        QVERIFY(got.blc == doc.blc);
        QVERIFY(got.blcfull == doc.blcfull);
        QCOMPARE(got.x0, doc.x0);
        QCOMPARE(got.y0, doc.y0);
        compare(got.base, doc.base);
        QVERIFY(got.base.reduceE == 0.8512345f);
        QCOMPARE(got.base.weight, false);
        QCOMPARE(got.base.ProjectName, doc.base.ProjectName);
        compare(got.frontPile, doc.frontPile);
        compare(got.backPile, doc.backPile);
        compare(got.linkBeam, doc.linkBeam);
        compareList(got.soils, doc.soils);
        compareList(got.anchors, doc.anchors);
        compareList(got.BaseForces, doc.BaseForces);
        compareList(got.AddForces, doc.AddForces);
        compareList(got.nodes, doc.nodes);
        compareList(got.beams, doc.beams);
        compareList(got.results, doc.results);
        for (const auto extreme : extremes)
            compare(got.extremes.*extreme, doc.extremes.*extreme);
    }

    // The analysed double-row example holds a record of every kind: written
    // again, both members come out line for line as they were, so any change of
    // element order, attribute order or number format shows. Without results
    // only data.xml is written.
    void fileLayout()
    {
        const QString original = example("doublerow-analysed.qzp");
        Project doc = Project::defaultProject();
        QCOMPARE(read(doc, original), QString());
        QCOMPARE(FileSys().writeProject(doc, path("again.qzp")), QString());
        for (const char *name : {"data.xml", "result.xml"}) {
            const QByteArray before = member(original, QLatin1String(name));
            QCOMPARE(
                member(path("again.qzp"), QLatin1String(name)).split('\n'), before.split('\n'));
        }
        // Both members unpack as regular files that every user may read
        // (mode 0644), stamped with the time they were written.
        QuaZip written(path("again.qzp"));
        QVERIFY(written.open(QuaZip::mdUnzip));
        const QList<QuaZipFileInfo64> members = written.getFileInfoList64();
        QCOMPARE(members.size(), 2);
        for (const QuaZipFileInfo64 &info : members) {
            QCOMPARE(info.externalAttr >> 16, 0100644u);
            QCOMPARE(info.getPermissions(),
                QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
            QVERIFY(qAbs(info.dateTime.secsTo(QDateTime::currentDateTime())) < 3600);
        }

        doc.status = SHOWDATA | SHOWMARK;
        QCOMPARE(FileSys().writeProject(doc, path("input.qzp")), QString());
        QuaZip zip(path("input.qzp"));
        QVERIFY(zip.open(QuaZip::mdUnzip));
        QCOMPARE(zip.getFileNameList(), QStringList {QStringLiteral("data.xml")});
    }

    void readFailures_data()
    {
        QTest::addColumn<QByteArray>("file"); // raw bytes, or empty for a zip built from the rest
        QTest::addColumn<QByteArray>("data"); // data.xml, or empty for a zip without it
        QTest::addColumn<QString>("message");
        const QString name = QDir::toNativeSeparators(path("bad.qzp"));
        QTest::newRow("not a zip")
            << QByteArray("plain text, not an archive") << QByteArray()
            << QStringLiteral("打开文件\"%1\"失败：文件已损坏或不是项目文件").arg(name);
        QTest::newRow("no data.xml")
            << QByteArray() << QByteArray()
            << QStringLiteral("读取文件\"%1\"出错：缺少data.xml").arg(name);
        QTest::newRow("no result.xml")
            << QByteArray() << dataXml("<Display status=\"2\"/>")
            << QStringLiteral("读取文件\"%1\"出错：缺少result.xml").arg(name);
        QTest::newRow("newer") << QByteArray() << dataXml("", "1.2")
                               << QStringLiteral("读取高版本文件");
        QTest::newRow("older") << QByteArray() << dataXml("<Display status=\"1\" x0=\"9\"/>", "0.9")
                               << QStringLiteral("文件版本0.9过低，无法读取");
        QTest::newRow("malformed")
            << QByteArray() << dataXml("<BaseData>\n<PileForm>2</BaseData>")
            << QStringLiteral("文件解析错误：\"%1\"中data.xml第3行格式有误").arg(name);
        QTest::newRow("not a project")
            << QByteArray() << QByteArray("<?xml version=\"1.0\"?><Other/>")
            << QStringLiteral("文件解析错误：\"%1\"中data.xml不是本程序的项目数据").arg(name);
        QByteArray many = "<AddForces>";
        for (int n = 0; n <= FileSys::MAXINPUTRECORDS; ++n)
            many += "<x/>";
        QTest::newRow("too many") << QByteArray() << dataXml(many + "</AddForces>")
                                  << QStringLiteral("文件\"%1\"中的记录过多，无法读取").arg(name);
    }

    // Every refusal names its cause and leaves the document as it was.
    void readFailures()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, data);
        QFETCH(QString, message);
        QFile::remove(path("bad.qzp"));
        if (!file.isEmpty()) {
            QFile f(path("bad.qzp"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(file);
        } else {
            writeZip(path("bad.qzp"),
                {{data.isEmpty() ? QStringLiteral("other.xml") : QStringLiteral("data.xml"),
                    data.isEmpty() ? dataXml("") : data}});
        }
        Project doc = Project::defaultProject();
        doc.base.row = 7.25;
        const QByteArray before = snapshot(doc);
        QCOMPARE(read(doc, path("bad.qzp")), message);
        QCOMPARE(snapshot(doc), before);
    }

    // A save that cannot create or finish its file leaves the previous file as
    // it was.
    void failedSaveKeepsOldFile()
    {
        Project doc = Project::defaultProject();
        const QString lost = path("no/such/dir/p.qzp");
        QCOMPARE(FileSys().writeProject(doc, lost),
            QStringLiteral("打开创建文件%1失败").arg(QDir::toNativeSeparators(lost)));
        QVERIFY(!QFile::exists(lost));
#ifdef Q_OS_UNIX
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("keep.qzp"));
        QCOMPARE(FileSys().writeProject(doc, target), QString());
        const QByteArray old = fileBytes(target);

        doc.base.ProjectName = QStringLiteral("另一个项目");
        // Writes beyond the first byte of a file fail with EFBIG, even for root.
        rlimit saved;
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = 1;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
        const QString message = FileSys().writeProject(doc, target);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(
            message, QStringLiteral("打开创建文件%1失败").arg(QDir::toNativeSeparators(target)));
        QCOMPARE(fileBytes(target), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("keep.qzp")});
#endif
    }

    // What the reader makes of missing, misspelt, foreign and unreadable parts.
    void readerDefaults()
    {
        writeZip(path("defaults.qzp"),
            {{QStringLiteral("data.xml"),
                 "<RIDezuData><FileVer version=\"1.1\"/>"
                 "<Display status=\"6\" blc=\"nan\" blcfull=\"inf\" x0=\"99999999999\" y0=\"abc\"/>"
                 "<BaseData><PileForm> 2 </PileForm><Setting reduceE=\"1e300\" weight=\"True\"/>"
                 "<position row=\"55\"/></BaseData><SoilDatas><SoilData id=\"5\"><Name>A</Name>"
                 "<Position thickness=\"3\" bottomY=\"1e999\"/><Coefficient r=\"0x10\" c=\"-inf\"/>"
                 "</SoilData><SoilData/><SoilData><Extra><SoilData id=\"9\"/></Extra></SoilData>"
                 "<Layer id=\"7\"/></SoilDatas><PileData id=\"0\"><Size length=\"20\"/>"
                 "<size length=\"99\"/></PileData><pileBackData id=\"4\"/></RIDezuData>"},
                {QStringLiteral("result.xml"),
                    "<ResultData><NodeDatas><Node id=\"3\"><Proprety Xg=\"1.5\"/></Node>"
                    "<X/><X/><X/><X/></NodeDatas><BeamDatas><Beam i=\"2\"/><Y/></BeamDatas>"
                    "<ResultDatas><Z/><Result j=\"4\"><React SPi=\"2\"/></Result></ResultDatas>"
                    "<MaxAndMinDatas><Max2 D=\"0.5\"/><max1 D=\"9\"/></MaxAndMinDatas>"
                    "</ResultData>"}});
        Project doc = Project::defaultProject();
        doc.frontPile.b0 = 7.5;
        doc.base.row = 9.0;
        doc.AddForces.resize(2);
        doc.extremes.Min1.Q = -4.0;
        FileSys reader;
        QCOMPARE(reader.readProject(doc, path("defaults.qzp")), QString());

        // Unreadable numbers read as 0, and the notes name each of them in
        // file order; missing attributes and flags go unnoted.
        QStringList notes;
        for (const char *field : {"Display blc", "Display blcfull", "Display x0", "Display y0",
                 "Setting reduceE", "Position bottomY", "Coefficient r", "Coefficient c"}) {
            const QStringList parts = QString::fromLatin1(field).split(QLatin1Char(' '));
            notes << QStringLiteral("文件中%1的%2值无法识别，按0处理").arg(parts[0], parts[1]);
        }
        QCOMPARE(reader.notes(), notes);
        QCOMPARE(doc.status, SHOWRESULT | SHOWMARK);
        QCOMPARE(doc.blc, 0.0);
        QCOMPARE(doc.blcfull, 0.0);
        QCOMPARE(doc.x0, 0);
        QCOMPARE(doc.y0, 0);
        QCOMPARE(doc.base.reduceE, 0.0f);
        QCOMPARE(doc.soils[0].bottomY, 0.0);
        QCOMPARE(doc.soils[0].r, 0.0);
        QCOMPARE(doc.soils[0].c, 0.0);

        QCOMPARE(doc.base.PileForm, DOUBLEROW);
        QCOMPARE(doc.base.weight, false);
        QCOMPARE(doc.base.row, 9.0); // Position misspelt: skipped
        QCOMPARE(doc.soils.size(), 4);
        QCOMPARE(doc.soils[0].Name, QStringLiteral("A"));
        QCOMPARE(doc.soils[0].thickness, 3.0);
        QCOMPARE(doc.soils[2].id, qint16(0)); // nested SoilData is not a layer
        QCOMPARE(doc.soils[3].id, qint16(1)); // foreign child: all defaults
        QCOMPARE(doc.soils[3].Name, QStringLiteral("岩土层1"));
        QCOMPARE(doc.soils[3].r, 18.0);
        QCOMPARE(doc.frontPile.length, 20.0);
        QCOMPARE(doc.frontPile.area, 0.0);
        QCOMPARE(doc.frontPile.b0, 7.5); // Shape absent: kept
        QCOMPARE(doc.backPile.id, qint16(1));
        QCOMPARE(doc.AddForces.size(), 2); // not in the file: kept

        QCOMPARE(doc.nodes.size(), 5);
        QCOMPARE(doc.nodes[0].Xg, 1.5);
        QCOMPARE(doc.nodes[0].RorL, STATENEW);
        QCOMPARE(doc.beams.size(), 2);
        QCOMPARE(doc.beams[0].j, 0); // present element, attribute missing
        QCOMPARE(doc.beams[0].E, 3.0e7);
        QCOMPARE(doc.beams[1].ob, qint32(OBJPILE));
        QCOMPARE(doc.results.size(), 2);
        QCOMPARE(doc.results[1].SPi, 2.0);
        QCOMPARE(doc.extremes.Max2.D, 0.5);
        QCOMPARE(doc.extremes.Max1.D, 0.0);
        QCOMPARE(doc.extremes.Min1.Q, -4.0); // extremes are read in place
    }

    // A value beyond the range of its field reads as 0 like one that is no
    // number, rather than wrapping into another valid code; the input check
    // then refuses the 0. Each is noted once; a file full of them gives at
    // most MAXKEPT lines and one that counts the rest.
    void unreadableValuesReadAsZeroAndAreNoted()
    {
        QByteArray forces = "<AddForces>";
        for (int n = 0; n < 24; ++n)
            forces += "<AddForce><PntLoad F=\"x\" Fg=\"1\"/></AddForce>";
        writeZip(path("unreadable.qzp"),
            {{QStringLiteral("data.xml"),
                dataXml("<BaseData><SlideDepthBack h=\"1e999\" yg=\"-6\"/></BaseData>"
                        "<SoilDatas><SoilData id=\"1\"><Position thickness=\"40\"/>"
                        "<Resistance type=\"65547\"/></SoilData>"
                        "</SoilDatas><PileData id=\"1\"><Proprety support=\"65577\"/></PileData>"
                    + forces + "</AddForces>")}});
        FileSys reader;
        Project doc = Project::defaultProject();
        QCOMPARE(reader.readProject(doc, path("unreadable.qzp")), QString());
        QCOMPARE(doc.base.slideBackH, 0.0);
        QCOMPARE(doc.base.slideBackYg, -6.0);
        QCOMPARE(doc.soils.at(0).type, qint16(0)); // not METHODM (65547 - 65536)
        QCOMPARE(doc.frontPile.support, qint16(0)); // not SUPPORTHINGED (65577 - 65536)
        QCOMPARE(doc.AddForces.size(), 24);
        QCOMPARE(doc.AddForces.at(23).F, 0.0);
        QCOMPARE(doc.AddForces.at(23).Fg, 1.0);

        const QStringList notes = reader.notes();
        QCOMPARE(notes.size(), UnreadableFields::MAXKEPT + 1);
        QCOMPARE(notes.at(0), QStringLiteral("文件中SlideDepthBack的h值无法识别，按0处理"));
        QCOMPARE(notes.at(1), QStringLiteral("文件中Resistance的type值无法识别，按0处理"));
        QCOMPARE(notes.at(2), QStringLiteral("文件中Proprety的support值无法识别，按0处理"));
        QCOMPARE(notes.at(3), QStringLiteral("文件中PntLoad的F值无法识别，按0处理"));
        QCOMPARE(notes.last(), QStringLiteral("文件中另有7个值无法识别，按0处理"));

        Document document;
        document.replaceProject(doc);
        QVERIFY(!document.analyse());
        QVERIFY2(document.messages.last().contains(QStringLiteral("支承方式无效")),
            qPrintable(document.messages.last()));
        // The next read starts without notes.
        QCOMPARE(reader.readProject(doc, example("default.qzp")), QString());
        QCOMPARE(reader.notes(), QStringList());
    }

    // A project analysed and saved opens with the very numbers of the session:
    // the result report it printed and the result table it wrote.
    void reopenedResultsAreTheSessionsNumbers()
    {
        Project file = Project::defaultProject();
        QCOMPARE(read(file, example("doublerow.qzp")), QString());
        Document session;
        session.replaceProject(file);
        QVERIFY(session.analyse());
        // The result report: from the line before its heading to the end.
        const qsizetype heading = session.messages.lastIndexOf(QStringLiteral(">>计算结果如下:"));
        QVERIFY(heading > 0);
        const QStringList printed = session.messages.mid(heading - 1);
        const AnalysisResult result = session.analysisResult();
        QCOMPARE(FileSys().writeProject(session.project(), path("session.qzp")), QString());
        QCOMPARE(ResultCsv::write(result, path("session.csv")), QString());

        file = Project::defaultProject();
        QCOMPARE(read(file, path("session.qzp")), QString());
        Document reopened;
        reopened.replaceProject(file);
        QCOMPARE(reportLines(reopened.project()), printed);
        QCOMPARE(ResultCsv::write(reopened.analysisResult(), path("reopened.csv")), QString());
        QCOMPARE(fileBytes(path("reopened.csv")), fileBytes(path("session.csv")));
    }

    // Numbers as the project file's parser reads them: plain ones exactly,
    // signs and points as written by hand, anything else as 0.
    void numbersFromText()
    {
        const QList<QPair<QString, double>> cases = {{QStringLiteral("12.5"), 12.5},
            {QStringLiteral(" -0.0001 "), -0.0001}, {QStringLiteral("+3"), 3.0},
            {QStringLiteral("-.5"), -0.5}, {QStringLiteral("5."), 5.0},
            {QStringLiteral("1.95e+08"), 1.95e8}, {QStringLiteral("8595.34"), 8595.34},
            {QStringLiteral("0.1"), 0.1}, {QStringLiteral("+-5"), 0.0},
            {QStringLiteral("--5"), 0.0}, {QStringLiteral("12abc"), 0.0},
            {QStringLiteral("1e400"), 0.0}, {QStringLiteral("nan"), 0.0},
            {QStringLiteral("0x10"), 0.0}, {QStringLiteral("1 2"), 0.0}, {QString(), 0.0},
            {QStringLiteral("１２"), 0.0}};
        for (const auto &c : cases)
            QCOMPARE(filenumbers::toDouble(c.first), c.second);
        // Written as the shortest text that reads back to the same value.
        QCOMPARE(filenumbers::numberText(8595.341930), QStringLiteral("8595.34193"));
        QCOMPARE(filenumbers::numberText(0.1), QStringLiteral("0.1"));
        QCOMPARE(filenumbers::numberText(0.85f), QStringLiteral("0.85"));
    }

    void unfitResultsDropped_data()
    {
        QTest::addColumn<QByteArray>("version"); // of result.xml
        QTest::addColumn<int>("support"); // node of the pile bottom
        QTest::addColumn<int>("beamEnd");
        QTest::addColumn<int>("resultStart");
        QTest::addColumn<bool>("kept");
        QTest::newRow("fitting") << QByteArray("1.1") << 1 << 1 << 0 << true;
        QTest::newRow("older") << QByteArray("1.0") << 1 << 1 << 0 << false;
        QTest::newRow("newer") << QByteArray("1.2") << 1 << 1 << 0 << false;
        QTest::newRow("beam to no node") << QByteArray("1.1") << 1 << 2 << 0 << false;
        QTest::newRow("result from no node") << QByteArray("1.1") << 1 << 1 << -1 << false;
        QTest::newRow("support at no node") << QByteArray("1.1") << 7 << 1 << 0 << false;
        QTest::newRow("no root element") << QByteArray("none") << 1 << 1 << 0 << false;
    }

    // Results of another version, or naming nodes the file does not hold, are
    // dropped: the project opens with its input, to be analysed again.
    void unfitResultsDropped()
    {
        QFETCH(QByteArray, version);
        QFETCH(int, support);
        QFETCH(int, beamEnd);
        QFETCH(int, resultStart);
        QFETCH(bool, kept);
        writeZip(path("unfit.qzp"),
            {{QStringLiteral("data.xml"),
                 dataXml("<Display status=\"6\"/><PileData id=\"0\"><Size length=\"12\"/><Proprety "
                         "sptindex=\""
                     + QByteArray::number(support) + "\"/></PileData>")},
                {QStringLiteral("result.xml"),
                    version == "none" ? QByteArray("<NodeDatas><Node/><Node/></NodeDatas>")
                                      : "<ResultData><FileVer version=\"" + version
                            + "\"/><NodeDatas><Node/><Node/></NodeDatas><BeamDatas><Beam i=\"0\" "
                              "j=\""
                            + QByteArray::number(beamEnd)
                            + "\"/></BeamDatas><ResultDatas><Result i=\""
                            + QByteArray::number(resultStart)
                            + "\" j=\"1\"/></ResultDatas></ResultData>"}});
        Project doc = Project::defaultProject();
        QCOMPARE(read(doc, path("unfit.qzp")), QString());
        QCOMPARE(doc.status, kept ? SHOWRESULT | SHOWMARK : SHOWDATA);
        QCOMPARE(doc.nodes.size(), kept ? 2 : 0);
        QCOMPARE(doc.beams.size(), kept ? 1 : 0);
        QCOMPARE(doc.results.size(), kept ? 1 : 0);
        QCOMPARE(doc.frontPile.length, 12.0);
    }

    // Random damage to a file with every kind of record never crashes the
    // reader, and a refused file changes nothing.
    void damagedFiles()
    {
        const QByteArray good = fileBytes(example("doublerow-analysed.qzp"));
        QVERIFY(!good.isEmpty());

        QRandomGenerator random(20240611);
        Project pristine = Project::defaultProject();
        const QByteArray untouched = snapshot(pristine);
        int refused = 0;
        for (int n = 0; n < 300; ++n) {
            QByteArray bad = good;
            if (n % 10 == 9) {
                bad.truncate(random.bounded(int(bad.size())));
            } else {
                for (int k = 0, flips = 1 + random.bounded(8); k < flips; ++k)
                    bad[random.bounded(int(bad.size()))] = char(random.bounded(256));
            }
            QFile out(path("damaged.qzp"));
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(bad);
            out.close();
            Project got = Project::defaultProject();
            if (!read(got, path("damaged.qzp")).isEmpty()) {
                ++refused;
                QCOMPARE(snapshot(got), untouched);
            }
        }
        QVERIFY(refused > 150); // most damage is noticed (CRC, directory, XML)
    }

    void oversizedMember()
    {
        const QString big = path("big.qzp");
        {
            QuaZip zip(big);
            QVERIFY(zip.open(QuaZip::mdCreate));
            QuaZipFile file(&zip);
            QVERIFY(file.open(QIODevice::WriteOnly, QuaZipNewInfo(QStringLiteral("data.xml"))));
            file.write(dataXml("<!--"));
            const QByteArray spaces(1024 * 1024, ' ');
            for (int n = 0; n < 70; ++n)
                file.write(spaces);
            file.write("-->");
            file.close();
        }
        QVERIFY(QFileInfo(big).size() < 1024 * 1024);
        Project doc = Project::defaultProject();
        QCOMPARE(read(doc, big),
            QStringLiteral("文件\"%1\"中的数据过大，无法读取").arg(QDir::toNativeSeparators(big)));

        // A directory that understates the size: the reader stops at the stated
        // size and the check sum gives the damage away.
        const QByteArray zlib = qCompress(dataXml(QByteArray(70 * 1024 * 1024, ' ')), 9);
        {
            QuaZip zip(path("liar.qzp"));
            QVERIFY(zip.open(QuaZip::mdCreate));
            QuaZipFile file(&zip);
            QuaZipNewInfo info(QStringLiteral("data.xml"));
            info.uncompressedSize = 1000;
            QVERIFY(file.open(QIODevice::WriteOnly, info, nullptr, 0, Z_DEFLATED, 9, true));
            file.write(zlib.mid(6, zlib.size() - 10)); // raw deflate: no size, header, check sum
            file.close();
        }
        const QString message = read(doc, path("liar.qzp"));
        QVERIFY2(message.startsWith(QStringLiteral("无法读取文件")) || message.contains(u"过大"),
            qPrintable(message));
    }

    void hostileXml_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("readable");
        const QByteArray deep =
            QByteArray("<a>").repeated(200000) + QByteArray("</a>").repeated(200000);
        QTest::newRow("deep unknown") << dataXml(deep) << true;
        QTest::newRow("deep in a record")
            << dataXml("<PileData id=\"0\"><Size length=\"3\">" + deep + "</Size></PileData>")
            << true;
        QTest::newRow("unclosed deep") << dataXml(QByteArray("<a>").repeated(200000)) << false;
        QByteArray laughs = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\">";
        for (char c = 'b'; c <= 'k'; ++c) {
            const QByteArray previous = QByteArray("&") + char(c - 1) + ';';
            laughs += QByteArray("<!ENTITY ") + c + " \"" + previous.repeated(10) + "\">";
        }
        laughs += "]><RIDezuData><BaseData><ProjectName>&k;</ProjectName></BaseData></RIDezuData>";
        QTest::newRow("entity expansion") << laughs << false;
    }

    // Deep nesting and entity expansion neither exhaust the stack nor memory.
    // (Huge lists are refused in readFailures.)
    void hostileXml()
    {
        QFETCH(QByteArray, data);
        QFETCH(bool, readable);
        writeZip(path("hostile.qzp"), {{QStringLiteral("data.xml"), data}});
        Project doc = Project::defaultProject();
        QCOMPARE(read(doc, path("hostile.qzp")).isEmpty(), readable);
        QVERIFY(doc.base.ProjectName.size() < 1000);
    }

    // The bundled examples read and pass the plausibility rules of the input check.
    void examplesArePlausible()
    {
        const QDir examples(QStringLiteral(RIDEZU_SOURCE_DIR "/examples"));
        const QStringList files = examples.entryList({QStringLiteral("*.qzp")});
        QVERIFY(files.contains(QStringLiteral("default.qzp")));
        QVERIFY(files.contains(QStringLiteral("doublerow.qzp")));
        for (const QString &file : files) {
            Project doc = Project::defaultProject();
            QCOMPARE(read(doc, examples.filePath(file)), QString());
            const bool twoRows = doc.base.PileForm == DOUBLEROW;
            QList<const PileInfo *> piles {&doc.frontPile};
            if (twoRows)
                piles << &doc.backPile;
            for (const PileInfo *p : piles) {
                QVERIFY2(doc.soils.last().bottomY < p->bottomYg, qPrintable(file));
                QVERIFY(p->bottomYg < doc.base.slideBackYg);
                QVERIFY(p->bottomYg < doc.base.cutYg);
                QVERIFY(p->length >= 2.0);
            }
            if (twoRows) {
                const auto size = [](const PileInfo *p) {
                    return p->shp == SECTSQUARE ? p->height : p->diameter;
                };
                QVERIFY((size(piles[0]) + size(piles[1]) + 0.2) * 0.5 < doc.base.row);
                QVERIFY(
                    piles[0]->bottomYg < piles[1]->topYg && piles[1]->bottomYg < piles[0]->topYg);
            }
        }
    }
    void undoGivesBackTheSavedFile();
};

// Every change is one step: undoing back to the saved state gives the saved
// file byte for byte and clears the modified mark, redoing sets it again;
// a new change drops what could have been redone; results freeze the steps.
void TestIo::undoGivesBackTheSavedFile()
{
    Document doc;
    const double firstThickness = doc.project().soils[0].thickness;
    QList<SoilInfo> soils = doc.project().soils;
    soils[0].thickness = firstThickness + 1.5;
    QVERIFY(doc.changeSoils(soils));
    doc.setModified(false); // saved here
    const QByteArray saved = snapshot(doc.project());
    const double bottom = doc.project().frontPile.bottomYg;
    QVERIFY(!doc.canRedo());

    BaseInfo base = doc.project().base;
    base.space = 3.0;
    QVERIFY(doc.changeBase(base));
    PileInfo front = doc.project().frontPile;
    front.length = 12.0;
    QVERIFY(doc.changePiles(front, doc.project().backPile, doc.project().linkBeam));
    const QByteArray edited = snapshot(doc.project());
    QVERIFY(edited != saved);
    QCOMPARE(doc.undoText(), QStringLiteral("修改桩数据"));

    QVERIFY(doc.undo());
    QCOMPARE(doc.undoText(), QStringLiteral("修改基本数据"));
    QCOMPARE(doc.redoText(), QStringLiteral("修改桩数据"));
    QVERIFY(doc.isModified());
    QVERIFY(doc.undo());
    QVERIFY(!doc.isModified());
    QCOMPARE(snapshot(doc.project()), saved);
    QCOMPARE(doc.project().frontPile.bottomYg, bottom); // derived values come back too
    QVERIFY(doc.redo() && doc.redo());
    QVERIFY(doc.isModified());
    QCOMPARE(snapshot(doc.project()), edited);

    // A change after an undo drops the step that could have been redone.
    QVERIFY(doc.undo() && doc.undo() && doc.undo());
    QCOMPARE(doc.project().soils[0].thickness, firstThickness);
    QVERIFY(!doc.canUndo());
    QVERIFY(doc.changeForces({ForceInfo()}));
    QVERIFY(!doc.canRedo());
    QVERIFY(doc.isModified()); // the saved state is gone from the history
    QVERIFY(doc.undo());
    QVERIFY(doc.isModified());

    // While results are shown neither way is open; back at the input the
    // history is as it was.
    QVERIFY(doc.analyse());
    QVERIFY(!doc.canUndo() && !doc.canRedo() && !doc.undo());
    doc.showInput();
    QVERIFY(doc.canRedo());
    QVERIFY(doc.redo());
    QCOMPARE(doc.project().AddForces.size(), 1);
}

QTEST_GUILESS_MAIN(TestIo)
#include "tst_core_io.moc"
