#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace quorra {

// The font of every control: a sans serif of the old dialog font's metrics (8.25 point
// at 96 dpi, 11 pixels), so the captions fit the twips layout.
inline QFont dialogFont(bool bold = false) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setBold(bold);
    return font;
}

// A fixed-pitch font of the same size, for text laid out in columns of blanks: the
// desktop's fixed font (or preferred) when it really is fixed-pitch, else a monospace
// family that Debian ships.
inline QFont fixedPitchFont(const QFont& preferred = QFontDatabase::systemFont(QFontDatabase::FixedFont)) {
    QFont font = preferred;
    font.setPixelSize(11);
    for (const char* family : {"DejaVu Sans Mono", "Liberation Mono", "monospace"}) {
        if (QFontInfo(font).fixedPitch())
            break;
        font.setFamilies(QStringList{QString::fromLatin1(family)});
        font.setStyleHint(QFont::TypeWriter);
    }
    return font;
}

} // namespace quorra
