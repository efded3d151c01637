#pragma once

// Reading and writing a project file for the commands: the reader's or the
// writer's message goes to `err`, prefixed with the program name, and so do
// the reader's notes on values it took as 0.

#include <QString>
#include <QTextStream>

class Document;

bool readProjectFile(Document &doc, const QString &path, QTextStream &err);
bool writeProjectFile(Document &doc, const QString &path, QTextStream &err);
