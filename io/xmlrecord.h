#pragma once

// Field tables of the records in the project file: which attribute of which
// element carries which member, in the order they are written. One table
// drives both the writer and the reader of a record, so the two cannot
// drift apart.

#include "io/numbers.h"

#include <QBuffer>
#include <QList>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <variant>
#include <vector>

namespace xmlrecord {

template <class R> struct Attr
{
    const char *key;
    std::variant<double R::*, float R::*, qint32 R::*, qint16 R::*, bool R::*> field;
};

template <class R> using Attrs = std::vector<Attr<R>>;

// A child element of a record that carries only attributes. A group added
// to the file after files were written keeps the record's value for an
// attribute it lacks (keepMissing), so that an older file reads the default
// rather than 0.
template <class R> struct Group
{
    const char *name;
    Attrs<R> attrs;
    bool keepMissing = false;
};

template <class R> struct Layout
{
    Attrs<R> own; // attributes of the record's own element
    std::vector<Group<R>> groups; // its child elements, in file order
};

inline QString fieldText(double v)
{
    return filenumbers::numberText(v);
}
inline QString fieldText(float v)
{
    return filenumbers::numberText(double(v));
}
inline QString fieldText(qint32 v)
{
    return filenumbers::integerText(v);
}
inline QString fieldText(qint16 v)
{
    return filenumbers::integerText(v);
}
inline QString fieldText(bool v)
{
    return v ? QStringLiteral("true") : QStringLiteral("false");
}

inline void setField(double &f, QStringView v)
{
    f = filenumbers::toDouble(v);
}
inline void setField(float &f, QStringView v)
{
    f = filenumbers::toFloat(v);
}
inline void setField(qint32 &f, QStringView v)
{
    f = filenumbers::toInt(v);
}
inline void setField(qint16 &f, QStringView v)
{
    f = qint16(filenumbers::toInt(v));
}
inline void setField(bool &f, QStringView v)
{
    f = v == u"true";
}

// Reads `xml` through `reader` for as long as it lives, then detaches it.
class ReadingBuffer
{
public:
    ReadingBuffer(QXmlStreamReader &reader, const QByteArray &xml)
        : m_reader(reader)
    {
        m_buffer.setData(xml);
        m_buffer.open(QIODevice::ReadOnly);
        m_reader.clear();
        m_reader.setDevice(&m_buffer);
    }
    ~ReadingBuffer() { m_reader.setDevice(nullptr); }
    ReadingBuffer(const ReadingBuffer &) = delete;
    ReadingBuffer &operator=(const ReadingBuffer &) = delete;

private:
    QXmlStreamReader &m_reader;
    QBuffer m_buffer;
};

// Moves to the next element at the top level of the document; false at the
// end of the document or on an error.
inline bool readNextTopElement(QXmlStreamReader &x)
{
    while (!x.atEnd()) {
        x.readNext();
        if (x.isStartElement())
            return true;
    }
    return false;
}

template <class R> void writeAttributes(QXmlStreamWriter &w, const Attrs<R> &attrs, const R &r)
{
    for (const Attr<R> &a : attrs) {
        w.writeAttribute(QString::fromLatin1(a.key),
            std::visit([&r](auto member) { return fieldText(r.*member); }, a.field));
    }
}

// Writes `r` as element `name`: its own attributes, then one child per group.
template <class R>
void writeRecord(QXmlStreamWriter &w, const char *name, const Layout<R> &layout, const R &r)
{
    w.writeStartElement(QString::fromLatin1(name));
    writeAttributes(w, layout.own, r);
    for (const Group<R> &g : layout.groups) {
        w.writeEmptyElement(QString::fromLatin1(g.name));
        writeAttributes(w, g.attrs, r);
    }
    w.writeEndElement();
}

// Every listed attribute is read; a missing one reads as 0 (false for a
// flag), or leaves its member as it was with keepMissing.
template <class R>
void readAttributes(
    const QXmlStreamAttributes &attributes, const Attrs<R> &attrs, R &r, bool keepMissing = false)
{
    for (const Attr<R> &a : attrs) {
        const QLatin1String key(a.key);
        if (keepMissing && !attributes.hasAttribute(key))
            continue;
        const QStringView value = attributes.value(key);
        std::visit([&r, value](auto member) { setField(r.*member, value); }, a.field);
    }
}

// With the reader on a child element: reads it into `r` and returns true when
// one of `groups` has its exact name; returns false without moving otherwise.
template <class R> bool readGroup(QXmlStreamReader &x, const std::vector<Group<R>> &groups, R &r)
{
    for (const Group<R> &g : groups) {
        if (x.name() == QLatin1String(g.name)) {
            readAttributes(x.attributes(), g.attrs, r, g.keepMissing);
            x.skipCurrentElement();
            return true;
        }
    }
    return false;
}

// With the reader on the record's element: reads it into `r` in place, groups
// in any order; children the layout does not know are skipped whole.
template <class R> void readRecord(QXmlStreamReader &x, const Layout<R> &layout, R &r)
{
    readAttributes(x.attributes(), layout.own, r);
    while (x.readNextStartElement()) {
        if (!readGroup(x, layout.groups, r))
            x.skipCurrentElement();
    }
}

// With the reader on a list element: replaces `list` by one record per child.
// Each record starts from R's defaults; a child named `child` is read into it
// by `readOne(reader, record)`, any other child is skipped but still adds its
// record. Returns false, with the reader left inside the list, when the list
// would outgrow `limit`.
template <class R, class ReadOne>
bool readList(
    QXmlStreamReader &x, const char *child, QList<R> &list, qsizetype limit, ReadOne readOne)
{
    list.clear();
    while (x.readNextStartElement()) {
        if (list.size() >= limit)
            return false;
        R r;
        if (x.name() == QLatin1String(child))
            readOne(x, r);
        else
            x.skipCurrentElement();
        list.append(r);
    }
    return true;
}

template <class R>
bool readList(QXmlStreamReader &x, const char *child, const Layout<R> &layout, QList<R> &list,
    qsizetype limit)
{
    return readList(x, child, list, limit,
        [&layout](QXmlStreamReader &reader, R &r) { readRecord(reader, layout, r); });
}

} // namespace xmlrecord
