// The dock's widgets, the document it shows, the splitter state, the tree
// clicks and the keys of the property table.

#include "dock/dockview.h"

#include "engine/inputnotes.h"
#include "settings/settings.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

const char *const HEADERSTYLE = "QHeaderView::section{background:rgba(36,161,254,50);}";

} // namespace

DockView::DockView(QWidget *parent)
    : QWidget(parent)
    , m_splitter(new QSplitter(Qt::Vertical, this))
    , m_tree(new QTreeWidget(m_splitter))
    , m_tabs(new QTabWidget(m_splitter))
    , m_infoTab(new QWidget)
    , m_propertyTab(new QWidget)
    , m_list(new QListWidget(m_infoTab))
    , m_table(new QTableWidget(m_propertyTab))
    , m_applyButton(new QPushButton(tr("应  用"), m_propertyTab))
{
    setObjectName(QStringLiteral("DockView"));
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->setChildrenCollapsible(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);

    m_tree->setObjectName(QStringLiteral("treeData"));
    m_tree->setColumnCount(1);
    m_tree->setHeaderLabels({tr("项目")});
    m_tree->setHeaderHidden(true);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->setStyleSheet(
        QStringLiteral("QHeaderView::section{background:rgba(36,161,254,50);}"
                       // The lines' text colour is the widget's, so that
                       // a line may be given its own (a failed check red).
                       "QTreeWidget{color:black;selection-color:black;}"
                       "QTreeWidget::item{height:25px;}"
                       "QTreeWidget::item{border-bottom:1px solid rgb(216,216,216);}"
                       "QTreeView::item:selected{background-color:rgb(204,232,255)}"));

    m_tabs->setObjectName(QStringLiteral("tabWidget"));
    m_infoTab->setObjectName(QStringLiteral("tab1"));
    m_propertyTab->setObjectName(QStringLiteral("tab2"));
    m_tabs->addTab(m_infoTab, tr("信息"));
    m_tabs->addTab(m_propertyTab, tr("属性"));

    auto *infoLabel = new QLabel(tr("信息输出窗口"), m_infoTab);
    infoLabel->setObjectName(QStringLiteral("label_2"));
    m_list->setObjectName(QStringLiteral("listWidget"));
    m_list->setWordWrap(true);
    auto *infoLayout = new QVBoxLayout(m_infoTab);
    infoLayout->addWidget(infoLabel);
    infoLayout->addWidget(m_list);

    auto *tableLabel = new QLabel(tr("属性编辑器"), m_propertyTab);
    tableLabel->setObjectName(QStringLiteral("label"));
    m_table->setObjectName(QStringLiteral("tableData"));
    m_table->setStyleSheet(QLatin1String(HEADERSTYLE));
    m_table->setColumnCount(2);
    m_table->setHorizontalHeaderLabels({tr("项目"), tr("数值")});
    m_table->verticalHeader()->setVisible(false);
    m_table->setColumnWidth(0, 120);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked
        | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    m_table->installEventFilter(this);
    m_table->viewport()->installEventFilter(this);
    m_applyButton->setObjectName(QStringLiteral("applyButton"));
    auto *tableLayout = new QVBoxLayout(m_propertyTab);
    tableLayout->addWidget(tableLabel);
    tableLayout->addWidget(m_table);
    tableLayout->addWidget(m_applyButton);

    m_splitter->addWidget(m_tree);
    m_splitter->addWidget(m_tabs);
    const QByteArray state = Settings().dockState();
    // The property table gets the larger part: a record's rows, up to a
    // dozen, fit without scrolling in a window of the usual height.
    if (state.isEmpty())
        m_splitter->setSizes({260, 440});
    else
        m_splitter->restoreState(state);

    connect(m_tree, &QTreeWidget::itemClicked, this, &DockView::treeDataItemClicked);
    connect(m_applyButton, &QPushButton::clicked, this, &DockView::applyButtonClicked);

    showWelcome();
}

DockView::~DockView()
{
    Settings().setDockState(m_splitter->saveState());
}

QSize DockView::sizeHint() const
{
    // The longest lines the tree shows for ordinary projects, two levels deep.
    const QFontMetrics metrics(m_tree->font());
    int text = 0;
    for (const QString &line : {tr("刚度: Kh=88888.8kN/m，Kv=88888.8kN/m"),
             tr("滑面深度: 桩前88.8(m), 桩后88.8(m)"), tr("桩截面: 方桩, H: 8.8(m)×W: 8.8(m)"),
             tr("下滑力88888.8(kN/m), 抗滑力88888.8(kN/m)")})
        text = qMax(text, metrics.horizontalAdvance(line));
    const int frame = 2 * m_tree->frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return {text + 2 * m_tree->indentation() + frame + 24, QWidget::sizeHint().height()};
}

void DockView::setDocument(Document *doc)
{
    if (!doc) {
        showWelcome();
        return;
    }
    disconnect(m_documentConnection);
    disconnect(m_logConnection);
    disconnect(m_resultsConnection);
    m_document = doc;
    m_documentConnection = connect(doc, &Document::dataChanged, this, &DockView::documentChanged);
    // Lines logged while the project is shown, such as the notes of a
    // change, appear as they come.
    m_logConnection = connect(doc, &Document::sendOutInfo, this, [this](const QString &text) {
        m_list->addItem(text);
        m_list->scrollToBottom();
    });
    // After an analysis, or back to the input, the project is shown afresh
    // with its log in front.
    m_resultsConnection = connect(doc, &Document::resultsChanged, this, &DockView::showDocument);
    showDocument();
}

