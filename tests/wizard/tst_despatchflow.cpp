#include "page/PageWriter.h"
#include "support/WizardFixture.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QtTest>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

namespace {

using B = MainWindow::Button;

const QString Confirmation =
    u"A list of files required by us to create your e-commerce web page have been sent to your "
    u"printer.\r\n\r\n"
    u"You must now save these files to disk and post them to the address detailed on the print out or email them to us."_s;

} // namespace

class TestDespatchFlow : public QObject {
    Q_OBJECT
private slots:
    void lastStepListsFiles();
    void listFollowsChanges();
    void printSucceeds();
    void printFails_data();
    void printFails();
    void finishAfterPrintAsksNothing();
    void finishAsksToPrint_data();
    void finishAsksToPrint();
    void incompleteFinishForgetsPrint();
};

void TestDespatchFlow::lastStepListsFiles() {
    Wizard wiz;
    wiz.start();
    wiz.w().setFieldText(u"txtCompanyLogo", u"  /pics/logo.png "_s);
    wiz.w().setFieldText(u"txtProPicture3", u"/pics/my shoes.jpg"_s);
    wiz.goToStep(14);
    const QString page = QDir::toNativeSeparators(wiz.folder.path() + u'/' + wiz.pageStem() + u".html"_s);
    const QString expected =
        u"The following files need to be despatched by either email or posted on a floppy disk:\r\n"
        u"\r\n"
        u"Theme File        "_s +
        page +
        u"\r\n"
        u"Company Logo      /pics/logo.png\r\n"
        u"Add. Picture 1    \r\n"
        u"Add. Picture 2    \r\n"
        u"Product Picture 1 \r\n"
        u"Product Picture 2 \r\n"
        u"Product Picture 3 /pics/my shoes.jpg\r\n"
        u"Product Picture 4 \r\n"
        u"Product Picture 5 \r\n"
        u"\r\n"
        u"Consult the PUBLISHING section in the manual for further details."_s;
    QCOMPARE(wiz.w().fieldText(u"txtDespatch"), expected);
    QCOMPARE(wiz.multi(u"txtDespatch"_s)->document()->blockCount(), 13);
    // Shown in a fixed-pitch font, so the paths after the padded labels line up.
    const QFontMetrics metrics(wiz.multi(u"txtDespatch"_s)->font());
    QCOMPARE(metrics.horizontalAdvance(u"Add. Picture 1    "_s),
             metrics.horizontalAdvance(u"Company Logo      "_s));
}

void TestDespatchFlow::listFollowsChanges() {
    Wizard wiz;
    wiz.start();
    wiz.goToStep(14);
    QVERIFY(wiz.w().fieldText(u"txtDespatch").contains(u"Add. Picture 2    \r\n"_s));
    wiz.goToStep(7);
    wiz.fakes.fileDialog.queue(u"/new/banner.gif"_s);
    QTest::mouseClick(wiz.control<QPushButton>(u"cmdPic2"_s), Qt::LeftButton);
    wiz.goToStep(14);
    QVERIFY(wiz.w().fieldText(u"txtDespatch").contains(u"Add. Picture 2    /new/banner.gif\r\n"_s));
    // Whatever was typed into the list is replaced when the step is shown again.
    wiz.w().setFieldText(u"txtDespatch", u"scribble"_s);
    wiz.click(B::Back);
    wiz.click(B::Next);
    QVERIFY(wiz.w().fieldText(u"txtDespatch").startsWith(u"The following files"_s));
}

void TestDespatchFlow::printSucceeds() {
    Wizard wiz;
    wiz.start();
    wiz.fillRequired();
    wiz.goToStep(14);
    QTest::mouseClick(wiz.control<QPushButton>(u"cmdPrint"_s), Qt::LeftButton);
    QCOMPARE(wiz.fakes.printer.ended.size(), 1);
    const QStringList& lines = wiz.fakes.printer.ended.front();
    QCOMPARE(lines.size(), 42);
    QCOMPARE(lines.at(2), u"Q U O R R A  D E V E L O P M E N T  W I Z A R D"_s);
    QCOMPARE(lines.at(9), u"You selected the "_s + wiz.w().selectedTheme() + u" template"_s);
    QCOMPARE(lines.at(10), u"Company Name      :Acme Ltd"_s);
    QCOMPARE(lines.at(11), u"Company Address   :1 High Street\r\nTown"_s);
    QCOMPARE(wiz.fakes.messages.shown.size(), 1);
    const ShownMessage& m = wiz.fakes.messages.shown.front();
    QCOMPARE(m.title, u"MarlixNet"_s);
    QCOMPARE(m.text, Confirmation);
    QCOMPARE(m.buttons, MessageButtons::Ok);
    QCOMPARE(m.icon, MessageIcon::None);
    QVERIFY(wiz.w().summaryPrinted());
    QCOMPARE(wiz.fakes.printer.aborted, 0);
}

