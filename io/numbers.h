#pragma once

// The one way numbers cross the project-file boundary. Writing gives the
// shortest form with six significant digits; reading never fails: text that
// is not a finite number reads as 0.

#include <QString>
#include <QStringView>

namespace filenumbers {

// 31500000 -> "3.15e+07", 8595.341930 -> "8595.34"; nan and inf -> "0".
QString numberText(double value);
// Decimal integer.
QString integerText(qint64 value);

// Any finite number; anything else (empty, "abc", "nan", "inf", 1e999) -> 0.
double toDouble(QStringView text);
// As toDouble, narrowed to a 32-bit float; values beyond its range -> 0.
float toFloat(QStringView text);
// Base-10 integer that fits 32 bits; anything else -> 0.
qint32 toInt(QStringView text);

} // namespace filenumbers
