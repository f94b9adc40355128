#pragma once

#include <QByteArrayView>

namespace quorra {

// Searches in the bytes of a template, sixteen bytes at a step where the processor allows.

// The first place at or after from where needle lies wholly inside bytes, or -1. An empty
// needle is found nowhere.
qsizetype findBytes(QByteArrayView bytes, qsizetype from, QByteArrayView needle);

// The first carriage return or line feed at or after from, or -1.
qsizetype findLineEnd(QByteArrayView bytes, qsizetype from);

// The last line feed before to and at or after from, or -1.
qsizetype findLastLineFeed(QByteArrayView bytes, qsizetype from, qsizetype to);

// The first place at or after from that ends a line otherwise than as the CR or the LF of
// a CR LF inside bytes: a lone CR, a CR that is the last byte, or an LF that does not
// follow a CR (the first byte included); or -1.
qsizetype findOddLineEnd(QByteArrayView bytes, qsizetype from);

} // namespace quorra