void TestDespatchFlow::printFails_data() {
    QTest::addColumn<int>("failAtLine");
    QTest::addColumn<bool>("failEnd");
    QTest::newRow("no printer") << 0 << false;
    QTest::newRow("fails half-way") << 20 << false;
    QTest::newRow("refuses the end") << -1 << true;
}

void TestDespatchFlow::printFails() {
    QFETCH(int, failAtLine);
    QFETCH(bool, failEnd);
    Wizard wiz;
    wiz.start();
    wiz.fakes.printer.failAtLine = failAtLine;
    wiz.fakes.printer.failEnd = failEnd;
    wiz.goToStep(14);
    QTest::mouseClick(wiz.control<QPushButton>(u"cmdPrint"_s), Qt::LeftButton);
    QCOMPARE(wiz.fakes.printer.ended.size(), 0);
    QCOMPARE(wiz.fakes.printer.aborted, 1);
    QCOMPARE(wiz.fakes.messages.shown.size(), 1);
    const ShownMessage& m = wiz.fakes.messages.shown.front();
    QCOMPARE(m.title, u"MarlixNet"_s);
    QCOMPARE(m.text, u"There was a problem printing to your printer."_s);
    QCOMPARE(m.buttons, MessageButtons::Ok);
    QCOMPARE(m.icon, MessageIcon::None);
    QVERIFY(wiz.w().summaryPrinted()); // the attempt counts
    QVERIFY(!wiz.w().isUnloaded());
}

void TestDespatchFlow::finishAfterPrintAsksNothing() {
    Wizard wiz;
    wiz.start();
    wiz.fillRequired();
    wiz.fakes.printer.failAtLine = 0;
    wiz.goToStep(14);
    QTest::mouseClick(wiz.control<QPushButton>(u"cmdPrint"_s), Qt::LeftButton);
    wiz.click(B::Finish);
    QCOMPARE(wiz.fakes.messages.shown.size(), 1); // only the printing failure
    QVERIFY(wiz.w().isUnloaded());
}

void TestDespatchFlow::finishAsksToPrint_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("printed");
    QTest::newRow("Yes prints") << int(MessageAnswer::Yes) << 1;
    QTest::newRow("No does not") << int(MessageAnswer::No) << 0;
}

void TestDespatchFlow::finishAsksToPrint() {
    QFETCH(int, answer);
    QFETCH(int, printed);
    Wizard wiz;
    wiz.start();
    wiz.fillRequired();
    wiz.fakes.messages.queue(MessageAnswer(answer));
    if (printed)
        wiz.fakes.messages.queue(MessageAnswer::Ok); // the confirmation
    wiz.click(B::Finish);
    const ShownMessage& m = wiz.fakes.messages.shown.front();
    QCOMPARE(m.title, u"Print Request"_s);
    QCOMPARE(m.text, u"You did not print out your despatch list.\r\nDo you wish to print now?"_s);
    QCOMPARE(m.buttons, MessageButtons::YesNo);
    QCOMPARE(m.icon, MessageIcon::Question);
    QCOMPARE(wiz.fakes.printer.ended.size(), printed);
    QVERIFY(wiz.w().isUnloaded());
    QVERIFY(wiz.allAnswered());
}

void TestDespatchFlow::incompleteFinishForgetsPrint() {
    Wizard wiz;
    wiz.start();
    wiz.goToStep(14);
    QTest::mouseClick(wiz.control<QPushButton>(u"cmdPrint"_s), Qt::LeftButton);
    QVERIFY(wiz.w().summaryPrinted());
    wiz.fakes.messages.queue(MessageAnswer::Yes); // back to the entry
    wiz.click(B::Finish);
    QVERIFY(!wiz.w().summaryPrinted());
    wiz.fillRequired();
    wiz.fakes.messages.queue(MessageAnswer::No);
    wiz.click(B::Finish);
    QCOMPARE(wiz.fakes.messages.shown.last().title, u"Print Request"_s);
    QVERIFY(wiz.w().isUnloaded());
}

QTEST_MAIN(TestDespatchFlow)
#include "tst_despatchflow.moc"
