#include "page/PageWriter.h"
#include "support/TestFolder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QtTest>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

namespace {

using Fields = QList<PageField>;
const Fields Name{{u"txtName"_s, u"X"_s}};

// The bytes of a file that fail to read past a given offset, as on a broken disk.
class FailingDevice : public QBuffer {
public:
    FailingDevice(const QByteArray& bytes, qint64 readable)
        : m_readable(readable) {
        setData(bytes);
        open(QIODevice::ReadOnly);
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        setErrorString(u"Input/output error"_s);
        return pos() < m_readable ? QBuffer::readData(data, qMin(maxSize, m_readable - pos())) : -1;
    }

private:
    qint64 m_readable;
};

QByteArray writeToBuffer(const QByteArray& templ, const Fields& fields = Name) {
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

enum Fault { NoFault, NoTemplate, ReadOnlyPage, DiskFull, ReadError };

} // namespace

class TestPageWriter : public QObject {
    Q_OBJECT
private slots:
    void writePage_data();
    void writePage();
    void faultKeepsPreviousPage_data();
    void faultKeepsPreviousPage();
};

void TestPageWriter::writePage_data() {
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<QByteArray>("templ");
    QTest::addColumn<QByteArray>("page");
    QTest::newRow("replaced text is not searched again")
        << Fields{{u"txtCompanyFax"_s, u"txtCompanyName"_s}, {u"txtCompanyName"_s, u"A"_s}}
        << QByteArray("txtCompanyFax\n") << QByteArray("txtCompanyName\r\n");
    QTest::newRow("text equal to its own name is passed over")
        << Fields{{u"txtCompanyFax"_s, u"txtCompanyFax"_s}, {u"txtCompanyName"_s, u"A"_s}}
        << QByteArray("txtCompanyFax txtCompanyName") << QByteArray("txtCompanyFax A\r\n");
    QTest::newRow("a shorter name inside a longer one")
        << Fields{{u"txtPicture1"_s, u"a"_s}, {u"txtPicture10"_s, u"b"_s}}
        << QByteArray("txtPicture10 txtPicture1") << QByteArray("a0 a\r\n");
    QTest::newRow("names without a common start")
        << Fields{{u"abc"_s, u"1"_s}, {u"xyz"_s, u"2"_s}} << QByteArray("xyz abc\rabc")
        << QByteArray("xyz 1\r\n1\r\n");
    QTest::newRow("empty template") << Name << QByteArray() << QByteArray();
    QTest::newRow("LF CR is two line ends") << Name << QByteArray("a\n\rb") << QByteArray("a\r\n\r\nb\r\n");
    QTest::newRow("CR CR LF") << Name << QByteArray("a\r\r\nb") << QByteArray("a\r\n\r\nb\r\n");
    QTest::newRow("NUL bytes stay") << Name << QByteArray("a\0b\r\n", 5) << QByteArray("a\0b\r\n", 5);
    // Template bytes are not decoded: a pound sign and bytes of no code page stay.
    QTest::newRow("template bytes pass through")
        << Fields{{u"txtName"_s, u"é"_s}} << QByteArray("<p>\xa3 \xff\x81 txtName \xe9</p>\r\n")
        << QByteArray("<p>\xa3 \xff\x81 \xe9 \xe9</p>\r\n");
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

void TestPageWriter::writePage() {
    QFETCH(Fields, fields);
    QFETCH(QByteArray, templ);
    QFETCH(QByteArray, page);
    QCOMPARE(writeToBuffer(templ, fields), page);
}

void TestPageWriter::faultKeepsPreviousPage_data() {
    QTest::addColumn<int>("fault");
    QTest::addColumn<QString>("theme");
    QTest::addColumn<int>("lines");
    QTest::addColumn<qint64>("limit"); // bytes the disk takes, or read before the template fails
    QTest::addColumn<QString>("error");
    const QString theme = u"Old Map of the sea"_s;
    const QString full = u"The page \"%1/Old Map.html\" could not be written: File too large."_s;
    QTest::newRow("template missing")
        << int(NoTemplate) << theme << 1 << qint64(0)
        << u"The template \"%1/Old Map.txt\" could not be opened: No such file"_s;
    QTest::newRow("read-only page")
        << int(ReadOnlyPage) << theme << 1 << qint64(0)
        << u"The page \"%1/Old Map.html\" could not be written: the file is read-only."_s;
    QTest::newRow("template read error")
        << int(ReadError) << theme << 8000 << qint64(70000)
        << u"The template \"%1/Old Map.txt\" could not be read: Input/output error."_s;
    // 7 KB, 70 KB and 1.8 MB pages (the last written by a thread of its own while the rest
    // is generated); the kernel refuses the first byte, a byte mid-way, or one of the last
    // hundred (the part a buffered writer sends only when it closes the file).
    for (const int lines : {250, 2500, 100000}) {
        const qint64 size = lines * qint64(strlen("<p>Acme line</p>\r\n"));
        QTest::addRow("%d lines, none", lines) << int(DiskFull) << theme << lines << qint64(0) << full;
        QTest::addRow("%d lines, half", lines) << int(DiskFull) << theme << lines << size / 2 << full;
        QTest::addRow("%d lines, tail", lines) << int(DiskFull) << theme << lines << size - 100 << full;
    }
    // Themes whose stem would not name a plain file of the folder; "Clas.txt" lies outside it.
    for (const QString& unsafe :
         {u"../Clas"_s, u".."_s, u"a/b"_s, u"a\\b"_s, u"/tmp/x"_s, QString(), u"Cl\0ssic"_s})
        QTest::addRow("unsafe stem %s", qPrintable(unsafe))
            << int(NoFault) << unsafe << 1 << qint64(0) << u"The page could not be generated: "_s;
}

void TestPageWriter::faultKeepsPreviousPage() {
    QFETCH(int, fault);
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
    if (fault != NoTemplate)
        outer.write(u"app/Old Map.txt"_s, templ);
    outer.write(u"app/Old Map.html"_s, "previous page");
    if (fault == ReadOnlyPage)
        QFile::setPermissions(page, QFile::ReadOwner | QFile::ReadGroup);
    const Fields fields{{u"txtCompanyName"_s, u"Acme"_s}};
    PageResult result;
    if (fault == DiskFull) {
        FileSizeLimit diskFull(limit);
        result = generatePageFile(app, theme, fields);
    } else {
        result = generatePageFile(app, theme, fields, [&](QIODevice& file) {
            return fault == ReadError ? std::make_unique<FailingDevice>(file.readAll(), limit) : nullptr;
        });
    }
    QVERIFY(!result.ok);
    QVERIFY2(result.error.startsWith(error.arg(app)), qPrintable(result.error));
    QCOMPARE(readFile(page), QByteArray("previous page"));
    QCOMPARE(filesIn(app).filter(u".html"_s), QStringList{u"Old Map.html"_s});
    QCOMPARE(filesIn(outer.path()) + filesIn(app + u"/a"_s), QStringList{u"Clas.txt"_s});

    // Once the fault is gone the page is written whole: nothing stayed open.
    outer.write(u"app/Old Map.txt"_s, templ);
    QFile::setPermissions(page, QFile::ReadOwner | QFile::WriteOwner);
    const PageResult again = generatePageFile(app, u"Old Map of the sea"_s, fields);
    QVERIFY2(again.ok, qPrintable(again.error));
    QCOMPARE(readFile(page), QByteArray("<p>Acme line</p>\r\n").repeated(lines));
    QCOMPARE(filesIn(app), QStringList({u"Old Map.html"_s, u"Old Map.txt"_s}));
}

QTEST_GUILESS_MAIN(TestPageWriter)
#include "tst_pagewriter.moc"
