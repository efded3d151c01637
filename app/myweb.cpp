#include "app/myweb.h"

#include "buildinfo.h"
#include "io/filesys.h"
#include "document/document.h"
#include "settings/settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>

namespace {

const QString Scheme = QStringLiteral("ridezu");

// A link with the path under its name in grey.
QString fileLink(const QString &path, const QString &title, const QString &note)
{
    const QUrl url = QUrl::fromLocalFile(QDir::fromNativeSeparators(path));
    return QStringLiteral("<tr><td style='padding:3px 24px 3px 0'><a href=\"%1\">%2</a></td>"
                          "<td style='color:#707070;padding:3px 0'>%3</td></tr>")
        .arg(url.toString(QUrl::FullyEncoded).toHtmlEscaped(), title.toHtmlEscaped(),
            note.toHtmlEscaped());
}

} // namespace

MyWeb::MyWeb(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MyWeb"));
    resize(1038, 809);
    setWindowTitle(tr("起始页"));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);
    setAttribute(Qt::WA_DeleteOnClose);

    auto *layout = new QGridLayout(this);
    layout->setObjectName(QStringLiteral("gridLayout"));
    layout->setHorizontalSpacing(0);
    layout->setVerticalSpacing(6);
    layout->setContentsMargins(0, 0, 0, 0);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("textStart"));
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    m_browser->setFrameShape(QFrame::NoFrame);
    layout->addWidget(m_browser, 0, 0);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &MyWeb::onLinkClicked);

    // The examples do not change while the program runs: read their project
    // names once.
    const QDir dir(examplesDir());
    const QStringList names =
        dir.entryList({QStringLiteral("*.qzp")}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QString &name : names) {
        Example example;
        example.path = QDir::toNativeSeparators(dir.absoluteFilePath(name));
        Project project = Project::defaultProject();
        FileSys reader;
        if (reader.readProject(project, example.path).isEmpty()) {
            example.projectName = project.base.ProjectName.trimmed();
            example.analysed = !project.results.isEmpty();
        }
        if (example.projectName.isEmpty())
            example.projectName = QFileInfo(name).completeBaseName();
        m_examples.append(example);
    }
    refresh();
}

QString MyWeb::examplesDir()
{
    const QString dir = QCoreApplication::applicationDirPath() + QLatin1Char('/')
        + QStringLiteral(RIDEZU_DATA_FROM_BIN) + QStringLiteral("/examples");
    return QFileInfo(dir).isDir() ? QDir::cleanPath(dir) : QString();
}

void MyWeb::refresh()
{
    const int scroll = m_browser->verticalScrollBar()->value();
    m_browser->setHtml(html());
    m_browser->verticalScrollBar()->setValue(scroll);
}

void MyWeb::showEvent(QShowEvent *event)
{
    // The recent files may have changed while another tab was shown.
    refresh();
    QWidget::showEvent(event);
}

void MyWeb::onLinkClicked(const QUrl &url)
{
    if (url.scheme() == Scheme) {
        if (url.path() == QLatin1String("new"))
            emit newRequested();
        else if (url.path() == QLatin1String("open"))
            emit openRequested();
    } else if (url.isLocalFile()) {
        emit openFileRequested(QDir::toNativeSeparators(url.toLocalFile()));
    }
    // Any other link stays unvisited: the page never goes to the network.
}

QString MyWeb::html() const
{
    QString page = QStringLiteral("<div style='margin:32px 40px'>");
    page += QStringLiteral("<h1 style='color:#1a7fd0'>%1</h1>")
                .arg(QString::fromUtf8(RIDEZU_PROGRAM_NAME).toHtmlEscaped());
    page += QStringLiteral("<p style='color:#505050'>%1</p>")
                .arg(tr("版本V%1（Build：%2）")
                         .arg(QStringLiteral(RIDEZU_VERSION), QStringLiteral(RIDEZU_BUILD_DATE))
                         .toHtmlEscaped());
    page += QStringLiteral("<p>%1</p>").arg(tr("单排桩、双排桩及锚索(杆)抗滑桩的设计验算。"));

    page += QStringLiteral("<h3>%1</h3>").arg(tr("开始"));
    page += QStringLiteral("<p style='font-size:large'><a href='%1:new'>%2</a>"
                           "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;<a href='%1:open'>%3</a></p>")
                .arg(Scheme, tr("新建项目"), tr("打开项目…"));

    page += QStringLiteral("<h3>%1</h3>").arg(tr("最近文件"));
    const QStringList recent = Settings().recentFiles();
    if (recent.isEmpty()) {
        page += QStringLiteral("<p style='color:#707070'>%1</p>").arg(tr("还没有打开过项目。"));
    } else {
        page += QStringLiteral("<table>");
        for (const QString &path : recent)
            page += fileLink(path, QFileInfo(QDir::fromNativeSeparators(path)).fileName(), path);
        page += QStringLiteral("</table>");
    }

    page += QStringLiteral("<h3>%1</h3>").arg(tr("示例项目"));
    if (m_examples.isEmpty()) {
        page += QStringLiteral("<p style='color:#707070'>%1</p>").arg(tr("没有找到示例项目。"));
    } else {
        page += QStringLiteral("<table>");
        for (const Example &example : m_examples) {
            const QString file = QFileInfo(example.path).fileName();
            const QString note = example.analysed ? tr("%1，含计算结果").arg(file) : file;
            page += fileLink(example.path, example.projectName, note);
        }
        page += QStringLiteral("</table>");
    }

    page += QStringLiteral("<h3>%1</h3>").arg(tr("提示"));
    page += tr("<p>也可以把项目文件(*.qzp)拖到窗口中打开。</p>"
               "<p>在图上滚动鼠标滚轮缩放，按住鼠标中键(或Ctrl+左键)拖动平移，"
               "双击鼠标中键显示全图。</p>");
    page += QStringLiteral("</div>");
    return page;
}
