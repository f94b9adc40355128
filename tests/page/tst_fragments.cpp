#include "entry/AmountFormat.h"
#include "entry/PaymentFragments.h"
#include "page/PageFragments.h"

#include <QtTest>

using namespace quorra;
using namespace Qt::StringLiterals;

// The texts the page gets from the entry: amounts, VAT and postage terms, card images.
class TestFragments : public QObject {
    Q_OBJECT
private slots:
    void amount_data();
    void amount();
    void vat_data();
    void vat();
    void postage_data();
    void postage();
    void cards();
};

namespace {

void row(const char* name, const QString& text, const QString& amount) {
    QTest::newRow(name) << text << amount;
}

} // namespace

void TestFragments::amount_data() {
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

void TestFragments::amount() {
    QFETCH(QString, text);
    QFETCH(QString, amount);
    QCOMPARE(formatAmount(text), amount);
}

void TestFragments::vat_data() {
    QTest::addColumn<bool>("registered");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("not registered") << false << R"(<input type=hidden name="VATReg" value="no">)";
    QTest::newRow("registered")
        << true
        << R"(<tr><td colspan=2 align=center><font face="verdana, tahoma, arial, sans serif" size=2><b>All prices exclude V.A.T. @ 17.5% <input type=hidden name="VATReg" value="yes"></b></font></td></tr>)";
}

void TestFragments::vat() {
    QFETCH(bool, registered);
    QFETCH(QString, fragment);
    QCOMPARE(vatFragment(registered), fragment);
}

void TestFragments::postage_data() {
    QTest::addColumn<PostageType>("type");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("fragment");
    QTest::newRow("item 2.5") << PostageType::Item << "2.5"
                              << QStringLiteral(R"(<input type=hidden name="postage_type" value="item">)"
                                                R"(<input type=hidden name="postage_amt" value="2.50">)"
                                                "Postage is charged at \u00a3"
                                                "2.50 per item.");
    QTest::newRow("shipment empty") << PostageType::Shipment << ""
                                    << QStringLiteral(
                                           R"(<input type=hidden name="postage_type" value="shipment">)"
                                           R"(<input type=hidden name="postage_amt" value="">)"
                                           "Postage is charged at \u00a3 per shipment.");
}

void TestFragments::postage() {
    QFETCH(PostageType, type);
    QFETCH(QString, amount);
    QFETCH(QString, fragment);
    QCOMPARE(postageFragment(type, amount), fragment);
}

void TestFragments::cards() {
    const auto cards = cardImages();
    const QStringList expected{
        u"Access txtAccess <img src=\"images/access.gif\" border=0>"_s,
        u"Visa txtVisa <img src=\"images/visa.gif\" border=0>"_s,
        u"Delta txtDelta <img src=\"images/delta.gif\" border=0>"_s,
        u"Switch txtSwitch <img src=\"images/switch.gif\" border=0>"_s,
        u"Amex txtAmex <img src=\"images/amex.gif\" border=0>"_s,
    };
    QStringList actual;
    for (const CardImage& card : cards)
        actual << QString(card.card) + u' ' + card.field + u' ' + card.tag;
    QCOMPARE(actual, expected);
}

QTEST_APPLESS_MAIN(TestFragments)
#include "tst_fragments.moc"
