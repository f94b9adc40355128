#include "entry/AmountFormat.h"

#include <QtTest>

using namespace quorra;

class TestAmountFormat : public QObject {
    Q_OBJECT
private slots:
    void format_data();
    void format();
};

void TestAmountFormat::format_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("amount");

    QTest::newRow("whole") << "5"
                           << "5.00";
    QTest::newRow("fraction only") << ".5"
                                   << "0.50";
    QTest::newRow("thousands, no separator") << "1234"
                                             << "1234.00";
    QTest::newRow("zero") << "0"
                          << "0.00";
    QTest::newRow("zero as advised") << "0.00"
                                     << "0.00";
    QTest::newRow("leading zeros") << "007"
                                   << "7.00";
    QTest::newRow("zeros only") << "000"
                                << "0.00";
    QTest::newRow("leading zeros before point") << "000.5"
                                                << "0.50";
    QTest::newRow("trailing point") << "5."
                                    << "5.00";
    QTest::newRow("one decimal") << "2.5"
                                 << "2.50";
    QTest::newRow("two decimals kept") << "3.14"
                                       << "3.14";
    QTest::newRow("trailing zeros dropped") << "1.2000"
                                            << "1.20";

    QTest::newRow("half up") << "2.675"
                             << "2.68";
    QTest::newRow("half of a penny") << "0.005"
                                     << "0.01";
    QTest::newRow("carry into whole") << "9.995"
                                      << "10.00";
    QTest::newRow("carry through nines") << "999.999"
                                         << "1000.00";
    QTest::newRow("below half") << "2.6749999"
                                << "2.67";
    QTest::newRow("just below a penny") << "0.0049"
                                        << "0.00";
    QTest::newRow("above half") << "1.23501"
                                << "1.24";
    QTest::newRow("binary float trap") << "1.005"
                                       << "1.01";
    QTest::newRow("many digits") << "123456789012345678901234567890.125"
                                 << "123456789012345678901234567890.13";
    QTest::newRow("many decimals") << "0.00499999999999999999999999"
                                   << "0.00";

    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("blanks around") << "  2.5 "
                                   << "2.50";
    QTest::newRow("blanks only unchanged") << "   "
                                           << "   ";
    QTest::newRow("plus dropped") << "+3"
                                  << "3.00";
    QTest::newRow("minus kept") << "-1.5"
                                << "-1.50";
    QTest::newRow("minus rounds away from zero") << "-2.675"
                                                 << "-2.68";
    QTest::newRow("minus zero") << "-0"
                                << "0.00";
    QTest::newRow("minus rounds to zero") << "-0.004"
                                          << "0.00";
    QTest::newRow("blank then minus") << " -7"
                                      << "-7.00";

    QTest::newRow("two points") << "1.2.3"
                                << "1.2.3";
    QTest::newRow("lone point") << "."
                                << ".";
    QTest::newRow("points only") << ".."
                                 << "..";
    QTest::newRow("letters") << "abc"
                             << "abc";
    QTest::newRow("digits and letters") << "12p"
                                        << "12p";
    QTest::newRow("pound sign") << QStringLiteral("£5") << QStringLiteral("£5");
    QTest::newRow("comma") << "1,234"
                           << "1,234";
    QTest::newRow("exponent") << "1e3"
                              << "1e3";
    QTest::newRow("lone minus") << "-"
                                << "-";
    QTest::newRow("minus point") << "-."
                                 << "-.";
    QTest::newRow("two signs") << "--5"
                               << "--5";
    QTest::newRow("blank after sign") << "- 5"
                                      << "- 5";
    QTest::newRow("inner blank") << "1 000"
                                 << "1 000";
    QTest::newRow("tab is no blank") << "\t5"
                                     << "\t5";
    QTest::newRow("other digits") << QStringLiteral("\u0665") << QStringLiteral("\u0665");
}

void TestAmountFormat::format() {
    QFETCH(QString, text);
    QFETCH(QString, amount);
    QCOMPARE(formatAmount(text), amount);
}

QTEST_APPLESS_MAIN(TestAmountFormat)
#include "tst_amountformat.moc"
