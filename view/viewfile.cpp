// File actions of a project tab: naming, loading, saving and the question
// before a modified project is closed.

#include "view/view.h"

#include "document/document.h"
#include "engine/results.h"
#include "io/filesys.h"
#include "settings/settings.h"
#include "view/prompts.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

int View::untitledCounter = 1;

namespace {

// Wait cursor for the lifetime of the object.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { restore(); }
    void restore()
    {
        if (m_active)
            QApplication::restoreOverrideCursor();
        m_active = false;
    }

private:
    bool m_active = true;
};

} // namespace

void View::newFile()
{
    m_isUntitled = true;
    m_filePath = tr("新文件%1.qzp").arg(untitledCounter++);
    setWindowTitle(m_filePath);
}

bool View::loadFile(const QString &path)
{
    if (!m_document)
        return false;
    WaitCursor wait;
    FileSys fileSys;
    // The reader fills a copy, which keeps what the file does not hold; the
    // document takes it whole only when the file was read.
    Project read = m_document->project();
    const QString error = fileSys.readProject(read, path);
    if (error.isEmpty()) {
        m_document->replaceProject(read);
        // The information window tells what the reader took as 0 and, for
        // an analysed project, shows the result report as the session that
        // analysed it did.
        for (const QString &note : fileSys.notes())
            m_document->outInfo(note);
        if ((m_document->project().status & SHOWRESULT)
            && reportPrintable(m_document->project().extremes)) {
            for (const QString &line : reportLines(m_document->project()))
                m_document->outInfo(line);
        }
        setCurrentFile(path);
        // A stored view that is damaged or hostile (mirrored, a few
        // lines big, far off) is replaced by a fitted one; the rest of the
        // file is used as read.
        m_painted = false;
        m_placed = false;
        m_fitPending = !storedViewUsable(m_document->project());
        m_storedView = !m_fitPending;
        updateTransform();
        if (isVisible())
            placeBeforeFirstPaint();
        update();
        return true;
    }
    wait.restore();
    Prompts::warn(this, tr("澄川抗滑桩"), error);
    return false;
}

bool View::save()
{
    return m_isUntitled ? saveAs() : saveFile(m_filePath);
}

bool View::saveAs()
{
    const QFileInfo info(m_filePath);
    const QString base = info.completeBaseName();
    QString dir = info.path();
    if (dir == QLatin1String("."))
        dir = Settings().lastPath();
    QString proposal = dir.isEmpty() ? base : QDir::toNativeSeparators(dir + '/' + base);
    const QString filters = tr("数据文件(*.qzp);;所有文件(*.*)");
    const QString dataFilter = filters.section(QStringLiteral(";;"), 0, 0);
    for (;;) {
        QString selected = dataFilter;
        QString name = Prompts::saveFileName(this, tr("另存"), proposal, filters, &selected);
        if (name.isEmpty())
            return false;
        // A project saved under the data filter gets its extension, or the
        // open dialog (which lists only project files) would hide it. The
        // dialog asked about overwriting the name typed, not this one.
        if (selected == dataFilter && !hasProjectSuffix(name)) {
            name += QStringLiteral(".qzp");
            if (QFileInfo::exists(name) && !confirmOverwrite(name)) {
                proposal = QDir::toNativeSeparators(name);
                continue;
            }
        }
        return saveFile(name);
    }
}

bool View::hasProjectSuffix(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("qzp"), Qt::CaseInsensitive) == 0;
}

bool View::confirmOverwrite(const QString &path)
{
    Prompts::Question q;
    q.title = tr("另存");
    q.text = tr("%1 已存在。").arg(QFileInfo(path).fileName());
    q.informativeText = tr("要替换它吗？");
    q.buttons = {{QMessageBox::Yes, tr("是(&Y)")}, {QMessageBox::No, tr("否(&N)")}};
    q.defaultButton = QMessageBox::No;
    return Prompts::ask(this, q) == QMessageBox::Yes;
}

bool View::saveFile(const QString &path)
{
    if (!m_document)
        return false;
    WaitCursor wait;
    FileSys fileSys;
    const QString error = fileSys.writeProject(m_document->project(), path);
    if (error.isEmpty()) {
        setCurrentFile(path);
        return true;
    }
    wait.restore();
    Prompts::warn(this, tr("澄川抗滑桩"), error);
    return false;
}

void View::setCurrentFile(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    m_isUntitled = false;
    m_filePath = canonical.isEmpty() ? info.absoluteFilePath() : canonical;
    setWindowTitle(QFileInfo(m_filePath).fileName());
    if (m_document)
        m_document->setModified(false);
}

bool View::maybeSave()
{
    if (!m_document || !m_document->isModified())
        return true;
    Prompts::Question q;
    q.title = tr("澄川抗滑桩");
    q.text = tr("文件 '%1' 已被修改。").arg(QFileInfo(m_filePath).fileName());
    q.informativeText = tr("是否保存更改？");
    q.buttons = {{QMessageBox::Save, tr("保存(&S)")}, {QMessageBox::Discard, tr("不保存(&D)")},
        {QMessageBox::Cancel, tr("取消(&C)")}};
    q.defaultButton = QMessageBox::Save;
    switch (Prompts::ask(this, q)) {
    case QMessageBox::Save: return save();
    case QMessageBox::Discard: return true;
    default: return false;
    }
}
