#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quorra {

// Splits text into the fields of a comma-delimited file (the help file, the theme
// catalogue):
// - fields end at a comma or a line end (CR LF, a lone LF or a lone CR);
// - blanks and tabs before a field are skipped;
// - a field that starts with a double quote runs to the next double quote and may hold
//   commas and line breaks; what follows the closing quote up to the next comma or line
//   end is dropped; a quote that is never closed runs to the end of the text;
// - an unquoted field runs to the next comma or line end; its trailing blanks and tabs
//   are dropped;
// - an empty line is one empty field; a comma just before a line end leaves an empty
//   field; a line end at the very end of the text adds nothing.
QStringList readFields(const QString& text);

// The fields of a file decoded as Windows-1252 (UTF-8 when it starts with the UTF-8
// byte-order mark).
QStringList readFieldsFromBytes(const QByteArray& bytes);

// The fields of the data file at path, read up to maxBytes; nullopt when it is missing,
// unreadable or not a regular file.
std::optional<QStringList> readDataFile(const QString& path, qint64 maxBytes);

// The theme names of a catalogue's fields: fields that are empty or blank are left out.
QStringList themeNames(const QStringList& fields);

} // namespace quorra
