#pragma once

#include "page/PageSubstituter.h"
#include "page/TemplateLineReader.h"

#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QIODevice;

namespace quorra {

// The outcome of writing a page: on failure, one sentence for the user that names the
// file and says what went wrong.
struct PageResult {
    bool ok = false;
    QString error;
};

// False for a theme file stem that is empty, holds "/", "\\", ".." or a NUL character,
// and so would not name a plain file of the application folder.
bool isSafeThemeStem(const QString& stem);

// The theme's template (stem + ".txt") and page (stem + ".html") in the application folder.
QString templateFileName(const QString& appFolder, const QString& theme);
QString pageFileName(const QString& appFolder, const QString& theme);

// Copies the template device line by line into the page device, each line substituted and
// followed by CR LF. The names, when given, go into the error sentence.
PageResult writePage(QIODevice& templateDevice, QIODevice& pageDevice, const QList<PageField>& fields,
                     const QString& templateName = {}, const QString& pageName = {});

// Places a device of its own between the open template and the writer (tests make
// reading fail through it); it returns nullptr to read the file itself.
using TemplateFilter = std::function<std::unique_ptr<QIODevice>(QIODevice& file)>;

// Writes the theme's page from its template. The template is opened first; the page is
// written to a temporary file that replaces it only when everything succeeded, so after
// any failure the previous page is intact and no partial or temporary file is left.
PageResult generatePageFile(const QString& appFolder, const QString& theme, const QList<PageField>& fields);
PageResult generatePageFile(const QString& appFolder, const QString& theme, const QList<PageField>& fields,
                            const TemplateFilter& templateFilter);

} // namespace quorra
