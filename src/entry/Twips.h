#pragma once

#include "entry/FieldTable.h"

#include <QRect>

namespace quorra {

// Twips to pixels at 96 dpi (15 twips to the pixel); Qt scales on high-DPI screens.
constexpr int twips(int value) {
    return (value + 7) / 15;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

inline QRect twipsRect(const TwipsRect& r) {
    return twipsRect(r.left, r.top, r.width, r.height);
}

} // namespace quorra
