#include "entry/AmountFormat.h"
#include "entry/TextRules.h"
#include "page/Cp1252.h"
#include "page/PageOutput.h"
#include "page/PageWriter.h"
#include "page/TemplateLineReader.h"
#include "support/TestFolder.h"
#include "wizard/FieldReader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QtTest>

#include <sys/stat.h>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

namespace {

using Fields = QList<PageField>;
const Fields Name{{u"txtName"_s, u"X"_s}};

} // namespace

// The text rules (line breaks, the code page, the comma-delimited data files, amounts) and
// the page writer (the fragments of the page are checked on the golden pages).
class TestPageWriter : public QObject {
    Q_OBJECT
private slots:
    void writePage_data() {
        QTest::addColumn<Fields>("fields");
        QTest::addColumn<QByteArray>("templ");
        QTest::addColumn<QByteArray>("page");
        QTest::newRow("replaced text is not searched again")
            << Fields{{u"txtFax"_s, u"txtName"_s}, {u"txtName"_s, u"A"_s}} << QByteArray("txtFax\n")
            << QByteArray("txtName\r\n");
        QTest::newRow("text equal to its name is passed over, one name a line")
            << Fields{{u"txtFax"_s, u"txtFax"_s}, {u"txtName"_s, u"A"_s}, {u"txtB"_s, u"B"_s}}
            << QByteArray("txtFax txtB txtName") << QByteArray("txtFax txtB A\r\n");
        QTest::newRow("a shorter name inside a longer one, no common start")
            << Fields{{u"p1"_s, u"a"_s}, {u"p10"_s, u"b"_s}, {u"x"_s, u"c"_s}} << QByteArray("p10 p1\rx")
            << QByteArray("a0 a\r\nc\r\n");
        QTest::newRow("the names' common start is a name too")
            << Fields{{u"txt"_s, u"a"_s}, {u"txtB"_s, u"b"_s}} << QByteArray("txtB") << QByteArray("aB\r\n");
        QTest::newRow("text trimmed of spaces only") // no-break spaces stay too
            << Fields{{u"txtName"_s, u" \u00a0\t\nAcme\r\n\t\u00a0 "_s}} << QByteArray("<p>txtName</p>")
            << QByteArray("<p>\xa0\t\nAcme\r\n\t\xa0</p>\r\n");
        QTest::newRow("empty template") << Name << QByteArray() << QByteArray();
        QTest::newRow("LF CR, CR CR LF")
            << Name << QByteArray("a\n\rb\r\r\nc") << QByteArray("a\r\n\r\nb\r\n\r\nc\r\n");
        // Template bytes are not decoded: a pound sign, NUL and bytes of no code page stay.
        QTest::newRow("template bytes pass through")
            << Fields{{u"txtName"_s, u"é"_s}} << QByteArray("<p>\xa3\0\xff\x81 txtName \xe9</p>\r\n", 23)
            << QByteArray("<p>\xa3\0\xff\x81 \xe9 \xe9</p>\r\n", 17);
        // A text larger than the page's buffer is written after what the buffer holds.
        const QByteArray large(PageOutput::BufferSize + 100, 'x');
        QTest::newRow("text larger than the buffer")
            << Fields{{u"txtName"_s, QString::fromLatin1(large)}} << QByteArray("<p>txtName</p>")
            << "<p>" + large + "</p>\r\n";
        // A CR as the last byte of a block and its LF as the first of the next are one line end.
        const qsizetype block = TemplateLineReader::BlockSize;
        const QByteArray a = QByteArray(block - 1, 'a') + "\r\n" + QByteArray(3 * block + 5, 'b');
        QTest::newRow("long line across blocks")
            << Name << a + "txtName" + QByteArray(10, 'c') << a + "X" + QByteArray(10, 'c') + "\r\n";
        // The first line's CR LF ends shift bytes after the end of the first block.
        for (const int shift : {-30, -20, -18, -17, -16, -12, -9, -4, -3, -1, 0, 1, 2}) {
            const QByteArray first = QByteArray(block + shift - 2, 'a') + "\r\n";
            QTest::addRow("lines at block end %d", shift)
                << Name << first + "\n<p>txtName</p>\r\nb\nc\rd\r\ntxtNam"
                << first + "\r\n<p>X</p>\r\nb\r\nc\r\nd\r\ntxtNam\r\n";
        }
    }

