#pragma once

// Cell editor for free text guarded by a regular expression. The editor takes
// the keys as typed; when the edit is finished, a text the whole expression
// matches is written to the cell, and any other text (half typed, out of
// range, with a decimal the field has not) is refused whole: the cell keeps
// its previous text and refused() says why, so that the table's owner can
// tell the user. Nothing typed is ever dropped key by key, which would turn
// 4.9 into 49.

#include "model/inputpatterns.h"

#include <QRegularExpression>
#include <QStyledItemDelegate>

class DataLimitDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // An empty expression gives no editor: the cell is read only.
    explicit DataLimitDelegate(const QRegularExpression &expression, QObject *parent = nullptr);
    // A field of the input: refusals name the values the field takes.
    explicit DataLimitDelegate(const InputPattern &pattern, QObject *parent = nullptr);

    // Why `text` is not taken, such as “4.9”不可用（应为1~500的整数），已保留原值.
    QString refusal(const QString &text) const;

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
    // A finished edit of the cell at `index` was refused; the cell is as it
    // was. `reason` is refusal() of the text.
    void refused(const QModelIndex &index, const QString &reason) const;

private:
    QRegularExpression m_expression;
    QString m_allowed;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool m_boldSelected = true;
};
