#include "dialogs/anchor/anchordialog.h"

#include "ui_anchordialog.h"

#include "dialogs/comboboxdelegate.h"
#include "dialogs/spindelegate.h"

#include <QTableWidget>

#include <cmath>

namespace {

// Nominal diameters (mm) the stiffness rule knows, as the cells show them.
const QStringList STRANDS = {"10.8", "12.9", "12.7", "15.2", "17.8", "21.6"};
const QStringList BARS = {"18.0", "20.0", "22.0", "25.0", "28.0", "32.0", "40.0", "50.0"};
// Strands or bars per anchor.
constexpr int MINSTEEL = 1;
constexpr int MAXSTEEL = 16;

const QList<qint16> TYPES = {ANCHORCABLE, ANCHORBAR};
const QList<qint16> BONDS = {BONDSOIL, BONDROCK};

// The grout diameter is shown in mm, held in m.
constexpr double MILLIMETRE = 0.001;

constexpr int NUMBERWIDTH = 30;
constexpr int STIFFNESSWIDTH = 150;
constexpr int BUTTONWIDTH = 75;
// Height the dialog gains when its help text is shown: the text's four
// lines in a CJK font, without a scroll bar.
constexpr int HELPGROWTH = 100;

} // namespace

AnchorDialog::AnchorDialog(const QList<AnchorInfo> &anchors, qint32 pileForm, QWidget *parent)
    : RecordListDialog(Settings::Dialog::Anchor, anchors, parent)
    , ui(new Ui::AnchorDialog)
    , m_pileForm(pileForm)
{
    ui->setupUi(this);
    setUpCommon(ui->tableAnchor, ui->buttonBox, ui->buttonText, ui->textAnchor, HELPGROWTH);
    setCountBox(ui->spinAnchorNum);
    setUpColumns();
    if (!doubleRow()) {
        keepRecordsIf(
            [](const AnchorInfo &a) { return a.object != OBJBACKPILE && a.object != OBJBEAM; });
    }
    fillTable();
    ui->textAnchor->setPlainText(
        tr("说明：\n1、预加力指预加在锚索（杆）的轴向力;\n"
           "2、作用对象为桩时，位置指与桩顶的距离；作用对象为横梁时，位置指与横梁左端的距离；\n"
           "3、粘结强度frbk指锚固体与地层间的粘结强度，用于锚固段长度验算。"));
    connect(ui->spinAnchorNum, qOverload<int>(&QSpinBox::valueChanged), this,
        &AnchorDialog::onAnchorNumChanged);
}

AnchorDialog::~AnchorDialog() = default;

void AnchorDialog::setUpColumns()
{
    QTableWidget *table = ui->tableAnchor;
    setColumns(
        {tr("编号"), tr("类型"), tr("对象"), tr("地层"), tr("钢绞线\n根数"), tr("钢绞线\nφ(mm)"),
            tr("钢筋\n根数"), tr("钢筋\nφ(mm)"), tr("自由段\n长度(m)"), tr("锚固段\n长度(m)"),
            tr("锚固体\nD(mm)"), tr("粘结强度\nfrbk(kPa)"), tr("预加力\nF(kN)"), tr("位置\n(m)"),
            tr("锚索(杆)\n角度(°)"), tr("刚度K\n(kN/m)"), tr("操作")},
        {{NumberColumn, NUMBERWIDTH}, {StiffnessColumn, STIFFNESSWIDTH},
            {ButtonColumn, BUTTONWIDTH}});

    table->setItemDelegateForColumn(NumberColumn, patternDelegate(QString()));
    auto *type = new ComboBoxDelegate(CodeText::words(TYPES, &CodeText::anchorKind), table);
    connect(type, &ComboBoxDelegate::selectionChanged, this, &AnchorDialog::onIndexChanged);
    table->setItemDelegateForColumn(TypeColumn, type);
    table->setItemDelegateForColumn(
        ObjectColumn, new ComboBoxDelegate(carrierChoices(m_pileForm), table));
    auto *bond = new ComboBoxDelegate(CodeText::words(BONDS, &CodeText::bond), table);
    connect(bond, &ComboBoxDelegate::selectionChanged, this, &AnchorDialog::onIndexChanged);
    table->setItemDelegateForColumn(BondColumn, bond);
    table->setItemDelegateForColumn(CableNumColumn, new SpinDelegate(MINSTEEL, MAXSTEEL, table));
    table->setItemDelegateForColumn(CableDiamColumn, new ComboBoxDelegate(STRANDS, table));
    table->setItemDelegateForColumn(RodNumColumn, new SpinDelegate(MINSTEEL, MAXSTEEL, table));
    table->setItemDelegateForColumn(RodDiamColumn, new ComboBoxDelegate(BARS, table));
    table->setItemDelegateForColumn(FreeLengthColumn, patternDelegate(InputPatterns::Length));
    table->setItemDelegateForColumn(BondLengthColumn, patternDelegate(InputPatterns::Length));
    table->setItemDelegateForColumn(GroutColumn, patternDelegate(InputPatterns::GroutDiameter));
    table->setItemDelegateForColumn(FrbkColumn, patternDelegate(InputPatterns::Amount));
    table->setItemDelegateForColumn(PrestressColumn, patternDelegate(InputPatterns::Prestress));
    table->setItemDelegateForColumn(PositionColumn, patternDelegate(InputPatterns::Depth));
    table->setItemDelegateForColumn(AngleColumn, patternDelegate(InputPatterns::Inclination));
    table->setItemDelegateForColumn(StiffnessColumn, patternDelegate(QString()));
}

