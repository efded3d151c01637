#include "dialogs/study/studywindow.h"

#include "dialogs/study/studychart.h"
#include "dialogs/study/studysession.h"
#include "results/studychapter.h"
#include "view/prompts.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QSvgGenerator>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QColor PASSROW(212, 239, 223);
const QColor FAILEDROW(250, 219, 216);

// Pixels of the exported image per pixel of the chart on the screen.
constexpr int IMAGESCALE = 2;

QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

StudyWindow::StudyWindow(StudySession *session, FileNameFunction fileName, QWidget *parent)
    : QDialog(parent, Qt::Window)
    , m_session(session)
    , m_fileName(std::move(fileName))
{
    setObjectName(QStringLiteral("StudyWindow"));
    setWindowTitle(tr("参数分析"));
    resize(1040, 760);

    auto *layout = new QVBoxLayout(this);
    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("labelHeading"));
    m_heading->setWordWrap(true);
    m_heading->setTextFormat(Qt::PlainText);
    layout->addWidget(m_heading);
    m_stale = new QLabel(tr("项目在参数分析后已修改：表中结果对应修改前的项目，"
                            "计算书不再包含本次参数分析。"),
        this);
    m_stale->setObjectName(QStringLiteral("labelStale"));
    m_stale->setWordWrap(true);
    m_stale->setStyleSheet(QStringLiteral("color:#b9770e"));
    layout->addWidget(m_stale);

    auto *progressRow = new QHBoxLayout;
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressStudy"));
    m_progress->setFormat(tr("%v/%m"));
    m_cancel = button(this, "buttonCancel", tr("取消"));
    progressRow->addWidget(m_progress, 1);
    progressRow->addWidget(m_cancel);
    layout->addLayout(progressRow);
    connect(m_cancel, &QPushButton::clicked, this, [this] {
        if (m_session)
            m_session->cancel();
        m_cancel->setEnabled(false);
    });

    auto *splitter = new QSplitter(Qt::Vertical, this);
    m_table = new QTableWidget(splitter);
    m_table->setObjectName(QStringLiteral("tableStudy"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->setVisible(false);
    m_table->horizontalHeader()->setDefaultAlignment(
        Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &StudyWindow::updateButtons);

    auto *chartPanel = new QWidget(splitter);
    auto *chartLayout = new QVBoxLayout(chartPanel);
    chartLayout->setContentsMargins(0, 0, 0, 0);
    auto *columnRow = new QHBoxLayout;
    columnRow->addWidget(new QLabel(tr("图中显示："), chartPanel));
    const QList<StudyTable::Column> chosen =
        session ? session->chartColumns : QList<StudyTable::Column>();
    for (StudyTable::Column column : StudyChart::columns()) {
        auto *box = new QCheckBox(StudyChart::columnLabel(column), chartPanel);
        box->setObjectName(QStringLiteral("checkColumn%1").arg(int(column)));
        box->setProperty("column", int(column));
        box->setChecked(chosen.contains(column));
        connect(box, &QCheckBox::toggled, this, &StudyWindow::updateChart);
        columnRow->addWidget(box);
        m_columns.append(box);
    }
    columnRow->addStretch(1);
    chartLayout->addLayout(columnRow);
    m_chart = new QChartView(new QChart, chartPanel);
    m_chart->setObjectName(QStringLiteral("chartStudy"));
    m_chart->setRenderHint(QPainter::Antialiasing);
    m_chart->setMinimumHeight(280);
    chartLayout->addWidget(m_chart, 1);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("labelMessage"));
    m_message->setWordWrap(true);
    layout->addWidget(m_message);

    auto *buttons = new QHBoxLayout;
    m_apply = button(this, "buttonApply", tr("采用"));
    m_apply->setToolTip(tr("将所选行的取值写入项目（可撤销）"));
    m_exportTable = button(this, "buttonExportTable", tr("导出表格"));
    m_exportChart = button(this, "buttonExportChart", tr("导出图表"));
    QPushButton *close = button(this, "buttonClose", tr("关闭"));
    buttons->addWidget(m_apply);
    buttons->addWidget(m_exportTable);
    buttons->addWidget(m_exportChart);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(m_apply, &QPushButton::clicked, this, &StudyWindow::apply);
    connect(m_exportTable, &QPushButton::clicked, this, &StudyWindow::exportTable);
    connect(m_exportChart, &QPushButton::clicked, this, &StudyWindow::exportChart);
    connect(close, &QPushButton::clicked, this, &StudyWindow::close);

    if (session) {
        connect(session, &StudySession::progressed, this, &StudyWindow::onProgress);
        connect(session, &StudySession::ended, this, &StudyWindow::onEnded);
        connect(session, &StudySession::projectChanged, this, &StudyWindow::updateStale);
        // The window belongs to its tab's project.
        connect(session, &QObject::destroyed, this, [this] {
            hide();
            deleteLater();
        });
    }
    refresh();
}

