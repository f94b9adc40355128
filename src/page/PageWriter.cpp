#include "page/PageWriter.h"

#include "entry/TextRules.h"
#include "page/PageOutput.h"
#include "page/PageSubstituter.h"
#include "page/RegularFile.h"
#include "page/TemplateLineReader.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <functional>

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

// False for a theme file stem that is empty, holds "/", "\\", ".." or a NUL character,
// and so would not name a plain file of the application folder.
bool isSafeThemeStem(const QString& stem) {
    return !stem.isEmpty() && !stem.contains(u'/') && !stem.contains(u'\\') && !stem.contains(u".."_s) &&
           !stem.contains(QChar(u'\0'));
}

// Puts a run of whole lines into the page, each filled in and ended by CR LF. Stretches of
// lines that end in CR LF and that no field fills go in as they stand.
void putLines(QByteArrayView lines, const PageSubstituter& substituter, PageOutput& out) {
    // The next CR, LF and place where a name may begin: each search goes on where it stopped.
    qsizetype cr = -1, lf = -1, candidate = -1;
    const auto next = [lines](qsizetype& found, qsizetype from, char c) {
        if (found < from) {
            const void* at = std::memchr(lines.data() + from, c, size_t(lines.size() - from));
            found = at ? static_cast<const char*>(at) - lines.data() : lines.size();
        }
    };
    qsizetype copied = 0; // the bytes before it are in the page
    for (qsizetype at = 0; at < lines.size();) {
        next(cr, at, '\r');
        next(lf, at, '\n');
        const qsizetype end = std::min(cr, lf); // every line of a run has one
        const bool crLf = lf == cr + 1 && lf < lines.size();
        const qsizetype after = end + (crLf ? 2 : 1);
        if (candidate < at)
            candidate = substituter.nextCandidate(lines, at);
        // The bytes not in the page yet, up to the line's end: only the line can hold a name.
        const QByteArrayView pending = lines.sliced(copied, end - copied);
        PageSubstituter::Match match;
        if (candidate < end) {
            const qsizetype following = substituter.nextCandidate(lines, candidate + 1);
            match = substituter.match(pending, candidate - copied, following - copied);
            candidate = following;
        }
        if (match.field >= 0) // the rest of a CR LF line goes in with the next stretch
            copied += substituter.putFilled(pending, match, out);
        if (!crLf) {
            out.put(lines.sliced(copied, end - copied));
            out.put("\r\n");
            copied = after;
        }
        at = after;
    }
    out.put(lines.sliced(copied));
}

// writePage, telling written the bytes written so far after each write to the page.
PageResult writeLines(QIODevice& templateDevice, QIODevice& pageDevice, const QList<PageField>& fields,
                      const QString& templateName, const QString& pageName,
                      const std::function<void(qint64)>& written) {
    const PageSubstituter substituter(fields);
    TemplateLineReader reader(templateDevice);
    PageOutput out(pageDevice, written);
    QByteArrayView lines;
    while (!out.failed() && reader.readLines(lines))
        putLines(lines, substituter, out);
    // A write that failed came before the read that was to follow it.
    if (out.failed())
        return failed(failure(u"The page"_s, pageName, u"written"_s, pageDevice.errorString()));
    if (reader.lineTooLong()) {
        return failed(failure(u"The template"_s, templateName, u"read"_s,
                              u"a line is longer than %1 MiB"_s.arg(TemplateLineReader::MaxLineBytes >> 20)));
    }
    if (reader.failed())
        return failed(failure(u"The template"_s, templateName, u"read"_s, templateDevice.errorString()));
    if (!out.flush())
        return failed(failure(u"The page"_s, pageName, u"written"_s, pageDevice.errorString()));
    return PageResult{true, {}};
}

// The kernel sends SIGXFSZ to a process that writes past its file-size limit (ulimit -f),
// which ends it. Ignored, the write fails with EFBIG ("File too large") and the page is
// reported as not generated, like a full disk, instead of the wizard vanishing.
void ignoreFileSizeSignal() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, nullptr);
}

// Removes the temporary pages (QSaveFile's "NAME.html.XXXXXX", which stays behind when a
// wizard is killed while writing on a file system without unnamed temporary files) last
// written more than an hour ago. A wizard still writing one keeps it fresh.
void removeStaleTemporaryPages(const QString& appFolder) {
    const QDateTime stale = QDateTime::currentDateTimeUtc().addSecs(-3600);
    const QDir folder(appFolder);
    for (const QFileInfo& file :
         folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks)) {
        const QString name = file.fileName();
        const qsizetype dot = name.size() - 7;
        const bool temporary = dot > 5 && name.sliced(dot - 5, 6) == u".html." &&
                               std::all_of(name.cbegin() + dot + 1, name.cend(),
                                           [](QChar c) { return c.unicode() < 128 && c.isLetterOrNumber(); });
        if (temporary && file.lastModified().toUTC() < stale)
            QFile::remove(file.absoluteFilePath());
    }
}

} // namespace

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
    const QString stem = themeFileStem(theme);
    if (stem.isEmpty())
        return failed(u"The page could not be generated: no theme is selected."_s);
    if (!isSafeThemeStem(stem)) {
        return failed(u"The page could not be generated: the theme \""_s + theme +
                      u"\" does not give a plain file name."_s);
    }
    const QString templateName = templateFileName(appFolder, theme);
    const QString pageName = pageFileName(appFolder, theme);

    ignoreFileSizeSignal();
    QFile templateFile(templateName);
    if (QString why; !openRegularFile(templateFile, &why))
        return failed(failure(u"The template"_s, templateName, u"opened"_s, why));

    // A page its owner may not write is kept, also for a user (root) whom the file system
    // would let replace it.
    const QFileInfo existing(pageName);
    if (existing.exists() && existing.isFile() &&
        (!existing.isWritable() || !existing.permissions().testFlag(QFileDevice::WriteOwner)))
        return failed(failure(u"The page"_s, pageName, u"written"_s, u"the file is read-only"_s));

    removeStaleTemporaryPages(appFolder);
    // Unbuffered, so every write reaches the file system here and its failure is seen here;
    // a buffered save could fail in its last flush and still be committed.
    QSaveFile page(pageName);
    if (!page.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(failure(u"The page"_s, pageName, u"created"_s, page.errorString()));

    // Every 4 MiB written the file system is told to start writing them to the disk, so that
    // the commit's flush waits for less: only a hint, the flush still makes the page durable.
    std::function<void(qint64)> written;
#ifdef Q_OS_LINUX
    written = [&page, started = qint64(0)](qint64 total) mutable {
        if (total - started >= 4 * 1024 * 1024) {
            ::sync_file_range(page.handle(), started, total - started, SYNC_FILE_RANGE_WRITE);
            started = total;
        }
    };
#endif
    const PageResult result = writeLines(templateFile, page, fields, templateName, pageName, written);
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
