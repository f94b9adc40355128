#pragma once

// Helpers the fuzz targets share: a failing check that says what went wrong, readable
// dumps of the values involved, plain references of the rules (the Windows-1252 encoder
// written from the code page's table, the template's lines and their substitution, the
// postage amount, the window's field names), and a device that hands out its bytes a few
// at a time.

#include "page/PageSubstituter.h" // PageField

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QList>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace fuzzsupport {

// Bytes as C string literal text: printable ASCII as is, everything else escaped.
inline QByteArray escaped(QByteArrayView bytes, qsizetype limit = 400) {
    QByteArray out;
    out += '"';
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (i == limit) {
            out += "\"... (" + QByteArray::number(bytes.size()) + " bytes)";
            return out;
        }
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += char(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += char(c);
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", unsigned(c));
            out += hex;
        }
    }
    out += '"';
    return out;
}

// UTF-16 text as printable ASCII with every other unit written as \uXXXX.
inline QByteArray escaped(QStringView text, qsizetype limit = 400) {
    QByteArray out;
    out += "u\"";
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i == limit) {
            out += "\"... (" + QByteArray::number(text.size()) + " units)";
            return out;
        }
        const char16_t u = text[i].unicode();
        if (u == u'\\' || u == u'"') {
            out += '\\';
            out += char(u);
        } else if (u >= 0x20 && u < 0x7F) {
            out += char(u);
        } else {
            char hex[10];
            std::snprintf(hex, sizeof hex, "\\u%04X", unsigned(u));
            out += hex;
        }
    }
    out += '"';
    return out;
}

inline void note(const char* label, const QByteArray& value) {
    std::fprintf(stderr, "  %s: %s\n", label, value.constData());
}

// Ends the run as a failure when a property does not hold; the fuzzer keeps the input.
[[noreturn]] inline void fail(const char* property) {
    std::fprintf(stderr, "PROPERTY VIOLATED: %s\n", property);
    std::fflush(stderr);
    __builtin_trap();
}

