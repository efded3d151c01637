#pragma once

// Helpers shared by the GUI tests: answering message boxes and file dialogs,
// the raw settings store (made private by guitestfixture.h), and looking at
// rendered pixels.

#include "buildinfo.h"
#include "view/prompts.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdlib>
#include <functional>

// Records every prompt and answers from queues; puts the real prompts back
// when it goes.
struct PromptRecorder
{
    QList<Prompts::Question> questions;
    QList<QMessageBox::StandardButton> answers; // used front first; Cancel when empty
    QStringList warnings;
    QList<QWidget *> warningWindows; // the window each warning was shown over
    QStringList fileProposals;
    QStringList fileAnswers; // used front first; cancelled when empty
    QString fileFilter; // the filter chosen in the file dialog; empty keeps the first
    QStringList choiceItems; // the items of the last choice offered
    QList<int> choices; // indexes chosen, front first; cancelled when empty
    // Answers the print dialog for the printer; cancelled when not set.
    std::function<bool(QPrinter *)> printAnswer;

    PromptRecorder()
    {
        Prompts::ask = [this](QWidget *, const Prompts::Question &q) {
            questions.append(q);
            return answers.isEmpty() ? QMessageBox::Cancel : answers.takeFirst();
        };
        Prompts::warn = [this](QWidget *parent, const QString &, const QString &text) {
            warnings.append(text);
            warningWindows.append(parent ? parent->window() : nullptr);
        };
        const auto file = [this](QWidget *, const QString &, const QString &proposal,
                              const QString &, QString *selectedFilter) {
            fileProposals.append(proposal);
            if (selectedFilter && !fileFilter.isEmpty())
                *selectedFilter = fileFilter;
            return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst();
        };
        Prompts::openFileName = file;
        Prompts::saveFileName = file;
        Prompts::choose = [this](QWidget *, const QString &, const QString &,
                              const QStringList &items, int) {
            choiceItems = items;
            return choices.isEmpty() ? -1 : choices.takeFirst();
        };
        Prompts::print = [this](QWidget *, QPrinter *printer) {
            return printAnswer ? printAnswer(printer) : false;
        };
    }
    ~PromptRecorder() { Prompts::restoreDefaults(); }
    PromptRecorder(const PromptRecorder &) = delete;
    PromptRecorder &operator=(const PromptRecorder &) = delete;
};

// The raw settings store, for tests that plant or inspect values by their
// stored keys; the program itself goes through Settings.
inline QSettings openSettings()
{
    return QSettings(QStringLiteral(RIDEZU_ORGANIZATION), QStringLiteral(RIDEZU_APPLICATION));
}

// Colour tests that survive antialiasing, where a thin line is mixed with
// the white background.
inline bool isBlackish(QColor c)
{
    return c.red() < 80 && c.green() < 80 && c.blue() < 80;
}
inline bool isGreenish(QColor c)
{
    return c.green() - c.red() > 40 && c.green() - c.blue() > 40;
}
inline bool isReddish(QColor c)
{
    return c.red() - c.green() > 80 && c.red() - c.blue() > 80;
}
inline bool isMagentaish(QColor c)
{
    return c.red() - c.green() > 40 && c.blue() - c.green() > 40;
}
inline bool isGreyish(QColor c)
{
    return c.red() < 200 && std::abs(c.red() - c.green()) < 12 && std::abs(c.red() - c.blue()) < 12;
}

// Number of pixels in the rectangle (clipped to the image) that pass the test.
inline int countPixels(
    const QImage &image, const QRect &area, const std::function<bool(QColor)> &test)
{
    int count = 0;
    const QRect r = area.normalized().intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            if (test(image.pixelColor(x, y)))
                ++count;
        }
    }
    return count;
}

// The square of the given half size around a pixel.
inline QRect around(QPointF p, int half = 2)
{
    const QPoint c = p.toPoint();
    return QRect(c.x() - half, c.y() - half, 2 * half + 1, 2 * half + 1);
}
