#include "dialogs/spindelegate.h"

#include <QSpinBox>

#include <algorithm>

SpinDelegate::SpinDelegate(const int &minimum, const int &maximum, QObject *parent)
    : CellDelegate(Look::Value, parent)
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

void SpinDelegate::showValue(QWidget *editor, const QVariant &value) const
{
    auto *spin = qobject_cast<QSpinBox *>(editor);
    if (!spin)
        return;
    bool ok = false;
    int number = value.toInt(&ok);
    if (!ok)
        number = m_minimum;
    spin->setValue(std::clamp(number, m_minimum, std::max(m_minimum, m_maximum)));
}

QVariant SpinDelegate::editedValue(QWidget *editor) const
{
    auto *spin = qobject_cast<QSpinBox *>(editor);
    if (!spin)
        return QVariant();
    spin->interpretText();
    return spin->value();
}

bool SpinDelegate::isUnchanged(const QVariant &current, const QVariant &edited) const
{
    bool ok = false;
    const int number = current.toInt(&ok);
    return current.isValid() && ok && number == edited.toInt();
}
