// Fuzzes the postage amount format "0.00". The input is the field's text, UTF-8.
//
// Laws: an empty text stays empty; a text changes only into -?[0-9]+.[0-9]{2}, within half
// a hundredth of the number it reads as; an amount so written stays as it is.

#include "FuzzInput.h"

#include "entry/AmountFormat.h"

#include <QRegularExpression>

#include <cmath>
#include <cstddef>
#include <cstdint>

using fuzzinput::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString result = quorra::formatAmount(text);
    check(!text.isEmpty() || result.isEmpty(), "an empty text gives an empty amount");
    if (result == text)
        return 0;
    static const QRegularExpression shape(QStringLiteral("^-?[0-9]+\\.[0-9]{2}$"));
    check(shape.match(result).hasMatch(), "a text changes only into an amount -?[0-9]+.[0-9]{2}");
    check(quorra::formatAmount(result) == result, "an amount stays as it is");
    bool isNumber = false;
    const double value = text.toDouble(&isNumber);
    if (isNumber && std::fabs(value) < 1e12)
        check(std::fabs(result.toDouble() - value) <= 0.005 + 1e-15 * std::fabs(value) + 1e-9, // as a double
              "the amount is the number rounded");
    return 0;
}