void StudyWindow::showMessage(const QString &text)
{
    m_message->setText(text);
}

void StudyWindow::refresh()
{
    const bool running = m_session && m_session->running();
    const bool study = m_session && m_session->hasStudy();
    m_progress->setVisible(running);
    m_cancel->setVisible(running);
    m_cancel->setEnabled(running);
    updateStale();
    if (running) {
        m_heading->setText(tr("正在分析：%1")
                               .arg(StudyChapter::description(
                                   m_session->definition(), m_session->outcome().doubleRow)));
        onProgress(m_session->finishedCount(), m_session->total());
    } else if (study) {
        const StudyOutcome &outcome = m_session->outcome();
        m_heading->setText(
            tr("%1\n%2").arg(StudyChapter::description(m_session->definition(), outcome.doubleRow),
                StudyTable::conclusion(m_session->definition(), outcome)));
    } else {
        m_heading->setText(QString());
    }
    fillTable();
    updateChart();
    updateButtons();
}

void StudyWindow::updateStale()
{
    m_stale->setVisible(m_session && m_session->hasStudy() && !m_session->describesProject());
}

void StudyWindow::onProgress(int finished, int total)
{
    m_progress->setRange(0, std::max(total, 1));
    m_progress->setValue(finished);
}

void StudyWindow::onEnded(bool cancelled)
{
    showMessage(cancelled ? StudyTable::tr("参数分析已取消") : QString());
    refresh();
}

void StudyWindow::fillTable()
{
    m_table->clear();
    m_table->setRowCount(0);
    m_table->setColumnCount(0);
    if (!m_session || m_session->running() || !m_session->hasStudy())
        return;
    const StudyOutcome &outcome = m_session->outcome();
    const ReportTable t = StudyTable::table(m_session->definition(), outcome);
    m_table->setColumnCount(int(t.header.size()));
    m_table->setHorizontalHeaderLabels(t.header);
    m_table->setRowCount(int(t.rows.size()));
    for (int r = 0; r < t.rows.size(); ++r) {
        const StudyRow &row = outcome.rows.at(r);
        for (int c = 0; c < t.rows[r].size() && c < t.header.size(); ++c) {
            auto *item = new QTableWidgetItem(t.rows[r][c]);
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            if (t.numeric.value(c))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (row.passes())
                item->setBackground(PASSROW);
            else if (!row.analysed)
                item->setBackground(FAILEDROW);
            if (!row.problem.isEmpty())
                item->setToolTip(row.problem);
            m_table->setItem(r, c, item);
        }
    }
    m_table->resizeColumnsToContents();
    m_table->resizeRowsToContents();
    // The smallest passing value is the one most likely to be taken.
    const int first = outcome.firstPassing();
    if (first >= 0) {
        m_table->selectRow(first);
        m_table->scrollToItem(m_table->item(first, 0));
    }
}

