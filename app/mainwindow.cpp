// Construction of the main window: commands, menus, tool bar, tabs, dock and
// status bar.

#include "app/mainwindow.h"

#include "app/desktopintegration.h"
#include "app/myweb.h"
#include "buildinfo.h"
#include "dock/dockview.h"
#include "view/displaysettings.h"
#include "view/view.h"

#include <QAbstractButton>
#include <QAction>
#include <QDockWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

namespace {

QAction *makeAction(QObject *parent, const char *objectName, const QString &text,
    const QString &toolTip, const QString &statusTip, const char *icon = nullptr,
    const char *shortcut = nullptr, bool checkable = false)
{
    auto *action = new QAction(text, parent);
    action->setObjectName(QLatin1String(objectName));
    action->setToolTip(toolTip);
    action->setStatusTip(statusTip);
    if (icon)
        action->setIcon(QIcon(QStringLiteral(":/res/") + QLatin1String(icon)));
    if (shortcut)
        action->setShortcut(QKeySequence(QLatin1String(shortcut)));
    action->setCheckable(checkable);
    action->setMenuRole(QAction::NoRole);
    return action;
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setupUi();
    readSettings();
    initStatusBar();
    connectActions();
    updateActions();
    addStartPage();
    registerFileType(QLatin1String(DesktopIntegration::FileTypeName),
        QLatin1String(DesktopIntegration::FileTypeDescription),
        QLatin1String(DesktopIntegration::FileExtension), DesktopIntegration::FileIconIndex);
}

MainWindow::~MainWindow() = default;

void MainWindow::setupUi()
{
    setObjectName(QStringLiteral("MainWindow"));
    resize(1180, 854);
    setIconSize(QSize(32, 32));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setAcceptDrops(true);

    createActions();
    createMenus();
    createToolBar();

    m_centralWidget = new QWidget(this);
    m_centralWidget->setObjectName(QStringLiteral("centralwidget"));
    m_gridLayout = new QGridLayout(m_centralWidget);
    m_gridLayout->setObjectName(QStringLiteral("gridLayout"));
    m_gridLayout->setContentsMargins(0, 0, 0, 0);
    m_tabWidget = new QTabWidget(m_centralWidget);
    m_tabWidget->setObjectName(QStringLiteral("tabWidget"));
    m_tabWidget->setTabsClosable(true);
    m_tabWidget->setMovable(true);
    m_gridLayout->addWidget(m_tabWidget, 0, 0);
    setCentralWidget(m_centralWidget);

    m_dockWidgetResult = new QDockWidget(tr("数据一览表"), this);
    m_dockWidgetResult->setObjectName(QStringLiteral("dockWidgetResult"));
    m_dockWidgetResult->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    addDockWidget(Qt::LeftDockWidgetArea, m_dockWidgetResult);

    statusBar()->setObjectName(QStringLiteral("statusbar"));
    m_tabWidget->setCurrentIndex(0);
}

void MainWindow::createActions()
{
    m_actNew = makeAction(
        this, "actNew", tr("新建"), tr("新建文件"), tr("新建文件"), "newdoc.ico", "Ctrl+N");
    m_actOpen = makeAction(
        this, "actOpen", tr("打开"), tr("打开文件"), tr("打开文件"), "opendoc.ico", "Ctrl+O");
    m_actSave = makeAction(
        this, "actSave", tr("保存"), tr("保存文件"), tr("保存文件"), "savedoc.ico", "Ctrl+S");
    m_actSaveAs = makeAction(this, "actSaveAs", tr("另存"), tr("另存文件"), tr("另存文件"));
    m_actExit = makeAction(
        this, "actExit", tr("退出"), tr("退出应用程序"), tr("退出应用程序"), nullptr, "Ctrl+Q");
    m_actBase = makeAction(this, "actBase", tr("基础信息"), tr("输入基础信息"), tr("输入基础信息"),
        "base.ico", "Ctrl+1");
    m_actForce = makeAction(this, "actForce", tr("附加力"), tr("输入桩身附加作用力"),
        tr("输入桩身附加作用力"), "action.ico", "Ctrl+5");
    m_actUndo =
        makeAction(this, "actUndo", tr("撤销"), tr("撤销"), tr("撤销"), "undo.ico", "Ctrl+Z");
    m_actRedo =
        makeAction(this, "actRedo", tr("重做"), tr("重做"), tr("重做"), "redo.ico", "Ctrl+Y");
    m_actRedo->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    m_actDesign = makeAction(this, "actDesign", tr("设计参数"), tr("输入设计验算参数"),
        tr("输入设计验算参数"), "design.ico", "Ctrl+6");
    m_actAnalyse = makeAction(
        this, "actAnalyse", tr("分析"), tr("开始分析"), tr("开始分析"), "ans.ico", "F5", true);
    m_actDock =
        makeAction(this, "actDock", tr("侧边栏"), tr("显示或隐藏侧边栏"), tr("显示或隐藏侧边栏"));
    m_actDesklnk = makeAction(
        this, "actDesklnk", tr("快捷方式"), tr("添加桌面快捷方式"), tr("添加桌面快捷方式"));
    m_actDisplace = makeAction(this, "actDisplace", tr("位移"), tr("显示位移"), tr("显示位移"),
        "displace.ico", nullptr, true);
    m_actMoment = makeAction(
        this, "actMoment", tr("弯矩"), tr("显示弯矩"), tr("显示弯矩"), "monent.ico", nullptr, true);
    m_actShear = makeAction(
        this, "actShear", tr("剪力"), tr("显示剪力"), tr("显示剪力"), "shear.ico", nullptr, true);
    m_actNormal = makeAction(
        this, "actNormal", tr("轴力"), tr("显示轴力"), tr("显示轴力"), "force.ico", nullptr, true);
    m_actReact = makeAction(
        this, "actReact", tr("反力"), tr("显示反力"), tr("显示反力"), "react.ico", nullptr, true);
    m_actMark = makeAction(this, "actMark", tr("标注"), tr("显示所有标注"), tr("显示所有标注"),
        "mark.ico", nullptr, true);
    m_actAbout = makeAction(this, "actAbout", tr("关于"), tr("关于"), tr("关于"), "about.ico");
    m_actSoil = makeAction(this, "actSoil", tr("岩土层"), tr("输入岩土层参数"),
        tr("输入岩土层参数"), "soil.ico", "Ctrl+2");
    m_actAnchor = makeAction(this, "actAnchor", tr("锚索(杆)"), tr("锚索或锚杆"),
        tr("修改锚索或锚杆"), "anchor.ico", "Ctrl+4");
    m_actPile = makeAction(this, "actPile", tr("抗滑桩"), tr("输入桩身参数"), tr("输入桩身参数"),
        "pile.ico", "Ctrl+3");
    m_actReport = makeAction(this, "actReport", tr("计算书"), tr("生成计算书"),
        tr("生成计算书(PDF或HTML文件)"), "report.ico", "Ctrl+R");
    m_actExportTable = makeAction(this, "actExportTable", tr("导出结果表"),
        tr("导出桩身各节点结果表"), tr("导出桩身各节点结果表(CSV文件)"));
    m_actExportDrawing = makeAction(this, "actExportDrawing", tr("导出图形"), tr("保存当前图形"),
        tr("将当前图形保存为PNG图片或SVG矢量图"));
    m_actPrint = makeAction(this, "actPrint", tr("打印图形"), tr("打印当前图形"),
        tr("打印当前图形"), nullptr, "Ctrl+P");
    m_actStudy = makeAction(this, "actStudy", tr("参数分析"), tr("参数分析"),
        tr("在一个范围内改变一个参数，逐一分析并验算"));
    m_actStudyReport =
        makeAction(this, "actStudyReport", tr("计算书包含参数分析"), tr("计算书包含参数分析"),
            tr("计算书中加入本项目最近一次参数分析的表格和图表"), nullptr, nullptr, true);

    // The menus show the keys beside the entries; tool tips name them too.
    for (QAction *action : findChildren<QAction *>()) {
        if (!action->shortcut().isEmpty())
            action->setToolTip(tr("%1 (%2)").arg(
                action->toolTip(), action->shortcut().toString(QKeySequence::NativeText)));
    }
}

void MainWindow::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("menubar"));

    QMenu *file = bar->addMenu(tr("文件(&F)"));
    file->setObjectName(QStringLiteral("menu"));
    file->addAction(m_actNew);
    file->addAction(m_actOpen);
    file->addAction(m_actSave);
    file->addAction(m_actSaveAs);
    file->addSeparator();
    m_recentFilesMenu = file->addMenu(tr("最近文件"));
    m_recentFilesMenu->setObjectName(QStringLiteral("recentfilesmenu"));
    m_recentFilesMenu->setEnabled(false);
    file->addSeparator();
    file->addAction(m_actExit);

    QMenu *data = bar->addMenu(tr("数据(&D)"));
    data->setObjectName(QStringLiteral("menu_2"));
    data->addActions({m_actUndo, m_actRedo});
    data->addSeparator();
    data->addActions({m_actBase, m_actSoil, m_actPile, m_actAnchor, m_actForce, m_actDesign});
    data->addSeparator();
    data->addAction(m_actStudy);

    QMenu *result = bar->addMenu(tr("结果(&R)"));
    result->setObjectName(QStringLiteral("menu_3"));
    result->addAction(m_actAnalyse);
    result->addSeparator();
    result->addActions({m_actReport, m_actStudyReport, m_actExportTable});
    result->addSeparator();
    result->addActions({m_actExportDrawing, m_actPrint});

    QMenu *query = bar->addMenu(tr("查询(&Q)"));
    query->setObjectName(QStringLiteral("menu_4"));
    query->addAction(m_actMark);
    query->addSeparator();
    query->addActions({m_actDisplace, m_actMoment, m_actShear, m_actNormal, m_actReact});

    QMenu *setting = bar->addMenu(tr("设置(&S)"));
    setting->setObjectName(QStringLiteral("menu_5"));
    setting->addAction(m_actDock);
    setting->addAction(m_actDesklnk);
    setting->addSeparator();
    setting->addAction(m_actAbout);

    // F10 takes the keyboard into the menu bar: the first menu opens, the
    // arrow keys go on from there.
    auto *menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    menuKey->setObjectName(QStringLiteral("menuBarShortcut"));
    connect(menuKey, &QShortcut::activated, this, [bar] {
        if (bar->isVisible() && !bar->actions().isEmpty())
            bar->setActiveAction(bar->actions().constFirst());
    });
}

