#include "dialogs/comboboxdelegate.h"

#include <QComboBox>

ComboBoxDelegate::ComboBoxDelegate(const QStringList &items, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_items(items)
{ }

QWidget *ComboBoxDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const
{
    if (m_items.isEmpty())
        return nullptr;
    auto *combo = new QComboBox(parent);
    combo->setEditable(false);
    combo->addItems(m_items);
    // Connected after the items are in, so that filling the list is silent.
    auto *self = const_cast<ComboBoxDelegate *>(this);
    connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), self,
        &ComboBoxDelegate::currentIndexChanged);
    const int row = index.row();
    const int column = index.column();
    connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), self,
        [self, row, column](int choice) { emit self->selectionChanged(row, column, choice); });
    return combo;
}

void ComboBoxDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *combo = qobject_cast<QComboBox *>(editor);
    if (!combo)
        return;
    const QString text = index.model() ? index.data(Qt::EditRole).toString() : QString();
    combo->setCurrentText(text);
}

void ComboBoxDelegate::setModelData(
    QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *combo = qobject_cast<QComboBox *>(editor);
    if (combo && model)
        model->setData(index, combo->currentText(), Qt::EditRole);
}

void ComboBoxDelegate::updateEditorGeometry(
    QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &) const
{
    if (editor)
        editor->setGeometry(option.rect);
}
