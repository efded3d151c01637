// The project file: round trip of every field, the file layout, the reader's
// defaults, every failure message, and damaged or hostile files.

#include "io/filesys.h"
#include "io/numbers.h"
#include "model/document.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
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

// Distinct values of many magnitudes and both signs, with more than six digits.
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

// What a value reads back as after the trip through the file.
double sixDigits(double v)
{
    return QString::number(v, 'g', 6).toDouble();
}

#define FILL_DOUBLE(f) r.f = seq.number();
#define FILL_INT(f) r.f = decltype(r.f)(seq.integer());
#define SAME_DOUBLE(f) QCOMPARE(got.f, sixDigits(want.f));
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

QStringList memberNames(const QString &path)
{
    QuaZip zip(path);
    return zip.open(QuaZip::mdUnzip) ? zip.getFileNameList() : QStringList {QStringLiteral("?")};
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

QString read(Document &doc, const QString &path)
{
    return FileSys().readProject(doc, path);
}

// The document as the file would hold it, to tell whether a read changed it.
QByteArray snapshot(Document &doc)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s.qzp"));
    if (!FileSys().writeProject(doc, path).isEmpty())
        return QByteArray("write failed");
    return member(path, QStringLiteral("data.xml")) + member(path, QStringLiteral("result.xml"));
}

} // namespace

class TestIo : public QObject
{
    Q_OBJECT

private slots:
    void numbers_data();
    void numbers();
    void roundTripEveryField();
    void fileLayout();
    void resultMemberFollowsStatus_data();
    void resultMemberFollowsStatus();
    void readFailures_data();
    void readFailures();
    void olderVersionRefused();
    void writeFailures();
    void failedSaveKeepsOldFile();
    void readerDefaults();
    void resultReaderDefaults();
    void resultVersionMismatch_data();
    void resultVersionMismatch();
    void resultsNamingMissingNodes();
    void damagedFiles();
    void oversizedMember();
    void hostileXml_data();
    void hostileXml();
    void examplesArePlausible();

private:
    QTemporaryDir m_dir;
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }
};

void TestIo::numbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("integer");
    QTest::newRow("plain") << "8595.34" << 8595.34 << 0;
    QTest::newRow("integer") << "-42" << -42.0 << -42;
    QTest::newRow("exponent") << "3.15e+07" << 3.15e7 << 0;
    QTest::newRow("empty") << "" << 0.0 << 0;
    QTest::newRow("word") << "abc" << 0.0 << 0;
    QTest::newRow("nan") << "nan" << 0.0 << 0;
    QTest::newRow("inf") << "inf" << 0.0 << 0;
    QTest::newRow("-inf") << "-inf" << 0.0 << 0;
    QTest::newRow("overflow") << "1e999" << 0.0 << 0;
    QTest::newRow("beyond int") << "2147483648" << 2147483648.0 << 0;
    QTest::newRow("hex") << "0x10" << 0.0 << 0;
}

void TestIo::numbers()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(int, integer);
    QCOMPARE(filenumbers::toDouble(text), value);
    QCOMPARE(filenumbers::toInt(text), integer);
    QCOMPARE(filenumbers::numberText(31500000.0), QStringLiteral("3.15e+07"));
    QCOMPARE(filenumbers::numberText(8595.341930), QStringLiteral("8595.34"));
    QCOMPARE(filenumbers::numberText(qQNaN()), QStringLiteral("0"));
    QCOMPARE(filenumbers::toFloat(u"1e300"), 0.0f);
}

