// The dock's property table: one record of the shown document at a time, a
// row per editable field, and the apply that hands the edited copy to the
// Document's road for changes.

#include "dock/dockview.h"

#include "dialogs/comboboxdelegate.h"
#include "dialogs/datalimitdelegate.h"
#include "dialogs/doublespindelegate.h"
#include "dialogs/spindelegate.h"
#include "model/inputrules.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTableWidget>

#include <cmath>
#include <optional>

namespace {

// The product's web address shown in the program rows.
const char *const WEBADDRESS = "https://kestrane.example";

// Six significant digits, shortest form.
QString num(double v)
{
    return QString::number(v, 'g', 6);
}

// The choices of a combo row, in the order the table offers them.
const QList<qint16> DISTRIBUTIONS = {DISTRECTANGLE, DISTTRIANGLE, DISTTRAPEZOID};
const QList<qint16> SECTIONS = {SECTROUND, SECTSQUARE};
const QList<qint16> SUPPORTS = {SUPPORTHINGED, SUPPORTFREE, SUPPORTFIXED};
const QList<qint16> DIRECTIONS = {DIRHORIZONTAL, DIRVERTICAL};
const QStringList CABLEDIAMETERS = {"10.8", "12.9", "12.7", "15.2", "17.8", "21.6"};
const QStringList BARDIAMETERS = {"18.0", "20.0", "22.0", "25.0", "28.0", "32.0", "40.0", "50.0"};

// The diameter text as the combo offers it: one decimal.
QString diameterText(double mm)
{
    return QString::number(mm, 'f', 1);
}

constexpr int VALUE = 1;

} // namespace

// Table rows.

void DockView::clearTable()
{
    for (int row = 0; row < m_table->rowCount(); ++row) {
        m_table->setItemDelegateForRow(row, nullptr);
        m_table->removeCellWidget(row, 0);
    }
    m_table->clearContents();
    m_table->setRowCount(0);
    m_refusedRows.clear();
    // The editors of the removed rows are already let go; their delegates
    // follow once the events in hand are done.
    for (QAbstractItemDelegate *delegate : qAsConst(m_delegates))
        delegate->deleteLater();
    m_delegates.clear();
}

int DockView::addRow(const QString &label, const QString &value, bool editable)
{
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    setFixed(row, value);
    auto *labelItem = new QTableWidgetItem(label);
    labelItem->setFlags(labelItem->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEditable));
    m_table->setItem(row, 0, labelItem);
    if (editable)
        setValue(row, value);
    return row;
}

void DockView::setFixed(int row, const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEditable));
    m_table->setItem(row, VALUE, item);
}

void DockView::setValue(int row, const QString &text)
{
    m_table->setItem(row, VALUE, new QTableWidgetItem(text));
}

void DockView::setRowDelegate(int row, QAbstractItemDelegate *delegate)
{
    m_delegates.append(delegate);
    m_table->setItemDelegateForRow(row, delegate);
}

void DockView::setRowPattern(int row, const InputPattern &pattern)
{
    auto *delegate = new DataLimitDelegate(pattern, m_table);
    connect(delegate, &DataLimitDelegate::refused, this, &DockView::valueRefused);
    setRowDelegate(row, delegate);
}

void DockView::valueRefused(const QModelIndex &index, const QString &reason)
{
    const QTableWidgetItem *label = m_table->item(index.row(), 0);
    const QString line =
        tr("%1：%2").arg(label ? label->text() : QString::number(index.row() + 1), reason);
    m_refusedRows << line;
    emit statusMessage(line);
    // The information window keeps it with the document's log.
    if (m_document)
        m_document->outInfo(QStringLiteral(">>") + line);
}

QString DockView::cellText(int row) const
{
    const QTableWidgetItem *item = m_table->item(row, VALUE);
    return item ? item->text() : QString();
}

void DockView::showProgramRows()
{
    clearTable();
    addRow(tr("软件名称"), tr("澄川抗滑桩软件"), false);
    addRow(tr("官方网址"), QString::fromLatin1(WEBADDRESS), false);
    m_category = -1;
    m_index = -1;
    m_applyButton->setEnabled(false);
}

