#include "page/Cp1252.h"

#include <QStringDecoder>

#include <array>

namespace quorra {

namespace {

// Characters of the bytes 0x80 to 0x9F.
constexpr std::array<char16_t, 32> High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte for a character, or -1 when the code page has none.
int byteFor(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    for (int i = 0; i < int(High.size()); ++i) {
        if (High[i] == c)
            return 0x80 + i;
    }
    return -1;
}

void appendReference(QByteArray& out, char32_t c) {
    out += "&#";
    out += QByteArray::number(uint(c));
    out += ';';
}

} // namespace

QString decodeCp1252(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        d[i] = (b >= 0x80 && b < 0xA0) ? QChar(High[b - 0x80]) : QChar(b);
    }
    return out;
}

QByteArray encodeCp1252(QStringView text) {
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            appendReference(out, QChar::surrogateToUcs4(u, text[i + 1].unicode()));
            ++i;
        } else if (QChar::isSurrogate(u)) {
            appendReference(out, 0xFFFD);
        } else if (const int b = byteFor(u); b >= 0) {
            out += char(b);
        } else {
            appendReference(out, u);
        }
    }
    return out;
}

QString decodeTextFile(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        // Only the first mark is dropped: a U+FEFF after it is text of the file.
        QStringDecoder utf8(QStringDecoder::Utf8,
                            QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        return utf8.decode(bytes.sliced(3));
    }
    return decodeCp1252(bytes);
}

} // namespace quorra
