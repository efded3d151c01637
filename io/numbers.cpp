#include "io/numbers.h"

#include <cmath>
#include <limits>

namespace filenumbers {

QString numberText(double value)
{
    return QString::number(std::isfinite(value) ? value : 0.0, 'g', 6);
}

QString integerText(qint64 value)
{
    return QString::number(value);
}

double toDouble(QStringView text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

float toFloat(QStringView text)
{
    const double value = toDouble(text);
    return std::fabs(value) <= double(std::numeric_limits<float>::max()) ? float(value) : 0.0f;
}

qint32 toInt(QStringView text)
{
    bool ok = false;
    const qint32 value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

} // namespace filenumbers