    void writePage() {
        QFETCH(Fields, fields);
        QFETCH(QByteArray, templ);
        QFETCH(QByteArray, page);
        QBuffer in(&templ), out;
        QVERIFY(in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly));
        QVERIFY(quorra::writePage(in, out, fields).ok);
        QCOMPARE(out.data(), page);
    }

    void faultKeepsPreviousPage_data() {
        // The row's name says what goes wrong.
        QTest::addColumn<QString>("theme");
        QTest::addColumn<int>("lines");    // of the template
        QTest::addColumn<qint64>("limit"); // bytes the disk takes
        QTest::addColumn<QString>("error");
        const QString theme = u"Old Map of the sea"_s;
        const QString full = u"The page \"%1/Old Map.html\" could not be written: File too large."_s;
        QTest::newRow("template missing")
            << theme << 2500 << qint64(0)
            << u"The template \"%1/Old Map.txt\" could not be opened: No such file"_s;
        QTest::newRow("read-only page")
            << theme << 2500 << qint64(0)
            << u"The page \"%1/Old Map.html\" could not be written: the file is read-only."_s;
        QTest::newRow("template read error")
            << theme << 2500 << qint64(0)
            << u"The template \"%1/Old Map.txt\" could not be read: Input/output error."_s;
        // Opening a FIFO would wait for a writer; reading /dev/zero would never end.
        for (const char* special : {"template a FIFO", "template a device"})
            QTest::newRow(special)
                << theme << 2500 << qint64(0)
                << u"The template \"%1/Old Map.txt\" could not be opened: it is not a regular file."_s;
        // A 45 KB page, and one of 1.8 MB that takes several writes; the kernel refuses the
        // first byte, a byte mid-way, or one of the last hundred (the part a buffered writer
        // sends only when it closes the file).
        for (const int lines : {2500, 100000}) {
            const qint64 size = lines * qint64(strlen("<p>Acme line</p>\r\n"));
            for (const qint64 limit : {qint64(0), size / 2, size - 100})
                QTest::addRow("disk full at %lld of %lld", limit, size) << theme << lines << limit << full;
        }
        // Themes whose stem would not name a plain file of the folder; "Clas.txt" lies outside it.
        for (const QString& unsafe :
             {u"../Clas"_s, u".."_s, u"a/b"_s, u"a\\b"_s, u"/tmp/x"_s, QString(), u"Cl\0ssic"_s})
            QTest::addRow("unsafe stem %s", qPrintable(unsafe))
                << unsafe << 1 << qint64(0) << u"The page could not be generated: "_s;
    }

    void faultKeepsPreviousPage() {
        const QByteArray fault = QTest::currentDataTag();
        QFETCH(QString, theme);
        QFETCH(int, lines);
        QFETCH(qint64, limit);
        QFETCH(QString, error);
        TestFolder outer(TestFolder::Empty);
        const QString app = outer.filePath(u"app"_s);
        QVERIFY(QDir().mkpath(app + u"/a"_s));
        outer.write(u"Clas.txt"_s, "outside\r\n");
        const QByteArray templ = QByteArray("<p>txtCompanyName line</p>\r\n").repeated(lines);
        const QString page = app + u"/Old Map.html"_s;
        if (fault == "template read error") // the kernel refuses to read this file's first byte
            QVERIFY(QFile::link(u"/proc/self/mem"_s, app + u"/Old Map.txt"_s));
        else if (fault == "template a device")
            QVERIFY(QFile::link(u"/dev/zero"_s, app + u"/Old Map.txt"_s));
        else if (fault == "template a FIFO")
            QCOMPARE(::mkfifo(QFile::encodeName(app + u"/Old Map.txt"_s).constData(), 0600), 0);
        else if (fault != "template missing")
            outer.write(u"app/Old Map.txt"_s, templ);
        outer.write(u"app/Old Map.html"_s, "previous page");
        if (fault == "read-only page")
            QFile::setPermissions(page, QFile::ReadOwner | QFile::ReadGroup);
        const Fields fields{{u"txtCompanyName"_s, u"Acme"_s}};
        const PageResult result = [&] {
            const FileSizeLimit diskFull(fault.startsWith("disk full") ? limit : -1);
            return generatePageFile(app, theme, fields);
        }();
        QVERIFY2(!result.ok && result.error.startsWith(error.arg(app)), qPrintable(result.error));
        QCOMPARE(readFile(page), QByteArray("previous page"));
        QCOMPARE(filesIn(outer.path()) + filesIn(app + u"/a"_s), QStringList{u"Clas.txt"_s});

        // Once the fault is gone the page is written whole: nothing stayed open.
        QFile::remove(app + u"/Old Map.txt"_s);
        outer.write(u"app/Old Map.txt"_s, templ);
        QFile::setPermissions(page, QFile::ReadOwner | QFile::WriteOwner);
        const PageResult again = generatePageFile(app, u"Old Map of the sea"_s, fields);
        QVERIFY2(again.ok, qPrintable(again.error));
        QCOMPARE(readFile(page), QByteArray("<p>Acme line</p>\r\n").repeated(lines));
        QCOMPARE(filesIn(app), QStringList({u"Old Map.html"_s, u"Old Map.txt"_s}));
    }

    // Temporary pages of a wizard killed while writing go at the next generation once they
    // are an hour old; a fresh one, which a running wizard may be writing, and other files stay.
    void staleTemporaryPagesGo() {
        TestFolder app(TestFolder::Empty);
        app.write(u"Classic.txt"_s, "page\r\n");
        const QDateTime old = QDateTime::currentDateTime().addSecs(-3700);
        for (const QString& name :
             {u"Classic.html.a1B2c3"_s, u"Modern.html.Zz9yY8"_s, u"Classic.html.fresh1"_s,
              u"Classic.html.bak"_s, u"notes.txt.a1B2c3"_s, u"Classic.html.\u00e91B2c3"_s}) {
            app.write(name, "x");
            QFile file(app.filePath(name));
            QVERIFY(
                file.open(QIODevice::ReadWrite) &&
                (name == u"Classic.html.fresh1" || file.setFileTime(old, QFileDevice::FileModificationTime)));
        }
        QVERIFY(generatePageFile(app.path(), u"Classic"_s, Name).ok);
        QCOMPARE(filesIn(app.path()),
                 QStringList({u"Classic.html"_s, u"Classic.html.bak"_s, u"Classic.html.fresh1"_s,
                              u"Classic.html.\u00e91B2c3"_s, u"Classic.txt"_s, u"notes.txt.a1B2c3"_s}));
    }

    void lineBreaks() { // LF, CR LF, a lone CR and the separators are each one line end
        QCOMPARE(toCrLf(u"a\nb\r\nc\rd\u2029e\u2028f\r\n"_s), u"a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n"_s);
        QCOMPARE(fromCrLf(u"a\r\nb\r\nc\r\n"_s), u"a\nb\nc\n"_s);
    }

    void encode() {
        // The bytes 0x80 to 0x9F stand for other characters, so these are written as references.
        QCOMPARE(encodeCp1252(u"\u0080\u0085\u0095\u009f"_s), "&#128;&#133;&#149;&#159;");
        const QString undefined = u"\u0081\u008d\u008f\u0090\u009d"_s; // the five undefined bytes
        QCOMPARE(encodeCp1252(undefined), "\x81\x8d\x8f\x90\x9d");
        QCOMPARE(decodeCp1252("\x81\x8d\x8f\x90\x9d"), undefined);
        QByteArray all; // every byte decodes as the system's converter has the code page
        for (int b = 0; b < 256; ++b)
            all += char(b);
        QCOMPARE(decodeCp1252(all), QStringDecoder("windows-1252").decode(all));
    }

    // The comma-delimited data files: blanks before a field skipped, after it dropped, quoted
    // ones kept; empty fields; text after a closing quote dropped; an unclosed quote running to
    // the end; Windows-1252, or UTF-8 after a byte-order mark (only the first mark dropped).
    void fields() {
        QStringList read; // each file's fields joined by '|'
        for (const QByteArray& file :
             {QByteArray(), QByteArray("   Classic blue \t \r\n\tModern,\"  padded  \"\r\n"),
              QByteArray("a,\r\n\r\n\"\"\r\nb"), QByteArray("a,"), QByteArray("\"a\" junk,b\r\n"),
              QByteArray("\"a,b\r\nc"),
              QByteArray("Caf\xe9 \xa3"
                         "5 \x96 \x93ok\x94 \xc3\xa9\r\n"),
              QByteArray("\xef\xbb\xbf\xef\xbb\xbf"
                         "Caf\xc3\xa9\xff\r\n")})
            read += readFieldsFromBytes(file).join(u'|');
        QCOMPARE(read, QStringList({u""_s, u"Classic blue|Modern|  padded  "_s, u"a||||b"_s, u"a|"_s,
                                    u"a|b"_s, u"a,b\r\nc"_s, u"Café £5 – “ok” Ã©"_s, u"\ufeffCafé\ufffd"_s}));
    }

    // Amounts as "0.00", rounded half up, also beyond 64 bits, with blanks and a sign around;
    // what is not a number stays as typed.
    void amount() {
        QStringList formatted;
        for (
            const QString& text :
            u"5|.5|1.2000|2.675|999.999|123456789012345678901234567890.125|  +2.5 |-2.675|-0.004||1.2.3|   "_s
                .split(u'|'))
            formatted += formatAmount(text);
        QCOMPARE(
            formatted.join(u'|'),
            u"5.00|0.50|1.20|2.68|1000.00|123456789012345678901234567890.13|2.50|-2.68|0.00||1.2.3|   "_s);
    }
};

QTEST_GUILESS_MAIN(TestPageWriter)
#include "tst_pagewriter.moc"
