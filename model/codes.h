#pragma once

// Code tables of the project records with their screen words. The values are
// stored in project files, so they never change. The words live here once so
// that the data tree, the property table, the dialogs, the command-line
// summary and the report all say the same thing.

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// Support form (BaseInfo::pileForm)
constexpr qint32 SINGLEROW = 1;
constexpr qint32 DOUBLEROW = 2;

// Distribution of thrust and resistance over depth, and of derived forces
constexpr qint16 DISTTRIANGLE = 51;
constexpr qint16 DISTRECTANGLE = 52;
constexpr qint16 DISTTRAPEZOID = 53;

// Pile section
constexpr qint16 SECTSQUARE = 21;
constexpr qint16 SECTROUND = 22;

// Pile bottom support
constexpr qint16 SUPPORTHINGED = 41;
constexpr qint16 SUPPORTFREE = 42;
constexpr qint16 SUPPORTFIXED = 43;

// Soil resistance method
constexpr qint16 METHODM = 11;
constexpr qint16 METHODK = 12;

// Double-row analysis
constexpr qint16 INTERACTES = 101;
constexpr qint16 INDEPENDENTK = 102;

// Force kind and direction
constexpr qint16 LOADDIST = 61;
constexpr qint16 LOADPNT = 62;
constexpr qint16 LOADMOMENT = 63;
constexpr qint16 DIRHORIZONTAL = 64;
constexpr qint16 DIRVERTICAL = 65;

// Carrier of a force or an anchor, and member kind of an analysis element
constexpr qint16 OBJPILE = 81;
constexpr qint16 OBJBACKPILE = 82;
constexpr qint16 OBJBEAM = 83;
constexpr qint16 OBJESLINK = 84;

// Anchor kind and ground of its bond section
constexpr qint16 ANCHORCABLE = 701;
constexpr qint16 ANCHORBAR = 702;
constexpr qint16 BONDROCK = 711;
constexpr qint16 BONDSOIL = 712;

// Contact states of springs and Es links used by the trial calculation
constexpr qint32 STATENEW = 120; // not yet chosen
constexpr qint32 STATENONE = 121; // no spring here / link switched off
constexpr qint32 STATERIGHT = 122; // right spring Kr active
constexpr qint32 STATELEFT = 123; // left spring Kl active
constexpr qint32 STATELINKON = 124; // Es link switched on
constexpr qint32 STATEUP = 125; // up spring Ku active
constexpr qint32 STATEDOWN = 126; // down spring Kd active

// Document::status bits
constexpr qint32 SHOWDATA = 1;
constexpr qint32 SHOWRESULT = 2;
constexpr qint32 SHOWMARK = 4;
constexpr qint32 SHOWDISPLACE = 8;
constexpr qint32 SHOWMOMENT = 16;
constexpr qint32 SHOWSHEAR = 32;
constexpr qint32 SHOWNORMAL = 64;
constexpr qint32 SHOWREACT = 128;

// Tolerance of every geometric comparison: a is above b when a - b > EPS.
constexpr double EPS = 0.00001;

// Screen words of the codes above, translated with the context "CodeText".
// A code outside its table (a damaged file) reads "?" and its number, so it
// shows as what it is instead of passing for a valid choice.
class CodeText
{
    Q_DECLARE_TR_FUNCTIONS(CodeText)

public:
    static QString pileForm(qint32 form); // 单排桩, 双排桩
    static QString distribution(qint16 shape); // 三角形, 矩形, 梯形
    static QString section(qint16 shp); // 方桩, 圆桩
    static QString support(qint16 support); // 铰接, 自由, 固定
    static QString method(qint16 type); // m法, K法
    static QString interaction(qint16 interact); // 采用Es值相互作用, 采用K值各自独立
    static QString load(qint16 type); // 均布力, 集中力, 力矩
    // The force table names a moment as its column does: 均布力, 集中力, 弯矩.
    static QString loadKind(qint16 type);
    static QString direction(qint16 direction); // 水平, 垂直
    // The single pile is "抗滑桩"; in a double row it is the front pile "前桩".
    static QString carrier(qint16 object, qint32 pileForm); // 抗滑桩/前桩, 后桩, 横梁
    static QString anchorType(qint16 type); // 锚索钢绞线, 锚杆钢筋
    // The short word of the anchor table: 锚索, 锚杆.
    static QString anchorKind(qint16 type);
    static QString bond(qint16 soil); // 岩层, 土层
    static QString grade(qint16 grade); // C20 ... C40

    // The words of the codes, in the order given: the choices a table
    // offers for a coded field.
    static QStringList words(const QList<qint16> &codes, QString (*word)(qint16));
    // The code among `codes` whose word is `text`; `fallback` when none is.
    static qint16 codeOf(
        const QString &text, const QList<qint16> &codes, QString (*word)(qint16), qint16 fallback);
};

// Concrete grades a pile or the link beam can have, as the tables offer them.
inline const QList<qint16> CONCRETEGRADES = {20, 25, 30, 35, 40};
