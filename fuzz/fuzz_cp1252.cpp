// Fuzzes the Windows-1252 encoder and the decoders of the page and the data files.
//
// The input, two bytes a unit (little-endian), is UTF-16 text with any unit, lone
// surrogates included; taken as it is, it is the bytes of a file.
//
// Laws: decoding the encoding and resolving its "&#N;" gives the text back (a lone
// surrogate as U+FFFD); at most 10 bytes per unit; bytes decode one to one and encode
// back; a UTF-8 file with a byte-order mark reads back as written.

#include "FuzzInput.h"

#include "page/Cp1252.h"

#include <cstddef>
#include <cstdint>

using fuzzinput::check;

namespace {

// Text with every "&#N;" turned into its character; false on any other '&'.
bool resolveReferences(const QString& text, QString& out) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') {
            out += text[i];
            continue;
        }
        const qsizetype end = text.indexOf(u';', i);
        bool ok = false;
        const uint point = end > i + 2 && text[i + 1] == u'#' ? text.mid(i + 2, end - i - 2).toUInt(&ok) : 0;
        if (!ok || point > 0x10FFFF || QChar::isSurrogate(point) || !text[i + 2].isDigit())
            return false;
        out += QChar::fromUcs4(point); // QString::fromUcs4 would drop a U+FEFF at the start
        i = end;
    }
    return true;
}

// The text with each lone surrogate replaced by U+FFFD.
QString withoutLoneSurrogates(const QString& text) {
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        if (out[i].isHighSurrogate() && i + 1 < out.size() && out[i + 1].isLowSurrogate())
            ++i;
        else if (out[i].isSurrogate())
            out[i] = QChar(0xFFFD);
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString text = fuzzinput::utf16Text(bytes);
    text.remove(u'&');

    const QByteArray encoded = quorra::encodeCp1252(text);
    check(encoded.size() <= 10 * text.size(), "the encoding takes at most 10 bytes per UTF-16 unit");
    QString back;
    check(resolveReferences(quorra::decodeCp1252(encoded), back), "'&' appears only in references \"&#N;\"");
    const QString valid = withoutLoneSurrogates(text);
    check(back == valid, "decoding the encoding and resolving its references gives the text back");
    check(quorra::decodeTextFile("\xEF\xBB\xBF" + valid.toUtf8()) == valid,
          "a UTF-8 file with a byte-order mark reads back as the text written");

    const QString decoded = quorra::decodeCp1252(bytes);
    check(decoded.size() == bytes.size(), "each byte decodes to one character");
    check(quorra::encodeCp1252(decoded) == bytes, "encoding decoded bytes gives the same bytes");
    if (!bytes.startsWith("\xEF\xBB\xBF"))
        check(quorra::decodeTextFile(bytes) == decoded, "a file without a byte-order mark is Windows-1252");
    return 0;
}
