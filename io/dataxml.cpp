// data.xml: the input records and the display state of a project.

#include "io/filesys.h"
#include "io/xmlrecord.h"
#include "model/project.h"

#include <QBuffer>

#include <cmath>
#include <limits>

using namespace xmlrecord;

namespace {

const Attrs<Project> displayAttrs = {
    {"status", &Project::status},
    {"blc", &Project::blc},
    {"blcfull", &Project::blcfull},
    {"x0", &Project::x0},
    {"y0", &Project::y0},
};

// BaseData also holds the text elements ProjectName and PileForm, written first.
using B = BaseInfo;
const std::vector<Group<B>> baseGroups = {
    {"SlideDepthBack", {{"h", &B::slideBackH}, {"yg", &B::slideBackYg}}},
    {"SlideDepthFront", {{"h", &B::slideFrontH}, {"yg", &B::slideFrontYg}}},
    {"CutDepth", {{"h", &B::cutH}, {"yg", &B::cutYg}}},
    {"BaseForce",
        {{"aforce", &B::aforce}, {"pforce", &B::pforce}, {"shape", &B::shape},
            {"ratio", &B::ratio}}},
    {"Position", {{"space", &B::space}, {"row", &B::row}, {"dpel", &B::dpel}}},
    {"Setting",
        {{"interact", &B::interact}, {"dl", &B::dl}, {"reduceE", &B::reduceE},
            {"ratio", &B::mRatio}, {"weight", &B::weight}}},
};

using F = ForceInfo;
const Layout<F> forceLayout = {
    {{"id", &F::id}},
    {
        {"Proprety", {{"type", &F::type}, {"direction", &F::direction}, {"object", &F::object}}},
        {"PntLoad", {{"F", &F::F}, {"Fg", &F::Fg}}},
        {"MomLoad", {{"M", &F::M}, {"Mg", &F::Mg}}},
        {"DistLoad", {{"q1", &F::q1}, {"q2", &F::q2}, {"q1g", &F::q1g}, {"q2g", &F::q2g}}},
        {"DistSize", {{"length", &F::length}, {"shape", &F::shape}, {"ratio", &F::ratio}}},
        {"Position",
            {{"distance", &F::distance}, {"x1g", &F::x1g}, {"y1g", &F::y1g}, {"x2g", &F::x2g},
                {"y2g", &F::y2g}}},
    },
};

using S = SoilInfo;
// The layer name is a text element, handled beside this table.
const Layout<S> soilLayout = {
    {{"id", &S::id}},
    {
        {"Coefficient", {{"r", &S::r}, {"c", &S::c}, {"fi", &S::fi}, {"Es", &S::Es}}},
        {"Position", {{"thickness", &S::thickness}, {"bottomY", &S::bottomY}}},
        {"Resistance", {{"type", &S::type}, {"m", &S::m}, {"k", &S::k}}},
        {"Rock", {{"frk", &S::frk}}, true},
    },
};

using P = PileInfo;
const Layout<P> pileLayout = {
    {{"id", &P::id}},
    {
        {"Shape", {{"shp", &P::shp}, {"space", &P::space}, {"b0", &P::b0}}},
        {"Size",
            {{"length", &P::length}, {"diameter", &P::diameter}, {"height", &P::height},
                {"width", &P::width}, {"area", &P::area}}},
        {"Top", {{"elevation", &P::topElevation}, {"xg", &P::topXg}, {"yg", &P::topYg}}},
        {"Bottom", {{"xg", &P::bottomXg}, {"yg", &P::bottomYg}}},
        {"Proprety",
            {{"I", &P::I}, {"grade", &P::grade}, {"E", &P::E}, {"support", &P::support},
                {"sptindex", &P::sptindex}}},
    },
};

using L = LinkBeamInfo;
const Layout<L> beamLayout = {
    {{"id", &L::id}},
    {
        {"Size",
            {{"length", &L::length}, {"height", &L::height}, {"width", &L::width},
                {"area", &L::area}}},
        {"Left", {{"xg", &L::leftXg}, {"yg", &L::leftYg}}},
        {"Right", {{"xg", &L::rightXg}, {"yg", &L::rightYg}}},
        {"Proprety", {{"I", &L::I}, {"grade", &L::grade}, {"E", &L::E}}},
    },
};

using A = AnchorInfo;
const Layout<A> anchorLayout = {
    {{"id", &A::id}},
    {
        {"Type", {{"anchor", &A::anchorType}, {"soil", &A::soilType}}},
        {"Cable", {{"num", &A::cableNum}, {"diam", &A::cableDiam}}},
        {"Rod", {{"num", &A::rodNum}, {"diam", &A::rodDiam}}},
        {"Bar", {{"A", &A::A}, {"Es", &A::Es}}},
        {"Cement", {{"Em", &A::Em}, {"Dc", &A::Dc}, {"Ac", &A::Ac}, {"Ec", &A::Ec}}},
        {"Size", {{"lf", &A::lf}, {"la", &A::la}, {"angle", &A::angle}}},
        {"Proprety",
            {{"preforce", &A::preforce}, {"object", &A::object}, {"kh", &A::kh}, {"kv", &A::kv}}},
        {"Position",
            {{"distance", &A::distance}, {"x1g", &A::x1g}, {"y1g", &A::y1g}, {"x2g", &A::x2g},
                {"y2g", &A::y2g}, {"x3g", &A::x3g}, {"y3g", &A::y3g}}},
        {"Result", {{"forceH", &A::forceH}, {"forceV", &A::forceV}}},
        {"Bond", {{"frbk", &A::frbk}}, true},
    },
};

// An anchor without a bond strength of its own (every file written before
// there was one) takes the default of its bond's ground, which the Type
// group may name after the place where Bond would stand. NaN marks "not
// read": a number read from the file is never NaN.
void readAnchor(QXmlStreamReader &x, AnchorInfo &a, UnreadableFields &unreadable)
{
    a.frbk = std::numeric_limits<double>::quiet_NaN();
    readRecord(x, anchorLayout, a, unreadable);
    if (std::isnan(a.frbk))
        a.frbk = defaultBondStrength(a.soilType);
}

// DesignData came after the other elements: every attribute a file lacks
// keeps its default.
using D = DesignInfo;
const std::vector<Group<D>> designGroups = {
    {"Safety",
        {{"grade", &D::grade}, {"permanent", &D::permanent}, {"gamma0", &D::gamma0},
            {"gammaF", &D::gammaF}},
        true},
    {"Rebar",
        {{"main", &D::rebarMain}, {"stirrup", &D::rebarStirrup}, {"diam", &D::rebarDiam},
            {"stirrupDiam", &D::stirrupDiam}, {"legs", &D::legs}, {"as", &D::as}},
        true},
    {"Ground", {{"kh", &D::kh}, {"eta", &D::eta}}, true},
    {"Anchor", {{"fpy", &D::fpy}, {"bar", &D::anchorBar}, {"grout", &D::grout}}, true},
    {"Limit", {{"top", &D::limitTop}, {"topRatio", &D::limitTopRatio}, {"slip", &D::limitSlip}},
        true},
};
const Layout<D> designLayout = {{}, designGroups};

// A layer: its id, the Name text element, then the groups of soilLayout.
void writeSoil(QXmlStreamWriter &w, const SoilInfo &soil)
{
    w.writeStartElement(QStringLiteral("SoilData"));
    writeAttributes(w, soilLayout.own, soil);
    w.writeTextElement(QStringLiteral("Name"), soil.Name);
    for (const Group<S> &g : soilLayout.groups) {
        w.writeEmptyElement(QString::fromLatin1(g.name));
        writeAttributes(w, g.attrs, soil);
    }
    w.writeEndElement();
}

void readSoil(QXmlStreamReader &x, SoilInfo &soil, UnreadableFields &unreadable)
{
    readAttributes(x, soilLayout.own, soil, unreadable);
    while (x.readNextStartElement()) {
        if (x.name() == u"Name")
            soil.Name = x.readElementText(QXmlStreamReader::SkipChildElements);
        else if (!readGroup(x, soilLayout.groups, soil, unreadable))
            x.skipCurrentElement();
    }
}

template <class R>
void writeList(QXmlStreamWriter &w, const char *name, const char *child, const Layout<R> &layout,
    const QList<R> &list)
{
    w.writeStartElement(QString::fromLatin1(name));
    for (const R &r : list)
        writeRecord(w, child, layout, r);
    w.writeEndElement();
}

} // namespace

