#include "wizard/FieldReader.h"

#include <QtTest>

using namespace quorra;

class TestFieldReader : public QObject {
    Q_OBJECT
private slots:
    void fields_data();
    void fields();
    void themeNames_data();
    void themeNames();
};

void TestFieldReader::fields_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("empty file") << QByteArray() << QStringList{};
    QTest::newRow("no final line end") << QByteArray("Welcome") << QStringList{"Welcome"};
    QTest::newRow("unquoted comma splits")
        << QByteArray("Welcome, then press Next\r\n") << QStringList{"Welcome", "then press Next"};
    QTest::newRow("quoted comma stays")
        << QByteArray("\"Welcome, then press Next\"\r\n") << QStringList{"Welcome, then press Next"};
    QTest::newRow("blanks before skipped, trailing dropped")
        << QByteArray("   Classic blue   \r\n\tModern\r\n") << QStringList{"Classic blue", "Modern"};
    QTest::newRow("quoted keeps inner blanks")
        << QByteArray("\"  padded  \"\r\n") << QStringList{"  padded  "};
    QTest::newRow("mixed line ends") << QByteArray("a\r\nb\nc\rd") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("empty line is an empty field")
        << QByteArray("a\r\n\r\nb\r\n") << QStringList{"a", "", "b"};
    QTest::newRow("two quotes give an empty field")
        << QByteArray("a\r\n\"\"\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("comma before line end") << QByteArray("a,\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("text after closing quote dropped")
        << QByteArray("\"a\" junk,b\r\n") << QStringList{"a", "b"};
    QTest::newRow("quoted field spans lines") << QByteArray("\"a\r\nb\",c") << QStringList{"a\r\nb", "c"};
    QTest::newRow("unclosed quote runs to the end") << QByteArray("\"a,b\r\nc") << QStringList{"a,b\r\nc"};
    QTest::newRow("windows-1252 bytes") << QByteArray("Caf\xe9 \xa3"
                                                      "5 \x96 \x93ok\x94\r\n")
                                        << QStringList{QStringLiteral("Café £5 – “ok”")};
    QTest::newRow("utf-8 without the mark is Windows-1252")
        << QByteArray("Caf\xc3\xa9") << QStringList{QStringLiteral("Caf\u00c3\u00a9")};
    QTest::newRow("utf-8 byte-order mark") << QByteArray("\xef\xbb\xbf"
                                                         "Caf\xc3\xa9\r\n")
                                           << QStringList{QStringLiteral("Café")};
    QTest::newRow("only the first byte-order mark is dropped")
        << QByteArray("\xef\xbb\xbf\xef\xbb\xbf"
                      "Classic blue\r\n")
        << QStringList{QStringLiteral("\ufeffClassic blue")};
    QTest::newRow("invalid utf-8 after the mark") << QByteArray("\xef\xbb\xbf"
                                                                "a\xff\r\n")
                                                  << QStringList{QStringLiteral("a\ufffd")};
    QTest::newRow("nul bytes are text")
        << QByteArray("a\0b\r\n", 5) << QStringList{QString::fromUtf16(u"a\0b", 3)};
}

void TestFieldReader::fields() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, fields);
    QCOMPARE(readFieldsFromBytes(bytes), fields);
}

void TestFieldReader::themeNames_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("empty lines and blanks never name a theme")
        << QByteArray("\r\n   \r\nModern\r\n\r\n,\r\n\"  \"\r\n") << QStringList{"Modern"};
    QTest::newRow("empty catalogue") << QByteArray("") << QStringList{};
}

void TestFieldReader::themeNames() {
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    QCOMPARE(quorra::themeNames(readFieldsFromBytes(bytes)), names);
}

QTEST_APPLESS_MAIN(TestFieldReader)
#include "tst_fieldreader.moc"
