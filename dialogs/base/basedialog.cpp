#include "dialogs/base/basedialog.h"

#include "ui_basedialog.h"

#include "dialogs/comboboxdelegate.h"
#include "dialogs/doublespindelegate.h"

namespace {

// Choices of the coded rows, in the order the combo boxes offer them.
const QList<qint16> SHAPES = {DISTRECTANGLE, DISTTRIANGLE, DISTTRAPEZOID};
const QList<qint16> INTERACTIONS = {INTERACTES, INDEPENDENTK};

constexpr int LABEL = 0;
constexpr int VALUE = 1;
constexpr int LABELWIDTH = 150;
// Height the dialog gains when its help text is shown.
constexpr int HELPGROWTH = 175;

} // namespace

BaseDialog::BaseDialog(const BaseInfo &base, QWidget *parent)
    : DataDialog(Settings::Dialog::Base, parent)
    , ui(new Ui::BaseDialog)
    , m_base(base)
{
    ui->setupUi(this);
    setUpCommon(ui->tableBase, ui->buttonBox, ui->buttonText, ui->textBase, HELPGROWTH);
    ui->tableBase->setColumnWidth(LABEL, LABELWIDTH);
    fillTable();
    setUpDelegates();
    ui->textBase->setPlainText(
        tr("说明：\n1、地面基准线±0：单桩时为单桩桩顶位置；双桩时为高桩桩顶位置；\n"
           "2、深度这个数值都是相对于地面基准线±0的；\n"
           "3、桩刚度折减系数根据不同规范取值70-100%;\n"
           "4、前桩顶相对后桩顶高程：数值>0时前桩高，数值<0时前桩低，数值=0时一样高；\n"
           "5、基底地基系数m/m₀, 仅在桩底支承条件为自由时需要。"));
}

BaseDialog::~BaseDialog() = default;

void BaseDialog::fillTable()
{
    QTableWidget *table = ui->tableBase;
    table->clearContents();
    table->setRowCount(RowCount);
    const bool doubleRow = m_base.PileForm == DOUBLEROW;
    const QStringList labels = {tr("项目名称"), tr("支护形式"),
        doubleRow ? tr("后桩滑面深度(m)") : tr("滑面深度(m)"), tr("桩前开挖深度(m)"),
        tr("桩后下滑力(kN/m)"), tr("桩前抗滑力(kN/m)"), tr("作用力分布形式"),
        tr("梯形q1/q2比值(0-2.0)"), tr("桩中心间距(m)"), tr("前后排桩中心距(m)"),
        tr("前桩滑面深度(m)"), tr("前桩顶相对后桩顶高差"), tr("桩间土作用方式"),
        tr("桩底地基系数m/m₀"), tr("桩刚度折减系数(%)")};
    for (int row = 0; row < RowCount; ++row)
        setFixed(row, LABEL, labels.at(row));

    setValue(NameRow, VALUE, m_base.ProjectName);
    setValue(FormRow, VALUE, CodeText::pileForm(doubleRow ? DOUBLEROW : SINGLEROW));
    setValue(SlideRow, VALUE, valueText(m_base.slideBackH));
    setValue(CutRow, VALUE, valueText(m_base.cutH));
    setValue(ThrustRow, VALUE, valueText(0.0 - m_base.aforce));
    setValue(ResistanceRow, VALUE, valueText(m_base.pforce));
    setValue(ShapeRow, VALUE,
        m_base.shape == DISTRECTANGLE || m_base.shape == DISTTRIANGLE
            ? CodeText::distribution(m_base.shape)
            : CodeText::distribution(DISTTRAPEZOID));
    setNotApplicable(RatioRow, VALUE);
    showRatioCell(m_base.shape != DISTRECTANGLE && m_base.shape != DISTTRIANGLE);
    setValue(SpaceRow, VALUE, valueText(m_base.space));
    for (int row = RowSpacingRow; row <= InteractRow; ++row)
        setNotApplicable(row, VALUE);
    showDoubleRowCells(doubleRow);
    setValue(BaseRatioRow, VALUE, valueText(m_base.mRatio));
    // The percentage in single precision, as the factor is held: 0.85f
    // shows as 85, not 85.0000023.
    setValue(ReduceRow, VALUE, valueText(m_base.reduceE * 100.0f));
}