void TestIo::roundTripEveryField()
{
    Sequence seq;
    Document doc;
    BaseInfo &b = doc.base;
#define FILL_DOUBLE_BASE(f) b.f = seq.number();
#define FILL_INT_BASE(f) b.f = decltype(b.f)(seq.integer());
    BASE_DOUBLES(FILL_DOUBLE_BASE) BASE_INTS(FILL_INT_BASE) b.PileForm = DOUBLEROW;
    b.reduceE = 0.8512345f;
    b.weight = false;
    b.ProjectName = QStringLiteral("双排 <桩> & \"工程\" 'a'");
    fill(doc.frontPile, seq);
    fill(doc.backPile, seq);
    fill(doc.linkBeam, seq);
    fillList(doc.soils, 3, seq);
    fillList(doc.anchors, 4, seq);
    fillList(doc.BaseForces, 2, seq);
    fillList(doc.AddForces, 9, seq);
    const qint16 kinds[] = {LOADPNT, LOADDIST, LOADMOMENT};
    const qint16 carriers[] = {OBJPILE, OBJBACKPILE, OBJBEAM};
    for (int n = 0; n < 9; ++n) {
        doc.AddForces[n].type = kinds[n % 3];
        doc.AddForces[n].object = carriers[n / 3];
    }
    doc.anchors[0].anchorType = ANCHORBAR;
    doc.anchors[1].anchorType = ANCHORCABLE;
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
    for (ExtremeValues *e :
        {&doc.extremes.Max1, &doc.extremes.Max2, &doc.extremes.Min1, &doc.extremes.Min2})
        fill(*e, seq);
    doc.status = SHOWRESULT | SHOWMARK;
    doc.blc = seq.number();
    doc.blcfull = seq.number();
    doc.x0 = -1234567;
    doc.y0 = 7654321;

    QCOMPARE(FileSys().writeProject(doc, path("all.qzp")), QString());
    Document got;
    QCOMPARE(read(got, path("all.qzp")), QString());

    QCOMPARE(got.status, doc.status);
    QCOMPARE(got.blc, sixDigits(doc.blc));
    QCOMPARE(got.blcfull, sixDigits(doc.blcfull));
    QCOMPARE(got.x0, doc.x0);
    QCOMPARE(got.y0, doc.y0);
#define SAME_DOUBLE_BASE(f) QCOMPARE(got.base.f, sixDigits(b.f));
#define SAME_INT_BASE(f) QCOMPARE(got.base.f, b.f);
    BASE_DOUBLES(SAME_DOUBLE_BASE) BASE_INTS(SAME_INT_BASE) QCOMPARE(got.base.reduceE, 0.851234f);
    QCOMPARE(got.base.weight, false);
    QCOMPARE(got.base.ProjectName, b.ProjectName);
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
    compare(got.extremes.Max1, doc.extremes.Max1);
    compare(got.extremes.Max2, doc.extremes.Max2);
    compare(got.extremes.Min1, doc.extremes.Min1);
    compare(got.extremes.Min2, doc.extremes.Min2);
}

