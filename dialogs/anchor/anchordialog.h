#pragma once

// The dialog "锚索（杆）数据": the anchor cables and bolts of a project, one
// table row per anchor, fixed to a pile or, in a double row, to the back
// pile or the link beam. The user sets the number of anchors, computes an
// anchor's stiffness on the spot, moves an anchor up and deletes one. Every
// anchor read back from the table gets its stiffness computed afresh. In a
// single-row project the anchors on the back pile or the beam have nothing
// to hold on to: the dialog leaves them out of its copy. After OK the caller
// takes the list whole.

#include "dialogs/listdialog.h"
#include "model/records.h"

#include <memory>

namespace Ui {
class AnchorDialog;
}

class AnchorDialog : public RecordListDialog<AnchorInfo>
{
    Q_OBJECT

public:
    // Columns of the table.
    enum Column {
        NumberColumn,
        TypeColumn, // cable or bolt
        ObjectColumn, // carrier
        BondColumn, // ground of the bond section
        CableNumColumn,
        CableDiamColumn,
        RodNumColumn,
        RodDiamColumn,
        FreeLengthColumn,
        BondLengthColumn,
        GroutColumn, // Dc in mm
        FrbkColumn, // bond strength between grout and ground, kPa
        PrestressColumn,
        PositionColumn,
        AngleColumn,
        StiffnessColumn,
        ButtonColumn,
        ColumnCount
    };

    AnchorDialog(const QList<AnchorInfo> &anchors, qint32 pileForm, QWidget *parent = nullptr);
    ~AnchorDialog() override;

    // The edited anchors; taken from the table by an accepted OK.
    const QList<AnchorInfo> &anchors() const { return records(); }

private slots:
    void onIndexChanged(int row, int col, int index);
    void onAnchorNumChanged(int count);

private:
    void fillRow(int row) override;
    void readRow(CellReader &in, int row, AnchorInfo &a) override;
    Cell cellAfterReturn(int row, int column) const override;

    void setUpColumns();
    // The strand cells (4, 5) or the bar cells (6, 7) apply by the type.
    void showSteelCells(int row, bool cable);
    void computeStiffness(int row);
    bool doubleRow() const { return m_pileForm == DOUBLEROW; }

    std::unique_ptr<Ui::AnchorDialog> ui;
    qint32 m_pileForm;
};
