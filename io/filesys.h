#pragma once

// Reads and writes a project file (.qzp): a zip archive holding data.xml
// (the input) and, while the document holds valid results, result.xml.
// Both operations return a message for the user; an empty text means success.
// A value the reader cannot read (not a number, outside its field's range)
// reads as 0 and does not refuse the file; after a successful read, notes()
// names each such field, for the caller to show.
//
// Reading never leaves a half-read document behind: the file is read into a
// copy of the document's data, which replaces the document's only when the
// whole file was read. Writing never destroys the previous file: the archive
// is built in memory and replaces the file in one step.

#include "io/unreadablefields.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <functional>

class QuaZip;
struct BaseInfo;
struct Project;

class FileSys : public QObject
{
    Q_OBJECT

public:
    FileSys() = default;

    // Reads the file at `path` into `project`, which keeps what the file does
    // not hold; on failure `project` is left as it was and the message says
    // why. Empty on success.
    QString readProject(Project &project, const QString &path);
    QString writeProject(const Project &project, const QString &path);

    // Lines for the user about the last file read: one per field whose value
    // could not be read and was taken as 0, at most UnreadableFields::MAXKEPT,
    // then one line counting the rest. Empty for a file read as written.
    QStringList notes() const;

    // Largest inflated size accepted for one member of a project file.
    static constexpr qint64 MAXMEMBERSIZE = 64 * 1024 * 1024;
    // Most records accepted in one input list (forces, layers, anchors) and in
    // one result list (nodes, elements, element results).
    static constexpr qsizetype MAXINPUTRECORDS = 5000;
    static constexpr qsizetype MAXRESULTRECORDS = 100000;

private:
    // Outcome of reading one XML member.
    enum ReadResult { ReadOk = 0, ReadNewer = 1, ReadOlder = 2, ReadBroken = 4 };
    // Outcome of fetching one member from the archive.
    enum class Member { Read, Missing, Unreadable, TooLarge };

    Member readMember(QuaZip &zip, const QString &name, QByteArray &bytes);
    bool writeMember(QuaZip &zip, const QString &name, const QByteArray &bytes);

    int readData(const QByteArray &xml, Project &data);
    int readResults(const QByteArray &xml, Project &data);
    void readBaseInfo(Project &data);
    void readPileForm(BaseInfo &base);
    void readExtremes(Project &data);
    // Why a member of the file `name` was not read: too many records, XML
    // that is not well-formed, or XML that is not a project.
    QString brokenMessage(const QString &name, const QString &member) const;
    // Stops the reader: the file holds more records than a project can have.
    void refuseTooManyRecords();

    QByteArray dataXml(const Project &data);
    QByteArray resultXml(const Project &data);
    // One XML member: declaration, root element with the file version, then
    // `body` writes the rest.
    QByteArray writeXml(
        const char *root, const Project &data, const std::function<void()> &body);

    QXmlStreamReader m_reader;
    QXmlStreamWriter m_writer;
    double m_fileVersion = 0.0; // as read from the file; 0 until then
    bool m_tooManyRecords = false;
    // Line of the XML error that stopped the reader; 0 without one. Kept
    // apart, as detaching the reader from its buffer clears its error.
    qint64 m_errorLine = 0;
    UnreadableFields m_unreadable;
};
