#pragma once

// Cell editor that offers a fixed list of texts. The cell holds the chosen
// text itself, never its index. When the editor opens on a cell whose text
// is not the first item, the delegate announces the index at once, so that a
// table can bring the rows that depend on this choice up to date.

#include "dialogs/celldelegate.h"

#include <QStringList>

class ComboBoxDelegate : public CellDelegate
{
    Q_OBJECT

public:
    explicit ComboBoxDelegate(const QStringList &items, QObject *parent = nullptr);

    QStringList items() const { return m_items; }

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
        const QModelIndex &index) const override;

signals:
    void currentIndexChanged(int index);
    // The choice in the editor of the cell (row, column) became `index`.
    void selectionChanged(int row, int column, int index);

protected:
    void showValue(QWidget *editor, const QVariant &value) const override;
    QVariant editedValue(QWidget *editor) const override;

private:
    QStringList m_items;
};
