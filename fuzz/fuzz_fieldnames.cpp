// Fuzzes the substitution with every text box of the main window as a field, in the order
// of the field table, as the window hands them to the page writer. A name is a field only
// when written exactly: "txtcompanyname" or "TXTCOMPANYNAME" in a template stays as it is.
//
// Input layout (FuzzedDataProvider): from the end, one byte for the number of texts set
// (0 to 8; the other fields are empty), one byte of flags (bit 0: texts are UTF-16), and
// per text set one byte for its field (% 46) and one for its kind (see fieldText). From
// the front, each text's own bytes ended by a backslash and one other character; what is
// left makes the template (see templateFrom).

#include "FuzzSupport.h"

#include "entry/FieldTable.h"
#include "page/PageWriter.h"

#include <QBuffer>
#include <QList>

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>

using namespace fuzzsupport;
using quorra::PageField;
using namespace Qt::StringLiterals;

namespace {

constexpr std::size_t FieldCount = WindowFieldNames.size();

// A name in other letter case or nearly the name: 0 exact, 1 all small letters, 2 all
// capitals, 3 one letter's case changed (at `at`), 4 without its last character, 5 with
// one more letter, 6 split by a space.
QByteArray variant(std::size_t field, int kind, std::size_t at) {
    QByteArray name(WindowFieldNames[field % FieldCount]);
    switch (kind % 7) {
    case 1:
        return name.toLower();
    case 2:
        return name.toUpper();
    case 3: {
        const qsizetype i = qsizetype(at % std::size_t(name.size()));
        const char c = name[i];
        name[i] = c >= 'a' && c <= 'z' ? char(c - 32) : c >= 'A' && c <= 'Z' ? char(c + 32) : c;
        return name;
    }
    case 4:
        name.chop(1);
        return name;
    case 5:
        return name + 's';
    case 6:
        return name.insert(qsizetype(at % std::size_t(name.size())), ' ');
    default:
        return name;
    }
}

// The template: bytes below 0xC0 stand for themselves; 0xC0 + k followed by two bytes f, a
// puts variant k % 8 (7: exact too) of field f's name, with a for the place of a change;
// 0xFF followed by a byte puts that byte.
QByteArray templateFrom(const std::vector<std::uint8_t>& bytes) {
    QByteArray out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::uint8_t b = bytes[i];
        if (b == 0xFF && i + 1 < bytes.size()) {
            out += char(bytes[++i]);
        } else if (b >= 0xC0 && i + 2 < bytes.size()) {
            out += variant(bytes[i + 1], (b - 0xC0) % 8, bytes[i + 2]);
            i += 2;
        } else {
            out += char(b);
        }
    }
    return out;
}

// A field's text: kind 0 its own bytes; 1 its own name with spaces around (which leaves
// the field passed over); 2 another field's name; 3 a name in other letter case; 4 its
// own bytes with spaces, a tab and a line break around.
QString fieldText(std::size_t field, int kind, const QString& own) {
    const std::size_t other = (field + 1 + std::size_t(own.size())) % FieldCount;
    switch (kind % 5) {
    case 1:
        return u"  "_s + QLatin1String(WindowFieldNames[field]) + u' ';
    case 2:
        return QLatin1String(WindowFieldNames[other]);
    case 3:
        return QString::fromLatin1(variant(other, 1 + int(own.size()) % 3, std::size_t(own.size())));
    case 4:
        return u" \t"_s + own + u"\r\n "_s;
    default:
        return own;
    }
}

// The names of the field table, in its order, are the window's text boxes in creation
// order, and none of them occurs inside another.
void checkFieldTable() {
    const auto table = quorra::fieldTable();
    if (table.size() != FieldCount) {
        note("fields", QByteArray::number(qulonglong(table.size())));
        fail("the field table holds the window's 46 text boxes");
    }
    for (std::size_t i = 0; i < FieldCount; ++i) {
        if (table[i].name != QLatin1String(WindowFieldNames[i])) {
            note("entry", QByteArray::number(qulonglong(i + 1)));
            note("name", QByteArray(table[i].name.data(), table[i].name.size()));
            note("expected", WindowFieldNames[i]);
            fail("the field table lists the text boxes in the window's creation order");
        }
        for (std::size_t j = 0; j < FieldCount; ++j) {
            if (i != j && QByteArrayView(WindowFieldNames[j]).contains(QByteArrayView(WindowFieldNames[i]))) {
                note("name", WindowFieldNames[i]);
                note("inside", WindowFieldNames[j]);
                fail("no field name occurs inside another");
            }
        }
    }
}

