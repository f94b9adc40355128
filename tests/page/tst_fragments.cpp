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
    void amount_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("amount");
        QTest::newRow("whole") << u"5"_s << u"5.00"_s;
        QTest::newRow("fraction only") << u".5"_s << u"0.50"_s;
        QTest::newRow("trailing zeros dropped") << u"1.2000"_s << u"1.20"_s;
        QTest::newRow("half up") << u"2.675"_s << u"2.68"_s;
        QTest::newRow("carry through nines") << u"999.999"_s << u"1000.00"_s;
        QTest::newRow("beyond 64 bits")
            << u"123456789012345678901234567890.125"_s << u"123456789012345678901234567890.13"_s;
        QTest::newRow("blanks around") << u"  2.5 "_s << u"2.50"_s;
        QTest::newRow("minus rounds to zero") << u"-0.004"_s << u"0.00"_s;
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("not a number unchanged") << u"1.2.3"_s << u"1.2.3"_s;
        QTest::newRow("blanks only unchanged") << u"   "_s << u"   "_s;
    }

    void amount() {
        QFETCH(QString, text);
        QFETCH(QString, amount);
        QCOMPARE(formatAmount(text), amount);
    }

    void vatAndPostage() {
        QCOMPARE(vatFragment(false), R"(<input type=hidden name="VATReg" value="no">)"_L1);
        QCOMPARE(
            vatFragment(true),
            uR"(<tr><td colspan=2 align=center><font face="verdana, tahoma, arial, sans serif" size=2><b>All prices exclude V.A.T. @ 17.5% <input type=hidden name="VATReg" value="yes"></b></font></td></tr>)"_s);
        QCOMPARE(postageFragment(PostageType::Item, u"2.5"_s),
                 uR"(<input type=hidden name="postage_type" value="item">)"
                 uR"(<input type=hidden name="postage_amt" value="2.50">)"
                 u"Postage is charged at \u00a32.50 per item."_s);
        QCOMPARE(postageFragment(PostageType::Shipment, QString()),
                 uR"(<input type=hidden name="postage_type" value="shipment">)"
                 uR"(<input type=hidden name="postage_amt" value="">)"
                 u"Postage is charged at \u00a3 per shipment."_s);
    }

    void cards() { // in the order their fields are emptied
        QStringList names;
        for (const CardImage& card : cardImages()) {
            names << card.card;
            QCOMPARE(card.field, u"txt"_s + card.card);
            QCOMPARE(card.tag, u"<img src=\"images/%1.gif\" border=0>"_s.arg(QString(card.card).toLower()));
        }
        QCOMPARE(names.join(u' '), u"Access Visa Delta Switch Amex"_s);
    }
};

QTEST_APPLESS_MAIN(TestFragments)
#include "tst_fragments.moc"
