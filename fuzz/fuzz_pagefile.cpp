// Fuzzes the way from a template file to the page file through generatePageFile, on the
// real file system, with the kernel refusing writes past a chosen size (RLIMIT_FSIZE) as a
// full disk would.
//
// Input layout (FuzzedDataProvider): from the end, one byte of flags (bit 0: a previous
// page exists; bits 1 and 3 both: the template is repeated past the writer's buffer, so
// that the page takes several writes; bit 2: texts are UTF-16), four bytes for the limit
// (taken modulo the page's size + 2), one byte for the number of texts set (0 to 4), and
// per text one byte for its field (% the number of fields). From the front, each ended by
// a backslash and one other character: the previous page's bytes and each text's bytes;
// what is left is the template.
//
// Laws: the page is written whole or not at all: a page that fits is the page written
// without a limit; one that does not fit fails naming the page file and leaves the
// previous page byte for byte (or absent); no temporary file is ever left.

#include "FuzzInput.h"

#include "entry/FieldTable.h"
#include "page/PageOutput.h"
#include "page/PageWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fuzzer/FuzzedDataProvider.h>

#include <sys/resource.h>

#include <cstddef>
#include <cstdint>
#include <optional>

using fuzzinput::check;
using quorra::PageField;

namespace {

const QString Theme = QStringLiteral("Classic blue");

// One folder for the whole run, in memory where it can be (the save syncs every page).
const QString& folder() {
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/fuzz_pagefile-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/fuzz_pagefile-XXXXXX"));
    check(dir.isValid(), "a temporary folder can be made");
    static const QString path = dir.path();
    return path;
}

std::optional<QByteArray> fileBytes(const QString& name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

void setFile(const QString& name, const std::optional<QByteArray>& bytes) {
    QFile::remove(name);
    QFile file(name);
    check(!bytes || (file.open(QIODevice::WriteOnly) && file.write(*bytes) == bytes->size()),
          "the test's own files can be written");
}

// generatePageFile with writes past limit bytes refused (the program itself ignores SIGXFSZ).
quorra::PageResult generate(const QList<PageField>& fields, rlim_t limit) {
    rlimit saved{};
    check(getrlimit(RLIMIT_FSIZE, &saved) == 0, "the file-size limit can be read");
    rlimit limited = saved;
    limited.rlim_cur = saved.rlim_max == RLIM_INFINITY ? limit : std::min(limit, saved.rlim_max);
    check(setrlimit(RLIMIT_FSIZE, &limited) == 0, "the file-size limit can be set");
    const quorra::PageResult result = quorra::generatePageFile(folder(), Theme, fields);
    check(setrlimit(RLIMIT_FSIZE, &saved) == 0, "the file-size limit can be restored");
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::uint8_t flags = input.ConsumeIntegral<std::uint8_t>();
    const bool large = (flags & 10) == 10;
    const bool utf16 = flags & 4;
    const auto rawLimit = input.ConsumeIntegral<std::uint32_t>();
    const int texts = input.ConsumeIntegralInRange<int>(0, 4);

    const auto table = quorra::fieldTable();
    std::vector<std::size_t> setFields;
    for (int i = 0; i < texts; ++i)
        setFields.push_back(input.ConsumeIntegral<std::uint8_t>() % table.size());
    const std::string previousBytes = input.ConsumeRandomLengthString(64);
    std::optional<QByteArray> previous;
    if (flags & 1)
        previous = QByteArray(previousBytes.data(), qsizetype(previousBytes.size()));
    QList<PageField> fields;
    for (const std::size_t field : setFields)
        fields.append(
            {QString(table[field].name), fuzzinput::inputText(input.ConsumeRandomLengthString(80), utf16)});
    const std::vector<std::uint8_t> rest = input.ConsumeRemainingBytes<std::uint8_t>();
    QByteArray templ(reinterpret_cast<const char*>(rest.data()), qsizetype(rest.size()));
    if (large) {
        const QByteArray unit = templ + "\r\n";
        while (templ.size() < quorra::PageOutput::BufferSize + 512)
            templ += unit;
    }

    const QString templateName = quorra::templateFileName(folder(), Theme);
    const QString pageName = quorra::pageFileName(folder(), Theme);
    setFile(templateName, templ);
    setFile(pageName, std::nullopt);
    const bool written = quorra::generatePageFile(folder(), Theme, fields).ok;
    const std::optional<QByteArray> unlimited = fileBytes(pageName);
    check(written && unlimited, "without a limit the page is written");
    const QByteArray page = *unlimited;

    setFile(pageName, previous);
    const auto limit = qint64(rawLimit % std::uint64_t(page.size() + 2));
    const quorra::PageResult result = generate(fields, rlim_t(limit));
    if (limit >= page.size()) {
        check(result.ok, "a page within the limit is written");
        check(fileBytes(pageName) == page, "a page within the limit is the page written without one");
    } else {
        check(!result.ok, "a page that cannot be written whole fails");
        check(result.error.contains(pageName), "the failure names the page file");
        check(fileBytes(pageName) == previous, "after a failure the previous page is as it was (or absent)");
    }
    const QStringList entries =
        QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    check(entries.size() == 1 + (result.ok || previous ? 1 : 0), "no temporary or other file is left");
    return 0;
}
