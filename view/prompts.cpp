#include "view/prompts.h"

#include <QFileDialog>
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

} // namespace

AskFunction ask = showQuestion;
WarnFunction warn = showWarning;
FileFunction openFileName = showOpenDialog;
FileFunction saveFileName = showSaveDialog;

void restoreDefaults()
{
    ask = showQuestion;
    warn = showWarning;
    openFileName = showOpenDialog;
    saveFileName = showSaveDialog;
}

} // namespace Prompts
