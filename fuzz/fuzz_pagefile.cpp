// Fuzzes the whole way from a template file to the page file through generatePageFile, on
// the real file system, with the kernel refusing writes past a chosen size (a file-size
// limit, RLIMIT_FSIZE, with SIGXFSZ ignored) as a full disk would. A page that cannot be
// written whole must leave the previous page byte for byte as it was (or absent) and no
// temporary file behind; a page that fits, and after a failure the page written again
// without a limit, must be the template filled in by the reference substitution.
//
// Input layout (FuzzedDataProvider): from the end, one byte of flags (bit 0: a previous
// page exists; bits 1 and 3 both: the template is repeated, line after line, past the
// writer's buffer, so that the page takes several writes; bit 2: texts are UTF-16),
// four bytes for the limit (taken modulo the page's size + 2, so both a limit inside the
// page and one that lets it through come up), one byte for the number of texts set (0 to
// 4), and per text one byte for its field (% 46). From the front, each ended by a
// backslash and one other character: the previous page's bytes and each text's bytes;
// what is left is the template.

#include "FuzzSupport.h"

#include "entry/FieldTable.h"
#include "page/PageOutput.h"
#include "page/PageWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <optional>

using namespace fuzzsupport;
using quorra::PageField;

namespace {

const QString Theme = QStringLiteral("Classic blue");
const QString TemplateFile = QStringLiteral("Classic.txt");
const QString PageFile = QStringLiteral("Classic.html");

// One folder for the whole run, holding only the template and the page between inputs.
// It lies in memory where it can (/dev/shm), as the save's sync to disk would cost a disk
// flush per page; elsewhere it lies in TMPDIR.
QTemporaryDir& folderDir() {
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/fuzz_pagefile-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/fuzz_pagefile-XXXXXX"));
    return dir;
}

const QString& folder() {
    QTemporaryDir& dir = folderDir();
    if (!dir.isValid())
        fail("a temporary folder can be made");
    static const QString path = dir.path();
    return path;
}

std::optional<QByteArray> fileBytes(const QString& name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

void writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        fail("the test's own files can be written");
}

QStringList folderEntries() {
    return QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                    QDir::Name);
}

// generatePageFile with writes past `limit` bytes of any file refused, or with no limit.
// Only for the call, SIGXFSZ is ignored (a refused write then fails with EFBIG) instead of
// ending the run through libFuzzer's handler, and the limit is set.
quorra::PageResult generate(const QList<PageField>& fields, std::optional<rlim_t> limit) {
    if (!limit)
        return quorra::generatePageFile(folder(), Theme, fields);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction savedAction {};
    rlimit saved{};
    if (sigaction(SIGXFSZ, &ignore, &savedAction) != 0 || getrlimit(RLIMIT_FSIZE, &saved) != 0)
        fail("SIGXFSZ can be ignored and the file-size limit read");
    rlimit limited = saved;
    limited.rlim_cur = saved.rlim_max == RLIM_INFINITY ? *limit : std::min(*limit, saved.rlim_max);
    if (setrlimit(RLIMIT_FSIZE, &limited) != 0)
        fail("the file-size limit can be set");
    const quorra::PageResult result = quorra::generatePageFile(folder(), Theme, fields);
    if (setrlimit(RLIMIT_FSIZE, &saved) != 0 || sigaction(SIGXFSZ, &savedAction, nullptr) != 0)
        fail("the file-size limit and the SIGXFSZ handler can be restored");
    return result;
}

struct Case {
    QList<PageField> fields;
    QByteArray templ;
    std::optional<QByteArray> previous;
    qint64 limit = 0;
};

void report(const char* property, const Case& c, const quorra::PageResult& result) {
    for (const PageField& field : c.fields) {
        if (!field.text.isEmpty())
            note(field.name.toLatin1().constData(), escaped(QStringView(field.text), 120));
    }
    note("template", escaped(c.templ, 600));
    note("template bytes", QByteArray::number(c.templ.size()));
    note("previous page", c.previous ? escaped(*c.previous) : QByteArray("(none)"));
    note("limit", QByteArray::number(c.limit));
    note("result", result.ok ? QByteArray("ok") : result.error.toUtf8());
    note("files", folderEntries().join(u", ").toUtf8());
    folderDir().remove(); // the run ends here; the input alone shows the failure again
    fail(property);
}

