#pragma once

// Cell editor for free text guarded by a regular expression. Keystrokes that
// cannot lead to a match are refused while typing; a text that is only the
// start of a match (empty, or a number ending in a point) never reaches the
// cell, which keeps its previous text.

#include <QRegularExpression>
#include <QStyledItemDelegate>

class DataLimitDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit DataLimitDelegate(const QRegularExpression &expression, QObject *parent = nullptr);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(
        QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;

private:
    QRegularExpression m_expression;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool m_boldSelected = true;
};
