#include "dialogs/study/studydialog.h"

#include "engine/model.h"
#include "view/prompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include <cmath>

namespace {

bool changesPiles(StudyParameter parameter)
{
    return parameter == StudyParameter::Length || parameter == StudyParameter::Diameter
        || parameter == StudyParameter::Height;
}

// 1, 2 or 5 times a power of ten, not above v.
double roundStep(double v)
{
    if (!std::isfinite(v) || !(v > 0.0))
        return 1.0;
    const double power = std::pow(10.0, std::floor(std::log10(v)));
    const double m = v / power;
    return (m >= 5.0 ? 5.0 : m >= 2.0 ? 2.0 : 1.0) * power;
}

double micro(double v)
{
    return std::round(v * 1e6) / 1e6;
}

// Whether the study takes the single value v.
bool takes(const Project &project, StudyDefinition def, double v)
{
    def.from = v;
    def.to = v;
    return studyProblem(project, def).isEmpty();
}

} // namespace

StudyDefinition StudyDialog::proposal(
    const Project &project, StudyParameter parameter, StudyPile pile)
{
    StudyDefinition def;
    def.parameter = parameter;
    def.pile = pile;
    const double current = studyCurrentValue(project, def);
    def.step = roundStep(std::fabs(current) / 10.0);
    const double centre = micro(std::round(current / def.step) * def.step);
    def.from = micro(centre - 5.0 * def.step);
    def.to = micro(centre + 5.0 * def.step);
    // Each end comes in, step by step, until the study takes it: the limits
    // of the values are the study's own.
    while (def.from < centre && !takes(project, def, def.from))
        def.from = micro(def.from + def.step);
    while (def.to > centre && !takes(project, def, def.to))
        def.to = micro(def.to - def.step);
    return def;
}

StudyDialog::StudyDialog(const Project &project, const StudyDefinition *last, QWidget *parent)
    : QDialog(parent)
    , m_project(project)
    , m_doubleRow(isDoubleRow(project.base))
{
    setObjectName(QStringLiteral("StudyDialog"));
    setWindowTitle(tr("参数分析"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto *grid = new QGridLayout(this);
    const auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setMinimumWidth(100);
        connect(e, &QLineEdit::textChanged, this, &StudyDialog::updateCount);
        return e;
    };

    m_parameter = new QComboBox(this);
    m_parameter->setObjectName(QStringLiteral("comboParameter"));
    // The values the project has: a section's size only for a pile of that
    // shape, the row distance only for a double row.
    QList<const PileInfo *> piles {&project.frontPile};
    if (m_doubleRow)
        piles << &project.backPile;
    bool round = false;
    bool square = false;
    for (const PileInfo *p : piles) {
        round = round || p->shp != SECTSQUARE;
        square = square || p->shp == SECTSQUARE;
    }
    for (StudyParameter p :
        {StudyParameter::Length, StudyParameter::Diameter, StudyParameter::Height,
            StudyParameter::Spacing, StudyParameter::Row, StudyParameter::Bar}) {
        if ((p == StudyParameter::Diameter && !round) || (p == StudyParameter::Height && !square)
            || (p == StudyParameter::Row && !m_doubleRow))
            continue;
        m_parameter->addItem(StudyText::name(p), int(p));
    }
    m_pile = new QComboBox(this);
    m_pile->setObjectName(QStringLiteral("comboPile"));
    for (StudyPile p : {StudyPile::Both, StudyPile::Front, StudyPile::Back})
        m_pile->addItem(StudyText::pileName(p), int(p));
    m_pileLabel = new QLabel(tr("桩"), this);

    m_from = edit("editFrom");
    m_to = edit("editTo");
    m_step = edit("editStep");
    m_unitFrom = new QLabel(this);
    m_unitTo = new QLabel(this);
    m_unitStep = new QLabel(this);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("labelCount"));
    m_count->setWordWrap(true);
    m_count->setMinimumWidth(260);

    grid->addWidget(new QLabel(tr("参数"), this), 0, 0);
    grid->addWidget(m_parameter, 0, 1, 1, 2);
    grid->addWidget(m_pileLabel, 1, 0);
    grid->addWidget(m_pile, 1, 1, 1, 2);
    grid->addWidget(new QLabel(tr("起始值"), this), 2, 0);
    grid->addWidget(m_from, 2, 1);
    grid->addWidget(m_unitFrom, 2, 2);
    grid->addWidget(new QLabel(tr("终止值"), this), 3, 0);
    grid->addWidget(m_to, 3, 1);
    grid->addWidget(m_unitTo, 3, 2);
    grid->addWidget(new QLabel(tr("步长"), this), 4, 0);
    grid->addWidget(m_step, 4, 1);
    grid->addWidget(m_unitStep, 4, 2);
    grid->addWidget(m_count, 5, 0, 1, 3);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->setObjectName(QStringLiteral("buttonBox"));
    m_buttons->button(QDialogButtonBox::Ok)->setText(tr("开始分析"));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    grid->addWidget(m_buttons, 6, 0, 1, 3);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &StudyDialog::onOk);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    // The last study of the project, or a length study of both piles.
    StudyDefinition start = proposal(project, StudyParameter::Length, StudyPile::Both);
    if (last && m_parameter->findData(int(last->parameter)) >= 0)
        start = *last;
    m_parameter->setCurrentIndex(m_parameter->findData(int(start.parameter)));
    m_pile->setCurrentIndex(m_pile->findData(int(start.pile)));
    showDefinition(start);
    connect(m_parameter, qOverload<int>(&QComboBox::currentIndexChanged), this,
        &StudyDialog::onParameterChanged);
    connect(m_pile, qOverload<int>(&QComboBox::currentIndexChanged), this,
        [this] { showDefinition(proposal(m_project, parameter(), pile())); });
}

