#include "page/PageSubstituter.h"
#include "page/PageWriter.h"
#include "page/TemplateLineReader.h"
#include "support/TestFolder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QtTest>

#include <unistd.h>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

namespace {

using Fields = QList<PageField>;

// A device that reads a given number of bytes from the one behind it and then fails, as
// a broken disk does.
class FailingDevice : public QIODevice {
public:
    FailingDevice(QIODevice& inner, qint64 bytesBeforeFailure)
        : m_inner(inner)
        , m_left(bytesBeforeFailure) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        if (m_left <= 0) {
            setErrorString(u"Input/output error"_s);
            return -1;
        }
        const qint64 n = m_inner.read(data, qMin(maxSize, m_left));
        m_left -= qMax<qint64>(n, 0);
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QIODevice& m_inner;
    qint64 m_left;
};

// Hands out the bytes of a buffer a few at a time, so lines and line ends cross reads.
class TrickleDevice : public QIODevice {
public:
    explicit TrickleDevice(QByteArray bytes)
        : m_bytes(std::move(bytes)) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const qint64 n = std::min<qint64>({maxSize, 3, m_bytes.size() - m_pos});
        std::memcpy(data, m_bytes.constData() + m_pos, size_t(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_pos = 0;
};

QByteArray substitute(const Fields& fields, const QByteArray& line) {
    PageSubstituter substituter(fields);
    QByteArray out;
    substituter.appendLine(line, out);
    return out;
}

QByteArray writeToBuffer(const QByteArray& templ, const Fields& fields = {}) {
    QBuffer in;
    in.setData(templ);
    in.open(QIODevice::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    const PageResult result = writePage(in, out, fields);
    if (!result.ok)
        qWarning() << result.error;
    return out.data();
}

bool runningAsRoot() {
    return geteuid() == 0;
}

} // namespace

class TestPageWriter : public QObject {
    Q_OBJECT
private slots:
    void substitution_data();
    void substitution();
    void lineEnds_data();
    void lineEnds();
    void lineEndsAcrossReads();
    void longLineAcrossBlocks();
    void linesAtBlockEnd_data();
    void linesAtBlockEnd();
    void templateBytesPassThrough();
    void fileNames_data();
    void fileNames();
    void writesPageOfTheStem();
    void missingTemplateLeavesPage();
    void readOnlyPageKept();
    void readOnlyFolder();
    void diskFullKeepsPreviousPage_data();
    void diskFullKeepsPreviousPage();
    void templateReadErrorKeepsPage();
    void unsafeStems_data();
    void unsafeStems();
};

void TestPageWriter::substitution_data() {
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("page");

    const Fields company{{u"txtCompanyFax"_s, u"01234 5678"_s}, {u"txtCompanyName"_s, u"Acme"_s}};
    QTest::newRow("one name") << company << QByteArray("<h1>txtCompanyName</h1>")
                              << QByteArray("<h1>Acme</h1>");
    QTest::newRow("earliest name in table order wins")
        << company << QByteArray("txtCompanyName, fax txtCompanyFax")
        << QByteArray("txtCompanyName, fax 01234 5678");
    QTest::newRow("every occurrence")
        << company << QByteArray("txtCompanyName and txtCompanyName") << QByteArray("Acme and Acme");
    QTest::newRow("letter case counts") << company << QByteArray("TXTCOMPANYNAME txtcompanyname")
                                        << QByteArray("TXTCOMPANYNAME txtcompanyname");
    QTest::newRow("no name") << company << QByteArray("<p>plain</p>") << QByteArray("<p>plain</p>");
    QTest::newRow("empty line") << company << QByteArray() << QByteArray();
    QTest::newRow("text equal to its name is passed over")
        << Fields{{u"txtCompanyFax"_s, u"txtCompanyFax"_s}, {u"txtCompanyName"_s, u"Acme"_s}}
        << QByteArray("txtCompanyFax txtCompanyName") << QByteArray("txtCompanyFax Acme");
    QTest::newRow("replaced text is not searched again")
        << Fields{{u"txtCompanyFax"_s, u"txtCompanyName"_s}, {u"txtCompanyName"_s, u"Acme"_s}}
        << QByteArray("txtCompanyFax") << QByteArray("txtCompanyName");
    QTest::newRow("empty text empties the name")
        << Fields{{u"txtPurchase1"_s, QString()}} << QByteArray("txtPurchase1") << QByteArray();
    QTest::newRow("blanks trimmed, tabs and line breaks kept")
        << Fields{{u"txtCompanyAddress"_s, u"  \t1 High St\r\nTown \r\n  "_s}}
        << QByteArray("[txtCompanyAddress]") << QByteArray("[\t1 High St\r\nTown \r\n]");
    QTest::newRow("blanks only") << Fields{{u"txtCompanyName"_s, u"    "_s}}
                                 << QByteArray("<b>txtCompanyName</b>") << QByteArray("<b></b>");
    QTest::newRow("a shorter name inside a longer one")
        << Fields{{u"txtPicture1"_s, u"a.png"_s}, {u"txtPicture10"_s, u"b.png"_s}}
        << QByteArray("txtPicture10") << QByteArray("a.png0");
    QTest::newRow("later name of the line first in the table")
        << Fields{{u"txtB"_s, u"2"_s}, {u"txtA"_s, u"1"_s}} << QByteArray("txtA txtB txtA")
        << QByteArray("txtA 2 txtA");
    QTest::newRow("names without a common start")
        << Fields{{u"abc"_s, u"1"_s}, {u"xyz"_s, u"2"_s}} << QByteArray("xyz abc") << QByteArray("xyz 1");
    QTest::newRow("markup reaches the page as typed")
        << Fields{{u"txtMission"_s, u"<b>Fish & Chips</b>"_s}} << QByteArray("txtMission")
        << QByteArray("<b>Fish & Chips</b>");
    QTest::newRow("Windows-1252 and references")
        << Fields{{u"txtCompanyName"_s, u"Café £5 – 中文 😀"_s}} << QByteArray("txtCompanyName")
        << QByteArray("Caf\xe9 \xa3"
                      "5 \x96 &#20013;&#25991; &#128512;");
}

void TestPageWriter::substitution() {
    QFETCH(Fields, fields);
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, page);
    QCOMPARE(substitute(fields, line), page);
}

void TestPageWriter::lineEnds_data() {
    QTest::addColumn<QByteArray>("templ");
    QTest::addColumn<QByteArray>("page");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QByteArray("a\r\nb\r\n");
    QTest::newRow("LF") << QByteArray("a\nb\n") << QByteArray("a\r\nb\r\n");
    QTest::newRow("CR") << QByteArray("a\rb\r") << QByteArray("a\r\nb\r\n");
    QTest::newRow("no final line end") << QByteArray("a\r\nb") << QByteArray("a\r\nb\r\n");
    QTest::newRow("empty template") << QByteArray() << QByteArray();
    QTest::newRow("only a line end") << QByteArray("\r\n") << QByteArray("\r\n");
    QTest::newRow("empty lines") << QByteArray("\r\n\r\n\n\r") << QByteArray("\r\n\r\n\r\n\r\n");
    QTest::newRow("LF CR is two line ends") << QByteArray("a\n\rb") << QByteArray("a\r\n\r\nb\r\n");
    QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QByteArray("a\r\n\r\nb\r\n");
    QTest::newRow("NUL bytes stay") << QByteArray("a\0b\r\n", 5) << QByteArray("a\0b\r\n", 5);
}

void TestPageWriter::lineEnds() {
    QFETCH(QByteArray, templ);
    QFETCH(QByteArray, page);
    QCOMPARE(writeToBuffer(templ, {{u"txtName"_s, u"x"_s}}), page);
}

void TestPageWriter::lineEndsAcrossReads() {
    TrickleDevice device("one\r\ntwo\rthree\nfour\r\n\r\nfive");
    TemplateLineReader reader(device);
    QByteArrayList lines;
    QByteArrayView line;
    while (reader.readLine(line))
        lines.append(line.toByteArray());
    QVERIFY(!reader.hasError());
    QCOMPARE(lines, QByteArrayList({"one", "two", "three", "four", "", "five"}));
}

void TestPageWriter::longLineAcrossBlocks() {
    // A CR as the last byte of a block and its LF as the first of the next are one line end.
    const qsizetype block = TemplateLineReader::BlockSize;
    QByteArray templ(block - 1, 'a');
    templ += "\r\n";
    templ += QByteArray(3 * block + 5, 'b') + "txtName" + QByteArray(10, 'c');
    const QByteArray page = writeToBuffer(templ, {{u"txtName"_s, u"X"_s}});
    QCOMPARE(page, QByteArray(block - 1, 'a') + "\r\n" + QByteArray(3 * block + 5, 'b') + "X" +
                       QByteArray(10, 'c') + "\r\n");
}

void TestPageWriter::linesAtBlockEnd_data() {
    // The first line's CR LF ends shift bytes after the end of the first block; an empty
    // line, a name and lines with other line ends follow it.
    QTest::addColumn<int>("shift");
    for (const int shift : {-30, -20, -18, -17, -16, -12, -9, -4, -3, -1, 0, 1, 2})
        QTest::addRow("%d", shift) << shift;
}

void TestPageWriter::linesAtBlockEnd() {
    QFETCH(int, shift);
    const QByteArray first = QByteArray(TemplateLineReader::BlockSize + shift - 2, 'a') + "\r\n";
    const QByteArray rest = "\n<p>txtName</p>\r\nb\nc\rd\r\ntxtNam";
    QCOMPARE(writeToBuffer(first + rest, {{u"txtName"_s, u"X"_s}}),
             first + "\r\n<p>X</p>\r\nb\r\nc\r\nd\r\ntxtNam\r\n");
}

void TestPageWriter::templateBytesPassThrough() {
    // Bytes of the template are not decoded: a pound sign and bytes of no code page stay.
    const QByteArray templ = "<p>\xa3 \xff\x81 txtName \xe9</p>\r\n";
    QCOMPARE(writeToBuffer(templ, {{u"txtName"_s, u"é"_s}}),
             QByteArray("<p>\xa3 \xff\x81 \xe9 \xe9</p>\r\n"));
}

void TestPageWriter::fileNames_data() {
    QTest::addColumn<QString>("theme");
    QTest::addColumn<QString>("stem");
    QTest::newRow("long entry") << u"Classic blue"_s << u"Classic"_s;
    QTest::newRow("nine letters") << u"Abcdefghi"_s << u"Abcdefg"_s;
    QTest::newRow("four letters") << u"Mint"_s << u"Mint"_s;
    QTest::newRow("blank in the first seven") << u"Old Map of the sea"_s << u"Old Map"_s;
}

void TestPageWriter::fileNames() {
    QFETCH(QString, theme);
    QFETCH(QString, stem);
    QCOMPARE(templateFileName(u"/app"_s, theme), u"/app/"_s + stem + u".txt"_s);
    QCOMPARE(pageFileName(u"/app"_s, theme), u"/app/"_s + stem + u".html"_s);
}

void TestPageWriter::writesPageOfTheStem() {
    TestFolder folder(TestFolder::Empty);
    folder.write(u"Classic.txt"_s, "<h1>txtCompanyName</h1>\r\n");
    folder.write(u"Classic.html"_s, "old page, much longer than the new one\r\n");
    const PageResult result =
        generatePageFile(folder.path(), u"Classic blue"_s, {{u"txtCompanyName"_s, u"Acme"_s}});
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(folder.read(u"Classic.html"_s), QByteArray("<h1>Acme</h1>\r\n"));
    QCOMPARE(filesIn(folder.path()), QStringList({u"Classic.html"_s, u"Classic.txt"_s}));
}

void TestPageWriter::missingTemplateLeavesPage() {
    TestFolder folder(TestFolder::Empty);
    folder.write(u"Harbour.html"_s, "previous page");
    const PageResult result = generatePageFile(folder.path(), u"Harbour"_s, {});
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains(folder.filePath(u"Harbour.txt"_s)), qPrintable(result.error));
    QVERIFY2(result.error.contains(u"No such file"_s), qPrintable(result.error));
    QCOMPARE(folder.read(u"Harbour.html"_s), QByteArray("previous page"));
    QCOMPARE(filesIn(folder.path()), QStringList({u"Harbour.html"_s}));

