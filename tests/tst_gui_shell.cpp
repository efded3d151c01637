// The application shell: the settings store read within its limits.

#include "guitestsupport.h"

#include "app/settings.h"

#include <QtTest>

class TestShell : public QObject
{
    Q_OBJECT

    QTemporaryDir m_settingsDir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_settingsDir.isValid());
        useTemporarySettings(m_settingsDir);
    }

    void init() { openSettings().clear(); }

    void aDamagedStoreIsReadWithinItsLimits()
    {
        {
            QSettings store = openSettings();
            store.setValue(QStringLiteral("fontsize"), QStringLiteral("groß"));
            store.setValue(QStringLiteral("offset"), QStringLiteral("-"));
            store.beginWriteArray(QStringLiteral("recentFileList"));
            for (int n = 0; n < 12; ++n) {
                store.setArrayIndex(n);
                store.setValue(QStringLiteral("file"),
                    n == 1 ? QString() : QStringLiteral("/p/%1.qzp").arg(n));
            }
            store.endArray();
            store.setValue(QStringLiteral("basedlg1"), QRect(10, 10, 50000, 300));
            store.setValue(QStringLiteral("soildlg"), QStringLiteral("no rectangle"));
            store.setValue(QStringLiteral("anchordlg"), QRect(10, 10, 0, 300));
            store.setValue(QStringLiteral("forcedlg"), QRect(5, 6, 829, 320));
        }
        const Settings settings;
        QCOMPARE(settings.fontSize(), 40);
        QCOMPARE(settings.offset(), 2);
        // An empty entry is skipped; the eight first paths of the rest remain.
        const QStringList recent = settings.recentFiles();
        QCOMPARE(recent.size(), 8);
        QCOMPARE(recent.first(), QStringLiteral("/p/0.qzp"));
        QCOMPARE(recent.at(1), QStringLiteral("/p/2.qzp"));
        QCOMPARE(recent.last(), QStringLiteral("/p/8.qzp"));
        QVERIFY(settings.dialogGeometry(Settings::Dialog::Base).isNull());
        QVERIFY(settings.dialogGeometry(Settings::Dialog::Soil).isNull());
        QVERIFY(settings.dialogGeometry(Settings::Dialog::Anchor).isNull());
        QCOMPARE(settings.dialogGeometry(Settings::Dialog::Force), QRect(5, 6, 829, 320));
        QVERIFY(settings.dialogGeometry(Settings::Dialog::Pile).isNull());
    }

    void dialogHelpIsShownUntilHiddenAndThePileDialogHasNone()
    {
        Settings settings;
        QVERIFY(settings.dialogHelpShown(Settings::Dialog::Soil));
        settings.setDialogHelpShown(Settings::Dialog::Soil, false);
        settings.setDialogHelpShown(Settings::Dialog::Pile, false);
        QVERIFY(!Settings().dialogHelpShown(Settings::Dialog::Soil));
        QVERIFY(Settings().dialogHelpShown(Settings::Dialog::Force));
        QVERIFY(Settings().dialogHelpShown(Settings::Dialog::Pile));
        QCOMPARE(openSettings().value(QStringLiteral("soildlgtxt")).toBool(), false);
        QVERIFY(!openSettings().allKeys().join(',').contains(QStringLiteral("piledlg")));
    }
};

QTEST_MAIN(TestShell)
#include "tst_gui_shell.moc"
