#include "entry/AmountFormat.h"

#include <QtTest>

using namespace quorra;
using namespace Qt::StringLiterals;

class TestAmountFormat : public QObject {
    Q_OBJECT
private slots:
    void format_data();
    void format();
};

namespace {

void row(const char* name, const QString& text, const QString& amount) {
    QTest::newRow(name) << text << amount;
}

} // namespace

void TestAmountFormat::format_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("amount");

    row("whole", u"5"_s, u"5.00"_s);
    row("fraction only", u".5"_s, u"0.50"_s);
    row("zero", u"0"_s, u"0.00"_s);
    row("leading zeros", u"007"_s, u"7.00"_s);
    row("zeros only", u"000"_s, u"0.00"_s);
    row("trailing point", u"5."_s, u"5.00"_s);
    row("one decimal", u"2.5"_s, u"2.50"_s);
    row("two decimals kept", u"3.14"_s, u"3.14"_s);
    row("trailing zeros dropped", u"1.2000"_s, u"1.20"_s);

    row("half up", u"2.675"_s, u"2.68"_s);
    row("carry through nines", u"999.999"_s, u"1000.00"_s);
    row("below half", u"2.6749999"_s, u"2.67"_s);
    row("binary float trap", u"1.005"_s, u"1.01"_s);
    row("many digits", u"123456789012345678901234567890.125"_s, u"123456789012345678901234567890.13"_s);
    row("many decimals", u"0.00499999999999999999999999"_s, u"0.00"_s);

    row("empty", QString(), QString());
    row("blanks around", u"  2.5 "_s, u"2.50"_s);
    row("blanks only unchanged", u"   "_s, u"   "_s);
    row("plus dropped", u"+3"_s, u"3.00"_s);
    row("minus rounds away from zero", u" -2.675"_s, u"-2.68"_s);
    row("minus rounds to zero", u"-0.004"_s, u"0.00"_s);

    row("two points", u"1.2.3"_s, u"1.2.3"_s);
    row("lone point", u"."_s, u"."_s);
    row("digits and letters", u"12p"_s, u"12p"_s);
    row("comma", u"1,234"_s, u"1,234"_s);
    row("exponent", u"1e3"_s, u"1e3"_s);
    row("lone minus", u"-"_s, u"-"_s);
    row("minus point", u"-."_s, u"-."_s);
    row("two signs", u"--5"_s, u"--5"_s);
    row("blank after sign", u"- 5"_s, u"- 5"_s);
    row("inner blank", u"1 000"_s, u"1 000"_s);
    row("tab is no blank", u"\t5"_s, u"\t5"_s);
    row("other digits", u"\u0665"_s, u"\u0665"_s);
}

void TestAmountFormat::format() {
    QFETCH(QString, text);
    QFETCH(QString, amount);
    QCOMPARE(formatAmount(text), amount);
}

QTEST_APPLESS_MAIN(TestAmountFormat)
#include "tst_amountformat.moc"