// The characters of the bytes 0x80 to 0x9F in Windows-1252. The five bytes the code page
// leaves undefined stand for the C1 control character of the same number.
constexpr std::array<char16_t, 32> Cp1252High{
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

// The character of one Windows-1252 byte.
constexpr char16_t cp1252Char(unsigned char byte) {
    return byte >= 0x80 && byte < 0xA0 ? Cp1252High[byte - 0x80] : char16_t(byte);
}

// The code points of UTF-16 text: a high surrogate followed by a low one is one code
// point; any other surrogate is a lone one and comes out as U+FFFD.
inline std::vector<char32_t> codePoints(QStringView text) {
    std::vector<char32_t> out;
    out.reserve(std::size_t(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char32_t u = text[i].unicode();
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size()) {
            const char32_t next = text[i + 1].unicode();
            if (next >= 0xDC00 && next <= 0xDFFF) {
                out.push_back(0x10000 + ((u - 0xD800) << 10) + (next - 0xDC00));
                ++i;
                continue;
            }
        }
        out.push_back(u >= 0xD800 && u <= 0xDFFF ? 0xFFFD : u);
    }
    return out;
}

// UTF-16 text of code points.
inline QString fromCodePoints(const std::vector<char32_t>& points) {
    QString out;
    for (const char32_t c : points) {
        if (c >= 0x10000) {
            out += QChar(char16_t(0xD800 + ((c - 0x10000) >> 10)));
            out += QChar(char16_t(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            out += QChar(char16_t(c));
        }
    }
    return out;
}

// Windows-1252 bytes of text, written the slow and plain way: every code point that is
// the character of some byte becomes that byte, any other becomes "&#N;".
inline QByteArray referenceCp1252(QStringView text) {
    QByteArray out;
    for (const char32_t c : codePoints(text)) {
        int byte = -1;
        for (int b = 0; b < 256 && byte < 0; ++b) {
            if (cp1252Char(static_cast<unsigned char>(b)) == c)
                byte = b;
        }
        if (byte >= 0) {
            out += char(byte);
        } else {
            out += "&#";
            out += QByteArray::number(quint32(c));
            out += ';';
        }
    }
    return out;
}

// Text with its leading and trailing U+0020 removed, nothing else.
inline QString trimSpaces(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.sliced(first, last - first);
}

// The lines of a template: each ends at a CR (with the LF right after it, if any) or at a
// lone LF; the last line needs no line end.
inline std::vector<QByteArrayView> templateLines(QByteArrayView bytes) {
    std::vector<QByteArrayView> lines;
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < bytes.size()) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(bytes.sliced(start, i - start));
            i += c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n' ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < bytes.size())
        lines.push_back(bytes.sliced(start));
    return lines;
}

// A field as the substitution rule sees it: its name (the names are ASCII) and its text
// trimmed of spaces, in Windows-1252.
struct Placeholder {
    QByteArray name;
    QByteArray text;
};

inline std::vector<Placeholder> placeholders(const QList<quorra::PageField>& fields) {
    std::vector<Placeholder> out;
    out.reserve(std::size_t(fields.size()));
    for (const quorra::PageField& field : fields)
        out.push_back({field.name.toLatin1(), referenceCp1252(trimSpaces(field.text))});
    return out;
}

// One line filled in by the rule: the first field, in list order, whose name occurs in the
// line and whose text, trimmed of spaces and encoded, is not the name itself, has every
// occurrence of its name replaced, left to right without overlaps. Nothing else changes.
inline void appendExpectedLine(QByteArrayView line, const std::vector<Placeholder>& fields, QByteArray& out) {
    for (const Placeholder& field : fields) {
        if (field.name.isEmpty() || !line.contains(field.name) || field.text == field.name)
            continue;
        qsizetype i = 0;
        while (i < line.size()) {
            if (line.sliced(i).startsWith(field.name)) {
                out += field.text;
                i += field.name.size();
            } else {
                out += line[i];
                ++i;
            }
        }
        return;
    }
    out += line;
}

inline QByteArray expectedLine(QByteArrayView line, const std::vector<Placeholder>& fields) {
    QByteArray out;
    appendExpectedLine(line, fields, out);
    return out;
}

// The page of a template: every line filled in by the rule and ended by CR LF.
inline QByteArray expectedPage(QByteArrayView templ, const std::vector<Placeholder>& fields) {
    QByteArray page;
    for (const QByteArrayView line : templateLines(templ)) {
        appendExpectedLine(line, fields, page);
        page += "\r\n";
    }
    return page;
}

// The lines of a page in which every line ends with CR LF, the last one too; false when
// the page holds any other CR or LF or its last line has no line end.
inline bool crLfLines(QByteArrayView page, std::vector<QByteArrayView>& lines) {
    qsizetype start = 0;
    for (qsizetype i = 0; i < page.size(); ++i) {
        if (page[i] == '\r' && i + 1 < page.size() && page[i + 1] == '\n') {
            lines.push_back(page.sliced(start, i - start));
            start = i + 2;
            ++i;
        } else if (page[i] == '\r' || page[i] == '\n') {
            return false;
        }
    }
    return start == page.size();
}

// The text boxes of the main window in the order it creates them, which is the order the
// page generator tries their names in.
constexpr std::array<const char*, 46> WindowFieldNames{
    "txtPurchase5",      "txtPurchase4",
    "txtPurchase3",      "txtPurchase2",
    "txtPurchase1",      "txtAmount",
    "txtPostage",        "txtVAT",
    "txtAmex",           "txtDelta",
    "txtSwitch",         "txtVisa",
    "txtAccess",         "txtDespatch",
    "txtEmailAddress",   "txtContactName",
    "txtCompanyFax",     "txtCompanyTelephone",
    "txtProPrice5",      "txtProDesc5",
    "txtProCode5",       "txtProPicture5",
    "txtProPicture4",    "txtProCode4",
    "txtProDesc4",       "txtProPrice4",
    "txtProPrice3",      "txtProDesc3",
    "txtProCode3",       "txtProPicture3",
    "txtProPicture2",    "txtProCode2",
    "txtProDesc2",       "txtProPrice2",
    "txtPicture2",       "txtPicture1",
    "txtCompanyHistory", "txtMissionStatement",
    "txtProPrice1",      "txtProPicture1",
    "txtProCode1",       "txtProDesc1",
    "txtHelp",           "txtCompanyAddress",
    "txtCompanyName",    "txtCompanyLogo",
};

// A postage amount as the field's text gives it: optional spaces, an optional sign, digits
// with at most one full stop (at least one digit in all) and optional spaces.
struct AmountNumber {
    bool negative = false;
    std::string whole;    // digits before the full stop, as typed
    std::string fraction; // digits after it
};

inline bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

inline bool parseAmountNumber(const QString& text, AmountNumber& number) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        number.negative = text[i] == u'-';
        ++i;
    }
    bool point = false;
    for (; i < n && (isAsciiDigit(text[i]) || (text[i] == u'.' && !point)); ++i) {
        if (text[i] == u'.')
            point = true;
        else
            (point ? number.fraction : number.whole) += char(text[i].unicode());
    }
    while (i < n && text[i] == u' ')
        ++i;
    return i == n && !(number.whole.empty() && number.fraction.empty());
}

