// The parameter study as a user meets it in the window: its dialog, the run
// beside the window with its cancel, "采用" of a value, and the study's
// chapter of the report.

#include "dialogtestsupport.h"
#include "guitestfixture.h"
#include "guitestsupport.h"

#include "app/mainwindow.h"
#include "dialogs/study/studysession.h"
#include "dialogs/study/studywindow.h"
#include "document/document.h"
#include "view/view.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include <memory>

namespace {

// Runs deferred deletions, so closed tabs are really gone, and then those
// that the deletions asked for (a tab's study window).
void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void setRange(QDialog &dialog, const QString &from, const QString &to, const QString &step)
{
    dialog.findChild<QLineEdit *>(QStringLiteral("editFrom"))->setText(from);
    dialog.findChild<QLineEdit *>(QStringLiteral("editTo"))->setText(to);
    dialog.findChild<QLineEdit *>(QStringLiteral("editStep"))->setText(step);
}

// A single row that passes every check from a pile length of 16 m (up to
// the 18 m of soil below it): a light thrust, a thick pile and no anchor.
// The history starts at it.
void makePassing(Document &doc)
{
    BaseInfo base = doc.project().base;
    base.aforce = -100.0;
    QVERIFY(doc.changeBase(base));
    QVERIFY(doc.changeAnchors({}));
    PileInfo front = doc.project().frontPile;
    front.diameter = 2.4;
    front.length = 16.0;
    QVERIFY(doc.changePiles(front, doc.project().backPile, doc.project().linkBeam));
    doc.clearHistory();
}

} // namespace

class TestStudyWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files;
    std::unique_ptr<MainWindow> m_window;

    MainWindow &window() { return *m_window; }
    QAction *action(const char *name) { return window().findChild<QAction *>(name); }

    Document *newProject()
    {
        window().actNew();
        return window().currentView()->document();
    }

    // 参数分析 on the current tab, its dialog given the range and accepted.
    void startStudy(const QString &from, const QString &to, const QString &step,
        StudyParameter parameter = StudyParameter::Length)
    {
        whenModal([=](QDialog &dialog) {
            auto *combo = dialog.findChild<QComboBox *>(QStringLiteral("comboParameter"));
            combo->setCurrentIndex(combo->findData(int(parameter)));
            setRange(dialog, from, to, step);
            pressOk(dialog);
        });
        action("actStudy")->trigger();
    }

    // The study of the document, run to its end; none when there is none.
    static StudySession *finishedStudy(Document *doc)
    {
        StudySession *session = StudySession::of(doc, false);
        if (session && !QTest::qWaitFor([session] { return !session->running(); }, 60000))
            return nullptr;
        return session;
    }

    StudyWindow *studyWindow() { return window().findChild<StudyWindow *>(); }

    template <class T> T *inStudyWindow(const char *name)
    {
        return studyWindow() ? studyWindow()->findChild<T *>(QLatin1String(name)) : nullptr;
    }

