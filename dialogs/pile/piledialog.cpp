#include "dialogs/pile/piledialog.h"

#include "ui_piledialog.h"

#include "dialogs/comboboxdelegate.h"
#include "view/pens.h"

#include <QHBoxLayout>
#include <QPushButton>

namespace {

const QList<qint16> SECTIONS = {SECTROUND, SECTSQUARE};
const QList<qint16> SUPPORTS = {SUPPORTHINGED, SUPPORTFREE, SUPPORTFIXED};

constexpr int LABEL = 0;
constexpr int VALUE = 1;
constexpr int LABELWIDTH = 120;
constexpr int COPYBUTTONWIDTH = 80;
constexpr int HEADINGALPHA = 50;

} // namespace

PileDialog::PileDialog(const PileInfo &front, const PileInfo &back, const LinkBeamInfo &beam,
    qint32 pileForm, QWidget *parent)
    : DataDialog(Settings::Dialog::Pile, parent)
    , ui(new Ui::PileDialog)
    , m_front(front)
    , m_back(back)
    , m_beam(beam)
    , m_pileForm(pileForm)
{
    ui->setupUi(this);
    setUpCommon(ui->tablePile, ui->buttonBox);
    ui->tablePile->setColumnWidth(LABEL, LABELWIDTH);
    fillTable();
}

PileDialog::~PileDialog() = default;

void PileDialog::fillTable()
{
    QTableWidget *table = ui->tablePile;
    table->clearContents();
    table->setRowCount(doubleRow() ? int(DoubleRowCount) : int(PileRows));
    setHeading(FrontPileBlock, doubleRow() ? tr("抗滑桩(前桩)参数") : tr("抗滑桩参数"));
    fillPile(FrontPileBlock, m_front);
    setUpDelegates(FrontPileBlock);
    if (!doubleRow())
        return;

    setHeading(BackPileBlock, tr("抗滑桩(后桩)参数"));
    auto *copyBox = new QWidget(table);
    auto *copyLayout = new QHBoxLayout(copyBox);
    copyLayout->setContentsMargins(0, 0, 0, 0);
    auto *copy = new QPushButton(tr("参数同前桩"), copyBox);
    copy->setObjectName(QStringLiteral("buttonSameAsFront"));
    copy->setFixedWidth(COPYBUTTONWIDTH);
    copyLayout->addWidget(copy);
    copyLayout->addStretch();
    table->setCellWidget(BackPileBlock, VALUE, copyBox);
    connect(copy, &QPushButton::clicked, this, &PileDialog::copyFrontToBack);
    fillPile(BackPileBlock, m_back);
    setUpDelegates(BackPileBlock);

    setHeading(LinkBeamBlock, tr("桩间连梁参数"));
    setFixed(BeamHeightRow, LABEL, tr("连梁高度(m)"));
    setValue(BeamHeightRow, VALUE, valueText(m_beam.height));
    setFixed(BeamWidthRow, LABEL, tr("连梁宽度(m)"));
    setValue(BeamWidthRow, VALUE, valueText(m_beam.width));
    setFixed(BeamGradeRow, LABEL, tr("桩混凝土等级"));
    setValue(BeamGradeRow, VALUE, CodeText::grade(m_beam.grade));
    for (int row : {BeamHeightRow, BeamWidthRow})
        table->setItemDelegateForRow(row, patternDelegate(InputPatterns::SectionSize));
    table->setItemDelegateForRow(BeamGradeRow,
        new ComboBoxDelegate(CodeText::words(CONCRETEGRADES, &CodeText::grade), table));
}

void PileDialog::setHeading(int row, const QString &text)
{
    setFixed(row, LABEL, text);
    setFixed(row, VALUE, QString());
    for (int column : {LABEL, VALUE})
        ui->tablePile->item(row, column)->setBackground(accentColor(HEADINGALPHA));
}

void PileDialog::fillPile(int first, const PileInfo &pile)
{
    setFixed(first + LengthRow, LABEL, tr("桩身长度(m)"));
    setValue(first + LengthRow, VALUE, valueText(pile.length));
    setFixed(first + GradeRow, LABEL, tr("桩混凝土等级"));
    setValue(first + GradeRow, VALUE, CodeText::grade(pile.grade));
    setFixed(first + SectionRow, LABEL, tr("桩截面形状"));
    const bool round = pile.shp == SECTROUND;
    setValue(first + SectionRow, VALUE, CodeText::section(round ? SECTROUND : SECTSQUARE));
    setFixed(first + DiameterRow, LABEL, tr("圆桩直径(m)"));
    setFixed(first + HeightRow, LABEL, tr("方桩高度(m)"));
    setFixed(first + WidthRow, LABEL, tr("方桩宽度(m)"));
    for (int row = first + DiameterRow; row <= first + WidthRow; ++row)
        setNotApplicable(row, VALUE);
    showSection(first, round);
    setFixed(first + SupportRow, LABEL, tr("桩底支承条件"));
    setValue(first + SupportRow, VALUE, CodeText::support(pile.support));
}

