#include "page/PageWriter.h"

#include "entry/TextRules.h"
#include "page/ByteSearch.h"
#include "page/PageOutput.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

namespace quorra {

namespace {

using namespace Qt::StringLiterals;

// "The template "/a/Classic.txt" could not be opened: No such file or directory."
QString failure(const QString& what, const QString& name, const QString& action, QString reason) {
    if (reason.isEmpty())
        reason = u"unknown error"_s;
    QString text = what;
    if (!name.isEmpty())
        text += u" \""_s + name + u'"';
    text += u" could not be "_s + action + u": "_s + reason;
    if (!text.endsWith(u'.'))
        text += u'.';
    return text;
}

PageResult failed(QString error) {
    return PageResult{false, std::move(error)};
}

bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// The part of a line from a place of the names' common start to the line's end, which
// field fills it, and where the next line begins.
struct LineRest {
    QByteArrayView bytes;
    PageSubstituter::Match match;
    qsizetype next = 0;
};

LineRest lineRest(QByteArrayView lines, qsizetype at, const PageSubstituter& substituter,
                  QByteArrayView start) {
    // Mostly the start stands once in a line: then its end is found in the same search.
    const qsizetype stop = findLineEndOrBytes(lines, at + 1, start);
    const bool once = isLineEnd(lines[stop]);
    const qsizetype end = once ? stop : findLineEnd(lines, stop);
    const QByteArrayView bytes = lines.sliced(at, end - at);
    return LineRest{bytes, once ? substituter.matchAtStart(bytes) : substituter.match(bytes),
                    afterLineEnd(lines, end)};
}

// Puts a run of whole lines into the page. Stretches of lines that end in CR LF and that
// no field fills are put as they stand; the other lines are filled in and end in CR LF.
// start: the names' common start, which every name that fills a line holds; empty, only
// the line ends are looked at. The part of a line before the first place of the start is
// never changed.
void putLines(QByteArrayView lines, const PageSubstituter& substituter, QByteArrayView start,
              PageOutput& out) {
    qsizetype copied = 0; // the lines before it are in the page
    qsizetype from = 0;   // the search goes on from here
    for (;;) {
        const qsizetype found = findOddLineEndOrBytes(lines, from, start);
        if (found < 0)
            break;
        if (isLineEnd(lines[found])) {
            out.put(lines.sliced(copied, found - copied));
            out.put("\r\n");
            copied = from = found + 1;
            continue;
        }
        const LineRest rest = lineRest(lines, found, substituter, start);
        if (rest.match.entry < 0) {
            from = found + rest.bytes.size(); // an odd end of the line is found next
            continue;
        }
        out.put(lines.sliced(copied, found - copied));
        substituter.putFilled(rest.bytes, rest.match, [&out](QByteArrayView bytes) { out.put(bytes); });
        out.put("\r\n");
        copied = from = rest.next;
    }
    out.put(lines.sliced(copied));
}

// Puts a run of whole lines into the page one by one, each filled in and ending in CR LF:
// for names that share no start.
void putEachLine(QByteArrayView lines, const PageSubstituter& substituter, PageOutput& out) {
    for (qsizetype at = 0; at < lines.size();) {
        const qsizetype end = findLineEnd(lines, at);
        const QByteArrayView line = lines.sliced(at, end - at);
        substituter.putFilled(line, substituter.match(line),
                              [&out](QByteArrayView bytes) { out.put(bytes); });
        out.put("\r\n");
        at = afterLineEnd(lines, end);
    }
}

// writePage, telling written the bytes written so far after each write to the page.
PageResult writeLines(QIODevice& templateDevice, QIODevice& pageDevice, const QList<PageField>& fields,
                      const QString& templateName, const QString& pageName,
                      const std::function<void(qint64)>& written) {
    const PageSubstituter substituter(fields);
    TemplateLineReader reader(templateDevice);
    PageOutput out(pageDevice, written);

    // A start that holds a line end is in no line, and neither is a name that holds it.
    QByteArrayView start = substituter.commonStart();
    if (start.contains('\r') || start.contains('\n'))
        start = {};
    const bool eachLine = !substituter.changesNothing() && substituter.commonStart().isEmpty();
    QByteArrayView lines;
    while (!out.failed() && reader.readLines(lines)) {
        if (eachLine)
            putEachLine(lines, substituter, out);
        else
            putLines(lines, substituter, start, out);
    }
    // A write that failed came before the reading that went on meanwhile.
    if (!out.finishWrites())
        return failed(failure(u"The page"_s, pageName, u"written"_s, pageDevice.errorString()));
    if (reader.hasError())
        return failed(failure(u"The template"_s, templateName, u"read"_s, reader.errorString()));
    if (!out.flush())
        return failed(failure(u"The page"_s, pageName, u"written"_s, pageDevice.errorString()));
    return PageResult{true, {}};
}

#ifdef Q_OS_LINUX
// Every few MiB written, the file system is told to start writing them to the disk, so
// that the flush at the commit waits for less. Only a hint: the commit's flush still makes
// the whole page durable and reports any failure.
std::function<void(qint64)> startWriteback(QFileDevice& file) {
    constexpr qint64 Step = 4 * 1024 * 1024;
    return [&file, started = qint64(0)](qint64 written) mutable {
        if (written - started < Step)
            return;
        ::sync_file_range(file.handle(), started, written - started, SYNC_FILE_RANGE_WRITE);
        started = written;
    };
}
#else
std::function<void(qint64)> startWriteback(QFileDevice&) {
    return {};
}
#endif

} // namespace

bool isSafeThemeStem(const QString& stem) {
    return !stem.isEmpty() && !stem.contains(u'/') && !stem.contains(u'\\') && !stem.contains(u".."_s) &&
           !stem.contains(QChar(u'\0'));
}

QString templateFileName(const QString& appFolder, const QString& theme) {
    return appFolder + u'/' + themeFileStem(theme) + u".txt"_s;
}

QString pageFileName(const QString& appFolder, const QString& theme) {
    return appFolder + u'/' + themeFileStem(theme) + u".html"_s;
}

PageResult writePage(QIODevice& templateDevice, QIODevice& pageDevice, const QList<PageField>& fields,
                     const QString& templateName, const QString& pageName) {
    return writeLines(templateDevice, pageDevice, fields, templateName, pageName, {});
}

PageResult generatePageFile(const QString& appFolder, const QString& theme, const QList<PageField>& fields) {
    return generatePageFile(appFolder, theme, fields, {});
}

PageResult generatePageFile(const QString& appFolder, const QString& theme, const QList<PageField>& fields,
                            const TemplateFilter& templateFilter) {
    const QString stem = themeFileStem(theme);
    if (stem.isEmpty())
        return failed(u"The page could not be generated: no theme is selected."_s);
    if (!isSafeThemeStem(stem)) {
        return failed(u"The page could not be generated: the theme \""_s + theme +
                      u"\" does not give a plain file name."_s);
    }
    const QString templateName = templateFileName(appFolder, theme);
    const QString pageName = pageFileName(appFolder, theme);

    QFile templateFile(templateName);
    if (!templateFile.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return failed(failure(u"The template"_s, templateName, u"opened"_s, templateFile.errorString()));

    // A page its owner may not write is kept, also for a user (root) whom the file system
    // would let replace it.
    const QFileInfo existing(pageName);
    if (existing.exists() && existing.isFile() &&
        (!existing.isWritable() || !existing.permissions().testFlag(QFileDevice::WriteOwner)))
        return failed(failure(u"The page"_s, pageName, u"written"_s, u"the file is read-only"_s));

    // Unbuffered, so every write reaches the file system here and its failure is seen here;
    // a buffered save could fail in its last flush and still be committed.
    QSaveFile page(pageName);
    if (!page.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(failure(u"The page"_s, pageName, u"created"_s, page.errorString()));

    const std::unique_ptr<QIODevice> filtered = templateFilter ? templateFilter(templateFile) : nullptr;
    const PageResult result = writeLines(filtered ? *filtered : templateFile, page, fields, templateName,
                                         pageName, startWriteback(page));
    templateFile.close();
    if (!result.ok) {
        page.cancelWriting();
        return result;
    }
    if (page.error() != QFileDevice::NoError || !page.flush()) {
        page.cancelWriting();
        return failed(failure(u"The page"_s, pageName, u"written"_s, page.errorString()));
    }
    if (!page.commit())
        return failed(failure(u"The page"_s, pageName, u"saved"_s, page.errorString()));
    return result;
}

} // namespace quorra