void MainWindow::createToolBar()
{
    m_toolBar = new QToolBar(QStringLiteral("toolBar"), this);
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    m_toolBar->addActions({m_actNew, m_actOpen, m_actSave});
    m_toolBar->addSeparator();
    m_toolBar->addActions({m_actUndo, m_actRedo});
    m_toolBar->addSeparator();
    m_toolBar->addActions({m_actBase, m_actSoil, m_actPile, m_actAnchor, m_actForce, m_actDesign});
    m_toolBar->addSeparator();
    m_toolBar->addAction(m_actMark);
    m_toolBar->addSeparator();
    m_toolBar->addAction(m_actAnalyse);
    m_toolBar->addAction(m_actReport);
    m_toolBar->addSeparator();
    m_toolBar->addActions({m_actDisplace, m_actMoment, m_actShear, m_actNormal, m_actReact});
    m_toolBar->addSeparator();
    m_toolBar->addAction(m_actAbout);
}

void MainWindow::initStatusBar()
{
    setWindowTitle(tr("%1V%2.%3")
                       .arg(QString::fromUtf8(RIDEZU_PROGRAM_NAME))
                       .arg(RIDEZU_VERSION_MAJOR)
                       .arg(RIDEZU_VERSION_MINOR));
    statusBar()->showMessage(tr("欢迎使用澄川抗滑桩软件, 请点击\"新建\"开始使用"));

    m_displaySettings = new QWidget(statusBar());
    QWidget *display = m_displaySettings;
    display->setMinimumSize(400, 20);
    auto *layout = new QHBoxLayout(display);
    layout->setContentsMargins(10, 0, 10, 0);
    m_fontSizeLabel = new QLabel(tr("显示设置：字体大小(30-100)"), display);
    m_fontSizeLabel->setToolTip(m_fontSizeLabel->text());
    layout->addWidget(m_fontSizeLabel);
    m_fontSizeSpin = new QSpinBox(display);
    m_fontSizeSpin->setObjectName(QStringLiteral("spinFontSize"));
    m_fontSizeSpin->setRange(30, 100);
    m_fontSizeSpin->setValue(displayFontSize);
    layout->addWidget(m_fontSizeSpin);
    m_offsetLabel = new QLabel(tr("变形偏移量(1-10)"), display);
    m_offsetLabel->setToolTip(m_offsetLabel->text());
    layout->addWidget(m_offsetLabel);
    m_offsetSpin = new QSpinBox(display);
    m_offsetSpin->setObjectName(QStringLiteral("spinOffset"));
    m_offsetSpin->setRange(1, 10);
    m_offsetSpin->setValue(displayOffset);
    layout->addWidget(m_offsetSpin);
    statusBar()->addPermanentWidget(display);

    // Only the current tab is repainted; the others catch up when shown.
    connect(m_fontSizeSpin, qOverload<int>(&QSpinBox::valueChanged), this, [this](int value) {
        displayFontSize = value;
        repaintCurrentView();
    });
    connect(m_offsetSpin, qOverload<int>(&QSpinBox::valueChanged), this, [this](int value) {
        displayOffset = value;
        repaintCurrentView();
    });

    m_statusLabel = new QLabel(tr("Kestrane 澄川抗滑桩  kestrane.example"), statusBar());
    m_statusLabel->setObjectName(QStringLiteral("statusLabel"));
    m_statusLabel->setMinimumWidth(230);
    statusBar()->addPermanentWidget(m_statusLabel);

    m_dockView = new DockView(m_dockWidgetResult);
    m_dockWidgetResult->setWidget(m_dockView);
    connect(m_dockView, &DockView::statusMessage, this,
        [this](const QString &text) { statusBar()->showMessage(text, 10000); });

    setStyleSheet(QStringLiteral("QStatusBar{border-top:1px solid #34495e;}"
                                 "QDockWidget::title{padding:5px;"
                                 "background:rgba(36,161,254,50);}"));
}

