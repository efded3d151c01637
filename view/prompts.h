#pragma once

// Message boxes and file dialogs go through these replaceable functions, so
// that a test can answer them without a person. The defaults show the real
// boxes and dialogs.

#include <QList>
#include <QMessageBox>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

class QPrinter;
class QWidget;

namespace Prompts {

// A warning-icon question with the given buttons and their texts.
struct Question
{
    QString title;
    QString text;
    QString informativeText;
    QList<QPair<QMessageBox::StandardButton, QString>> buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
};

// Returns the button chosen; closing the box gives its escape button.
using AskFunction = std::function<QMessageBox::StandardButton(QWidget *, const Question &)>;
// A warning box with the button OK.
using WarnFunction = std::function<void(QWidget *, const QString &title, const QString &text)>;
// Returns the chosen file name, or an empty text when cancelled. The filter
// selected in the dialog comes back in selectedFilter (when given), which
// also names the filter selected at first.
using FileFunction = std::function<QString(QWidget *, const QString &caption,
    const QString &proposal, const QString &filter, QString *selectedFilter)>;

// One of several items, `current` chosen at first; returns the index
// chosen, or -1 when cancelled.
using ChoiceFunction = std::function<int(
    QWidget *, const QString &title, const QString &label, const QStringList &items, int current)>;
// The print dialog for the printer; true when the user chose to print.
using PrintFunction = std::function<bool(QWidget *, QPrinter *)>;

extern AskFunction ask;
extern WarnFunction warn;
extern FileFunction openFileName;
extern FileFunction saveFileName;
extern ChoiceFunction choose;
extern PrintFunction print;

// Puts the real boxes and dialogs back.
void restoreDefaults();

} // namespace Prompts
