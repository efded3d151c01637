#include "cli/projectfile.h"

#include "io/filesys.h"
#include "document/document.h"

bool readProjectFile(Document &doc, const QString &path, QTextStream &err)
{
    const QString message = FileSys().readProject(doc, path);
    if (!message.isEmpty())
        err << "ridezu-cli: " << message << '\n';
    return message.isEmpty();
}

bool writeProjectFile(Document &doc, const QString &path, QTextStream &err)
{
    const QString message = FileSys().writeProject(doc, path);
    if (!message.isEmpty())
        err << "ridezu-cli: " << message << '\n';
    return message.isEmpty();
}
