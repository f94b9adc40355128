// Fuzzes the page generator: the template line reader, the placeholder substitution and
// the page writer.
//
// Input layout (FuzzedDataProvider): the control values are taken from the end of the
// input, in this order:
//   1 byte   number of fields, 0 to 6
//   1 byte   bit 0: field texts are UTF-16 (two bytes a unit) instead of UTF-8;
//            bit 1: the template comes from the trickling device instead of a buffer
//   1 byte   how many read sizes the trickling device cycles through, 1 to 4
//   2 bytes  each read size, 1 to 300
//   1 byte   0xF0 and above: the template starts with a run of one filler byte, about one
//            64 KiB block long (0xF0 + k: BlockSize - 8 + k bytes), so lines cross the
//            reader's real block boundary; the read sizes are then 256 times larger
//   1 byte   the filler, when there is a run: 'x', 't', space or '"' (the run is one long line)
//   1 byte   per field: its name, one of Names or (the last value) a name of its own
// and from the front: per field, its own name when it has one and then its text, each
// ended by a backslash and one other character (two backslashes stand for one); what
// is left is the template.

#include "FuzzSupport.h"

#include "page/PageSubstituter.h"
#include "page/PageWriter.h"
#include "page/TemplateLineReader.h"

#include <QBuffer>
#include <QList>

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using namespace fuzzsupport;
using quorra::PageField;

