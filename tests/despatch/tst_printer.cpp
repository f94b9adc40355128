#include "platform/QtFileDialogService.h"
#include "platform/QtPrinterService.h"
#include "platform/QtServices.h"
#include "support/PrivateCups.h"
#include "support/WizardFixture.h"

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

namespace {

// The text of a PDF file, a form feed after each page.
QString pdfText(const QString& pdf, const QStringList& options = {}) {
    QProcess text;
    text.start(u"pdftotext"_s, options + QStringList{pdf, u"-"_s});
    text.waitForFinished(10000); // poppler-utils
    return QString::fromUtf8(text.readAllStandardOutput());
}

// The size of a PDF file's first page and where its first word begins, in points.
QString firstWordPlace(const QString& pdf) {
    return pdfText(pdf, {u"-bbox"_s}).section(u"<page "_s, 1).section(u" xMax"_s, 0, 0).simplified();
}

} // namespace

// The real printer service: writing into a PDF file, which stands in for a printer, and
// printing through a CUPS scheduler of the test's own; the real file dialog and wait cursor.
class TestPrinter : public QObject {
    Q_OBJECT
    PrivateCups m_cups;
    QString m_skip;

private slots:
    void initTestCase() { m_skip = m_cups.start(); }

    void printsDocuments() {
        TestFolder folder(TestFolder::Empty);
        const QString pdf = folder.filePath(u"summary.pdf"_s);
        QtPrinterService printer(pdf);
        QVERIFY(printer.printLine(u"half a summary"_s));
        printer.abortDocument(); // sends nothing, and the next document starts empty
        QVERIFY(printer.printLine(u"Company Address   :1 High St\r\nTown"_s));
        QVERIFY(printer.printLine(u"word "_s.repeated(80)));     // wider than the page: wrapped
        QVERIFY(printer.printLine(u"/"_s + QString(300, u'z'))); // a long path too, never cut
        for (int i = 0; i < 200; ++i)                            // longer than a page: more pages
            QVERIFY(printer.printLine(u"line "_s + QString::number(i)));
        QVERIFY(!QFile::exists(pdf)); // nothing goes out before the end
        QVERIFY(printer.endDocument());
        QString text = pdfText(pdf);
        QCOMPARE(firstWordPlace(pdf), // on A4 with margins of 10 mm
                 uR"(width="595.000000" height="842.000000"> <word xMin="27.750000" yMin="27.751465")"_s);
        QVERIFY2(text.startsWith(u"Company Address :1 High St\nTown\n"_s) && text.contains(u"line 199"_s),
                 qPrintable(text));
        QCOMPARE(text.count(u"word"_s), 80);
        QCOMPARE(text.count(u'z'), 300);
        QVERIFY2(!text.contains(u"word "_s.repeated(40)), qPrintable(text));
        QVERIFY(text.count(u'\f') >= 3);

        // A megabyte without a blank (a pasted address) is laid out a piece at a time, whole.
        // Meanwhile the window goes on painting.
        QVERIFY(printer.printLine(u"Company Address   :"_s + QString(1 << 20, u'q')));
        int turns = 0;
        QTimer turn;
        connect(&turn, &QTimer::timeout, this, [&turns] { ++turns; });
        turn.start(0);
        QVERIFY(printer.endDocument());
        turn.stop();
        QVERIFY(turns > 0);
        text = pdfText(pdf);
        QCOMPARE(text.count(u'q'), 1 << 20);

        QtPrinterService unwritable(u"/nonexistent-folder/summary.pdf"_s);
        QVERIFY(unwritable.printLine(u"line"_s) && !unwritable.endDocument());
    }

    // Print Page says the summary went to the printer only when a queue took the job.
    void printPage_data() {
        QTest::addColumn<QString>("queue"); // what is done to the queue before printing
        QTest::addColumn<bool>("sent");
        QTest::newRow("no default printer") << QString() << false; // first: no default yet
        QTest::newRow("accepting") << u"cupsaccept"_s << true;
        QTest::newRow("rejecting jobs") << u"cupsreject"_s << false;
        QTest::newRow("stopped: the job waits") << u"cupsdisable"_s << true;
        QTest::newRow("print system not answering") << u"SIGSTOP"_s << false; // a hung scheduler
    }