void DockView::showDocument()
{
    if (!m_document)
        return;
    const Document *doc = m_document;
    rebuildTree();
    m_tabs->setCurrentWidget(m_infoTab);
    m_list->clear();
    m_list->addItems(doc->messages);
    m_list->scrollToBottom();
    showProgramRows();
    m_tabs->setCurrentWidget(m_infoTab);
}

void DockView::showWelcome()
{
    disconnect(m_documentConnection);
    disconnect(m_logConnection);
    disconnect(m_resultsConnection);
    m_document = nullptr;
    m_tree->clear();
    auto *base = new QTreeWidgetItem(m_tree, {tr("基础信息")});
    new QTreeWidgetItem(base, {tr("请点击\"新建\"开始使用")});
    base->setExpanded(true);
    m_list->clear();
    m_list->addItem(tr(">>欢迎使用澄川抗滑桩软件"));
    showProgramRows();
    m_tabs->setCurrentWidget(m_propertyTab);
}

void DockView::documentChanged()
{
    if (!m_document)
        return;
    if (m_applying > 0) {
        // The dock's own apply: the table keeps what the user typed.
        refreshCategory(m_applying);
    } else {
        // Someone else (a dialog) changed the project: the table may show a
        // record that has moved or gone.
        rebuildTree();
        showProgramRows();
    }
    reportInputProblem();
}

void DockView::reportInputProblem()
{
    // Told at once, not first at the analysis; the edit stands all the same.
    const QString problem = firstInputProblem(m_document->project());
    if (problem.isEmpty())
        return;
    emit statusMessage(problem);
    // A run of changes that leave the same problem adds no copies of it.
    const QString line = QStringLiteral(">>") + problem;
    if (m_document->messages.isEmpty() || m_document->messages.last() != line)
        m_document->outInfo(line);
}

void DockView::treeDataItemClicked(QTreeWidgetItem *item)
{
    if (!m_document || !item)
        return;
    // Valid results belong to the input as it is: no edits until they go.
    if (m_document->project().status & SHOWRESULT) {
        showProgramRows();
        return;
    }
    const QVariant identity = item->data(0, IdentityRole);
    if (!identity.isValid()) {
        showProgramRows();
        return;
    }
    const int id = identity.toInt();
    const int category = id / 1000 * 1000;
    const int index = id % 1000;
    if (category < 1 || index < 1) {
        showProgramRows();
        return;
    }
    m_category = category;
    m_index = index;
    m_applyButton->setEnabled(true);
    m_tabs->setCurrentWidget(m_propertyTab);

    const Project &doc = m_document->project();
    switch (category) {
    case BaseCategory: showBaseTable(); break;
    case FrontPileCategory: showPileTable(doc.frontPile); break;
    case BackPileCategory: showPileTable(doc.backPile); break;
    case LinkBeamCategory: showLinkBeamTable(); break;
    case SoilCategory:
        if (index <= doc.soils.size())
            showSoilTable(doc.soils[index - 1]);
        else
            clearTable();
        break;
    case AnchorCategory:
        if (index <= doc.anchors.size())
            showAnchorTable(doc.anchors[index - 1]);
        else
            clearTable();
        break;
    case ForceCategory:
        if (index <= doc.AddForces.size())
            showForceTable(doc.AddForces[index - 1]);
        else
            clearTable();
        break;
    default: showProgramRows(); break;
    }
}

void DockView::applyButtonClicked()
{
    if (!m_document || (m_document->project().status & SHOWRESULT) || m_category < 1 || m_index < 1)
        return;
    m_skippedRows.clear();
    switch (m_category) {
    case BaseCategory: applyBaseData(); break;
    case FrontPileCategory:
    case BackPileCategory: applyPileData(); break;
    case LinkBeamCategory: applyLinkbeamData(); break;
    case SoilCategory: applySoilData(); break;
    case AnchorCategory: applyAnchorData(); break;
    case ForceCategory: applyForceData(); break;
    default: break;
    }
}

bool DockView::eventFilter(QObject *watched, QEvent *event)
{
    // A click on a row the table shows only in part would scroll it into
    // view under the mouse, and the second click of a double-click would
    // then open the editor on whatever row moved there. While a button is
    // down the table does not scroll; keys still bring the current row into
    // view.
    if (watched == m_table->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: m_table->setAutoScroll(false); break;
        case QEvent::MouseButtonRelease:
            QTimer::singleShot(0, m_table, [table = m_table] { table->setAutoScroll(true); });
            break;
        default: break;
        }
    }
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const QModelIndex current = m_table->currentIndex();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && current.isValid()
            && current.column() == 1 && current.row() + 1 < m_table->rowCount())
            m_table->setCurrentCell(current.row() + 1, 1);
    }
    return QWidget::eventFilter(watched, event);
}
