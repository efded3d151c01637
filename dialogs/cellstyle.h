#pragma once

// Look of a value cell under the text and number delegates: left-aligned,
// vertically centred, and bold while selected, so that the cell being worked
// on stands out in the pale selection colour of the tables.

#include <QStyleOptionViewItem>

inline QStyleOptionViewItem valueCellOption(const QStyleOptionViewItem &option, bool boldSelected)
{
    QStyleOptionViewItem cell(option);
    cell.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    if (boldSelected && (cell.state & QStyle::State_Selected))
        cell.font.setWeight(QFont::Bold);
    return cell;
}
