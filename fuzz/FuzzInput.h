#pragma once

// What the fuzz targets share: a failing check that names the property and texts made from
// the input's bytes.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdio>

namespace fuzzinput {

// Ends the run as a failure when a property does not hold; the fuzzer keeps the input.
inline void check(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "PROPERTY VIOLATED: %s\n", property);
    std::fflush(stderr);
    __builtin_trap();
}

// UTF-16 text taken two bytes at a time, little-endian (any unit, lone surrogates too).
inline QString utf16Text(QByteArrayView bytes) {
    QString out;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        out += QChar(char16_t(quint8(bytes[i]) | quint8(bytes[i + 1]) << 8));
    return out;
}

} // namespace fuzzinput
