#include "support/WizardFixture.h"

#include <QDir>
#include <QFontMetrics>
#include <QPushButton>
#include <QtTest>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

namespace {

using B = MainWindow::Button;

enum Before { NoPrint, Printed, PrintedThenIncomplete, PrintedThenCancel };

const QStringList Pictures{u"txtCompanyLogo"_s, u"txtPicture1"_s,    u"txtPicture2"_s,
                           u"txtProPicture1"_s, u"txtProPicture2"_s, u"txtProPicture3"_s,
                           u"txtProPicture4"_s, u"txtProPicture5"_s};

void print(const Wizard& wiz) {
    wiz.goToStep(14);
    QTest::mouseClick(wiz.control<QPushButton>(u"cmdPrint"_s), Qt::LeftButton);
}

void checkBox(const ShownMessage& m, const QString& title, const QString& text, MessageButtons buttons,
              MessageIcon icon) {
    QCOMPARE(m.title, title);
    QCOMPARE(m.text, text);
    QCOMPARE(m.buttons, buttons);
    QCOMPARE(m.icon, icon);
}

QString pagePath(const Wizard& wiz) {
    return QDir::toNativeSeparators(wiz.folder.filePath(wiz.pageStem() + u".html"_s));
}

} // namespace

class TestDespatchFlow : public QObject {
    Q_OBJECT
private slots:
    void printsEveryDetail();
    void printFails_data();
    void printFails();
    void finishAsksToPrint_data();
    void finishAsksToPrint();
};

void TestDespatchFlow::printsEveryDetail() {
    Wizard wiz;
    wiz.folder.write(u"Theme.txt"_s, "\" Classic blue \"\r\n"); // the entry is printed as it stands
    wiz.start();
    wiz.goToStep(14);
    QCOMPARE(
        wiz.w().fieldText(u"txtDespatch"),
        u"The following files need to be despatched by either email or posted on a floppy disk:\r\n\r\n"
        u"Theme File        "_s +
            pagePath(wiz) +
            u"\r\nCompany Logo      \r\nAdd. Picture 1    \r\nAdd. Picture 2    \r\nProduct Picture 1 \r\n"
            u"Product Picture 2 \r\nProduct Picture 3 \r\nProduct Picture 4 \r\nProduct Picture 5 \r\n\r\n"
            u"Consult the PUBLISHING section in the manual for further details."_s);
    // Shown in a fixed-pitch font, so the paths after the padded labels line up.
    const QFontMetrics metrics(wiz.multi(u"txtDespatch"_s)->font());
    QCOMPARE(metrics.horizontalAdvance(u"Add. Picture 1    "_s),
             metrics.horizontalAdvance(u"Company Logo      "_s));
    const QStringList details{u"txtCompanyName"_s, u"txtCompanyTelephone"_s, u"txtCompanyFax"_s,
                              u"txtContactName"_s, u"txtEmailAddress"_s};
    for (const QString& name : details + Pictures)
        wiz.w().setFieldText(name, u"  "_s + name + u" typed "_s);
    wiz.w().setFieldText(u"txtCompanyAddress", u" 1 High St\r\nTown "_s);
    wiz.w().setFieldText(u"txtDespatch", u"scribble"_s);
    wiz.click(B::Back);
    print(wiz); // showing the last step again writes the list anew

    // The list shows the paths trimmed, after the labels of the empty list.
    const QStringList list = wiz.w().fieldText(u"txtDespatch").split(u"\r\n"_s);
    QCOMPARE(list.size(), 13);
    for (int i = 0; i < Pictures.size(); ++i)
        QCOMPARE(list.at(3 + i).sliced(18), Pictures.at(i) + u" typed"_s);

    QStringList expected(42);
    expected[2] = u"Q U O R R A  D E V E L O P M E N T  W I Z A R D"_s;
    expected[5] = u"You have input the following data:"_s;
    expected[9] = u"You selected the  Classic blue  template"_s;
    expected[10] = u"Company Name      :txtCompanyName typed"_s;
    expected[11] = u"Company Address   :1 High St\r\nTown"_s;
    expected[12] = u"Company Telephone :txtCompanyTelephone typed"_s;
    expected[13] = u"Company Fax       :txtCompanyFax typed"_s;
    expected[14] = u"Contact Name  :txtContactName typed"_s;
    expected[15] = u"Email address :txtEmailAddress typed"_s;
    expected[18] = u"You must depatch the following files to the address below by either email or post."_s;
    expected[21] = u"Email : pages@marlix.example.com"_s;
    expected[23] = u"Postal Address"_s;
    expected[24] = u"Marlix Networks"_s;
    expected[25] = u"Marlix House, 12 Example Road, Exampleton EX1 2MP"_s;
    expected[28] = u"Program created file :"_s + pagePath(wiz);
    expected[30] = u"Company Logo         :txtCompanyLogo typed"_s;
    expected[31] = u"Additional image 1   :txtPicture1 typed"_s;
    expected[32] = u"Additional image 2   :txtPicture2 typed"_s;
    for (int n = 1; n <= 5; ++n)
        expected[33 + n] = u"Product Picture %1    :txtProPicture%1 typed"_s.arg(n);
    expected[41] = u"Please read the section of the manual titled PUBLISHING before sending the information "
                   u"to Marlix Networks."_s;
    QCOMPARE(wiz.fakes.printer.ended.size(), 1);
    QCOMPARE(wiz.fakes.printer.ended.front(), expected);
    QCOMPARE(wiz.fakes.printer.aborted, 0);

    QCOMPARE(wiz.fakes.messages.shown.size(), 1);
    checkBox(
        wiz.fakes.messages.shown.front(), u"MarlixNet"_s,
        u"A list of files required by us to create your e-commerce web page have been sent to your "
        u"printer.\r\n\r\nYou must now save these files to disk and post them to the address detailed on "
        u"the print out or email them to us."_s,
        MessageButtons::Ok, MessageIcon::None);
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
    print(wiz);
    QCOMPARE(wiz.fakes.printer.ended.size(), 0);
    QCOMPARE(wiz.fakes.printer.aborted, 1);
    QCOMPARE(wiz.fakes.messages.shown.size(), 1);
    checkBox(wiz.fakes.messages.shown.front(), u"MarlixNet"_s,
             u"There was a problem printing to your printer."_s, MessageButtons::Ok, MessageIcon::None);
    QVERIFY(!wiz.w().isUnloaded());
}

