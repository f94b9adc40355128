// bench_page: how fast the page generator runs, how much memory it takes, and how long the
// main window needs from its creation to its first paint. It prints one table; the figures
// and how to read them are in docs/performance.md.
//
//   bench_page [--app-folder DIR] [--only throughput|themes|memory|window|paste]
//
// The memory cases and the window case run in fresh child processes of this program
// (the same executable started with --memory-child or --window-child), so that each peak
// memory figure and the window's cold start belong to that case alone.

#include "entry/widgets/FieldControl.h"
#include "entry/FieldTable.h"
#include "entry/PaymentFragments.h"
#include "entry/TextRules.h"
#include "page/PageFragments.h"
#include "page/PageSubstituter.h"
#include "page/PageWriter.h"
#include "wizard/FieldReader.h"
#include "wizard/widgets/MainWindow.h"
#include "services/Services.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QThread>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

using namespace Qt::StringLiterals;
using quorra::PageField;

#ifndef QUORRA_APP_DIR
#define QUORRA_APP_DIR "."
#endif

constexpr qint64 ThroughputTemplateBytes = 50'000'000;
constexpr qint64 SmallTemplateBytes = 1'000'000;
constexpr qint64 LargeTemplateBytes = 100'000'000;
constexpr qsizetype LargeFieldChars = 1'000'000;
constexpr int ThroughputRuns = 3;
constexpr int ThemeRuns = 50;
constexpr int WindowRounds = 15;
constexpr qint64 CopyBlock = 64 * 1024;

// ---------------------------------------------------------------------------------------
// Small helpers

