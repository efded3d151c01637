#pragma once

// Helpers of the data-dialog tests: typing into a cell through its delegate,
// choosing in a combo cell, pressing a row's button or OK, and working on
// the modal dialog a command opens.

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>

inline QTableWidget *tableOf(QDialog &dialog, const char *name)
{
    return dialog.findChild<QTableWidget *>(QLatin1String(name));
}

inline QString cell(const QTableWidget *table, int row, int column = 1)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QStringLiteral("<none>");
}

// Types the text into the cell's line editor and leaves it, as a user would:
// the delegate writes what its pattern takes and keeps the old text
// otherwise, and the dialog says so once the events in hand are done.
inline void type(QTableWidget *table, int row, const QString &text, int column = 1)
{
    const QModelIndex index = table->model()->index(row, column);
    QAbstractItemDelegate *delegate = table->itemDelegateForIndex(index);
    std::unique_ptr<QWidget> editor(
        delegate->createEditor(table->viewport(), QStyleOptionViewItem(), index));
    auto *edit = qobject_cast<QLineEdit *>(editor.get());
    QVERIFY2(
        edit, qPrintable(QStringLiteral("cell %1, %2 has no line editor").arg(row).arg(column)));
    delegate->setEditorData(edit, index);
    edit->clear();
    // Key events carry Latin-1 keys only; other text goes in as typed from
    // an input method, through the validator all the same.
    bool latin = true;
    for (QChar c : text)
        latin = latin && c.unicode() < 128;
    if (latin)
        QTest::keyClicks(edit, text);
    else
        edit->insert(text);
    delegate->setModelData(edit, table->model(), index);
    QCoreApplication::sendPostedEvents();
}

// Opens the combo editor of the cell, picks the item and commits it.
inline void choose(QTableWidget *table, int row, int choice, int column = 1)
{
    QTableWidgetItem *item = table->item(row, column);
    table->openPersistentEditor(item);
    auto *combo = qobject_cast<QComboBox *>(table->indexWidget(table->indexFromItem(item)));
    QVERIFY2(
        combo, qPrintable(QStringLiteral("cell %1, %2 has no combo editor").arg(row).arg(column)));
    combo->setCurrentIndex(choice);
    table->itemDelegateForIndex(table->indexFromItem(item))
        ->setModelData(combo, table->model(), table->indexFromItem(item));
    table->closePersistentEditor(item);
}

// Presses the button of the row's button cell that carries the tool tip.
inline void pressRowButton(QTableWidget *table, int row, int column, const QString &toolTip)
{
    QWidget *buttons = table->cellWidget(row, column);
    QVERIFY2(buttons, qPrintable(QStringLiteral("row %1 has no buttons").arg(row)));
    for (QToolButton *button : buttons->findChildren<QToolButton *>()) {
        if (button->toolTip() == toolTip) {
            button->click();
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("row %1 has no button %2").arg(row).arg(toolTip)));
}

inline void pressOk(QDialog &dialog)
{
    dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
}

// Runs `work` on the modal dialog the next command opens; a dialog that is
// still open afterwards is rejected.
inline void whenModal(const std::function<void(QDialog &)> &work)
{
    QTimer::singleShot(0, [work] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        work(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
}
