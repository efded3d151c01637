#pragma once

// Cell editor for a whole number in a range. A value outside the range, or
// text that is no number, opens clamped into the range; every step in the
// open editor is announced before the cell receives it. Accepting an
// unchanged value writes nothing.

#include "dialogs/celldelegate.h"

class SpinDelegate : public CellDelegate
{
    Q_OBJECT

public:
    explicit SpinDelegate(
        const int &minimum = 0, const int &maximum = 99, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;

signals:
    void valueChanged(int value);

protected:
    void showValue(QWidget *editor, const QVariant &value) const override;
    QVariant editedValue(QWidget *editor) const override;
    bool isUnchanged(const QVariant &current, const QVariant &edited) const override;

private:
    int m_minimum;
    int m_maximum;
};
