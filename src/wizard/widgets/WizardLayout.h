#pragma once

#include "entry/Twips.h"

namespace quorra {

// Where every step panel lies, and the guidance text over it, 100 twips wider.
inline constexpr TwipsRect PanelRect{2600, 120, 4600, 3300};
inline constexpr TwipsRect HelpRect{2600, 120, 4700, 3300};

} // namespace quorra
