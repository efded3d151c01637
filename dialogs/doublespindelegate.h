#pragma once

// Cell editor for a decimal number in a range with a fixed number of places.
// A value outside the range, or text that is no number, opens clamped into
// the range; every step in the open editor is announced before the cell
// receives it. Accepting an unchanged value writes nothing.

#include "dialogs/celldelegate.h"

class DoubleSpinDelegate : public CellDelegate
{
    Q_OBJECT

public:
    explicit DoubleSpinDelegate(
        double minimum = 0, double maximum = 99, int decimals = 0, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;

signals:
    void valueChanged(double value);

protected:
    void showValue(QWidget *editor, const QVariant &value) const override;
    QVariant editedValue(QWidget *editor) const override;
    bool isUnchanged(const QVariant &current, const QVariant &edited) const override;

private:
    double m_minimum;
    double m_maximum;
    int m_decimals;
};
