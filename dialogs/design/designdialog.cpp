#include "dialogs/design/designdialog.h"

#include "ui_designdialog.h"

#include "dialogs/comboboxdelegate.h"
#include "dialogs/spindelegate.h"
#include "model/designdata.h"

#include <QTableWidget>

#include <algorithm>

namespace {

// A decimal number of up to five digits before the point and four after.
const char *const DECIMAL = "^\\d{0,5}(\\.\\d{0,4})?$";

const QList<qint16> SERVICES = {1, 0};

constexpr int LABEL = 0;
constexpr int VALUE = 1;
constexpr int LABELWIDTH = 230;
// Height the dialog gains when its help text is shown.
constexpr int HELPGROWTH = 205;

} // namespace

DesignDialog::DesignDialog(const DesignInfo &design, const PileInfo &front, const PileInfo &back,
    const LinkBeamInfo &beam, qint32 pileForm, QWidget *parent)
    : DataDialog(Settings::Dialog::Design, parent)
    , ui(new Ui::DesignDialog)
    , m_design(design)
    , m_front(front)
    , m_back(back)
    , m_beam(beam)
    , m_doubleRow(pileForm == DOUBLEROW)
    , m_shownGrade(design.grade)
{
    ui->setupUi(this);
    setUpCommon(ui->tableDesign, ui->buttonBox, ui->buttonText, ui->textDesign, HELPGROWTH);
    ui->tableDesign->setColumnWidth(LABEL, LABELWIDTH);
    fillTable();
    setUpDelegates();
    ui->textDesign->setPlainText(
        tr("说明：\n1、设计弯矩、剪力取分析所得（标准值）乘以γ0·γF；一级边坡γ0宜取1.1，"
           "选择安全等级时自动填入，可再修改；\n"
           "2、as为受拉钢筋合力点至截面受拉边缘的距离，须小于截面高度（圆桩为直径）的一半；"
           "圆桩箍筋按2肢计算；\n"
           "3、岩层的嵌固段按K_H·η·frk验算侧向承载力，frk在岩土层数据中填写，0表示土层；\n"
           "4、锚索（杆）的粘结强度frbk在锚索（杆）数据中填写；\n"
           "5、位移限值为工程自定：桩顶位移取“限值”与“比值×滑面以上桩长”的较小者。"));
}

DesignDialog::~DesignDialog() = default;

void DesignDialog::fillTable()
{
    QTableWidget *table = ui->tableDesign;
    table->clearContents();
    table->setRowCount(RowCount);
    const QStringList labels = {tr("边坡工程安全等级"), tr("锚杆(索)使用类别"),
        tr("结构重要性系数γ0"), tr("荷载分项系数γF"), tr("纵筋等级"), tr("箍筋等级"),
        tr("纵筋直径(mm)"), tr("箍筋直径(mm)"), tr("箍筋肢数(矩形截面)"),
        tr("纵筋合力点至受拉边缘as(m)"), tr("岩石侧向抗力系数K_H"), tr("岩石强度折减系数η"),
        tr("钢绞线强度设计值fpy(MPa)"), tr("锚杆钢筋等级"), tr("注浆体强度等级"),
        tr("桩顶位移限值(m)"), tr("桩顶位移/滑面以上桩长限值"), tr("滑面处位移限值(m)")};
    for (int row = 0; row < RowCount; ++row)
        setFixed(row, LABEL, labels.at(row));

    const DesignInfo &d = m_design;
    setValue(SafetyRow, VALUE, DesignRules::safetyGrade(d.grade));
    setValue(ServiceRow, VALUE, DesignRules::service(d.permanent));
    setValue(Gamma0Row, VALUE, valueText(d.gamma0));
    setValue(GammaFRow, VALUE, valueText(d.gammaF));
    setValue(MainBarRow, VALUE, DesignRules::rebarGrade(d.rebarMain));
    setValue(StirrupRow, VALUE, DesignRules::rebarGrade(d.rebarStirrup));
    setValue(BarDiamRow, VALUE, valueText(d.rebarDiam));
    setValue(StirrupDiamRow, VALUE, valueText(d.stirrupDiam));
    setValue(LegsRow, VALUE, QString::number(d.legs));
    setValue(CoverRow, VALUE, valueText(d.as));
    setValue(KhRow, VALUE, valueText(d.kh));
    setValue(EtaRow, VALUE, valueText(d.eta));
    setValue(FpyRow, VALUE, valueText(d.fpy));
    setValue(AnchorBarRow, VALUE, DesignRules::rebarGrade(d.anchorBar));
    setValue(GroutRow, VALUE, DesignRules::groutGrade(d.grout));
    setValue(TopRow, VALUE, valueText(d.limitTop));
    setValue(TopRatioRow, VALUE, valueText(d.limitTopRatio));
    setValue(SlipRow, VALUE, valueText(d.limitSlip));
}

