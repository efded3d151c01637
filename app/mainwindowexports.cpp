// Commands of the main window that hand the current project out: the
// calculation report, the per-node result table, and the drawing as an
// image, as an SVG drawing or on paper.

#include "app/mainwindow.h"

#include "engine/analysisresult.h"
#include "results/reportcontent.h"
#include "results/resultcsv.h"
#include "results/studychapter.h"
#include "report/drawingexport.h"
#include "report/reportwriter.h"
#include "settings/settings.h"
#include "view/displaysettings.h"
#include "view/prompts.h"
#include "view/view.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QStatusBar>

#include <algorithm>

namespace {

// How long (ms) the status bar says where a file went.
constexpr int EXPORTMESSAGETIME = 4000;

bool hasResults(const View *view)
{
    const Document *doc = view ? view->document() : nullptr;
    return doc && (doc->project().status & SHOWRESULT) && !doc->project().results.isEmpty();
}

ViewFrame frameOf(const View *view)
{
    return {view->size(), view->transform(), view->displaySettings()};
}

// A wait cursor while a file is written.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

void MainWindow::updateExportActions(const View *view)
{
    // The report and the table need results; the drawing exists always.
    m_actReport->setEnabled(hasResults(view));
    m_actExportTable->setEnabled(hasResults(view));
    m_actExportDrawing->setEnabled(view != nullptr);
    m_actPrint->setEnabled(view != nullptr);
}

View *MainWindow::viewWithResults()
{
    View *view = currentView();
    if (!view || !view->document())
        return nullptr;
    if (!hasResults(view)) {
        Prompts::warn(this, tr("澄川抗滑桩"), ReportBuilder::noResults());
        return nullptr;
    }
    return view;
}

QString MainWindow::exportFileName(const View *view, const QString &caption,
    const QStringList &filters, const QStringList &suffixes)
{
    // Beside the project, named after it; an untitled project goes to the
    // folder of the last project.
    const QFileInfo project(view->filePath());
    QString dir = project.path();
    if (dir == QLatin1String(".") || view->isUntitled())
        dir = Settings().lastPath();
    const QString base = project.completeBaseName() + QLatin1Char('.') + suffixes.first();
    QString proposal =
        dir.isEmpty() ? base : QDir::toNativeSeparators(dir + QLatin1Char('/') + base);
    for (;;) {
        QString selected = filters.first();
        QString name = Prompts::saveFileName(
            this, caption, proposal, filters.join(QStringLiteral(";;")), &selected);
        if (name.isEmpty())
            return QString();
        // A name without a suffix of the kind gets the one of the chosen
        // filter; the dialog asked about overwriting the name typed, not
        // this one.
        const QString suffix = QFileInfo(name).suffix().toLower();
        if (!suffixes.contains(suffix)) {
            const qsizetype chosen = std::max<qsizetype>(0, filters.indexOf(selected));
            name += QLatin1Char('.') + suffixes.value(chosen, suffixes.first());
            if (QFileInfo::exists(name)) {
                Prompts::Question q;
                q.title = caption;
                q.text = tr("%1 已存在。").arg(QFileInfo(name).fileName());
                q.informativeText = tr("要替换它吗？");
                q.buttons = {{QMessageBox::Yes, tr("是(&Y)")}, {QMessageBox::No, tr("否(&N)")}};
                q.defaultButton = QMessageBox::No;
                if (Prompts::ask(this, q) != QMessageBox::Yes) {
                    proposal = QDir::toNativeSeparators(name);
                    continue;
                }
            }
        }
        return name;
    }
}

void MainWindow::actReport()
{
    View *view = viewWithResults();
    if (!view)
        return;
    const QString name =
        exportFileName(view, tr("计算书"), {tr("PDF文件(*.pdf)"), tr("网页文件(*.html *.htm)")},
            {QStringLiteral("pdf"), QStringLiteral("html"), QStringLiteral("htm")});
    if (name.isEmpty())
        return;
    DisplaySettings figures;
    figures.labelSize = displayFontSize;
    figures.offset = displayOffset;
    QString message;
    {
        WaitCursor wait;
        // The title block names the project's file; a new project has none yet.
        const QString file =
            view->isUntitled() ? tr("（未保存）") : QFileInfo(view->filePath()).fileName();
        StudyReport study;
        const bool withStudy = studyForReport(view, study);
        message = ReportWriter::write(
            *view->document(), name, file, figures, withStudy ? &study : nullptr);
    }
    if (!message.isEmpty()) {
        Prompts::warn(this, tr("澄川抗滑桩"), message);
        return;
    }
    statusBar()->showMessage(
        tr("计算书已保存: %1").arg(QDir::toNativeSeparators(name)), EXPORTMESSAGETIME);
}

void MainWindow::actExportTable()
{
    View *view = viewWithResults();
    if (!view)
        return;
    const QString name =
        exportFileName(view, tr("导出结果表"), {tr("CSV文件(*.csv)")}, {QStringLiteral("csv")});
    if (name.isEmpty())
        return;
    const QString message = ResultCsv::write(view->document()->analysisResult(), name);
    if (!message.isEmpty()) {
        Prompts::warn(this, tr("澄川抗滑桩"), message);
        return;
    }
    statusBar()->showMessage(
        tr("结果表已保存: %1").arg(QDir::toNativeSeparators(name)), EXPORTMESSAGETIME);
}

void MainWindow::actExportDrawing()
{
    View *view = currentView();
    if (!view || !view->document())
        return;
    const QString name =
        exportFileName(view, tr("导出图形"), {tr("PNG图片(*.png)"), tr("SVG矢量图(*.svg)")},
            {QStringLiteral("png"), QStringLiteral("svg")});
    if (name.isEmpty())
        return;
    QString message;
    if (QFileInfo(name).suffix().toLower() == QLatin1String("svg")) {
        WaitCursor wait;
        message = DrawingExport::writeSvg(view->document()->project(), frameOf(view), name);
    } else {
        const QList<int> resolutions = DrawingExport::imageResolutions();
        QStringList items;
        for (int dpi : resolutions)
            items << (dpi == 96 ? tr("%1 dpi（与屏幕相同）") : tr("%1 dpi")).arg(dpi);
        const int chosen = Prompts::choose(
            this, tr("导出图形"), tr("图片分辨率:"), items, int(resolutions.size()) - 1);
        if (chosen < 0 || chosen >= resolutions.size())
            return;
        WaitCursor wait;
        message = DrawingExport::writePng(
            view->document()->project(), frameOf(view), resolutions.at(chosen), name);
    }
    if (!message.isEmpty()) {
        Prompts::warn(this, tr("澄川抗滑桩"), message);
        return;
    }
    statusBar()->showMessage(
        tr("图形已保存: %1").arg(QDir::toNativeSeparators(name)), EXPORTMESSAGETIME);
}

void MainWindow::actPrint()
{
    View *view = currentView();
    if (!view || !view->document())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QFileInfo(view->filePath()).completeBaseName());
    printer.setPageOrientation(
        view->width() > view->height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (!Prompts::print(this, &printer))
        return;

    // The picture of the view, as large as the page allows, centred.
    const ViewFrame frame = frameOf(view);
    const QSizeF page = printer.pageLayout().paintRectPixels(printer.resolution()).size();
    const double ratio = frame.size.isEmpty()
        ? 0.0
        : std::min(page.width() / frame.size.width(), page.height() / frame.size.height());
    QPainter painter;
    if (!(ratio > 0.0) || !painter.begin(&printer)) {
        Prompts::warn(this, tr("澄川抗滑桩"), tr("无法打印"));
        return;
    }
    painter.translate((page.width() - frame.size.width() * ratio) / 2.0,
        (page.height() - frame.size.height() * ratio) / 2.0);
    DrawingExport::paint(painter, view->document()->project(), frame, ratio);
    painter.end();
    statusBar()->showMessage(tr("图形已送往打印机"), EXPORTMESSAGETIME);
}
