// Fuzzes the comma-delimited field reader of the help file and the theme catalogue.
//
// The input is a data file's bytes. They go through readFieldsFromBytes as a file would;
// taken two at a time as UTF-16 they also make text with any character, lone surrogates
// included, for readFields itself. Both results are compared with a reader written here
// from the rules in FieldReader.h, and with a plain split for text without quotes.

#include "FuzzSupport.h"

#include "page/Cp1252.h"
#include "wizard/FieldReader.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

using namespace fuzzsupport;

namespace {

bool isBlankOrTab(QChar c) {
    return c == u' ' || c == u'\t';
}
bool isLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}

QString trimBlanksAndTabs(QStringView text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && isBlankOrTab(text[first]))
        ++first;
    while (last > first && isBlankOrTab(text[last - 1]))
        --last;
    return text.sliced(first, last - first).toString();
}

// The file as lines of fields, each separated from the next by a comma, the lines by line
// ends. A comma is always followed by one more field, even at a line end or the end of the
// text; a line end at the very end of the text starts no new line. A text without any
// character has no fields at all.
QStringList expectedFields(const QString& text) {
    QStringList fields;
    const qsizetype n = text.size();
    if (n == 0)
        return fields;
    qsizetype i = 0;
    for (;;) {
        while (i < n && isBlankOrTab(text[i]))
            ++i;
        if (i < n && text[i] == u'"') {
            qsizetype close = i + 1;
            while (close < n && text[close] != u'"')
                ++close;
            fields.append(text.sliced(i + 1, close - i - 1));
            i = close < n ? close + 1 : n;
            while (i < n && text[i] != u',' && !isLineEnd(text[i]))
                ++i; // dropped: the rest of the field after its closing quote
        } else {
            const qsizetype start = i;
            while (i < n && text[i] != u',' && !isLineEnd(text[i]))
                ++i;
            fields.append(trimBlanksAndTabs(QStringView(text).sliced(start, i - start)));
        }
        if (i == n)
            break;
        if (text[i] == u',') {
            ++i;
            continue;
        }
        i += text[i] == u'\r' && i + 1 < n && text[i + 1] == u'\n' ? 2 : 1;
        if (i == n)
            break;
    }
    return fields;
}

// The fields of a text without double quotes: split into lines, then each line at its
// commas, every piece trimmed of blanks and tabs.
QStringList splitFields(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size();) {
        if (isLineEnd(text[i])) {
            lines.append(text.sliced(start, i - start));
            i += text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        lines.append(text.sliced(start));
    QStringList fields;
    for (const QString& line : lines) {
        for (const QString& piece : line.split(u','))
            fields.append(trimBlanksAndTabs(piece));
    }
    return fields;
}

QByteArray describe(const QStringList& list) {
    QByteArray out = "[";
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (i > 0)
            out += ", ";
        if (i == 20) {
            out += "... (" + QByteArray::number(list.size()) + " fields)";
            break;
        }
        out += escaped(QStringView(list[i]), 60);
    }
    return out + "]";
}

void compareFields(const char* property, const QString& text, const QStringList& actual,
                   const QStringList& expected) {
    if (actual == expected)
        return;
    note("text", escaped(QStringView(text)));
    note("readFields", describe(actual));
    note("expected", describe(expected));
    fail(property);
}

bool hasVisibleCharacter(const QString& field) {
    for (const QChar c : field) {
        if (c != u' ')
            return true;
    }
    return false;
}

// themeNames keeps, in order, exactly the fields that hold something besides spaces.
void checkThemeNames(const QStringList& fields) {
    const QStringList names = quorra::themeNames(fields);
    for (const QString& name : names) {
        if (!hasVisibleCharacter(name)) {
            note("fields", describe(fields));
            note("themeNames", describe(names));
            fail("themeNames leaves out empty and blank fields");
        }
    }
    QStringList expected;
    for (const QString& field : fields) {
        if (hasVisibleCharacter(field))
            expected.append(field);
    }
    if (names != expected) {
        note("fields", describe(fields));
        note("themeNames", describe(names));
        note("expected", describe(expected));
        fail("themeNames keeps every other field, in order");
    }
}

void checkText(const QString& text, const QStringList& fields) {
    compareFields("readFields follows the documented rules", text, fields, expectedFields(text));
    if (!text.contains(u'"'))
        compareFields("without quotes, fields are the comma-separated pieces of each line", text, fields,
                      splitFields(text));
    checkThemeNames(fields);

    // Only plain characters: one line, one field.
    QString plain = text;
    plain.removeIf([](QChar c) { return c == u'"' || c == u',' || isLineEnd(c); });
    if (!plain.isEmpty()) {
        const QStringList one = quorra::readFields(plain);
        if (one.size() != 1 || one.front() != trimBlanksAndTabs(plain)) {
            note("text", escaped(QStringView(plain)));
            note("readFields", describe(one));
            fail("text without quotes, commas and line breaks is exactly one field, trimmed");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));

    // As a file: Windows-1252, or UTF-8 after a byte-order mark.
    const QStringList fileFields = quorra::readFieldsFromBytes(bytes);
    const QString fileText = quorra::decodeTextFile(bytes);
    compareFields("readFieldsFromBytes reads the decoded file", fileText, fileFields,
                  quorra::readFields(fileText));
    checkText(fileText, fileFields);

    // As UTF-16 text with any character.
    const QString text = utf16Text(bytes);
    checkText(text, quorra::readFields(text));

    // Lists of fields with blank and empty entries, as a catalogue read by hand might give.
    checkThemeNames(text.split(u','));
    checkThemeNames(QString::fromLatin1(bytes).split(u','));
    return 0;
}
