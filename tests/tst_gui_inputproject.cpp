// A whole project entered the way an engineer enters it: from "新建",
// through the five data dialogs of the main window, to a double row with
// three layers, two anchors and three forces; analysed, saved, closed and
// opened again, then turned into a single row and analysed once more.

#include "dialogtestsupport.h"
#include "guitestfixture.h"
#include "guitestsupport.h"

#include "app/mainwindow.h"
#include "dialogs/anchor/anchordialog.h"
#include "dialogs/base/basedialog.h"
#include "dialogs/force/forcedialog.h"
#include "dialogs/pile/piledialog.h"
#include "dialogs/soil/soildialog.h"
#include "document/document.h"
#include "view/view.h"

#include <QAction>
#include <QSpinBox>
#include <QTabWidget>

namespace {

// The input an engineer typed, one fact a line, as the project file keeps it
// (six significant digits).
QStringList entered(const Document &doc)
{
    const auto n = [](double v) { return QString::number(v, 'g', 6); };
    const BaseInfo &b = doc.project().base;
    QStringList facts = {b.ProjectName,
        QStringLiteral("form %1 slide %2/%3 cut %4")
            .arg(b.PileForm)
            .arg(n(b.slideBackH), n(b.slideFrontH), n(b.cutH)),
        QStringLiteral("forces %1 %2 shape %3 space %4 row %5 dpel %6 interact %7")
            .arg(n(b.aforce), n(b.pforce))
            .arg(b.shape)
            .arg(n(b.space), n(b.row), n(b.dpel))
            .arg(b.interact)};
    for (const PileInfo &p : {doc.project().frontPile, doc.project().backPile})
        facts << QStringLiteral("pile %1 %2 %3 %4 %5")
                     .arg(n(p.length), n(p.diameter))
                     .arg(p.shp)
                     .arg(p.grade)
                     .arg(p.support);
    facts << QStringLiteral("beam %1 %2 %3")
                 .arg(n(doc.project().linkBeam.height), n(doc.project().linkBeam.width))
                 .arg(doc.project().linkBeam.grade);
    for (const SoilInfo &s : doc.project().soils)
        facts << QStringLiteral("soil %1 %2 %3 %4 m %5 k %6 Es %7")
                     .arg(s.Name, n(s.thickness), n(s.c), n(s.fi), n(s.m), n(s.k), n(s.Es))
                     .append(s.type == METHODK ? QStringLiteral(" K") : QString());
    for (const AnchorInfo &a : doc.project().anchors)
        facts << QStringLiteral("anchor %1 on %2 at %3 lf %4 la %5 angle %6 kh %7 kv %8")
                     .arg(a.anchorType)
                     .arg(a.object)
                     .arg(n(a.distance), n(a.lf), n(a.la), n(a.angle), n(a.kh), n(a.kv));
    for (const ForceInfo &f : doc.project().AddForces)
        facts << QStringLiteral("force %1 on %2 at %3 F %4 q %5/%6 over %7 M %8 dir %9")
                     .arg(f.type)
                     .arg(f.object)
                     .arg(n(f.distance), n(f.F), n(f.q1), n(f.q2), n(f.length), n(f.M))
                     .arg(f.direction);
    return facts;
}

void trigger(MainWindow &window, const char *name)
{
    window.findChild<QAction *>(QLatin1String(name))->trigger();
}

} // namespace

class TestInputProject : public QObject
{
    Q_OBJECT