    // With neither template nor page nothing is created.
    TestFolder empty(TestFolder::Empty);
    QVERIFY(!generatePageFile(empty.path(), u"Harbour"_s, {}).ok);
    QVERIFY(filesIn(empty.path()).isEmpty());
}

void TestPageWriter::readOnlyPageKept() {
    TestFolder folder(TestFolder::Empty);
    folder.write(u"Modern.txt"_s, "new\r\n");
    folder.write(u"Modern.html"_s, "previous page");
    QFile::setPermissions(folder.filePath(u"Modern.html"_s), QFile::ReadOwner | QFile::ReadGroup);
    const PageResult result = generatePageFile(folder.path(), u"Modern"_s, {});
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains(u"read-only"_s), qPrintable(result.error));
    QCOMPARE(folder.read(u"Modern.html"_s), QByteArray("previous page"));
    QCOMPARE(filesIn(folder.path()), QStringList({u"Modern.html"_s, u"Modern.txt"_s}));
}

void TestPageWriter::readOnlyFolder() {
    if (runningAsRoot())
        QSKIP("root may write into a read-only folder");
    TestFolder folder(TestFolder::Empty);
    folder.write(u"Modern.txt"_s, "new\r\n");
    folder.write(u"Modern.html"_s, "previous page");
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
    const PageResult result = generatePageFile(folder.path(), u"Modern"_s, {});
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!result.ok);
    QVERIFY2(result.error.contains(folder.filePath(u"Modern.html"_s)), qPrintable(result.error));
    QCOMPARE(folder.read(u"Modern.html"_s), QByteArray("previous page"));
}

