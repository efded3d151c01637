#include "guitestfixture.h"

#include <QSettings>
#include <QStandardPaths>

static GuiTestFixture *current = nullptr;

GuiTestFixture::GuiTestFixture(int &argc, char **argv)
{
    // A test run by hand on a desktop stays off the screen too.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    m_application = std::make_unique<QApplication>(argc, argv);
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    QTEST_DISABLE_KEYPAD_NAVIGATION
    // The resources are in the GUI library, which is linked statically.
    Q_INIT_RESOURCE(res);

    m_settingsDir = std::make_unique<QTemporaryDir>();
    current = this;
    if (!isReady()) {
        qCritical("No temporary directory for the settings: %s",
            qPrintable(m_settingsDir->errorString()));
        return;
    }
    const QTemporaryDir &dir = *m_settingsDir;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("share")).toLocal8Bit());
    qputenv("XDG_DESKTOP_DIR", dir.filePath(QStringLiteral("Desktop")).toLocal8Bit());
}

GuiTestFixture::~GuiTestFixture()
{
    current = nullptr;
}

bool GuiTestFixture::isReady() const
{
    return m_settingsDir->isValid();
}

const QTemporaryDir &GuiTestFixture::settingsDir()
{
    Q_ASSERT(current);
    return *current->m_settingsDir;
}
