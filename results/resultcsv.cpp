#include "results/resultcsv.h"

#include "results/reportcontent.h"

#include <QDir>
#include <QSaveFile>

namespace {

QString field(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"'))
        && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString line(const QStringList &fields)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString &f : fields)
        out.append(field(f));
    return out.join(QLatin1Char(',')) + QLatin1String("\r\n");
}

} // namespace

QByteArray ResultCsv::text(const QStringList &header, const QList<QStringList> &rows)
{
    QString body = line(header);
    for (const QStringList &row : rows)
        body += line(row);
    return QByteArray("\xEF\xBB\xBF") + body.toUtf8();
}

QString ResultCsv::write(const AnalysisResult &result, const QString &path)
{
    if (!result.valid)
        return ReportBuilder::noResults();
    // Displacements to the micrometre, the other values to two decimals:
    // finer than the report, for programs that compute with the table.
    NodeTableDecimals decimals;
    decimals.displacement = 3;
    decimals.value = 2;
    const ReportTable table = ReportBuilder::nodeTable(result, decimals);
    const QByteArray bytes = text(table.header, table.rows);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return tr("无法写入文件%1").arg(QDir::toNativeSeparators(path));
    return QString();
}
