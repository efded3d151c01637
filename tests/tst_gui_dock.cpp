// The side dock and the cell delegates, driven through their widgets.

#include "guitestfixture.h"
#include "guitestsupport.h"

#include "app/mainwindow.h"
#include "dialogs/comboboxdelegate.h"
#include "dialogs/datalimitdelegate.h"
#include "dialogs/doublespindelegate.h"
#include "dialogs/spindelegate.h"
#include "dock/dockview.h"
#include "document/document.h"
#include "engine/designchecks.h"
#include "view/view.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

QTreeWidget *treeOf(const DockView &dock)
{
    return dock.findChild<QTreeWidget *>(QStringLiteral("treeData"));
}

QTableWidget *tableOf(const DockView &dock)
{
    return dock.findChild<QTableWidget *>(QStringLiteral("tableData"));
}

QTreeWidgetItem *line(const DockView &dock, int identity)
{
    for (QTreeWidgetItemIterator it(treeOf(dock)); *it; ++it) {
        if ((*it)->data(0, DockView::IdentityRole).toInt() == identity)
            return *it;
    }
    return nullptr;
}

// Clicks a tree line as the user does.
void click(DockView &dock, int identity)
{
    QTreeWidget *tree = treeOf(dock);
    QTreeWidgetItem *item = line(dock, identity);
    QVERIFY2(item, qPrintable(QString::number(identity)));
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
}

void apply(DockView &dock)
{
    QTest::mouseClick(dock.findChild<QPushButton *>(QStringLiteral("applyButton")), Qt::LeftButton);
}

QString cell(const DockView &dock, int row)
{
    const QTableWidgetItem *item = tableOf(dock)->item(row, 1);
    return item ? item->text() : QStringLiteral("(none)");
}

void setCell(DockView &dock, int row, const QString &text)
{
    tableOf(dock)->item(row, 1)->setText(text);
}

bool showsProgramRows(const DockView &dock)
{
    return tableOf(dock)->rowCount() == 2 && cell(dock, 0) == QStringLiteral("澄川抗滑桩软件");
}

