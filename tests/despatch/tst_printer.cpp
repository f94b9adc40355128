#include "despatch/QtPrinterService.h"
#include "page/QtProgramLauncher.h"
#include "support/TestFolder.h"

#include <QGuiApplication>
#include <QPrinterInfo>
#include <QtTest>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

// The real platform services: the Qt printer service writing into a PDF file, which stands
// in for a printer, and the program launcher.
class TestPrinter : public QObject {
    Q_OBJECT
private slots:
    void printsAndEnds();
    void newPageWhenFull();
    void abortSendsNothing();
    void unwritableFile();
    void noDefaultPrinter();
    void launcher();

private:
    static int pages(const QByteArray& pdf) {
        return int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r"));
    }
};

void TestPrinter::printsAndEnds() {
    TestFolder folder(TestFolder::Empty);
    const QString pdf = folder.filePath(u"summary.pdf"_s);
    QtPrinterService printer(pdf);
    QVERIFY(printer.printLine(u"Company Address   :1 High St\r\nTown"_s));
    QVERIFY(printer.printLine(QString()));
    QVERIFY(printer.printLine(QString(400, u'x'))); // wider than the page: wrapped
    QVERIFY(!QFile::exists(pdf));                   // nothing goes out before the end
    QVERIFY(printer.endDocument());
    const QByteArray bytes = readFile(pdf);
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(pages(bytes), 1);

    // Each document is new: printing again after the end starts another one.
    QVERIFY(printer.printLine(u"again"_s));
    QVERIFY(printer.endDocument());
    QCOMPARE(pages(readFile(pdf)), 1);
}

void TestPrinter::newPageWhenFull() {
    TestFolder folder(TestFolder::Empty);
    const QString pdf = folder.filePath(u"long.pdf"_s);
    QtPrinterService printer(pdf);
    for (int i = 0; i < 200; ++i)
        QVERIFY(printer.printLine(u"line "_s + QString::number(i)));
    QVERIFY(printer.endDocument());
    QVERIFY(pages(readFile(pdf)) >= 3);
}

void TestPrinter::abortSendsNothing() {
    TestFolder folder(TestFolder::Empty);
    const QString pdf = folder.filePath(u"aborted.pdf"_s);
    {
        QtPrinterService printer(pdf);
        QVERIFY(printer.printLine(u"half a summary"_s));
        printer.abortDocument();
        printer.abortDocument(); // twice does no harm
    }
    QVERIFY(!QFile::exists(pdf));
}

void TestPrinter::unwritableFile() {
    QtPrinterService printer(u"/nonexistent-folder/summary.pdf"_s);
    QVERIFY(printer.printLine(u"line"_s));
    QVERIFY(!printer.endDocument());
}

void TestPrinter::noDefaultPrinter() {
    if (!QPrinterInfo::defaultPrinter().isNull())
        QSKIP("this machine has a default printer");
    QtPrinterService printer;
    QVERIFY(!printer.printLine(u"line"_s));
    QVERIFY(!printer.endDocument());
}

void TestPrinter::launcher() {
    TestFolder folder(TestFolder::Empty);
    const QString program = folder.filePath(u"MarlixExp"_s);
    QtProgramLauncher launcher;
    QVERIFY(!launcher.startDetached(program, {u"x"_s})); // missing
    folder.write(u"MarlixExp"_s, "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > \"$(dirname \"$0\")/args\"\n");
    QVERIFY(!launcher.startDetached(program, {u"x"_s})); // not executable
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString page = u"/a b/\"c\" $(d); e.html"_s; // no shell between
    QVERIFY(launcher.startDetached(program, {page}));
    QTRY_COMPARE(folder.read(u"args"_s), "1\n" + page.toUtf8() + "\n");
}

QTEST_MAIN(TestPrinter)
#include "tst_printer.moc"
