#pragma once

// What the three list dialogs (soil layers, anchors, additional forces) share
// beyond DataDialog: one table row per record, a spin box for the number of
// records, and buttons in each row (move up, delete, compute) bound to it.
//
// Their cells show numbers with one decimal (or none), fewer places than a
// project file may hold. A cell that still shows what the dialog wrote into
// it keeps the record's exact value, so that OK on an untouched table never
// rounds a number of the project. Before the number or order of the records
// changes, the table is read back as on OK; a refused cell stops the change
// with a message and the table stays as typed.

#include "dialogs/datadialog.h"

#include <QList>

#include <functional>

class QSpinBox;

class ListDialog : public DataDialog
{
    Q_OBJECT

protected:
    using DataDialog::DataDialog;

    // Gives the table its columns: they share the width, but for those
    // given a fixed width (column, pixels).
    void setColumns(const QStringList &headers, const QList<QPair<int, int>> &fixedWidths);

    // A button of a row: its icon, its tool tip and what it does to the row.
    struct RowButton
    {
        const char *icon;
        QString toolTip;
        std::function<void(int row)> action;
    };
    // Puts the buttons side by side into the cell, each bound to the row.
    void setRowButtons(int row, int column, const QList<RowButton> &buttons);

    // The text of a number cell: value / scale with `decimals` places, where
    // scale is the cell's unit in the record's unit (1000 for MPa over kPa,
    // 0.001 for mm over m).
    static QString shown(double value, double scale = 1.0, int decimals = 1);
    // Reads a number cell written by shown(value, scale, decimals) into
    // value. A cell that still shows that text keeps the exact value; any
    // other text is read through the CellReader.
    static void readNumber(
        CellReader &in, int row, int column, double &value, double scale = 1.0, int decimals = 1);
    // As readNumber; a changed value of 0 or less is refused.
    static void readPositive(
        CellReader &in, int row, int column, double &value, double scale = 1.0, int decimals = 1);

    // Reads the table into the records before their number or order changes;
    // when a cell is refused, says which and returns false.
    bool readTable();
    // Names the cells the reader refused in a warning.
    void warnRefused(const CellReader &in);

    // The spin box that shows and sets the number of records. It sets the
    // number when the typing is done: typing 12 must not pass through 1,
    // which would drop every record after the first.
    void setCountBox(QSpinBox *spin);
    // Shows the number in the spin box without announcing it.
    void showCount(int count);
    // Empties the table down to `count` blank rows and shows their number.
    void clearRows(int count);

    // The carrier of an anchor or a force as the tables name it: the single
    // pile "抗滑桩"; in a double row "前桩", "后桩", and "横梁" for any
    // other code. The choices follow the support form; read back, the
    // carrier of a single row is the pile.
    static QString carrierText(qint16 object, qint32 pileForm);
    static QStringList carrierChoices(qint32 pileForm);
    static qint16 carrierOf(const QString &text, qint32 pileForm);

private:
    QSpinBox *m_countBox = nullptr;
};

// A list dialog over records of one kind. It keeps the dialog's copy of the
// records, each marked when the dialog added it: an added record has no
// earlier values that an unusable cell could keep, so such a cell is refused.
// A dialog fills and reads one row; filling the table, reading it back and
// changing the number and order of the records are done here.
template <typename Record> class RecordListDialog : public ListDialog
{
public:
    // The edited records; taken from the table by an accepted OK.
    const QList<Record> &records() const { return m_records; }

protected:
    RecordListDialog(Settings::Dialog kind, const QList<Record> &records, QWidget *parent)
        : ListDialog(kind, parent)
        , m_records(records)
        , m_added(records.size(), false)
    { }

    int recordCount() const { return int(m_records.size()); }
    bool contains(int row) const { return row >= 0 && row < recordCount(); }
    const Record &record(int row) const { return m_records.at(row); }

    // Keeps only the records that pass the test, in their order.
    template <typename Test> void keepRecordsIf(Test test)
    {
        for (int i = recordCount() - 1; i >= 0; --i) {
            if (!test(m_records.at(i))) {
                m_records.removeAt(i);
                m_added.removeAt(i);
            }
        }
    }

    // Writes the record of the row into the table; reads it back, with the
    // CellReader told whether the dialog added the record.
    virtual void fillRow(int row) = 0;
    virtual void readRow(CellReader &in, int row, Record &record) = 0;

    // One row per record, and their number in the spin box.
    void fillTable()
    {
        clearRows(recordCount());
        for (int row = 0; row < recordCount(); ++row)
            fillRow(row);
    }

    bool readBack(CellReader &in) override
    {
        QList<Record> list = m_records;
        for (int row = 0; row < list.size(); ++row) {
            in.setNewRecord(m_added.at(row));
            readRow(in, row, list[row]);
        }
        if (in.hasProblems())
            return false;
        m_records = list;
        return true;
    }

    // Drops records from the end, or appends copies of `fresh`.
    void changeCount(int count, const Record &fresh = Record())
    {
        if (count == recordCount())
            return;
        if (count < 0 || !readTable()) {
            showCount(recordCount());
            return;
        }
        while (recordCount() > count) {
            m_records.removeLast();
            m_added.removeLast();
        }
        while (recordCount() < count) {
            m_records.append(fresh);
            m_added.append(true);
        }
        fillTable();
    }

    // Swaps the record with the one above it; the first stays.
    void moveUp(int row)
    {
        if (row <= 0 || row >= recordCount() || !readTable())
            return;
        m_records.swapItemsAt(row, row - 1);
        m_added.swapItemsAt(row, row - 1);
        fillTable();
    }

    // Deletes the record while more than `keep` remain.
    void remove(int row, int keep)
    {
        if (!contains(row) || recordCount() <= keep || !readTable())
            return;
        m_records.removeAt(row);
        m_added.removeAt(row);
        fillTable();
    }

private:
    QList<Record> m_records;
    QList<bool> m_added;
};
