// Fuzzes the postage amount format "0.00".
//
// The input is the text of the postage field, UTF-8. A text that is a number by the
// grammar in AmountFormat.h is compared with the amount worked out here on its decimal
// digits (and, when short, with integer arithmetic too); any other text must come back
// unchanged.

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

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

struct Number {
    bool negative = false;
    std::string whole;    // digits before the full stop, as typed
    std::string fraction; // digits after it
};

// Optional spaces, an optional sign, digits with at most one full stop (at least one
// digit in all) and optional spaces.
bool parseNumber(const QString& text, Number& number) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        number.negative = text[i] == u'-';
        ++i;
    }
    bool point = false;
    for (; i < n && (isDigit(text[i]) || (text[i] == u'.' && !point)); ++i) {
        if (text[i] == u'.')
            point = true;
        else
            (point ? number.fraction : number.whole) += char(text[i].unicode());
    }
    while (i < n && text[i] == u' ')
        ++i;
    return i == n && !(number.whole.empty() && number.fraction.empty());
}

// -?[0-9]+\.[0-9]{2}
bool hasAmountShape(const QString& text) {
    qsizetype i = text.startsWith(u'-') ? 1 : 0;
    const qsizetype digitsStart = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i > digitsStart && text.size() == i + 3 && text[i] == u'.' && isDigit(text[i + 1]) &&
           isDigit(text[i + 2]);
}

// The amount rounded half away from zero to hundredths, on the decimal digits: the
// magnitude in hundredths is the whole digits followed by the first two decimals, plus
// one when the third decimal is 5 or more (the rest of the decimals cannot change that).
QString expectedAmount(const Number& number) {
    std::string fraction = number.fraction;
    fraction.resize(std::max<std::size_t>(fraction.size(), 3), '0');
    std::vector<int> hundredths; // least significant digit first
    const std::string digits = number.whole + fraction.substr(0, 2);
    for (auto it = digits.rbegin(); it != digits.rend(); ++it)
        hundredths.push_back(*it - '0');
    if (fraction[2] >= '5') {
        int carry = 1;
        for (int& d : hundredths) {
            d += carry;
            carry = d / 10;
            d %= 10;
        }
        if (carry)
            hundredths.push_back(carry);
    }
    while (hundredths.size() > 3 && hundredths.back() == 0)
        hundredths.pop_back();
    hundredths.resize(std::max<std::size_t>(hundredths.size(), 3), 0); // ".5" has no whole digit
    bool zero = true;
    for (const int d : hundredths)
        zero = zero && d == 0;

    std::string out = number.negative && !zero ? "-" : "";
    for (std::size_t i = hundredths.size(); i-- > 0;) {
        out += char('0' + hundredths[i]);
        if (i == 2)
            out += '.';
    }
    return QString::fromLatin1(out);
}

// The same with integer arithmetic, for amounts below 10^15.
bool integerAmount(const Number& number, QString& out) {
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

    Number number;
    if (!parseNumber(text, number)) {
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
