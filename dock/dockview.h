#pragma once

// Content of the side dock: what the current project holds and its
// information log. For now it shows the log; the data tree and the property
// table join it later.

#include "model/document.h"

#include <QPointer>
#include <QWidget>

class QListWidget;

class DockView : public QWidget
{
    Q_OBJECT

public:
    // Ids of the sections of the dock, as the main window refreshes them.
    enum Category {
        AllCategories = 1000,
        FrontPileCategory = 2000,
        BackPileCategory = 3000,
        LinkBeamCategory = 4000,
        SoilCategory = 5000,
        AnchorCategory = 6000,
        ForceCategory = 7000,
    };

    explicit DockView(QWidget *parent = nullptr);

    Document *document() const { return m_document; }

    // Shows the given project; its log is listed anew, scrolled to the end.
    void setDocument(Document *doc);
    // Shows no project.
    void showWelcome();
    // Brings one section up to date with the shown project.
    void refreshCategory(int category);

private:
    void showMessages();

    QPointer<Document> m_document;
    QListWidget *m_info;
};
