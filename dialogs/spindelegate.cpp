#include "dialogs/spindelegate.h"

#include "dialogs/cellstyle.h"

#include <QSpinBox>

#include <algorithm>

SpinDelegate::SpinDelegate(const int &minimum, const int &maximum, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_minimum(minimum)
    , m_maximum(maximum)
{ }

QWidget *SpinDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    auto *spin = new QSpinBox(parent);
    spin->setFrame(false);
    spin->setRange(m_minimum, m_maximum);
    connect(spin, qOverload<int>(&QSpinBox::valueChanged), const_cast<SpinDelegate *>(this),
        &SpinDelegate::valueChanged);
    return spin;
}

void SpinDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *spin = qobject_cast<QSpinBox *>(editor);
    if (!spin)
        return;
    bool ok = false;
    int value = index.data(Qt::EditRole).toInt(&ok);
    if (!ok)
        value = m_minimum;
    spin->setValue(std::clamp(value, m_minimum, std::max(m_minimum, m_maximum)));
}

void SpinDelegate::setModelData(
    QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *spin = qobject_cast<QSpinBox *>(editor);
    if (!spin || !model)
        return;
    spin->interpretText();
    const int value = spin->value();
    const QVariant old = index.data(Qt::EditRole);
    bool ok = false;
    const int current = old.toInt(&ok);
    if (old.isValid() && ok && current == value)
        return;
    model->setData(index, value, Qt::EditRole);
}

void SpinDelegate::updateEditorGeometry(
    QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &) const
{
    if (editor)
        editor->setGeometry(option.rect);
}

void SpinDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, valueCellOption(option, true), index);
}