// Closes the editor of the item and lets it really go.
void closeEditor(QTableWidget &table, int row)
{
    table.closePersistentEditor(table.item(row, 0));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The editor open in `table`, of the given class.
template <typename Editor> Editor *editorIn(QTableWidget &table)
{
    return table.viewport()->findChild<Editor *>();
}

// Types into the editor of a value cell and presses Return, as the user does.
void typeInto(DockView &dock, int row, const QString &text)
{
    QTableWidget *table = tableOf(dock);
    table->setFocus();
    table->setCurrentCell(row, 1);
    table->editItem(table->item(row, 1));
    auto *edit = editorIn<QLineEdit>(*table);
    QVERIFY(edit);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
    // The editor commits once the key is done, and goes.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Counts the paint events of a widget.
struct PaintCounter : QObject
{
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class TestDock : public QObject
{
    Q_OBJECT

    std::unique_ptr<DockView> m_dock;

    DockView &dock() { return *m_dock; }

private slots:
    void init()
    {
        m_dock = std::make_unique<DockView>();
        m_dock->resize(360, 800);
        m_dock->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dock.get()));
    }

    void cleanup() { m_dock.reset(); }

    void delegatesGuardTheirCells()
    {
        QTableWidget table(4, 1);
        table.show();
        for (int row = 0; row < 4; ++row)
            table.setItem(row, 0, new QTableWidgetItem);

        // A combo opened on its second item says so before any choice.
        auto *combo = new ComboBoxDelegate({"矩形", "三角形", "梯形"}, &table);
        table.setItemDelegateForRow(0, combo);
        QSignalSpy index(combo, &ComboBoxDelegate::currentIndexChanged);
        QSignalSpy selection(combo, &ComboBoxDelegate::selectionChanged);
        table.item(0, 0)->setText(QStringLiteral("矩形"));
        table.openPersistentEditor(table.item(0, 0));
        QCOMPARE(index.count() + selection.count(), 0);
        closeEditor(table, 0);
        table.item(0, 0)->setText(QStringLiteral("三角形"));
        table.openPersistentEditor(table.item(0, 0));
        QCOMPARE(index.count(), 1);
        QCOMPARE(index.at(0).at(0).toInt(), 1);
        QCOMPARE(selection.count(), 1);
        QCOMPARE(selection.at(0), (QVariantList {0, 0, 1}));
        closeEditor(table, 0);
        ComboBoxDelegate none({});
        QVERIFY(!none.createEditor(&table, {}, table.model()->index(0, 0)));

        // Keys go in as typed; a text the whole pattern does not take is
        // refused whole, never trimmed into a value: "4.9" in a field
        // without decimals does not become 49.
        auto *limit = new DataLimitDelegate(InputPatterns::GroutDiameter, &table);
        table.setItemDelegateForRow(1, limit);
        QSignalSpy refused(limit, &DataLimitDelegate::refused);
        table.item(1, 0)->setText(QStringLiteral("150"));
        table.openPersistentEditor(table.item(1, 0));
        auto *edit = editorIn<QLineEdit>(table);
        QVERIFY(edit);
        QCOMPARE(edit->selectedText(), QStringLiteral("150"));
        QTest::keyClicks(edit, QStringLiteral("4.9"));
        QCOMPARE(edit->text(), QStringLiteral("4.9"));
        limit->setModelData(edit, table.model(), table.model()->index(1, 0));
        QCOMPARE(table.item(1, 0)->text(), QStringLiteral("150"));
        QCOMPARE(refused.count(), 1);
        QCOMPARE(refused.at(0).at(1).toString(),
            QStringLiteral("“4.9”不可用（应为1~500的整数），已保留原值"));
        edit->setText(QStringLiteral("49"));
        limit->setModelData(edit, table.model(), table.model()->index(1, 0));
        QCOMPARE(table.item(1, 0)->text(), QStringLiteral("49"));
        closeEditor(table, 1);
        // A pattern anchoring only its outer alternatives still matches the
        // whole text: 15 is no section size.
        DataLimitDelegate size(
            QRegularExpression(QStringLiteral("^0\\.[3-9]|[1-5](\\.\\d)?$")), &table);
        QLineEdit typed(QStringLiteral("15"));
        size.setModelData(&typed, table.model(), table.model()->index(1, 0));
        QCOMPARE(table.item(1, 0)->text(), QStringLiteral("49"));

        // Spin editors open clamped into their range.
        auto *spin = new SpinDelegate(0, 99, &table);
        table.setItemDelegateForRow(2, spin);
        for (const auto &[text, shown] : {std::pair {"150", 99}, std::pair {"x", 0}}) {
            table.item(2, 0)->setText(QLatin1String(text));
            table.openPersistentEditor(table.item(2, 0));
            QCOMPARE(editorIn<QSpinBox>(table)->value(), shown);
            closeEditor(table, 2);
        }

        // A decimal spin steps by its last place; an unchanged value is not written.
        auto *ratio = new DoubleSpinDelegate(0, 2, 1, &table);
        table.setItemDelegateForRow(3, ratio);
        table.item(3, 0)->setText(QStringLiteral("1.5"));
        table.openPersistentEditor(table.item(3, 0));
        auto *decimal = editorIn<QDoubleSpinBox>(table);
        QCOMPARE(decimal->singleStep(), 0.1);
        QSignalSpy written(table.model(), &QAbstractItemModel::dataChanged);
        ratio->setModelData(decimal, table.model(), table.model()->index(3, 0));
        QCOMPARE(written.count(), 0);
        decimal->stepUp();
        ratio->setModelData(decimal, table.model(), table.model()->index(3, 0));
        QCOMPARE(table.item(3, 0)->text().toDouble(), 1.6);
    }

    void treeOfANewProject()
    {
        Document doc;
        dock().setDocument(&doc);
        QTreeWidget *tree = treeOf(dock());
        QStringList tops;
        QList<int> children;
        for (int n = 0; n < tree->topLevelItemCount(); ++n) {
            tops << tree->topLevelItem(n)->text(0);
            children << tree->topLevelItem(n)->childCount();
            QVERIFY(tree->topLevelItem(n)->isExpanded());
        }
        QCOMPARE(tops,
            (QStringList {"基础信息", "抗滑桩", "岩土层 - 数量: 2", "桩身锚索(杆) - 数量: 1",
                "额外作用力 - 数量: 0"}));
        QCOMPARE(children, (QList<int> {7, 4, 2, 1, 0}));
        QCOMPARE(line(dock(), 1003)->text(0), QStringLiteral("滑面深度: 6(m)"));
        QCOMPARE(line(dock(), 5002)->text(0), QStringLiteral("岩土层2: m=12MN/m⁴"));
        QCOMPARE(line(dock(), 6001)->text(0), QStringLiteral("刚度: Kh=8595.3kN/m"));
        QVERIFY(showsProgramRows(dock()));
    }

    void hiddenAnchorLineLeadsToItsRecord()
    {
        // A single row does not list the anchor on the beam, but the second
        // anchor's line still leads to the second record.
        Document doc;
        AnchorInfo onBeam;
        onBeam.object = OBJBEAM;
        AnchorInfo onPile;
        onPile.distance = 3.0;
        QVERIFY(doc.changeAnchors({onBeam, onPile}));
        dock().setDocument(&doc);
        QTreeWidgetItem *anchors = line(dock(), DockView::AnchorCategory);
        QCOMPARE(anchors->text(0), QStringLiteral("桩身锚索(杆) - 数量: 2"));
        QCOMPARE(anchors->childCount(), 1);
        QCOMPARE(anchors->child(0)->data(0, DockView::IdentityRole).toInt(), 6002);

        click(dock(), 6002);
        QCOMPARE(cell(dock(), 3), QStringLiteral("3"));
        setCell(dock(), 1, QStringLiteral("4"));
        setCell(dock(), 3, QStringLiteral("5"));
        apply(dock());
        QCOMPARE(doc.project().anchors[1].distance, 5.0);
        QCOMPARE(doc.project().anchors[1].cableNum, 4);
        AnchorInfo expected = onPile;
        expected.cableNum = 4;
        expected.distance = 5.0;
        expected.computeStiffness();
        QCOMPARE(doc.project().anchors[1].kh, expected.kh);
        QCOMPARE(doc.project().anchors[0].distance, 0.0);
    }

    void applyHandsTheRecordToTheDocument()
    {
        Document doc;
        dock().setDocument(&doc);
        QSignalSpy changed(&doc, &Document::dataChanged);
        QSignalSpy modified(&doc, &Document::modifiedChanged);

        // A single row has one sliding surface.
        click(dock(), 1001);
        QCOMPARE(tableOf(dock())->rowCount(), 8);
        setCell(dock(), 1, QStringLiteral("9"));
        apply(dock());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(modified.count(), 1);
        QCOMPARE(doc.project().base.slideBackH, 9.0);
        QCOMPARE(doc.project().base.slideFrontH, 9.0);
        QCOMPARE(doc.project().base.slideFrontYg, -9.0);
        QCOMPARE(line(dock(), 1003)->text(0), QStringLiteral("滑面深度: 9(m)"));
        QCOMPARE(cell(dock(), 1), QStringLiteral("9")); // the table keeps what was typed

        // Choosing the trapezoid brings its ratio row to life.
        QTableWidget *table = tableOf(dock());
        QCOMPARE(cell(dock(), 6), QStringLiteral("-"));
        table->openPersistentEditor(table->item(5, 1));
        auto *shape = table->viewport()->findChild<QComboBox *>();
        QVERIFY(shape);
        shape->setCurrentIndex(2);
        table->itemDelegateForRow(5)->setModelData(
            shape, table->model(), table->model()->index(5, 1));
        table->closePersistentEditor(table->item(5, 1));
        QCOMPARE(cell(dock(), 5), QStringLiteral("梯形"));
        QVERIFY(table->item(6, 1)->flags() & Qt::ItemIsEditable);
        setCell(dock(), 6, QStringLiteral("0.5"));
        apply(dock());
        QCOMPARE(doc.project().base.shape, DISTTRAPEZOID);
        QCOMPARE(doc.project().base.ratio, 0.5);

        // A distributed force pushes one way: q2 takes the sign of q1.
        ForceInfo dist;
        dist.type = LOADDIST;
        QVERIFY(doc.changeForces({dist}));
        click(dock(), 7001);
        QCOMPARE(cell(dock(), 0), QStringLiteral("均布力-抗滑桩"));
        setCell(dock(), 1, QStringLiteral("20"));
        setCell(dock(), 2, QStringLiteral("-10"));
        apply(dock());
        QCOMPARE(doc.project().AddForces[0].q1, 20.0);
        QCOMPARE(doc.project().AddForces[0].q2, 10.0);
        QCOMPARE(line(dock(), 7001)->text(0), QStringLiteral("均布力: q1=20kN/m, q2=10kN/m"));

        // A grade the list does not offer (from a file) survives an apply.
        PileInfo front = doc.project().frontPile;
        front.grade = 45;
        QVERIFY(doc.changePiles(front, doc.project().backPile, doc.project().linkBeam));
        click(dock(), 2001);
        setCell(dock(), 0, QStringLiteral("17"));
        apply(dock());
        QCOMPARE(doc.project().frontPile.length, 17.0);
        QCOMPARE(doc.project().frontPile.grade, qint16(45));

        // The strengths of the design checks: rock in MPa, bond in kPa.
        click(dock(), 5002);
        QCOMPARE(cell(dock(), 8), QStringLiteral("0"));
        setCell(dock(), 8, QStringLiteral("15"));
        apply(dock());
        QCOMPARE(doc.project().soils[1].frk, 15000.0);
        click(dock(), 6001);
        QCOMPARE(cell(dock(), 9), QStringLiteral("50"));
        setCell(dock(), 9, QStringLiteral("80"));
        apply(dock());
        QCOMPARE(doc.project().anchors[0].frbk, 80.0);

        // Return moves down the value column.
        click(dock(), 1001);
        table->setFocus();
        table->setCurrentCell(2, 1);
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(table->currentRow(), 3);
        QCOMPARE(table->currentColumn(), 1);

        // A change made elsewhere (a dialog) shows at once; the table lets
        // go of a record that may have moved.
        click(dock(), 5002);
        QVERIFY(doc.changeSoils({doc.project().soils.first()}));
        QCOMPARE(line(dock(), DockView::SoilCategory)->text(0), QStringLiteral("岩土层 - 数量: 1"));
        QVERIFY(showsProgramRows(dock()));
        QCOMPARE(dock().selectedCategory(), -1);
    }

    void refusedValuesKeepTheCellAndAreSaid()
    {
        Document doc;
        dock().setDocument(&doc);
        QSignalSpy notes(&dock(), &DockView::statusMessage);
        click(dock(), 1001);
        // A sign the field has not, and a spacing of 0: refused whole.
        typeInto(dock(), 4, QStringLiteral("-5"));
        typeInto(dock(), 7, QStringLiteral("0"));
        QCOMPARE(cell(dock(), 4), QStringLiteral("0"));
        QCOMPARE(cell(dock(), 7), QStringLiteral("3.5"));
        QCOMPARE(notes.count(), 2);
        const QString resistance = notes.at(0).at(0).toString();
        QCOMPARE(resistance,
            QStringLiteral(
                "桩前抗滑力(kN/m)：“-5”不可用（应为0~99999.9，最多一位小数），已保留原值"));
        const QString spacing = notes.at(1).at(0).toString();
        QVERIFY2(
            spacing.startsWith(QStringLiteral("桩中心间距(m)：“0”不可用")), qPrintable(spacing));
        auto *log = dock().findChild<QListWidget *>(QStringLiteral("listWidget"));
        QCOMPARE(log->item(log->count() - 1)->text(), QStringLiteral(">>") + spacing);

        // The apply takes the values as they were, and says so last.
        apply(dock());
        QCOMPARE(doc.project().base.pforce, 0.0);
        QCOMPARE(doc.project().base.space, 3.5);
        QCOMPARE(notes.last().at(0).toString(), resistance + QStringLiteral("；") + spacing);
    }

    // Every change is checked at once: the first problem of the input is
    // said in the status bar and the information window, the edit stands.
    void changesTellTheFirstProblemOfTheInput()
    {
        Document doc;
        dock().setDocument(&doc);
        QSignalSpy notes(&dock(), &DockView::statusMessage);
        QList<AnchorInfo> anchors = doc.project().anchors;
        anchors.append(anchors.first());
        anchors[1].distance = doc.project().frontPile.length + 2.0;
        QVERIFY(doc.changeAnchors(anchors));
        const QString problem = QStringLiteral("锚索(杆)2的位置超出桩长，已按桩底计算");
        QCOMPARE(doc.project().anchors[1].distance, doc.project().frontPile.length + 2.0);
        QCOMPARE(notes.count(), 1);
        QCOMPARE(notes.at(0).at(0).toString(), problem);
        auto *log = dock().findChild<QListWidget *>(QStringLiteral("listWidget"));
        QCOMPARE(log->item(log->count() - 1)->text(), QStringLiteral(">>") + problem);
        // The same problem after the next change is not logged twice; a rule
        // the analysis stops at comes before it.
        BaseInfo base = doc.project().base;
        base.slideBackH = doc.project().frontPile.length + 1.0;
        QVERIFY(doc.changeBase(base));
        QCOMPARE(notes.last().at(0).toString(), QStringLiteral("错误：桩底高于滑面"));
        QVERIFY(doc.changeBase(base));
        QCOMPARE(doc.messages.count(QStringLiteral(">>错误：桩底高于滑面")), 1);
    }

    void resultsRefuseEditing()
    {
        Project p = Project::defaultProject();
        p.status = SHOWRESULT;
        p.extremes.Min1.D = -0.0104;
        p.extremes.Max1.M = 4604.06;
        p.extremes.Min1.M = -0.00001; // a round-off at a free pile head
        Document doc;
        doc.replaceProject(p);
        dock().setDocument(&doc);
        QTreeWidgetItem *results = line(dock(), DockView::ResultCategory);
        QVERIFY(results && results->isExpanded());
        QVERIFY(!line(dock(), DockView::BaseCategory)->isExpanded());
        QCOMPARE(results->childCount(), 4);
        QCOMPARE(results->child(0)->text(0), QStringLiteral("抗滑桩位移: -10.4~ 0.0(mm)"));
        QCOMPARE(results->child(1)->text(0), QStringLiteral("抗滑桩弯矩: 0.0~ 4604.1(kN*m)"));

        QSignalSpy changed(&doc, &Document::dataChanged);
        line(dock(), DockView::BaseCategory)->setExpanded(true);
        click(dock(), 1002);
        QVERIFY(showsProgramRows(dock()));
        apply(dock());
        QCOMPARE(changed.count(), 0);
    }

    // An analysis and the way back to the input reach the dock through the
    // Document's announcement, whoever asks for them: results open with the
    // log in front, and go again.
    void followsTheAnalysisAndTheInput()
    {
        Document doc;
        dock().setDocument(&doc);
        const auto *tabs = dock().findChild<QTabWidget *>(QStringLiteral("tabWidget"));
        click(dock(), 5001);
        QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("tab2"));
        QVERIFY(doc.analyse());
        const QTreeWidgetItem *results = line(dock(), DockView::ResultCategory);
        QVERIFY(results && results->isExpanded() && results->childCount() > 0);
        QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("tab1"));
        QVERIFY(showsProgramRows(dock()));
        doc.showInput();
        QVERIFY(!line(dock(), DockView::ResultCategory));
        QVERIFY(line(dock(), DockView::SoilCategory)->isExpanded());
    }

    void staleOrVanishedRecordsAreLeftAlone()
    {
        Document doc;
        dock().setDocument(&doc);
        QSignalSpy changed(&doc, &Document::dataChanged);
        QSignalSpy notes(&dock(), &DockView::statusMessage);

        // A line past the end of its list clears the table; apply does nothing.
        auto *ghost = new QTreeWidgetItem(line(dock(), DockView::SoilCategory), {"ghost"});
        ghost->setData(0, DockView::IdentityRole, 5003);
        click(dock(), 5003);
        QCOMPARE(tableOf(dock())->rowCount(), 0);
        apply(dock());
        // The list shrinks behind the table's back: the apply stays inside it.
        click(dock(), 5002);
        Project shorter = doc.project();
        shorter.soils.removeLast();
        {
            const QSignalBlocker unheard(&doc);
            doc.replaceProject(shorter);
        }
        apply(dock());
        QCOMPARE(changed.count(), 0);
        QCOMPARE(doc.project().soils.size(), 1);

        // Empty or unreadable value cells keep the record's value and say so.
        click(dock(), 5001);
        setCell(dock(), 1, QString());
        setCell(dock(), 2, QStringLiteral("19"));
        setCell(dock(), 7, QStringLiteral("-"));
        apply(dock());
        QCOMPARE(doc.project().soils[0].thickness, 12.0);
        QCOMPARE(doc.project().soils[0].r, 19.0);
        QCOMPARE(doc.project().soils[0].Es, 10000.0);
        // One layer no longer reaches the pile bottom: said first.
        QCOMPARE(notes.count(), 2);
        QCOMPARE(notes.at(0).at(0).toString(), QStringLiteral("错误：土层深度不够"));
        QVERIFY(notes.at(1).at(0).toString().contains(QStringLiteral("厚度(m)")));
        QVERIFY(notes.at(1).at(0).toString().contains(QStringLiteral("弹性模量Es(MPa)")));

        // The m button writes only a positive m worked out from c and φ.
        auto *button = tableOf(dock())->findChild<QPushButton *>();
        QVERIFY(button && button->isEnabled());
        for (const auto &[c, fi] : {std::pair {"15", ""}, std::pair {"0", "2"}}) {
            setCell(dock(), 3, QLatin1String(c));
            setCell(dock(), 4, QLatin1String(fi));
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(cell(dock(), 6), QStringLiteral("7.5"));
        }
        setCell(dock(), 3, QStringLiteral("15"));
        setCell(dock(), 4, QStringLiteral("30"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(cell(dock(), 6), QStringLiteral("16.5"));

        // The document goes with its tab while the table shows its record.
        auto *gone = new Document;
        dock().setDocument(gone);
        click(dock(), 2001);
        delete gone;
        apply(dock());
        click(dock(), 2001);
        QCOMPARE(dock().document(), nullptr);
    }

    void theWindowFollowsTheDocksEdits()
    {
        PromptRecorder prompts;
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.actNew();
        View *view = window.currentView();
        Document *doc = view->document();
        DockView &side = *window.dockView();
        QCOMPARE(side.document(), doc);
        PaintCounter counter;
        view->installEventFilter(&counter);
        QTest::qWait(50);
        counter.paints = 0;

        // An apply shows in the drawing and in the tab's modified mark.
        click(side, 2001);
        setCell(side, 0, QStringLiteral("17"));
        apply(side);
        QCOMPARE(doc->project().frontPile.length, 17.0);
        QCOMPARE(doc->project().frontPile.bottomYg, -17.0);
        QCOMPARE(window.tabWidget()->tabText(window.tabWidget()->currentIndex()),
            view->windowTitle() + QLatin1Char('*'));
        QTRY_VERIFY(counter.paints > 0);

        // An analysis brings the results and shuts the table.
        auto *analyse = window.findChild<QAction *>(QStringLiteral("actAnalyse"));
        analyse->trigger();
        QVERIFY(analyse->isChecked());
        QVERIFY(line(side, DockView::ResultCategory));
        // The design checks follow the results, one line each, those not
        // satisfied in red; they follow the pile's new length.
        QTreeWidgetItem *checks = line(side, DockView::DesignCategory);
        QVERIFY(checks && checks->isExpanded());
        QCOMPARE(treeOf(side)->indexOfTopLevelItem(checks),
            treeOf(side)->indexOfTopLevelItem(line(side, DockView::ResultCategory)) + 1);
        QCOMPARE(checks->text(0), QStringLiteral("设计验算"));
        const QList<DesignLine> expected = DesignText::lines(designChecks(doc->project()));
        QCOMPARE(checks->childCount(), expected.size());
        for (int n = 0; n < checks->childCount(); ++n) {
            QCOMPARE(checks->child(n)->text(0), expected[n].text);
            QCOMPARE(checks->child(n)->foreground(0).color() == QColor(Qt::red), !expected[n].ok);
        }
        QVERIFY(checks->child(5)->text(0).startsWith(QStringLiteral("嵌固段 y=11.0m: ")));
        line(side, DockView::FrontPileCategory)->setExpanded(true);
        click(side, 2001);
        QVERIFY(showsProgramRows(side));
        analyse->trigger();
        QVERIFY(!line(side, DockView::ResultCategory));

        // The tab goes while the dock shows its record: the apply does nothing.
        click(side, 5001);
        setCell(side, 1, QStringLiteral("3"));
        prompts.answers = {QMessageBox::Discard};
        window.onTabCloseRequested(window.tabWidget()->indexOf(view));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window.currentView());
        apply(side);
        QCOMPARE(side.document(), nullptr);
    }
};

RIDEZU_GUI_TEST_MAIN(TestDock)
#include "tst_gui_dock.moc"
