#include "dialogs/force/forcedialog.h"

#include "ui_forcedialog.h"

#include "dialogs/comboboxdelegate.h"
#include "model/inputrules.h"

#include <QTableWidget>

namespace {

// The kinds in the order the type column offers them.
const QList<qint16> TYPES = {LOADPNT, LOADDIST, LOADMOMENT};
const QList<qint16> DIRECTIONS = {DIRHORIZONTAL, DIRVERTICAL};

// Two intensities of opposite sign: their product is below this.

constexpr int NUMBERWIDTH = 40;
constexpr int BUTTONWIDTH = 50;
// Height the dialog gains when its help text is shown: the text's three
// lines in a CJK font, without a scroll bar.
constexpr int HELPGROWTH = 75;

} // namespace

ForceDialog::ForceDialog(const QList<ForceInfo> &forces, qint32 pileForm, QWidget *parent)
    : RecordListDialog(Settings::Dialog::Force, forces, parent)
    , ui(new Ui::ForceDialog)
    , m_pileForm(pileForm)
{
    ui->setupUi(this);
    setUpCommon(ui->tableForce, ui->buttonBox, ui->buttonText, ui->textForce, HELPGROWTH);
    setCountBox(ui->spinForceNum);
    setUpColumns();
    if (m_pileForm != DOUBLEROW) {
        keepRecordsIf(
            [](const ForceInfo &f) { return f.object != OBJBACKPILE && f.object != OBJBEAM; });
    }
    fillTable();
    ui->textForce->setPlainText(
        tr("说明：\n1、集中力与均布力方向与坐标一致，水平力向右为正，竖直力向上为正，力矩逆时针为正"
           "；\n"
           "2、作用对象为桩时，位置指与桩顶的距离；作用对象为横梁时，位置指与横梁左端的距离。"));
    connect(ui->spinForceNum, qOverload<int>(&QSpinBox::valueChanged), this,
        &ForceDialog::onForceNumChanged);
}

ForceDialog::~ForceDialog() = default;

void ForceDialog::setUpColumns()
{
    QTableWidget *table = ui->tableForce;
    setColumns({tr("编号"), tr("类型"), tr("作用对象"), tr("集中力\nF(kN)"), tr("均布力\nq1(kN/m)"),
                   tr("均布力\nq2(kN/m)"), tr("均布力\n宽度(m)"), tr("弯矩\nM(kN*m)"),
                   tr("位置\n(m)"), tr("方向"), tr("操作")},
        {{NumberColumn, NUMBERWIDTH}, {ButtonColumn, BUTTONWIDTH}});

    table->setItemDelegateForColumn(NumberColumn, patternDelegate(QString()));
    // Only the type changes the row's cells; the carrier and the direction
    // announce their choices to the same slot, which lets them pass.
    const QList<QPair<int, QStringList>> choices = {
        {TypeColumn, CodeText::words(TYPES, &CodeText::loadKind)},
        {ObjectColumn, carrierChoices(m_pileForm)},
        {DirectionColumn, CodeText::words(DIRECTIONS, &CodeText::direction)}};
    for (const auto &[column, words] : choices) {
        auto *combo = new ComboBoxDelegate(words, table);
        connect(combo, &ComboBoxDelegate::selectionChanged, this, &ForceDialog::onIndexChanged);
        table->setItemDelegateForColumn(column, combo);
    }
    for (int column : {ForceColumn, Q1Column, Q2Column, MomentColumn})
        table->setItemDelegateForColumn(column, patternDelegate(InputPatterns::Load));
    table->setItemDelegateForColumn(WidthColumn, patternDelegate(InputPatterns::Length));
    table->setItemDelegateForColumn(PositionColumn, patternDelegate(InputPatterns::Depth));
}

