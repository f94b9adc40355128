// Fuzzes the page generator, writePage: the template's lines read in blocks, the
// placeholder substitution and the page's output.
//
// Input layout (FuzzedDataProvider): from the end, one byte for the number of fields (0
// to 6); one byte of flags (bit 0: texts are UTF-16); one byte, 0xF0 and above for a
// template starting with a run of one filler byte about one 64 KiB block long, so that a
// line crosses the reader's block boundary; one byte choosing the filler; per field one
// byte choosing its name among the window's fields and a few of its own. From the front,
// each ended by a backslash and one other character: per field its own name when it has
// one, and its text; what is left is the template.
//
// Laws: every line ends with CR LF; with texts free of line breaks there is one page line
// per template line, and a line holding no field name is copied unchanged.

#include "FuzzInput.h"

#include "entry/FieldTable.h"
#include "page/PageWriter.h"
#include "page/TemplateLineReader.h"

#include <QBuffer>
#include <QList>

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstddef>
#include <cstdint>

using fuzzinput::check;
using quorra::PageField;

namespace {

// Names inside the window's names and one that is a character reference.
constexpr std::array<const char*, 4> OwnNames{"txtCompany", "CompanyName", "tt", "&#20013;"};
constexpr std::array<char, 4> Fillers{'x', 't', ' ', '"'};

// A name of the input's ASCII characters, "txt" when it has none.
QString ownName(const std::string& bytes) {
    QString name;
    for (const char c : bytes) {
        if (c > 0)
            name += QLatin1Char(c);
    }
    return name.isEmpty() ? QStringLiteral("txt") : name;
}

// The template's lines: each ends at CR LF, a lone CR or a lone LF; the last needs none.
QList<QByteArrayView> templateLines(QByteArrayView bytes) {
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            lines.append(bytes.sliced(start, i - start));
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < bytes.size())
        lines.append(bytes.sliced(start));
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int fieldCount = input.ConsumeIntegralInRange<int>(0, 6);
    const bool utf16Texts = input.ConsumeIntegral<std::uint8_t>() & 1;
    const std::uint8_t run = input.ConsumeIntegral<std::uint8_t>();
    const char filler = Fillers[input.ConsumeIntegralInRange<std::size_t>(0, Fillers.size() - 1)];

    const auto table = quorra::fieldTable();
    QList<PageField> fields;
    for (int i = 0; i < fieldCount; ++i) {
        const auto pick = input.ConsumeIntegralInRange<std::size_t>(0, table.size() + OwnNames.size());
        PageField field;
        if (pick < table.size())
            field.name = QString(table[pick].name);
        else if (pick < table.size() + OwnNames.size())
            field.name = QString::fromLatin1(OwnNames[pick - table.size()]);
        else
            field.name = ownName(input.ConsumeRandomLengthString(16));
        field.text = fuzzinput::inputText(input.ConsumeRandomLengthString(100), utf16Texts);
        fields.append(field);
    }

    QByteArray templ;
    if (run >= 0xF0)
        templ.fill(filler, quorra::TemplateLineReader::BlockSize - 8 + (run & 0x0F));
    const std::vector<std::uint8_t> rest = input.ConsumeRemainingBytes<std::uint8_t>();
    templ.append(reinterpret_cast<const char*>(rest.data()), qsizetype(rest.size()));

    QBuffer in(&templ);
    QByteArray page;
    QBuffer out(&page);
    in.open(QIODevice::ReadOnly);
    out.open(QIODevice::WriteOnly);
    check(quorra::writePage(in, out, fields).ok, "writing a page to memory succeeds");

    check(page.isEmpty() || page.endsWith("\r\n"), "the page's last line ends with CR LF");
    for (const PageField& field : fields) {
        if (fuzzinput::hasLineBreak(field.text))
            return 0;
    }
    const QList<QByteArrayView> pageLines = templateLines(page);
    check(page.count('\r') == pageLines.size() && page.count('\n') == pageLines.size(),
          "every line ends with CR LF and holds no other CR or LF");
    const QList<QByteArrayView> lines = templateLines(templ);
    check(pageLines.size() == lines.size(), "the page has as many lines as the template");
    for (qsizetype i = 0; i < lines.size(); ++i) {
        bool holdsName = false;
        for (const PageField& field : fields)
            holdsName = holdsName || (!field.name.isEmpty() && lines[i].contains(field.name.toLatin1()));
        check(holdsName || pageLines[i] == lines[i], "a line without a field name is copied unchanged");
    }
    return 0;
}