void MainWindow::connectActions()
{
    connect(m_actNew, &QAction::triggered, this, &MainWindow::actNew);
    connect(m_actOpen, &QAction::triggered, this, &MainWindow::actOpen);
    connect(m_actSave, &QAction::triggered, this, &MainWindow::actSave);
    connect(m_actSaveAs, &QAction::triggered, this, &MainWindow::actSaveAs);
    connect(m_actDesklnk, &QAction::triggered, this, &MainWindow::actDesklnk);
    connect(m_actExit, &QAction::triggered, this, &MainWindow::actExit);
    connect(m_actDock, &QAction::triggered, this, &MainWindow::actDock);
    connect(m_actAbout, &QAction::triggered, this, &MainWindow::actAbout);
    connect(m_actBase, &QAction::triggered, this, &MainWindow::actBase);
    connect(m_actPile, &QAction::triggered, this, &MainWindow::actPile);
    connect(m_actSoil, &QAction::triggered, this, &MainWindow::actSoil);
    connect(m_actAnchor, &QAction::triggered, this, &MainWindow::actAnchor);
    connect(m_actForce, &QAction::triggered, this, &MainWindow::actForce);
    connect(m_actDesign, &QAction::triggered, this, &MainWindow::actDesign);
    connect(m_actUndo, &QAction::triggered, this, &MainWindow::actUndo);
    connect(m_actRedo, &QAction::triggered, this, &MainWindow::actRedo);
    connectToggle(m_actAnalyse, [this](bool on) { actAnalyse(on); });
    connectToggle(m_actMark, [this](bool) { actMark(); });
    connectToggle(m_actDisplace, [this](bool on) { actDisplace(on); });
    connectToggle(m_actMoment, [this](bool on) { actMoment(on); });
    connectToggle(m_actShear, [this](bool on) { actShear(on); });
    connectToggle(m_actNormal, [this](bool on) { actNormal(on); });
    connectToggle(m_actReact, [this](bool on) { actReact(on); });
    connect(m_actReport, &QAction::triggered, this, &MainWindow::actReport);
    connect(m_actExportTable, &QAction::triggered, this, &MainWindow::actExportTable);
    connect(m_actExportDrawing, &QAction::triggered, this, &MainWindow::actExportDrawing);
    connect(m_actPrint, &QAction::triggered, this, &MainWindow::actPrint);
    connectStudyActions();

    auto *fileMenu = menuBar()->findChild<QMenu *>(QStringLiteral("menu"));
    connect(fileMenu, &QMenu::aboutToShow, this, &MainWindow::updateRecentFilesMenu);
    connect(m_recentFilesMenu, &QMenu::triggered, this,
        [this](QAction *action) { openFile(action->data().toString()); });

    connect(m_tabWidget, &QTabWidget::tabCloseRequested, this, &MainWindow::onTabCloseRequested);
    connect(m_tabWidget, &QTabWidget::currentChanged, this, &MainWindow::onCurrentTabChanged);
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    fitStatusBar();
}