void BaseDialog::setUpDelegates()
{
    QTableWidget *table = ui->tableBase;
    const auto pattern = [&](int row, const InputPattern &expression) {
        table->setItemDelegateForRow(row, patternDelegate(expression));
    };
    pattern(NameRow, InputPatterns::Name);
    auto *form =
        new ComboBoxDelegate({CodeText::pileForm(SINGLEROW), CodeText::pileForm(DOUBLEROW)}, table);
    connect(form, &ComboBoxDelegate::selectionChanged, this, &BaseDialog::onIndexChanged);
    table->setItemDelegateForRow(FormRow, form);
    pattern(SlideRow, InputPatterns::Depth);
    pattern(CutRow, InputPatterns::Depth);
    pattern(ThrustRow, InputPatterns::Amount);
    pattern(ResistanceRow, InputPatterns::Amount);
    auto *shape = new ComboBoxDelegate(CodeText::words(SHAPES, &CodeText::distribution), table);
    connect(shape, &ComboBoxDelegate::selectionChanged, this, &BaseDialog::onIndexChanged);
    table->setItemDelegateForRow(ShapeRow, shape);
    table->setItemDelegateForRow(RatioRow, new DoubleSpinDelegate(0.0, 2.0, 1, table));
    pattern(SpaceRow, InputPatterns::Spacing);
    pattern(RowSpacingRow, InputPatterns::Spacing);
    pattern(FrontSlideRow, InputPatterns::Depth);
    pattern(OffsetRow, InputPatterns::Offset);
    table->setItemDelegateForRow(InteractRow,
        new ComboBoxDelegate(CodeText::words(INTERACTIONS, &CodeText::interaction), table));
    table->setItemDelegateForRow(BaseRatioRow, new DoubleSpinDelegate(0.5, 0.8, 1, table));
    pattern(ReduceRow, InputPatterns::Percent);
}

void BaseDialog::showDoubleRowCells(bool doubleRow)
{
    ui->tableBase->item(SlideRow, LABEL)
        ->setText(doubleRow ? tr("后桩滑面深度(m)") : tr("滑面深度(m)"));
    if (!doubleRow) {
        for (int row = RowSpacingRow; row <= InteractRow; ++row)
            setNotApplicable(row, VALUE);
        return;
    }
    // The combo announces its choice again each time its editor opens: a
    // value typed since must not be thrown away by that.
    const QStringList values = {valueText(m_base.row), valueText(m_base.slideFrontH),
        valueText(m_base.dpel),
        CodeText::interaction(m_base.interact == INTERACTES ? INTERACTES : INDEPENDENTK)};
    for (int row = RowSpacingRow; row <= InteractRow; ++row) {
        if (isNotApplicable(row, VALUE))
            setValue(row, VALUE, values.at(row - RowSpacingRow));
    }
}

void BaseDialog::showRatioCell(bool trapezoid)
{
    if (!trapezoid)
        setNotApplicable(RatioRow, VALUE);
    else if (isNotApplicable(RatioRow, VALUE))
        setValue(RatioRow, VALUE, valueText(m_base.ratio));
}

void BaseDialog::onIndexChanged(int row, int col, int index)
{
    if (col != VALUE)
        return;
    if (row == FormRow)
        showDoubleRowCells(index == 1);
    else if (row == ShapeRow)
        showRatioCell(index == 2);
}

bool BaseDialog::readBack(CellReader &in)
{
    BaseInfo b = m_base;
    const QTableWidgetItem *name = ui->tableBase->item(NameRow, VALUE);
    b.ProjectName = name ? name->text() : b.ProjectName;
    b.PileForm = in.text(FormRow, VALUE) == CodeText::pileForm(DOUBLEROW) ? DOUBLEROW : SINGLEROW;
    in.number(SlideRow, VALUE, b.slideBackH);
    b.slideFrontH = b.slideBackH;
    in.number(CutRow, VALUE, b.cutH);
    // The thrust is entered as a positive number and held negative.
    double thrust = 0.0 - b.aforce;
    if (in.number(ThrustRow, VALUE, thrust))
        b.aforce = 0.0 - thrust;
    in.number(ResistanceRow, VALUE, b.pforce);
    b.shape = CodeText::codeOf(in.text(ShapeRow, VALUE), SHAPES, &CodeText::distribution, b.shape);
    if (b.shape == DISTTRAPEZOID)
        in.number(RatioRow, VALUE, b.ratio);
    in.positive(SpaceRow, VALUE, b.space);
    if (b.PileForm == DOUBLEROW) {
        in.positive(RowSpacingRow, VALUE, b.row);
        in.number(FrontSlideRow, VALUE, b.slideFrontH);
        in.number(OffsetRow, VALUE, b.dpel);
        b.interact = CodeText::codeOf(
            in.text(InteractRow, VALUE), INTERACTIONS, &CodeText::interaction, b.interact);
    }
    in.positive(BaseRatioRow, VALUE, b.mRatio);
    double percent = double(b.reduceE) * 100.0;
    if (in.positive(ReduceRow, VALUE, percent))
        b.reduceE = float(percent * 0.01);
    if (in.hasProblems())
        return false;
    m_base = b;
    return true;
}

DataDialog::Cell BaseDialog::cellAfterReturn(int row, int column) const
{
    if (column != VALUE || row < 0 || row + 1 >= RowCount)
        return {};
    return {row + 1, VALUE};
}

QString BaseDialog::cellName(int row, int) const
{
    return rowLabel(row);
}
