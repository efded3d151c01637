#pragma once

// The dialog "桩身参数": the piles of a project. A single row shows its one
// pile in 8 rows; a double row shows the front pile, the back pile and the
// link beam in 20, each under a coloured heading, and a button that copies
// the front pile's values to the back pile. It edits copies of the three
// records; after OK the caller takes them (for a single row the back pile
// and the beam come back as they went in).

#include "dialogs/datadialog.h"
#include "model/records.h"

#include <memory>

namespace Ui {
class PileDialog;
}

class PileDialog : public DataDialog
{
    Q_OBJECT

public:
    // Rows of a pile, counted from its heading.
    enum PileRow {
        HeadingRow,
        LengthRow,
        GradeRow,
        SectionRow,
        DiameterRow, // round pile
        HeightRow, // square pile, down to WidthRow
        WidthRow,
        SupportRow,
        PileRows
    };
    // First rows of the blocks, and the link beam's rows.
    enum Block {
        FrontPileBlock = 0,
        BackPileBlock = PileRows,
        LinkBeamBlock = 2 * PileRows,
        BeamHeightRow,
        BeamWidthRow,
        BeamGradeRow,
        DoubleRowCount
    };

    PileDialog(const PileInfo &front, const PileInfo &back, const LinkBeamInfo &beam,
        qint32 pileForm, QWidget *parent = nullptr);
    ~PileDialog() override;

    // The edited records; changed only by an accepted OK.
    const PileInfo &frontPile() const { return m_front; }
    const PileInfo &backPile() const { return m_back; }
    const LinkBeamInfo &linkBeam() const { return m_beam; }

private slots:
    void onIndexChanged(int row, int col, int index);
    // "参数同前桩": the front pile's cells into the back pile's.
    void copyFrontToBack();

private:
    bool readBack(CellReader &in) override;
    Cell cellAfterReturn(int row, int column) const override;
    QString cellName(int row, int column) const override;

    bool doubleRow() const { return m_pileForm == DOUBLEROW; }
    void fillTable();
    void setHeading(int row, const QString &text);
    void fillPile(int first, const PileInfo &pile);
    // The size rows of a round or a square section; cells that already hold
    // a value keep it.
    void showSection(int first, bool round);
    void setUpDelegates(int first);
    void readPile(CellReader &in, int first, PileInfo &pile) const;

    std::unique_ptr<Ui::PileDialog> ui;
    PileInfo m_front;
    PileInfo m_back;
    LinkBeamInfo m_beam;
    qint32 m_pileForm;
};