// Element order and attribute order of both members, one record of each kind.
void TestIo::fileLayout()
{
    Document doc;
    doc.soils.resize(1);
    doc.AddForces.resize(1);
    doc.nodes.resize(1);
    doc.beams.resize(1);
    doc.results.resize(1);
    doc.status = SHOWRESULT;
    QCOMPARE(FileSys().writeProject(doc, path("layout.qzp")), QString());

    const auto skeleton = [](const QByteArray &xml) {
        QStringList lines;
        QXmlStreamReader r(xml);
        int depth = 0;
        while (!r.atEnd()) {
            r.readNext();
            if (r.isEndElement())
                --depth;
            if (!r.isStartElement())
                continue;
            QStringList names;
            for (const QXmlStreamAttribute &a : r.attributes())
                names << a.name().toString();
            lines << QString(depth++, QLatin1Char(' ')) + r.name().toString() + QLatin1Char(' ')
                    + names.join(QLatin1Char(','));
        }
        return lines.join(QLatin1Char('\n'));
    };
    const QByteArray data = member(path("layout.qzp"), QStringLiteral("data.xml"));
    QVERIFY(data.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    QVERIFY(data.contains("<FileVer version=\"1.1\"/>"));
    QVERIFY(data.contains("E=\"3.15e+07\""));
    QVERIFY(data.contains("kh=\"8595.34\""));
    QVERIFY(data.contains("weight=\"true\""));
    QCOMPARE(skeleton(data), QStringLiteral(R"(RIDezuData 
 FileVer version
 Display status,blc,blcfull,x0,y0
 BaseData 
  ProjectName 
  PileForm 
  SlideDepthBack h,yg
  SlideDepthFront h,yg
  CutDepth h,yg
  BaseForce aforce,pforce,shape,ratio
  Position space,row,dpel
  Setting interact,dl,reduceE,ratio,weight
 BaseForces 
  BaseForce id
   Proprety type,direction,object
   PntLoad F,Fg
   MomLoad M,Mg
   DistLoad q1,q2,q1g,q2g
   DistSize length,shape,ratio
   Position distance,x1g,y1g,x2g,y2g
 SoilDatas 
  SoilData id
   Name 
   Coefficient r,c,fi,Es
   Position thickness,bottomY
   Resistance type,m,k
 PileData id
  Shape shp,space,b0
  Size length,diameter,height,width,area
  Top elevation,xg,yg
  Bottom xg,yg
  Proprety I,grade,E,support,sptindex
 PileBackData id
  Shape shp,space,b0
  Size length,diameter,height,width,area
  Top elevation,xg,yg
  Bottom xg,yg
  Proprety I,grade,E,support,sptindex
 LinkBeamData id
  Size length,height,width,area
  Left xg,yg
  Right xg,yg
  Proprety I,grade,E
 AddForces 
  AddForce id
   Proprety type,direction,object
   PntLoad F,Fg
   MomLoad M,Mg
   DistLoad q1,q2,q1g,q2g
   DistSize length,shape,ratio
   Position distance,x1g,y1g,x2g,y2g
 Anchors 
  Anchor id
   Type anchor,soil
   Cable num,diam
   Rod num,diam
   Bar A,Es
   Cement Em,Dc,Ac,Ec
   Size lf,la,angle
   Proprety preforce,object,kh,kv
   Position distance,x1g,y1g,x2g,y2g,x3g,y3g
   Result forceH,forceV)"));
    QCOMPARE(skeleton(member(path("layout.qzp"), QStringLiteral("result.xml"))),
        QStringLiteral(R"(ResultData 
 FileVer version
 NodeDatas 
  Node id
   Proprety Xg,Yg,b0,upH,downH
   Spring SKr,SKl,SKd,AKl,AKu,Kr,Kl,Ku,Kd
   Action FX,FY,FM,OriginX,OriginY
   Result Dx,Dy,RorL,UorD
 BeamDatas 
  Beam i,j,ob
   Proprety E,A,I,L,c,s
   Action Ni,Qi,Mi,Nj,Qj,Mj,Origin,Dl,bEs
 ResultDatas 
  Result i,j,ob
   Displace Xi,Yi,Ai,Xj,Yj,Aj
   Effect Ni,Qi,Mi,Nj,Qj,Mj
   React SPi,SPj,BPi,BPj
 MaxAndMinDatas 
  Max1 D,M,Q,R
  Max2 D,M,Q,R
  Min1 D,M,Q,R
  Min2 D,M,Q,R)"));
}

void TestIo::resultMemberFollowsStatus_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("members");
    const QStringList dataOnly {QStringLiteral("data.xml")};
    const QStringList both {QStringLiteral("data.xml"), QStringLiteral("result.xml")};
    QTest::newRow("input") << 1 << dataOnly;
    QTest::newRow("input, labels") << 5 << dataOnly;
    QTest::newRow("results") << 2 << both;
    QTest::newRow("results, labels") << 6 << both;
}

void TestIo::resultMemberFollowsStatus()
{
    QFETCH(int, status);
    QFETCH(QStringList, members);
    Document doc;
    doc.status = status;
    doc.nodes.resize(3);
    QCOMPARE(FileSys().writeProject(doc, path("status.qzp")), QString());
    QStringList names = memberNames(path("status.qzp"));
    names.sort();
    QCOMPARE(names, members);
    Document got;
    QCOMPARE(read(got, path("status.qzp")), QString());
    QCOMPARE(got.status, status);
    QCOMPARE(got.nodes.size(), status & SHOWRESULT ? 3 : 0);
}

void TestIo::readFailures_data()
{
    QTest::addColumn<QByteArray>("file"); // raw bytes, or empty for a zip built from the rest
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("message");
    const QString name = QDir::toNativeSeparators(path("bad.qzp"));
    QTest::newRow("not a zip") << QByteArray("plain text, not an archive") << QByteArray()
                               << QStringLiteral("打开文件\"%1\"失败").arg(name);
    QTest::newRow("no data.xml") << QByteArray() << QByteArray()
                                 << QStringLiteral("读取文件\"%1\"出错").arg(name);
    QTest::newRow("no result.xml") << QByteArray() << dataXml("<Display status=\"2\"/>")
                                   << QStringLiteral("读取文件\"%1\"出错").arg(name);
    QTest::newRow("newer") << QByteArray() << dataXml("", "1.2")
                           << QStringLiteral("读取高版本文件");
    QTest::newRow("malformed") << QByteArray() << dataXml("<BaseData><PileForm>2</BaseData>")
                               << QStringLiteral("文件解析错误");
    QTest::newRow("empty data.xml")
        << QByteArray() << QByteArray(" ") << QStringLiteral("文件解析错误");
    QByteArray many = "<AddForces>";
    for (int n = 0; n <= FileSys::MAXINPUTRECORDS; ++n)
        many += "<x/>";
    QTest::newRow("too many") << QByteArray() << dataXml(many + "</AddForces>")
                              << QStringLiteral("文件\"%1\"中的记录过多，无法读取").arg(name);
}

void TestIo::readFailures()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, data);
    QFETCH(QString, message);
    QFile::remove(path("bad.qzp"));
    if (!file.isEmpty()) {
        QFile f(path("bad.qzp"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
    } else if (data.isEmpty()) {
        writeZip(path("bad.qzp"), {{QStringLiteral("other.xml"), dataXml("")}});
    } else {
        writeZip(path("bad.qzp"), {{QStringLiteral("data.xml"), data}});
    }
    Document doc;
    doc.base.row = 7.25;
    const QByteArray before = snapshot(doc);
    QCOMPARE(read(doc, path("bad.qzp")), message);
    QCOMPARE(snapshot(doc), before);
    QCOMPARE(read(doc, path("missing.qzp")),
        QStringLiteral("打开文件\"%1\"失败").arg(QDir::toNativeSeparators(path("missing.qzp"))));
}

void TestIo::olderVersionRefused()
{
    writeZip(path("old.qzp"),
        {{QStringLiteral("data.xml"), dataXml("<Display status=\"1\" x0=\"9\"/>", "0.9")}});
    Document doc;
    doc.x0 = 3;
    const QByteArray before = snapshot(doc);
    QCOMPARE(read(doc, path("old.qzp")), QStringLiteral("文件版本0.9过低，无法读取"));
    QCOMPARE(snapshot(doc), before);
    QCOMPARE(doc.x0, 3);
}

void TestIo::writeFailures()
{
    Document doc;
    const QString lost = path("no/such/dir/p.qzp");
    QCOMPARE(FileSys().writeProject(doc, lost),
        QStringLiteral("打开创建文件%1失败").arg(QDir::toNativeSeparators(lost)));
    QVERIFY(!QFile::exists(lost));

    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("adir.qzp/inner")));
    QCOMPARE(FileSys().writeProject(doc, path("adir.qzp")),
        QStringLiteral("打开创建文件%1失败").arg(QDir::toNativeSeparators(path("adir.qzp"))));
    QVERIFY(QFileInfo(path("adir.qzp/inner")).isDir());
}

