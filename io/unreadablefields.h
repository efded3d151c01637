#pragma once

// Fields of a project file whose text the reader could not read as a value of
// the field's type (not a number, not finite, outside the field's range) and
// took as 0: the element and the attribute (or text element) as the file
// names them. The reader collects them while it reads; its callers tell the
// user. The first MAXKEPT are kept and all are counted, so that a hostile
// file with thousands of them costs next to nothing.

#include <QList>
#include <QPair>
#include <QString>
#include <QStringView>

struct UnreadableFields
{
    static constexpr qsizetype MAXKEPT = 20;
    QList<QPair<QString, QString>> kept; // element, field
    qsizetype count = 0;

    void add(QStringView element, QLatin1String field)
    {
        if (kept.size() < MAXKEPT)
            kept.append({element.toString(), QString(field)});
        ++count;
    }
};