void TestPageWriter::diskFullKeepsPreviousPage_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<qint64>("limit");
    // 7 KB and 70 KB pages; the kernel refuses the first byte, a byte mid-way, or one of
    // the last hundred (the part a buffered writer sends only when it closes the file).
    for (const int lines : {250, 2500}) {
        const qint64 size = lines * qint64(strlen("<p>Acme line</p>\r\n"));
        QTest::addRow("%d lines, none", lines) << lines << qint64(0);
        QTest::addRow("%d lines, half", lines) << lines << size / 2;
        QTest::addRow("%d lines, tail", lines) << lines << size - 100;
    }
}

void TestPageWriter::diskFullKeepsPreviousPage() {
    QFETCH(int, lines);
    QFETCH(qint64, limit);
    TestFolder folder(TestFolder::Empty);
    const QByteArray templ = QByteArray("<p>txtCompanyName line</p>\r\n").repeated(lines);
    folder.write(u"Orchard.txt"_s, templ);
    folder.write(u"Orchard.html"_s, "previous page");
    const Fields fields{{u"txtCompanyName"_s, u"Acme"_s}};
    PageResult result;
    {
        FileSizeLimit full(limit);
        result = generatePageFile(folder.path(), u"Orchard"_s, fields);
    }
    QVERIFY(!result.ok);
    QVERIFY2(result.error.startsWith(u"The page \""_s + folder.filePath(u"Orchard.html"_s)),
             qPrintable(result.error));
    QVERIFY2(result.error.contains(u"too large"_s), qPrintable(result.error));
    QCOMPARE(folder.read(u"Orchard.html"_s), QByteArray("previous page"));
    QCOMPARE(filesIn(folder.path()), QStringList({u"Orchard.html"_s, u"Orchard.txt"_s}));

    // With room again the page is written whole: nothing stayed open.
    const PageResult again = generatePageFile(folder.path(), u"Orchard"_s, fields);
    QVERIFY2(again.ok, qPrintable(again.error));
    QCOMPARE(folder.read(u"Orchard.html"_s), QByteArray("<p>Acme line</p>\r\n").repeated(lines));
}

