#pragma once

// Field tables of the records in the project file: which attribute of which
// element carries which member, in the order they are written. One table
// drives both the writer and the reader of a record, so the two cannot
// drift apart.

#include "io/numbers.h"
#include "io/unreadablefields.h"

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
    return filenumbers::numberText(v);
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

// Each returns false when the text holds no value of the field's type (not a
// number, not finite, out of its range); the field is then 0.
inline bool setField(double &f, QStringView v)
{
    bool ok = false;
    f = filenumbers::toDouble(v, &ok);
    return ok;
}
inline bool setField(float &f, QStringView v)
{
    bool ok = false;
    f = filenumbers::toFloat(v, &ok);
    return ok;
}
inline bool setField(qint32 &f, QStringView v)
{
    bool ok = false;
    f = filenumbers::toInt(v, &ok);
    return ok;
}
inline bool setField(qint16 &f, QStringView v)
{
    bool ok = false;
    f = filenumbers::toShort(v, &ok);
    return ok;
}
// Anything but "true" is false, as the writer has only the two words.
inline bool setField(bool &f, QStringView v)
{
    f = v == u"true";
    return true;
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

// With the reader on an element: every listed attribute of it is read. A
// missing one reads as 0 (false for a flag) in silence, or leaves its member
// as it was with keepMissing; one whose text cannot be read also reads as 0,
// and is noted in `unreadable`.
template <class R>
void readAttributes(const QXmlStreamReader &x, const Attrs<R> &attrs, R &r,
    UnreadableFields &unreadable, bool keepMissing = false)
{
    const QXmlStreamAttributes attributes = x.attributes();
    for (const Attr<R> &a : attrs) {
        const QLatin1String key(a.key);
        if (keepMissing && !attributes.hasAttribute(key))
            continue;
        const QStringView value = attributes.value(key);
        const bool read =
            std::visit([&r, value](auto member) { return setField(r.*member, value); }, a.field);
        if (!read && (!value.isEmpty() || attributes.hasAttribute(key)))
            unreadable.add(x.name(), key);
    }
}

// With the reader on a child element: reads it into `r` and returns true when
// one of `groups` has its exact name; returns false without moving otherwise.
template <class R>
bool readGroup(
    QXmlStreamReader &x, const std::vector<Group<R>> &groups, R &r, UnreadableFields &unreadable)
{
    for (const Group<R> &g : groups) {
        if (x.name() == QLatin1String(g.name)) {
            readAttributes(x, g.attrs, r, unreadable, g.keepMissing);
            x.skipCurrentElement();
            return true;
        }
    }
    return false;
}

// With the reader on the record's element: reads it into `r` in place, groups
// in any order; children the layout does not know are skipped whole.
template <class R>
void readRecord(QXmlStreamReader &x, const Layout<R> &layout, R &r, UnreadableFields &unreadable)
{
    readAttributes(x, layout.own, r, unreadable);
    while (x.readNextStartElement()) {
        if (!readGroup(x, layout.groups, r, unreadable))
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
    qsizetype limit, UnreadableFields &unreadable)
{
    return readList(x, child, list, limit, [&layout, &unreadable](QXmlStreamReader &reader, R &r) {
        readRecord(reader, layout, r, unreadable);
    });
}

} // namespace xmlrecord
