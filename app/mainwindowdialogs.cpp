// The data commands of the main window. Each opens its dialog on copies of
// the current project's records and hands the accepted copies to the
// Document's road for changes, which derives what follows from them, marks
// the project modified and announces the change once: the View repaints and
// the side dock rebuilds its tree and shows the program rows. Cancel, or
// closing a dialog by its title bar, changes nothing.

#include "app/mainwindow.h"

#include "model/document.h"
#include "view/view.h"

#include "dialogs/anchor/anchordialog.h"
#include "dialogs/force/forcedialog.h"
#include "dialogs/soil/soildialog.h"

#include <QPointer>

Document *MainWindow::editableDocument() const
{
    View *view = currentView();
    Document *doc = view ? view->document() : nullptr;
    // While results are shown the data commands are off, and the Document
    // would refuse a change anyway.
    return doc && doc->inputEditable() ? doc : nullptr;
}

// The record dialogs: basic information and piles.

void MainWindow::actBase() { }

void MainWindow::actPile() { }

// The list dialogs: soil layers, anchors and additional forces.

void MainWindow::actSoil()
{
    QPointer<Document> doc = editableDocument();
    if (!doc)
        return;
    SoilDialog dialog(doc->soils, this);
    if (dialog.exec() == QDialog::Accepted && doc)
        doc->changeSoils(dialog.soils());
}

void MainWindow::actAnchor()
{
    QPointer<Document> doc = editableDocument();
    if (!doc)
        return;
    AnchorDialog dialog(doc->anchors, doc->base.PileForm, this);
    if (dialog.exec() == QDialog::Accepted && doc)
        doc->changeAnchors(dialog.anchors());
}

void MainWindow::actForce()
{
    QPointer<Document> doc = editableDocument();
    if (!doc)
        return;
    ForceDialog dialog(doc->AddForces, doc->base.PileForm, this);
    if (dialog.exec() == QDialog::Accepted && doc)
        doc->changeForces(dialog.forces());
}
