#include "view/fonts.h"

#include <QStringList>

namespace {

const QString primaryFamily = QStringLiteral("Microsoft YaHei UI");

QStringList fallbackFamilies()
{
    return {QStringLiteral("Microsoft YaHei"), QStringLiteral("Noto Sans CJK SC"),
        QStringLiteral("Noto Sans SC"), QStringLiteral("WenQuanYi Micro Hei"),
        QStringLiteral("Source Han Sans SC")};
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
