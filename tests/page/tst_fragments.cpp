#include "entry/PaymentFragments.h"
#include "page/PageFragments.h"

#include <QtTest>

using namespace quorra;
using namespace Qt::StringLiterals;

class TestFragments : public QObject {
    Q_OBJECT
private slots:
    void vat_data();
    void vat();
    void postage_data();
    void postage();
    void productRows_data();
    void productRows();
    void cards();
};

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

void TestFragments::productRows_data() {
    QTest::addColumn<int>("product");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("row");

    QTest::newRow("product 1 widths")
        << 1 << "A1"
        << "Blue mug"
        << "2.50"
        << "/home/u/mug.gif"
        << QStringLiteral(
               R"(<tr><td colspan=2><hr size=2 width=100%></td></tr><tr><td width=200 valign=top><img src="/home/u/mug.gif" border=0></td>)"
               R"(<td width=400 valign=top><font face="verdana, tahoma, arial, sans serif" size=2><b>Product Code : A1</b><br>Blue mug<br>)"
               R"(<b>Quantity required : <input type=text name="A1|Goods|2.50|Description" size=3 maxlength=6> @ )"
               "\u00a3"
               R"(2.50 each</b></font></td></tr>)");
    QTest::newRow("product 2 no widths")
        << 2 << "B2"
        << "Tea pot"
        << "12.00"
        << "pot.jpg"
        << QStringLiteral(
               R"(<tr><td colspan=2><hr size=2 width=100%></td></tr><tr><td valign=top><img src="pot.jpg" border=0></td>)"
               R"(<td valign=top><font face="verdana, tahoma, arial, sans serif" size=2><b>Product Code : B2</b><br>Tea pot<br>)"
               R"(<b>Quantity required : <input type=text name="B2|Goods|12.00|Description" size=3 maxlength=6> @ )"
               "\u00a3"
               R"(12.00 each</b></font></td></tr>)");
}

void TestFragments::productRows() {
    QFETCH(int, product);
    QFETCH(QString, code);
    QFETCH(QString, description);
    QFETCH(QString, price);
    QFETCH(QString, picture);
    QFETCH(QString, row);
    QCOMPARE(productRow(product, code, description, price, picture), row);
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