void TestPageWriter::templateReadErrorKeepsPage() {
    TestFolder folder(TestFolder::Empty);
    folder.write(u"Orchard.txt"_s, QByteArray(200000, 'x'));
    folder.write(u"Orchard.html"_s, "previous page");
    const PageResult result = generatePageFile(folder.path(), u"Orchard"_s, {}, [](QIODevice& file) {
        return std::make_unique<FailingDevice>(file, 70000);
    });
    QVERIFY(!result.ok);
    QVERIFY2(result.error.startsWith(u"The template \""_s + folder.filePath(u"Orchard.txt"_s)),
             qPrintable(result.error));
    QVERIFY2(result.error.contains(u"Input/output error"_s), qPrintable(result.error));
    QCOMPARE(folder.read(u"Orchard.html"_s), QByteArray("previous page"));
    QCOMPARE(filesIn(folder.path()).size(), 2);
}

void TestPageWriter::unsafeStems_data() {
    QTest::addColumn<QString>("theme");
    QTest::newRow("parent folder") << u"../Clas"_s;
    QTest::newRow("dots only") << u".."_s;
    QTest::newRow("slash") << u"a/b"_s;
    QTest::newRow("backslash") << u"a\\b"_s;
    QTest::newRow("absolute path") << u"/tmp/x"_s;
    QTest::newRow("empty") << QString();
    QTest::newRow("nul") << u"Cl\0ssic"_s;
}

void TestPageWriter::unsafeStems() {
    QFETCH(QString, theme);
    TestFolder outer(TestFolder::Empty);
    const QString app = outer.filePath(u"app"_s);
    QVERIFY(QDir().mkpath(app + u"/a"_s));
    outer.write(u"Clas.txt"_s, "outside\r\n");
    QVERIFY(!isSafeThemeStem(theme.left(7)));
    const PageResult result = generatePageFile(app, theme, {});
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(filesIn(outer.path()), QStringList({u"Clas.txt"_s}));
    QVERIFY(filesIn(app).isEmpty());
    QVERIFY(filesIn(app + u"/a"_s).isEmpty());
}

QTEST_GUILESS_MAIN(TestPageWriter)
#include "tst_pagewriter.moc"