void StudyWindow::updateChart()
{
    QList<StudyTable::Column> columns;
    for (QCheckBox *box : std::as_const(m_columns)) {
        if (box->isChecked())
            columns.append(StudyTable::Column(box->property("column").toInt()));
    }
    QChart *chart = nullptr;
    if (m_session) {
        m_session->chartColumns = columns;
        if (m_session->hasStudy() && !m_session->running())
            chart = StudyChart::make(m_session->definition(), m_session->outcome(), columns);
    }
    QChart *old = m_chart->chart();
    m_chart->setChart(chart ? chart : new QChart);
    delete old;
}

void StudyWindow::updateButtons()
{
    const bool study = m_session && m_session->hasStudy() && !m_session->running();
    m_apply->setEnabled(study && !m_table->selectedItems().isEmpty());
    m_exportTable->setEnabled(study);
    m_exportChart->setEnabled(study);
}

void StudyWindow::apply()
{
    const QList<QTableWidgetItem *> selected = m_table->selectedItems();
    if (!m_session || !m_session->hasStudy() || selected.isEmpty())
        return;
    const int row = selected.first()->row();
    if (row < 0 || row >= m_session->outcome().rows.size())
        return;
    emit applyRequested(m_session->outcome().rows.at(row).value);
}

void StudyWindow::exportTable()
{
    if (!m_session || !m_session->hasStudy() || !m_fileName)
        return;
    const QString name =
        m_fileName(tr("导出表格"), {tr("CSV文件(*.csv)")}, {QStringLiteral("csv")});
    if (name.isEmpty())
        return;
    const QString message =
        StudyTable::writeCsv(m_session->definition(), m_session->outcome(), name);
    if (!message.isEmpty()) {
        Prompts::warn(this, tr("澄川抗滑桩"), message);
        return;
    }
    showMessage(tr("表格已保存: %1").arg(QDir::toNativeSeparators(name)));
}

void StudyWindow::exportChart()
{
    if (!m_session || !m_session->hasStudy() || !m_fileName)
        return;
    const QString name = m_fileName(tr("导出图表"), {tr("PNG图片(*.png)"), tr("SVG矢量图(*.svg)")},
        {QStringLiteral("png"), QStringLiteral("svg")});
    if (name.isEmpty())
        return;
    const QSize size = m_chart->size();
    QSaveFile file(name);
    bool written = file.open(QIODevice::WriteOnly);
    if (written && QFileInfo(name).suffix().toLower() == QLatin1String("svg")) {
        QSvgGenerator generator;
        generator.setOutputDevice(&file);
        generator.setSize(size);
        // Texts are laid out for the screen: the document measures them alike.
        generator.setResolution(m_chart->logicalDpiX());
        generator.setViewBox(QRect(QPoint(0, 0), size));
        generator.setTitle(m_chart->chart()->title());
        QPainter painter;
        written = painter.begin(&generator);
        if (written) {
            m_chart->render(&painter);
            written = painter.end();
        }
    } else if (written) {
        // Twice the pixels of the screen, so that it stays sharp in print:
        // the chart's scene drawn anew at that scale, not the screen's
        // pixels enlarged.
        QImage image(size * IMAGESCALE, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setRenderHint(QPainter::TextAntialiasing);
            m_chart->scene()->render(&painter, QRectF(image.rect()),
                m_chart->mapToScene(m_chart->viewport()->rect()).boundingRect());
        }
        written = image.save(&file, "PNG");
    }
    if (!written || !file.commit()) {
        Prompts::warn(
            this, tr("澄川抗滑桩"), tr("无法写入文件%1").arg(QDir::toNativeSeparators(name)));
        return;
    }
    showMessage(tr("图表已保存: %1").arg(QDir::toNativeSeparators(name)));
}

void StudyWindow::reject()
{
    // A study nobody watches is of no use: closing the window stops it.
    if (m_session && m_session->running())
        m_session->cancel();
    QDialog::reject();
}