// A save that cannot finish writing leaves the previous file as it was.
void TestIo::failedSaveKeepsOldFile()
{
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("keep.qzp"));
    Document small;
    QCOMPARE(FileSys().writeProject(small, target), QString());
    QFile f(target);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray old = f.readAll();
    f.close();

    Document other;
    other.base.ProjectName = QStringLiteral("另一个项目");
    // Writes beyond the first byte of a file fail with EFBIG, even for root.
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = 1;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QVERIFY(setrlimit(RLIMIT_FSIZE, &limited) == 0);
    const QString message = FileSys().writeProject(other, target);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(message, QStringLiteral("打开创建文件%1失败").arg(QDir::toNativeSeparators(target)));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList {QStringLiteral("keep.qzp")});
#else
    QSKIP("needs a file size limit");
#endif
}

void TestIo::readerDefaults()
{
    writeZip(path("defaults.qzp"),
        {{QStringLiteral("data.xml"),
            "<RIDezuData>"
            "<Display status=\"abc\" blc=\"nan\" blcfull=\"inf\" x0=\"99999999999\" y0=\"-12\"/>"
            "<BaseData><PileForm> 2 </PileForm><Setting reduceE=\"1e300\" weight=\"True\"/>"
            "<position row=\"55\"/></BaseData>"
            "<SoilDatas><SoilData id=\"5\"><Name>A</Name><Position thickness=\"3\"/></SoilData>"
            "<SoilData/><SoilData><Extra><SoilData id=\"9\"/></Extra></SoilData>"
            "<Layer id=\"7\"/></SoilDatas>"
            "<PileData id=\"0\"><Size length=\"20\" diameter=\"1\"/><size "
            "length=\"99\"/></PileData>"
            "<pileBackData id=\"4\"/>"
            "</RIDezuData>"}});
    Document doc;
    doc.frontPile.b0 = 7.5;
    doc.base.row = 9.0;
    doc.AddForces.resize(2);
    QCOMPARE(read(doc, path("defaults.qzp")), QString());

    QCOMPARE(doc.status, 0);
    QCOMPARE(doc.blc, 0.0);
    QCOMPARE(doc.blcfull, 0.0);
    QCOMPARE(doc.x0, 0);
    QCOMPARE(doc.y0, -12);
    QCOMPARE(doc.base.PileForm, DOUBLEROW);
    QCOMPARE(doc.base.reduceE, 0.0f);
    QCOMPARE(doc.base.weight, false);
    QCOMPARE(doc.base.interact, qint16(0)); // Setting present, attribute missing
    QCOMPARE(doc.base.row, 9.0); // Position misspelt: skipped

    QCOMPARE(doc.soils.size(), 4);
    QCOMPARE(doc.soils[0].id, qint16(5));
    QCOMPARE(doc.soils[0].Name, QStringLiteral("A"));
    QCOMPARE(doc.soils[0].thickness, 3.0);
    QCOMPARE(doc.soils[0].bottomY, 0.0);
    QCOMPARE(doc.soils[0].r, 18.0);
    QCOMPARE(doc.soils[1].id, qint16(0)); // element present, id missing
    QCOMPARE(doc.soils[2].id, qint16(0)); // nested SoilData is not a layer
    QCOMPARE(doc.soils[3].id, qint16(1)); // foreign child: all defaults
    QCOMPARE(doc.soils[3].Name, QStringLiteral("岩土层1"));
    QCOMPARE(doc.soils[3].thickness, 10.0);

    QCOMPARE(doc.frontPile.length, 20.0);
    QCOMPARE(doc.frontPile.diameter, 1.0);
    QCOMPARE(doc.frontPile.area, 0.0);
    QCOMPARE(doc.frontPile.b0, 7.5); // Shape absent: kept
    QCOMPARE(doc.backPile.id, qint16(1));
    QCOMPARE(doc.AddForces.size(), 2); // not in the file: kept
    QCOMPARE(doc.anchors.size(), 1);
}