StudyParameter StudyDialog::parameter() const
{
    return StudyParameter(m_parameter->currentData().toInt());
}

StudyPile StudyDialog::pile() const
{
    return StudyPile(m_pile->currentData().toInt());
}

void StudyDialog::onParameterChanged()
{
    // A section's size changes the piles of that shape: both when both
    // have it.
    StudyPile p = StudyPile::Both;
    if (m_doubleRow
        && (parameter() == StudyParameter::Diameter || parameter() == StudyParameter::Height)) {
        const bool square = parameter() == StudyParameter::Height;
        const bool front = (m_project.frontPile.shp == SECTSQUARE) == square;
        const bool back = (m_project.backPile.shp == SECTSQUARE) == square;
        if (front != back)
            p = front ? StudyPile::Front : StudyPile::Back;
    }
    const QSignalBlocker blocker(m_pile);
    m_pile->setCurrentIndex(m_pile->findData(int(p)));
    showDefinition(proposal(m_project, parameter(), p));
}

void StudyDialog::showDefinition(const StudyDefinition &def)
{
    const bool piles = m_doubleRow && changesPiles(def.parameter);
    m_pileLabel->setVisible(m_doubleRow);
    m_pile->setVisible(m_doubleRow);
    m_pile->setEnabled(piles);
    const QString unit = StudyText::unit(def.parameter);
    for (QLabel *label : {m_unitFrom, m_unitTo, m_unitStep})
        label->setText(unit);
    m_from->setText(StudyText::number(def.from));
    m_to->setText(StudyText::number(def.to));
    m_step->setText(StudyText::number(def.step));
    updateCount();
}

bool StudyDialog::typed(StudyDefinition &def) const
{
    def.parameter = parameter();
    def.pile = m_doubleRow ? pile() : StudyPile::Both;
    bool fromOk = false;
    bool toOk = false;
    bool stepOk = false;
    const QLocale c = QLocale::c();
    def.from = c.toDouble(m_from->text().trimmed(), &fromOk);
    def.to = c.toDouble(m_to->text().trimmed(), &toOk);
    def.step = c.toDouble(m_step->text().trimmed(), &stepOk);
    return fromOk && toOk && stepOk;
}

QString StudyDialog::problem(StudyDefinition &def) const
{
    if (!typed(def))
        return tr("起始值、终止值和步长须为数字");
    return studyProblem(m_project, def);
}

void StudyDialog::updateCount()
{
    StudyDefinition def;
    const QString problem = this->problem(def);
    if (!problem.isEmpty()) {
        m_count->setStyleSheet(QStringLiteral("color:#c0392b"));
        m_count->setText(problem);
        return;
    }
    const QList<double> values = studyValues(def);
    m_count->setStyleSheet(QString());
    m_count->setText(tr("共%1个取值：%2 ~ %3 %4")
                         .arg(values.size())
                         .arg(StudyText::number(values.first()), StudyText::number(values.last()),
                             StudyText::unit(def.parameter)));
}

void StudyDialog::onOk()
{
    StudyDefinition def;
    const QString problem = this->problem(def);
    if (!problem.isEmpty()) {
        Prompts::warn(this, tr("参数分析"), problem);
        return;
    }
    m_accepted = def;
    accept();
}
