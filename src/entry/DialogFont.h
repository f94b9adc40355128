#pragma once

#include <QFont>
#include <QFontDatabase>

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

// A fixed-pitch font of the same size, for text laid out in columns of blanks.
inline QFont fixedPitchFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(11);
    return font;
}

} // namespace quorra
