#include "dialogs/doublespindelegate.h"

#include <QDoubleSpinBox>

#include <algorithm>
#include <cmath>

DoubleSpinDelegate::DoubleSpinDelegate(
    double minimum, double maximum, int decimals, QObject *parent)
    : CellDelegate(Look::Value, parent)
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

void DoubleSpinDelegate::showValue(QWidget *editor, const QVariant &value) const
{
    auto *spin = qobject_cast<QDoubleSpinBox *>(editor);
    if (!spin)
        return;
    bool ok = false;
    double number = value.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        number = m_minimum;
    spin->setValue(std::clamp(number, m_minimum, std::max(m_minimum, m_maximum)));
}

QVariant DoubleSpinDelegate::editedValue(QWidget *editor) const
{
    auto *spin = qobject_cast<QDoubleSpinBox *>(editor);
    if (!spin)
        return QVariant();
    spin->interpretText();
    return spin->value();
}

bool DoubleSpinDelegate::isUnchanged(const QVariant &current, const QVariant &edited) const
{
    bool ok = false;
    const double number = current.toDouble(&ok);
    return current.isValid() && ok && qFuzzyCompare(number, edited.toDouble());
}
