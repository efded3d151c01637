#include "cli/projectfile.h"

#include "io/filesys.h"
#include "document/document.h"

bool readProjectFile(Document &doc, const QString &path, QTextStream &err)
{
    FileSys reader;
    const QString message = reader.readProject(doc, path);
    if (!message.isEmpty()) {
        err << "ridezu-cli: " << message << '\n';
        return false;
    }
    for (const QString &note : reader.notes())
        err << "ridezu-cli: " << note << '\n';
    return true;
}

bool writeProjectFile(Document &doc, const QString &path, QTextStream &err)
{
    const QString message = FileSys().writeProject(doc, path);
    if (!message.isEmpty())
        err << "ridezu-cli: " << message << '\n';
    return message.isEmpty();
}
