#pragma once

// The program's only top-level window: one tab per open project, the side
// dock, menus, tool bar and status bar. Every command works on the current
// tab's View and its Document.

#include <QMainWindow>
#include <QPointer>

#include <functional>

class DockView;
class Document;
class MyWeb;
class QAction;
class QDockWidget;
class QGridLayout;
class QLabel;
class QMenu;
class QSpinBox;
class QTabWidget;
class QToolBar;
class StudySession;
class StudyWindow;
class View;
struct StudyReport;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The current tab's View, or none when the current tab is no project.
    View *currentView() const;
    // Enables and checks the commands for the current tab.
    void updateActions();
    // Undo and redo follow the current project's history.
    void updateHistoryActions(const Document *doc);

    QTabWidget *tabWidget() const { return m_tabWidget; }
    DockView *dockView() const { return m_dockView; }
    QLabel *statusLabel() const { return m_statusLabel; }

public slots:
    void actNew();
    void actOpen();
    void actSave();
    void actSaveAs();
    void updateRecentFilesMenu();
    void actDesklnk();
    void actExit();
    void actDock();
    void actAbout();
    void actAnalyse(bool checked);
    void actBase();
    void actPile();
    void actSoil();
    void actAnchor();
    void actForce();
    void actUndo();
    void actRedo();
    void actDesign();
    void actMark();
    void actDisplace(bool checked);
    void actMoment(bool checked);
    void actShear(bool checked);
    void actNormal(bool checked);
    void actReact(bool checked);
    void onTabCloseRequested(int index);
    void onCurrentTabChanged(int index);
    void onDocumentModified(bool modified);
    void openFile(const QString &filePath);
    // The calculation report, the result table and the drawing of the
    // current project (mainwindowexports.cpp).
    void actReport();
    void actExportTable();
    void actExportDrawing();
    void actPrint();
    // The parameter study of the current project (mainwindowstudy.cpp).
    void actStudy();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Construction (mainwindow.cpp).
    void setupUi();
    void createActions();
    void createMenus();
    void createToolBar();
    void initStatusBar();
    void connectActions();
    // Short labels in the status bar of a narrow window.
    void fitStatusBar();
    // Runs `command` with the new state whenever a checkable command changes
    // state other than by updateActions().
    void connectToggle(QAction *action, std::function<void(bool)> command);
    void addStartPage();

    // Settings store, recent files and desktop integration
    // (mainwindowsettings.cpp).
    void readSettings();
    void writeSettings();
    void saveLastPath(const QString &path);
    void updateRecentFiles(const QString &path, bool add);
    void registerFileType(const QString &typeName, const QString &description,
        const QString &extension, int iconIndex);

    // Puts a View into a new current tab and wires it to the window.
    void addViewTab(View *view);
    // The tab, the last directory and the recent files after a successful save.
    void showSavedFile(View *view, const QString &message);
    // Shows why an analysis failed: its last log line since linesBefore.
    void showAnalysisFailure(const Document &doc, qsizetype linesBefore);
    // Sets the diagram bit of the current Document.
    void showDiagram(qint32 bit, bool checked);
    void repaintCurrentView();
    // The current tab's Document while its input may be changed, else none
    // (mainwindowdialogs.cpp).
    Document *editableDocument() const;

    // Exports (mainwindowexports.cpp): the state of their commands, the
    // current View when it holds valid results (else the user is told why
    // there is nothing to export), and the name of a file to write, with
    // the suffix of the chosen filter (filters[n] writes suffixes[n]).
    void updateExportActions(const View *view);
    View *viewWithResults();
    QString exportFileName(const View *view, const QString &caption, const QStringList &filters,
        const QStringList &suffixes);

    // Parameter study (mainwindowstudy.cpp): the state of its commands, its
    // window of a tab, "采用" of a value, and the study the report of the
    // current tab takes (false when it takes none).
    void connectStudyActions();
    void updateStudyActions(const View *view);
    StudyWindow *studyWindow(View *view, StudySession *session);
    void applyStudy(StudySession *session, double value);
    bool studyForReport(const View *view, StudyReport &study) const;

    // Widgets and commands, named as the window's layout names them.
    QWidget *m_centralWidget = nullptr;
    QGridLayout *m_gridLayout = nullptr;
    QTabWidget *m_tabWidget = nullptr;
    QDockWidget *m_dockWidgetResult = nullptr;
    QToolBar *m_toolBar = nullptr;
    QMenu *m_recentFilesMenu = nullptr;
    QWidget *m_displaySettings = nullptr;
    QLabel *m_fontSizeLabel = nullptr;
    QLabel *m_offsetLabel = nullptr;
    QSpinBox *m_fontSizeSpin = nullptr;
    QSpinBox *m_offsetSpin = nullptr;

    QAction *m_actNew = nullptr;
    QAction *m_actOpen = nullptr;
    QAction *m_actSave = nullptr;
    QAction *m_actSaveAs = nullptr;
    QAction *m_actExit = nullptr;
    QAction *m_actBase = nullptr;
    QAction *m_actForce = nullptr;
    QAction *m_actUndo = nullptr;
    QAction *m_actRedo = nullptr;
    QAction *m_actDesign = nullptr;
    QAction *m_actAnalyse = nullptr;
    QAction *m_actDock = nullptr;
    QAction *m_actDesklnk = nullptr;
    QAction *m_actDisplace = nullptr;
    QAction *m_actMoment = nullptr;
    QAction *m_actShear = nullptr;
    QAction *m_actNormal = nullptr;
    QAction *m_actReact = nullptr;
    QAction *m_actMark = nullptr;
    QAction *m_actAbout = nullptr;
    QAction *m_actSoil = nullptr;
    QAction *m_actAnchor = nullptr;
    QAction *m_actPile = nullptr;
    QAction *m_actReport = nullptr;
    QAction *m_actExportTable = nullptr;
    QAction *m_actExportDrawing = nullptr;
    QAction *m_actPrint = nullptr;
    QAction *m_actStudy = nullptr;
    QAction *m_actStudyReport = nullptr;

    // True while updateActions() sets the check states.
    bool m_settingActionState = false;
    QLabel *m_statusLabel = nullptr;
    DockView *m_dockView = nullptr;
    // The start page until it is closed; a hidden child of the tab widget
    // after that.
    QPointer<MyWeb> m_startPage;
};
