#pragma once

// What the five data dialogs share: the table's look, the help text with its
// toggle, the stored size and help state, and the keys. Escape and Return
// never close a data dialog, as an engineer typing down a column of values
// presses Return after each and must not lose the table by it; Return moves
// to the next value cell instead, by each dialog's own rule. OK reads the
// table back through a CellReader into a copy of the records and closes the
// dialog only when every cell was usable; otherwise a message names the
// cells and the dialog stays open with everything as typed. A cell whose
// pattern refuses a finished edit keeps its value, and a message names the
// cell and the values it takes; OK pressed while such a message is due shows
// it and leaves the dialog open.
//
// A dialog builds its widgets, calls setUpCommon (the table helpers below
// work on the table given there) and fills its table. It implements
// readBack and, for Return, cellAfterReturn.

#include "dialogs/cellreader.h"
#include "model/inputpatterns.h"
#include "settings/settings.h"

#include <QDialog>

class QAbstractItemDelegate;
class QDialogButtonBox;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QTextEdit;

class DataDialog : public QDialog
{
    Q_OBJECT

protected:
    DataDialog(Settings::Dialog kind, QWidget *parent);

    // Styles the table and filters its keys, connects OK and Cancel, sets
    // up the help toggle (helpGrowth: the height the dialog gains when the
    // help is shown), and applies the stored size and help state. Dialogs
    // without help text pass no help widgets.
    void setUpCommon(QTableWidget *table, QDialogButtonBox *buttons,
        QPushButton *helpButton = nullptr, QTextEdit *helpText = nullptr, int helpGrowth = 0);

    // Reads the table into a copy of the records and, when `in` noted no
    // problem, makes it the dialog's result. Returns false, with the
    // records untouched, when a cell was refused.
    virtual bool readBack(CellReader &in) = 0;

    // A cell of the table; row or column -1 names none.
    struct Cell
    {
        int row = -1;
        int column = -1;
    };
    // Where Return in the cell (row, column) moves to; none by default.
    virtual Cell cellAfterReturn(int row, int column) const;

    // How a message names the cell: the row number and the column's header.
    // Tables with a label column name the row by its label instead.
    virtual QString cellName(int row, int column) const;
    // "“label”", the text of column 0 of the row.
    QString rowLabel(int row) const;

    // A reader over the table, naming cells by cellName.
    CellReader reader() const;

    // A value as the record tables show it: six significant digits, in
    // the shortest form (16, 1.2, 0.85).
    static QString valueText(double value) { return QString::number(value, 'g', 6); }

    // Items of the table. A fixed item is neither selectable nor editable.
    static QTableWidgetItem *fixedItem(const QString &text);
    void setFixed(int row, int column, const QString &text);
    void setValue(int row, int column, const QString &text);
    // "-" in a fixed item: the value does not apply.
    void setNotApplicable(int row, int column);
    bool isNotApplicable(int row, int column) const;
    // A delegate of the table guarding text by a pattern; an empty pattern
    // makes the cells read only.
    QAbstractItemDelegate *patternDelegate(const QString &pattern);
    QAbstractItemDelegate *patternDelegate(const InputPattern &pattern);

    QTableWidget *table() const { return m_table; }
    bool helpShown() const { return m_helpShown; }

    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

protected slots:
    // OK: reads the table back; on success stores the settings and accepts.
    void onAccepted();
    // Shows or hides the help text and grows or shrinks the dialog with it.
    void onDisplayText();

private:
    void showHelpState();
    void saveSettings() const;
    // A pattern delegate refused a finished edit: noted, and said once the
    // events in hand are done.
    void cellRefused(const QModelIndex &index, const QString &reason);
    void showRefusals();

    Settings::Dialog m_kind;
    QTableWidget *m_table = nullptr;
    QPushButton *m_helpButton = nullptr;
    QTextEdit *m_helpText = nullptr;
    int m_helpGrowth = 0;
    bool m_helpShown = true;
    QStringList m_refusals;
};
