#pragma once

// What the fuzz targets share: a failing check that names the property and texts made from
// the input's bytes.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdio>
#include <string>

namespace fuzzinput {

// Ends the run as a failure when a property does not hold; the fuzzer keeps the input.
[[noreturn]] inline void fail(const char* property) {
    std::fprintf(stderr, "PROPERTY VIOLATED: %s\n", property);
    std::fflush(stderr);
    __builtin_trap();
}

inline void check(bool holds, const char* property) {
    if (!holds)
        fail(property);
}

// UTF-16 text taken two bytes at a time, little-endian (any unit, lone surrogates too).
inline QString utf16Text(QByteArrayView bytes) {
    QString out;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        out += QChar(char16_t(quint8(bytes[i]) | quint8(bytes[i + 1]) << 8));
    return out;
}

// A text from input bytes: UTF-8, or UTF-16 two bytes a unit.
inline QString inputText(const std::string& bytes, bool utf16) {
    const QByteArrayView view(bytes.data(), qsizetype(bytes.size()));
    return utf16 ? utf16Text(view) : QString::fromUtf8(view);
}

inline bool hasLineBreak(const QString& text) {
    return text.contains(u'\r') || text.contains(u'\n');
}

} // namespace fuzzinput
