// result.xml: the analysis model and the results of the last analysis.

#include "io/filesys.h"
#include "model/project.h"
#include "io/xmlrecord.h"

#include <cmath>

using namespace xmlrecord;

namespace {

using N = NodeInfo;
const Layout<N> nodeLayout = {
    {{"id", &N::id}},
    {
        {"Proprety",
            {{"Xg", &N::Xg}, {"Yg", &N::Yg}, {"b0", &N::b0}, {"upH", &N::upH},
                {"downH", &N::downH}}},
        {"Spring",
            {{"SKr", &N::SKr}, {"SKl", &N::SKl}, {"SKd", &N::SKd}, {"AKl", &N::AKl},
                {"AKu", &N::AKu}, {"Kr", &N::Kr}, {"Kl", &N::Kl}, {"Ku", &N::Ku}, {"Kd", &N::Kd}}},
        {"Action",
            {{"FX", &N::FX}, {"FY", &N::FY}, {"FM", &N::FM}, {"OriginX", &N::OriginX},
                {"OriginY", &N::OriginY}}},
        {"Result", {{"Dx", &N::Dx}, {"Dy", &N::Dy}, {"RorL", &N::RorL}, {"UorD", &N::UorD}}},
    },
};

using E = BeamInfo;
const Layout<E> beamLayout = {
    {{"i", &E::i}, {"j", &E::j}, {"ob", &E::ob}},
    {
        {"Proprety",
            {{"E", &E::E}, {"A", &E::A}, {"I", &E::I}, {"L", &E::L}, {"c", &E::c}, {"s", &E::s}}},
        {"Action",
            {{"Ni", &E::Ni}, {"Qi", &E::Qi}, {"Mi", &E::Mi}, {"Nj", &E::Nj}, {"Qj", &E::Qj},
                {"Mj", &E::Mj}, {"Origin", &E::Origin}, {"Dl", &E::Dl}, {"bEs", &E::bEs}}},
    },
};

using R = ResultInfo;
const Layout<R> resultLayout = {
    {{"i", &R::i}, {"j", &R::j}, {"ob", &R::ob}},
    {
        {"Displace",
            {{"Xi", &R::Xi}, {"Yi", &R::Yi}, {"Ai", &R::Ai}, {"Xj", &R::Xj}, {"Yj", &R::Yj},
                {"Aj", &R::Aj}}},
        {"Effect",
            {{"Ni", &R::Ni}, {"Qi", &R::Qi}, {"Mi", &R::Mi}, {"Nj", &R::Nj}, {"Qj", &R::Qj},
                {"Mj", &R::Mj}}},
        {"React", {{"SPi", &R::SPi}, {"SPj", &R::SPj}, {"BPi", &R::BPi}, {"BPj", &R::BPj}}},
    },
};

using X = ExtremeValues;
const Attrs<X> extremeAttrs = {{"D", &X::D}, {"M", &X::M}, {"Q", &X::Q}, {"R", &X::R}};

} // namespace

QByteArray FileSys::resultXml(const Project &data)
{
    return writeXml("ResultData", data, [&] {
        m_writer.writeStartElement(QStringLiteral("NodeDatas"));
        for (const NodeInfo &node : data.nodes)
            writeRecord(m_writer, "Node", nodeLayout, node);
        m_writer.writeEndElement();
        m_writer.writeStartElement(QStringLiteral("BeamDatas"));
        for (const BeamInfo &beam : data.beams)
            writeRecord(m_writer, "Beam", beamLayout, beam);
        m_writer.writeEndElement();
        m_writer.writeStartElement(QStringLiteral("ResultDatas"));
        for (const ResultInfo &result : data.results)
            writeRecord(m_writer, "Result", resultLayout, result);
        m_writer.writeEndElement();

        m_writer.writeStartElement(QStringLiteral("MaxAndMinDatas"));
        const std::pair<const char *, const ExtremeValues *> extremes[] = {
            {"Max1", &data.extremes.Max1},
            {"Max2", &data.extremes.Max2},
            {"Min1", &data.extremes.Min1},
            {"Min2", &data.extremes.Min2},
        };
        for (const auto &[name, values] : extremes) {
            m_writer.writeEmptyElement(QString::fromLatin1(name));
            writeAttributes(m_writer, extremeAttrs, *values);
        }
        m_writer.writeEndElement();
    });
}

int FileSys::readResults(const QByteArray &xml, Project &data)
{
    const ReadingBuffer input(m_reader, xml);

    bool found = false;
    while (readNextTopElement(m_reader)) {
        if (m_reader.name() != u"ResultData") {
            m_reader.skipCurrentElement();
            continue;
        }
        found = true;
        data.nodes.clear();
        data.beams.clear();
        data.results.clear();
        while (m_reader.readNextStartElement()) {
            const QStringView name = m_reader.name();
            if (name == u"FileVer") {
                const float version =
                    filenumbers::toFloat(m_reader.attributes().value(QLatin1String("version")));
                if (std::fabs(double(version) - data.fileVersion) > 1e-5) {
                    // Results of another version are dropped: the project opens
                    // in input mode and is analysed again.
                    data.status = SHOWDATA;
                    return ReadOk;
                }
                m_reader.skipCurrentElement();
            } else if (name == u"NodeDatas") {
                if (!readList(
                        m_reader, "Node", nodeLayout, data.nodes, MAXRESULTRECORDS, m_unreadable))
                    refuseTooManyRecords();
            } else if (name == u"BeamDatas") {
                if (!readList(
                        m_reader, "Beam", beamLayout, data.beams, MAXRESULTRECORDS, m_unreadable))
                    refuseTooManyRecords();
            } else if (name == u"ResultDatas") {
                if (!readList(m_reader, "Result", resultLayout, data.results, MAXRESULTRECORDS,
                        m_unreadable))
                    refuseTooManyRecords();
            } else if (name == u"MaxAndMinDatas") {
                readExtremes(data);
            } else {
                m_reader.skipCurrentElement();
            }
        }
    }
    if (m_reader.hasError()) {
        m_errorLine = m_reader.lineNumber();
        return ReadBroken;
    }
    // Without its root element the member holds no results of this project:
    // it opens in input mode, like results that do not fit the file.
    if (!found)
        data.dropResults();
    return ReadOk;
}

void FileSys::readExtremes(Project &data)
{
    while (m_reader.readNextStartElement()) {
        const QStringView name = m_reader.name();
        ExtremeValues *values = name == u"Max1" ? &data.extremes.Max1
            : name == u"Max2"                   ? &data.extremes.Max2
            : name == u"Min1"                   ? &data.extremes.Min1
            : name == u"Min2"                   ? &data.extremes.Min2
                                                : nullptr;
        if (values)
            readAttributes(m_reader, extremeAttrs, *values, m_unreadable);
        m_reader.skipCurrentElement();
    }
}
