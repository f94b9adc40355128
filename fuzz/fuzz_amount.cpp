// Fuzzes the postage amount format "0.00".
//
// The input is the text of the postage field, UTF-8. A text that is a number by the
// grammar in AmountFormat.h is compared with the amount the shared reference works out on
// its decimal digits (and, when short, with integer arithmetic here too); any other text
// must come back unchanged.

#include "FuzzSupport.h"

#include "entry/AmountFormat.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

using namespace fuzzsupport;

namespace {

// -?[0-9]+\.[0-9]{2}
bool hasAmountShape(const QString& text) {
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    const qsizetype digitsStart = i;
    while (i < text.size() && isAsciiDigit(text[i]))
        ++i;
    return i > digitsStart && text.size() == i + 3 && text[i] == u'.' && isAsciiDigit(text[i + 1]) &&
           isAsciiDigit(text[i + 2]);
}

// The same with integer arithmetic, for amounts below 10^15.
bool integerAmount(const AmountNumber& number, QString& out) {
    std::string whole = number.whole;
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    if (whole.size() > 15)
        return false;
    std::uint64_t hundredths = 0;
    for (const char c : whole)
        hundredths = hundredths * 10 + std::uint64_t(c - '0');
    std::string fraction = number.fraction + "000";
    hundredths = hundredths * 100 + std::uint64_t(fraction[0] - '0') * 10 + std::uint64_t(fraction[1] - '0');
    if (fraction[2] >= '5')
        ++hundredths;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%llu.%02llu", number.negative && hundredths != 0 ? "-" : "",
                  static_cast<unsigned long long>(hundredths / 100),
                  static_cast<unsigned long long>(hundredths % 100));
    out = QString::fromLatin1(buffer);
    return true;
}

void report(const char* property, const QString& text, const QString& result) {
    note("text", escaped(QStringView(text)));
    note("formatAmount", escaped(QStringView(result)));
    fail(property);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString result = quorra::formatAmount(text);

    if (text.isEmpty() && !result.isEmpty())
        report("an empty text gives an empty amount", text, result);

    AmountNumber number;
    if (!parseAmountNumber(text, number)) {
        if (result != text)
            report("a text that is not a number comes back unchanged", text, result);
        return 0;
    }
    if (!hasAmountShape(result))
        report("a number comes out as -?[0-9]+.[0-9]{2}", text, result);
    const QString expected = expectedAmount(number);
    if (result != expected) {
        note("expected", escaped(QStringView(expected)));
        report("a number is rounded half away from zero to two decimals, exactly", text, result);
    }
    QString viaIntegers;
    if (integerAmount(number, viaIntegers) && result != viaIntegers) {
        note("expected", escaped(QStringView(viaIntegers)));
        report("a short number gives the amount integer arithmetic gives", text, result);
    }
    if (quorra::formatAmount(result) != result)
        report("an amount in the format \"0.00\" stays as it is", text, result);
    return 0;
}
