#include "entry/AmountFormat.h"
#include "entry/TextRules.h"
#include "page/Cp1252.h"
#include "wizard/FieldReader.h"

#include <QtTest>

using namespace quorra;
using namespace Qt::StringLiterals;

// Text rules: line breaks, the code page, the comma-delimited data files and amounts (the
// fragments of the page are checked on the golden pages).
class TestTextRules : public QObject {
    Q_OBJECT
private slots:
    void lineBreaks() { // LF, CR LF, a lone CR and the separators are each one line end
        QCOMPARE(toCrLf(u"a\nb\r\nc\rd\u2029e\u2028f\n"_s), u"a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n"_s);
        QCOMPARE(fromCrLf(u"a\r\nb\r\nc\r\n"_s), u"a\nb\nc\n"_s);
    }

    void encode() {
        // The bytes 0x80 to 0x9F stand for other characters, so these are written as references.
        QCOMPARE(encodeCp1252(u"\u0080\u0085\u0095\u009f"_s), "&#128;&#133;&#149;&#159;");
        const QString undefined = u"\u0081\u008d\u008f\u0090\u009d"_s; // the five undefined bytes
        QCOMPARE(encodeCp1252(undefined), "\x81\x8d\x8f\x90\x9d");
        QCOMPARE(decodeCp1252("\x81\x8d\x8f\x90\x9d"), undefined);
    }

    void fields_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("blanks before skipped, trailing dropped, quoted kept")
            << QByteArray("   Classic blue   \r\n\tModern,\"  padded  \"\r\n")
            << QStringList{"Classic blue", "Modern", "  padded  "};
        QTest::newRow("empty fields")
            << QByteArray("a,\r\n\r\n\"\"\r\nb") << QStringList{"a", "", "", "", "b"};
        QTest::newRow("comma at the very end") << QByteArray("a,") << QStringList{"a", ""};
        QTest::newRow("text after closing quote dropped")
            << QByteArray("\"a\" junk,b\r\n") << QStringList{"a", "b"};
        QTest::newRow("unclosed quote runs to the end")
            << QByteArray("\"a,b\r\nc") << QStringList{"a,b\r\nc"};
        QTest::newRow("windows-1252") << QByteArray("Caf\xe9 \xa3"
                                                    "5 \x96 \x93ok\x94 \xc3\xa9\r\n")
                                      << QStringList{u"Café £5 – “ok” Ã©"_s};
        QTest::newRow("utf-8 after a byte-order mark, only the first dropped")
            << QByteArray("\xef\xbb\xbf\xef\xbb\xbf"
                          "Caf\xc3\xa9\xff\r\n")
            << QStringList{u"\ufeffCafé\ufffd"_s};
    }

    void fields() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, fields);
        QCOMPARE(readFieldsFromBytes(bytes), fields);
    }

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
        QTest::newRow("blanks and a plus sign around") << u"  +2.5 "_s << u"2.50"_s;
        QTest::newRow("minus kept") << u"-2.675"_s << u"-2.68"_s;
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
};

QTEST_APPLESS_MAIN(TestTextRules)
#include "tst_textrules.moc"