void TestDespatchFlow::finishAsksToPrint_data() {
    QTest::addColumn<int>("before"); // what happened before the complete Finish
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::newRow("nothing; Yes prints") << int(NoPrint) << int(MessageAnswer::Yes) << true;
    QTest::newRow("nothing; No does not") << int(NoPrint) << int(MessageAnswer::No) << true;
    QTest::newRow("a failed print counts") << int(Printed) << int(MessageAnswer::No) << false;
    QTest::newRow("print, then incomplete Finish")
        << int(PrintedThenIncomplete) << int(MessageAnswer::No) << true;
    QTest::newRow("print, then Cancel and No") << int(PrintedThenCancel) << int(MessageAnswer::No) << true;
}

void TestDespatchFlow::finishAsksToPrint() {
    QFETCH(int, before);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    Wizard wiz;
    wiz.start();
    if (before != NoPrint) {
        wiz.fakes.printer.failAtLine = 0;
        print(wiz);
        wiz.fakes.printer.failAtLine = -1;
    }
    if (before == PrintedThenIncomplete || before == PrintedThenCancel) {
        wiz.fakes.messages.queue(before == PrintedThenIncomplete ? MessageAnswer::Yes : MessageAnswer::No);
        wiz.click(before == PrintedThenIncomplete ? B::Finish : B::Cancel);
        QVERIFY(!wiz.w().isUnloaded());
    }
    wiz.fillRequired();
    const qsizetype shown = wiz.fakes.messages.shown.size();
    if (asked)
        wiz.fakes.messages.queue(MessageAnswer(answer));
    if (answer == int(MessageAnswer::Yes))
        wiz.fakes.messages.queue(MessageAnswer::Ok); // the confirmation
    wiz.click(B::Finish);
    QVERIFY(wiz.w().isUnloaded());
    QCOMPARE(wiz.fakes.messages.shown.size() > shown, asked);
    if (asked) {
        checkBox(wiz.fakes.messages.shown.at(shown), u"Print Request"_s,
                 u"You did not print out your despatch list.\r\nDo you wish to print now?"_s,
                 MessageButtons::YesNo, MessageIcon::Question);
    }
    QCOMPARE(wiz.fakes.printer.ended.size(), answer == int(MessageAnswer::Yes) ? 1 : 0);
    QVERIFY(wiz.fakes.messages.allAnswersUsed());
}

QTEST_MAIN(TestDespatchFlow)
#include "tst_despatchflow.moc"