// Reading the table back. A cell left empty, or holding no number, keeps the
// record's value: a soil thickness, a pile length or a modulus of 0 would be
// lost data and a model that cannot be built.

namespace {

std::optional<double> numberIn(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace

void DockView::readNumber(int row, double &value, double scale)
{
    const std::optional<double> v = numberIn(cellText(row));
    if (!v) {
        const QTableWidgetItem *label = m_table->item(row, 0);
        m_skippedRows << (label ? label->text() : QString::number(row + 1));
        return;
    }
    // Dividing by the inverse of a small scale is exact where multiplying
    // by it is not (3300 × 0.001 is not 3.3).
    value = std::fabs(scale) < 1.0 ? *v / std::round(1.0 / scale) : *v * scale;
}

void DockView::readInteger(int row, qint32 &value)
{
    double v = value;
    readNumber(row, v);
    value = qint32(std::lround(v));
}

void DockView::reportSkippedRows()
{
    if (!m_skippedRows.isEmpty())
        emit statusMessage(tr("未填写数值，保留原值：%1").arg(m_skippedRows.join(tr("、"))));
    m_skippedRows.clear();
    // A refused value was applied as it was before: that is said last, as
    // the change's own notes have gone to the status bar meanwhile.
    if (!m_refusedRows.isEmpty())
        emit statusMessage(m_refusedRows.join(tr("；")));
    m_refusedRows.clear();
}

// Tables per category.

void DockView::showBaseTable()
{
    clearTable();
    const BaseInfo &base = m_document->project().base;
    const bool two = base.PileForm == DOUBLEROW;
    addRow(tr("支护形式"), CodeText::pileForm(base.PileForm), false);
    setRowPattern(addRow(two ? tr("后桩滑面深度(m)") : tr("滑面深度(m)"), num(base.slideBackH)),
        InputPatterns::Depth);
    setRowPattern(addRow(tr("桩前开挖深度(m)"), num(base.cutH)), InputPatterns::Depth);
    setRowPattern(addRow(tr("桩后下滑力(kN/m)"), num(-base.aforce)), InputPatterns::Amount);
    setRowPattern(addRow(tr("桩前抗滑力(kN/m)"), num(base.pforce)), InputPatterns::Amount);
    auto *shape =
        new ComboBoxDelegate(CodeText::words(DISTRIBUTIONS, &CodeText::distribution), m_table);
    connect(shape, &ComboBoxDelegate::selectionChanged, this, &DockView::indexChangedBaseData);
    setRowDelegate(addRow(tr("作用力分布形式"), CodeText::distribution(base.shape)), shape);
    const bool trapezoid = base.shape == DISTTRAPEZOID;
    const int ratio = addRow(tr("梯形q1/q2比值"), trapezoid ? num(base.ratio) : tr("-"), trapezoid);
    setRowDelegate(ratio, new DoubleSpinDelegate(0, 2, 1, m_table));
    setRowPattern(addRow(tr("桩中心间距(m)"), num(base.space)), InputPatterns::Spacing);
    if (two) {
        setRowPattern(addRow(tr("前后排桩中心距(m)"), num(base.row)), InputPatterns::Spacing);
        setRowPattern(addRow(tr("前桩滑面深度(m)"), num(base.slideFrontH)), InputPatterns::Depth);
        setRowPattern(addRow(tr("前桩顶相对后桩高差"), num(base.dpel)), InputPatterns::Offset);
    }
}

void DockView::indexChangedBaseData(int row, int column, int index)
{
    if (row != 5 || column != VALUE || !m_document)
        return;
    if (index == 2)
        setValue(6, num(m_document->project().base.ratio));
    else
        setFixed(6, tr("-"));
}

void DockView::showPileTable(const PileInfo &pile)
{
    clearTable();
    setRowPattern(addRow(tr("桩身长度(m)"), num(pile.length)), InputPatterns::PileLength);
    const QStringList grades = CodeText::words(CONCRETEGRADES, &CodeText::grade);
    setRowDelegate(addRow(tr("桩混凝土等级"), CodeText::grade(pile.grade)),
        new ComboBoxDelegate(grades, m_table));
    auto *section = new ComboBoxDelegate(CodeText::words(SECTIONS, &CodeText::section), m_table);
    connect(section, &ComboBoxDelegate::selectionChanged, this, &DockView::indexChangedPileData);
    setRowDelegate(addRow(tr("桩截面形状"), CodeText::section(pile.shp)), section);
    const bool round = pile.shp == SECTROUND;
    setRowPattern(addRow(tr("圆桩直径(m)"), round ? num(pile.diameter) : tr("-"), round),
        InputPatterns::SectionSize);
    setRowPattern(addRow(tr("方桩高度(m)"), round ? tr("-") : num(pile.height), !round),
        InputPatterns::SectionSize);
    setRowPattern(addRow(tr("方桩宽度(m)"), round ? tr("-") : num(pile.width), !round),
        InputPatterns::SectionSize);
    setRowDelegate(addRow(tr("桩底支承条件"), CodeText::support(pile.support)),
        new ComboBoxDelegate(CodeText::words(SUPPORTS, &CodeText::support), m_table));
}

void DockView::indexChangedPileData(int row, int column, int index)
{
    if (row != 2 || column != VALUE || !m_document)
        return;
    const PileInfo &pile = m_category == BackPileCategory ? m_document->project().backPile
                                                          : m_document->project().frontPile;
    if (index == 1) {
        setFixed(3, tr("-"));
        setValue(4, num(pile.height));
        setValue(5, num(pile.width));
    } else if (index == 0) {
        setValue(3, num(pile.diameter));
        setFixed(4, tr("-"));
        setFixed(5, tr("-"));
    }
}

void DockView::showLinkBeamTable()
{
    clearTable();
    const LinkBeamInfo &beam = m_document->project().linkBeam;
    setRowPattern(addRow(tr("连梁高度(m)"), num(beam.height)), InputPatterns::SectionSize);
    setRowPattern(addRow(tr("连梁宽度(m)"), num(beam.width)), InputPatterns::SectionSize);
    setRowDelegate(addRow(tr("桩混凝土等级"), CodeText::grade(beam.grade)),
        new ComboBoxDelegate(CodeText::words(CONCRETEGRADES, &CodeText::grade), m_table));
    addRow(tr("连梁长度(m)"), tr("同前后排桩距"), false);
}

void DockView::showSoilTable(const SoilInfo &soil)
{
    clearTable();
    setRowPattern(addRow(tr("岩土层名称"), soil.Name), InputPatterns::Name);
    setRowPattern(addRow(tr("厚度(m)"), num(soil.thickness)), InputPatterns::Length);
    setRowPattern(addRow(tr("重度γ(kN/m³)"), num(soil.r)), InputPatterns::Length);
    setRowPattern(addRow(tr("粘聚力c(kPa)"), num(soil.c)), InputPatterns::Amount);
    setRowPattern(addRow(tr("内摩擦角φ(°)"), num(soil.fi)), InputPatterns::FrictionAngle);
    const bool m = soil.type == METHODM;
    addRow(tr("计算方法"), CodeText::method(soil.type), false);
    // Shown in MN/m⁴, MN/m³ and MPa; held in kN and kPa.
    setRowPattern(
        addRow(m ? tr("m值(MN/m⁴)") : tr("K值(MN/m³)"), num((m ? soil.m : soil.k) / 1000.0)),
        InputPatterns::Amount);
    setRowPattern(addRow(tr("弹性模量Es(MPa)"), num(soil.Es / 1000.0)), InputPatterns::Amount);
    setRowPattern(
        addRow(tr("岩石抗压强度frk(MPa)"), num(soil.frk / 1000.0)), InputPatterns::Amount);
    if (m)
        addCoefficientButton();
}

void DockView::addCoefficientButton()
{
    auto *holder = new QWidget;
    auto *layout = new QHBoxLayout(holder);
    layout->setContentsMargins(1, 0, 1, 0);
    layout->setSpacing(0);
    layout->addStretch();
    auto *button = new QPushButton(holder);
    button->setObjectName(QStringLiteral("buttonCoefficientM"));
    button->setFixedWidth(30);
    button->setIcon(QIcon(QStringLiteral(":/res/m.ico")));
    button->setToolTip(tr("计算系数m"));
    button->setEnabled(m_document && (m_document->project().status & SHOWDATA));
    layout->addWidget(button);
    m_table->setCellWidget(6, 0, holder);
    connect(button, &QPushButton::clicked, this, &DockView::computeCoefficientM);
}

void DockView::computeCoefficientM()
{
    if (!m_document || m_table->rowCount() < 8 || cellText(5) != CodeText::method(METHODM))
        return;
    // m from the friction angle and the cohesion as typed; until both are
    // there, and wherever the rule gives no positive m, the cell stays.
    const std::optional<double> fi = numberIn(cellText(4));
    const std::optional<double> c = numberIn(cellText(3));
    const double m = fi && c ? coefficientMFromStrength(*c, *fi) / 1000.0 : NAN;
    if (!std::isfinite(m) || m <= 0.0) {
        emit statusMessage(tr("无法由c和φ计算系数m，m值未改变"));
        return;
    }
    setValue(6, num(m));
}

void DockView::showAnchorTable(const AnchorInfo &anchor)
{
    clearTable();
    const bool cable = anchor.anchorType == ANCHORCABLE;
    addRow(tr("杆体类型"), CodeText::anchorType(anchor.anchorType), false);
    setRowDelegate(addRow(cable ? tr("钢绞线根数") : tr("钢筋根数"),
                       QString::number(cable ? anchor.cableNum : anchor.rodNum)),
        new SpinDelegate(1, 16, m_table));
    setRowDelegate(addRow(cable ? tr("钢绞线直径(mm)") : tr("钢筋直径(mm)"),
                       diameterText(cable ? anchor.cableDiam : anchor.rodDiam)),
        new ComboBoxDelegate(cable ? CABLEDIAMETERS : BARDIAMETERS, m_table));
    setRowPattern(addRow(anchor.object == OBJBEAM ? tr("距横梁左侧距离(m)") : tr("距桩顶距离(m)"),
                      num(anchor.distance)),
        InputPatterns::Depth);
    setRowPattern(addRow(tr("自由段长度(m)"), num(anchor.lf)), InputPatterns::Length);
    setRowPattern(addRow(tr("锚固段长度(m)"), num(anchor.la)), InputPatterns::Length);
    setRowPattern(
        addRow(tr("锚固段直径(mm)"), num(anchor.Dc * 1000.0)), InputPatterns::GroutDiameter);
    setRowPattern(addRow(tr("轴向预加力(kN)"), num(anchor.preforce)), InputPatterns::Prestress);
    setRowPattern(addRow(tr("锚杆倾角(°)"), num(anchor.angle)), InputPatterns::Inclination);
    setRowPattern(addRow(tr("粘结强度frbk(kPa)"), num(anchor.frbk)), InputPatterns::Amount);
}

void DockView::showForceTable(const ForceInfo &force)
{
    clearTable();
    const bool beam = force.object == OBJBEAM;
    addRow(QString(),
        QStringLiteral("%1-%2").arg(CodeText::load(force.type),
            CodeText::carrier(force.object, m_document->project().base.PileForm)),
        false);
    const QStringList directions = CodeText::words(DIRECTIONS, &CodeText::direction);
    switch (force.type) {
    case LOADPNT:
        qDebug() << "forceData.type == LOADPNT=" << force.type;
        setRowPattern(addRow(tr("集中力F(kN/m)"), num(force.F)), InputPatterns::Load);
        setRowPattern(
            addRow(beam ? tr("与横梁左侧距L(m)") : tr("与桩顶距离L(m)"), num(force.distance)),
            InputPatterns::Depth);
        setRowDelegate(addRow(tr("方向"), CodeText::direction(force.direction)),
            new ComboBoxDelegate(directions, m_table));
        break;
    case LOADDIST:
        qDebug() << "forceData.type == LOADDIST=" << force.type;
        setRowPattern(addRow(tr("均布力q1(kN/m)"), num(force.q1)), InputPatterns::Load);
        setRowPattern(addRow(tr("均布力q2(kN/m)"), num(force.q2)), InputPatterns::Load);
        setRowPattern(addRow(tr("均布力宽度(m)"), num(force.length)), InputPatterns::Length);
        setRowPattern(
            addRow(beam ? tr("q1与横梁左侧距L(m)") : tr("q1与桩顶距离L(m)"), num(force.distance)),
            InputPatterns::Depth);
        setRowDelegate(addRow(tr("方向"), CodeText::direction(force.direction)),
            new ComboBoxDelegate(directions, m_table));
        break;
    case LOADMOMENT:
        qDebug() << "forceData.type == LOADMOMENT=" << force.type;
        setRowPattern(addRow(tr("力矩M(kN*m/m)"), num(force.M)), InputPatterns::Load);
        setRowPattern(
            addRow(beam ? tr("与横梁左侧距L(m)") : tr("与桩顶距离L(m)"), num(force.distance)),
            InputPatterns::Depth);
        break;
    default: break;
    }
}

// Apply: the table read into a copy of the record, the copy handed to the
// Document, which updates what depends on it and announces the change. The
// dock follows that announcement like everyone else; while its own apply
// runs, the table keeps the typed texts.

namespace {

// Marks the dock's own apply for the time of the hand-over.
class ApplyScope
{
public:
    ApplyScope(int &flag, int category)
        : m_flag(flag)
    {
        m_flag = category;
    }
    ~ApplyScope() { m_flag = 0; }

private:
    int &m_flag;
};

} // namespace

void DockView::applyBaseData()
{
    if (!m_document || m_table->rowCount() < 8)
        return;
    BaseInfo base = m_document->project().base;
    const bool two = base.PileForm == DOUBLEROW;
    if (two && m_table->rowCount() < 11)
        return;
    readNumber(1, base.slideBackH);
    base.slideFrontH = base.slideBackH;
    readNumber(2, base.cutH);
    readNumber(3, base.aforce, -1.0);
    readNumber(4, base.pforce);
    base.shape = CodeText::codeOf(
        cellText(5), {DISTRECTANGLE, DISTTRIANGLE}, &CodeText::distribution, DISTTRAPEZOID);
    if (base.shape == DISTTRAPEZOID)
        readNumber(6, base.ratio);
    readNumber(7, base.space);
    if (two) {
        readNumber(8, base.row);
        readNumber(9, base.slideFrontH);
        readNumber(10, base.dpel);
    }
    ApplyScope scope(m_applying, BaseCategory);
    m_document->changeBase(base);
    reportSkippedRows();
}

void DockView::applyPileData()
{
    if (!m_document || m_table->rowCount() < 7)
        return;
    PileInfo front = m_document->project().frontPile;
    PileInfo back = m_document->project().backPile;
    const int category = m_category == BackPileCategory ? BackPileCategory : FrontPileCategory;
    PileInfo &pile = category == BackPileCategory ? back : front;
    readNumber(0, pile.length);
    // A grade the list does not offer (from a file) stays as it is.
    pile.grade = CodeText::codeOf(cellText(1), CONCRETEGRADES, &CodeText::grade, pile.grade);
    if (cellText(2) == CodeText::section(SECTROUND)) {
        pile.shp = SECTROUND;
        readNumber(3, pile.diameter);
    } else {
        pile.shp = SECTSQUARE;
        readNumber(4, pile.height);
        readNumber(5, pile.width);
    }
    pile.support = CodeText::codeOf(
        cellText(6), {SUPPORTHINGED, SUPPORTFIXED}, &CodeText::support, SUPPORTFREE);
    ApplyScope scope(m_applying, category);
    m_document->changePiles(front, back, m_document->project().linkBeam);
    reportSkippedRows();
}

void DockView::applyLinkbeamData()
{
    if (!m_document || m_table->rowCount() < 3)
        return;
    LinkBeamInfo beam = m_document->project().linkBeam;
    readNumber(0, beam.height);
    readNumber(1, beam.width);
    beam.grade = CodeText::codeOf(cellText(2), CONCRETEGRADES, &CodeText::grade, beam.grade);
    ApplyScope scope(m_applying, LinkBeamCategory);
    m_document->changePiles(m_document->project().frontPile, m_document->project().backPile, beam);
    reportSkippedRows();
}

void DockView::applySoilData()
{
    // A list that shrank since the line was clicked has no such layer.
    if (!m_document || m_index < 1 || m_index > m_document->project().soils.size()
        || m_table->rowCount() < 8)
        return;
    QList<SoilInfo> soils = m_document->project().soils;
    SoilInfo &soil = soils[m_index - 1];
    soil.Name = cellText(0);
    readNumber(1, soil.thickness);
    readNumber(2, soil.r);
    readNumber(3, soil.c);
    readNumber(4, soil.fi);
    if (cellText(5) == CodeText::method(METHODM)) {
        soil.type = METHODM;
        readNumber(6, soil.m, 1000.0);
    } else {
        soil.type = METHODK;
        readNumber(6, soil.k, 1000.0);
    }
    readNumber(7, soil.Es, 1000.0);
    if (m_table->rowCount() > 8)
        readNumber(8, soil.frk, 1000.0);
    ApplyScope scope(m_applying, SoilCategory);
    m_document->changeSoils(soils);
    reportSkippedRows();
}

void DockView::applyAnchorData()
{
    if (!m_document || m_index < 1 || m_index > m_document->project().anchors.size()
        || m_table->rowCount() < 9)
        return;
    QList<AnchorInfo> anchors = m_document->project().anchors;
    applyAnchorData(anchors[m_index - 1]);
    ApplyScope scope(m_applying, AnchorCategory);
    m_document->changeAnchors(anchors);
    reportSkippedRows();
}

void DockView::applyAnchorData(AnchorInfo &anchor)
{
    if (m_table->rowCount() < 9)
        return;
    if (anchor.anchorType == ANCHORCABLE) {
        readInteger(1, anchor.cableNum);
        readNumber(2, anchor.cableDiam);
    } else {
        readInteger(1, anchor.rodNum);
        readNumber(2, anchor.rodDiam);
    }
    readNumber(3, anchor.distance);
    readNumber(4, anchor.lf);
    readNumber(5, anchor.la);
    readNumber(6, anchor.Dc, 0.001);
    readNumber(7, anchor.preforce);
    readNumber(8, anchor.angle);
    if (m_table->rowCount() > 9)
        readNumber(9, anchor.frbk);
    anchor.computeStiffness();
}

void DockView::applyForceData()
{
    if (!m_document || m_index < 1 || m_index > m_document->project().AddForces.size())
        return;
    QList<ForceInfo> forces = m_document->project().AddForces;
    ForceInfo &force = forces[m_index - 1];
    const auto direction = [this](int row) {
        return CodeText::codeOf(cellText(row), {DIRHORIZONTAL}, &CodeText::direction, DIRVERTICAL);
    };
    if (force.type == LOADDIST && m_table->rowCount() >= 6) {
        readNumber(1, force.q1);
        readNumber(2, force.q2);
        readNumber(3, force.length);
        readNumber(4, force.distance);
        force.direction = direction(5);
        matchEndSigns(force);
    } else if (force.type == LOADPNT && m_table->rowCount() >= 4) {
        readNumber(1, force.F);
        readNumber(2, force.distance);
        force.direction = direction(3);
    } else if (force.type == LOADMOMENT && m_table->rowCount() >= 3) {
        readNumber(1, force.M);
        readNumber(2, force.distance);
    } else {
        return;
    }
    ApplyScope scope(m_applying, ForceCategory);
    m_document->changeForces(forces);
    reportSkippedRows();
}