void ForceDialog::fillRow(int row)
{
    const ForceInfo &f = record(row);
    setFixed(row, NumberColumn, QString::number(row + 1));
    setValue(row, ObjectColumn, carrierText(f.object, m_pileForm));
    showTypeCells(row, f.type);
    setValue(row, PositionColumn, shown(f.distance));
    setRowButtons(row, ButtonColumn,
        {{":/res/up.ico", tr("上移"), [this](int r) { moveUp(r); }},
            // The last force may go too.
            {":/res/delete.ico", tr("删除"), [this](int r) { remove(r, 0); }}});
}

void ForceDialog::showTypeCells(int row, qint16 type)
{
    const ForceInfo &f = record(row);
    if (type != LOADDIST && type != LOADMOMENT)
        type = LOADPNT;
    setValue(row, TypeColumn, CodeText::loadKind(type));
    for (int column : {ForceColumn, Q1Column, Q2Column, WidthColumn, MomentColumn})
        setNotApplicable(row, column);
    switch (type) {
    case LOADPNT: setValue(row, ForceColumn, shown(f.F)); break;
    case LOADDIST:
        setValue(row, Q1Column, shown(f.q1));
        setValue(row, Q2Column, shown(f.q2));
        setValue(row, WidthColumn, shown(f.length));
        break;
    default: setValue(row, MomentColumn, shown(f.M)); break;
    }
    if (type == LOADMOMENT)
        setNotApplicable(row, DirectionColumn);
    else
        setValue(row, DirectionColumn,
            CodeText::direction(f.direction == DIRHORIZONTAL ? DIRHORIZONTAL : DIRVERTICAL));
}

qint16 ForceDialog::shownType(int row) const
{
    if (!isNotApplicable(row, ForceColumn))
        return LOADPNT;
    if (!isNotApplicable(row, Q1Column))
        return LOADDIST;
    return LOADMOMENT;
}

void ForceDialog::onIndexChanged(int row, int column, int index)
{
    if (column != TypeColumn || !contains(row) || index < 0 || index >= TYPES.size())
        return;
    // The editor announces the kind it opens on as well: cells that already
    // apply keep what was typed into them.
    if (TYPES.at(index) == shownType(row))
        return;
    // The values shown come from the record, not from an earlier switch.
    showTypeCells(row, TYPES.at(index));
}

void ForceDialog::onForceNumChanged(int count)
{
    changeCount(count);
}

void ForceDialog::readRow(CellReader &in, int row, ForceInfo &f)
{
    f.id = qint16(row);
    // The values of the other kinds stay as they were.
    const QString type = in.text(row, TypeColumn);
    if (type == CodeText::loadKind(LOADPNT)) {
        f.type = LOADPNT;
        readNumber(in, row, ForceColumn, f.F);
    } else if (type == CodeText::loadKind(LOADDIST)) {
        f.type = LOADDIST;
        readNumber(in, row, Q1Column, f.q1);
        readNumber(in, row, Q2Column, f.q2);
        readPositive(in, row, WidthColumn, f.length);
        matchEndSigns(f);
    } else if (type == CodeText::loadKind(LOADMOMENT)) {
        f.type = LOADMOMENT;
        readNumber(in, row, MomentColumn, f.M);
    }
    // A single row keeps the stored carrier: it can only be the pile.
    if (m_pileForm == DOUBLEROW)
        f.object = carrierOf(in.text(row, ObjectColumn), m_pileForm);
    readNumber(in, row, PositionColumn, f.distance);
    // A moment has no direction; a "-" never stands for one.
    if (f.type != LOADMOMENT) {
        f.direction = CodeText::codeOf(
            in.text(row, DirectionColumn), DIRECTIONS, &CodeText::direction, f.direction);
    }
}

DataDialog::Cell ForceDialog::cellAfterReturn(int row, int column) const
{
    // Along the values of a force to its position, then to the point force
    // of the next one.
    if (!contains(row))
        return {};
    if (column >= ForceColumn && column <= MomentColumn)
        return {row, column + 1};
    if (column == PositionColumn && row < recordCount() - 1)
        return {row + 1, ForceColumn};
    return {};
}
