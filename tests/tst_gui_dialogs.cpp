// The basic-information and pile dialogs driven through their tables (cells
// typed through their delegates, choices made in the combo editors, OK
// pressed), and their commands in the main window.

#include "dialogtestsupport.h"
#include "guitestfixture.h"
#include "guitestsupport.h"

#include "app/mainwindow.h"
#include "dialogs/base/basedialog.h"
#include "dialogs/design/designdialog.h"
#include "dialogs/pile/piledialog.h"
#include "document/document.h"
#include "view/view.h"

#include <QAction>
#include <QTabWidget>
#include <QTextEdit>

namespace {

BaseInfo doubleRowBase()
{
    BaseInfo base;
    base.PileForm = DOUBLEROW;
    base.row = 5.0;
    base.slideFrontH = 7.0;
    base.dpel = -1.5;
    base.interact = INDEPENDENTK;
    return base;
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init() { openSettings().clear(); }

    void baseDialogSwitchesBetweenSingleAndDoubleRow()
    {
        BaseInfo record = doubleRowBase();
        record.PileForm = SINGLEROW;
        BaseDialog dialog(record);
        QTableWidget *t = tableOf(dialog, "tableBase");
        QCOMPARE(t->rowCount(), 15);
        QCOMPARE(cell(t, BaseDialog::SlideRow, 0), QStringLiteral("滑面深度(m)"));
        for (int row = BaseDialog::RowSpacingRow; row <= BaseDialog::InteractRow; ++row) {
            QCOMPARE(cell(t, row), QStringLiteral("-"));
            QVERIFY(!(t->item(row, 1)->flags() & Qt::ItemIsEditable));
        }

        choose(t, BaseDialog::FormRow, 1);
        QCOMPARE(cell(t, BaseDialog::SlideRow, 0), QStringLiteral("后桩滑面深度(m)"));
        QCOMPARE(cell(t, BaseDialog::RowSpacingRow), QStringLiteral("5"));
        QCOMPARE(cell(t, BaseDialog::FrontSlideRow), QStringLiteral("7"));
        QCOMPARE(cell(t, BaseDialog::OffsetRow), QStringLiteral("-1.5"));
        QCOMPARE(cell(t, BaseDialog::InteractRow), QStringLiteral("采用K值各自独立"));

        // Opening the form's editor again announces the choice once more; a
        // spacing typed since stays.
        type(t, BaseDialog::RowSpacingRow, QStringLiteral("6"));
        choose(t, BaseDialog::FormRow, 1);
        QCOMPARE(cell(t, BaseDialog::RowSpacingRow), QStringLiteral("6"));
        // Back to a single row and again to a double one: the record's values.
        choose(t, BaseDialog::FormRow, 0);
        QCOMPARE(cell(t, BaseDialog::RowSpacingRow), QStringLiteral("-"));
        choose(t, BaseDialog::FormRow, 1);
        QCOMPARE(cell(t, BaseDialog::RowSpacingRow), QStringLiteral("5"));

        type(t, BaseDialog::FrontSlideRow, QStringLiteral("8.5"));
        choose(t, BaseDialog::InteractRow, 0);
        pressOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.base().PileForm, DOUBLEROW);
        QCOMPARE(dialog.base().slideFrontH, 8.5);
        QCOMPARE(dialog.base().slideBackH, 6.0);
        QCOMPARE(dialog.base().interact, INTERACTES);

        // A single row has one sliding surface; the double-row settings stay.
        BaseDialog single(doubleRowBase());
        QTableWidget *s = tableOf(single, "tableBase");
        choose(s, BaseDialog::FormRow, 0);
        type(s, BaseDialog::SlideRow, QStringLiteral("9"));
        pressOk(single);
        QCOMPARE(single.base().PileForm, SINGLEROW);
        QCOMPARE(single.base().slideFrontH, 9.0);
        QCOMPARE(single.base().row, 5.0);
        QCOMPARE(single.base().dpel, -1.5);
        QCOMPARE(single.base().interact, INDEPENDENTK);
    }