    void printPage() {
        QFETCH(QString, queue);
        QFETCH(bool, sent);
        if (!m_skip.isEmpty())
            QSKIP(qPrintable(u"no private CUPS scheduler: "_s + m_skip));
        QFile::remove(m_cups.jobFile());
        m_cups.run(u"cancel"_s, {u"-a"_s});
        QVERIFY(m_cups.run(u"cupsaccept"_s, {u"summary"_s}) && m_cups.run(u"cupsenable"_s, {u"summary"_s}));
        if (queue == u"SIGSTOP")
            m_cups.pause(true);
        else if (!queue.isEmpty())
            QVERIFY(m_cups.run(u"lpadmin"_s, {u"-d"_s, u"summary"_s}) && m_cups.run(queue, {u"summary"_s}));
        // While the print system is asked the window goes on painting, under the wait cursor.
        QStringList whilePrinting;
        QTimer tick;
        connect(&tick, &QTimer::timeout, this, [&whilePrinting] {
            const QCursor* cursor = QGuiApplication::overrideCursor();
            whilePrinting.append(cursor && cursor->shape() == Qt::WaitCursor ? u"wait cursor"_s
                                                                             : u"cursor"_s);
        });
        tick.start(50);

        QtPrinterService printer;
        Wizard wiz;
        wiz.printer = &printer;
        wiz.start();
        wiz.fillRequired();
        wiz.goToStep(14);
        wiz.click(u"cmdPrint"_s);
        tick.stop();
        m_cups.pause(false);
        if (queue == u"SIGSTOP") // it does not answer for a few seconds
            QVERIFY(whilePrinting.contains(u"wait cursor"_s));
        QVERIFY(!QGuiApplication::overrideCursor());
        const QStringList boxes = wiz.fakes.log.filter(QRegularExpression(u"^box "_s));
        QVERIFY2(boxes.size() == 1 &&
                     boxes[0].startsWith(sent ? u"box MarlixNet|A list of files required by us"_s
                                              : u"box MarlixNet|There was a problem printing"_s),
                 qPrintable(boxes.join(u'\n') + u" / "_s + printer.lastError()));
        QVERIFY(wiz.w().summaryPrinted()); // the attempt counts either way

        if (queue == u"cupsaccept") {
            QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_cups.jobFile()), 10000);
            // The printer's proportional font makes the padding of the labels unreadable here.
            const QString printed = pdfText(m_cups.jobFile()).simplified();
            // The queue's page: US Letter with margins of 18 and 36 points, after a blank line.
            QCOMPARE(firstWordPlace(m_cups.jobFile()),
                     uR"(width="612.000000" height="792.000000"> <word xMin="18.000000" yMin="57.001465")"_s);
            for (const QString& line : {u"Company Name :Acme Ltd Company Address :1 High Street Town"_s,
                                        u"Contact Name :Ann Smith"_s, u"Postal Address Marlix Networks"_s})
                QVERIFY2(printed.contains(line), qPrintable(printed));
        } else {
            QString jobs;
            m_cups.run(u"lpstat"_s, {u"-o"_s}, &jobs);
            QCOMPARE(jobs.contains(u"summary-"_s), queue == u"cupsdisable"); // a stopped queue holds it
            QVERIFY(!QFile::exists(m_cups.jobFile()));
        }
    }

    // The file dialog gives the file typed in it, a name without a dot too, or nothing when
    // cancelled.
    void fileDialog() {
        TestFolder folder(TestFolder::Empty);
        folder.write(u"logo"_s, "x");
        const QString path = folder.filePath(u"logo"_s);
        for (const bool accept : {true, false}) {
            QTimer user; // types the path and Return until the dialog takes it; gives up after a while
            int tries = 0;
            connect(&user, &QTimer::timeout, this, [&] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                auto* name = dialog ? qobject_cast<QLineEdit*>(dialog->focusWidget()) : nullptr;
                if (dialog && (!accept || !name || ++tries > 300))
                    dialog->reject();
                else if (name && name->text() != path)
                    name->clear(), QTest::keyClicks(name, path);
                else if (name)
                    QTest::keyClick(name, Qt::Key_Return);
            });
            user.start(10);
            QCOMPARE(QtFileDialogService().chooseFile(u"All Files (*.*)"_s, u"*"_s),
                     accept ? path : QString());
        }
    }

    // The wait cursor goes up and comes down once, however often it is asked down.
    void waitCursor() {
        QtCursorService cursor;
        cursor.setWaitCursor();
        QVERIFY(QGuiApplication::overrideCursor() &&
                QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor);
        cursor.restoreCursor();
        cursor.restoreCursor();
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

QTEST_MAIN(TestPrinter)
#include "tst_printer.moc"
