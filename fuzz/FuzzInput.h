#pragma once

// What the fuzz targets share: a failing check that names the property, texts made from
// the input's bytes, and a device that hands out its bytes a few at a time.

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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

// A read-only sequential device giving out at most the next of its read sizes per read.
class ChunkedDevice : public QIODevice {
public:
    ChunkedDevice(QByteArray data, std::vector<qint64> readSizes)
        : m_data(std::move(data))
        , m_readSizes(std::move(readSizes)) {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_data.size() - m_pos + QIODevice::bytesAvailable(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 n =
            std::min({maxSize, m_readSizes[m_next++ % m_readSizes.size()], m_data.size() - m_pos});
        if (n <= 0)
            return 0;
        std::memcpy(data, m_data.constData() + m_pos, std::size_t(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_data;
    std::vector<qint64> m_readSizes;
    std::size_t m_next = 0;
    qint64 m_pos = 0;
};

} // namespace fuzzinput
