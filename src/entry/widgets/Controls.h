#pragma once

#include "entry/Twips.h"

#include <QString>

class QLabel;
class QWidget;

namespace quorra {

// A plain-text caption at a place in twips; a width wraps it (growing downwards when the
// font needs more lines than the box holds), no width sizes it to its text.
QLabel* addLabel(QWidget* parent, const QString& caption, const TwipsRect& rect, bool bold = false);

// A button takes the focus before it acts, so the field being left reports the loss of
// focus first (an access key does not move the focus by itself).
void takeFocus(QWidget* button);

} // namespace quorra
