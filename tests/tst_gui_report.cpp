// The calculation report, the result table and the drawing exports as a
// user meets them: ridezu-cli report without a display, the PDF and HTML it
// writes, and the window's commands for the report, the table, the images
// and the printout.

#include "guitestfixture.h"
#include "guitestsupport.h"

#include "app/mainwindow.h"
#include "document/document.h"
#include "engine/analysisresult.h"
#include "results/reportcontent.h"
#include "io/filesys.h"
#include "view/view.h"

#include <QAction>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QtTest>

#include <memory>

namespace {

struct Run
{
    int status = -1;
    QString err;
};

// ridezu-cli with neither a display nor a chosen platform.
Run cli(const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        env.remove(QLatin1String(name));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(RIDEZU_BIN_DIR "/ridezu-cli"), args);
    Run r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.status = p.exitCode();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString example(const QString &name)
{
    return QStringLiteral(RIDEZU_SOURCE_DIR "/examples/") + name;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The text of each page of a PDF, as pdftotext reads it; empty without the
// tool.
QStringList pdfPages(const QString &path)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return {};
    QProcess p;
    p.start(tool, {path, QStringLiteral("-")});
    if (!p.waitForFinished(30000))
        return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QAction *action(const MainWindow &window, const char *name)
{
    return window.findChild<QAction *>(QLatin1String(name));
}

const QStringList sections = {QStringLiteral("1 基本信息"), QStringLiteral("2 抗滑桩"),
    QStringLiteral("3 岩土层"), QStringLiteral("4 锚索(杆)"), QStringLiteral("5 作用力"),
    QStringLiteral("6 计算简图"), QStringLiteral("7 计算结果"), QStringLiteral("8 设计验算"),
    QStringLiteral("9 计算日志")};

} // namespace

class TestReportOutput : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files;
    std::unique_ptr<MainWindow> m_window;

    MainWindow &window() { return *m_window; }

    // A tab with the example open, analysed in the window when asked.
    View *openExample(const QString &name, bool analysed)
    {
        window().openFile(example(name));
        View *view = window().currentView();
        if (view && analysed) {
            action(window(), "actAnalyse")->setChecked(true);
            window().actAnalyse(true);
        }
        return view;
    }

private slots:
    void initTestCase() { QVERIFY(m_files.isValid()); }

    void init()
    {
        openSettings().clear();
        m_window = std::make_unique<MainWindow>();
        m_window->resize(1000, 700);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void commandLineWritesPdfWithoutADisplay_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("default") << QStringLiteral("default.qzp");
        QTest::newRow("single row with anchors") << QStringLiteral("singlerow-anchors.qzp");
        QTest::newRow("double row") << QStringLiteral("doublerow.qzp");
    }

