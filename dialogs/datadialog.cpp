#include "dialogs/datadialog.h"

#include "dialogs/datalimitdelegate.h"
#include "view/prompts.h"

#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>

namespace {

const char *const HEADERSTYLE = "QHeaderView::section{background:rgba(36,161,254,50);}";
const char *const NOTAPPLICABLE = "-";

// The dialog and the help text are apart by the layout's spacing.
constexpr int HELPSPACING = 5;

bool isReturn(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

DataDialog::DataDialog(Settings::Dialog kind, QWidget *parent)
    : QDialog(parent)
    , m_kind(kind)
{ }

void DataDialog::setUpCommon(QTableWidget *table, QDialogButtonBox *buttons,
    QPushButton *helpButton, QTextEdit *helpText, int helpGrowth)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    m_table = table;
    m_helpButton = helpButton;
    m_helpText = helpText;
    m_helpGrowth = helpGrowth;

    table->horizontalHeader()->setStyleSheet(QString::fromLatin1(HEADERSTYLE));
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->installEventFilter(this);

    connect(buttons, &QDialogButtonBox::accepted, this, &DataDialog::onAccepted);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (helpButton)
        connect(helpButton, &QPushButton::clicked, this, &DataDialog::onDisplayText);

    const Settings settings;
    const QRect stored = settings.dialogGeometry(m_kind);
    if (!stored.isEmpty() && parentWidget()) {
        // Only the size is kept; the dialog opens over the middle of the
        // window, wherever it was last.
        resize(stored.size());
        QRect placed(QPoint(), size());
        placed.moveCenter(parentWidget()->window()->geometry().center());
        move(placed.topLeft());
    }
    m_helpShown = settings.dialogHelpShown(m_kind);
    showHelpState();
}

void DataDialog::showHelpState()
{
    if (!m_helpText)
        return;
    m_helpText->setVisible(m_helpShown);
    if (m_helpButton)
        m_helpButton->setText(m_helpShown ? tr("隐藏说明") : tr("显示说明"));
}

void DataDialog::onDisplayText()
{
    if (!m_helpText)
        return;
    const int shrink = m_helpText->height() + HELPSPACING;
    m_helpShown = !m_helpText->isVisibleTo(this);
    showHelpState();
    resize(width(), m_helpShown ? height() + m_helpGrowth : height() - shrink);
}

void DataDialog::onAccepted()
{
    // The click on OK may itself have finished a refused edit: the user
    // hears of it before anything is taken.
    if (!m_refusals.isEmpty()) {
        showRefusals();
        return;
    }
    CellReader in = reader();
    if (!readBack(in)) {
        Prompts::warn(this, tr("澄川抗滑桩"),
            tr("以下数值不能使用，请修改后再确定：\n%1")
                .arg(in.problems().join(QLatin1Char('\n'))));
        return;
    }
    saveSettings();
    accept();
}

void DataDialog::saveSettings() const
{
    Settings settings;
    settings.setDialogGeometry(m_kind, QRect(x(), y(), width(), height()));
    settings.setDialogHelpShown(m_kind, m_helpShown);
}

DataDialog::Cell DataDialog::cellAfterReturn(int, int) const
{
    return {};
}

QString DataDialog::cellName(int row, int column) const
{
    const QTableWidgetItem *header = m_table ? m_table->horizontalHeaderItem(column) : nullptr;
    QString title = header ? header->text() : QString::number(column + 1);
    title.remove(QLatin1Char('\n'));
    return tr("第%1行“%2”").arg(row + 1).arg(title);
}

QString DataDialog::rowLabel(int row) const
{
    const QTableWidgetItem *label = m_table ? m_table->item(row, 0) : nullptr;
    return tr("“%1”").arg(label ? label->text() : QString::number(row + 1));
}

CellReader DataDialog::reader() const
{
    return CellReader(m_table, [this](int row, int column) { return cellName(row, column); });
}

QTableWidgetItem *DataDialog::fixedItem(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEditable));
    return item;
}

void DataDialog::setFixed(int row, int column, const QString &text)
{
    m_table->setItem(row, column, fixedItem(text));
}

void DataDialog::setValue(int row, int column, const QString &text)
{
    m_table->setItem(row, column, new QTableWidgetItem(text));
}

void DataDialog::setNotApplicable(int row, int column)
{
    setFixed(row, column, QString::fromLatin1(NOTAPPLICABLE));
}

bool DataDialog::isNotApplicable(int row, int column) const
{
    const QTableWidgetItem *item = m_table->item(row, column);
    return !item || !(item->flags() & Qt::ItemIsEditable);
}

QAbstractItemDelegate *DataDialog::patternDelegate(const QString &pattern)
{
    auto *delegate = new DataLimitDelegate(QRegularExpression(pattern), m_table);
    connect(delegate, &DataLimitDelegate::refused, this, &DataDialog::cellRefused);
    return delegate;
}

QAbstractItemDelegate *DataDialog::patternDelegate(const InputPattern &pattern)
{
    auto *delegate = new DataLimitDelegate(pattern, m_table);
    connect(delegate, &DataLimitDelegate::refused, this, &DataDialog::cellRefused);
    return delegate;
}

void DataDialog::cellRefused(const QModelIndex &index, const QString &reason)
{
    // The edit ends inside the table's focus change or key press; a message
    // box opened right there would cut into it.
    if (m_refusals.isEmpty())
        QTimer::singleShot(0, this, &DataDialog::showRefusals);
    m_refusals << tr("%1：%2").arg(cellName(index.row(), index.column()), reason);
}

void DataDialog::showRefusals()
{
    if (m_refusals.isEmpty())
        return;
    const QString text = m_refusals.join(QLatin1Char('\n'));
    m_refusals.clear();
    Prompts::warn(this, tr("澄川抗滑桩"), tr("以下数值不能使用，请重新输入：\n%1").arg(text));
}

bool DataDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_table && event->type() == QEvent::KeyPress && m_table->hasFocus()
        && isReturn(static_cast<QKeyEvent *>(event))) {
        const Cell next = cellAfterReturn(m_table->currentRow(), m_table->currentColumn());
        if (next.row >= 0 && next.row < m_table->rowCount() && next.column >= 0
            && next.column < m_table->columnCount())
            m_table->setCurrentCell(next.row, next.column);
    }
    // The table goes on with the key as ever.
    return QDialog::eventFilter(watched, event);
}

void DataDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape || isReturn(event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void DataDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The button box has just made OK the default button. A default or
    // auto-default button takes Return as a click, and OK would close the
    // dialog by it; Space still presses a focused button.
    for (QPushButton *button : findChildren<QPushButton *>()) {
        button->setDefault(false);
        button->setAutoDefault(false);
    }
}

void DataDialog::closeEvent(QCloseEvent *event)
{
    // Closing by the title bar is a rejection that keeps the size.
    saveSettings();
    QDialog::closeEvent(event);
}
