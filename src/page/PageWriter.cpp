#include "page/PageWriter.h"

#include "entry/TextRules.h"
#include "page/ByteSearch.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace quorra {

namespace {

using namespace Qt::StringLiterals;

// The page is handed to its device in blocks of about this size.
constexpr qsizetype FlushSize = 1024 * 1024;

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

// Writes every byte or fails: a short write is followed by another, which then reports
// why the rest could not be written (a full disk, a file-size limit).
bool writeAll(QIODevice& device, const QByteArray& bytes) {
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = device.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

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
    const PageSubstituter substituter(fields);
    TemplateLineReader reader(templateDevice, substituter.commonStart().toByteArray());
    QByteArray out;
    out.reserve(64 * 1024); // grows to about FlushSize on a large page
    const auto pageFailed = [&] {
        return failed(failure(u"The page"_s, pageName, u"written"_s, pageDevice.errorString()));
    };

    // Runs of lines without the names' common start are copied as they stand; the lines
    // that hold it, or end otherwise than in CR LF, are filled in one by one. Without a
    // common start every line is filled in.
    const bool byRuns = substituter.changesNothing() || !substituter.commonStart().isEmpty();
    QByteArrayView piece;
    bool plain = false;
    while (byRuns ? reader.readRun(piece, plain) : reader.readLine(piece)) {
        if (plain) {
            appendBytes(out, piece);
        } else {
            substituter.appendLine(piece, out);
            appendBytes(out, "\r\n");
        }
        if (out.size() >= FlushSize) {
            if (!writeAll(pageDevice, out))
                return pageFailed();
            out.resize(0);
        }
    }
    if (reader.hasError())
        return failed(failure(u"The template"_s, templateName, u"read"_s, reader.errorString()));
    if (!out.isEmpty() && !writeAll(pageDevice, out))
        return pageFailed();
    return PageResult{true, {}};
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
    const PageResult result =
        writePage(filtered ? *filtered : templateFile, page, fields, templateName, pageName);
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
