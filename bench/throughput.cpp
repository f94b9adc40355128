// 1. Page generation throughput: a synthetic template of 50 MB generated with the rich
// entry, between plain files and with the atomic save, against plain and atomic copies of
// the template and of a file the page's size; best of three runs.

#include "bench_page.h"
#include "bench_support.h"

#include "page/PageWriter.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <functional>
#include <vector>

namespace quorra::bench {

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 ThroughputTemplateBytes = 50'000'000;
constexpr int ThroughputRuns = 3;
constexpr qint64 CopyBlock = 64 * 1024;

// Copies in 64 KiB blocks; bytes copied, or -1.
qint64 copyBlocks(QIODevice& in, QIODevice& out) {
    QByteArray block(CopyBlock, Qt::Uninitialized);
    qint64 total = 0;
    for (;;) {
        const qint64 n = in.read(block.data(), CopyBlock);
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        if (out.write(block.constData(), n) != n)
            return -1;
        total += n;
    }
    return total;
}

// A plain copy through QFile in 64 KiB blocks; bytes copied, or -1.
qint64 byteCopy(const QString& from, const QString& to) {
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ||
        !out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return -1;
    return copyBlocks(in, out);
}

// writePage between two plain files: the generator's own work without the atomic save.
bool plainWritePage(const QString& from, const QString& to, const QList<PageField>& fields) {
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ||
        !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return writePage(in, out, fields).ok && out.flush();
}

// The same copy, then flushed to the disk, as an atomic save does before its rename.
qint64 byteCopySynced(const QString& from, const QString& to) {
    QSaveFile out(to);
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || !out.open(QIODevice::WriteOnly))
        return -1;
    const qint64 total = copyBlocks(in, out);
    return total >= 0 && out.commit() ? total : -1;
}

struct Timed {
    QString label;
    std::function<bool()> run;
    QString output;   // removed before each run
    qint64 bytes = 0; // bytes read, when not the template's
    qint64 bestNs = -1;
};

} // namespace

bool throughput(const QString& root, const QList<PageField>& fields) {
    const QString folder = root + u"/throughput"_s;
    QDir().mkpath(folder);
    const QString theme = u"Synthetic"_s; // stem "Synthet"
    const QString templ = templateFileName(folder, theme);
    const QString page = pageFileName(folder, theme);
    const qint64 lines = writeSyntheticTemplate(templ, ThroughputTemplateBytes);
    if (lines < 0) {
        say(u"  could not write the synthetic template"_s);
        return false;
    }
    const qint64 size = QFileInfo(templ).size();
    const QString copy = folder + u"/copy.bin"_s;
    const QString synced = folder + u"/synced.bin"_s;
    const QString direct = folder + u"/direct.html"_s;
    // A page written beforehand, so that copying it shows what writing the page's bytes
    // alone costs.
    const QString pageSource = folder + u"/page-source.html"_s;
    const QString pageCopy = folder + u"/page-copy.bin"_s;
    const QString pageSynced = folder + u"/page-synced.bin"_s;
    if (!plainWritePage(templ, pageSource, fields)) {
        say(u"  could not write the page to copy"_s);
        return false;
    }
    const qint64 pageSize = QFileInfo(pageSource).size();

    std::vector<Timed> cases{
        {u"byte copy, QFile, 64 KiB blocks"_s, [&] { return byteCopy(templ, copy) == size; }, copy},
        {u"byte copy, atomic save (QSaveFile)"_s, [&] { return byteCopySynced(templ, synced) == size; },
         synced},
        {u"page-sized copy, QFile, 64 KiB blocks"_s,
         [&] { return byteCopy(pageSource, pageCopy) == pageSize; }, pageCopy, pageSize},
        {u"page-sized copy, atomic save"_s,
         [&] { return byteCopySynced(pageSource, pageSynced) == pageSize; }, pageSynced, pageSize},
        {u"writePage, QFile to QFile"_s, [&] { return plainWritePage(templ, direct, fields); }, direct},
        {u"generatePageFile (atomic save)"_s, [&] { return generatePageFile(folder, theme, fields).ok; },
         page},
    };

    byteCopy(templ, copy); // reads both sources once, so that every case finds them in the cache
    byteCopy(pageSource, pageCopy);
    for (int run = 0; run < ThroughputRuns; ++run) {
        for (Timed& c : cases) {
            QFile::remove(c.output);
            settleDisk();
            QElapsedTimer clock;
            clock.start();
            const bool ok = c.run();
            const qint64 ns = clock.nsecsElapsed();
            if (!ok) {
                say(u"  FAILED: "_s + c.label);
                return false;
            }
            if (c.bestNs < 0 || ns < c.bestNs)
                c.bestNs = ns;
        }
    }
    if (QFileInfo(direct).size() != pageSize || QFileInfo(page).size() != pageSize)
        say(u"  WARNING: writePage and generatePageFile wrote pages of different sizes"_s);

    say(u"1. Page generation throughput: synthetic template of %1 MB, %2 lines, a placeholder on every "
        u"third line; page %3 MB; best of %4 runs"_s.arg(num(toMB(size), 1))
            .arg(lines)
            .arg(num(toMB(pageSize), 1))
            .arg(ThroughputRuns));
    say(u"   "_s + left(u"case"_s, 38) + col(u"best ms"_s, 10) + col(u"MB/s"_s, 8) + col(u"vs copy"_s, 9) +
        col(u"vs atomic"_s, 11) + col(u"vs page copy"_s, 14) + col(u"vs atomic page"_s, 16));
    const auto ratio = [&](const Timed& c, std::size_t base) {
        return num(double(c.bestNs) / double(cases.at(base).bestNs), 2) + u"x"_s;
    };
    for (const Timed& c : cases) {
        const qint64 bytes = c.bytes > 0 ? c.bytes : size;
        say(u"   "_s + left(c.label, 38) + col(num(toMs(c.bestNs), 1), 10) +
            col(num(toMB(bytes) / (double(c.bestNs) / 1e9), 0), 8) + col(ratio(c, 0), 9) +
            col(ratio(c, 1), 11) + col(ratio(c, 2), 14) + col(ratio(c, 3), 16));
    }
    say(u"   (MB/s: bytes read per second, 1 MB = 10^6 bytes; \"vs\": how many times longer than the copy of "
        u"the template, its atomic save, the copy of a file the page's size and its atomic save)"_s);
    QFile::remove(pageSource);
    for (const Timed& c : cases)
        QFile::remove(c.output);
    QFile::remove(templ);
    return true;
}

} // namespace quorra::bench