void DesignDialog::setUpDelegates()
{
    QTableWidget *table = ui->tableDesign;
    const auto combo = [&](int row, const QList<qint16> &codes, QString (*word)(qint16)) {
        auto *delegate = new ComboBoxDelegate(CodeText::words(codes, word), table);
        table->setItemDelegateForRow(row, delegate);
        return delegate;
    };
    connect(combo(SafetyRow, SAFETYGRADES, &DesignRules::safetyGrade),
        &ComboBoxDelegate::selectionChanged, this, &DesignDialog::onIndexChanged);
    combo(ServiceRow, SERVICES, &DesignRules::service);
    combo(MainBarRow, REBARGRADES, &DesignRules::rebarGrade);
    combo(StirrupRow, STIRRUPGRADES, &DesignRules::rebarGrade);
    combo(AnchorBarRow, REBARGRADES, &DesignRules::rebarGrade);
    combo(GroutRow, GROUTGRADES, &DesignRules::groutGrade);
    table->setItemDelegateForRow(LegsRow, new SpinDelegate(2, 12, table));
    for (int row : {Gamma0Row, GammaFRow, BarDiamRow, StirrupDiamRow, CoverRow, KhRow, EtaRow,
             FpyRow, TopRow, TopRatioRow, SlipRow})
        table->setItemDelegateForRow(row, patternDelegate(QString::fromLatin1(DECIMAL)));
}

void DesignDialog::onIndexChanged(int row, int column, int index)
{
    if (row != SafetyRow || column != VALUE || index < 0 || index >= SAFETYGRADES.size())
        return;
    const qint16 grade = SAFETYGRADES.at(index);
    if (grade == m_shownGrade)
        return;
    m_shownGrade = grade;
    setValue(Gamma0Row, VALUE, valueText(suggestedGamma0(grade)));
}

bool DesignDialog::readBack(CellReader &in)
{
    DesignInfo d = m_design;
    d.grade = CodeText::codeOf(
        in.text(SafetyRow, VALUE), SAFETYGRADES, &DesignRules::safetyGrade, d.grade);
    d.permanent =
        CodeText::codeOf(in.text(ServiceRow, VALUE), SERVICES, &DesignRules::service, d.permanent);
    in.positive(Gamma0Row, VALUE, d.gamma0);
    in.positive(GammaFRow, VALUE, d.gammaF);
    d.rebarMain = CodeText::codeOf(
        in.text(MainBarRow, VALUE), REBARGRADES, &DesignRules::rebarGrade, d.rebarMain);
    d.rebarStirrup = CodeText::codeOf(
        in.text(StirrupRow, VALUE), STIRRUPGRADES, &DesignRules::rebarGrade, d.rebarStirrup);
    in.positive(BarDiamRow, VALUE, d.rebarDiam);
    in.positive(StirrupDiamRow, VALUE, d.stirrupDiam);
    qint32 legs = d.legs;
    if (in.integer(LegsRow, VALUE, legs))
        d.legs = qint16(std::clamp(legs, 0, 1000));
    in.positive(CoverRow, VALUE, d.as);
    in.positive(KhRow, VALUE, d.kh);
    in.positive(EtaRow, VALUE, d.eta);
    in.positive(FpyRow, VALUE, d.fpy);
    d.anchorBar = CodeText::codeOf(
        in.text(AnchorBarRow, VALUE), REBARGRADES, &DesignRules::rebarGrade, d.anchorBar);
    d.grout =
        CodeText::codeOf(in.text(GroutRow, VALUE), GROUTGRADES, &DesignRules::groutGrade, d.grout);
    in.positive(TopRow, VALUE, d.limitTop);
    in.positive(TopRatioRow, VALUE, d.limitTopRatio);
    in.positive(SlipRow, VALUE, d.limitSlip);
    if (in.hasProblems())
        return false;
    // Each value may be fine alone and still make no sense: a γ0 above 3, a
    // grade from a file that no list offers, as against the sections.
    QString problem = DesignRules::problem(d);
    if (problem.isEmpty())
        problem = DesignRules::sectionProblem(d, m_front, m_back, m_beam, m_doubleRow);
    if (!problem.isEmpty()) {
        in.addProblem(problem);
        return false;
    }
    m_design = d;
    return true;
}

DataDialog::Cell DesignDialog::cellAfterReturn(int row, int column) const
{
    if (column != VALUE || row < 0 || row + 1 >= RowCount)
        return {};
    return {row + 1, VALUE};
}

QString DesignDialog::cellName(int row, int) const
{
    return rowLabel(row);
}
