#pragma once

#include <QString>

namespace quorra {

// The line break of every text the program hands around.
inline const QString CrLf = QStringLiteral("\r\n");

// The text with its leading and trailing space characters removed. Tabs, line breaks
// and every other character stay (QString::trimmed() would remove them too).
QString trimBlanks(const QString& text);

// Text as the program hands it around: every line break written as CR LF. Widgets that
// hold LF (or Qt's paragraph and line separators) internally convert through these.
QString toCrLf(const QString& widgetText);
QString fromCrLf(const QString& text);

// The first seven characters of a theme name: the stem of its template and page files.
QString themeFileStem(const QString& theme);

} // namespace quorra
