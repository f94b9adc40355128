// Fuzzes the Windows-1252 encoder and decoders of the page and the data files.
//
// The input, taken two bytes at a time (little-endian), is UTF-16 text with any unit,
// lone surrogates included; taken as it is, it is the bytes of a file.

#include "FuzzSupport.h"

#include "page/Cp1252.h"

#include <QStringDecoder>

#include <cstddef>
#include <cstdint>
#include <vector>

using namespace fuzzsupport;

namespace {

// Text with every "&#N;" (N decimal) turned back into its character; any other '&' is a
// failure, as the text that was encoded held none.
bool resolveReferences(QStringView text, QString& out) {
    std::vector<char32_t> points;
    for (const char32_t c : codePoints(text))
        points.push_back(c);
    std::vector<char32_t> resolved;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (points[i] != U'&') {
            resolved.push_back(points[i]);
            continue;
        }
        if (i + 1 >= points.size() || points[i + 1] != U'#')
            return false;
        std::size_t j = i + 2;
        char32_t value = 0;
        while (j < points.size() && points[j] >= U'0' && points[j] <= U'9') {
            value = value * 10 + (points[j] - U'0');
            if (value > 0x10FFFF)
                return false;
            ++j;
        }
        if (j == i + 2 || j >= points.size() || points[j] != U';')
            return false;
        if (value >= 0xD800 && value <= 0xDFFF)
            return false; // a reference never names a surrogate
        resolved.push_back(value);
        i = j;
    }
    out = fromCodePoints(resolved);
    return true;
}

void checkEncoding(const QString& text) {
    const QByteArray encoded = quorra::encodeCp1252(text);
    if (encoded.size() > 10 * text.size()) {
        note("text", escaped(QStringView(text)));
        note("encoded", escaped(encoded));
        fail("the encoding takes at most 10 bytes per UTF-16 unit");
    }
    const QByteArray expected = referenceCp1252(text);
    if (encoded != expected) {
        note("text", escaped(QStringView(text)));
        note("encoded", escaped(encoded));
        note("expected", escaped(expected));
        fail("each character is its Windows-1252 byte, or \"&#N;\" of its code point");
    }
}

void checkRoundTrip(const QString& text) {
    // text holds no '&'
    const QByteArray encoded = quorra::encodeCp1252(text);
    QString back;
    if (!resolveReferences(quorra::decodeCp1252(encoded), back)) {
        note("text", escaped(QStringView(text)));
        note("encoded", escaped(encoded));
        fail("an encoded text holds '&' only in well-formed references \"&#N;\"");
    }
    const QString want = fromCodePoints(codePoints(text)); // lone surrogates as U+FFFD
    if (back != want) {
        note("text", escaped(QStringView(text)));
        note("encoded", escaped(encoded));
        note("decoded", escaped(QStringView(back)));
        fail("decoding the encoding and resolving its references gives the text back");
    }
}

void checkDecoding(const QByteArray& bytes) {
    const QString text = quorra::decodeCp1252(bytes);
    bool sameChars = text.size() == bytes.size();
    for (qsizetype i = 0; sameChars && i < bytes.size(); ++i)
        sameChars = text[i].unicode() == cp1252Char(static_cast<unsigned char>(bytes[i]));
    if (!sameChars) {
        note("bytes", escaped(bytes));
        note("decoded", escaped(QStringView(text)));
        fail("each byte decodes to its own Windows-1252 character");
    }
    if (quorra::encodeCp1252(text) != bytes) {
        note("bytes", escaped(bytes));
        fail("encoding decoded bytes gives the same bytes");
    }

    const QString file = quorra::decodeTextFile(bytes);
    const QByteArrayView mark("\xEF\xBB\xBF");
    QString want = text;
    if (bytes.startsWith(mark)) {
        // Only the first mark goes: a U+FEFF after it is a character of the text (a decoder
        // left to itself would drop it as a second mark).
        QStringDecoder utf8(QStringDecoder::Utf8,
                            QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        want = utf8.decode(QByteArrayView(bytes).sliced(mark.size()));
    }
    if (file != want) {
        note("bytes", escaped(bytes));
        note("decoded", escaped(QStringView(file)));
        note("expected", escaped(QStringView(want)));
        fail("a text file is Windows-1252, or UTF-8 after a byte-order mark that is dropped");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = utf16Text(bytes);

    checkEncoding(text);
    QString withoutAmpersands = text;
    withoutAmpersands.remove(u'&');
    checkRoundTrip(withoutAmpersands);

    // The same text as a UTF-8 file with a byte-order mark reads back as it was written.
    const QString valid = fromCodePoints(codePoints(text));
    const QString read = quorra::decodeTextFile("\xEF\xBB\xBF" + valid.toUtf8());
    if (read != valid) {
        note("text", escaped(QStringView(valid)));
        note("read", escaped(QStringView(read)));
        fail("a UTF-8 file with a byte-order mark reads back as the text written");
    }

    checkDecoding(bytes);
    return 0;
}