void report(const char* property, const QList<PageField>& fields, const QByteArray& templ) {
    for (const PageField& field : fields) {
        if (!field.text.isEmpty())
            note(field.name.toLatin1().constData(), escaped(QStringView(field.text), 120));
    }
    note("template", escaped(templ, 2000));
    fail(property);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool tableChecked = (checkFieldTable(), true);
    (void)tableChecked;

    FuzzedDataProvider input(data, size);
    const int texts = input.ConsumeIntegralInRange<int>(0, 8);
    const bool utf16 = input.ConsumeIntegral<std::uint8_t>() & 1;

    // Every text box of the window, as the window lists them: the table's names in order.
    QList<PageField> fields;
    for (const quorra::FieldSpec& entry : quorra::fieldTable())
        fields.append(PageField{QString(entry.name), QString()});
    for (int i = 0; i < texts; ++i) {
        const std::size_t field = input.ConsumeIntegral<std::uint8_t>() % FieldCount;
        const int kind = input.ConsumeIntegral<std::uint8_t>();
        fields[qsizetype(field)].text =
            fieldText(field, kind, inputText(input.ConsumeRandomLengthString(60), utf16));
    }
    const QByteArray templ = templateFrom(input.ConsumeRemainingBytes<std::uint8_t>());

    // The reference knows the names from its own list, not from the table.
    QList<PageField> referenceFields = fields;
    for (std::size_t i = 0; i < FieldCount; ++i)
        referenceFields[qsizetype(i)].name = QLatin1String(WindowFieldNames[i]);
    const std::vector<Placeholder> rule = placeholders(referenceFields);

    QByteArray templateBytes = templ;
    QBuffer templateDevice(&templateBytes);
    templateDevice.open(QIODevice::ReadOnly);
    QByteArray page;
    QBuffer pageDevice(&page);
    pageDevice.open(QIODevice::WriteOnly);
    if (!quorra::writePage(templateDevice, pageDevice, fields).ok)
        report("writing a page to memory succeeds", fields, templ);

    // Line by line where the page's lines are the template's (no text holds a line break),
    // with the property of names in other case on its own: a line holding no name in its
    // exact letter case is copied unchanged.
    bool textsHaveLineBreaks = false;
    for (const PageField& field : fields)
        textsHaveLineBreaks = textsHaveLineBreaks || field.text.contains(u'\r') || field.text.contains(u'\n');
    const std::vector<QByteArrayView> lines = templateLines(templ);
    std::vector<QByteArrayView> pageLines;
    if (!textsHaveLineBreaks && crLfLines(page, pageLines) && pageLines.size() == lines.size()) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const QByteArrayView line = lines[i];
            bool holdsName = false;
            for (const char* name : WindowFieldNames)
                holdsName = holdsName || line.contains(QByteArrayView(name));
            if (!holdsName && pageLines[i] != line) {
                note("line", escaped(line, 2000));
                note("page line", escaped(pageLines[i], 2000));
                report("a line holding no field name in its exact letter case is copied unchanged", fields,
                       templ);
            }
            const QByteArray want = expectedLine(line, rule);
            if (pageLines[i] != want) {
                note("line", escaped(line, 2000));
                note("page line", escaped(pageLines[i], 2000));
                note("expected", escaped(want, 2000));
                report("each line is filled in by the first field, in table order, that changes it", fields,
                       templ);
            }
        }
    }

    const QByteArray want = expectedPage(templ, rule);
    if (page != want) {
        note("page", escaped(page, 3000));
        note("expected", escaped(want, 3000));
        report("the page is every template line filled in by the rule, each ended by CR LF", fields, templ);
    }
    return 0;
}
