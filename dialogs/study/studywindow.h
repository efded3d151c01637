#pragma once

// The window of a parameter study, one per project tab: the progress of the
// running study with its "取消", then the table of the variants (passing
// rows green, refused ones red with their reason), the chart of the chosen
// columns, and the commands "采用" (the selected row's value into the
// project), "导出表格" (CSV) and "导出图表" (PNG or SVG). Closing it stops a
// running study.

#include <QDialog>
#include <QPointer>

#include <functional>

class QChartView;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;
class StudySession;

class StudyWindow : public QDialog
{
    Q_OBJECT

public:
    // The name of a file to write: caption, the filters and the suffix each
    // writes; empty when the user cancelled.
    using FileNameFunction = std::function<QString(
        const QString &caption, const QStringList &filters, const QStringList &suffixes)>;

    StudyWindow(StudySession *session, FileNameFunction fileName, QWidget *parent = nullptr);

    StudySession *session() const { return m_session; }
    // A line under the table: what "采用" did, or why it did not.
    void showMessage(const QString &text);
    // Shows the session as it stands: running, its study, or nothing.
    void refresh();

signals:
    void applyRequested(double value);

public slots:
    // Closing (Escape, the title bar, "关闭") stops a running study.
    void reject() override;

private:
    void updateStale();
    void onProgress(int finished, int total);
    void onEnded(bool cancelled);
    void fillTable();
    void updateChart();
    void updateButtons();
    void apply();
    void exportTable();
    void exportChart();

    QPointer<StudySession> m_session;
    FileNameFunction m_fileName;
    QLabel *m_heading = nullptr;
    QLabel *m_stale = nullptr;
    QProgressBar *m_progress = nullptr;
    QPushButton *m_cancel = nullptr;
    QTableWidget *m_table = nullptr;
    QList<QCheckBox *> m_columns;
    QChartView *m_chart = nullptr;
    QLabel *m_message = nullptr;
    QPushButton *m_apply = nullptr;
    QPushButton *m_exportTable = nullptr;
    QPushButton *m_exportChart = nullptr;
};
