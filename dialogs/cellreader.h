#pragma once

// Reads the cells of a data table back into a record. The delegates keep
// wrong keystrokes out, but a cell can still hold no number: left empty, a
// "-" of a value that did not apply, or text put there by a copy. Such a
// cell never becomes a 0 in the project. For a record that existed before
// the dialog opened the record keeps its value; for a record the dialog has
// just added there is no value to keep, so the cell is refused. A value the
// analysis cannot use (a size, thickness, modulus or spacing of 0 or less) is
// refused as well. Refusals are collected with the cell's name, so that the
// dialog can name them all in one message and write nothing.

#include <QCoreApplication>
#include <QStringList>

#include <functional>

class QTableWidget;

class CellReader
{
    Q_DECLARE_TR_FUNCTIONS(CellReader)

public:
    // Names a cell for a message, such as 第2行“厚度(m)”.
    using Naming = std::function<QString(int row, int column)>;

    CellReader(const QTableWidget *table, Naming naming);

    // The cell's text without surrounding blanks; empty when there is no
    // cell.
    QString text(int row, int column) const;

    // Whether the cells read from now on belong to a record the dialog has
    // just added (no earlier value to keep).
    void setNewRecord(bool isNew) { m_newRecord = isNew; }

    // Puts the cell's number, times scale, into value; true when it did. A
    // cell with no finite number leaves value alone (refused for a new
    // record).
    bool number(int row, int column, double &value, double scale = 1.0);
    // A whole number (a fraction is rounded).
    bool integer(int row, int column, qint32 &value);
    // As number, and a number of 0 or less is refused with value left alone.
    bool positive(int row, int column, double &value, double scale = 1.0);

    // A refusal that no single cell explains (values that make no sense
    // together), named in the same message as the cells.
    void addProblem(const QString &problem) { m_problems.append(problem); }

    bool hasProblems() const { return !m_problems.isEmpty(); }
    // One line per refused cell, in reading order.
    QStringList problems() const { return m_problems; }

private:
    // The cell's finite number, unscaled; false when it holds none.
    bool parse(int row, int column, double &number);
    void refuse(int row, int column, const QString &why);

    const QTableWidget *m_table;
    Naming m_naming;
    bool m_newRecord = false;
    QStringList m_problems;
};
