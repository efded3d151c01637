#include "dialogs/comboboxdelegate.h"

#include <QComboBox>

ComboBoxDelegate::ComboBoxDelegate(const QStringList &items, QObject *parent)
    : CellDelegate(Look::Choice, parent)
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

void ComboBoxDelegate::showValue(QWidget *editor, const QVariant &value) const
{
    if (auto *combo = qobject_cast<QComboBox *>(editor))
        combo->setCurrentText(value.toString());
}

QVariant ComboBoxDelegate::editedValue(QWidget *editor) const
{
    auto *combo = qobject_cast<QComboBox *>(editor);
    return combo ? QVariant(combo->currentText()) : QVariant();
}
