// Fuzzes the page generator, writePage: the template's lines read in blocks, the
// placeholder substitution and the page's output.
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

// The reader hands out the template in runs of whole lines: together they are the
// template (its last line given an LF when it has no line end), and each ends at a line
// end that is not the CR of a CR LF.
void checkReader(QIODevice& device, const QList<PageField>& fields, const QByteArray& templ) {
    quorra::TemplateLineReader reader(device);
    QByteArray read;
    QByteArrayView lines;
    while (reader.readLines(lines)) {
        const bool endsLine = lines.endsWith('\n') || lines.endsWith('\r');
        read += lines;
        if (!endsLine || (lines.endsWith('\r') && read.size() < templ.size() && templ[read.size()] == '\n')) {
            note("run ends at", QByteArray::number(read.size()));
            report("each run of lines ends at a line end and keeps a CR LF whole", fields, templ);
        }
    }
    QByteArray want = templ;
    if (!want.isEmpty() && !want.endsWith('\n') && !want.endsWith('\r'))
        want += '\n';
    if (reader.failed() || read != want) {
        note("read", escaped(read));
        report("the reader gives the whole template and no error", fields, templ);
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
    if (!crLfLines(page, pageLines)) {
        note("page", escaped(page));
        report("the page holds no line end but CR LF, and every line ends with one", fields, templ);
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
    // says first whether it was the lines that went wrong.
    const QByteArray expected = expectedPage(templ, rule);
    const QByteArray page = writtenPage(*templateDevice(), fields, templ);
    if (page != expected) {
        checkReader(*templateDevice(), fields, templ);
        note("page", escaped(page));
        note("expected", escaped(expected));
        report("the page is every template line filled in by the rule, each ended by CR LF", fields, templ);
    }
    bool textsHaveLineBreaks = false;
    for (const PageField& field : fields)
        textsHaveLineBreaks = textsHaveLineBreaks || hasLineBreak(field.text);
    if (!textsHaveLineBreaks)
        checkPageLines(page, lines, rule, fields, templ);
    return 0;
}