void AnchorDialog::fillRow(int row)
{
    const AnchorInfo &a = record(row);
    setFixed(row, NumberColumn, QString::number(row + 1));
    const bool cable = a.anchorType == ANCHORCABLE;
    setValue(row, TypeColumn, CodeText::anchorKind(cable ? ANCHORCABLE : ANCHORBAR));
    setValue(row, ObjectColumn, carrierText(a.object, m_pileForm));
    setValue(row, BondColumn, CodeText::bond(a.soilType == BONDSOIL ? BONDSOIL : BONDROCK));
    showSteelCells(row, cable);
    setValue(row, FreeLengthColumn, shown(a.lf));
    setValue(row, BondLengthColumn, shown(a.la));
    setValue(row, GroutColumn, shown(a.Dc, MILLIMETRE, 0));
    setValue(row, FrbkColumn, shown(a.frbk));
    setValue(row, PrestressColumn, shown(a.preforce));
    setValue(row, PositionColumn, shown(a.distance));
    setValue(row, AngleColumn, shown(a.angle));
    setFixed(row, StiffnessColumn,
        doubleRow() ? tr("Kh=%1, Kv=%2").arg(a.kh, 0, 'f', 1).arg(a.kv, 0, 'f', 1)
                    : tr("Kh=%1").arg(a.kh, 0, 'f', 1));
    setRowButtons(row, ButtonColumn,
        {{":/res/k.ico", tr("计算刚度"), [this](int r) { computeStiffness(r); }},
            {":/res/up.ico", tr("上移"), [this](int r) { moveUp(r); }},
            // The last anchor goes by the count, not by this button.
            {":/res/delete.ico", tr("删除"), [this](int r) { remove(r, 1); }}});
}

void AnchorDialog::showSteelCells(int row, bool cable)
{
    const AnchorInfo &a = record(row);
    if (cable) {
        setValue(row, CableNumColumn, QString::number(a.cableNum));
        setValue(row, CableDiamColumn, shown(a.cableDiam));
        setNotApplicable(row, RodNumColumn);
        setNotApplicable(row, RodDiamColumn);
    } else {
        setNotApplicable(row, CableNumColumn);
        setNotApplicable(row, CableDiamColumn);
        setValue(row, RodNumColumn, QString::number(a.rodNum));
        setValue(row, RodDiamColumn, shown(a.rodDiam));
    }
}

void AnchorDialog::onIndexChanged(int row, int col, int index)
{
    if (col == BondColumn && contains(row) && index >= 0 && index < BONDS.size()) {
        // A bond strength left at the other ground's default takes the
        // default of the ground chosen; one the user typed stays.
        const qint16 ground = BONDS.at(index);
        const qint16 other = ground == BONDSOIL ? BONDROCK : BONDSOIL;
        if (table()->item(row, FrbkColumn)
            && table()->item(row, FrbkColumn)->text() == shown(defaultBondStrength(other)))
            setValue(row, FrbkColumn, shown(defaultBondStrength(ground)));
        return;
    }
    if (col != TypeColumn || !contains(row))
        return;
    const bool cable = index == 0;
    // The editor announces the type it opens on as well: cells that already
    // apply keep what was typed into them.
    if (cable == !isNotApplicable(row, CableNumColumn))
        return;
    // The values shown come from the record, not from an earlier switch.
    showSteelCells(row, cable);
}

void AnchorDialog::onAnchorNumChanged(int count)
{
    // A new anchor shows the stiffness of its own data from the start.
    AnchorInfo fresh;
    fresh.computeStiffness();
    changeCount(count, fresh);
}

void AnchorDialog::computeStiffness(int row)
{
    // Reading the table computes every anchor's stiffness.
    if (!contains(row) || !readTable())
        return;
    fillRow(row);
}

void AnchorDialog::readRow(CellReader &in, int row, AnchorInfo &a)
{
    a.id = qint16(row);
    const QString type = in.text(row, TypeColumn);
    a.anchorType = type == CodeText::anchorKind(ANCHORCABLE) ? ANCHORCABLE : ANCHORBAR;
    a.object = carrierOf(in.text(row, ObjectColumn), m_pileForm);
    a.soilType = in.text(row, BondColumn) == CodeText::bond(BONDSOIL) ? BONDSOIL : BONDROCK;
    // The steel of the other type keeps its values.
    const auto readSteel = [&](int numColumn, int diamColumn, qint32 &num, double &diam) {
        double count = num;
        readPositive(in, row, numColumn, count, 1.0, 0);
        num = qint32(std::lround(count));
        readPositive(in, row, diamColumn, diam);
    };
    if (type == CodeText::anchorKind(ANCHORCABLE))
        readSteel(CableNumColumn, CableDiamColumn, a.cableNum, a.cableDiam);
    else if (type == CodeText::anchorKind(ANCHORBAR))
        readSteel(RodNumColumn, RodDiamColumn, a.rodNum, a.rodDiam);
    readPositive(in, row, FreeLengthColumn, a.lf);
    readPositive(in, row, BondLengthColumn, a.la);
    readPositive(in, row, GroutColumn, a.Dc, MILLIMETRE, 0);
    readNumber(in, row, FrbkColumn, a.frbk);
    readNumber(in, row, PrestressColumn, a.preforce);
    readNumber(in, row, PositionColumn, a.distance);
    readNumber(in, row, AngleColumn, a.angle);
    a.computeStiffness();
}

DataDialog::Cell AnchorDialog::cellAfterReturn(int row, int column) const
{
    // Along the lengths, grout, prestress and position to the angle, then
    // to the free length of the next anchor.
    if (column >= FreeLengthColumn && column < AngleColumn)
        return {row, column + 1};
    if (column == AngleColumn && row >= 0 && row < recordCount() - 1)
        return {row + 1, FreeLengthColumn};
    return {};
}