namespace {

// Placeholders of the kind the themes use, with shared starts and names inside names.
constexpr std::array<const char*, 12> Names{
    "txtCompanyName", "txtCompanyAddress", "txtCompany",  "txtPurchase1", "txtPurchase2", "txtPicture1",
    "txtVAT",         "txtPostage",        "CompanyName", "txt",          "tt",           "&#20013;",
};

constexpr std::array<char, 4> Fillers{'x', 't', ' ', '"'};

QByteArray describe(const QList<PageField>& fields) {
    QByteArray out;
    for (const PageField& field : fields) {
        out += "\n    ";
        out += escaped(QStringView(field.name), 40);
        out += " = ";
        out += escaped(QStringView(field.text), 120);
    }
    return out;
}

void report(const char* property, const QList<PageField>& fields, const QByteArray& templ) {
    note("fields", describe(fields));
    note("template", escaped(templ));
    fail(property);
}

QString ownName(const std::string& bytes) {
    QString name;
    for (const char c : bytes) {
        if (c > 0) // ASCII only
            name += QLatin1Char(c);
    }
    return name.isEmpty() ? QStringLiteral("txt") : name;
}

void checkReader(QIODevice& device, const std::vector<QByteArrayView>& expected,
                 const QList<PageField>& fields, const QByteArray& templ) {
    quorra::TemplateLineReader reader(device);
    QByteArrayView line;
    std::size_t count = 0;
    while (reader.readLine(line)) {
        if (count >= expected.size() || line != expected[count]) {
            note("line number", QByteArray::number(qulonglong(count + 1)));
            note("read", escaped(line));
            note("expected",
                 count < expected.size() ? escaped(expected[count]) : QByteArray("(no more lines)"));
            report("the reader gives the template's lines", fields, templ);
        }
        ++count;
    }
    if (reader.hasError() || count != expected.size()) {
        note("lines read", QByteArray::number(qulonglong(count)));
        note("lines expected", QByteArray::number(qulonglong(expected.size())));
        report("the reader gives every line of the template and no error", fields, templ);
    }
}

QByteArray writtenPage(QIODevice& templateDevice, const QList<PageField>& fields, const QByteArray& templ) {
    QByteArray page;
    QBuffer pageDevice(&page);
    pageDevice.open(QIODevice::WriteOnly);
    const quorra::PageResult result = quorra::writePage(templateDevice, pageDevice, fields);
    if (!result.ok) {
        note("error", result.error.toUtf8());
        report("writing a page to memory succeeds", fields, templ);
    }
    pageDevice.close();
    return page;
}

bool hasLineBreak(const QString& text) {
    return text.contains(u'\r') || text.contains(u'\n');
}

// The page has one CR LF-ended line per template line, and a template line holding no
// field name comes out byte for byte.
void checkPageLines(QByteArrayView page, const std::vector<QByteArrayView>& lines,
                    const std::vector<Placeholder>& placeholders, const QList<PageField>& fields,
                    const QByteArray& templ) {
    std::vector<QByteArrayView> pageLines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < page.size(); ++i) {
        if (page[i] == '\r' && i + 1 < page.size() && page[i + 1] == '\n') {
            pageLines.push_back(page.sliced(start, i - start));
            start = i + 2;
            ++i;
        } else if (page[i] == '\r' || page[i] == '\n') {
            note("page", escaped(page));
            report("the page holds no line end but CR LF", fields, templ);
        }
    }
    if (start != page.size()) {
        note("page", escaped(page));
        report("every line of the page ends with CR LF", fields, templ);
    }
    if (pageLines.size() != lines.size()) {
        note("page", escaped(page));
        note("page lines", QByteArray::number(qulonglong(pageLines.size())));
        note("template lines", QByteArray::number(qulonglong(lines.size())));
        report("the page has as many lines as the template", fields, templ);
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        bool holdsName = false;
        for (const Placeholder& field : placeholders)
            holdsName = holdsName || lines[i].contains(field.name);
        if (!holdsName && pageLines[i] != lines[i]) {
            note("line", escaped(lines[i]));
            note("page line", escaped(pageLines[i]));
            report("a line without a field name is copied unchanged", fields, templ);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int fieldCount = input.ConsumeIntegralInRange<int>(0, 6);
    const std::uint8_t flags = input.ConsumeIntegral<std::uint8_t>();
    const bool utf16Texts = flags & 1;
    const bool trickle = flags & 2;
    std::vector<qint64> readSizes(input.ConsumeIntegralInRange<std::size_t>(1, 4));
    for (qint64& readSize : readSizes)
        readSize = input.ConsumeIntegralInRange<qint64>(1, 300);
    const std::uint8_t run = input.ConsumeIntegral<std::uint8_t>();
    const char filler = Fillers[input.ConsumeIntegralInRange<std::size_t>(0, Fillers.size() - 1)];

    QList<PageField> fields;
    for (int i = 0; i < fieldCount; ++i) {
        const auto pick = input.ConsumeIntegralInRange<std::size_t>(0, Names.size());
        PageField field;
        field.name = pick < Names.size() ? QString::fromLatin1(Names[pick])
                                         : ownName(input.ConsumeRandomLengthString(16));
        field.text = inputText(input.ConsumeRandomLengthString(100), utf16Texts);
        fields.append(field);
    }

    QByteArray templ;
    if (run >= 0xF0) {
        templ.fill(filler, quorra::TemplateLineReader::BlockSize - 8 + (run & 0x0F));
        // Reads of a few bytes are tried on short templates; a long one trickles in larger
        // pieces, or a run would take far too long.
        for (qint64& readSize : readSizes)
            readSize *= 256;
    }
    const std::vector<std::uint8_t> rest = input.ConsumeRemainingBytes<std::uint8_t>();
    templ.append(reinterpret_cast<const char*>(rest.data()), qsizetype(rest.size()));

    const std::vector<QByteArrayView> lines = templateLines(templ);
    const std::vector<Placeholder> rule = placeholders(fields);

    // The template comes from a device that hands out a few bytes at a time, or from a
    // buffer, which gives whole blocks.
    const auto templateDevice = [&]() -> std::unique_ptr<QIODevice> {
        if (trickle)
            return std::make_unique<ChunkedDevice>(templ, readSizes);
        auto buffer = std::make_unique<QBuffer>(&templ);
        buffer->open(QIODevice::ReadOnly);
        return buffer;
    };

    // The page, against the rule applied line by line. When they differ, the reader alone
    // says first whether it was the lines that went wrong. (The reader is not run on every
    // input by itself: each one holds a block of its own, which is costly here.)
    const QByteArray expected = expectedPage(templ, rule);
    const QByteArray page = writtenPage(*templateDevice(), fields, templ);
    if (page != expected) {
        checkReader(*templateDevice(), lines, fields, templ);
        note("page", escaped(page));
        note("expected", escaped(expected));
        report("the page is every template line filled in by the rule, each ended by CR LF", fields, templ);
    }
    bool textsHaveLineBreaks = false;
    for (const PageField& field : fields)
        textsHaveLineBreaks = textsHaveLineBreaks || hasLineBreak(field.text);
    if (!textsHaveLineBreaks)
        checkPageLines(page, lines, rule, fields, templ);

    // The substituter alone, on any bytes (the whole template as one line), appending to
    // what the output already holds.
    {
        quorra::PageSubstituter substituter(fields);
        QByteArray out = "kept";
        substituter.appendLine(templ, out);
        const QByteArray want = "kept" + expectedLine(templ, rule);
        if (out != want) {
            note("output", escaped(out));
            note("expected", escaped(want));
            report("appendLine appends the line filled in by the rule", fields, templ);
        }
        // The same substituter again, on each line: it keeps no state from line to line.
        QByteArray wantLine;
        for (const QByteArrayView line : lines) {
            out.resize(0);
            substituter.appendLine(line, out);
            wantLine.resize(0);
            appendExpectedLine(line, rule, wantLine);
            if (out != wantLine) {
                note("line", escaped(line));
                note("output", escaped(out));
                report("a substituter gives the same result for a line whatever it did before", fields,
                       templ);
            }
        }
    }
    return 0;
}
