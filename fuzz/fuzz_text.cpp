// Fuzzes the program's text rules: the Windows-1252 encoder and the decoders of the page and
// the data files, the comma-delimited field reader of the help file and the theme
// catalogue, and the amount format "0.00".
//
// The input is a data file's bytes; two bytes a unit (little-endian) it is also UTF-16 text
// with any unit, lone surrogates included; as UTF-8 it is an amount as typed.
//
// Laws: decoding the encoding and resolving its "&#N;" gives the text back (a lone surrogate
// as U+FFFD), in at most 10 bytes per unit; bytes decode one to one and encode back; a UTF-8
// file with a byte-order mark reads back as written. A file reads as its decoded text; theme
// names are the fields that are not blank, in order.
// An empty amount stays empty; a text changes only into -?[0-9]+.[0-9]{2}, within half a
// hundredth of the number it reads as, and such an amount stays as it is.

#include "FuzzInput.h"

#include "entry/AmountFormat.h"
#include "entry/TextRules.h"
#include "page/Cp1252.h"
#include "wizard/FieldReader.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <cstddef>
#include <cstdint>

using fuzzinput::check;

namespace {

// UTF-16 text taken two bytes at a time, little-endian (any unit, lone surrogates too).
inline QString utf16Text(QByteArrayView bytes) {
    QString out;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2)
        out += QChar(char16_t(quint8(bytes[i]) | quint8(bytes[i + 1]) << 8));
    return out;
}

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
    QString out;
    for (const char32_t c : text.toUcs4())
        out += QChar::fromUcs4(c);
    return out;
}

void amountLaws(const QString& text) {
    const QString result = quorra::formatAmount(text);
    check(!text.isEmpty() || result.isEmpty(), "an empty text gives an empty amount");
    if (result == text)
        return;
    static const QRegularExpression shape(QStringLiteral("^-?[0-9]+\\.[0-9]{2}$"));
    check(shape.match(result).hasMatch(), "a text changes only into an amount -?[0-9]+.[0-9]{2}");
    check(quorra::formatAmount(result) == result, "an amount stays as it is");
    bool isNumber = false;
    const double value = text.toDouble(&isNumber);
    if (isNumber && std::fabs(value) < 1e12)
        check(std::fabs(result.toDouble() - value) <= 0.005 + 1e-15 * std::fabs(value) + 1e-9, // as a double
              "the amount is the number rounded");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = utf16Text(bytes);
    QString withoutAmpersands = text;
    withoutAmpersands.remove(u'&');
    const QByteArray encoded = quorra::encodeCp1252(withoutAmpersands);
    check(encoded.size() <= 10 * withoutAmpersands.size(),
          "the encoding takes at most 10 bytes per UTF-16 unit");
    QString back;
    check(resolveReferences(quorra::decodeCp1252(encoded), back), "'&' appears only in references \"&#N;\"");
    const QString valid = withoutLoneSurrogates(withoutAmpersands);
    check(back == valid, "decoding the encoding and resolving its references gives the text back");
    check(quorra::decodeTextFile("\xEF\xBB\xBF" + valid.toUtf8()) == valid,
          "a UTF-8 file with a byte-order mark reads back as the text written");
    const QString decoded = quorra::decodeCp1252(bytes);
    check(decoded.size() == bytes.size(), "each byte decodes to one character");
    check(quorra::encodeCp1252(decoded) == bytes, "encoding decoded bytes gives the same bytes");
    if (!bytes.startsWith("\xEF\xBB\xBF"))
        check(quorra::decodeTextFile(bytes) == decoded, "a file without a byte-order mark is Windows-1252");

    const QStringList fileFields = quorra::readFieldsFromBytes(bytes);
    check(fileFields == quorra::readFields(quorra::decodeTextFile(bytes)),
          "a file reads as its decoded text");
    for (const QStringList& fields : {fileFields, quorra::readFields(text)}) {
        QStringList notBlank = fields;
        notBlank.removeIf([](const QString& field) { return quorra::trimBlanks(field).isEmpty(); });
        check(quorra::themeNames(fields) == notBlank, "theme names are the fields not blank, in order");
    }
    amountLaws(QString::fromUtf8(bytes));
    return 0;
}
