#include "despatch/QtPrinterService.h"
#include "page/QtProgramLauncher.h"
#include "support/TestFolder.h"

#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

// The real platform services: the Qt printer service writing into a PDF file, which stands
// in for a printer, and the program launcher.
class TestPrinter : public QObject {
    Q_OBJECT
private slots:
    void printsDocuments();
    void abortSendsNothing();
    void launcher();
};

namespace {

// The text of a PDF file, a form feed after each page.
QString pdfText(const QString& pdf) {
    QProcess text;
    text.start(u"pdftotext"_s, {pdf, u"-"_s});
    if (!text.waitForFinished(10000))
        qWarning("pdftotext (poppler-utils) is needed");
    return QString::fromUtf8(text.readAllStandardOutput());
}

} // namespace

void TestPrinter::printsDocuments() {
    TestFolder folder(TestFolder::Empty);
    const QString pdf = folder.filePath(u"summary.pdf"_s);
    QtPrinterService printer(pdf);
    QVERIFY(printer.printLine(u"Company Address   :1 High St\r\nTown"_s));
    QVERIFY(printer.printLine(u"word "_s.repeated(80)));     // wider than the page: wrapped
    QVERIFY(printer.printLine(u"/"_s + QString(300, u'z'))); // a long path too, never cut
    for (int i = 0; i < 200; ++i)                            // longer than a page: more pages
        QVERIFY(printer.printLine(u"line "_s + QString::number(i)));
    QVERIFY(!QFile::exists(pdf)); // nothing goes out before the end
    QVERIFY(printer.endDocument());
    QString text = pdfText(pdf);
    QVERIFY2(text.startsWith(u"Company Address :1 High St\nTown\n"_s) && text.contains(u"line 199"_s),
             qPrintable(text));
    QCOMPARE(text.count(u"word"_s), 80);
    QCOMPARE(text.count(u'z'), 300);
    QVERIFY2(!text.contains(u"word "_s.repeated(40)), qPrintable(text));
    QVERIFY(text.count(u'\f') >= 3);

    // Each document is new: printing again after the end starts another one.
    QVERIFY(printer.printLine(u"again"_s));
    QVERIFY(printer.endDocument());
    QCOMPARE(pdfText(pdf).simplified(), u"again"_s);

    QtPrinterService unwritable(u"/nonexistent-folder/summary.pdf"_s);
    QVERIFY(unwritable.printLine(u"line"_s));
    QVERIFY(!unwritable.endDocument());
}

void TestPrinter::abortSendsNothing() {
    TestFolder folder(TestFolder::Empty);
    const QString pdf = folder.filePath(u"aborted.pdf"_s);
    {
        QtPrinterService printer(pdf);
        QVERIFY(printer.printLine(u"half a summary"_s));
        printer.abortDocument();
    }
    QVERIFY(!QFile::exists(pdf));
}

void TestPrinter::launcher() {
    TestFolder folder(TestFolder::Empty);
    const QString program = folder.filePath(u"MarlixExp"_s);
    QtProgramLauncher launcher;
    QVERIFY(!launcher.startDetached(program, {u"x"_s})); // missing
    folder.write(u"MarlixExp"_s, "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > \"$(dirname \"$0\")/args\"\n");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString page = u"/a b/\"c\" $(d); e.html"_s; // no shell between
    QVERIFY(launcher.startDetached(program, {page}));
    QTRY_COMPARE(folder.read(u"args"_s), "1\n" + page.toUtf8() + "\n");
}

QTEST_MAIN(TestPrinter)
#include "tst_printer.moc"
