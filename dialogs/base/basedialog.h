#pragma once

// The dialog "基础信息": the project's basic information (BaseInfo) as a
// table of fifteen labelled values. It edits a copy of the record; the rows
// that belong to a double row only show "-" for a single row, and the
// trapezoid ratio only applies to a trapezoid. After OK the caller takes the
// copy whole.

#include "dialogs/datadialog.h"
#include "model/records.h"

#include <memory>

namespace Ui {
class BaseDialog;
}

class BaseDialog : public DataDialog
{
    Q_OBJECT

public:
    // Rows of the table.
    enum Row {
        NameRow,
        FormRow,
        SlideRow, // the single pile's, or the back pile's sliding surface
        CutRow,
        ThrustRow,
        ResistanceRow,
        ShapeRow,
        RatioRow, // trapezoid q1/q2
        SpaceRow,
        RowSpacingRow, // double row only, down to InteractRow
        FrontSlideRow,
        OffsetRow,
        InteractRow,
        BaseRatioRow, // m/m0 at a free pile base
        ReduceRow, // stiffness reduction in percent
        RowCount
    };

    BaseDialog(const BaseInfo &base, QWidget *parent = nullptr);
    ~BaseDialog() override;

    // The edited record; changed only by an accepted OK.
    const BaseInfo &base() const { return m_base; }

private slots:
    void onIndexChanged(int row, int col, int index);

private:
    bool readBack(CellReader &in) override;
    Cell cellAfterReturn(int row, int column) const override;
    QString cellName(int row, int column) const override;

    void fillTable();
    void setUpDelegates();
    // The rows of a double row from the record, or "-" for a single row.
    // Cells that already hold a value keep it.
    void showDoubleRowCells(bool doubleRow);
    void showRatioCell(bool trapezoid);

    std::unique_ptr<Ui::BaseDialog> ui;
    BaseInfo m_base;
};
