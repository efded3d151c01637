#include "app/myweb.h"

#include <QGridLayout>
#include <QTextBrowser>

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

    auto *text = new QTextBrowser(this);
    text->setObjectName(QStringLiteral("textStart"));
    text->setOpenLinks(false);
    text->setFrameShape(QFrame::NoFrame);
    text->setHtml(tr("<div style='margin:40px'>"
                     "<h2 style='color:#1a7fd0'>澄川抗滑桩</h2>"
                     "<p>单排桩、双排桩及锚索(杆)抗滑桩的设计验算。</p>"
                     "<p>点击“新建”开始一个新项目，或点击“打开”打开已有的项目文件(*.qzp)；"
                     "也可以把项目文件拖到窗口中。</p>"
                     "<p>在图上滚动鼠标滚轮缩放，按住鼠标中键(或Ctrl+左键)拖动平移，"
                     "双击鼠标中键显示全图。</p>"
                     "</div>"));
    layout->addWidget(text, 0, 0);
}
