// 2. The shipped themes: each theme of the catalogue generated with the rich entry, from
// memory to memory (the generator alone) and from file to file with the atomic save.

#include "bench_page.h"
#include "bench_support.h"

#include "page/PageWriter.h"
#include "wizard/FieldReader.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <vector>

namespace quorra::bench {

using namespace Qt::StringLiterals;

constexpr int ThemeRuns = 50;

bool shippedThemes(const QString& root, const QString& appFolder, const QList<PageField>& fields) {
    const auto catalogue = readDataFile(appFolder + u"/Theme.txt"_s, 16 << 20);
    if (!catalogue) {
        say(u"  no theme catalogue in "_s + appFolder);
        return false;
    }
    const QStringList themes = themeNames(*catalogue);
    const QString folder = root + u"/themes"_s;
    QDir().mkpath(folder);

    say(u""_s);
    say(u"2. Shipped themes, one rich entry (all fields, five products, VAT, all cards); %1 runs each"_s.arg(
        ThemeRuns));
    say(u"   "_s + left(u"theme"_s, 16) + col(u"template B"_s, 11) + col(u"page B"_s, 9) +
        col(u"memory ms"_s, 11) + col(u"file ms"_s, 10) + col(u"file min"_s, 10) + col(u"file max"_s, 10));
    bool allOk = true;
    for (const QString& theme : themes) {
        const QString source = templateFileName(appFolder, theme);
        const QString templ = templateFileName(folder, theme);
        QFile::remove(templ);
        QFile sourceFile(source);
        if (!sourceFile.open(QIODevice::ReadOnly) || !QFile::copy(source, templ)) {
            say(u"   "_s + left(theme, 16) + u"  template missing: "_s + source);
            allOk = false;
            continue;
        }
        const QByteArray templateBytes = sourceFile.readAll();

        // writePage from and to memory: the generator's work alone.
        std::vector<double> memoryMs;
        QByteArray pageBytes;
        for (int run = 0; run <= ThemeRuns; ++run) {
            QByteArray input = templateBytes;
            QBuffer in(&input);
            pageBytes.clear();
            QBuffer out(&pageBytes);
            in.open(QIODevice::ReadOnly);
            out.open(QIODevice::WriteOnly);
            QElapsedTimer clock;
            clock.start();
            const bool ok = writePage(in, out, fields).ok;
            const qint64 ns = clock.nsecsElapsed();
            if (!ok)
                allOk = false;
            if (run > 0) // the first run warms up
                memoryMs.push_back(toMs(ns));
        }

        // generatePageFile: template file to page file, the page saved atomically.
        std::vector<double> fileMs;
        for (int run = 0; run <= ThemeRuns; ++run) {
            QElapsedTimer clock;
            clock.start();
            const bool ok = generatePageFile(folder, theme, fields).ok;
            const qint64 ns = clock.nsecsElapsed();
            if (!ok)
                allOk = false;
            if (run > 0)
                fileMs.push_back(toMs(ns));
        }
        const QString page = pageFileName(folder, theme);
        QFile pageFile(page);
        if (!pageFile.open(QIODevice::ReadOnly) || pageFile.readAll() != pageBytes ||
            !pageBytes.contains("Harwood & Lane Garden Supplies"))
            say(u"   WARNING: the page of "_s + theme + u" is not the expected one"_s);
        say(u"   "_s + left(theme, 16) + col(QString::number(templateBytes.size()), 11) +
            col(QString::number(pageBytes.size()), 9) + col(num(median(memoryMs), 3), 11) +
            col(num(median(fileMs), 3), 10) +
            col(num(*std::min_element(fileMs.begin(), fileMs.end()), 3), 10) +
            col(num(*std::max_element(fileMs.begin(), fileMs.end()), 3), 10));
    }
    say(u"   (memory: writePage between two QBuffers; file: generatePageFile, including the atomic "
        u"save and its flush to the disk; medians)"_s);
    return allOk;
}

} // namespace quorra::bench
