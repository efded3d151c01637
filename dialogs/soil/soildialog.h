#pragma once

// The dialog "岩土层数据": the project's soil and rock layers, top layer
// first, one table row per layer. The user sets the number of layers, moves
// a layer up, deletes one, and computes a layer's m value from its c and φ.
// Es, m, K and the rock strength frk are shown in MPa, MN/m⁴, MN/m³ and
// MPa. The dialog edits a copy of the list; after OK the caller takes it
// whole.

#include "dialogs/listdialog.h"
#include "model/records.h"

#include <memory>

namespace Ui {
class SoilDialog;
}

class SoilDialog : public RecordListDialog<SoilInfo>
{
    Q_OBJECT

public:
    // Columns of the table.
    enum Column {
        NumberColumn,
        NameColumn,
        ThicknessColumn,
        WeightColumn, // unit weight γ
        CohesionColumn, // c
        FrictionColumn, // φ
        MethodColumn,
        MColumn,
        KColumn,
        EsColumn,
        FrkColumn, // rock strength frk, MPa; 0 for a soil
        ButtonColumn,
        ColumnCount
    };

    SoilDialog(const QList<SoilInfo> &soils, QWidget *parent = nullptr);
    ~SoilDialog() override;

    // The edited layers; taken from the table by an accepted OK.
    const QList<SoilInfo> &soils() const { return records(); }

private slots:
    void onSoilNumChanged(int count);
    void onIndexChanged(int row, int column, int index);

private:
    void fillRow(int row) override;
    void readRow(CellReader &in, int row, SoilInfo &s) override;
    Cell cellAfterReturn(int row, int column) const override;

    void setUpColumns();
    // Column 7 (m) or 8 (K) applies by the method; the other shows "-".
    void showMethodCells(int row, bool methodM);
    void computeM(int row);

    std::unique_ptr<Ui::SoilDialog> ui;
};
