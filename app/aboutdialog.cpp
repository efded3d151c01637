#include "app/aboutdialog.h"

#include "buildinfo.h"
#include "view/fonts.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>

namespace {

QLabel *textLabel(QDialog *dialog, const char *name, const QString &text, int pointSize)
{
    auto *label = new QLabel(text, dialog);
    label->setObjectName(QLatin1String(name));
    QFont font = label->font();
    font.setPointSize(pointSize);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDialog"));
    resize(372, 206);
    setWindowTitle(tr("关于"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto *layout = new QGridLayout(this);
    layout->setObjectName(QStringLiteral("gridLayout"));

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("label"));
    image->setMaximumSize(122, 134);
    image->setPixmap(QPixmap(QStringLiteral(":/res/about.png")));
    image->setScaledContents(true);
    layout->addWidget(image, 0, 0, 3, 1);

    const QString name = QString::fromUtf8(RIDEZU_PROGRAM_NAME);
    QLabel *softName = textLabel(this, "labSoftName", tr("%1软件").arg(name), 16);
    QFont nameFont = softName->font();
    nameFont.setFamilies(QStringList(QStringLiteral("Microsoft YaHei")) + programFont().families());
    softName->setFont(nameFont);
    layout->addWidget(softName, 0, 1);

    layout->addWidget(
        textLabel(this, "labVer",
            tr("版本V%1（Build：%2）")
                .arg(QStringLiteral(RIDEZU_VERSION), QStringLiteral(RIDEZU_BUILD_DATE)),
            10),
        1, 1);

    const QString web = QStringLiteral(RIDEZU_HOMEPAGE);
    QLabel *link = textLabel(this, "labWeb",
        QStringLiteral("<a href=\"%1\">%2</a>")
            .arg(web.toHtmlEscaped(), tr("Kestrane 网站").toHtmlEscaped()),
        10);
    link->setTextFormat(Qt::RichText);
    link->setOpenExternalLinks(true);
    link->setToolTip(web);
    layout->addWidget(link, 2, 1);

    layout->setRowStretch(0, 2);
    layout->setRowStretch(1, 1);
    layout->setRowStretch(2, 1);
}
