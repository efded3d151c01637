#pragma once

// Cell editor for free text guarded by a regular expression. The editor takes
// the keys as typed; when the edit is finished, a text the whole expression
// matches is written to the cell, and any other text (half typed, out of
// range, with a decimal the field has not) is refused whole: the cell keeps
// its previous text and refused() says why, so that the table's owner can
// tell the user. Nothing typed is ever dropped key by key, which would turn
// 4.9 into 49.

#include "dialogs/celldelegate.h"
#include "model/inputpatterns.h"

#include <QRegularExpression>

class DataLimitDelegate : public CellDelegate
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

signals:
    // A finished edit of the cell at `index` was refused; the cell is as it
    // was. `reason` is refusal() of the text.
    void refused(const QModelIndex &index, const QString &reason) const;

protected:
    void showValue(QWidget *editor, const QVariant &value) const override;
    // The typed text without its surrounding blanks.
    QVariant editedValue(QWidget *editor) const override;
    // Leaving a cell as it was is no edit, even where a file holds a value
    // the pattern would not take.
    bool isUnchanged(const QVariant &current, const QVariant &edited) const override;
    bool takes(const QModelIndex &index, const QVariant &edited) const override;

private:
    QRegularExpression m_expression;
    QString m_allowed;
    Qt::Alignment m_alignment = Qt::AlignLeft | Qt::AlignVCenter;
};
