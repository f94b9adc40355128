// 3. Peak memory of generating one page: a 1 MB and a 100 MB synthetic template, and the
// Classic theme with a company history of a million characters. Each case runs in a fresh
// child (bench_page --memory-child), so that its high-water mark is its own.

#include "bench_page.h"
#include "bench_support.h"

#include "page/PageWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <vector>

namespace quorra::bench {

using namespace Qt::StringLiterals;

constexpr qint64 SmallTemplateBytes = 1'000'000;
constexpr qint64 LargeTemplateBytes = 100'000'000;
constexpr qsizetype LargeFieldChars = 1'000'000;

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
    const PageResult result = generatePageFile(folder, theme, fields);
    const qint64 after = procStatusKb("VmHWM");
    std::printf("ok=%d\nhwm_before_kb=%lld\nhwm_after_kb=%lld\npage_bytes=%lld\n", result.ok ? 1 : 0,
                static_cast<long long>(before), static_cast<long long>(after),
                static_cast<long long>(QFileInfo(pageFileName(folder, theme)).size()));
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
        const QString templ = templateFileName(c.folder, c.theme);
        const bool written = c.templateBytes > 0 ? writeSyntheticTemplate(templ, c.templateBytes) > 0
                                                 : QFile::copy(templateFileName(appFolder, c.theme), templ);
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

} // namespace quorra::bench
