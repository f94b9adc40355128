#include "entry/TextRules.h"
#include "page/Cp1252.h"
#include "wizard/FieldReader.h"

#include <QtTest>

using namespace quorra;
using namespace Qt::StringLiterals;

// Text rules: trimming, line breaks, the code page and the comma-delimited data files.
class TestTextRules : public QObject {
    Q_OBJECT
private slots:
    void trimBlanks_data();
    void trimBlanks();
    void lineBreaks_data();
    void lineBreaks();
    void encode_data();
    void encode();
    void fields_data();
    void fields();
    void themeNames_data();
    void themeNames();
};

void TestTextRules::trimBlanks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("trimmed");
    QTest::newRow("blanks only") << u"    "_s << QString();
    QTest::newRow("around, inner kept") << u"  Acme  Ltd  "_s << u"Acme  Ltd"_s;
    QTest::newRow("tab, line break, no-break space stay") << u"\t \r\n\u00a0 "_s << u"\t \r\n\u00a0"_s;
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
    QTest::newRow("lf") << u"a\nb\n"_s << u"a\r\nb\r\n"_s << u"a\nb\n"_s;
    QTest::newRow("crlf kept") << u"a\r\nb"_s << u"a\r\nb"_s << u"a\nb"_s;
    QTest::newRow("lone cr") << u"a\rb"_s << u"a\r\nb"_s << u"a\nb"_s;
    QTest::newRow("separators") << u"a\u2029b\u2028c"_s << u"a\r\nb\r\nc"_s << u"a\nb\nc"_s;
}

void TestTextRules::lineBreaks() {
    QFETCH(QString, widget);
    QFETCH(QString, crlf);
    QFETCH(QString, back);
    QCOMPARE(toCrLf(widget), crlf);
    QCOMPARE(fromCrLf(crlf), back);
}

void TestTextRules::encode_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("Latin-1 and controls are bytes")
        << u"\u00a0\u00e9\u00a3\u00ff a\u0001\u007f"_s << QByteArray("\xa0\xe9\xa3\xff a\x01\x7f");
    QTest::newRow("Windows-1252 extras")
        << u"€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ"_s
        << QByteArray("\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8a\x8b\x8c\x8e\x91\x92"
                      "\x93\x94\x95\x96\x97\x98\x99\x9a\x9b\x9c\x9e\x9f");
    // The bytes 0x80 to 0x9F stand for other characters, so these are written as references.
    QTest::newRow("C1 controls") << u"\u0080\u0085\u0095\u009f"_s << QByteArray("&#128;&#133;&#149;&#159;");
    QTest::newRow("the five undefined bytes")
        << u"\u0081\u008d\u008f\u0090\u009d"_s << QByteArray("\x81\x8d\x8f\x90\x9d");
    QTest::newRow("outside the code page") << u"中 😀 \u0301"_s << QByteArray("&#20013; &#128512; &#769;");
    QTest::newRow("lone surrogate") << QString(QChar(0xd800)) << QByteArray("&#65533;");
    QTest::newRow("ampersand as typed") << u"&#60; & <"_s << QByteArray("&#60; & <");
}

void TestTextRules::encode() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(encodeCp1252(text), bytes);
    if (!bytes.contains('&'))
        QCOMPARE(decodeCp1252(bytes), text);
}

void TestTextRules::fields_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("no final line end") << QByteArray("Welcome") << QStringList{"Welcome"};
    QTest::newRow("commas split, quoted commas stay")
        << QByteArray("a, b c,\"d, e\"\r\n") << QStringList{"a", "b c", "d, e"};
    QTest::newRow("blanks before skipped, trailing dropped, quoted kept")
        << QByteArray("   Classic blue   \r\n\tModern,\"  padded  \"\r\n")
        << QStringList{"Classic blue", "Modern", "  padded  "};
    QTest::newRow("mixed line ends") << QByteArray("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("empty fields") << QByteArray("a,\r\n\r\n\"\"\r\nb") << QStringList{"a", "", "", "", "b"};
    QTest::newRow("text after closing quote dropped")
        << QByteArray("\"a\" junk,b\r\n") << QStringList{"a", "b"};
    QTest::newRow("quoted field spans lines") << QByteArray("\"a\r\nb\",c") << QStringList{"a\r\nb", "c"};
    QTest::newRow("unclosed quote runs to the end") << QByteArray("\"a,b\r\nc") << QStringList{"a,b\r\nc"};
    QTest::newRow("windows-1252") << QByteArray("Caf\xe9 \xa3"
                                                "5 \x96 \x93ok\x94 \xc3\xa9\r\n")
                                  << QStringList{u"Café £5 – “ok” Ã©"_s};
    QTest::newRow("utf-8 after a byte-order mark, only the first dropped")
        << QByteArray("\xef\xbb\xbf\xef\xbb\xbf"
                      "Caf\xc3\xa9\xff\r\n")
        << QStringList{u"\ufeffCafé\ufffd"_s};
    QTest::newRow("nul bytes are text")
        << QByteArray("a\0b\r\n", 5) << QStringList{QString::fromUtf16(u"a\0b", 3)};
}

void TestTextRules::fields() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    QCOMPARE(readFieldsFromBytes(bytes), fields);
}

void TestTextRules::themeNames_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("empty lines and blanks never name a theme")
        << QByteArray("\r\n   \r\nModern\r\n\r\n,\r\n\"  \"\r\n") << QStringList{"Modern"};
    QTest::newRow("empty catalogue") << QByteArray("") << QStringList{};
}

void TestTextRules::themeNames() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    QCOMPARE(quorra::themeNames(readFieldsFromBytes(bytes)), names);
}

QTEST_APPLESS_MAIN(TestTextRules)
#include "tst_textrules.moc"
