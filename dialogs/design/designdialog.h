#pragma once

// The dialog "设计参数": the choices of the design checks (DesignInfo) as a
// table of labelled values: safety, reinforcement, ground, anchors and the
// displacement limits. It edits a copy of the record. Choosing safety class
// 1 fills γ0 with 1.1, another class with 1.0; the user may type another
// value after that. OK refuses values outside sense by the rules the input
// check uses, so a value the analysis would refuse never leaves the dialog.
// After OK the caller takes the copy whole.

#include "dialogs/datadialog.h"
#include "model/records.h"

#include <memory>

namespace Ui {
class DesignDialog;
}

class DesignDialog : public DataDialog
{
    Q_OBJECT

public:
    // Rows of the table.
    enum Row {
        SafetyRow,
        ServiceRow, // anchors permanent or temporary
        Gamma0Row,
        GammaFRow,
        MainBarRow,
        StirrupRow,
        BarDiamRow,
        StirrupDiamRow,
        LegsRow,
        CoverRow, // as
        KhRow,
        EtaRow,
        FpyRow,
        AnchorBarRow,
        GroutRow,
        TopRow,
        TopRatioRow,
        SlipRow,
        RowCount
    };

    // The piles and the beam of the project: `as` must stay below half of
    // each section the checks design.
    DesignDialog(const DesignInfo &design, const PileInfo &front, const PileInfo &back,
        const LinkBeamInfo &beam, qint32 pileForm, QWidget *parent = nullptr);
    ~DesignDialog() override;

    // The edited record; changed only by an accepted OK.
    const DesignInfo &design() const { return m_design; }

private slots:
    void onIndexChanged(int row, int column, int index);

private:
    bool readBack(CellReader &in) override;
    Cell cellAfterReturn(int row, int column) const override;
    QString cellName(int row, int column) const override;

    void fillTable();
    void setUpDelegates();

    std::unique_ptr<Ui::DesignDialog> ui;
    DesignInfo m_design;
    PileInfo m_front;
    PileInfo m_back;
    LinkBeamInfo m_beam;
    bool m_doubleRow;
    // The safety class the table shows: the combo announces its choice also
    // when its editor opens, which must not overwrite a typed γ0.
    qint16 m_shownGrade;
};
