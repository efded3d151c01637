#include "dialogs/soil/soildialog.h"

#include "ui_soildialog.h"

#include "dialogs/comboboxdelegate.h"
#include "model/inputrules.h"
#include "view/prompts.h"

#include <QTableWidget>

namespace {

const QList<qint16> METHODS = {METHODM, METHODK};

// Es, m, K and frk are shown in units a thousand times the record's.
constexpr double THOUSAND = 1000.0;

constexpr int NUMBERWIDTH = 40;
constexpr int BUTTONWIDTH = 70;
// Height the dialog gains when its help text is shown.
constexpr int HELPGROWTH = 125;

} // namespace

SoilDialog::SoilDialog(const QList<SoilInfo> &soils, QWidget *parent)
    : RecordListDialog(Settings::Dialog::Soil, soils, parent)
    , ui(new Ui::SoilDialog)
{
    ui->setupUi(this);
    setUpCommon(ui->tableSoil, ui->buttonBox, ui->txtButton, ui->textSoil, HELPGROWTH);
    setCountBox(ui->spinSoilNum);
    setUpColumns();
    fillTable();
    ui->textSoil->setPlainText(
        tr("说明：\n1、计算时主要需要m值或K值，其值可根据规范选取经验值；\n"
           "2、重度暂时没用，其数值可以忽略；\n"
           "3、c值与φ值可用来计算m值，其计算公式详见《建筑基坑支护技术规程》（JGJ "
           "120-2012）公式4.1.6；\n"
           "4、压缩模量Es仅在计算双排桩时，且桩间采用Es相互计算时选用；\n"
           "5、岩石单轴抗压强度frk用于嵌固段岩层侧向承载力验算，土层填0。"));
    connect(ui->spinSoilNum, qOverload<int>(&QSpinBox::valueChanged), this,
        &SoilDialog::onSoilNumChanged);
}

SoilDialog::~SoilDialog() = default;

void SoilDialog::setUpColumns()
{
    QTableWidget *table = ui->tableSoil;
    setColumns(
        {tr("编号"), tr("岩土层\n名称"), tr("厚度\n(m)"), tr("重度\n(kN/m³)"), tr("c值\n(kPa)"),
            tr("φ值\n(°)"), tr("计算方法"), tr("系数m\n(MN/m⁴)"), tr("系数K\n(MN/m³)"),
            tr("压缩模量\nEs(MPa)"), tr("岩石抗压\nfrk(MPa)"), tr("操作")},
        {{NumberColumn, NUMBERWIDTH}, {ButtonColumn, BUTTONWIDTH}});

    table->setItemDelegateForColumn(NumberColumn, patternDelegate(QString()));
    table->setItemDelegateForColumn(NameColumn, patternDelegate(InputPatterns::Name));
    table->setItemDelegateForColumn(ThicknessColumn, patternDelegate(InputPatterns::Length));
    table->setItemDelegateForColumn(WeightColumn, patternDelegate(InputPatterns::Length));
    table->setItemDelegateForColumn(CohesionColumn, patternDelegate(InputPatterns::Amount));
    table->setItemDelegateForColumn(FrictionColumn, patternDelegate(InputPatterns::FrictionAngle));
    auto *method = new ComboBoxDelegate(CodeText::words(METHODS, &CodeText::method), table);
    connect(method, &ComboBoxDelegate::selectionChanged, this, &SoilDialog::onIndexChanged);
    table->setItemDelegateForColumn(MethodColumn, method);
    for (int column : {MColumn, KColumn, EsColumn, FrkColumn})
        table->setItemDelegateForColumn(column, patternDelegate(InputPatterns::Amount));
}