void say(QString text) {
    while (text.endsWith(u' '))
        text.chop(1);
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

double toMs(qint64 ns) {
    return double(ns) / 1e6;
}

double toMB(qint64 bytes) {
    return double(bytes) / 1e6;
}

QString num(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

// Right-aligned in width characters.
QString col(const QString& text, int width) {
    return text.rightJustified(width);
}

QString left(const QString& text, int width) {
    return text.leftJustified(width);
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Lets written pages of an earlier run reach the disk before the next run is timed.
void settleDisk() {
#ifdef Q_OS_UNIX
    ::sync();
#endif
}

// Files under /proc report a size of 0, so they are read to their end in one go.
QByteArray readProcFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// A line of /proc/self/status such as "VmHWM:     5124 kB", in kB; -1 when unknown.
qint64 procStatusKb(const QByteArray& key) {
    for (const QByteArray& line : readProcFile(u"/proc/self/status"_s).split('\n')) {
        if (line.startsWith(key + ':')) {
            const QList<QByteArray> words = line.mid(key.size() + 1).simplified().split(' ');
            return words.isEmpty() ? -1 : words.first().toLongLong();
        }
    }
    return -1;
}

QString cpuModel() {
    for (const QByteArray& line : readProcFile(u"/proc/cpuinfo"_s).split('\n')) {
        if (line.startsWith("model name"))
            return QString::fromLatin1(line.mid(line.indexOf(':') + 1).trimmed());
    }
    return u"unknown CPU"_s;
}

// key=value lines, as the child processes print them.
QHash<QString, QString> parseReport(const QByteArray& output) {
    QHash<QString, QString> values;
    for (const QByteArray& raw : output.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0)
            values.insert(line.left(eq), line.mid(eq + 1));
    }
    return values;
}

// ---------------------------------------------------------------------------------------
// The entry: every field of the window, filled as a shop with five products would fill it

QString guidanceText(const QString& appFolder) {
    QFile help(appFolder + u"/marlixhlp.dat"_s);
    if (!help.open(QIODevice::ReadOnly))
        return {};
    QString text;
    for (const QString& line : quorra::readFieldsFromBytes(help.readAll()))
        text += line + u"\r\n"_s;
    return text;
}

// The (name, text) pairs in the order of the field table, as the window hands them to the
// generator after building the product rows and the card images.
QList<PageField> richEntry(const QString& appFolder, const QHash<QString, QString>& overrides = {}) {
    QHash<QString, QString> text;
    text[u"txtCompanyName"_s] = u"Harwood & Lane Garden Supplies Ltd"_s;
    text[u"txtCompanyAddress"_s] =
        u"Unit 4, Millbrook Trading Estate\r\nStation Road\r\nKettering\r\nNorthamptonshire NN16 8XY"_s;
    text[u"txtCompanyTelephone"_s] = u"01536 412 780"_s;
    text[u"txtCompanyFax"_s] = u"01536 412 781"_s;
    text[u"txtContactName"_s] = u"Margaret Ellison"_s;
    text[u"txtEmailAddress"_s] = u"orders@harwoodlane.example.co.uk"_s;
    text[u"txtMissionStatement"_s] =
        u"Good tools, honest seed and friendly advice for every gardener, from a window box to a "
        u"walled kitchen garden.\r\nOrders over \u00a350 travel free; our caf\u00e9 at the nursery "
        u"is open every day but Monday."_s;
    text[u"txtCompanyHistory"_s] =
        u"Harwood & Lane began in 1968 as a market stall selling seedlings on Kettering market, run "
        u"by Tom Harwood and his neighbour Edith Lane.\r\n\r\nIn 1979 they took the lease of the old "
        u"railway goods yard on Station Road and built the first glasshouses, where the nursery still "
        u"grows most of its bedding plants.\r\n\r\nThe mail order catalogue followed in 1986 and soon "
        u"reached customers all over the country; the shop on Millbrook Trading Estate opened in 1994 "
        u"with a tool hire counter and a seed room that keeps more than six hundred varieties.\r\n\r\n"
        u"Today the second generation of both families runs the business with a staff of twenty-two, "
        u"and every order is still packed by hand in the same building where the first catalogue was "
        u"printed.\r\n\r\nWe test every tool we sell in our own trial beds and publish the results, good "
        u"and bad, in the spring and autumn newsletters."_s;
    text[u"txtCompanyLogo"_s] = u"C:\\My Pictures\\Harwood\\logo.gif"_s;
    text[u"txtPicture1"_s] = u"C:\\My Pictures\\Harwood\\glasshouses.jpg"_s;
    text[u"txtPicture2"_s] = u"C:\\My Pictures\\Harwood\\shop-front.jpg"_s;
    text[u"txtAmount"_s] = u"2.5"_s;
    text[u"txtDespatch"_s] = u"Orders received by noon are sent the same day by first class post.\r\n"
                             u"Plants travel on Mondays to Wednesdays only, so that they never wait in a "
                             u"depot over a weekend.\r\nPlease allow ten days for seed potatoes."_s;
    text[u"txtHelp"_s] = guidanceText(appFolder);

    const QStringList products{u"Stainless border spade"_s, u"Ash-handled hand fork"_s,
                               u"Heritage tomato seed collection"_s, u"Galvanised watering can, 10 litre"_s,
                               u"Cedar cold frame"_s};
    const QStringList prices{u"34.99"_s, u"12.50"_s, u"7.95"_s, u"28.00"_s, u"149.00"_s};
    for (int n = 1; n <= 5; ++n) {
        const QString i = QString::number(n);
        text[u"txtProCode"_s + i] = u"HL-10"_s + i + u"7"_s;
        text[u"txtProDesc"_s + i] = products.at(n - 1) +
                                    u".\r\nMade to last, with a ten-year guarantee; delivered in recycled "
                                    u"packaging.\r\nSee the newsletter for our trial-bed report."_s;
        text[u"txtProPrice"_s + i] = prices.at(n - 1);
        text[u"txtProPicture"_s + i] = u"C:\\My Pictures\\Harwood\\product-"_s + i + u".jpg"_s;
    }
    for (auto it = overrides.cbegin(); it != overrides.cend(); ++it)
        text[it.key()] = it.value();

    // What GeneratePage puts into the hidden fields.
    for (int n = 1; n <= 5; ++n) {
        const QString i = QString::number(n);
        text[u"txtPurchase"_s + i] =
            quorra::productRow(n, text.value(u"txtProCode"_s + i), text.value(u"txtProDesc"_s + i),
                               text.value(u"txtProPrice"_s + i), text.value(u"txtProPicture"_s + i));
    }
    text[u"txtVAT"_s] = quorra::vatFragment(true);
    text[u"txtPostage"_s] = quorra::postageFragment(quorra::PostageType::Item, text.value(u"txtAmount"_s));
    for (const quorra::CardImage& card : quorra::cardImages())
        text[QString(card.field)] = QString(card.tag);

    QList<PageField> fields;
    for (const auto& entry : quorra::fieldTable()) {
        const QString name(entry.name);
        fields.append(PageField{name, text.value(name)});
    }
    return fields;
}

// ---------------------------------------------------------------------------------------
// Synthetic templates

// The names a theme may use, as the shipped themes place them.
const QStringList& templateNames() {
    static const QStringList names{
        u"txtCompanyName"_s,
        u"txtCompanyAddress"_s,
        u"txtCompanyTelephone"_s,
        u"txtCompanyFax"_s,
        u"txtContactName"_s,
        u"txtEmailAddress"_s,
        u"txtMissionStatement"_s,
        u"txtCompanyHistory"_s,
        u"txtCompanyLogo"_s,
        u"txtPicture1"_s,
        u"txtPicture2"_s,
        u"txtPurchase1"_s,
        u"txtPurchase2"_s,
        u"txtPurchase3"_s,
        u"txtPurchase4"_s,
        u"txtPurchase5"_s,
        u"txtVAT"_s,
        u"txtPostage"_s,
        u"txtAccess"_s,
        u"txtAmex"_s,
        u"txtDelta"_s,
        u"txtSwitch"_s,
        u"txtVisa"_s,
    };
    return names;
}

// Writes about targetBytes of HTML with CR LF line ends; every third line holds one
// placeholder in its markup, the others are ordinary markup, text and style rules.
// Returns the number of lines, or -1.
qint64 writeSyntheticTemplate(const QString& path, qint64 targetBytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return -1;
    const QStringList& names = templateNames();
    QByteArray chunk;
    chunk.reserve(1 << 20);
    qint64 written = 0;
    qint64 placeholders = 0;
    qint64 line = 0;
    for (; written + chunk.size() < targetBytes; ++line) {
        const QByteArray n = QByteArray::number(line);
        if (line % 3 == 2) {
            const QByteArray name = names.at(qsizetype(placeholders++ % names.size())).toLatin1();
            chunk += "      <p class=\"field f" + n + "\">" + name + "</p>";
        } else {
            switch ((line / 3 + line) % 4) {
            case 0:
                chunk += "    <div class=\"row r" + n + "\"><span class=\"label\">Item " + n +
                         "</span> <span class=\"value\">Garden tools, seeds and bulbs</span></div>";
                break;
            case 1:
                chunk += "    <p class=\"note\">Paragraph " + n + " of ordinary text, with <a href=\"page" +
                         n + ".html\">a link</a> and a few more words.</p>";
                break;
            case 2:
                chunk += "  .block-" + n +
                         " { margin: 0 0 12px; padding: 6px 10px; border-left: 3px solid #c9a227; }";
                break;
            default:
                chunk += "    <li><a href=\"#section-" + n + "\">Section " + n + "</a></li>";
                break;
            }
        }
        chunk += "\r\n";
        if (chunk.size() >= (1 << 20) - 512) {
            if (file.write(chunk) != chunk.size())
                return -1;
            written += chunk.size();
            chunk.resize(0);
        }
    }
    if (!chunk.isEmpty() && file.write(chunk) != chunk.size())
        return -1;
    return file.flush() ? line : -1;
}

// ---------------------------------------------------------------------------------------
// 1. Throughput

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
    return quorra::writePage(in, out, fields).ok && out.flush();
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

bool throughput(const QString& root, const QList<PageField>& fields) {
    const QString folder = root + u"/throughput"_s;
    QDir().mkpath(folder);
    const QString theme = u"Synthetic"_s; // stem "Synthet"
    const QString templ = quorra::templateFileName(folder, theme);
    const QString page = quorra::pageFileName(folder, theme);
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
        {u"generatePageFile (atomic save)"_s,
         [&] { return quorra::generatePageFile(folder, theme, fields).ok; }, page},
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

// ---------------------------------------------------------------------------------------
// 2. Shipped themes

bool shippedThemes(const QString& root, const QString& appFolder, const QList<PageField>& fields) {
    QFile catalogue(appFolder + u"/Theme.txt"_s);
    if (!catalogue.open(QIODevice::ReadOnly)) {
        say(u"  no theme catalogue in "_s + appFolder);
        return false;
    }
    const QStringList themes = quorra::themeNames(quorra::readFieldsFromBytes(catalogue.readAll()));
    const QString folder = root + u"/themes"_s;
    QDir().mkpath(folder);

    say(u""_s);
    say(u"2. Shipped themes, one rich entry (all fields, five products, VAT, all cards); %1 runs each"_s.arg(
        ThemeRuns));
    say(u"   "_s + left(u"theme"_s, 16) + col(u"template B"_s, 11) + col(u"page B"_s, 9) +
        col(u"memory ms"_s, 11) + col(u"file ms"_s, 10) + col(u"file min"_s, 10) + col(u"file max"_s, 10));
    bool allOk = true;
    for (const QString& theme : themes) {
        const QString source = quorra::templateFileName(appFolder, theme);
        const QString templ = quorra::templateFileName(folder, theme);
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
            const bool ok = quorra::writePage(in, out, fields).ok;
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
            const bool ok = quorra::generatePageFile(folder, theme, fields).ok;
            const qint64 ns = clock.nsecsElapsed();
            if (!ok)
                allOk = false;
            if (run > 0)
                fileMs.push_back(toMs(ns));
        }
        const QString page = quorra::pageFileName(folder, theme);
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

// ---------------------------------------------------------------------------------------
// 3. Peak memory, each case in a fresh child process

QProcessEnvironment childEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    if (!env.contains(u"QT_LOGGING_RULES"_s))
        env.insert(u"QT_LOGGING_RULES"_s, u"qt.qpa.*=false"_s);
    return env;
}

QHash<QString, QString> runChild(const QStringList& arguments, int timeoutMs = 120000) {
    QProcess child;
    child.setProcessEnvironment(childEnvironment());
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(timeoutMs)) {
        child.kill();
        child.waitForFinished();
        return {{u"error"_s, u"child timed out"_s}};
    }
    QHash<QString, QString> report = parseReport(child.readAllStandardOutput());
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        // Qt's warnings (the offscreen platform has a few) are shown only when a case failed.
        std::fputs(child.readAllStandardError().constData(), stderr);
        report.insert(u"error"_s, u"child failed (exit code %1)"_s.arg(child.exitCode()));
    }
    return report;
}

// In the child: builds the entry, notes the high-water mark, generates, notes it again.
int memoryChild(const QStringList& args) {
    if (args.size() < 4)
        return 2;
    const QString appFolder = args.at(0);
    const QString folder = args.at(1);
    const QString theme = args.at(2);
    const qsizetype fieldChars = args.at(3).toLongLong();

    QHash<QString, QString> overrides;
    if (fieldChars > 0) {
        // A company history of fieldChars characters: lines of text, each ending in CR LF.
        const QString line = u"The nursery grows most of its bedding plants under glass on Station Road."_s;
        QString history;
        history.reserve(fieldChars + 100);
        while (history.size() < fieldChars) {
            history += line;
            history += u" +++\r\n"_s;
        }
        history.truncate(fieldChars - 1);
        history += u'.';
        overrides.insert(u"txtCompanyHistory"_s, history);
    }
    const QList<PageField> fields = richEntry(appFolder, overrides);
    const qint64 before = procStatusKb("VmHWM");
    const quorra::PageResult result = quorra::generatePageFile(folder, theme, fields);
    const qint64 after = procStatusKb("VmHWM");
    std::printf("ok=%d\nhwm_before_kb=%lld\nhwm_after_kb=%lld\npage_bytes=%lld\n", result.ok ? 1 : 0,
                static_cast<long long>(before), static_cast<long long>(after),
                static_cast<long long>(QFileInfo(quorra::pageFileName(folder, theme)).size()));
    if (!result.ok)
        std::printf("message=%s\n", result.error.toUtf8().constData());
    return result.ok ? 0 : 1;
}

bool peakMemory(const QString& root, const QString& appFolder) {
    struct Case {
        QString label;
        QString folder;
        QString theme;
        qint64 templateBytes; // synthetic template of this size, or 0 for the shipped Classic
        qsizetype fieldChars;
    };
    const std::vector<Case> cases{
        {u"1 MB template, ordinary lines"_s, root + u"/memory-1"_s, u"Synthetic"_s, SmallTemplateBytes, 0},
        {u"100 MB template, ordinary lines"_s, root + u"/memory-100"_s, u"Synthetic"_s, LargeTemplateBytes,
         0},
        {u"Classic, 1 MB company history"_s, root + u"/memory-text"_s, u"Classic blue"_s, 0, LargeFieldChars},
    };

    say(u""_s);
    say(u"3. Peak memory (VmHWM of a fresh child process; before = after start-up and the entry, "
        u"peak = after generating)"_s);
    say(u"   "_s + left(u"case"_s, 34) + col(u"template MB"_s, 12) + col(u"page MB"_s, 9) +
        col(u"before MiB"_s, 11) + col(u"peak MiB"_s, 10) + col(u"growth MiB"_s, 12));
    bool allOk = true;
    for (const Case& c : cases) {
        QDir().mkpath(c.folder);
        const QString templ = quorra::templateFileName(c.folder, c.theme);
        const bool written = c.templateBytes > 0
                                 ? writeSyntheticTemplate(templ, c.templateBytes) > 0
                                 : QFile::copy(quorra::templateFileName(appFolder, c.theme), templ);
        if (!written) {
            say(u"   "_s + left(c.label, 34) + u"  could not prepare the template"_s);
            allOk = false;
            continue;
        }
        settleDisk();
        const QHash<QString, QString> r =
            runChild({u"--memory-child"_s, appFolder, c.folder, c.theme, QString::number(c.fieldChars)});
        if (r.contains(u"error"_s) || r.value(u"ok"_s) != u"1"_s) {
            say(u"   "_s + left(c.label, 34) + u"  FAILED: "_s + r.value(u"error"_s) + u" "_s +
                r.value(u"message"_s));
            allOk = false;
        } else {
            const double before = r.value(u"hwm_before_kb"_s).toDouble() / 1024;
            const double after = r.value(u"hwm_after_kb"_s).toDouble() / 1024;
            say(u"   "_s + left(c.label, 34) + col(num(toMB(QFileInfo(templ).size()), 3), 12) +
                col(num(toMB(r.value(u"page_bytes"_s).toLongLong()), 1), 9) + col(num(before, 1), 11) +
                col(num(after, 1), 10) + col(num(after - before, 1), 12));
        }
        QDir(c.folder).removeRecursively();
    }
    return allOk;
}

// ---------------------------------------------------------------------------------------
// 4. Main window to first paint, in a child process on the offscreen platform

class QuietMessages : public quorra::MessageService {
public:
    quorra::MessageAnswer show(const QString&, const QString&, quorra::MessageButtons, quorra::MessageIcon,
                               quorra::MessageAnswer) override {
        ++shown;
        return quorra::MessageAnswer::Ok;
    }
    int shown = 0;
};

class NoCursor : public quorra::CursorService {
public:
    void setWaitCursor() override {}
    void restoreCursor() override {}
};

class NoFileDialog : public quorra::FileDialogService {
public:
    QString chooseFile(const QString&, const QString&) override { return {}; }
};

class NoLauncher : public quorra::ProgramLauncher {
public:
    bool startDetached(const QString&, const QStringList&) override { return false; }
};

class NoPrinter : public quorra::PrinterService {
public:
    bool printLine(const QString&) override { return true; }
    bool endDocument() override { return true; }
    void abortDocument() override {}
};

// Notes when the watched window receives its first paint event.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget* window, const QElapsedTimer& clock)
        : m_window(window)
        , m_clock(clock) {
        window->installEventFilter(this);
    }
    bool painted() const { return m_paintNs >= 0; }
    qint64 paintNs() const { return m_paintNs; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Paint && m_paintNs < 0)
            m_paintNs = m_clock.nsecsElapsed();
        return false;
    }

