// Fuzzes the page generator, writePage: the template's lines read in blocks, the
// placeholder substitution and the page's output.
//
// The input is the texts of the window's fields in their order, UTF-8, each ended by a NUL
// byte, then a second NUL and the template; without two NULs in a row it is all template.
//
// Laws: the page's last line ends with CR LF; with texts free of line breaks every line
// ends with CR LF, there is one page line per template line, and a line holding no field
// name is copied unchanged.

#include "FuzzInput.h"

#include "entry/FieldTable.h"
#include "page/PageWriter.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

using fuzzinput::check;

namespace {

// The lines of a text: each ends at CR LF, a lone CR or a lone LF; the last needs none.
QList<QByteArrayView> linesOf(QByteArrayView bytes) {
    QList<QByteArrayView> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            lines.append(bytes.sliced(start, i - start));
            i += bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
            start = i + 1;
        }
    }
    if (start < bytes.size())
        lines.append(bytes.sliced(start));
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray templ(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype cut = templ.indexOf(QByteArrayView("\0\0", 2));
    QList<quorra::PageField> fields;
    bool lineBreaks = false;
    if (cut >= 0) {
        const auto table = quorra::fieldTable();
        for (const QByteArray& text : templ.left(cut).split('\0')) {
            if (std::size_t(fields.size()) < table.size())
                fields.append({QString(table[std::size_t(fields.size())].name), QString::fromUtf8(text)});
            lineBreaks = lineBreaks || text.contains('\r') || text.contains('\n');
        }
        templ.remove(0, cut + 2);
    }
    QByteArray page;
    QBuffer in(&templ), out(&page);
    in.open(QIODevice::ReadOnly);
    out.open(QIODevice::WriteOnly);
    check(quorra::writePage(in, out, fields).ok, "writing a page to memory succeeds");

    check(page.isEmpty() || page.endsWith("\r\n"), "the page's last line ends with CR LF");
    if (lineBreaks)
        return 0;
    const QList<QByteArrayView> pageLines = linesOf(page);
    check(page.count("\r\n") == pageLines.size() && page.count('\r') == pageLines.size() &&
              page.count('\n') == pageLines.size(),
          "every line ends with CR LF and holds no other CR or LF");
    const QList<QByteArrayView> lines = linesOf(templ);
    check(pageLines.size() == lines.size(), "the page has as many lines as the template");
    for (qsizetype i = 0; i < lines.size(); ++i) {
        bool holdsName = false;
        for (const quorra::PageField& field : fields)
            holdsName = holdsName || lines[i].contains(field.name.toLatin1());
        check(holdsName || pageLines[i] == lines[i], "a line without a field name is copied unchanged");
    }
    return 0;
}
