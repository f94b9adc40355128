#pragma once

#include "page/PageSubstituter.h"

#include <QList>
#include <QString>

class QIODevice;

namespace quorra {

// The outcome of writing a page: on failure, one sentence for the user that names the
// file and says what went wrong.
struct PageResult {
    bool ok = false;
    QString error;
};

// The theme's template (stem + ".txt") and page (stem + ".html") in the application folder.
QString templateFileName(const QString& appFolder, const QString& theme);
QString pageFileName(const QString& appFolder, const QString& theme);

// Copies the template device line by line into the page device, each line substituted and
// followed by CR LF. The names, when given, go into the error sentence.
PageResult writePage(QIODevice& templateDevice, QIODevice& pageDevice, const QList<PageField>& fields,
                     const QString& templateName = {}, const QString& pageName = {});

// Writes the theme's page from its template. The template is opened first; the page is
// written to a temporary file that replaces it only when everything succeeded, so after
// any failure the previous page is intact and no partial or temporary file is left.
PageResult generatePageFile(const QString& appFolder, const QString& theme, const QList<PageField>& fields);

} // namespace quorra
