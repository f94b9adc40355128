#include "bench_support.h"

#include "entry/FieldTable.h"
#include "entry/PaymentFragments.h"
#include "page/PageFragments.h"
#include "wizard/FieldReader.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <algorithm>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace quorra::bench {

using namespace Qt::StringLiterals;

namespace {

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

QProcessEnvironment childEnvironment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    if (!env.contains(u"QT_LOGGING_RULES"_s))
        env.insert(u"QT_LOGGING_RULES"_s, u"qt.qpa.*=false"_s);
    return env;
}

QString guidanceText(const QString& appFolder) {
    QString text;
    for (const QString& line : readDataFile(appFolder + u"/marlixhlp.dat"_s, 1 << 20).value_or(QStringList()))
        text += line + u"\r\n"_s;
    return text;
}

// The names a theme places, in the order of the field table: the hidden fields the window
// fills before generating, and the company's own fields on the steps before the products
// (the postage amount, the one amount among them, reaches the page only through txtPostage).
const QStringList& templateNames() {
    static const QStringList names = [] {
        QStringList list;
        for (const FieldSpec& field : fieldTable()) {
            const bool companyField = field.visibility == FieldVisibility::Shown &&
                                      field.panel < productPanel(1) && !field.amountOnly;
            if (field.visibility == FieldVisibility::Never || companyField)
                list.append(QString(field.name));
        }
        return list;
    }();
    return names;
}

} // namespace

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

void settleDisk() {
#ifdef Q_OS_UNIX
    ::sync();
#endif
}

QByteArray readProcFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

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

QHash<QString, QString> runChild(const QStringList& arguments, int timeoutMs) {
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

// ---------------------------------------------------------------------------------------
// The rich entry

QList<PageField> richEntry(const QString& appFolder, const QHash<QString, QString>& overrides) {
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
    // The texts go onto the heap, where the window's fields hold theirs, in the order of the
    // field table. Left in the program's literals, they would lie wherever an edit of the
    // benchmark puts its read-only data, which moved the generator's time on the shipped
    // themes by about a tenth.
    for (const FieldSpec& field : fieldTable()) {
        if (const auto it = text.find(QString(field.name)); it != text.end())
            it->detach();
    }
    for (auto it = overrides.cbegin(); it != overrides.cend(); ++it)
        text[it.key()] = it.value();

    for (auto it = text.cbegin(); it != text.cend(); ++it) {
        if (!findField(it.key()))
            say(u"WARNING: the entry fills %1, which the field table does not have"_s.arg(it.key()));
    }

    // What the window puts into the hidden fields before generating: VAT, postage per item,
    // and from the product texts and the accepted cards (all five) the rows and card tags.
    text[u"txtVAT"_s] = vatFragment(true);
    text[u"txtPostage"_s] = postageFragment(PostageType::Item, text.value(u"txtAmount"_s));
    QStringList allCards;
    for (const CardImage& card : cardImages())
        allCards.append(QString(card.card));
    const auto fieldText = [&text](const QString& name) { return text.value(name); };
    for (const PageField& fragment : pageFragments(fieldText, allCards))
        text[fragment.name] = fragment.text;

    QList<PageField> fields;
    for (const FieldSpec& field : fieldTable()) {
        const QString name(field.name);
        fields.append(PageField{name, text.value(name)});
    }
    return fields;
}

// ---------------------------------------------------------------------------------------
// The synthetic template

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

} // namespace quorra::bench