void PileDialog::showSection(int first, bool round)
{
    const PileInfo &pile = first == BackPileBlock ? m_back : m_front;
    const QList<QPair<int, double>> sizes = {
        {DiameterRow, pile.diameter}, {HeightRow, pile.height}, {WidthRow, pile.width}};
    for (const auto &size : sizes) {
        const int row = first + size.first;
        if ((size.first == DiameterRow) != round)
            setNotApplicable(row, VALUE);
        // The combo announces its choice again each time its editor
        // opens: a size typed since must not be thrown away by that.
        else if (isNotApplicable(row, VALUE))
            setValue(row, VALUE, valueText(size.second));
    }
}

void PileDialog::setUpDelegates(int first)
{
    QTableWidget *table = ui->tablePile;
    table->setItemDelegateForRow(first + LengthRow, patternDelegate(InputPatterns::PileLength));
    table->setItemDelegateForRow(first + GradeRow,
        new ComboBoxDelegate(CodeText::words(CONCRETEGRADES, &CodeText::grade), table));
    auto *section = new ComboBoxDelegate(CodeText::words(SECTIONS, &CodeText::section), table);
    connect(section, &ComboBoxDelegate::selectionChanged, this, &PileDialog::onIndexChanged);
    table->setItemDelegateForRow(first + SectionRow, section);
    for (int row = first + DiameterRow; row <= first + WidthRow; ++row)
        table->setItemDelegateForRow(row, patternDelegate(InputPatterns::SectionSize));
    auto *support = new ComboBoxDelegate(CodeText::words(SUPPORTS, &CodeText::support), table);
    connect(support, &ComboBoxDelegate::selectionChanged, this, &PileDialog::onIndexChanged);
    table->setItemDelegateForRow(first + SupportRow, support);
}

void PileDialog::onIndexChanged(int row, int col, int index)
{
    if (col != VALUE)
        return;
    if (row == FrontPileBlock + SectionRow)
        showSection(FrontPileBlock, index == 0);
    else if (doubleRow() && row == BackPileBlock + SectionRow)
        showSection(BackPileBlock, index == 0);
}

void PileDialog::copyFrontToBack()
{
    if (!doubleRow())
        return;
    const auto copy = [this](int offset) {
        const QTableWidgetItem *from = ui->tablePile->item(FrontPileBlock + offset, VALUE);
        setValue(BackPileBlock + offset, VALUE, from ? from->text() : QString());
    };
    copy(LengthRow);
    copy(GradeRow);
    copy(SectionRow);
    if (ui->tablePile->item(BackPileBlock + SectionRow, VALUE)->text()
        == CodeText::section(SECTROUND)) {
        copy(DiameterRow);
        setNotApplicable(BackPileBlock + HeightRow, VALUE);
        setNotApplicable(BackPileBlock + WidthRow, VALUE);
    } else {
        setNotApplicable(BackPileBlock + DiameterRow, VALUE);
        copy(HeightRow);
        copy(WidthRow);
    }
    copy(SupportRow);
}

void PileDialog::readPile(CellReader &in, int first, PileInfo &pile) const
{
    in.positive(first + LengthRow, VALUE, pile.length);
    // A grade the list does not offer (from a file) stays as it is, rather
    // than turning into another concrete the user never chose.
    pile.grade = CodeText::codeOf(
        in.text(first + GradeRow, VALUE), CONCRETEGRADES, &CodeText::grade, pile.grade);
    if (in.text(first + SectionRow, VALUE) == CodeText::section(SECTROUND)) {
        pile.shp = SECTROUND;
        in.positive(first + DiameterRow, VALUE, pile.diameter);
    } else {
        pile.shp = SECTSQUARE;
        in.positive(first + HeightRow, VALUE, pile.height);
        in.positive(first + WidthRow, VALUE, pile.width);
    }
    pile.support = CodeText::codeOf(
        in.text(first + SupportRow, VALUE), SUPPORTS, &CodeText::support, pile.support);
}

bool PileDialog::readBack(CellReader &in)
{
    PileInfo front = m_front;
    PileInfo back = m_back;
    LinkBeamInfo beam = m_beam;
    readPile(in, FrontPileBlock, front);
    if (doubleRow()) {
        readPile(in, BackPileBlock, back);
        in.positive(BeamHeightRow, VALUE, beam.height);
        in.positive(BeamWidthRow, VALUE, beam.width);
        beam.grade = CodeText::codeOf(
            in.text(BeamGradeRow, VALUE), CONCRETEGRADES, &CodeText::grade, beam.grade);
    }
    if (in.hasProblems())
        return false;
    m_front = front;
    m_back = back;
    m_beam = beam;
    return true;
}

DataDialog::Cell PileDialog::cellAfterReturn(int row, int column) const
{
    if (column != VALUE || row < 0 || row + 1 >= ui->tablePile->rowCount())
        return {};
    return {row + 1, VALUE};
}

QString PileDialog::cellName(int row, int) const
{
    // The same labels stand under each pile: the heading tells which.
    const int heading = row >= LinkBeamBlock ? LinkBeamBlock
        : row >= BackPileBlock               ? BackPileBlock
                                             : FrontPileBlock;
    const QTableWidgetItem *item = ui->tablePile->item(heading, LABEL);
    return tr("%1 %2").arg(item ? item->text() : QString(), rowLabel(row));
}