void TestIo::resultReaderDefaults()
{
    writeZip(path("res.qzp"),
        {{QStringLiteral("data.xml"), dataXml("<Display status=\"6\"/>")},
            {QStringLiteral("result.xml"),
                "<ResultData><NodeDatas><Node id=\"3\"><Proprety "
                "Xg=\"1.5\"/></Node><X/><X/><X/><X/></NodeDatas>"
                "<BeamDatas><Beam i=\"2\"/><Y/></BeamDatas>"
                "<ResultDatas><Z/><Result j=\"4\"><React SPi=\"2\"/></Result></ResultDatas>"
                "<MaxAndMinDatas><Max2 D=\"0.5\"/><max1 D=\"9\"/></MaxAndMinDatas></ResultData>"}});
    Document doc;
    doc.nodes.resize(7);
    doc.extremes.Min1.Q = -4.0;
    QCOMPARE(read(doc, path("res.qzp")), QString());
    QCOMPARE(doc.status, 6);
    QCOMPARE(doc.nodes.size(), 5);
    QCOMPARE(doc.nodes[0].id, qint16(3));
    QCOMPARE(doc.nodes[0].Xg, 1.5);
    QCOMPARE(doc.nodes[0].RorL, STATENEW);
    QCOMPARE(doc.nodes[0].UorD, STATENEW);
    QCOMPARE(doc.beams.size(), 2);
    QCOMPARE(doc.beams[0].i, 2);
    QCOMPARE(doc.beams[0].j, 0); // present element, attribute missing
    QCOMPARE(doc.beams[0].E, 3.0e7);
    QCOMPARE(doc.beams[1].j, 1);
    QCOMPARE(doc.beams[1].ob, qint32(OBJPILE));
    QCOMPARE(doc.beams[1].bEs, STATENEW);
    QCOMPARE(doc.results.size(), 2);
    QCOMPARE(doc.results[0].ob, qint32(OBJPILE));
    QCOMPARE(doc.results[1].ob, 0);
    QCOMPARE(doc.results[1].SPi, 2.0);
    QCOMPARE(doc.extremes.Max2.D, 0.5);
    QCOMPARE(doc.extremes.Max1.D, 0.0);
    QCOMPARE(doc.extremes.Min1.Q, -4.0); // extremes are read in place
}

