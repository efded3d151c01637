// The data commands of the main window. Each opens its dialog on copies of
// the current project's records and hands the accepted copies to the
// Document's road for changes, which derives what follows from them, marks
// the project modified and announces the change once: the View repaints and
// the side dock rebuilds its tree and shows the program rows. Cancel, or
// closing a dialog by its title bar, changes nothing.

#include "app/mainwindow.h"

#include "dialogs/anchor/anchordialog.h"
#include "dialogs/base/basedialog.h"
#include "dialogs/design/designdialog.h"
#include "dialogs/force/forcedialog.h"
#include "dialogs/pile/piledialog.h"
#include "dialogs/soil/soildialog.h"
#include "document/document.h"
#include "view/view.h"

#include <QPointer>

Document *MainWindow::editableDocument() const
{
    View *view = currentView();
    Document *doc = view ? view->document() : nullptr;
    // While results are shown the data commands are off, and the Document
    // would refuse a change anyway.
    return doc && doc->inputEditable() ? doc : nullptr;
}

// The record dialogs: basic information, piles and design data.

void MainWindow::actBase()
{
    const QPointer<Document> doc = editableDocument();
    if (!doc)
        return;
    BaseDialog dialog(doc->project().base, this);
    // The tab, and its Document, may have gone while the dialog was open.
    if (dialog.exec() == QDialog::Accepted && doc)
        doc->changeBase(dialog.base());
}

void MainWindow::actPile()
{
    const QPointer<Document> doc = editableDocument();
    if (!doc)
        return;
    PileDialog dialog(doc->project().frontPile, doc->project().backPile, doc->project().linkBeam,
        doc->project().base.PileForm, this);
    // A single row's dialog hands the back pile and the beam back as they
    // were: only the front pile changes.
    if (dialog.exec() == QDialog::Accepted && doc)
        doc->changePiles(dialog.frontPile(), dialog.backPile(), dialog.linkBeam());
}

void MainWindow::actDesign()
{
    const QPointer<Document> doc = editableDocument();
    if (!doc)
        return;
    DesignDialog dialog(doc->project().design, doc->project().frontPile, doc->project().backPile,
        doc->project().linkBeam, doc->project().base.PileForm, this);
    if (dialog.exec() == QDialog::Accepted && doc)
        doc->changeDesign(dialog.design());
}

// The list dialogs: soil layers, anchors and additional forces.

void MainWindow::actSoil()
{
    const QPointer<Document> doc = editableDocument();
    if (!doc)
        return;
    SoilDialog dialog(doc->project().soils, this);
    if (dialog.exec() == QDialog::Accepted && doc)
        doc->changeSoils(dialog.soils());
}

void MainWindow::actAnchor()
{
    const QPointer<Document> doc = editableDocument();
    if (!doc)
        return;
    AnchorDialog dialog(doc->project().anchors, doc->project().base.PileForm, this);
    if (dialog.exec() == QDialog::Accepted && doc)
        doc->changeAnchors(dialog.anchors());
}

void MainWindow::actForce()
{
    const QPointer<Document> doc = editableDocument();
    if (!doc)
        return;
    ForceDialog dialog(doc->project().AddForces, doc->project().base.PileForm, this);
    if (dialog.exec() == QDialog::Accepted && doc)
        doc->changeForces(dialog.forces());
}
