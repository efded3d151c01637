#pragma once

// Reads and writes a project file (.qzp): a zip archive holding data.xml
// (the input) and, while the document holds valid results, result.xml.
// Both operations return a message for the user; an empty text means success.

#include <QObject>
#include <QString>

class Document;

class FileSys : public QObject
{
    Q_OBJECT

public:
    FileSys() = default;

    QString readProject(Document &doc, const QString &path);
    QString writeProject(Document &doc, const QString &path);

    // Largest inflated size accepted for one member of a project file.
    static constexpr qint64 MAXMEMBERSIZE = 64 * 1024 * 1024;
};
