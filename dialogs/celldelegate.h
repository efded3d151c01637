#pragma once

// Base of the cell editors of the data tables and the property table. It
// keeps what every cell editor does alike: the editor covers the whole cell;
// it opens on the cell's value (its edit role); accepting writes the edited
// value back in the edit role, but nothing when the editor has no value for
// the cell, when the value is the one the cell holds, or when the delegate
// refuses it. A value cell paints left-aligned and bold while selected, so
// that the cell being worked on stands out in the pale selection colour of
// the tables; a choice cell paints as the table's own items.
//
// A derived delegate makes its editor and says how a value goes into it and
// comes out of it, and, where it has such rules, when a value is unchanged
// and when it is refused.

#include <QStyledItemDelegate>

class CellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(
        QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;

protected:
    enum class Look { Value, Choice };

    explicit CellDelegate(Look look, QObject *parent = nullptr);

    // Puts `value`, what the cell at `index` holds in its edit role, into
    // the editor; an editor that is not this delegate's is left alone.
    virtual void showValue(QWidget *editor, const QVariant &value) const = 0;
    // The editor's value for the cell; invalid for an editor that is not
    // this delegate's, which writes nothing.
    virtual QVariant editedValue(QWidget *editor) const = 0;
    // Whether `edited` is what the cell holds already (`current`, invalid
    // for an empty cell), so that accepting it writes nothing. By default
    // every edit is written.
    virtual bool isUnchanged(const QVariant &current, const QVariant &edited) const;
    // Whether the cell at `index` takes `edited`; a delegate that refuses
    // tells why itself. By default every value is taken.
    virtual bool takes(const QModelIndex &index, const QVariant &edited) const;

private:
    Look m_look;
};