    void baseDialogReadsBackThrustPercentAndRatio()
    {
        BaseInfo record;
        record.aforce = -350.0;
        record.reduceE = 0.85f;
        record.shape = DISTRECTANGLE;
        record.ratio = 1.7;
        BaseDialog dialog(record);
        QTableWidget *t = tableOf(dialog, "tableBase");
        QCOMPARE(cell(t, BaseDialog::ThrustRow), QStringLiteral("350"));
        QCOMPARE(cell(t, BaseDialog::ReduceRow), QStringLiteral("85"));
        QCOMPARE(cell(t, BaseDialog::RatioRow), QStringLiteral("-"));

        // 69, 101 and 85.5 are no percentages the field takes: each is
        // refused as typed, and the message names the cell and the values.
        PromptRecorder prompts;
        for (const char *typed : {"69", "101", "85.5"}) {
            type(t, BaseDialog::ReduceRow, QLatin1String(typed));
            QCOMPARE(cell(t, BaseDialog::ReduceRow), QStringLiteral("85"));
        }
        QCOMPARE(prompts.warnings.size(), 3);
        QVERIFY2(prompts.warnings[2].contains(
                     QStringLiteral("“桩刚度折减系数(%)”：“85.5”不可用（应为70~100的整数）")),
            qPrintable(prompts.warnings[2]));
        pressOk(dialog);
        QCOMPARE(dialog.base().aforce, -350.0);
        QCOMPARE(dialog.base().reduceE, 0.85f);
        // Not a trapezoid: the stored ratio is kept.
        QCOMPARE(dialog.base().shape, DISTRECTANGLE);
        QCOMPARE(dialog.base().ratio, 1.7);

        BaseDialog trapezoid(record);
        t = tableOf(trapezoid, "tableBase");
        type(t, BaseDialog::ThrustRow, QStringLiteral("480"));
        type(t, BaseDialog::ReduceRow, QStringLiteral("100"));
        choose(t, BaseDialog::ShapeRow, 2);
        QCOMPARE(cell(t, BaseDialog::RatioRow), QStringLiteral("1.7"));
        t->item(BaseDialog::RatioRow, 1)->setData(Qt::EditRole, 0.4);
        pressOk(trapezoid);
        QCOMPARE(trapezoid.base().aforce, -480.0);
        QCOMPARE(trapezoid.base().reduceE, 1.0f);
        QCOMPARE(trapezoid.base().shape, DISTTRAPEZOID);
        QCOMPARE(trapezoid.base().ratio, 0.4);
    }

    // A cell without a number keeps the record's value instead of reaching
    // the project as 0; a value the analysis cannot use is refused with a
    // message naming it, and nothing of that OK is written.
    void emptyCellsKeepTheirValueAndUnusableOnesAreRefused()
    {
        PromptRecorder prompts;
        BaseInfo record = doubleRowBase();
        BaseDialog dialog(record);
        QTableWidget *t = tableOf(dialog, "tableBase");
        t->item(BaseDialog::CutRow, 1)->setText(QString());
        t->item(BaseDialog::ThrustRow, 1)->setText(QStringLiteral("-"));
        type(t, BaseDialog::ResistanceRow, QStringLiteral("120"));
        t->item(BaseDialog::SpaceRow, 1)->setText(QStringLiteral("0"));
        t->item(BaseDialog::RowSpacingRow, 1)->setText(QStringLiteral("-2"));
        pressOk(dialog);
        QVERIFY(dialog.result() != QDialog::Accepted);
        QCOMPARE(prompts.warnings.size(), 1);
        QVERIFY2(prompts.warnings[0].contains(QStringLiteral("“桩中心间距(m)”：数值必须大于0"))
                && prompts.warnings[0].contains(QStringLiteral("“前后排桩中心距(m)”")),
            qPrintable(prompts.warnings[0]));
        QCOMPARE(dialog.base().pforce, record.pforce);

        type(t, BaseDialog::SpaceRow, QStringLiteral("2.5"));
        type(t, BaseDialog::RowSpacingRow, QStringLiteral("4.5"));
        pressOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(prompts.warnings.size(), 1);
        QCOMPARE(dialog.base().cutH, record.cutH);
        QCOMPARE(dialog.base().aforce, record.aforce);
        QCOMPARE(dialog.base().pforce, 120.0);
        QCOMPARE(dialog.base().space, 2.5);

        // The same in the pile dialog, where the labels repeat per pile.
        PileInfo front;
        PileInfo back;
        back.shp = SECTSQUARE;
        PileDialog piles(front, back, LinkBeamInfo(), DOUBLEROW);
        QTableWidget *p = tableOf(piles, "tablePile");
        p->item(PileDialog::LengthRow, 1)->setText(QString());
        p->item(PileDialog::BackPileBlock + PileDialog::WidthRow, 1)->setText(QStringLiteral("0"));
        pressOk(piles);
        QVERIFY(piles.result() != QDialog::Accepted);
        QVERIFY2(prompts.warnings.last().contains(
                     QStringLiteral("抗滑桩(后桩)参数 “方桩宽度(m)”：数值必须大于0")),
            qPrintable(prompts.warnings.last()));
        type(p, PileDialog::BackPileBlock + PileDialog::WidthRow, QStringLiteral("1.2"));
        pressOk(piles);
        QCOMPARE(piles.result(), int(QDialog::Accepted));
        QCOMPARE(piles.frontPile().length, front.length);
        QCOMPARE(piles.backPile().width, 1.2);
    }