QByteArray FileSys::writeXml(
    const char *root, const Project &data, const std::function<void()> &body)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    m_writer.setDevice(&buffer);
    m_writer.setAutoFormatting(true);
    m_writer.writeStartDocument();
    m_writer.writeStartElement(QString::fromLatin1(root));
    m_writer.writeEmptyElement(QStringLiteral("FileVer"));
    m_writer.writeAttribute(QStringLiteral("version"), QString::number(data.fileVersion, 'f', 1));
    body();
    m_writer.writeEndDocument();
    m_writer.setDevice(nullptr);
    return bytes;
}

QByteArray FileSys::dataXml(const Project &data)
{
    return writeXml("RIDezuData", data, [&] {
        m_writer.writeEmptyElement(QStringLiteral("Display"));
        writeAttributes(m_writer, displayAttrs, data);

        m_writer.writeStartElement(QStringLiteral("BaseData"));
        m_writer.writeTextElement(QStringLiteral("ProjectName"), data.base.ProjectName);
        m_writer.writeTextElement(
            QStringLiteral("PileForm"), filenumbers::integerText(data.base.PileForm));
        for (const Group<B> &g : baseGroups) {
            m_writer.writeEmptyElement(QString::fromLatin1(g.name));
            writeAttributes(m_writer, g.attrs, data.base);
        }
        m_writer.writeEndElement();

        writeList(m_writer, "BaseForces", "BaseForce", forceLayout, data.BaseForces);
        m_writer.writeStartElement(QStringLiteral("SoilDatas"));
        for (const SoilInfo &soil : data.soils)
            writeSoil(m_writer, soil);
        m_writer.writeEndElement();
        writeRecord(m_writer, "PileData", pileLayout, data.frontPile);
        writeRecord(m_writer, "PileBackData", pileLayout, data.backPile);
        writeRecord(m_writer, "LinkBeamData", beamLayout, data.linkBeam);
        writeList(m_writer, "AddForces", "AddForce", forceLayout, data.AddForces);
        writeList(m_writer, "Anchors", "Anchor", anchorLayout, data.anchors);
        writeRecord(m_writer, "DesignData", designLayout, data.design);
    });
}

