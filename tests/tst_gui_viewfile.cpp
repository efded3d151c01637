// File actions of a project tab: untitled names, save, save as, load (with
// what it logs) and the question before a modified project is closed.

#include "guitestfixture.h"
#include "guitestsupport.h"

#include "io/filesys.h"
#include "document/document.h"
#include "view/view.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QtTest>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

class TestViewFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_files;

    QString path(const QString &name) const { return m_files.filePath(name); }

private slots:
    void initTestCase() { QVERIFY(m_files.isValid()); }

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
    }

    void onlyAModifiedProjectAsksBeforeClosing()
    {
        PromptRecorder prompts;
        View view;
        view.newFile();
        QVERIFY(view.maybeSave());
        QVERIFY(prompts.questions.isEmpty());

        view.document()->setModified(true);
        prompts.answers = {QMessageBox::Discard, QMessageBox::Cancel, QMessageBox::Save};
        QVERIFY(view.maybeSave());
        QCOMPARE(prompts.questions.size(), 1);
        const Prompts::Question q = prompts.questions.first();
        QVERIFY(q.text.contains(view.filePath()));
        QList<QMessageBox::StandardButton> buttons;
        for (const auto &button : q.buttons)
            buttons.append(button.first);
        QCOMPARE(buttons, QList({QMessageBox::Save, QMessageBox::Discard, QMessageBox::Cancel}));
        QCOMPARE(q.defaultButton, QMessageBox::Save);

        QVERIFY(!view.maybeSave());
        // Saving an untitled project whose save dialog is cancelled keeps it.
        QVERIFY(!view.maybeSave());
        QVERIFY(view.document()->isModified());
        QVERIFY(prompts.warnings.isEmpty());
    }

    void saveAsksForANameOnlyWhenUntitled()
    {
        PromptRecorder prompts;
        openSettings().setValue(
            QStringLiteral("lastpath"), QDir::toNativeSeparators(m_files.path()));
        View view;
        view.newFile();
        view.document()->setModified(true);
        QSignalSpy modified(view.document(), &Document::modifiedChanged);
        // Proposed: the untitled name in the last directory.
        const QString base = QFileInfo(view.filePath()).completeBaseName();
        const QString target = path(QStringLiteral("桩基.qzp"));
        prompts.fileAnswers = {target};
        QVERIFY(view.save());
        QCOMPARE(prompts.fileProposals,
            QStringList(QDir::toNativeSeparators(m_files.path() + '/' + base)));
        QVERIFY(QFileInfo::exists(target));
        QVERIFY(!view.isUntitled());
        QCOMPARE(view.filePath(), QFileInfo(target).canonicalFilePath());
        QCOMPARE(view.windowTitle(), QStringLiteral("桩基.qzp"));
        QCOMPARE(modified.count(), 1);
        QCOMPARE(modified.first().first().toBool(), false);

        // A titled project is saved under its name without a dialog, also
        // when closing asks for it.
        view.document()->setModified(true);
        QVERIFY(view.save());
        view.document()->setModified(true);
        prompts.answers = {QMessageBox::Save};
        QVERIFY(view.maybeSave());
        QCOMPARE(prompts.fileProposals.size(), 1);
        QVERIFY(!view.document()->isModified());

        // Save as proposes the project's own directory.
        QVERIFY(!view.saveAs());
        QCOMPARE(prompts.fileProposals.last(),
            QDir::toNativeSeparators(QFileInfo(view.filePath()).absolutePath() + '/' + "桩基"));
    }

    void saveAsAddsTheExtensionUnderTheDataFilter()
    {
        PromptRecorder prompts;
        View view;
        view.newFile();
        // A name typed without extension is saved as a project file.
        const QString typed = path(QStringLiteral("saved1"));
        const QString saved = typed + QStringLiteral(".qzp");
        prompts.fileAnswers = {typed};
        QVERIFY(view.saveAs());
        QVERIFY(QFileInfo::exists(saved));
        QVERIFY(!QFileInfo::exists(typed));
        QCOMPARE(view.filePath(), QFileInfo(saved).canonicalFilePath());
        QCOMPARE(view.windowTitle(), QStringLiteral("saved1.qzp"));
        QVERIFY(prompts.questions.isEmpty());

        // That name is now taken: refusing to replace it shows the dialog
        // again with the full name and leaves the file as it was.
        Project renamed = view.document()->project();
        renamed.base.ProjectName = QStringLiteral("替换后");
        view.document()->replaceProject(renamed);
        const auto savedName = [&] {
            Project readBack = Project::defaultProject();
            return FileSys().readProject(readBack, saved).isEmpty() ? readBack.base.ProjectName
                                                                    : QString();
        };
        const QString original = savedName();
        QVERIFY(!original.isEmpty() && original != QStringLiteral("替换后"));
        prompts.fileAnswers = {typed};
        prompts.answers = {QMessageBox::No};
        QVERIFY(!view.saveAs());
        QCOMPARE(prompts.questions.size(), 1);
        QVERIFY(prompts.questions.first().text.contains(QStringLiteral("saved1.qzp")));
        QCOMPARE(prompts.fileProposals.last(), QDir::toNativeSeparators(saved));
        QCOMPARE(savedName(), original);
        // Agreeing replaces it.
        prompts.fileAnswers = {typed};
        prompts.answers = {QMessageBox::Yes};
        QVERIFY(view.saveAs());
        QCOMPARE(savedName(), QStringLiteral("替换后"));
        QVERIFY(prompts.warnings.isEmpty());

        // A name with the extension in other capitals, or any name under the
        // filter of all files, is saved as given.
        prompts.fileAnswers = {path(QStringLiteral("upper.QZP"))};
        QVERIFY(view.saveAs());
        QVERIFY(QFileInfo::exists(path(QStringLiteral("upper.QZP"))));
        prompts.fileFilter = QStringLiteral("所有文件(*.*)");
        prompts.fileAnswers = {path(QStringLiteral("plain"))};
        QVERIFY(view.saveAs());
        QVERIFY(QFileInfo::exists(path(QStringLiteral("plain"))));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("plain.qzp"))));
    }

    void loadReadsWhatSaveWrote()
    {
        PromptRecorder prompts;
        const QString target = path(QStringLiteral("roundtrip.qzp"));
        {
            View writer;
            writer.newFile();
            Project p = writer.document()->project();
            p.status = SHOWDATA | SHOWMARK;
            p.blc = 33.0;
            p.x0 = 123;
            p.y0 = 45;
            writer.document()->replaceProject(p);
            QVERIFY(writer.saveFile(target));
        }
        View reader;
        reader.newFile();
        QVERIFY(reader.loadFile(target));
        QVERIFY(prompts.warnings.isEmpty());
        QVERIFY(!reader.isUntitled());
        QCOMPARE(reader.filePath(), QFileInfo(target).canonicalFilePath());
        QCOMPARE(reader.windowTitle(), QStringLiteral("roundtrip.qzp"));
        QCOMPARE(reader.document()->project().status, SHOWDATA | SHOWMARK);
        // The stored scale and origin are used as read.
        QCOMPARE(reader.transform().map(QPointF(0, 0)), QPointF(123, 45));
        QCOMPARE(reader.transform().map(QPointF(1, 0)), QPointF(156, 45));
    }

    // An analysed project opens with the result report of the session that
    // analysed it in its log; a value the reader took as 0 is named there.
    void loadLogsTheResultReportAndTheReadersNotes()
    {
        PromptRecorder prompts;
        Project p = Project::defaultProject();
        QCOMPARE(
            FileSys().readProject(p, QStringLiteral(RIDEZU_SOURCE_DIR "/examples/doublerow.qzp")),
            QString());
        Document session;
        session.replaceProject(p);
        QVERIFY(session.analyse());
        const qsizetype heading = session.messages.lastIndexOf(QStringLiteral(">>计算结果如下:"));
        QVERIFY(heading > 0);
        const QStringList printed = session.messages.mid(heading - 1);
        const QString analysed = path(QStringLiteral("analysed.qzp"));
        QCOMPARE(FileSys().writeProject(session.project(), analysed), QString());

        View reader;
        QVERIFY(reader.loadFile(analysed));
        QCOMPARE(reader.document()->messages, Document().messages + printed);

        const QString unreadable = path(QStringLiteral("unreadable.qzp"));
        {
            QuaZip zip(unreadable);
            QVERIFY(zip.open(QuaZip::mdCreate));
            QuaZipFile member(&zip);
            QVERIFY(member.open(QIODevice::WriteOnly, QuaZipNewInfo(QStringLiteral("data.xml"))));
            member.write("<RIDezuData><FileVer version=\"1.1\"/><BaseData>"
                         "<SlideDepthBack h=\"1e999\" yg=\"-6\"/></BaseData></RIDezuData>");
        }
        View input;
        QVERIFY(input.loadFile(unreadable));
        QCOMPARE(input.document()->messages,
            Document().messages
                + QStringList(QStringLiteral("文件中SlideDepthBack的h值无法识别，按0处理")));
        QVERIFY(prompts.warnings.isEmpty());
    }

    void failedLoadOrSaveKeepsTheProjectAndItsName()
    {
        PromptRecorder prompts;
        // Each failure gives one message, shown without the wait cursor.
        QStringList messages;
        Prompts::warn = [&](QWidget *, const QString &, const QString &text) {
            messages.append(QApplication::overrideCursor() ? QString() : text);
        };
        const QString broken = path(QStringLiteral("broken.qzp"));
        QFile file(broken);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("this is not a project file");
        file.close();

        View view;
        view.newFile();
        view.document()->setModified(true);
        const QString before = view.filePath();
        QVERIFY(!view.loadFile(broken));
        QVERIFY(!view.saveFile(path(QStringLiteral("no/such/dir/x.qzp"))));
        QCOMPARE(messages.size(), 2);
        QVERIFY(!messages.at(0).isEmpty() && !messages.at(1).isEmpty());
        QVERIFY(view.isUntitled());
        QCOMPARE(view.filePath(), before);
        QVERIFY(view.document()->isModified());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }
};

RIDEZU_GUI_TEST_MAIN(TestViewFile)
#include "tst_gui_viewfile.moc"