    // Class 1 suggests γ0 = 1.1, the others 1.0, and the user may type
    // another value; values outside sense never leave the dialog.
    void designDialogSuggestsGamma0AndRefusesNonsense()
    {
        PromptRecorder prompts;
        DesignInfo record;
        record.gamma0 = 1.05;
        DesignDialog dialog(record, PileInfo(), PileInfo(), LinkBeamInfo(), SINGLEROW);
        QTableWidget *t = tableOf(dialog, "tableDesign");
        QCOMPARE(cell(t, DesignDialog::SafetyRow), QStringLiteral("二级"));
        QCOMPARE(cell(t, DesignDialog::MainBarRow), QStringLiteral("HRB400"));
        QCOMPARE(cell(t, DesignDialog::GroutRow), QStringLiteral("M30"));
        // Opening the class's editor on the class it shows changes nothing.
        choose(t, DesignDialog::SafetyRow, 1);
        QCOMPARE(cell(t, DesignDialog::Gamma0Row), QStringLiteral("1.05"));
        choose(t, DesignDialog::SafetyRow, 0);
        QCOMPARE(cell(t, DesignDialog::Gamma0Row), QStringLiteral("1.1"));
        type(t, DesignDialog::Gamma0Row, QStringLiteral("1.15"));
        choose(t, DesignDialog::SafetyRow, 0);
        QCOMPARE(cell(t, DesignDialog::Gamma0Row), QStringLiteral("1.15"));
        choose(t, DesignDialog::SafetyRow, 2);
        QCOMPARE(cell(t, DesignDialog::Gamma0Row), QStringLiteral("1"));

        // The pile is 1.2 m across: as must stay below 0.6 m; γ0 at most 3.
        type(t, DesignDialog::Gamma0Row, QStringLiteral("3.5"));
        pressOk(dialog);
        QVERIFY(dialog.result() != QDialog::Accepted);
        QVERIFY2(prompts.warnings.value(0).contains(QStringLiteral("γ0须大于0且不大于3")),
            qPrintable(prompts.warnings.value(0)));
        type(t, DesignDialog::Gamma0Row, QStringLiteral("1"));
        type(t, DesignDialog::CoverRow, QStringLiteral("0.6"));
        t->item(DesignDialog::SlipRow, 1)->setText(QStringLiteral("0"));
        pressOk(dialog);
        QVERIFY(dialog.result() != QDialog::Accepted);
        QVERIFY2(prompts.warnings.value(1).contains(
                     QStringLiteral("“滑面处位移限值(m)”：数值必须大于0")),
            qPrintable(prompts.warnings.value(1)));
        t->item(DesignDialog::SlipRow, 1)->setText(QString()); // keeps 0.01
        pressOk(dialog);
        QVERIFY(dialog.result() != QDialog::Accepted);
        QVERIFY2(prompts.warnings.value(2).contains(QStringLiteral("as须小于桩截面高度的一半")),
            qPrintable(prompts.warnings.value(2)));
        QCOMPARE(dialog.design().gamma0, 1.05);

        type(t, DesignDialog::CoverRow, QStringLiteral("0.1"));
        choose(t, DesignDialog::MainBarRow, 2);
        choose(t, DesignDialog::ServiceRow, 1);
        type(t, DesignDialog::BarDiamRow, QStringLiteral("25"));
        pressOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const DesignInfo &d = dialog.design();
        QCOMPARE(d.grade, qint16(3));
        QCOMPARE(d.permanent, qint16(0));
        QCOMPARE(d.gamma0, 1.0);
        QCOMPARE(d.as, 0.1);
        QCOMPARE(d.rebarMain, qint16(500));
        QCOMPARE(d.rebarDiam, 25.0);
        QCOMPARE(d.limitSlip, record.limitSlip);
        QCOMPARE(d.fpy, record.fpy);
    }

