#include "entry/AmountFormat.h"

#include "entry/TextRules.h"

namespace quorra {

namespace {

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Adds one to a string of decimal digits.
void increment(QString& digits) {
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits.at(i) != u'9') {
            digits[i] = QChar(digits.at(i).unicode() + 1);
            return;
        }
        digits[i] = u'0';
    }
    digits.prepend(u'1');
}

} // namespace

QString formatAmount(const QString& text) {
    const QString number = trimBlanks(text);
    if (number.isEmpty())
        return text;

    qsizetype i = 0;
    const bool negative = number.at(0) == u'-';
    if (negative || number.at(0) == u'+')
        ++i;

    QString whole;
    QString fraction;
    bool point = false;
    for (; i < number.size(); ++i) {
        const QChar c = number.at(i);
        if (c == u'.' && !point)
            point = true;
        else if (isDigit(c))
            (point ? fraction : whole) += c;
        else
            return text;
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return text;

    qsizetype lead = 0;
    while (lead < whole.size() - 1 && whole.at(lead) == u'0')
        ++lead;
    whole = whole.isEmpty() ? QStringLiteral("0") : whole.mid(lead);
    while (fraction.size() < 3)
        fraction += u'0';

    // The amount in hundredths; the third decimal decides the rounding.
    QString digits = whole + fraction.left(2);
    if (fraction.at(2) >= u'5')
        increment(digits);

    const bool zero = digits.count(u'0') == digits.size();
    QString out;
    out.reserve(digits.size() + 2);
    if (negative && !zero)
        out += u'-';
    out += QStringView(digits).left(digits.size() - 2);
    out += u'.';
    out += QStringView(digits).right(2);
    return out;
}

} // namespace quorra