    void commandLineWritesPdfWithoutADisplay()
    {
        // A project without results is analysed first.
        QFETCH(QString, name);
        const QString pdf = m_files.filePath(name + QStringLiteral(".pdf"));
        const Run r = cli({QStringLiteral("report"), example(name), pdf});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QByteArray bytes = contents(pdf);
        QVERIFY(bytes.startsWith("%PDF-"));
        // A4, every font in the file, more than one page.
        QVERIFY(bytes.contains("/MediaBox [0 0 595.000000 842.000000]"));
        QVERIFY(bytes.contains("/FontFile2"));
        const QRegularExpressionMatch count =
            QRegularExpression(QStringLiteral("/Count (\\d+)")).match(QString::fromLatin1(bytes));
        QVERIFY(count.hasMatch());
        const int pages = count.captured(1).toInt();
        QVERIFY(pages > 3);

        const QStringList text = pdfPages(pdf);
        if (text.isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QCOMPARE(text.size(), pages);
        for (int n = 0; n < pages; ++n) {
            // "第 n 页 共 N 页" at the foot of each page.
            const QRegularExpression number(
                QStringLiteral("第 %1 \\S 共 %2 \\S").arg(n + 1).arg(pages));
            QVERIFY2(text[n].contains(number), qPrintable(QString::number(n + 1)));
            // A table that goes on from the page before repeats its header.
            if (text[n].contains(QStringLiteral("各节点结果（续）"))) {
                QVERIFY(text[n].contains(QStringLiteral("深度(m)")));
                QVERIFY(text[n].contains(QStringLiteral("剪力(kN)")));
            }
        }
        // The verdict of the design checks on the first page.
        QVERIFY(text[0].contains(QRegularExpression(QStringLiteral("共\\d+项验算"))));
        const QString all = text.join(QLatin1Char('\n'));
        QVERIFY(all.contains(QStringLiteral("各节点结果（续）")));
        for (const QString &section : sections)
            QVERIFY2(all.contains(section), qPrintable(section));
        // The text reads as printed: ideographs, never the radicals that may
        // share their glyphs (力, not ⼒).
        QVERIFY(all.contains(QStringLiteral("抗滑桩")) && all.contains(QStringLiteral("力")));
        for (const QChar c : all) {
            const bool radical = c.unicode() >= 0x2E80 && c.unicode() <= 0x2FDF;
            QVERIFY2(!radical, qPrintable(QString::number(c.unicode(), 16)));
        }
        // Every cell stands whole on one line: a column is as wide as its
        // longest cell.
        Project p = Project::defaultProject();
        QCOMPARE(FileSys().readProject(p, example(name)), QString());
        Document doc;
        doc.replaceProject(p);
        doc.showInput();
        QVERIFY(doc.analyse());
        const ReportContent content =
            ReportBuilder::build(doc.project(), doc.analysisResult(), name, QDate::currentDate());
        for (const ReportBlock &b : content.blocks) {
            for (const QStringList &row : b.table.rows) {
                for (const QString &cell : row)
                    QVERIFY2(all.contains(cell), qPrintable(cell));
            }
        }
    }

    void commandLineWritesHtml()
    {
        const QString html = m_files.filePath(QStringLiteral("report.html"));
        const Run r = cli({QStringLiteral("report"), example("doublerow-analysed.qzp"), html});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        const QString text = QString::fromUtf8(contents(html));
        QVERIFY(text.startsWith(QStringLiteral("<!DOCTYPE html>")));
        for (const QString &section : sections)
            QVERIFY2(text.contains(QStringLiteral(">%1</h2>").arg(section)), qPrintable(section));
        // One file: its seven figures are PNG images inside it.
        const QRegularExpression image(QStringLiteral("src=\"data:image/png;base64,([^\"]+)\""));
        int figures = 0;
        for (const QRegularExpressionMatch &m : image.globalMatch(text)) {
            const QImage figure =
                QImage::fromData(QByteArray::fromBase64(m.captured(1).toLatin1()));
            QVERIFY(!figure.isNull() && figure.width() > 500);
            ++figures;
        }
        QCOMPARE(figures, 7);
        QVERIFY(!text.contains(QStringLiteral("src=\"http")));
    }

    void commandLineFailures()
    {
        // The analysis fails: its message, no file.
        Project doc = Project::defaultProject();
        doc.frontPile.length = 1.5;
        doc.base.slideBackH = 1.0;
        doc.base.cutH = 1.0;
        doc.updateAll();
        const QString bad = m_files.filePath(QStringLiteral("short.qzp"));
        QCOMPARE(FileSys().writeProject(doc, bad), QString());
        const QString pdf = m_files.filePath(QStringLiteral("short.pdf"));
        const Run failed = cli({QStringLiteral("report"), bad, pdf});
        QCOMPARE(failed.status, 1);
        QVERIFY2(failed.err.contains(QStringLiteral(">>错误：桩长小于2m")), qPrintable(failed.err));
        QVERIFY(!QFileInfo::exists(pdf));

        // A format the report is not written in.
        const QString doc2 = m_files.filePath(QStringLiteral("report.docx"));
        QCOMPARE(cli({QStringLiteral("report"), example("default.qzp"), doc2}).status, 2);
        QVERIFY(!QFileInfo::exists(doc2));
    }

    void windowRefusesWithoutResults()
    {
        PromptRecorder prompts;
        View *view = openExample(QStringLiteral("default.qzp"), false);
        QVERIFY(view);
        QVERIFY(!action(window(), "actReport")->isEnabled());
        QVERIFY(!action(window(), "actExportTable")->isEnabled());
        QVERIFY(action(window(), "actExportDrawing")->isEnabled());

        // Reached anyway (a shortcut, a script): a clear message, no dialog.
        window().actReport();
        window().actExportTable();
        QCOMPARE(prompts.warnings,
            QStringList({ReportBuilder::noResults(), ReportBuilder::noResults()}));
        QVERIFY(prompts.fileProposals.isEmpty());

        window().actAnalyse(true);
        QVERIFY(action(window(), "actReport")->isEnabled());
        QVERIFY(action(window(), "actExportTable")->isEnabled());
        window().actAnalyse(false);
        QVERIFY(!action(window(), "actReport")->isEnabled());
    }

    void windowWritesReportAndTable()
    {
        PromptRecorder prompts;
        View *view = openExample(QStringLiteral("doublerow-analysed.qzp"), false);
        QVERIFY(view && action(window(), "actReport")->isEnabled());

        // The PDF beside the project, named after it.
        const QString pdf = m_files.filePath(QStringLiteral("report.pdf"));
        prompts.fileAnswers = {pdf};
        window().actReport();
        QVERIFY2(prompts.warnings.isEmpty(), qPrintable(prompts.warnings.join('\n')));
        QCOMPARE(prompts.fileProposals.last(),
            QDir::toNativeSeparators(example("doublerow-analysed.pdf")));
        QVERIFY(contents(pdf).startsWith("%PDF-"));

        // A name without a suffix gets the chosen filter's.
        prompts.fileFilter = QStringLiteral("网页文件(*.html *.htm)");
        prompts.fileAnswers = {m_files.filePath(QStringLiteral("page"))};
        window().actReport();
        QVERIFY(contents(m_files.filePath(QStringLiteral("page.html")))
                    .contains("<h2>9 计算日志</h2>"));

        prompts.fileFilter.clear();
        const QString csv = m_files.filePath(QStringLiteral("table.csv"));
        prompts.fileAnswers = {csv};
        window().actExportTable();
        const QByteArray table = contents(csv);
        QVERIFY(table.startsWith("\xEF\xBB\xBF"));
        // The header and a line per node of each pile.
        qsizetype stations = 0;
        for (const PileResult &pile : view->document()->analysisResult().piles)
            stations += pile.stations.size();
        QVERIFY(stations > 0);
        QCOMPARE(table.count("\r\n"), stations + 1);
        QVERIFY(prompts.warnings.isEmpty());
    }

    void drawingExports()
    {
        PromptRecorder prompts;
        View *view = openExample(QStringLiteral("doublerow-analysed.qzp"), false);
        QVERIFY(view);
        view->document()->setMarksShown(true);
        QVERIFY(view->document()->showDiagram(SHOWMOMENT));

        // At the screen's resolution the image is the view, pixel for pixel.
        const QString png = m_files.filePath(QStringLiteral("moment.png"));
        prompts.fileAnswers = {png};
        prompts.choices = {0};
        window().actExportDrawing();
        QVERIFY(prompts.choiceItems.first().startsWith(QStringLiteral("96 dpi")));
        QImage screen(view->size(), QImage::Format_RGB32);
        view->render(&screen);
        const QImage saved = QImage(png).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(saved.size(), view->size());
        QCOMPARE(saved, screen);

        // 300 dpi: the same picture with 300/96 times the pixels.
        prompts.fileAnswers = {png};
        prompts.choices = {3};
        window().actExportDrawing();
        const QImage fine(png);
        QCOMPARE(fine.width(), qRound(view->width() * 300.0 / 96.0));
        QCOMPARE(qRound(fine.dotsPerMeterX() * 0.0254), 300);

        // SVG: a drawing of the view's size.
        prompts.fileFilter = QStringLiteral("SVG矢量图(*.svg)");
        prompts.fileAnswers = {m_files.filePath(QStringLiteral("moment"))};
        window().actExportDrawing();
        QSvgRenderer svg(m_files.filePath(QStringLiteral("moment.svg")));
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBox(), QRect(QPoint(0, 0), view->size()));

        // Printing: the picture on a page.
        const QString printed = m_files.filePath(QStringLiteral("printed.pdf"));
        prompts.printAnswer = [&printed](QPrinter *printer) {
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(printed);
            return true;
        };
        window().actPrint();
        QVERIFY(contents(printed).contains("/Count 1"));
        QVERIFY(prompts.warnings.isEmpty());
    }
};

RIDEZU_GUI_TEST_MAIN(TestReportOutput)
#include "tst_gui_report.moc"
