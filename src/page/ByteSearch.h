#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstring>

namespace quorra {

// Byte work of the page writer: searches in the bytes of a template, sixteen bytes at a
// step where the processor allows, and appending to the page.

// Appends bytes to out; quicker than QByteArray::append for the many short pieces of a page.
inline void appendBytes(QByteArray& out, QByteArrayView bytes) {
    const qsizetype at = out.size();
    out.resize(at + bytes.size());
    if (!bytes.isEmpty())
        std::memcpy(out.data() + at, bytes.data(), size_t(bytes.size()));
}

// The first place at or after from where needle lies wholly inside bytes, or -1. An empty
// needle is found nowhere.
qsizetype findBytes(QByteArrayView bytes, qsizetype from, QByteArrayView needle);

// The first carriage return or line feed at or after from, or -1.
qsizetype findLineEnd(QByteArrayView bytes, qsizetype from);

// Where the line whose end is the CR or LF at end is followed by the next: after its
// CR LF, or after its one byte.
inline qsizetype afterLineEnd(QByteArrayView bytes, qsizetype end) {
    return end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
}

// The first carriage return or line feed at or after from, or the first place there
// where needle (no CR or LF) lies wholly inside bytes; or -1. An empty needle is found
// nowhere.
qsizetype findLineEndOrBytes(QByteArrayView bytes, qsizetype from, QByteArrayView needle);

// The last carriage return or line feed before to and at or after from, or -1.
qsizetype findLastLineEnd(QByteArrayView bytes, qsizetype from, qsizetype to);

// The first place at or after from that ends a line otherwise than as the CR or the LF of
// a CR LF inside bytes (a lone CR, a CR that is the last byte, or an LF that does not
// follow a CR, the first byte included), or where needle lies wholly inside bytes; or -1.
// The needle holds no CR or LF, so the byte at the place tells which was found. An empty
// needle is found nowhere.
qsizetype findOddLineEndOrBytes(QByteArrayView bytes, qsizetype from, QByteArrayView needle);

} // namespace quorra