private:
    QWidget* m_window;
    const QElapsedTimer& m_clock;
    qint64 m_paintNs = -1;
};

struct WindowTiming {
    qint64 createdNs = 0; // constructor returned
    qint64 loadedNs = 0;  // Form_Load returned (the bare widget has none)
    qint64 paintNs = 0;   // first paint event of the window arrived
    qint64 frameNs = 0;   // the event processing that painted the window returned
    bool painted = false;
};

// From the creation of a window to the end of its first painted frame.
WindowTiming timeFirstPaint(const std::function<std::unique_ptr<QWidget>()>& create,
                            const std::function<void(QWidget&)>& load) {
    WindowTiming t;
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QWidget> window = create();
    t.createdNs = clock.nsecsElapsed();
    if (load)
        load(*window);
    t.loadedNs = clock.nsecsElapsed();
    FirstPaint watch(window.get(), clock);
    window->show();
    const QDeadlineTimer deadline(10000);
    while (!watch.painted() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    t.frameNs = clock.nsecsElapsed();
    t.paintNs = watch.paintNs();
    t.painted = watch.painted();
    window->removeEventFilter(&watch);
    window.reset();
    // Whatever the closed window left to do happens now, not in the next measurement.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QDeadlineTimer settle(30);
    while (!settle.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return t;
}

int windowChild(const QString& appFolder) {
    QuietMessages messages;
    NoCursor cursor;
    NoFileDialog fileDialog;
    NoLauncher launcher;
    NoPrinter printer;
    const quorra::Services services{messages, cursor, fileDialog, launcher, printer};

    // The platform's first window (the splash in the program): shown and painted once,
    // so that neither measured window pays for starting the window system and the style.
    timeFirstPaint(
        [] {
            auto w = std::make_unique<QWidget>();
            auto* layout = new QVBoxLayout(w.get());
            layout->addWidget(new QLabel(u"Loading"_s));
            layout->addWidget(new QPushButton(u"OK"_s));
            w->resize(300, 150);
            return w;
        },
        {});

    QSize size;
    const auto createMain = [&] {
        auto w = std::make_unique<quorra::MainWindow>(services, appFolder);
        size = w->size();
        return std::unique_ptr<QWidget>(std::move(w));
    };
    const auto loadMain = [](QWidget& w) { static_cast<quorra::MainWindow&>(w).Form_Load(); };
    const auto createBare = [&] {
        auto w = std::make_unique<QWidget>();
        w->resize(size);
        return w;
    };

    const WindowTiming cold = timeFirstPaint(createMain, loadMain);
    const WindowTiming coldBare = timeFirstPaint(createBare, {});
    std::vector<double> bare, main, create, load, show;
    bool painted = cold.painted && coldBare.painted;
    for (int round = 0; round < WindowRounds; ++round) {
        const WindowTiming b = timeFirstPaint(createBare, {});
        const WindowTiming m = timeFirstPaint(createMain, loadMain);
        painted = painted && b.painted && m.painted;
        bare.push_back(toMs(b.frameNs));
        main.push_back(toMs(m.frameNs));
        create.push_back(toMs(m.createdNs));
        load.push_back(toMs(m.loadedNs - m.createdNs));
        show.push_back(toMs(m.frameNs - m.loadedNs));
    }
    std::printf("platform=%s\nsize=%dx%d\npainted=%d\nmessages=%d\n",
                QGuiApplication::platformName().toUtf8().constData(), size.width(), size.height(),
                painted ? 1 : 0, messages.shown);
    std::printf(
        "cold_main_ms=%.3f\ncold_main_create_ms=%.3f\ncold_main_load_ms=%.3f\ncold_main_show_ms=%.3f\n",
        toMs(cold.frameNs), toMs(cold.createdNs), toMs(cold.loadedNs - cold.createdNs),
        toMs(cold.frameNs - cold.loadedNs));
    std::printf("cold_main_paint_event_ms=%.3f\ncold_bare_ms=%.3f\n", toMs(cold.paintNs),
                toMs(coldBare.frameNs));
    std::printf("bare_min_ms=%.3f\nmain_min_ms=%.3f\n", *std::min_element(bare.begin(), bare.end()),
                *std::min_element(main.begin(), main.end()));
    std::printf("bare_ms=%.3f\nmain_ms=%.3f\nmain_create_ms=%.3f\nmain_load_ms=%.3f\nmain_show_ms=%.3f\n",
                median(bare), median(main), median(create), median(load), median(show));
    return painted ? 0 : 1;
}

bool firstPaint(const QString& appFolder) {
    say(u""_s);
    say(u"4. Main window, creation to first paint (its Form_Load included, no splash), offscreen "
        u"platform, fresh child process"_s);
    const QHash<QString, QString> r = runChild({u"--window-child"_s, appFolder});
    if (r.contains(u"error"_s)) {
        say(u"   FAILED: "_s + r.value(u"error"_s));
        return false;
    }
    const auto ms = [&](const QString& key) { return r.value(key).toDouble(); };
    say(u"   platform %1, window %2 px, median of %3 rounds after the first"_s.arg(r.value(u"platform"_s))
            .arg(r.value(u"size"_s))
            .arg(WindowRounds));
    const auto row = [&](const QString& label, const QString& first, const QString& median,
                         const QString& min, const QString& ratio) {
        say(u"   "_s + left(label, 34) + col(first, 10) + col(median, 11) + col(min, 9) + col(ratio, 9));
    };
    const auto f = [&](const QString& key) { return r.contains(key) ? num(ms(key), 2) : QString(); };
    row(u"case"_s, u"first ms"_s, u"median ms"_s, u"min ms"_s, u"ratio"_s);
    row(u"bare QWidget, same size"_s, f(u"cold_bare_ms"_s), f(u"bare_ms"_s), f(u"bare_min_ms"_s), u"1.0x"_s);
    row(u"MainWindow, create + load + show"_s, f(u"cold_main_ms"_s), f(u"main_ms"_s), f(u"main_min_ms"_s),
        num(ms(u"main_ms"_s) / ms(u"bare_ms"_s), 1) + u"x"_s);
    row(u"  of it: constructor"_s, f(u"cold_main_create_ms"_s), f(u"main_create_ms"_s), {}, {});
    row(u"  of it: Form_Load"_s, f(u"cold_main_load_ms"_s), f(u"main_load_ms"_s), {}, {});
    row(u"  of it: show to painted frame"_s, f(u"cold_main_show_ms"_s), f(u"main_show_ms"_s), {}, {});
    say(u"   (ratio: MainWindow median / bare QWidget median; the first MainWindow of the process "
        u"against the bare median: %1x)"_s.arg(num(ms(u"cold_main_ms"_s) / ms(u"bare_ms"_s), 1)));
    if (r.value(u"messages"_s) != u"0"_s)
        say(u"   WARNING: the window showed %1 message box(es) while loading"_s.arg(r.value(u"messages"_s)));
    return r.value(u"painted"_s) == u"1"_s;
}

// ---------------------------------------------------------------------------------------
// 5. A megabyte pasted into a field, in a child process on the offscreen platform

constexpr qsizetype PasteChars = 1'000'000;

// A megabyte without a space, or a megabyte of words, as one line.
QString pasteText(bool words) {
    if (!words)
        return QString(PasteChars, u'x');
    QString text;
    text.reserve(PasteChars + 100);
    while (text.size() < PasteChars)
        text += u"Good tools and honest seed for every gardener, from a window box to a walled garden. "_s;
    text.truncate(PasteChars);
    return text;
}

void sendKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(widget, &press);
    QCoreApplication::sendEvent(widget, &release);
}

// Pastes text into the field with the clipboard, as Ctrl+V does, and paints it; then lets
// the events the paste left run, moves to the end with Ctrl+End and types one letter,
// painting after each. Prints the milliseconds of each step and whether the text is whole.
void timePaste(const QString& key, const QString& fieldName, const QString& text) {
    const quorra::FieldSpec* fieldDef = quorra::findField(fieldName);
    QWidget window;
    window.resize(489, 270);
    quorra::FieldControl control(*fieldDef, &window);
    QWidget* w = control.widget();
    w->move(8, 8);
    window.show();
    const QDeadlineTimer exposed(5000);
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) && !exposed.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    w->setFocus();
    QGuiApplication::clipboard()->setText(text);
    QCoreApplication::processEvents();

    QElapsedTimer clock;
    const auto step = [&](const char* name, const std::function<void()>& work) {
        clock.start();
        work();
        w->repaint();
        std::printf("%s_%s_ms=%.1f\n", key.toUtf8().constData(), name, toMs(clock.nsecsElapsed()));
        std::fflush(stdout);
    };
    step("paste", [&] {
        if (control.lineEdit())
            control.lineEdit()->paste();
        else
            control.textEdit()->paste();
    });
    step("queued", [] { QCoreApplication::processEvents(); });
    step("end", [&] { sendKey(w, Qt::Key_End, Qt::ControlModifier); });
    step("type", [&] { sendKey(w, Qt::Key_A, Qt::NoModifier, u"a"_s); });
    std::printf("%s_whole=%d\n", key.toUtf8().constData(), control.text() == text + u"a"_s ? 1 : 0);
}

