#include "view/prompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QPrintDialog>
#include <QPushButton>

namespace Prompts {

namespace {

QMessageBox::StandardButton showQuestion(QWidget *parent, const Question &q)
{
    QMessageBox box(QMessageBox::Warning, q.title, q.text, QMessageBox::NoButton, parent);
    box.setInformativeText(q.informativeText);
    for (const auto &button : q.buttons)
        box.addButton(button.first)->setText(button.second);
    if (q.defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(q.defaultButton);
    box.exec();
    return box.standardButton(box.clickedButton());
}

void showWarning(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

QString showOpenDialog(QWidget *parent, const QString &caption, const QString &proposal,
    const QString &filter, QString *selectedFilter)
{
    return QFileDialog::getOpenFileName(parent, caption, proposal, filter, selectedFilter);
}

QString showSaveDialog(QWidget *parent, const QString &caption, const QString &proposal,
    const QString &filter, QString *selectedFilter)
{
    return QFileDialog::getSaveFileName(parent, caption, proposal, filter, selectedFilter);
}

int showChoice(QWidget *parent, const QString &title, const QString &label,
    const QStringList &items, int current)
{
    bool ok = false;
    const QString item = QInputDialog::getItem(parent, title, label, items, current, false, &ok);
    return ok ? int(items.indexOf(item)) : -1;
}

bool showPrintDialog(QWidget *parent, QPrinter *printer)
{
    QPrintDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

AskFunction ask = showQuestion;
WarnFunction warn = showWarning;
FileFunction openFileName = showOpenDialog;
FileFunction saveFileName = showSaveDialog;
ChoiceFunction choose = showChoice;
PrintFunction print = showPrintDialog;

void restoreDefaults()
{
    ask = showQuestion;
    warn = showWarning;
    openFileName = showOpenDialog;
    saveFileName = showSaveDialog;
    choose = showChoice;
    print = showPrintDialog;
}

} // namespace Prompts
