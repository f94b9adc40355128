#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace quorra {

// Windows-1252 text, the code page of the data files and the generated page.

// Decodes bytes. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) become the control characters of the same number, as Windows does.
QString decodeCp1252(QByteArrayView bytes);

// Encodes text. A character the code page cannot hold is written as an HTML numeric
// character reference ("&#20013;", "&#128512;" for a pair of surrogates); a lone
// surrogate, which names no character, becomes "&#65533;".
QByteArray encodeCp1252(QStringView text);

// Decodes a text file's bytes: Windows-1252, or UTF-8 when the bytes start with the
// UTF-8 byte-order mark (the mark itself is dropped).
QString decodeTextFile(QByteArrayView bytes);

} // namespace quorra
