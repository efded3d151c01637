#include "dialogs/cellreader.h"

#include <QTableWidget>

#include <cmath>

CellReader::CellReader(const QTableWidget *table, Naming naming)
    : m_table(table)
    , m_naming(std::move(naming))
{ }

QString CellReader::text(int row, int column) const
{
    const QTableWidgetItem *item = m_table ? m_table->item(row, column) : nullptr;
    return item ? item->text().trimmed() : QString();
}

bool CellReader::parse(int row, int column, double &number)
{
    bool ok = false;
    const double v = text(row, column).toDouble(&ok);
    if (ok && std::isfinite(v)) {
        number = v;
        return true;
    }
    if (m_newRecord)
        refuse(row, column, tr("请填写数值"));
    return false;
}

bool CellReader::number(int row, int column, double &value, double scale)
{
    double v = 0.0;
    if (!parse(row, column, v))
        return false;
    // Dividing by the inverse of a small scale is exact where multiplying
    // by it is not (150 × 0.001 is not 0.15).
    value = std::fabs(scale) < 1.0 ? v / std::round(1.0 / scale) : v * scale;
    return true;
}

bool CellReader::integer(int row, int column, qint32 &value)
{
    double v = 0.0;
    if (!parse(row, column, v))
        return false;
    if (std::fabs(v) > 2e9) {
        refuse(row, column, tr("数值过大"));
        return false;
    }
    value = qint32(std::lround(v));
    return true;
}

bool CellReader::positive(int row, int column, double &value, double scale)
{
    double v = value;
    if (!number(row, column, v, scale))
        return false;
    if (!(v > 0.0)) {
        refuse(row, column, tr("数值必须大于0"));
        return false;
    }
    value = v;
    return true;
}

void CellReader::refuse(int row, int column, const QString &why)
{
    const QString name = m_naming ? m_naming(row, column) : QString();
    m_problems << tr("%1：%2").arg(name, why);
}