void TestIo::resultVersionMismatch_data()
{
    QTest::addColumn<QByteArray>("version"); // replaces the version element
    QTest::addColumn<int>("status");
    QTest::newRow("1.0") << QByteArray("<FileVer version=\"1.0\"/>") << int(SHOWDATA);
    QTest::newRow("1.2") << QByteArray("<FileVer version=\"1.2\"/>") << int(SHOWDATA);
    QTest::newRow("no attribute") << QByteArray("<FileVer/>") << int(SHOWDATA);
    QTest::newRow("no element") << QByteArray() << int(SHOWRESULT | SHOWMARK);
}

void TestIo::resultVersionMismatch()
{
    QFETCH(QByteArray, version);
    QFETCH(int, status);
    Document doc;
    doc.status = SHOWRESULT | SHOWMARK;
    doc.nodes.resize(4);
    doc.beams.resize(3);
    doc.results.resize(3);
    QCOMPARE(FileSys().writeProject(doc, path("v.qzp")), QString());
    QByteArray results = member(path("v.qzp"), QStringLiteral("result.xml"));
    QVERIFY(results.contains("<FileVer version=\"1.1\"/>"));
    results.replace("<FileVer version=\"1.1\"/>", version);
    writeZip(path("v.qzp"),
        {{QStringLiteral("data.xml"), member(path("v.qzp"), "data.xml")},
            {QStringLiteral("result.xml"), results}});
    Document got;
    QCOMPARE(read(got, path("v.qzp")), QString());
    QCOMPARE(got.status, status);
    QCOMPARE(got.nodes.size(), status == SHOWDATA ? 0 : 4);
    QCOMPARE(got.beams.size(), status == SHOWDATA ? 0 : 3);
    QCOMPARE(got.results.size(), status == SHOWDATA ? 0 : 3);
}

// Results that refer to nodes the file does not hold are dropped; the input
// still opens.
void TestIo::resultsNamingMissingNodes()
{
    for (int kind = 0; kind < 3; ++kind) {
        Document doc;
        QVERIFY(doc.analyse());
        doc.status = SHOWRESULT;
        if (kind == 0)
            doc.beams[3].j = int(doc.nodes.size());
        else if (kind == 1)
            doc.results.last().i = -1;
        else
            doc.frontPile.sptindex = int(doc.nodes.size()) + 5;
        QCOMPARE(FileSys().writeProject(doc, path("m.qzp")), QString());
        Document got;
        QCOMPARE(read(got, path("m.qzp")), QString());
        QCOMPARE(got.status, SHOWDATA);
        QVERIFY(got.nodes.isEmpty() && got.beams.isEmpty() && got.results.isEmpty());
        QCOMPARE(got.frontPile.length, doc.frontPile.length);
    }
    // A consistent analysed project keeps its results.
    Document doc;
    QVERIFY(doc.analyse());
    doc.status = SHOWRESULT;
    QCOMPARE(FileSys().writeProject(doc, path("ok.qzp")), QString());
    Document got;
    QCOMPARE(read(got, path("ok.qzp")), QString());
    QCOMPARE(got.status, SHOWRESULT);
    QCOMPARE(got.results.size(), doc.results.size());
}