    // Section sizes of 0 and pile lengths outside 5 to 60 are refused as
    // typed, never trimmed into another number (4.9 is not 49), and said.
    void pileCellsTakeOnlyUsableSizes()
    {
        PromptRecorder prompts;
        PileDialog dialog(PileInfo(), PileInfo(), LinkBeamInfo(), SINGLEROW);
        QTableWidget *t = tableOf(dialog, "tablePile");
        const int length = PileDialog::LengthRow;
        const int diameter = PileDialog::DiameterRow;
        const QString before = cell(t, length);
        for (const char *refused : {"4.9", "60.5"}) {
            type(t, length, QLatin1String(refused));
            QCOMPARE(cell(t, length), before);
        }
        QCOMPARE(prompts.warnings.size(), 2);
        QVERIFY2(
            prompts.warnings[0].contains(QStringLiteral("“4.9”不可用（应为5~60，最多一位小数）")),
            qPrintable(prompts.warnings[0]));
        type(t, length, QStringLiteral("60"));
        QCOMPARE(cell(t, length), QStringLiteral("60"));
        type(t, length, QStringLiteral("5"));
        QCOMPARE(cell(t, length), QStringLiteral("5"));
        for (const char *refused : {"0", "0.0", "0.2", "6"}) {
            type(t, diameter, QLatin1String(refused));
            QCOMPARE(cell(t, diameter), QStringLiteral("1.2"));
        }
        type(t, diameter, QStringLiteral("0.8"));
        QCOMPARE(cell(t, diameter), QStringLiteral("0.8"));
    }

