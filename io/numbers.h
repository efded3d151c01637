#pragma once

// The one way numbers cross the project-file boundary. Writing gives the
// shortest text that reads back to the very same value, so a project read
// from a file holds exactly the numbers that were saved. Reading never fails:
// text that is not a finite number of the field's type reads as 0, and `ok`
// (when given) tells the caller so.

#include <QString>
#include <QStringView>

namespace filenumbers {

// 31500000 -> "3.15e+07", 8595.341930 -> "8595.34193", 0.1 -> "0.1";
// nan and inf -> "0".
QString numberText(double value);
// The shortest text that reads back (through toFloat) to the same float:
// 0.85f -> "0.85", not the digits of the double nearest to it.
QString numberText(float value);
// Decimal integer.
QString integerText(qint64 value);

// Any finite number; anything else (empty, "abc", "nan", "inf", 1e999) -> 0.
double toDouble(QStringView text, bool *ok = nullptr);
// As toDouble, narrowed to a 32-bit float; values beyond its range -> 0.
float toFloat(QStringView text, bool *ok = nullptr);
// Base-10 integer that fits 32 bits; anything else -> 0.
qint32 toInt(QStringView text, bool *ok = nullptr);
// Base-10 integer that fits 16 bits; anything else, 65547 too, -> 0.
qint16 toShort(QStringView text, bool *ok = nullptr);

} // namespace filenumbers
