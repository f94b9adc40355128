#pragma once

#include <QFont>

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

} // namespace quorra