// The amount rounded half away from zero to hundredths, on the decimal digits: the
// magnitude in hundredths is the whole digits followed by the first two decimals, plus
// one when the third decimal is 5 or more (the rest of the decimals cannot change that).
inline QString expectedAmount(const AmountNumber& number) {
    std::string fraction = number.fraction;
    fraction.resize(std::max<std::size_t>(fraction.size(), 3), '0');
    std::vector<int> hundredths; // least significant digit first
    const std::string digits = number.whole + fraction.substr(0, 2);
    for (auto it = digits.rbegin(); it != digits.rend(); ++it)
        hundredths.push_back(*it - '0');
    if (fraction[2] >= '5') {
        int carry = 1;
        for (int& d : hundredths) {
            d += carry;
            carry = d / 10;
            d %= 10;
        }
        if (carry)
            hundredths.push_back(carry);
    }
    while (hundredths.size() > 3 && hundredths.back() == 0)
        hundredths.pop_back();
    hundredths.resize(std::max<std::size_t>(hundredths.size(), 3), 0); // ".5" has no whole digit
    bool zero = true;
    for (const int d : hundredths)
        zero = zero && d == 0;

    std::string out = number.negative && !zero ? "-" : "";
    for (std::size_t i = hundredths.size(); i-- > 0;) {
        out += char('0' + hundredths[i]);
        if (i == 2)
            out += '.';
    }
    return QString::fromLatin1(out);
}

// The text of the amount field written as "0.00": a number as above, anything else
// (the empty text too) as it is.
inline QString expectedAmount(const QString& text) {
    AmountNumber number;
    return parseAmountNumber(text, number) ? expectedAmount(number) : text;
}

// UTF-16 text taken two bytes at a time, little-endian; an odd last byte is dropped.
inline QString utf16Text(QByteArrayView bytes) {
    QString out;
    out.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto lo = static_cast<unsigned char>(bytes[i]);
        const auto hi = static_cast<unsigned char>(bytes[i + 1]);
        out += QChar(char16_t(lo | (hi << 8)));
    }
    return out;
}

// A text from input bytes: UTF-8, or UTF-16 two bytes a unit (any unit, lone surrogates
// included).
inline QString inputText(const std::string& bytes, bool utf16) {
    const QByteArrayView view(bytes.data(), qsizetype(bytes.size()));
    return utf16 ? utf16Text(view) : QString::fromUtf8(view);
}

// A read-only sequential device that gives out at most the next size of a repeating list
// of read sizes per read, so a reader sees its lines and line ends in pieces.
class ChunkedDevice : public QIODevice {
public:
    ChunkedDevice(QByteArray data, std::vector<qint64> readSizes)
        : m_data(std::move(data))
        , m_readSizes(std::move(readSizes)) {
        if (m_readSizes.empty())
            m_readSizes.push_back(1);
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return m_data.size() - m_pos + QIODevice::bytesAvailable(); }

    // The most bytes one read of the device's user received.
    qint64 largestRead() const { return m_largestRead; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 want = m_readSizes[m_next];
        m_next = (m_next + 1) % m_readSizes.size();
        const qint64 n = std::min({maxSize, want, qint64(m_data.size()) - m_pos});
        if (n <= 0)
            return 0;
        std::memcpy(data, m_data.constData() + m_pos, std::size_t(n));
        m_pos += n;
        m_largestRead = std::max(m_largestRead, n);
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_data;
    std::vector<qint64> m_readSizes;
    std::size_t m_next = 0;
    qint64 m_pos = 0;
    qint64 m_largestRead = 0;
};

} // namespace fuzzsupport
