#include "dialogs/celldelegate.h"

CellDelegate::CellDelegate(Look look, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_look(look)
{ }

void CellDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (editor && index.isValid())
        showValue(editor, index.data(Qt::EditRole));
}

void CellDelegate::setModelData(
    QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (!editor || !model || !index.isValid())
        return;
    const QVariant edited = editedValue(editor);
    if (!edited.isValid() || isUnchanged(model->data(index, Qt::EditRole), edited)
        || !takes(index, edited))
        return;
    model->setData(index, edited, Qt::EditRole);
}

void CellDelegate::updateEditorGeometry(
    QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &) const
{
    if (editor)
        editor->setGeometry(option.rect);
}

void CellDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (m_look == Look::Choice) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem cell(option);
    cell.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    if (cell.state & QStyle::State_Selected)
        cell.font.setWeight(QFont::Bold);
    QStyledItemDelegate::paint(painter, cell, index);
}

bool CellDelegate::isUnchanged(const QVariant &, const QVariant &) const
{
    return false;
}

bool CellDelegate::takes(const QModelIndex &, const QVariant &) const
{
    return true;
}
