#include "dialogs/doublespindelegate.h"

#include "dialogs/cellstyle.h"

#include <QDoubleSpinBox>

#include <algorithm>
#include <cmath>

DoubleSpinDelegate::DoubleSpinDelegate(
    double minimum, double maximum, int decimals, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_minimum(minimum)
    , m_maximum(maximum)
    , m_decimals(decimals)
{ }

QWidget *DoubleSpinDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    auto *spin = new QDoubleSpinBox(parent);
    spin->setFrame(false);
    // Decimals first: the range is rounded to them.
    spin->setDecimals(m_decimals);
    spin->setRange(m_minimum, m_maximum);
    spin->setSingleStep(m_decimals > 0 ? std::pow(0.1, m_decimals) : 1.0);
    connect(spin, qOverload<double>(&QDoubleSpinBox::valueChanged),
        const_cast<DoubleSpinDelegate *>(this), &DoubleSpinDelegate::valueChanged);
    return spin;
}

void DoubleSpinDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *spin = qobject_cast<QDoubleSpinBox *>(editor);
    if (!spin)
        return;
    bool ok = false;
    double value = index.data(Qt::EditRole).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        value = m_minimum;
    spin->setValue(std::clamp(value, m_minimum, std::max(m_minimum, m_maximum)));
}

void DoubleSpinDelegate::setModelData(
    QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *spin = qobject_cast<QDoubleSpinBox *>(editor);
    if (!spin || !model)
        return;
    spin->interpretText();
    const double value = spin->value();
    const QVariant old = index.data(Qt::EditRole);
    bool ok = false;
    const double current = old.toDouble(&ok);
    if (old.isValid() && ok && qFuzzyCompare(current, value))
        return;
    model->setData(index, value, Qt::EditRole);
}

void DoubleSpinDelegate::updateEditorGeometry(
    QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &) const
{
    if (editor)
        editor->setGeometry(option.rect);
}

void DoubleSpinDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, valueCellOption(option, true), index);
}
