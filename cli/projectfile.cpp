#include "cli/projectfile.h"

#include "io/filesys.h"
#include "document/document.h"

bool readProjectFile(Document &doc, const QString &path, QTextStream &err)
{
    FileSys reader;
    Project read = doc.project();
    const QString message = reader.readProject(read, path);
    if (!message.isEmpty()) {
        err << "ridezu-cli: " << message << '\n';
        return false;
    }
    doc.replaceProject(read);
    for (const QString &note : reader.notes())
        err << "ridezu-cli: " << note << '\n';
    return true;
}

bool writeProjectFile(Document &doc, const QString &path, QTextStream &err)
{
    const QString message = FileSys().writeProject(doc.project(), path);
    if (!message.isEmpty())
        err << "ridezu-cli: " << message << '\n';
    return message.isEmpty();
}
