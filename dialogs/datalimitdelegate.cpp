#include "dialogs/datalimitdelegate.h"

#include "dialogs/cellstyle.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {

// Longest text a cell editor takes.
constexpr int MAXTEXTLENGTH = 256;

} // namespace

DataLimitDelegate::DataLimitDelegate(const QRegularExpression &expression, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_expression(expression)
{ }

QWidget *DataLimitDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    if (m_expression.pattern().isEmpty() || !m_expression.isValid())
        return nullptr;
    auto *edit = new QLineEdit(parent);
    edit->setValidator(new QRegularExpressionValidator(m_expression, edit));
    edit->setMaxLength(MAXTEXTLENGTH);
    return edit;
}

void DataLimitDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!edit || index.row() < 0 || index.column() < 0 || !index.model())
        return;
    edit->setText(index.data(Qt::EditRole).toString());
    edit->setAlignment(m_alignment);
    // Typing replaces the old value.
    edit->selectAll();
}

void DataLimitDelegate::setModelData(
    QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *edit = qobject_cast<QLineEdit *>(editor);
    if (!edit || !model || !index.isValid())
        return;
    const QString text = edit->text();
    // The validator lets through the start of a match; only a whole match
    // is a value. The patterns anchor themselves.
    if (!m_expression.pattern().isEmpty() && !m_expression.match(text).hasMatch())
        return;
    model->setData(index, text, Qt::EditRole);
}

void DataLimitDelegate::updateEditorGeometry(
    QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &) const
{
    if (editor)
        editor->setGeometry(option.rect);
}

void DataLimitDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, valueCellOption(option, m_boldSelected), index);
}
