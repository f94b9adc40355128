#include "despatch/QtPrinterService.h"
#include "support/PrivateCups.h"
#include "support/WizardFixture.h"

#include <QProcess>
#include <QtTest>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

// Print Page through the real printer service and a CUPS scheduler of the test's own: the
// wizard says the summary went to the printer only when a queue took the job.
class TestPrintQueue : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void printPage_data();
    void printPage();

private:
    PrivateCups m_cups;
    QString m_skip;
};

void TestPrintQueue::initTestCase() {
    m_skip = m_cups.start();
}

void TestPrintQueue::printPage_data() {
    QTest::addColumn<QString>("queue"); // what is done to the queue before printing
    QTest::addColumn<bool>("sent");
    QTest::newRow("no default printer") << u"none"_s << false; // first: the queue starts as no default
    QTest::newRow("accepting") << u"accept"_s << true;
    QTest::newRow("rejecting jobs") << u"reject"_s << false;
    QTest::newRow("stopped: the job waits") << u"stop"_s << true;
}

void TestPrintQueue::printPage() {
    QFETCH(QString, queue);
    QFETCH(bool, sent);
    if (!m_skip.isEmpty())
        QSKIP(qPrintable(u"no private CUPS scheduler: "_s + m_skip));
    QFile::remove(m_cups.jobFile());
    m_cups.run(u"cancel"_s, {u"-a"_s});
    QVERIFY(m_cups.run(u"cupsaccept"_s, {u"summary"_s}));
    QVERIFY(m_cups.run(u"cupsenable"_s, {u"summary"_s}));
    if (queue != u"none")
        QVERIFY(m_cups.run(u"lpadmin"_s, {u"-d"_s, u"summary"_s}));
    if (queue == u"reject")
        QVERIFY(m_cups.run(u"cupsreject"_s, {u"summary"_s}));
    if (queue == u"stop")
        QVERIFY(m_cups.run(u"cupsdisable"_s, {u"summary"_s}));

    QtPrinterService printer;
    Wizard wiz;
    wiz.printer = &printer;
    wiz.start();
    wiz.fillRequired();
    wiz.goToStep(14);
    QTest::mouseClick(wiz.control<QPushButton>(u"cmdPrint"_s), Qt::LeftButton);
    QCOMPARE(wiz.fakes.messages.shown.size(), 1);
    const ShownMessage& m = wiz.fakes.messages.shown.front();
    QCOMPARE(m.title, u"MarlixNet"_s);
    QVERIFY2(m.text.startsWith(sent ? u"A list of files required by us"_s
                                    : u"There was a problem printing to your printer."_s),
             qPrintable(m.text + u" / "_s + printer.lastError()));
    QVERIFY(wiz.w().summaryPrinted()); // the attempt counts either way

    QString jobs;
    m_cups.run(u"lpstat"_s, {u"-o"_s}, &jobs);
    if (queue == u"accept") {
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_cups.jobFile()), 10000);
        QProcess text;
        text.start(u"pdftotext"_s, {u"-layout"_s, m_cups.jobFile(), u"-"_s});
        QVERIFY2(text.waitForFinished(10000), "pdftotext (poppler-utils) is needed");
        // The printer's proportional font makes the padding of the labels unreadable here.
        const QString printed = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        for (const QString& line : {u"Company Name :Acme Ltd Company Address :1 High Street Town"_s,
                                    u"Contact Name :Ann Smith"_s, u"Postal Address Marlix Networks"_s})
            QVERIFY2(printed.contains(line), qPrintable(printed));
    } else if (queue == u"stop") {
        QVERIFY2(jobs.contains(u"summary-"_s), qPrintable(jobs)); // held in the queue
        QVERIFY(!QFile::exists(m_cups.jobFile()));
    } else {
        QVERIFY2(!jobs.contains(u"summary-"_s), qPrintable(jobs));
    }
}

QTEST_MAIN(TestPrintQueue)
#include "tst_printqueue.moc"
