#include "view/fonts.h"

#include <QStringList>

namespace {

const QString primaryFamily = QStringLiteral("Microsoft YaHei UI");

// The WenQuanYi fonts come before Noto Sans CJK and Source Han Sans: those
// give a unified ideograph and its Kangxi radical (力 and ⼒) one glyph, and
// Qt's PDF writer maps a glyph back to the lowest character that uses it, so
// text copied out of a report would read ⼒. The WenQuanYi fonts map each
// glyph from one character.
QStringList fallbackFamilies()
{
    return {QStringLiteral("Microsoft YaHei"), QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Noto Sans SC"), QStringLiteral("Source Han Sans SC")};
}

} // namespace

void installFontFallbacks()
{
    QFont::insertSubstitutions(primaryFamily, fallbackFamilies());
}

QFont programFont()
{
    QFont font(primaryFamily);
    font.setFamilies(QStringList(primaryFamily) + fallbackFamilies());
    return font;
}