void MainWindow::fitStatusBar()
{
    if (!m_displaySettings || !m_statusLabel)
        return;
    // Below this width the full labels and the address leave the messages
    // no room: the status bar would draw them over the spin boxes.
    constexpr int COMPACTWIDTH = 1000;
    const bool compact = width() < COMPACTWIDTH;
    m_fontSizeLabel->setText(compact ? tr("字体") : m_fontSizeLabel->toolTip());
    m_offsetLabel->setText(compact ? tr("偏移") : m_offsetLabel->toolTip());
    m_displaySettings->setMinimumWidth(compact ? 0 : 400);
    m_statusLabel->setMinimumWidth(compact ? 0 : 230);
}

void MainWindow::connectToggle(QAction *action, std::function<void(bool)> command)
{
    // The commands follow the check state, not the click: assistive
    // technology toggles a tool button without clicking it, and a toggle
    // must do what a click does. The window's own updates of the state run
    // nothing.
    connect(action, &QAction::toggled, this, [this, action, command](bool checked) {
        if (m_settingActionState)
            return;
        if (action->isEnabled())
            command(checked);
        updateActions();
    });
    // A tool button toggled on its own hands its state to the action.
    if (auto *button = qobject_cast<QAbstractButton *>(m_toolBar->widgetForAction(action))) {
        connect(button, &QAbstractButton::toggled, action, [action](bool checked) {
            if (action->isChecked() != checked)
                action->setChecked(checked);
        });
    }
}

void MainWindow::addStartPage()
{
    m_startPage = new MyWeb;
    connect(m_startPage, &MyWeb::newRequested, this, &MainWindow::actNew);
    connect(m_startPage, &MyWeb::openRequested, this, &MainWindow::actOpen);
    connect(m_startPage, &MyWeb::openFileRequested, this, &MainWindow::openFile);
    const int index = m_tabWidget->addTab(m_startPage, tr("起始页"));
    m_tabWidget->setCurrentIndex(index);
    m_startPage->showMaximized();
}
