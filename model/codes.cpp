// Screen words of the code tables.

#include "model/codes.h"

namespace {

QString unknown(int code)
{
    return QStringLiteral("?%1").arg(code);
}

} // namespace

QString CodeText::pileForm(qint32 form)
{
    switch (form) {
    case SINGLEROW: return tr("单排桩");
    case DOUBLEROW: return tr("双排桩");
    default: return unknown(form);
    }
}

QString CodeText::distribution(qint16 shape)
{
    switch (shape) {
    case DISTTRIANGLE: return tr("三角形");
    case DISTRECTANGLE: return tr("矩形");
    case DISTTRAPEZOID: return tr("梯形");
    default: return unknown(shape);
    }
}

QString CodeText::section(qint16 shp)
{
    switch (shp) {
    case SECTSQUARE: return tr("方桩");
    case SECTROUND: return tr("圆桩");
    default: return unknown(shp);
    }
}

QString CodeText::support(qint16 support)
{
    switch (support) {
    case SUPPORTHINGED: return tr("铰接");
    case SUPPORTFREE: return tr("自由");
    case SUPPORTFIXED: return tr("固定");
    default: return unknown(support);
    }
}

QString CodeText::method(qint16 type)
{
    switch (type) {
    case METHODM: return tr("m法");
    case METHODK: return tr("K法");
    default: return unknown(type);
    }
}

QString CodeText::interaction(qint16 interact)
{
    switch (interact) {
    case INTERACTES: return tr("采用Es值相互作用");
    case INDEPENDENTK: return tr("采用K值各自独立");
    default: return unknown(interact);
    }
}

QString CodeText::load(qint16 type)
{
    switch (type) {
    case LOADDIST: return tr("均布力");
    case LOADPNT: return tr("集中力");
    case LOADMOMENT: return tr("力矩");
    default: return unknown(type);
    }
}

QString CodeText::loadKind(qint16 type)
{
    return type == LOADMOMENT ? tr("弯矩") : load(type);
}

QString CodeText::direction(qint16 direction)
{
    switch (direction) {
    case DIRHORIZONTAL: return tr("水平");
    case DIRVERTICAL: return tr("垂直");
    default: return unknown(direction);
    }
}

QString CodeText::carrier(qint16 object, qint32 pileForm)
{
    switch (object) {
    case OBJPILE: return pileForm == DOUBLEROW ? tr("前桩") : tr("抗滑桩");
    case OBJBACKPILE: return tr("后桩");
    case OBJBEAM: return tr("横梁");
    default: return unknown(object);
    }
}

QString CodeText::anchorType(qint16 type)
{
    switch (type) {
    case ANCHORCABLE: return tr("锚索钢绞线");
    case ANCHORBAR: return tr("锚杆钢筋");
    default: return unknown(type);
    }
}

QString CodeText::anchorKind(qint16 type)
{
    switch (type) {
    case ANCHORCABLE: return tr("锚索");
    case ANCHORBAR: return tr("锚杆");
    default: return unknown(type);
    }
}

QString CodeText::bond(qint16 soil)
{
    switch (soil) {
    case BONDROCK: return tr("岩层");
    case BONDSOIL: return tr("土层");
    default: return unknown(soil);
    }
}

QString CodeText::grade(qint16 grade)
{
    return tr("C%1").arg(grade);
}

QStringList CodeText::words(const QList<qint16> &codes, QString (*word)(qint16))
{
    QStringList list;
    for (qint16 code : codes)
        list << word(code);
    return list;
}

qint16 CodeText::codeOf(
    const QString &text, const QList<qint16> &codes, QString (*word)(qint16), qint16 fallback)
{
    for (qint16 code : codes) {
        if (word(code) == text)
            return code;
    }
    return fallback;
}