private slots:
    void initTestCase() { QVERIFY(m_files.isValid()); }

    void init()
    {
        m_window = std::make_unique<MainWindow>();
        m_window->resize(1000, 700);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        flushDeletes();
    }

    void dialogRefusesABadRangeAndRunsNothing()
    {
        PromptRecorder prompts;
        Document *doc = newProject();
        QVERIFY(action("actStudy")->isEnabled());
        StudyDefinition reversed;
        reversed.from = 20.0;
        reversed.to = 10.0;
        reversed.step = 1.0;
        StudyDefinition noStep = reversed;
        noStep.from = 10.0;
        noStep.to = 20.0;
        noStep.step = 0.0;
        bool stayedOpen = false;
        QString shown;
        whenModal([&](QDialog &dialog) {
            setRange(dialog, QStringLiteral("20"), QStringLiteral("10"), QStringLiteral("1"));
            shown = dialog.findChild<QLabel *>(QStringLiteral("labelCount"))->text();
            pressOk(dialog);
            setRange(dialog, QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("0"));
            pressOk(dialog);
            setRange(dialog, QStringLiteral("10"), QStringLiteral("x"), QStringLiteral("1"));
            pressOk(dialog);
            stayedOpen = dialog.isVisible();
        });
        action("actStudy")->trigger();

        // Each refusal says why, as the count under the fields does while
        // typing; the dialog stays open and nothing runs.
        const QString reversedProblem = studyProblem(doc->project(), reversed);
        QVERIFY(!reversedProblem.isEmpty());
        QCOMPARE(shown, reversedProblem);
        QCOMPARE(prompts.warnings.size(), 3);
        QCOMPARE(prompts.warnings[0], reversedProblem);
        QCOMPARE(prompts.warnings[1], studyProblem(doc->project(), noStep));
        QVERIFY(!prompts.warnings[2].isEmpty());
        QVERIFY(stayedOpen);
        QVERIFY(!StudySession::of(doc, false));
        QVERIFY(!studyWindow());
    }

    void studyRunsAndApplyIsOneUndoStep()
    {
        PromptRecorder prompts;
        Document *doc = newProject();
        makePassing(*doc);
        window().actAnalyse(true);
        QVERIFY(!doc->inputEditable());

        startStudy(QStringLiteral("12"), QStringLiteral("18"), QStringLiteral("1"));
        StudySession *session = finishedStudy(doc);
        QVERIFY(session && session->hasStudy());
        QCOMPARE(session->outcome().rows.size(), 7);
        QCOMPARE(session->outcome().firstPassing(), 4); // 16 m
        auto *table = inStudyWindow<QTableWidget>("tableStudy");
        QCOMPARE(table->rowCount(), 7);
        QCOMPARE(table->item(4, 0)->text(), QStringLiteral("16"));
        QVERIFY(table->item(4, 0)->background() != table->item(1, 0)->background());
        // Running the study changed nothing.
        QVERIFY(!doc->canUndo() && !doc->isModified());
        QCOMPARE(doc->project().frontPile.length, 16.0);

        // 采用 of 13 m: results were shown, so the input comes back first
        // and the user is told; one step, which undo takes back.
        table->selectRow(1);
        inStudyWindow<QPushButton>("buttonApply")->click();
        QCOMPARE(doc->project().frontPile.length, 13.0);
        QVERIFY(doc->inputEditable());
        QVERIFY(!action("actAnalyse")->isChecked());
        QVERIFY(inStudyWindow<QLabel>("labelMessage")->text().contains(QStringLiteral("输入状态")));
        QCOMPARE(doc->undoText(), QStringLiteral("修改桩数据"));
        window().actUndo();
        QCOMPARE(doc->project().frontPile.length, 16.0);
        QVERIFY(!doc->canUndo());
        window().actRedo();
        QCOMPARE(doc->project().frontPile.length, 13.0);

        // A value the project has already makes no step.
        window().actUndo();
        table->selectRow(4);
        inStudyWindow<QPushButton>("buttonApply")->click();
        QVERIFY(!doc->canUndo());

        // The table as CSV: UTF-8 with its mark, the header, one line a row.
        const QString csv = m_files.filePath(QStringLiteral("study.csv"));
        prompts.fileAnswers = {csv};
        inStudyWindow<QPushButton>("buttonExportTable")->click();
        const QByteArray bytes = contents(csv);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QStringList lines =
            QString::fromUtf8(bytes.mid(3))
                .split(QRegularExpression(QStringLiteral("\r?\n")), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 8);
        QVERIFY(lines[0].startsWith(QStringLiteral("桩长(m)")));
        QVERIFY(lines[5].startsWith(QStringLiteral("16,")));
    }

    void cancelAndClosingStopARunningStudy()
    {
        PromptRecorder prompts;
        Document *doc = newProject();
        doc->clearHistory();
        const double length = doc->project().frontPile.length;

        // About two thousand variants: the cancel comes long before the end.
        startStudy(QStringLiteral("0.5"), QStringLiteral("19.9"), QStringLiteral("0.01"),
            StudyParameter::Spacing);
        StudySession *session = StudySession::of(doc, false);
        QVERIFY(session && session->running());
        inStudyWindow<QPushButton>("buttonCancel")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!session->running(), 20000);
        QVERIFY(!session->hasStudy());
        QCOMPARE(inStudyWindow<QTableWidget>("tableStudy")->rowCount(), 0);
        QCOMPARE(inStudyWindow<QLabel>("labelMessage")->text(), QStringLiteral("参数分析已取消"));
        QVERIFY(!action("actStudyReport")->isEnabled());
        QCOMPARE(doc->project().frontPile.length, length);
        QVERIFY(!doc->canUndo() && !doc->isModified());

        // The tab closed while its study runs: the study stops, its window
        // goes with the tab.
        startStudy(QStringLiteral("0.5"), QStringLiteral("19.9"), QStringLiteral("0.01"),
            StudyParameter::Spacing);
        QVERIFY(session->running());
        const QPointer<StudyWindow> studyWindow = this->studyWindow();
        const QPointer<Document> closing = doc;
        window().onTabCloseRequested(window().tabWidget()->currentIndex());
        flushDeletes();
        QVERIFY(!closing);
        QVERIFY(!studyWindow);

        // And the window closed while another one runs.
        newProject();
        startStudy(QStringLiteral("0.5"), QStringLiteral("19.9"), QStringLiteral("0.01"),
            StudyParameter::Spacing);
        QVERIFY(StudySession::of(window().currentView()->document(), false)->running());
        QVERIFY(window().close());
        m_window.reset();
        flushDeletes();
    }

    void reportTakesTheStudyOnRequest()
    {
        PromptRecorder prompts;
        Document *doc = newProject();
        makePassing(*doc);
        QVERIFY(!action("actStudyReport")->isEnabled());
        startStudy(QStringLiteral("14"), QStringLiteral("18"), QStringLiteral("1"));
        StudySession *session = finishedStudy(doc);
        QVERIFY(session && session->hasStudy());
        window().actAnalyse(true);
        QAction *include = action("actStudyReport");
        QVERIFY(include->isEnabled() && !include->isChecked());

        const auto report = [&](const QString &name) {
            const QString path = m_files.filePath(name);
            prompts.fileAnswers = {path};
            window().actReport();
            return QString::fromUtf8(contents(path));
        };
        QVERIFY(!report(QStringLiteral("without.html")).contains(QStringLiteral("参数分析")));

        include->setChecked(true);
        const QString html = report(QStringLiteral("with.html"));
        QVERIFY(html.contains(QStringLiteral("<h2>9 参数分析</h2>")));
        QVERIFY(html.contains(QStringLiteral("<h2>10 计算日志</h2>")));
        QVERIFY(html.contains(StudyTable::conclusion(session->definition(), session->outcome())));
        // The chart is an image inside the chapter.
        const QRegularExpressionMatch chart =
            QRegularExpression(QStringLiteral("src=\"data:image/png;base64,([^\"]+)\""))
                .match(html, html.indexOf(QStringLiteral("<h2>9 参数分析</h2>")));
        QVERIFY(chart.hasMatch());
        QVERIFY(chart.capturedStart() < html.indexOf(QStringLiteral("<h2>10 计算日志</h2>")));
        QVERIFY(
            QImage::fromData(QByteArray::fromBase64(chart.captured(1).toLatin1())).width() > 500);
        const QString pdf = m_files.filePath(QStringLiteral("with.pdf"));
        prompts.fileAnswers = {pdf};
        window().actReport();
        QVERIFY(contents(pdf).startsWith("%PDF-"));
        QVERIFY(prompts.warnings.isEmpty());

        // Once the project changes, the study describes a project that is
        // no more: the report leaves it out.
        window().actAnalyse(false);
        QVERIFY(doc->changeSoils(doc->project().soils));
        window().actAnalyse(true);
        QVERIFY(!include->isEnabled() && !include->isChecked());
        QVERIFY(!report(QStringLiteral("changed.html")).contains(QStringLiteral("参数分析")));
    }
};

RIDEZU_GUI_TEST_MAIN(TestStudyWindow)
#include "tst_gui_study.moc"