void FileSys::refuseTooManyRecords()
{
    m_tooManyRecords = true;
    m_reader.raiseError(QStringLiteral("too many records"));
}

int FileSys::readData(const QByteArray &xml, Project &data)
{
    const ReadingBuffer input(m_reader, xml);
    // The design data are optional: a file without them has the defaults,
    // whatever the project it is read into had.
    data.design = DesignInfo();

    // A document without the project's root element or without its version
    // is not a project this program wrote: it is refused, not opened as
    // the default project.
    bool project = false;
    bool versioned = false;
    while (readNextTopElement(m_reader)) {
        if (m_reader.name() != u"RIDezuData") {
            m_reader.skipCurrentElement();
            continue;
        }
        project = true;
        while (m_reader.readNextStartElement()) {
            const QStringView name = m_reader.name();
            if (name == u"FileVer") {
                versioned = true;
                const float version =
                    filenumbers::toFloat(m_reader.attributes().value(QLatin1String("version")));
                m_fileVersion = double(version);
                if (m_fileVersion - data.fileVersion > 1e-5)
                    return ReadNewer;
                if (m_fileVersion < 1.00001)
                    return ReadOlder;
                m_reader.skipCurrentElement();
            } else if (name == u"Display") {
                readAttributes(m_reader, displayAttrs, data, m_unreadable);
                m_reader.skipCurrentElement();
            } else if (name == u"BaseData") {
                readBaseInfo(data);
            } else if (name == u"BaseForces") {
                if (!readList(m_reader, "BaseForce", forceLayout, data.BaseForces, MAXINPUTRECORDS,
                        m_unreadable))
                    refuseTooManyRecords();
            } else if (name == u"SoilDatas") {
                const auto readOne = [this](QXmlStreamReader &x, SoilInfo &soil) {
                    readSoil(x, soil, m_unreadable);
                };
                if (!readList(m_reader, "SoilData", data.soils, MAXINPUTRECORDS, readOne))
                    refuseTooManyRecords();
            } else if (name == u"AddForces") {
                if (!readList(m_reader, "AddForce", forceLayout, data.AddForces, MAXINPUTRECORDS,
                        m_unreadable))
                    refuseTooManyRecords();
            } else if (name == u"Anchors") {
                if (!readList(m_reader, "Anchor", data.anchors, MAXINPUTRECORDS,
                        [this](QXmlStreamReader &x, AnchorInfo &a) {
                            readAnchor(x, a, m_unreadable);
                        }))
                    refuseTooManyRecords();
            } else if (name == u"PileData") {
                readRecord(m_reader, pileLayout, data.frontPile, m_unreadable);
            } else if (name == u"PileBackData") {
                readRecord(m_reader, pileLayout, data.backPile, m_unreadable);
            } else if (name == u"LinkBeamData") {
                readRecord(m_reader, beamLayout, data.linkBeam, m_unreadable);
            } else if (name == u"DesignData") {
                readRecord(m_reader, designLayout, data.design, m_unreadable);
            } else {
                m_reader.skipCurrentElement();
            }
        }
    }
    if (m_reader.hasError())
        m_errorLine = m_reader.lineNumber();
    return m_reader.hasError() || !project || !versioned ? ReadBroken : ReadOk;
}

void FileSys::readBaseInfo(Project &data)
{
    while (m_reader.readNextStartElement()) {
        if (m_reader.name() == u"ProjectName")
            data.base.ProjectName = m_reader.readElementText(QXmlStreamReader::SkipChildElements);
        else if (m_reader.name() == u"PileForm")
            readPileForm(data.base);
        else if (!readGroup(m_reader, baseGroups, data.base, m_unreadable))
            m_reader.skipCurrentElement();
    }
}

void FileSys::readPileForm(BaseInfo &base)
{
    bool ok = false;
    base.PileForm =
        filenumbers::toInt(m_reader.readElementText(QXmlStreamReader::SkipChildElements), &ok);
    if (!ok)
        m_unreadable.add(u"BaseData", QLatin1String("PileForm"));
}
