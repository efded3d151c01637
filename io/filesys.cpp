// The project archive: which members it holds, how they are fetched within
// the size limit, and how a new archive replaces the old file.

#include "io/filesys.h"

#include "io/numbers.h"
#include "model/project.h"
#include "model/project.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>
#include <quazip/quazipnewinfo.h>

namespace {

const QString DATAMEMBER = QStringLiteral("data.xml");
const QString RESULTMEMBER = QStringLiteral("result.xml");

} // namespace

FileSys::Member FileSys::readMember(QuaZip &zip, const QString &name, QByteArray &bytes)
{
    bytes.clear();
    if (!zip.setCurrentFile(name))
        return Member::Missing;
    // The size in the directory is checked first, so that an oversized member
    // is refused without inflating it; the loop below keeps to the limit even
    // when the directory lies.
    QuaZipFileInfo64 info;
    if (zip.getCurrentFileInfo(&info) && info.uncompressedSize > quint64(MAXMEMBERSIZE))
        return Member::TooLarge;

    QuaZipFile file(&zip);
    if (!file.open(QIODevice::ReadOnly))
        return Member::Unreadable;
    bytes.reserve(qsizetype(qMin(info.uncompressedSize, quint64(MAXMEMBERSIZE))));
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 n = file.read(chunk.data(), chunk.size());
        if (n < 0)
            return Member::Unreadable;
        if (n == 0)
            break;
        if (bytes.size() + n > MAXMEMBERSIZE) {
            bytes.clear();
            return Member::TooLarge;
        }
        bytes.append(chunk.constData(), qsizetype(n));
    }
    file.close(); // checks the CRC of a member read to its end
    return file.getZipError() == UNZ_OK ? Member::Read : Member::Unreadable;
}

QString FileSys::readProject(Project &project, const QString &path)
{
    const QString name = QDir::toNativeSeparators(path);
    m_fileVersion = 0.0;
    m_tooManyRecords = false;
    m_errorLine = 0;
    m_unreadable = UnreadableFields();

    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip)) {
        QFile file(path);
        const QString reason = QFileInfo(path).isDir() ? tr("这是文件夹，不是项目文件")
            : !file.open(QIODevice::ReadOnly)          ? tr("没有读取权限或无法访问")
                                                       : tr("文件已损坏或不是项目文件");
        return tr("打开文件\"%1\"失败：%2").arg(name, reason);
    }

    Project data = project;
    QByteArray xml;
    switch (readMember(zip, DATAMEMBER, xml)) {
    case Member::Read: break;
    case Member::Missing: return tr("读取文件\"%1\"出错：缺少%2").arg(name, DATAMEMBER);
    case Member::Unreadable: return tr("无法读取文件\"%1\"资料：数据已损坏").arg(name);
    case Member::TooLarge: return tr("文件\"%1\"中的数据过大，无法读取").arg(name);
    }
    switch (readData(xml, data)) {
    case ReadOk: break;
    case ReadNewer: return tr("读取高版本文件");
    case ReadOlder:
        return tr("文件版本%1过低，无法读取").arg(filenumbers::numberText(float(m_fileVersion)));
    default: return brokenMessage(name, DATAMEMBER);
    }

    if (data.status & SHOWRESULT) {
        switch (readMember(zip, RESULTMEMBER, xml)) {
        case Member::Read: break;
        case Member::Missing: return tr("读取文件\"%1\"出错：缺少%2").arg(name, RESULTMEMBER);
        case Member::Unreadable: return tr("无法读取文件\"%1\"结果：数据已损坏").arg(name);
        case Member::TooLarge: return tr("文件\"%1\"中的数据过大，无法读取").arg(name);
        }
        if (readResults(xml, data) != ReadOk)
            return brokenMessage(name, RESULTMEMBER);
        // Results whose elements name nodes that do not exist cannot be
        // drawn: the project opens with its input, to be analysed again.
        if (!data.resultsConsistent())
            data.dropResults();
    }
    zip.close();

    project = data;
    return QString();
}

QString FileSys::brokenMessage(const QString &name, const QString &member) const
{
    if (m_tooManyRecords)
        return tr("文件\"%1\"中的记录过多，无法读取").arg(name);
    if (m_errorLine > 0)
        return tr("文件解析错误：\"%1\"中%2第%3行格式有误").arg(name, member).arg(m_errorLine);
    return tr("文件解析错误：\"%1\"中%2不是本程序的项目数据").arg(name, member);
}

QStringList FileSys::notes() const
{
    QStringList lines;
    for (const auto &[element, field] : m_unreadable.kept)
        lines.append(tr("文件中%1的%2值无法识别，按0处理").arg(element, field));
    if (m_unreadable.count > m_unreadable.kept.size())
        lines.append(tr("文件中另有%1个值无法识别，按0处理")
                         .arg(m_unreadable.count - m_unreadable.kept.size()));
    return lines;
}

bool FileSys::writeMember(QuaZip &zip, const QString &name, const QByteArray &bytes)
{
    // A regular file that every user may read (mode 0644), stamped with the
    // time of writing: without a mode the members unpack unreadable.
    QuaZipNewInfo info(name);
    info.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    info.dateTime = QDateTime::currentDateTime();
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::WriteOnly, info))
        return false;
    const bool written = file.write(bytes) == bytes.size();
    file.close();
    return written && file.getZipError() == ZIP_OK;
}

QString FileSys::writeProject(const Project &data, const QString &path)
{
    const QString name = QDir::toNativeSeparators(path);

    // The archive is built in memory; the file on disk is replaced only once
    // all of it has been written, so a failed save keeps the previous file.
    QByteArray archive;
    QBuffer buffer(&archive);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdCreate))
        return tr("打开创建文件%1失败").arg(name);
    if (!writeMember(zip, DATAMEMBER, dataXml(data)))
        return tr("无法写入文件%1").arg(name);
    if ((data.status & SHOWRESULT) && !writeMember(zip, RESULTMEMBER, resultXml(data)))
        return tr("无法写入文件%1").arg(name);
    zip.close();
    if (zip.getZipError() != ZIP_OK)
        return tr("无法写入文件%1").arg(name);

    // Unbuffered, so that a short write (disk full) shows in the count: a
    // buffered QSaveFile can report a failed final flush only through error()
    // and would still commit the truncated file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return tr("打开创建文件%1失败").arg(name);
    if (file.write(archive) != archive.size() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return tr("打开创建文件%1失败").arg(name);
    }
    if (!file.commit())
        return tr("打开创建文件%1失败").arg(name);
    return QString();
}
