#pragma once

#include <QString>

namespace quorra {

// The postage amount written with the pattern "0.00": at least one digit before the
// decimal point and exactly two after it, rounded half away from zero (2.675 gives 2.68).
// A number is optional blanks, an optional sign, digits with at most one full stop
// (at least one digit in all) and optional blanks; the blanks are dropped, a plus sign
// is dropped, and a minus sign is kept unless the rounded amount is zero ("-0.001"
// gives "0.00"). The arithmetic works on the decimal digits, so any length is exact.
// An empty text gives an empty amount; any other text is returned unchanged.
QString formatAmount(const QString& text);

} // namespace quorra