void SoilDialog::fillRow(int row)
{
    const SoilInfo &s = record(row);
    setFixed(row, NumberColumn, QString::number(row + 1));
    setValue(row, NameColumn, s.Name);
    setValue(row, ThicknessColumn, shown(s.thickness));
    setValue(row, WeightColumn, shown(s.r));
    setValue(row, CohesionColumn, shown(s.c));
    setValue(row, FrictionColumn, shown(s.fi));
    const bool methodM = s.type == METHODM;
    setValue(row, MethodColumn, CodeText::method(methodM ? METHODM : METHODK));
    showMethodCells(row, methodM);
    setValue(row, EsColumn, shown(s.Es, THOUSAND));
    setValue(row, FrkColumn, shown(s.frk, THOUSAND));
    setRowButtons(row, ButtonColumn,
        {{":/res/m.ico", tr("计算m"), [this](int r) { computeM(r); }},
            {":/res/up.ico", tr("上移"), [this](int r) { moveUp(r); }},
            // The last layer stays.
            {":/res/delete.ico", tr("删除"), [this](int r) { remove(r, 1); }}});
}

void SoilDialog::showMethodCells(int row, bool methodM)
{
    const SoilInfo &s = record(row);
    if (methodM) {
        setValue(row, MColumn, shown(s.m, THOUSAND));
        setNotApplicable(row, KColumn);
    } else {
        setNotApplicable(row, MColumn);
        setValue(row, KColumn, shown(s.k, THOUSAND));
    }
}

void SoilDialog::onIndexChanged(int row, int column, int index)
{
    if (column != MethodColumn || !contains(row))
        return;
    const bool methodM = index == 0;
    // The editor announces the method it opens on as well: a cell that
    // already applies keeps what was typed into it.
    if (methodM == !isNotApplicable(row, MColumn))
        return;
    // The values shown come from the record, not from an earlier switch.
    showMethodCells(row, methodM);
}

void SoilDialog::onSoilNumChanged(int count)
{
    SoilInfo fresh;
    fresh.Name = tr("岩土层1");
    changeCount(count, fresh);
}

void SoilDialog::computeM(int row)
{
    CellReader in = reader();
    if (!contains(row) || in.text(row, MethodColumn) != CodeText::method(METHODM))
        return;
    // c and φ must be there to compute from: no earlier value stands in.
    in.setNewRecord(true);
    double c = 0.0;
    double fi = 0.0;
    in.number(row, CohesionColumn, c);
    in.number(row, FrictionColumn, fi);
    if (in.hasProblems()) {
        warnRefused(in);
        return;
    }
    const double m = coefficientMFromStrength(c, fi);
    if (m < 0.0) {
        // Soil without cohesion and with little friction: the formula
        // gives no usable m, and a negative one would push the pile.
        Prompts::warn(this, tr("澄川抗滑桩"), tr("按c值和φ值算得的m值小于0，请直接填写m值"));
        return;
    }
    setValue(row, MColumn, shown(m, THOUSAND));
}

void SoilDialog::readRow(CellReader &in, int row, SoilInfo &s)
{
    s.id = qint16(row);
    s.Name = in.text(row, NameColumn);
    readPositive(in, row, ThicknessColumn, s.thickness);
    readNumber(in, row, WeightColumn, s.r);
    readNumber(in, row, CohesionColumn, s.c);
    readNumber(in, row, FrictionColumn, s.fi);
    // The value of the other method stays as it was.
    if (in.text(row, MethodColumn) == CodeText::method(METHODM)) {
        s.type = METHODM;
        readNumber(in, row, MColumn, s.m, THOUSAND);
    } else {
        s.type = METHODK;
        readNumber(in, row, KColumn, s.k, THOUSAND);
    }
    readPositive(in, row, EsColumn, s.Es, THOUSAND);
    readNumber(in, row, FrkColumn, s.frk, THOUSAND);
}

DataDialog::Cell SoilDialog::cellAfterReturn(int row, int column) const
{
    // Along the values of a layer (c and φ lead on to Es and frk), then to
    // the name of the next layer. The first layer's cells keep the cursor.
    if (row <= 0)
        return {};
    if (column >= NameColumn && column <= CohesionColumn)
        return {row, column + 1};
    if (column == FrictionColumn)
        return {row, EsColumn};
    if (column == EsColumn)
        return {row, FrkColumn};
    if (column == FrkColumn && row < recordCount() - 1)
        return {row + 1, NameColumn};
    return {};
}
