#include "dialogs/listdialog.h"

#include "model/codes.h"
#include "view/prompts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>

namespace {

const QList<qint16> DOUBLEROWCARRIERS = {OBJPILE, OBJBACKPILE, OBJBEAM};

QString doubleRowCarrier(qint16 object)
{
    return CodeText::carrier(object, DOUBLEROW);
}

} // namespace

void ListDialog::setColumns(const QStringList &headers, const QList<QPair<int, int>> &fixedWidths)
{
    table()->setColumnCount(int(headers.size()));
    table()->setHorizontalHeaderLabels(headers);
    QHeaderView *header = table()->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Stretch);
    for (const auto &[column, width] : fixedWidths) {
        header->setSectionResizeMode(column, QHeaderView::Fixed);
        header->resizeSection(column, width);
    }
}

void ListDialog::setRowButtons(int row, int column, const QList<RowButton> &buttons)
{
    auto *cell = new QWidget;
    auto *layout = new QHBoxLayout(cell);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const RowButton &b : buttons) {
        // Tool buttons never act as the dialog's default button, so Return
        // in the table cannot press one.
        auto *button = new QToolButton(cell);
        button->setIcon(QIcon(QString::fromLatin1(b.icon)));
        button->setToolTip(b.toolTip);
        button->setAutoRaise(true);
        const auto action = b.action;
        connect(button, &QToolButton::clicked, this, [action, row] { action(row); });
        layout->addWidget(button);
    }
    table()->setCellWidget(row, column, cell);
}

QString ListDialog::shown(double value, double scale, int decimals)
{
    return QString::number(value / scale, 'f', decimals);
}

void ListDialog::readNumber(
    CellReader &in, int row, int column, double &value, double scale, int decimals)
{
    if (in.text(row, column) != shown(value, scale, decimals))
        in.number(row, column, value, scale);
}

void ListDialog::readPositive(
    CellReader &in, int row, int column, double &value, double scale, int decimals)
{
    if (in.text(row, column) != shown(value, scale, decimals))
        in.positive(row, column, value, scale);
}

bool ListDialog::readTable()
{
    CellReader in = reader();
    if (readBack(in))
        return true;
    warnRefused(in);
    return false;
}

void ListDialog::warnRefused(const CellReader &in)
{
    Prompts::warn(this, tr("澄川抗滑桩"),
        tr("以下数值不能使用，请先修改：\n%1").arg(in.problems().join(QLatin1Char('\n'))));
}

void ListDialog::setCountBox(QSpinBox *spin)
{
    m_countBox = spin;
    spin->setKeyboardTracking(false);
}

void ListDialog::clearRows(int count)
{
    showCount(count);
    table()->clearContents();
    table()->setRowCount(count);
}

void ListDialog::showCount(int count)
{
    if (!m_countBox)
        return;
    const QSignalBlocker quiet(m_countBox);
    m_countBox->setValue(count);
}

QString ListDialog::carrierText(qint16 object, qint32 pileForm)
{
    if (pileForm != DOUBLEROW)
        return CodeText::carrier(OBJPILE, SINGLEROW);
    return doubleRowCarrier(object == OBJPILE || object == OBJBACKPILE ? object : OBJBEAM);
}

QStringList ListDialog::carrierChoices(qint32 pileForm)
{
    if (pileForm != DOUBLEROW)
        return {CodeText::carrier(OBJPILE, SINGLEROW)};
    return CodeText::words(DOUBLEROWCARRIERS, &doubleRowCarrier);
}

qint16 ListDialog::carrierOf(const QString &text, qint32 pileForm)
{
    if (pileForm != DOUBLEROW)
        return OBJPILE;
    return CodeText::codeOf(text, DOUBLEROWCARRIERS, &doubleRowCarrier, OBJPILE);
}