    const QTemporaryDir &m_dir = GuiTestFixture::settingsDir();

private slots:
    void doubleRowThroughAllFiveDialogs()
    {
        PromptRecorder prompts;
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        trigger(window, "actNew");
        Document *doc = window.currentView()->document();

        whenModal([](QDialog &dialog) {
            QTableWidget *t = tableOf(dialog, "tableBase");
            type(t, BaseDialog::NameRow, QStringLiteral("某边坡双排桩"));
            choose(t, BaseDialog::FormRow, 1);
            type(t, BaseDialog::SlideRow, QStringLiteral("8"));
            type(t, BaseDialog::CutRow, QStringLiteral("5"));
            type(t, BaseDialog::ThrustRow, QStringLiteral("650"));
            type(t, BaseDialog::ResistanceRow, QStringLiteral("80"));
            choose(t, BaseDialog::ShapeRow, 1);
            type(t, BaseDialog::SpaceRow, QStringLiteral("3"));
            type(t, BaseDialog::RowSpacingRow, QStringLiteral("5"));
            type(t, BaseDialog::FrontSlideRow, QStringLiteral("7.5"));
            pressOk(dialog);
        });
        trigger(window, "actBase");
        QCOMPARE(doc->project().base.PileForm, DOUBLEROW);

        whenModal([](QDialog &dialog) {
            QTableWidget *t = tableOf(dialog, "tablePile");
            QCOMPARE(t->rowCount(), 20);
            type(t, PileDialog::LengthRow, QStringLiteral("18"));
            type(t, PileDialog::DiameterRow, QStringLiteral("1.5"));
            for (QPushButton *button : dialog.findChildren<QPushButton *>()) {
                if (button->text() == QStringLiteral("参数同前桩"))
                    button->click();
            }
            type(t, PileDialog::BeamHeightRow, QStringLiteral("1"));
            pressOk(dialog);
        });
        trigger(window, "actPile");
        QCOMPARE(doc->project().backPile.diameter, 1.5);

        whenModal([](QDialog &dialog) {
            QTableWidget *t = tableOf(dialog, "tableSoil");
            dialog.findChild<QSpinBox *>(QStringLiteral("spinSoilNum"))->setValue(3);
            const QStringList thickness = {"8", "6", "10"};
            for (int row = 0; row < 3; ++row)
                type(t, row, thickness[row], SoilDialog::ThicknessColumn);
            type(t, 2, QStringLiteral("中风化砂岩"), SoilDialog::NameColumn);
            choose(t, 2, 1, SoilDialog::MethodColumn);
            type(t, 2, QStringLiteral("150"), SoilDialog::KColumn);
            type(t, 1, QStringLiteral("25"), SoilDialog::CohesionColumn);
            pressRowButton(t, 1, SoilDialog::ButtonColumn, QStringLiteral("计算m"));
            pressOk(dialog);
        });
        trigger(window, "actSoil");
        QCOMPARE(doc->project().soils.size(), 3);
        QCOMPARE(doc->project().soils[2].bottomY, -24.0);

        whenModal([](QDialog &dialog) {
            QTableWidget *t = tableOf(dialog, "tableAnchor");
            dialog.findChild<QSpinBox *>(QStringLiteral("spinAnchorNum"))->setValue(2);
            type(t, 0, QStringLiteral("2"), AnchorDialog::PositionColumn);
            choose(t, 1, 2, AnchorDialog::ObjectColumn);
            type(t, 1, QStringLiteral("2.5"), AnchorDialog::PositionColumn);
            type(t, 1, QStringLiteral("20"), AnchorDialog::FreeLengthColumn);
            pressOk(dialog);
        });
        trigger(window, "actAnchor");
        QCOMPARE(doc->project().anchors.size(), 2);
        QCOMPARE(doc->project().anchors[1].object, OBJBEAM);

        whenModal([](QDialog &dialog) {
            QTableWidget *t = tableOf(dialog, "tableForce");
            dialog.findChild<QSpinBox *>(QStringLiteral("spinForceNum"))->setValue(3);
            type(t, 0, QStringLiteral("40"), ForceDialog::ForceColumn);
            type(t, 0, QStringLiteral("1"), ForceDialog::PositionColumn);
            choose(t, 1, 1, ForceDialog::TypeColumn);
            choose(t, 1, 1, ForceDialog::ObjectColumn);
            type(t, 1, QStringLiteral("20"), ForceDialog::Q1Column);
            type(t, 1, QStringLiteral("-10"), ForceDialog::Q2Column);
            type(t, 1, QStringLiteral("3"), ForceDialog::WidthColumn);
            type(t, 1, QStringLiteral("2"), ForceDialog::PositionColumn);
            choose(t, 2, 2, ForceDialog::TypeColumn);
            choose(t, 2, 2, ForceDialog::ObjectColumn);
            type(t, 2, QStringLiteral("30"), ForceDialog::MomentColumn);
            type(t, 2, QStringLiteral("2.5"), ForceDialog::PositionColumn);
            pressOk(dialog);
        });
        trigger(window, "actForce");
        QCOMPARE(doc->project().AddForces.size(), 3);
        QCOMPARE(doc->project().AddForces[1].q2, 10.0);
        QCOMPARE(doc->project().AddForces[2].object, OBJBEAM);
        QCOMPARE(doc->project().AddForces[2].x1g, 2.5);

        // m of c = 25 kPa and φ = 25°: (0.2·25² − 25 + 25) × 0.1 = 12.5 MN/m⁴.
        QCOMPARE(doc->project().soils[1].m, 12500.0);
        QCOMPARE(doc->project().soils[2].type, METHODK);
        QCOMPARE(doc->project().soils[2].k, 150000.0);
        const QStringList project = entered(*doc);

        trigger(window, "actAnalyse");
        QVERIFY2(doc->project().status & SHOWRESULT, qPrintable(doc->messages.join('\n')));
        QVERIFY(!doc->project().results.isEmpty());
        const double moment = doc->project().extremes.Max1.M;
        QVERIFY(moment != 0.0);

        const QString path = m_dir.filePath(QStringLiteral("双排桩.qzp"));
        prompts.fileAnswers = {path};
        trigger(window, "actSave");
        QVERIFY(!doc->isModified());
        window.onTabCloseRequested(window.tabWidget()->currentIndex());
        QTRY_VERIFY(!window.currentView());

        window.openFile(path);
        QVERIFY(window.currentView());
        doc = window.currentView()->document();
        QCOMPARE(entered(*doc), project);
        QVERIFY(doc->project().status & SHOWRESULT);
        QVERIFY(std::fabs(doc->project().extremes.Max1.M - moment) <= 1e-5 * std::fabs(moment));

        // Back to input, and the same project as a single row.
        trigger(window, "actAnalyse");
        QVERIFY(!(doc->project().status & SHOWRESULT));
        whenModal([](QDialog &dialog) {
            choose(tableOf(dialog, "tableBase"), BaseDialog::FormRow, 0);
            pressOk(dialog);
        });
        trigger(window, "actBase");
        QCOMPARE(doc->project().base.PileForm, SINGLEROW);
        QCOMPARE(doc->project().base.slideFrontH, 8.0);
        whenModal([](QDialog &dialog) {
            QCOMPARE(tableOf(dialog, "tableAnchor")->rowCount(), 1);
            pressOk(dialog);
        });
        trigger(window, "actAnchor");
        QCOMPARE(doc->project().anchors.size(), 1);
        trigger(window, "actAnalyse");
        QVERIFY2(doc->project().status & SHOWRESULT, qPrintable(doc->messages.join('\n')));
        QVERIFY(prompts.warnings.isEmpty());
    }
};

RIDEZU_GUI_TEST_MAIN(TestInputProject)
#include "tst_gui_inputproject.moc"
