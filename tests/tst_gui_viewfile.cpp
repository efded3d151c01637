// File actions of a project tab: untitled names, save, save as, load and the
// question before a modified project is closed.

#include "guitestsupport.h"

#include "model/document.h"
#include "view/settingsstore.h"
#include "view/view.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QtTest>

class TestViewFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_settingsDir;
    QTemporaryDir m_files;

    QString path(const QString &name) const { return m_files.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_settingsDir.isValid());
        QVERIFY(m_files.isValid());
        useTemporarySettings(m_settingsDir);
    }

    void init() { openSettings().clear(); }

    void untitledNamesCountOnAndNeverReset()
    {
        const int first = View::untitledCounter;
        {
            View a;
            a.newFile();
            QCOMPARE(a.filePath(), QStringLiteral("新文件%1.qzp").arg(first));
            QCOMPARE(a.windowTitle(), a.filePath());
            QVERIFY(a.isUntitled());
            View b;
            b.newFile();
            QCOMPARE(b.filePath(), QStringLiteral("新文件%1.qzp").arg(first + 1));
        }
        // The first two are closed; the third is still number three.
        View c;
        c.newFile();
        QCOMPARE(c.filePath(), QStringLiteral("新文件%1.qzp").arg(first + 2));
        QCOMPARE(View::untitledCounter, first + 3);
    }

    void unmodifiedProjectClosesWithoutAsking()
    {
        PromptRecorder prompts;
        View view;
        view.newFile();
        QVERIFY(view.maybeSave());
        QVERIFY(prompts.questions.isEmpty());
    }

    void modifiedProjectAsksWithThreeButtons()
    {
        PromptRecorder prompts;
        View view;
        view.newFile();
        view.document()->setModified(true);

        prompts.answers = {QMessageBox::Discard};
        QVERIFY(view.maybeSave());
        QCOMPARE(prompts.questions.size(), 1);
        const Prompts::Question q = prompts.questions.first();
        QCOMPARE(q.title, QStringLiteral("澄川抗滑桩"));
        QCOMPARE(q.text, QStringLiteral("文件 '%1' 已被修改。").arg(view.filePath()));
        QCOMPARE(q.informativeText, QStringLiteral("是否保存更改？"));
        QCOMPARE(q.buttons.size(), 3);
        QCOMPARE(q.buttons.at(0).first, QMessageBox::Save);
        QCOMPARE(q.buttons.at(0).second, QStringLiteral("保存(&S)"));
        QCOMPARE(q.buttons.at(1).first, QMessageBox::Discard);
        QCOMPARE(q.buttons.at(1).second, QStringLiteral("不保存(&D)"));
        QCOMPARE(q.buttons.at(2).first, QMessageBox::Cancel);
        QCOMPARE(q.buttons.at(2).second, QStringLiteral("取消(&C)"));
        QCOMPARE(q.defaultButton, QMessageBox::Save);

        prompts.answers = {QMessageBox::Cancel};
        QVERIFY(!view.maybeSave());
        // Saving an untitled project whose save dialog is cancelled keeps it.
        prompts.answers = {QMessageBox::Save};
        QVERIFY(!view.maybeSave());
        QVERIFY(view.document()->isModified());
        QVERIFY(prompts.warnings.isEmpty());
    }

    void saveAsProposesTheLastDirectoryAndTheUntitledName()
    {
        PromptRecorder prompts;
        openSettings().setValue(
            QStringLiteral("lastpath"), QDir::toNativeSeparators(m_files.path()));
        View view;
        view.newFile();
        const QString base = QFileInfo(view.filePath()).completeBaseName();
        QVERIFY(!view.saveAs());
        QCOMPARE(prompts.fileCaptions, QStringList(QStringLiteral("另存")));
        QCOMPARE(prompts.fileProposals,
            QStringList(QDir::toNativeSeparators(m_files.path() + '/' + base)));
    }

    void saveAsAdoptsTheNewName()
    {
        PromptRecorder prompts;
        View view;
        view.newFile();
        view.document()->setModified(true);
        QSignalSpy modified(view.document(), &Document::modifiedChanged);
        const QString target = path(QStringLiteral("桩基.qzp"));
        prompts.fileAnswers = {target};
        QVERIFY(view.save()); // untitled: asks for a name
        QCOMPARE(prompts.fileCaptions.size(), 1);
        QVERIFY(QFileInfo::exists(target));
        QVERIFY(!view.isUntitled());
        QCOMPARE(view.filePath(), QFileInfo(target).canonicalFilePath());
        QCOMPARE(view.windowTitle(), QStringLiteral("桩基.qzp"));
        QVERIFY(!view.document()->isModified());
        QCOMPARE(modified.count(), 1);
        QCOMPARE(modified.first().first().toBool(), false);

        // A titled project is saved under its name without a dialog.
        view.document()->setModified(true);
        QVERIFY(view.save());
        QCOMPARE(prompts.fileCaptions.size(), 1);
        QVERIFY(!view.document()->isModified());

        // Save as proposes the project's own directory.
        QVERIFY(!view.saveAs());
        QCOMPARE(prompts.fileProposals.last(),
            QDir::toNativeSeparators(QFileInfo(view.filePath()).absolutePath() + '/' + "桩基"));
    }

    void loadReadsWhatSaveWrote()
    {
        PromptRecorder prompts;
        const QString target = path(QStringLiteral("roundtrip.qzp"));
        {
            View writer;
            writer.newFile();
            writer.document()->status = SHOWDATA | SHOWMARK;
            writer.document()->blc = 33.0;
            writer.document()->x0 = 123;
            writer.document()->y0 = 45;
            QVERIFY(writer.saveFile(target));
        }
        View reader;
        reader.newFile();
        QVERIFY(reader.loadFile(target));
        QVERIFY(prompts.warnings.isEmpty());
        QVERIFY(!reader.isUntitled());
        QCOMPARE(reader.filePath(), QFileInfo(target).canonicalFilePath());
        QCOMPARE(reader.windowTitle(), QStringLiteral("roundtrip.qzp"));
        QCOMPARE(reader.document()->status, SHOWDATA | SHOWMARK);
        // The stored scale and origin are used as read.
        QCOMPARE(reader.transform().map(QPointF(0, 0)), QPointF(123, 45));
        QCOMPARE(reader.transform().map(QPointF(1, 0)), QPointF(156, 45));
    }

    void brokenFileGivesTheReadersMessage()
    {
        PromptRecorder prompts;
        const QString broken = path(QStringLiteral("broken.qzp"));
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is not a project file");
        file.close();

        View view;
        view.newFile();
        const QString before = view.filePath();
        QVERIFY(!view.loadFile(broken));
        QCOMPARE(prompts.warnings.size(), 1);
        QVERIFY(!prompts.warnings.first().isEmpty());
        QVERIFY(view.isUntitled());
        QCOMPARE(view.filePath(), before);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void failedSaveKeepsTheName()
    {
        PromptRecorder prompts;
        View view;
        view.newFile();
        const QString before = view.filePath();
        QVERIFY(!view.saveFile(path(QStringLiteral("no/such/dir/x.qzp"))));
        QCOMPARE(prompts.warnings.size(), 1);
        QVERIFY(view.isUntitled());
        QCOMPARE(view.filePath(), before);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }
};

QTEST_MAIN(TestViewFile)
#include "tst_gui_viewfile.moc"
