#pragma once

// Cell editor for a decimal number in a range with a fixed number of places.
// A value outside the range, or text that is no number, opens clamped into
// the range; every step in the open editor is announced before the cell
// receives it. Accepting an unchanged value writes nothing.

#include <QStyledItemDelegate>

class DoubleSpinDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit DoubleSpinDelegate(
        double minimum = 0, double maximum = 99, int decimals = 0, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(
        QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;

signals:
    void valueChanged(double value);

private:
    double m_minimum;
    double m_maximum;
    int m_decimals;
};
