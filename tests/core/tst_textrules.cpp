#include "entry/FieldTable.h"
#include "entry/TextRules.h"
#include "page/Cp1252.h"

#include <QSet>
#include <QtTest>

using namespace quorra;

class TestTextRules : public QObject {
    Q_OBJECT
private slots:
    void trimBlanks_data();
    void trimBlanks();
    void lineBreaks_data();
    void lineBreaks();
    void decodeFile_data();
    void decodeFile();
    void fieldTableShape();
};

void TestTextRules::trimBlanks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("blanks only") << "    "
                                 << "";
    QTest::newRow("around") << "  Acme Ltd  "
                            << "Acme Ltd";
    QTest::newRow("inner blanks stay") << "a  b"
                                       << "a  b";
    QTest::newRow("tab stays") << "\tx\t"
                               << "\tx\t";
    QTest::newRow("line breaks stay") << " \r\n\r\n "
                                      << "\r\n\r\n";
    QTest::newRow("no-break space stays") << QStringLiteral("\u00a0x ") << QStringLiteral("\u00a0x");
}

void TestTextRules::trimBlanks() {
    QFETCH(QString, text);
    QFETCH(QString, trimmed);
    QCOMPARE(quorra::trimBlanks(text), trimmed);
}

void TestTextRules::lineBreaks_data() {
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("crlf");
    QTest::addColumn<QString>("back");
    QTest::newRow("none") << "abc"
                          << "abc"
                          << "abc";
    QTest::newRow("lf") << "a\nb\n"
                        << "a\r\nb\r\n"
                        << "a\nb\n";
    QTest::newRow("crlf kept") << "a\r\nb"
                               << "a\r\nb"
                               << "a\nb";
    QTest::newRow("lone cr") << "a\rb"
                             << "a\r\nb"
                             << "a\nb";
    QTest::newRow("paragraph separator") << QStringLiteral("a\u2029b") << "a\r\nb"
                                         << "a\nb";
    QTest::newRow("line separator") << QStringLiteral("a\u2028b") << "a\r\nb"
                                    << "a\nb";
    QTest::newRow("breaks only") << "\n\n"
                                 << "\r\n\r\n"
                                 << "\n\n";
}

void TestTextRules::lineBreaks() {
    QFETCH(QString, widget);
    QFETCH(QString, crlf);
    QFETCH(QString, back);
    QCOMPARE(toCrLf(widget), crlf);
    QCOMPARE(fromCrLf(crlf), back);
}

void TestTextRules::decodeFile_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("ascii") << QByteArray("Classic") << "Classic";
    QTest::newRow("pound") << QByteArray("\xa3"
                                         "5")
                           << QStringLiteral("£5");
    QTest::newRow("euro en dash quotes")
        << QByteArray("\x80\x96\x93\x94") << QStringLiteral("\u20ac\u2013\u201c\u201d");
    QTest::newRow("undefined bytes") << QByteArray("\x81\x8d") << QStringLiteral("\u0081\u008d");
    QTest::newRow("utf-8 with mark") << QByteArray("\xef\xbb\xbf"
                                                   "Caf\xc3\xa9")
                                     << QStringLiteral("Café");
    QTest::newRow("utf-8 bytes without mark are Windows-1252")
        << QByteArray("Caf\xc3\xa9") << QStringLiteral("Caf\u00c3\u00a9");
    QTest::newRow("nul kept") << QByteArray("a\0b", 3) << QString::fromUtf16(u"a\0b", 3);
}

void TestTextRules::decodeFile() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeTextFile(bytes), text);
}

void TestTextRules::fieldTableShape() {
    const auto table = fieldTable();
    QCOMPARE(table.size(), std::size_t(46));
    QCOMPARE(QString(table.front().name), QStringLiteral("txtPurchase5"));
    QCOMPARE(QString(table.back().name), QStringLiteral("txtCompanyLogo"));
    QSet<QString> names;
    int hidden = 0;
    for (const FieldSpec& f : table) {
        names.insert(f.name);
        if (f.visibility == FieldVisibility::Never)
            ++hidden;
    }
    QCOMPARE(names.size(), 46);
    QCOMPARE(hidden, 12);
    // No name stands inside another, so a placeholder is never found inside a longer one.
    for (const QString& a : names)
        for (const QString& b : names)
            QVERIFY2(a == b || !b.contains(a), qPrintable(a + QStringLiteral(" in ") + b));
    QVERIFY(findField(u"txtHelp"));
    QVERIFY(!findField(u"txthelp"));
}

QTEST_APPLESS_MAIN(TestTextRules)
#include "tst_textrules.moc"
