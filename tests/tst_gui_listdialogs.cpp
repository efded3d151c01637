// The soil, anchor and force dialogs driven through their tables (cells
// typed through their delegates, choices made in the combo editors, row
// buttons and OK pressed), and their commands in the main window.

#include "dialogtestsupport.h"
#include "guitestfixture.h"
#include "guitestsupport.h"

#include "app/mainwindow.h"
#include "dialogs/anchor/anchordialog.h"
#include "dialogs/force/forcedialog.h"
#include "dialogs/soil/soildialog.h"
#include "document/document.h"
#include "view/view.h"

#include <QAction>
#include <QSpinBox>

#include <cmath>

namespace {

QSpinBox *spinOf(QDialog &dialog, const char *name)
{
    return dialog.findChild<QSpinBox *>(QLatin1String(name));
}

QList<SoilInfo> threeLayers()
{
    QList<SoilInfo> soils;
    for (const char *name : {"填土", "粉质黏土", "中风化泥岩"}) {
        SoilInfo s;
        s.Name = QString::fromUtf8(name);
        s.thickness = 4.0 + soils.size();
        soils << s;
    }
    return soils;
}

} // namespace

class TestListDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init() { openSettings().clear(); }

    void soilCountKeepsEditsAndRowButtonsKeepTheirLimits()
    {
        SoilDialog dialog(threeLayers());
        QTableWidget *t = tableOf(dialog, "tableSoil");
        QSpinBox *spin = spinOf(dialog, "spinSoilNum");
        QCOMPARE(spin->value(), 3);
        type(t, 0, QStringLiteral("杂填土"), SoilDialog::NameColumn);
        type(t, 1, QStringLiteral("7.5"), SoilDialog::ThicknessColumn);
        type(t, 2, QStringLiteral("22"), SoilDialog::EsColumn);

        spin->setValue(5);
        QCOMPARE(t->rowCount(), 5);
        QCOMPARE(cell(t, 0, SoilDialog::NameColumn), QStringLiteral("杂填土"));
        QCOMPARE(cell(t, 1, SoilDialog::ThicknessColumn), QStringLiteral("7.5"));
        QCOMPARE(cell(t, 2, SoilDialog::EsColumn), QStringLiteral("22.0"));
        QCOMPARE(cell(t, 4, SoilDialog::NameColumn), QStringLiteral("岩土层1"));
        QCOMPARE(cell(t, 4, SoilDialog::ThicknessColumn), QStringLiteral("10.0"));
        QCOMPARE(cell(t, 4, SoilDialog::MColumn), QStringLiteral("7.5"));
        QCOMPARE(cell(t, 4, SoilDialog::KColumn), QStringLiteral("-"));
        spin->setValue(3);
        QCOMPARE(t->rowCount(), 3);

        // The first layer cannot move up; the third swaps with the second.
        pressRowButton(t, 0, SoilDialog::ButtonColumn, QStringLiteral("上移"));
        QCOMPARE(cell(t, 0, SoilDialog::NameColumn), QStringLiteral("杂填土"));
        pressRowButton(t, 2, SoilDialog::ButtonColumn, QStringLiteral("上移"));
        QCOMPARE(cell(t, 1, SoilDialog::NameColumn), QStringLiteral("中风化泥岩"));
        QCOMPARE(cell(t, 2, SoilDialog::ThicknessColumn), QStringLiteral("7.5"));
        QCOMPARE(cell(t, 2, SoilDialog::NumberColumn), QStringLiteral("3"));
        pressRowButton(t, 0, SoilDialog::ButtonColumn, QStringLiteral("删除"));
        QCOMPARE(spin->value(), 2);

        pressOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.soils().size(), 2);
        QCOMPARE(dialog.soils()[0].Name, QStringLiteral("中风化泥岩"));
        QCOMPARE(dialog.soils()[0].Es, 22000.0);
        QCOMPARE(dialog.soils()[1].thickness, 7.5);

        // The only layer cannot be deleted.
        SoilDialog one({SoilInfo()});
        pressRowButton(
            tableOf(one, "tableSoil"), 0, SoilDialog::ButtonColumn, QStringLiteral("删除"));
        QCOMPARE(tableOf(one, "tableSoil")->rowCount(), 1);
    }

    void soilMethodSwitchAndComputedM()
    {
        PromptRecorder prompts;
        SoilInfo layer;
        layer.m = 5000.0;
        layer.k = 20000.0;
        SoilDialog dialog({layer, layer});
        QTableWidget *t = tableOf(dialog, "tableSoil");
        type(t, 0, QStringLiteral("15"), SoilDialog::CohesionColumn);
        type(t, 0, QStringLiteral("20"), SoilDialog::FrictionColumn);
        pressRowButton(t, 0, SoilDialog::ButtonColumn, QStringLiteral("计算m"));
        QCOMPARE(cell(t, 0, SoilDialog::MColumn), QStringLiteral("7.5"));

        // The K method shows the stored K and computes nothing; back to the
        // m method the stored m returns, not the one computed before.
        choose(t, 0, 1, SoilDialog::MethodColumn);
        QCOMPARE(cell(t, 0, SoilDialog::MColumn), QStringLiteral("-"));
        QCOMPARE(cell(t, 0, SoilDialog::KColumn), QStringLiteral("20.0"));
        pressRowButton(t, 0, SoilDialog::ButtonColumn, QStringLiteral("计算m"));
        QCOMPARE(cell(t, 0, SoilDialog::MColumn), QStringLiteral("-"));
        // Opening the method's editor again keeps the K just typed.
        type(t, 0, QStringLiteral("30"), SoilDialog::KColumn);
        choose(t, 0, 1, SoilDialog::MethodColumn);
        QCOMPARE(cell(t, 0, SoilDialog::KColumn), QStringLiteral("30"));
        choose(t, 0, 0, SoilDialog::MethodColumn);
        QCOMPARE(cell(t, 0, SoilDialog::MColumn), QStringLiteral("5.0"));
        pressRowButton(t, 0, SoilDialog::ButtonColumn, QStringLiteral("计算m"));

        // Without cohesion and with little friction the formula gives a
        // negative m: it is not written.
        type(t, 1, QStringLiteral("0"), SoilDialog::CohesionColumn);
        type(t, 1, QStringLiteral("2.5"), SoilDialog::FrictionColumn);
        pressRowButton(t, 1, SoilDialog::ButtonColumn, QStringLiteral("计算m"));
        QCOMPARE(prompts.warnings.size(), 1);
        QCOMPARE(cell(t, 1, SoilDialog::MColumn), QStringLiteral("5.0"));

        pressOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.soils()[0].type, METHODM);
        QCOMPARE(dialog.soils()[0].m, 7500.0);
        QCOMPARE(dialog.soils()[0].k, 20000.0);
        QCOMPARE(dialog.soils()[1].m, 5000.0);
    }

    // A cell without a number never reaches the layer as 0, an untouched cell
    // never rounds the layer's value, and an Es of 0 is refused.
    void soilReadBackKeepsValuesAndRefusesUnusableOnes()
    {
        PromptRecorder prompts;
        SoilInfo layer;
        layer.thickness = 12.34;
        layer.Es = 10550.0;
        layer.m = 5725.8;
        SoilDialog dialog({layer});
        QTableWidget *t = tableOf(dialog, "tableSoil");
        QCOMPARE(cell(t, 0, SoilDialog::ThicknessColumn), QStringLiteral("12.3"));
        t->item(0, SoilDialog::CohesionColumn)->setText(QString());
        spinOf(dialog, "spinSoilNum")->setValue(2);
        QCOMPARE(cell(t, 0, SoilDialog::CohesionColumn), QStringLiteral("15.0"));

        t->item(1, SoilDialog::ThicknessColumn)->setText(QString());
        type(t, 1, QStringLiteral("0"), SoilDialog::EsColumn);
        pressOk(dialog);
        QVERIFY(dialog.result() != QDialog::Accepted);
        QCOMPARE(prompts.warnings.size(), 1);
        QVERIFY2(prompts.warnings[0].contains(QStringLiteral("第2行“厚度(m)”：请填写数值"))
                && prompts.warnings[0].contains(
                    QStringLiteral("第2行“压缩模量Es(MPa)”：数值必须大于0")),
            qPrintable(prompts.warnings[0]));
        QCOMPARE(dialog.soils()[1].thickness, 10.0);
        QCOMPARE(dialog.soils()[1].Es, 10000.0);

        type(t, 1, QStringLiteral("3"), SoilDialog::ThicknessColumn);
        type(t, 1, QStringLiteral("30"), SoilDialog::EsColumn);
        type(t, 1, QStringLiteral("12.5"), SoilDialog::FrkColumn); // rock, in MPa
        pressOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const SoilInfo &kept = dialog.soils()[0];
        QCOMPARE(kept.thickness, 12.34);
        QCOMPARE(kept.Es, 10550.0);
        QCOMPARE(kept.m, 5725.8);
        QCOMPARE(kept.c, layer.c);
        QCOMPARE(dialog.soils()[1].thickness, 3.0);
        QCOMPARE(dialog.soils()[1].Es, 30000.0);
        QCOMPARE(dialog.soils()[1].frk, 12500.0);
        QCOMPARE(kept.frk, 0.0);
    }

    void anchorStiffnessAndSingleRowCarriers()
    {
        AnchorInfo beam;
        beam.object = OBJBEAM;
        beam.distance = 2.0;
        AnchorInfo back;
        back.object = OBJBACKPILE;
        const QList<AnchorInfo> anchors = {AnchorInfo(), beam, back};

        // A single row has no beam and no back pile to hold those anchors.
        AnchorDialog single(anchors, SINGLEROW);
        QTableWidget *s = tableOf(single, "tableAnchor");
        QCOMPARE(s->rowCount(), 1);
        QCOMPARE(cell(s, 0, AnchorDialog::ObjectColumn), QStringLiteral("抗滑桩"));
        pressRowButton(s, 0, AnchorDialog::ButtonColumn, QStringLiteral("计算刚度"));
        QCOMPARE(cell(s, 0, AnchorDialog::StiffnessColumn), QStringLiteral("Kh=8595.3"));
        pressOk(single);
        QCOMPARE(single.anchors().size(), 1);
        QCOMPARE(single.anchors()[0].object, OBJPILE);

        AnchorDialog twin(anchors, DOUBLEROW);
        QTableWidget *t = tableOf(twin, "tableAnchor");
        QCOMPARE(t->rowCount(), 3);
        QCOMPARE(cell(t, 1, AnchorDialog::ObjectColumn), QStringLiteral("横梁"));
        pressRowButton(t, 0, AnchorDialog::ButtonColumn, QStringLiteral("计算刚度"));
        QCOMPARE(cell(t, 0, AnchorDialog::StiffnessColumn), QStringLiteral("Kh=8595.3, Kv=1869.0"));
        // An added anchor shows the stiffness of its own data at once.
        spinOf(twin, "spinAnchorNum")->setValue(4);
        QCOMPARE(cell(t, 3, AnchorDialog::StiffnessColumn), QStringLiteral("Kh=8595.3, Kv=1869.0"));
        pressRowButton(t, 2, AnchorDialog::ButtonColumn, QStringLiteral("上移"));
        QCOMPARE(cell(t, 1, AnchorDialog::ObjectColumn), QStringLiteral("后桩"));
        pressOk(twin);
        QCOMPARE(twin.anchors().size(), 4);
        QCOMPARE(twin.anchors()[2].object, OBJBEAM);
        QCOMPARE(twin.anchors()[2].distance, 2.0);

        // Typing 12 into the count does not pass through 1 on the way.
        AnchorDialog typed(anchors, DOUBLEROW);
        QSpinBox *count = spinOf(typed, "spinAnchorNum");
        count->selectAll();
        QTest::keyClicks(count, QStringLiteral("12"));
        QTest::keyClick(count, Qt::Key_Return);
        QCOMPARE(count->value(), 12);
        QCOMPARE(cell(tableOf(typed, "tableAnchor"), 1, AnchorDialog::PositionColumn),
            QStringLiteral("2.0"));

        // No anchors at all is a choice too.
        AnchorDialog none(anchors, DOUBLEROW);
        spinOf(none, "spinAnchorNum")->setValue(0);
        QCOMPARE(tableOf(none, "tableAnchor")->rowCount(), 0);
        pressOk(none);
        QCOMPARE(none.result(), int(QDialog::Accepted));
        QVERIFY(none.anchors().isEmpty());
    }

    void anchorBarsInRockAndCellsWithoutNumbers()
    {
        PromptRecorder prompts;
        AnchorInfo a;
        a.rodNum = 3;
        a.rodDiam = 28.0;
        AnchorDialog dialog({a}, SINGLEROW);
        QTableWidget *t = tableOf(dialog, "tableAnchor");
        choose(t, 0, 1, AnchorDialog::TypeColumn);
        QCOMPARE(cell(t, 0, AnchorDialog::CableNumColumn), QStringLiteral("-"));
        QCOMPARE(cell(t, 0, AnchorDialog::CableDiamColumn), QStringLiteral("-"));
        QCOMPARE(cell(t, 0, AnchorDialog::RodNumColumn), QStringLiteral("3"));
        QCOMPARE(cell(t, 0, AnchorDialog::RodDiamColumn), QStringLiteral("28.0"));
        // In rock the bond strength left at the soil's default becomes the
        // rock's; one typed stays whatever the ground.
        QCOMPARE(cell(t, 0, AnchorDialog::FrbkColumn), QStringLiteral("50.0"));
        choose(t, 0, 1, AnchorDialog::BondColumn);
        QCOMPARE(cell(t, 0, AnchorDialog::FrbkColumn), QStringLiteral("360.0"));
        choose(t, 0, 0, AnchorDialog::BondColumn);
        QCOMPARE(cell(t, 0, AnchorDialog::FrbkColumn), QStringLiteral("50.0"));
        type(t, 0, QStringLiteral("420"), AnchorDialog::FrbkColumn);
        choose(t, 0, 1, AnchorDialog::BondColumn);
        QCOMPARE(cell(t, 0, AnchorDialog::FrbkColumn), QStringLiteral("420"));
        type(t, 0, QStringLiteral("12"), AnchorDialog::FreeLengthColumn);
        type(t, 0, QStringLiteral("20"), AnchorDialog::AngleColumn);
        type(t, 0, QStringLiteral("30"), AnchorDialog::BondLengthColumn);
        t->item(0, AnchorDialog::GroutColumn)->setText(QString());

        // An added anchor whose type says cable while its strand cells still
        // show "-" has no strands to take.
        spinOf(dialog, "spinAnchorNum")->setValue(2);
        choose(t, 1, 1, AnchorDialog::TypeColumn);
        t->item(1, AnchorDialog::TypeColumn)->setText(QStringLiteral("锚索"));
        pressOk(dialog);
        QVERIFY(dialog.result() != QDialog::Accepted);
        QVERIFY2(
            prompts.warnings.value(0).contains(QStringLiteral("第2行“钢绞线根数”：请填写数值")),
            qPrintable(prompts.warnings.value(0)));
        choose(t, 1, 1, AnchorDialog::TypeColumn);
        choose(t, 1, 0, AnchorDialog::TypeColumn);
        QCOMPARE(cell(t, 1, AnchorDialog::CableNumColumn), QStringLiteral("6"));
        pressOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));

        // Bars in rock: kh = A·Es·cos²α / lf, whatever the bond length.
        const AnchorInfo &bar = dialog.anchors()[0];
        QCOMPARE(bar.anchorType, ANCHORBAR);
        QCOMPARE(bar.soilType, BONDROCK);
        QCOMPARE(bar.Es, 2.0e8);
        QCOMPARE(bar.Dc, a.Dc);
        QCOMPARE(bar.frbk, 420.0);
        const double area = 3 * M_PI / 4 * 28.0 * 28.0 * 1e-6;
        const double cos20 = std::cos(20.0 * M_PI / 180.0);
        QVERIFY(std::fabs(bar.kh - area * 2.0e8 * cos20 * cos20 / 12.0) < 1e-6 * bar.kh);
        QCOMPARE(dialog.anchors()[1].cableNum, 6);
    }

    void forceTypesSignsAndDirections()
    {
        ForceInfo moment;
        moment.type = LOADMOMENT;
        moment.M = 30.0;
        moment.F = 25.0;
        moment.direction = DIRVERTICAL;
        ForceInfo dist;
        dist.type = LOADDIST;
        ForceDialog dialog({moment, dist, moment}, SINGLEROW);
        QTableWidget *t = tableOf(dialog, "tableForce");
        QCOMPARE(cell(t, 0, ForceDialog::TypeColumn), QStringLiteral("弯矩"));
        QCOMPARE(cell(t, 0, ForceDialog::MomentColumn), QStringLiteral("30.0"));
        QCOMPARE(cell(t, 0, ForceDialog::DirectionColumn), QStringLiteral("-"));

        // A moment turned into a point force shows the stored force and
        // direction.
        choose(t, 0, 0, ForceDialog::TypeColumn);
        QCOMPARE(cell(t, 0, ForceDialog::ForceColumn), QStringLiteral("25.0"));
        for (int column = ForceDialog::Q1Column; column <= ForceDialog::MomentColumn; ++column)
            QCOMPARE(cell(t, 0, column), QStringLiteral("-"));
        QCOMPARE(cell(t, 0, ForceDialog::DirectionColumn), QStringLiteral("垂直"));

        type(t, 1, QStringLiteral("20"), ForceDialog::Q1Column);
        type(t, 1, QStringLiteral("-10"), ForceDialog::Q2Column);
        pressOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.forces()[0].type, LOADPNT);
        QCOMPARE(dialog.forces()[0].F, 25.0);
        QCOMPARE(dialog.forces()[0].direction, DIRVERTICAL);
        QCOMPARE(dialog.forces()[1].q1, 20.0);
        QCOMPARE(dialog.forces()[1].q2, 10.0);
        QCOMPARE(dialog.forces()[2].type, LOADMOMENT);
        QCOMPARE(dialog.forces()[2].direction, DIRVERTICAL);
    }

    void forceCountCarriersAndCellsWithoutNumbers()
    {
        PromptRecorder prompts;
        ForceInfo beam;
        beam.object = OBJBEAM;
        beam.F = 40.0;
        ForceInfo pile;
        pile.F = 15.0;
        ForceDialog twin({pile, beam}, DOUBLEROW);
        QCOMPARE(cell(tableOf(twin, "tableForce"), 1, ForceDialog::ObjectColumn),
            QStringLiteral("横梁"));

        ForceDialog dialog({beam, pile}, SINGLEROW);
        QTableWidget *t = tableOf(dialog, "tableForce");
        QSpinBox *spin = spinOf(dialog, "spinForceNum");
        QCOMPARE(t->rowCount(), 1);
        QCOMPARE(cell(t, 0, ForceDialog::ForceColumn), QStringLiteral("15.0"));
        spin->setValue(0);
        QCOMPARE(t->rowCount(), 0);
        spin->setValue(2);
        QCOMPARE(cell(t, 1, ForceDialog::TypeColumn), QStringLiteral("集中力"));
        QCOMPARE(cell(t, 1, ForceDialog::ForceColumn), QStringLiteral("10.0"));
        QCOMPARE(cell(t, 1, ForceDialog::DirectionColumn), QStringLiteral("水平"));
        QCOMPARE(cell(t, 1, ForceDialog::PositionColumn), QStringLiteral("0.0"));

        // A type cell that says "均布力" over cells still showing "-": an
        // added force has no intensities to keep and is refused.
        t->item(1, ForceDialog::TypeColumn)->setText(QStringLiteral("均布力"));
        pressOk(dialog);
        QVERIFY(dialog.result() != QDialog::Accepted);
        QVERIFY2(
            prompts.warnings.value(0).contains(QStringLiteral("第2行“均布力q1(kN/m)”：请填写数值")),
            qPrintable(prompts.warnings.value(0)));
        pressRowButton(t, 1, ForceDialog::ButtonColumn, QStringLiteral("删除"));
        QCOMPARE(prompts.warnings.size(), 2);
        QCOMPARE(t->rowCount(), 2);
        t->item(1, ForceDialog::TypeColumn)->setText(QStringLiteral("集中力"));
        pressRowButton(t, 0, ForceDialog::ButtonColumn, QStringLiteral("删除"));
        QCOMPARE(t->rowCount(), 1);
        pressOk(dialog);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.forces().size(), 1);
        QCOMPARE(dialog.forces()[0].type, LOADPNT);
        QCOMPARE(dialog.forces()[0].F, 10.0);
        QCOMPARE(dialog.forces()[0].object, OBJPILE);
    }

    void returnMovesAlongTheValues()
    {
        using Cell = QPair<int, int>;
        // The cell Return leads to; none when Return closed the dialog.
        const auto returnFrom = [](QDialog &dialog, QTableWidget *t, int row, int column) {
            dialog.show();
            QApplication::setActiveWindow(&dialog);
            t->setFocus();
            t->setCurrentCell(row, column);
            QTest::keyClick(t, Qt::Key_Return);
            return dialog.isVisible() ? Cell(t->currentRow(), t->currentColumn()) : Cell();
        };
        QList<SoilInfo> soils = threeLayers();
        SoilDialog soil(soils);
        QTableWidget *s = tableOf(soil, "tableSoil");
        QCOMPARE(returnFrom(soil, s, 2, SoilDialog::FrictionColumn), Cell(2, SoilDialog::EsColumn));
        QCOMPARE(returnFrom(soil, s, 1, SoilDialog::EsColumn), Cell(1, SoilDialog::FrkColumn));
        QCOMPARE(returnFrom(soil, s, 1, SoilDialog::FrkColumn), Cell(2, SoilDialog::NameColumn));
        QCOMPARE(returnFrom(soil, s, 0, SoilDialog::NameColumn), Cell(0, SoilDialog::NameColumn));

        AnchorDialog anchors({AnchorInfo(), AnchorInfo()}, SINGLEROW);
        QTableWidget *a = tableOf(anchors, "tableAnchor");
        QCOMPARE(returnFrom(anchors, a, 0, AnchorDialog::AngleColumn),
            Cell(1, AnchorDialog::FreeLengthColumn));
        QCOMPARE(returnFrom(anchors, a, 1, AnchorDialog::AngleColumn),
            Cell(1, AnchorDialog::AngleColumn));

        ForceDialog forces({ForceInfo(), ForceInfo()}, SINGLEROW);
        QTableWidget *f = tableOf(forces, "tableForce");
        QCOMPARE(returnFrom(forces, f, 0, ForceDialog::PositionColumn),
            Cell(1, ForceDialog::ForceColumn));
        QCOMPARE(
            returnFrom(forces, f, 1, ForceDialog::ForceColumn), Cell(1, ForceDialog::Q1Column));
    }

    // The commands hand an accepted list to the Document; Cancel and the
    // title bar's close leave the project as it was.
    void commandsWriteBackOnlyWhatWasAccepted()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.findChild<QAction *>(QStringLiteral("actNew"))->trigger();
        Document *doc = window.currentView()->document();
        AnchorInfo beam;
        beam.object = OBJBEAM;
        Project p = doc->project();
        p.anchors.append(beam);
        doc->replaceProject(p);
        const QList<SoilInfo> soils = doc->project().soils;

        whenModal([](QDialog &dialog) {
            QCOMPARE(dialog.objectName(), QStringLiteral("SoilDialog"));
            type(tableOf(dialog, "tableSoil"), 0, QStringLiteral("3"), SoilDialog::ThicknessColumn);
            dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
        });
        window.findChild<QAction *>(QStringLiteral("actSoil"))->trigger();
        whenModal([](QDialog &dialog) {
            QCOMPARE(dialog.objectName(), QStringLiteral("ForceDialog"));
            spinOf(dialog, "spinForceNum")->setValue(2);
            dialog.close();
        });
        window.findChild<QAction *>(QStringLiteral("actForce"))->trigger();
        QCOMPARE(doc->project().soils[0].thickness, soils[0].thickness);
        QVERIFY(doc->project().AddForces.isEmpty());
        QVERIFY(!doc->isModified());

        whenModal([](QDialog &dialog) {
            QCOMPARE(dialog.objectName(), QStringLiteral("AnchorDialog"));
            type(tableOf(dialog, "tableAnchor"), 0, QStringLiteral("3"),
                AnchorDialog::PositionColumn);
            pressOk(dialog);
        });
        window.findChild<QAction *>(QStringLiteral("actAnchor"))->trigger();
        QCOMPARE(doc->project().anchors.size(), 1);
        QCOMPARE(doc->project().anchors[0].y1g, -3.0);
        QVERIFY(doc->isModified());

        whenModal([](QDialog &dialog) {
            type(tableOf(dialog, "tableSoil"), 0, QStringLiteral("3"), SoilDialog::ThicknessColumn);
            pressOk(dialog);
        });
        window.findChild<QAction *>(QStringLiteral("actSoil"))->trigger();
        QCOMPARE(doc->project().soils[0].thickness, 3.0);
        QCOMPARE(doc->project().soils[1].bottomY, -3.0 - soils[1].thickness);
    }
};

RIDEZU_GUI_TEST_MAIN(TestListDialogs)
#include "tst_gui_listdialogs.moc"