    void pileDialogRowsSectionsAndCopyToTheBackPile()
    {
        PileInfo front;
        front.grade = 45; // from a file: no grade the list offers
        front.support = SUPPORTFREE;
        PileInfo back;
        back.length = 12.0;
        back.shp = SECTSQUARE;
        back.height = 2.0;
        back.width = 1.6;
        LinkBeamInfo beam;
        beam.grade = 30;

        PileDialog single(front, back, beam, SINGLEROW);
        QTableWidget *s = tableOf(single, "tablePile");
        QCOMPARE(s->rowCount(), 8);
        QCOMPARE(cell(s, 0, 0), QStringLiteral("抗滑桩参数"));
        QCOMPARE(cell(s, PileDialog::GradeRow), QStringLiteral("C45"));
        type(s, PileDialog::LengthRow, QStringLiteral("18"));
        pressOk(single);
        QCOMPARE(single.frontPile().length, 18.0);
        // A grade nobody chose stays as it was.
        QCOMPARE(single.frontPile().grade, qint16(45));
        QCOMPARE(single.backPile().length, 12.0);
        QCOMPARE(single.backPile().shp, SECTSQUARE);

        PileDialog dialog(front, back, beam, DOUBLEROW);
        QTableWidget *t = tableOf(dialog, "tablePile");
        QCOMPARE(t->rowCount(), 20);
        for (int heading : {0, 8, 16})
            QCOMPARE(t->item(heading, 0)->background().color(), QColor(36, 161, 254, 50));
        QCOMPARE(cell(t, PileDialog::LinkBeamBlock + 3), QStringLiteral("C30"));

        // Round front pile: diameter shown; square: the stored H and W.
        QCOMPARE(cell(t, PileDialog::HeightRow), QStringLiteral("-"));
        choose(t, PileDialog::SectionRow, 1);
        QCOMPARE(cell(t, PileDialog::DiameterRow), QStringLiteral("-"));
        QCOMPARE(cell(t, PileDialog::HeightRow), QStringLiteral("1.5"));
        QCOMPARE(cell(t, PileDialog::WidthRow), QStringLiteral("1"));
        type(t, PileDialog::HeightRow, QStringLiteral("1.8"));
        choose(t, PileDialog::SectionRow, 1);
        QCOMPARE(cell(t, PileDialog::HeightRow), QStringLiteral("1.8"));

        const int b = PileDialog::BackPileBlock;
        type(t, PileDialog::LengthRow, QStringLiteral("18"));
        choose(t, PileDialog::GradeRow, 4);
        t->findChild<QPushButton *>(QStringLiteral("buttonSameAsFront"))->click();
        QCOMPARE(cell(t, b + PileDialog::LengthRow), QStringLiteral("18"));
        QCOMPARE(cell(t, b + PileDialog::GradeRow), QStringLiteral("C40"));
        QCOMPARE(cell(t, b + PileDialog::SectionRow), QStringLiteral("方桩"));
        QCOMPARE(cell(t, b + PileDialog::DiameterRow), QStringLiteral("-"));
        QCOMPARE(cell(t, b + PileDialog::HeightRow), QStringLiteral("1.8"));
        QCOMPARE(cell(t, b + PileDialog::SupportRow), QStringLiteral("自由"));
        QVERIFY(t->item(b + PileDialog::HeightRow, 1)->flags() & Qt::ItemIsEditable);
        QCOMPARE(dialog.backPile().length, 12.0);

        choose(t, PileDialog::LinkBeamBlock + 3, 0);
        type(t, PileDialog::LinkBeamBlock + 1, QStringLiteral("1.2"));
        pressOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.backPile().length, 18.0);
        QCOMPARE(dialog.backPile().grade, qint16(40));
        QCOMPARE(dialog.backPile().shp, SECTSQUARE);
        QCOMPARE(dialog.backPile().height, 1.8);
        QCOMPARE(dialog.backPile().width, 1.0);
        QCOMPARE(dialog.backPile().support, SUPPORTFREE);
        QCOMPARE(dialog.frontPile().shp, SECTSQUARE);
        QCOMPARE(dialog.frontPile().diameter, 1.2);
        QCOMPARE(dialog.linkBeam().grade, qint16(20));
        QCOMPARE(dialog.linkBeam().height, 1.2);
    }

    // Escape and Return never close a dialog; Return walks down the values.
    // The help text toggles and the dialog keeps its size and help state
    // when closed by OK or its title bar, not by Cancel.
    void keysHelpAndStoredState()
    {
        QWidget window;
        window.setGeometry(100, 100, 900, 700);
        window.show();
        openSettings().setValue(QStringLiteral("basedlgtxt"), false);
        {
            BaseDialog dialog(BaseInfo(), &window);
            auto *help = dialog.findChild<QTextEdit *>(QStringLiteral("textBase"));
            auto *toggle = dialog.findChild<QPushButton *>(QStringLiteral("buttonText"));
            QCOMPARE(toggle->text(), QStringLiteral("显示说明"));
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QVERIFY(!help->isVisible());
            const int height = dialog.height();
            toggle->click();
            QVERIFY(help->isVisible());
            QCOMPARE(toggle->text(), QStringLiteral("隐藏说明"));
            QCOMPARE(dialog.height(), height + 175);

            QTableWidget *t = tableOf(dialog, "tableBase");
            QApplication::setActiveWindow(&dialog);
            t->setFocus();
            QVERIFY(QTest::qWaitFor([t] { return t->hasFocus(); }));
            t->setCurrentCell(BaseDialog::CutRow, 1);
            QTest::keyClick(t, Qt::Key_Return);
            QCOMPARE(t->currentRow(), int(BaseDialog::ThrustRow));
            t->setCurrentCell(BaseDialog::ReduceRow, 1);
            QTest::keyClick(t, Qt::Key_Enter);
            QCOMPARE(t->currentRow(), int(BaseDialog::ReduceRow));
            QTest::keyClick(t, Qt::Key_Escape);
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QTest::keyClick(&dialog, Qt::Key_Return);
            auto *ok = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
            ok->setFocus();
            QTest::keyClick(ok, Qt::Key_Return);
            QVERIFY(dialog.isVisible());

            dialog.resize(400, 600);
            dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
            QVERIFY(!openSettings().contains(QStringLiteral("basedlg1")));
            QCOMPARE(openSettings().value(QStringLiteral("basedlgtxt")).toBool(), false);

            dialog.show();
            dialog.close();
            QCOMPARE(
                openSettings().value(QStringLiteral("basedlg1")).toRect().size(), QSize(400, 600));
            QCOMPARE(openSettings().value(QStringLiteral("basedlgtxt")).toBool(), true);
        }
        // The next one opens at that size, over the middle of the window.
        BaseDialog again(BaseInfo(), &window);
        QCOMPARE(again.size(), QSize(400, 600));
        QCOMPARE(again.geometry().center(), window.geometry().center());
        QVERIFY(!again.findChild<QTextEdit *>()->isHidden());

        PileDialog piles(PileInfo(), PileInfo(), LinkBeamInfo(), DOUBLEROW, &window);
        piles.resize(330, 640);
        pressOk(piles);
        QCOMPARE(openSettings().value(QStringLiteral("piledlg")).toRect().size(), QSize(330, 640));
    }

    // The commands write an accepted dialog back through the Document, which
    // derives the rest; Cancel leaves the project as it was.
    void commandsWriteBackOnlyWhatWasAccepted()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.findChild<QAction *>(QStringLiteral("actNew"))->trigger();
        Document *doc = window.currentView()->document();
        QVERIFY(!doc->isModified());
        const BaseInfo before = doc->project().base;

        whenModal([](QDialog &dialog) {
            QCOMPARE(dialog.objectName(), QStringLiteral("BaseDialog"));
            type(tableOf(dialog, "tableBase"), BaseDialog::SlideRow, QStringLiteral("9"));
            dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
        });
        window.findChild<QAction *>(QStringLiteral("actBase"))->trigger();
        QCOMPARE(doc->project().base.slideBackH, before.slideBackH);
        QVERIFY(!doc->isModified());

        whenModal([](QDialog &dialog) {
            QTableWidget *t = tableOf(dialog, "tableBase");
            choose(t, BaseDialog::FormRow, 1);
            type(t, BaseDialog::SlideRow, QStringLiteral("9"));
            type(t, BaseDialog::RowSpacingRow, QStringLiteral("6"));
            pressOk(dialog);
        });
        window.findChild<QAction *>(QStringLiteral("actBase"))->trigger();
        QCOMPARE(doc->project().base.PileForm, DOUBLEROW);
        QCOMPARE(doc->project().base.slideBackYg, -9.0);
        QCOMPARE(doc->project().backPile.topXg, 6.0);
        QVERIFY(doc->isModified());
        QVERIFY(window.tabWidget()->tabText(window.tabWidget()->currentIndex()).endsWith('*'));

        whenModal([](QDialog &dialog) {
            QCOMPARE(dialog.objectName(), QStringLiteral("PileDialog"));
            QTableWidget *t = tableOf(dialog, "tablePile");
            QCOMPARE(t->rowCount(), 20);
            type(t, PileDialog::BackPileBlock + PileDialog::LengthRow, QStringLiteral("20"));
            type(t, PileDialog::BeamHeightRow, QStringLiteral("1.5"));
            pressOk(dialog);
        });
        window.findChild<QAction *>(QStringLiteral("actPile"))->trigger();
        QCOMPARE(doc->project().backPile.length, 20.0);
        QCOMPARE(doc->project().backPile.bottomYg, -20.0);
        QCOMPARE(doc->project().linkBeam.height, 1.5);
        QCOMPARE(doc->project().linkBeam.area, 1.4 * 1.5);

        // The design data: Cancel changes nothing, OK is one change.
        QSignalSpy changes(doc, &Document::dataChanged);
        whenModal([](QDialog &dialog) {
            QCOMPARE(dialog.objectName(), QStringLiteral("DesignDialog"));
            type(tableOf(dialog, "tableDesign"), DesignDialog::BarDiamRow, QStringLiteral("25"));
            dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
        });
        window.findChild<QAction *>(QStringLiteral("actDesign"))->trigger();
        QCOMPARE(doc->project().design.rebarDiam, 32.0);
        QCOMPARE(changes.count(), 0);
        whenModal([](QDialog &dialog) {
            QTableWidget *t = tableOf(dialog, "tableDesign");
            type(t, DesignDialog::BarDiamRow, QStringLiteral("28"));
            type(t, DesignDialog::GammaFRow, QStringLiteral("1.3"));
            pressOk(dialog);
        });
        window.findChild<QAction *>(QStringLiteral("actDesign"))->trigger();
        QCOMPARE(doc->project().design.rebarDiam, 28.0);
        QCOMPARE(doc->project().design.gammaF, 1.3);
        QCOMPARE(changes.count(), 1);
    }
};

RIDEZU_GUI_TEST_MAIN(TestDialogs)
#include "tst_gui_dialogs.moc"
