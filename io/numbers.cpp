#include "io/numbers.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <limits>

namespace filenumbers {

QString numberText(double value)
{
    return QString::number(std::isfinite(value) ? value : 0.0, 'g', QLocale::FloatingPointShortest);
}

QString numberText(float value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    // A float is read as a double and then narrowed: the text is checked
    // through that very road. Nine significant digits always come back.
    QString text;
    for (int digits = 1; digits <= 9; ++digits) {
        text = QString::number(double(value), 'g', digits);
        if (toFloat(text) == value)
            break;
    }
    return text;
}

QString integerText(qint64 value)
{
    return QString::number(value);
}

double toDouble(QStringView text, bool *ok)
{
    if (ok)
        *ok = false;
    text = text.trimmed();
    // A project may hold tens of thousands of numbers, nearly all short and
    // plain ASCII: they are parsed from a byte copy on the stack, without the
    // string Qt's parser would build. Whatever that parse refuses goes to
    // Qt's parser, so both read the same numbers.
    char bytes[64];
    if (!text.isEmpty() && text.size() < qsizetype(sizeof bytes)) {
        qsizetype n = 0;
        for (const QChar c : text) {
            if (c.unicode() > 0x7f)
                break;
            bytes[n++] = char(c.unicode());
        }
        if (n == text.size()) {
            const char *begin = bytes;
            const char *end = bytes + n;
            // Qt takes a plus sign before the number, the byte parser none.
            if (n > 1 && begin[0] == '+' && begin[1] != '+' && begin[1] != '-')
                ++begin;
            double value = 0.0;
            const auto [stop, error] = std::from_chars(begin, end, value);
            if (error == std::errc() && stop == end && std::isfinite(value)) {
                if (ok)
                    *ok = true;
                return value;
            }
        }
    }
    bool read = false;
    const double value = text.toDouble(&read);
    if (!read || !std::isfinite(value))
        return 0.0;
    if (ok)
        *ok = true;
    return value;
}

float toFloat(QStringView text, bool *ok)
{
    bool read = false;
    const double value = toDouble(text, &read);
    const bool fits = read && std::fabs(value) <= double(std::numeric_limits<float>::max());
    if (ok)
        *ok = fits;
    return fits ? float(value) : 0.0f;
}

qint32 toInt(QStringView text, bool *ok)
{
    bool read = false;
    const qint32 value = text.trimmed().toInt(&read, 10);
    if (ok)
        *ok = read;
    return read ? value : 0;
}

qint16 toShort(QStringView text, bool *ok)
{
    bool read = false;
    const qint16 value = text.trimmed().toShort(&read, 10);
    if (ok)
        *ok = read;
    return read ? value : 0;
}

} // namespace filenumbers