// The folder holds the template, and the page when there is one, and nothing else.
void checkNoStrayFile(bool pageExists, const Case& c, const quorra::PageResult& result) {
    QStringList want{TemplateFile};
    if (pageExists)
        want.prepend(PageFile);
    if (folderEntries() != want)
        report("no temporary or other file is left in the folder", c, result);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::uint8_t flags = input.ConsumeIntegral<std::uint8_t>();
    const bool hasPrevious = flags & 1;
    const bool large = (flags & 10) == 10;
    const bool utf16 = flags & 4;
    const auto rawLimit = input.ConsumeIntegral<std::uint32_t>();
    const int texts = input.ConsumeIntegralInRange<int>(0, 4);

    // A few of the window's fields (the others could only empty their names, which the
    // substitution target covers); the names come from the field table.
    Case c;
    const auto table = quorra::fieldTable();
    std::vector<std::size_t> setFields;
    for (int i = 0; i < texts; ++i)
        setFields.push_back(input.ConsumeIntegral<std::uint8_t>() % table.size());
    const std::string previous = input.ConsumeRandomLengthString(64);
    if (hasPrevious)
        c.previous = QByteArray(previous.data(), qsizetype(previous.size()));
    for (const std::size_t field : setFields) {
        c.fields.append(
            PageField{QString(table[field].name), inputText(input.ConsumeRandomLengthString(80), utf16)});
    }
    const std::vector<std::uint8_t> rest = input.ConsumeRemainingBytes<std::uint8_t>();
    c.templ = QByteArray(reinterpret_cast<const char*>(rest.data()), qsizetype(rest.size()));
    if (large) {
        const QByteArray unit = c.templ + "\r\n";
        while (c.templ.size() < quorra::PageOutput::BufferSize + 512)
            c.templ += unit;
    }

    const QString dir = folder();
    const QString templateName = dir + u'/' + TemplateFile;
    const QString pageName = dir + u'/' + PageFile;
    writeFile(templateName, c.templ);
    if (c.previous)
        writeFile(pageName, *c.previous);
    else
        QFile::remove(pageName);

    // The reference knows the names from its own list.
    QList<PageField> referenceFields = c.fields;
    for (std::size_t i = 0; i < setFields.size(); ++i)
        referenceFields[qsizetype(i)].name = QLatin1String(WindowFieldNames[setFields[i]]);
    const QByteArray expected = expectedPage(c.templ, placeholders(referenceFields));
    c.limit = qint64(rawLimit % std::uint64_t(expected.size() + 2));

    // With the limit: the page fits and is written, or it does not and nothing changes.
    const quorra::PageResult limited = generate(c.fields, rlim_t(c.limit));
    const std::optional<QByteArray> afterLimited = fileBytes(pageName);
    if (c.limit < expected.size()) {
        if (limited.ok)
            report("a page that cannot be written whole fails", c, limited);
        if (!limited.error.contains(pageName))
            report("the failure names the page file", c, limited);
        if (afterLimited != c.previous) {
            note("page now", afterLimited ? escaped(*afterLimited) : QByteArray("(none)"));
            report("after a failed write the previous page is byte-identical (or still absent)", c, limited);
        }
        checkNoStrayFile(c.previous.has_value(), c, limited);
    } else {
        if (!limited.ok)
            report("a page within the limit is written", c, limited);
        if (afterLimited != expected) {
            note("page", afterLimited ? escaped(*afterLimited, 600) : QByteArray("(none)"));
            note("expected", escaped(expected, 600));
            report("the page is the template filled in by the rule", c, limited);
        }
        checkNoStrayFile(true, c, limited);
    }

    // Without a limit the same call writes the whole page (which the limit let through).
    if (limited.ok)
        return 0;
    const quorra::PageResult unlimited = generate(c.fields, std::nullopt);
    if (!unlimited.ok)
        report("without a limit the page is written", c, unlimited);
    const std::optional<QByteArray> page = fileBytes(pageName);
    if (page != expected) {
        note("page", page ? escaped(*page, 600) : QByteArray("(none)"));
        note("expected", escaped(expected, 600));
        report("the page is the template filled in by the rule", c, unlimited);
    }
    checkNoStrayFile(true, c, unlimited);
    return 0;
}