// Random damage never crashes the reader, and a refused file changes nothing.
void TestIo::damagedFiles()
{
    Document doc;
    doc.base.PileForm = DOUBLEROW;
    doc.AddForces.resize(3);
    doc.anchors.resize(3);
    doc.nodes.resize(20);
    doc.beams.resize(19);
    doc.results.resize(19);
    doc.status = SHOWRESULT;
    doc.updateGeometry();
    QCOMPARE(FileSys().writeProject(doc, path("good.qzp")), QString());
    QFile f(path("good.qzp"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray good = f.readAll();

    QRandomGenerator random(20240611);
    Document pristine;
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
        Document got;
        const QString message = read(got, path("damaged.qzp"));
        if (!message.isEmpty()) {
            ++refused;
            QCOMPARE(snapshot(got), untouched);
        }
    }
    QVERIFY(refused > 150); // most damage is noticed (CRC, directory, XML)
}

void TestIo::oversizedMember()
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
    Document doc;
    QCOMPARE(read(doc, big),
        QStringLiteral("文件\"%1\"中的数据过大，无法读取").arg(QDir::toNativeSeparators(big)));

    // A directory that understates the size: the reader stops at the stated
    // size and the check sum gives the damage away.
    const QByteArray raw = [] {
        const QByteArray zlib = qCompress(dataXml(QByteArray(70 * 1024 * 1024, ' ')), 9);
        return zlib.mid(6, zlib.size() - 10); // drop size, zlib header and check sum
    }();
    {
        QuaZip zip(path("liar.qzp"));
        QVERIFY(zip.open(QuaZip::mdCreate));
        QuaZipFile file(&zip);
        QuaZipNewInfo info(QStringLiteral("data.xml"));
        info.uncompressedSize = 1000;
        QVERIFY(file.open(QIODevice::WriteOnly, info, nullptr, 0, Z_DEFLATED, 9, true));
        file.write(raw);
        file.close();
    }
    const QString message = read(doc, path("liar.qzp"));
    QVERIFY2(message.startsWith(QStringLiteral("无法读取文件")) || message.contains(u"过大"),
        qPrintable(message));
}

void TestIo::hostileXml_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("readable");
    const QByteArray deep =
        QByteArray("<a>").repeated(200000) + QByteArray("</a>").repeated(200000);
    QTest::newRow("deep unknown") << dataXml(deep) << true;
    QTest::newRow("deep in a record")
        << dataXml("<PileData id=\"0\"><Size length=\"3\">" + deep + "</Size></PileData>") << true;
    QTest::newRow("unclosed deep") << dataXml(QByteArray("<a>").repeated(200000)) << false;
    QByteArray laughs = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY a \"aaaaaaaaaa\">";
    for (char c = 'b'; c <= 'k'; ++c) {
        const QByteArray previous = QByteArray("&") + char(c - 1) + ';';
        laughs += QByteArray("<!ENTITY ") + c + " \"" + previous.repeated(10) + "\">";
    }
    laughs += "]><RIDezuData><BaseData><ProjectName>&k;</ProjectName></BaseData></RIDezuData>";
    QTest::newRow("entity expansion") << laughs << false;
    QTest::newRow("binary") << QByteArray("\x00\x01\xff\xfe<RIDezuData>", 16) << false;
}

void TestIo::hostileXml()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, readable);
    writeZip(path("hostile.qzp"), {{QStringLiteral("data.xml"), data}});
    Document doc;
    const QString message = read(doc, path("hostile.qzp"));
    QCOMPARE(message.isEmpty(), readable);
    QVERIFY(doc.base.ProjectName.size() < 1000);
}

// The bundled examples read and pass the plausibility rules of the input check.
void TestIo::examplesArePlausible()
{
    const QDir examples(QStringLiteral(RIDEZU_SOURCE_DIR "/examples"));
    const QStringList files = examples.entryList({QStringLiteral("*.qzp")});
    QVERIFY(files.contains(QStringLiteral("default.qzp")));
    QVERIFY(files.contains(QStringLiteral("doublerow.qzp")));
    for (const QString &file : files) {
        Document doc;
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
            QVERIFY(piles[0]->bottomYg < piles[1]->topYg && piles[1]->bottomYg < piles[0]->topYg);
        }
    }
}

QTEST_GUILESS_MAIN(TestIo)
#include "tst_core_io.moc"
