#pragma once

// Content of the side dock. For the document of the current tab it shows a
// tree that sums up the project one fact a line, the information window with
// the document's messages, and a property table in which the record behind a
// tree line is edited. An apply hands the edited copy to the Document's road
// for changes; the dock, like the drawing, follows the Document's dataChanged
// announcement, so a dialog's change shows here without anyone refreshing it.
//
// The dock holds the document through a guarded pointer and checks it before
// every use: the document goes with its tab at any time.

#include "document/document.h"
#include "model/inputpatterns.h"

#include <QPointer>
#include <QWidget>

class QAbstractItemDelegate;
class QLabel;
class QListWidget;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTableWidget;
class QTableWidgetItem;
class QTreeWidget;
class QTreeWidgetItem;

class DockView : public QWidget
{
    Q_OBJECT

public:
    // Categories of the tree; a tree line's identity is its category plus
    // its 1-based position inside it (0 for the category line itself).
    enum Category {
        BaseCategory = 1000,
        FrontPileCategory = 2000,
        BackPileCategory = 3000,
        LinkBeamCategory = 4000,
        SoilCategory = 5000,
        AnchorCategory = 6000,
        ForceCategory = 7000,
        ResultCategory = 8000,
        DesignCategory = 9000,
    };
    // Data role of column 0 that holds a tree line's identity.
    static constexpr int IdentityRole = Qt::UserRole + 1;

    explicit DockView(QWidget *parent = nullptr);
    ~DockView() override;

    // The shown document; none in the welcome state or after its tab closed.
    Document *document() const { return m_document; }
    int selectedCategory() const { return m_category; }
    int selectedIndex() const { return m_index; }

    // Shows the given project: tree, messages, and the program rows.
    void setDocument(Document *doc);
    // Shows no project.
    void showWelcome();
    // Brings one category of the tree up to date; BaseCategory rebuilds all.
    void refreshCategory(int category);
    // Puts the program's name and address into the table and drops the
    // selection.
    void showProgramRows();

    // Wide enough for the tree's longest lines.
    QSize sizeHint() const override;

signals:
    // A note for the status bar (a value left empty, a value not computed).
    void statusMessage(const QString &text);

public slots:
    void treeDataItemClicked(QTreeWidgetItem *item);
    void indexChangedBaseData(int row, int column, int index);
    void indexChangedPileData(int row, int column, int index);
    void applyButtonClicked();
    void applyBaseData();
    void applyPileData();
    void applyLinkbeamData();
    void applySoilData();
    void applyAnchorData();
    void applyAnchorData(AnchorInfo &anchor);
    void applyForceData();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The Document announced a change.
    void documentChanged();
    // Tree, messages and program rows of the shown document.
    void showDocument();
    // The first problem of the input after a change, in the status bar and
    // the information window.
    void reportInputProblem();

    // Tree (docktree.cpp).
    void rebuildTree();
    void addChildren(QTreeWidgetItem *category);
    QString categoryText(int category) const;
    QTreeWidgetItem *categoryItem(int category) const;
    void expandTree();
    // Whether a category stands open: all of them for input, only the
    // results and the design checks while results are shown.
    bool openCategory(int category) const;

    // Table (dockproperties.cpp).
    void clearTable();
    int addRow(const QString &label, const QString &value, bool editable = true);
    void setFixed(int row, const QString &text);
    void setValue(int row, const QString &text);
    void setRowDelegate(int row, QAbstractItemDelegate *delegate);
    void setRowPattern(int row, const InputPattern &pattern);
    // A value cell refused a finished edit: said in the status bar and the
    // information window, and again after the apply.
    void valueRefused(const QModelIndex &index, const QString &reason);
    QString cellText(int row) const;
    // The number in a value cell; an empty or unreadable cell keeps `value`
    // and is noted, so the apply can say which rows it left alone.
    void readNumber(int row, double &value, double scale = 1.0);
    void readInteger(int row, qint32 &value);
    void reportSkippedRows();
    void showBaseTable();
    void showPileTable(const PileInfo &pile);
    void showLinkBeamTable();
    void showSoilTable(const SoilInfo &soil);
    void addCoefficientButton();
    void computeCoefficientM();
    void showAnchorTable(const AnchorInfo &anchor);
    void showForceTable(const ForceInfo &force);

    QPointer<Document> m_document;
    QMetaObject::Connection m_documentConnection;
    QMetaObject::Connection m_logConnection;
    QMetaObject::Connection m_resultsConnection;
    int m_category = -1;
    int m_index = -1;
    // Category of the dock's own apply while it runs; its table stays.
    int m_applying = 0;
    QStringList m_skippedRows;
    QStringList m_refusedRows;
    QList<QAbstractItemDelegate *> m_delegates;

    QSplitter *m_splitter;
    QTreeWidget *m_tree;
    QTabWidget *m_tabs;
    QWidget *m_infoTab;
    QWidget *m_propertyTab;
    QListWidget *m_list;
    QTableWidget *m_table;
    QPushButton *m_applyButton;
};
