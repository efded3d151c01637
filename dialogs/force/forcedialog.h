#pragma once

// The dialog "作用力数据": the additional forces of a project (point forces,
// distributed forces and moments per metre of slope width) on a pile or, in
// a double row, on the back pile or the link beam; one table row per force.
// The user sets the number of forces, moves a force up and deletes one. In a
// single-row project the forces on the back pile or the beam have nothing to
// act on: the dialog leaves them out of its copy. After OK the caller takes
// the list whole.

#include "dialogs/listdialog.h"
#include "model/records.h"

#include <memory>

namespace Ui {
class ForceDialog;
}

class ForceDialog : public RecordListDialog<ForceInfo>
{
    Q_OBJECT

public:
    // Columns of the table.
    enum Column {
        NumberColumn,
        TypeColumn,
        ObjectColumn, // carrier
        ForceColumn, // F of a point force
        Q1Column, // distributed force at its start
        Q2Column, // and at its end
        WidthColumn, // loaded length
        MomentColumn,
        PositionColumn,
        DirectionColumn,
        ButtonColumn,
        ColumnCount
    };

    ForceDialog(const QList<ForceInfo> &forces, qint32 pileForm, QWidget *parent = nullptr);
    ~ForceDialog() override;

    // The edited forces; taken from the table by an accepted OK.
    const QList<ForceInfo> &forces() const { return records(); }

private slots:
    void onForceNumChanged(int count);
    void onIndexChanged(int row, int column, int index);

private:
    void fillRow(int row) override;
    void readRow(CellReader &in, int row, ForceInfo &f) override;
    Cell cellAfterReturn(int row, int column) const override;

    void setUpColumns();
    // The cells of the force's kind take the record's values; the others
    // show "-".
    void showTypeCells(int row, qint16 type);
    // The kind whose cells the row shows now.
    qint16 shownType(int row) const;

    std::unique_ptr<Ui::ForceDialog> ui;
    qint32 m_pileForm;
};
