#pragma once

// The forms a typed value may take, one for each kind of input field, with
// the words that tell the user which values they are. The editors of the
// dialogs and of the side dock take a text only when the whole of it
// matches; any other text is refused as typed, never trimmed into a value,
// and the refusal names the values the field takes.

#include <QCoreApplication>
#include <QString>

struct InputPattern
{
    const char *expression; // UTF-8, anchored at both ends
    const char *allowed; // the values it takes, in the context "InputPattern"

    QString expressionText() const { return QString::fromUtf8(expression); }
    QString allowedText() const { return QCoreApplication::translate("InputPattern", allowed); }
};

namespace InputPatterns {

// Depths, and positions along a pile or the link beam.
inline constexpr InputPattern Depth = {"^(0(\\.\\d)?|[1-9]\\d?(\\.\\d)?|100)$",
    QT_TRANSLATE_NOOP("InputPattern", "0~100，最多一位小数")};
// Lengths and sizes that cannot be 0: thicknesses, unit weights, anchor
// sections, widths of distributed forces.
inline constexpr InputPattern Length = {"^(0\\.[1-9]|[1-9]\\d?(\\.\\d)?|100)$",
    QT_TRANSLATE_NOOP("InputPattern", "0.1~100，最多一位小数")};
// Thrust and resistance, cohesion, soil coefficients and moduli.
inline constexpr InputPattern Amount
    = {"^\\d{1,5}(\\.\\d)?$", QT_TRANSLATE_NOOP("InputPattern", "0~99999.9，最多一位小数")};
// Pile spacing and the distance between the rows.
inline constexpr InputPattern Spacing
    = {"^(0\\.(0[1-9]|[1-9]\\d?)|[1-9](\\.\\d{1,2})?|1\\d(\\.\\d{1,2})?)$",
        QT_TRANSLATE_NOOP("InputPattern", "大于0且小于20，最多两位小数")};
// Height of the front pile top over the back pile top.
inline constexpr InputPattern Offset = {"^-?(\\d(\\.\\d)?|[1-5]\\d(\\.\\d)?|60)$",
    QT_TRANSLATE_NOOP("InputPattern", "-60~60，最多一位小数")};
inline constexpr InputPattern PileLength = {"^([5-9](\\.\\d)?|[1-5]\\d(\\.\\d)?|60)$",
    QT_TRANSLATE_NOOP("InputPattern", "5~60，最多一位小数")};
// Sizes of pile and link beam sections.
inline constexpr InputPattern SectionSize = {
    "^(0\\.[3-9]|[1-5](\\.\\d)?)$", QT_TRANSLATE_NOOP("InputPattern", "0.3~5.9，最多一位小数")};
// Names of the project and of soil layers; may stay empty.
inline constexpr InputPattern Name = {"^[a-zA-Z0-9一-鿿|-]*$",
    QT_TRANSLATE_NOOP("InputPattern", "字母、数字、汉字、“|”和“-”")};
// Angle of internal friction, degrees.
inline constexpr InputPattern FrictionAngle = {"^([0-9](\\.\\d)?|[1-4][0-9](\\.\\d)?|50)$",
    QT_TRANSLATE_NOOP("InputPattern", "0~50，最多一位小数")};
// Diameter of an anchor's bond section, mm.
inline constexpr InputPattern GroutDiameter
    = {"^([1-9]\\d?|[1-4]\\d\\d|500)$", QT_TRANSLATE_NOOP("InputPattern", "1~500的整数")};
// Prestress of an anchor, kN.
inline constexpr InputPattern Prestress
    = {"^\\d{1,3}(\\.\\d)?$", QT_TRANSLATE_NOOP("InputPattern", "0~999.9，最多一位小数")};
// Inclination of an anchor below the horizontal, degrees.
inline constexpr InputPattern Inclination = {
    "^(0(\\.\\d)?|[1-8]\\d?(\\.\\d)?)$", QT_TRANSLATE_NOOP("InputPattern", "0~89.9，最多一位小数")};
// Values of additional forces, either sign.
inline constexpr InputPattern Load = {
    "^-?\\d{1,3}(\\.\\d)?$", QT_TRANSLATE_NOOP("InputPattern", "-999.9~999.9，最多一位小数")};
// Stiffness reduction of the piles, %.
inline constexpr InputPattern Percent
    = {"^([7-9]\\d|100)$", QT_TRANSLATE_NOOP("InputPattern", "70~100的整数")};

} // namespace InputPatterns
