#pragma once

// Cell editor for a whole number in a range. A value outside the range, or
// text that is no number, opens clamped into the range; every step in the
// open editor is announced before the cell receives it. Accepting an
// unchanged value writes nothing.

#include <QStyledItemDelegate>

class SpinDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit SpinDelegate(
        const int &minimum = 0, const int &maximum = 99, QObject *parent = nullptr);

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
    void valueChanged(int value);

private:
    int m_minimum;
    int m_maximum;
};