int pasteChild() {
    const QString line = pasteText(false);
    const QString words = pasteText(true);
    timePaste(u"multi_line"_s, u"txtCompanyHistory"_s, line);
    timePaste(u"multi_words"_s, u"txtCompanyHistory"_s, words);
    timePaste(u"single_line"_s, u"txtPicture1"_s, line);
    timePaste(u"single_words"_s, u"txtPicture1"_s, words);
    return 0;
}

bool pasteIntoFields(const QString& appFolder) {
    say(u""_s);
    say(u"5. One megabyte pasted into a field and painted, offscreen platform, fresh child process"_s);
    const QHash<QString, QString> r = runChild({u"--paste-child"_s, appFolder}, 300000);
    say(u"   "_s + left(u"case"_s, 40) + col(u"paste ms"_s, 10) + col(u"queued ms"_s, 10) +
        col(u"Ctrl+End"_s, 10) + col(u"type ms"_s, 9) + col(u"whole"_s, 7));
    const std::vector<std::pair<QString, QString>> cases{
        {u"multi_line"_s, u"multi-line (txtCompanyHistory), no space"_s},
        {u"multi_words"_s, u"multi-line (txtCompanyHistory), words"_s},
        {u"single_line"_s, u"single-line (txtPicture1), no space"_s},
        {u"single_words"_s, u"single-line (txtPicture1), words"_s},
    };
    bool ok = !r.contains(u"error"_s);
    for (const auto& [key, label] : cases) {
        const auto f = [&](const char* step) {
            const QString v = r.value(key + u'_' + QLatin1StringView(step) + u"_ms"_s);
            return v.isEmpty() ? u"-"_s : num(v.toDouble(), 1);
        };
        const QString whole = r.value(key + u"_whole"_s);
        ok = ok && whole == u"1"_s;
        say(u"   "_s + left(label, 40) + col(f("paste"), 10) + col(f("queued"), 10) + col(f("end"), 10) +
            col(f("type"), 9) +
            col(whole == u"1"_s   ? u"yes"_s
                : whole.isEmpty() ? u"-"_s
                                  : u"NO"_s,
                7));
    }
    if (r.contains(u"error"_s))
        say(u"   FAILED: "_s + r.value(u"error"_s));
    say(u"   (each step ends with the field repainted; queued: the events the paste left, run at once)"_s);
    return ok;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc >= 2 && qstrcmp(argv[1], "--window-child") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        const QStringList args = QCoreApplication::arguments();
        return windowChild(args.size() > 2 ? args.at(2) : QString::fromUtf8(QUORRA_APP_DIR));
    }
    if (argc >= 2 && qstrcmp(argv[1], "--paste-child") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return pasteChild();
    }
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    if (args.size() >= 2 && args.at(1) == u"--memory-child"_s)
        return memoryChild(args.mid(2));

    QString appFolder = QString::fromUtf8(QUORRA_APP_DIR);
    if (const qsizetype at = args.indexOf(u"--app-folder"_s); at > 0 && at + 1 < args.size())
        appFolder = args.at(at + 1);
    appFolder = QDir(appFolder).absolutePath();

    QElapsedTimer total;
    total.start();
    say(u"bench_page: Qt %1, %2 logical CPUs, %3"_s.arg(QString::fromLatin1(qVersion()))
            .arg(QThread::idealThreadCount())
            .arg(cpuModel()));
    say(u"load average at start: "_s +
        QString::fromLatin1(readProcFile(u"/proc/loadavg"_s).split(' ').mid(0, 3).join(' ')));
    say(u"application folder: "_s + appFolder);

    QTemporaryDir dir;
    if (!dir.isValid()) {
        say(u"could not create a temporary folder"_s);
        return 1;
    }
    say(u"work folder: "_s + dir.path());
    say(u""_s);

    // --only NAME runs one section.
    QString only;
    if (const qsizetype at = args.indexOf(u"--only"_s); at > 0 && at + 1 < args.size())
        only = args.at(at + 1);
    const auto wanted = [&only](const QString& section) { return only.isEmpty() || only == section; };

    const QList<PageField> fields = richEntry(appFolder);
    bool ok = true;
    if (wanted(u"throughput"_s))
        ok = throughput(dir.path(), fields) && ok;
    if (wanted(u"themes"_s))
        ok = shippedThemes(dir.path(), appFolder, fields) && ok;
    if (wanted(u"memory"_s))
        ok = peakMemory(dir.path(), appFolder) && ok;
    if (wanted(u"window"_s))
        ok = firstPaint(appFolder) && ok;
    if (wanted(u"paste"_s))
        ok = pasteIntoFields(appFolder) && ok;

    say(u""_s);
    say(u"total %1 s"_s.arg(num(double(total.elapsed()) / 1000, 1)));
    return ok ? 0 : 1;
}
