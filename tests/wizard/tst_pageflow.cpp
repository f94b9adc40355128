#include "page/PageWriter.h"
#include "support/WizardFixture.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QRadioButton>
#include <QtTest>

#include <optional>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

namespace {

using B = MainWindow::Button;

const QString VatNo = uR"(<input type=hidden name="VATReg" value="no">)"_s;
const QString VatYes =
    uR"(<tr><td colspan=2 align=center><font face="verdana, tahoma, arial, sans serif" size=2><b>All prices exclude V.A.T. @ 17.5% <input type=hidden name="VATReg" value="yes"></b></font></td></tr>)"_s;

QString postage(const QString& type, const QString& amount) {
    return uR"(<input type=hidden name="postage_type" value=")"_s + type +
           uR"("><input type=hidden name="postage_amt" value=")"_s + amount +
           u"\">Postage is charged at £"_s + amount + u" per "_s + type + u'.';
}

// A template of our own, one placeholder a line.
const QByteArray SmallTemplate = "<h1>txtCompanyName</h1>\r\n<p>txtCompanyAddress</p>\r\ntxtPurchase1\r\n"
                                 "txtPurchase2\r\ntxtVAT\r\ntxtPostage\r\ntxtVisa\r\ntxtAmex\r\n";

} // namespace

class TestPageFlow : public QObject {
    Q_OBJECT
private slots:
    void fragmentsAtLoad();
    void optionChanges();
    void amountFocusLoss_data();
    void amountFocusLoss();
    void restartKeepsFragmentsOfShownOptions();
    void cardsSelectAndDeselect();
    void productRowsOnlyForCodes();
    void viewIncomplete();
    void viewStartsViewer();
    void pageNotWritten_data();
    void pageNotWritten();
    void viewMissingViewer();
    void viewTwiceStartsTwo();
    void finishWritesPage();
    void typedThemeNeverReachesFiles();
};

void TestPageFlow::fragmentsAtLoad() {
    Wizard wiz;
    wiz.start();
    QCOMPARE(wiz.w().fieldText(u"txtVAT"), VatNo);
    QCOMPARE(wiz.w().fieldText(u"txtPostage"), postage(u"item"_s, QString()));
}

void TestPageFlow::optionChanges() {
    Wizard wiz;
    wiz.start();
    wiz.goToStep(3);
    auto* yes = wiz.control<QRadioButton>(u"vatYes"_s);
    auto* no = wiz.control<QRadioButton>(u"vatNo"_s);
    QTest::mouseClick(yes, Qt::LeftButton);
    QCOMPARE(wiz.w().fieldText(u"txtVAT"), VatYes);
    QTest::mouseClick(no, Qt::LeftButton);
    QCOMPARE(wiz.w().fieldText(u"txtVAT"), VatNo);
    // Clicking the option that is already on writes its fragment again.
    wiz.w().setFieldText(u"txtVAT", QString());
    QTest::mouseClick(no, Qt::LeftButton);
    QCOMPARE(wiz.w().fieldText(u"txtVAT"), VatNo);

    wiz.goToStep(4);
    wiz.w().setFieldText(u"txtAmount", u"2.5"_s);
    QTest::mouseClick(wiz.control<QRadioButton>(u"OptShipment"_s), Qt::LeftButton);
    QCOMPARE(wiz.w().fieldText(u"txtPostage"), postage(u"shipment"_s, u"2.50"_s));
    QTest::mouseClick(wiz.control<QRadioButton>(u"optItem"_s), Qt::LeftButton);
    QCOMPARE(wiz.w().fieldText(u"txtPostage"), postage(u"item"_s, u"2.50"_s));
}

void TestPageFlow::amountFocusLoss_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("shipment");
    QTest::addColumn<bool>("byAccessKey");
    QTest::addColumn<QString>("expected");
    QTest::newRow("3 per shipment, mouse") << "3" << true << false << postage(u"shipment"_s, u"3.00"_s);
    QTest::newRow("0.00 per item, mouse") << "0.00" << false << false << postage(u"item"_s, u"0.00"_s);
    QTest::newRow(".5 per item, access key") << ".5" << false << true << postage(u"item"_s, u"0.50"_s);
    QTest::newRow("1.2.3 unchanged, access key")
        << "1.2.3" << true << true << postage(u"shipment"_s, u"1.2.3"_s);
}

void TestPageFlow::amountFocusLoss() {
    QFETCH(QString, typed);
    QFETCH(bool, shipment);
    QFETCH(bool, byAccessKey);
    QFETCH(QString, expected);
    Wizard wiz;
    wiz.start();
    wiz.goToStep(4);
    if (shipment)
        QTest::mouseClick(wiz.control<QRadioButton>(u"OptShipment"_s), Qt::LeftButton);
    QLineEdit* amount = wiz.line(u"txtAmount"_s);
    amount->setFocus();
    QTest::keyClicks(amount, typed);
    if (byAccessKey) {
        QTest::keyClick(&wiz.w(), Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(wiz.w().currentStep(), 5);
    } else {
        wiz.click(B::Next);
    }
    QCOMPARE(wiz.w().fieldText(u"txtPostage"), expected);
}

void TestPageFlow::restartKeepsFragmentsOfShownOptions() {
    Wizard wiz;
    wiz.start();
    wiz.goToStep(3);
    QTest::mouseClick(wiz.control<QRadioButton>(u"vatYes"_s), Qt::LeftButton);
    wiz.goToStep(4);
    wiz.w().setFieldText(u"txtAmount", u"4"_s);
    QTest::mouseClick(wiz.control<QRadioButton>(u"OptShipment"_s), Qt::LeftButton);
    wiz.fakes.messages.queue(MessageAnswer::No);
    wiz.click(B::Cancel);
    QCOMPARE(wiz.w().fieldText(u"txtAmount"), QString());
    QCOMPARE(wiz.w().fieldText(u"txtVAT"), VatYes);
    QCOMPARE(wiz.w().fieldText(u"txtPostage"), postage(u"shipment"_s, QString()));
}

void TestPageFlow::cardsSelectAndDeselect() {
    Wizard wiz;
    wiz.start();
    wiz.fillRequired();
    wiz.folder.write(u"Classic.txt"_s, SmallTemplate);
    auto* cards = wiz.control<QListWidget>(u"lstCreditCards"_s);
    wiz.goToStep(3);
    for (int i : {1, 4}) { // Amex and Visa, clicked like a user
        const QRect r = cards->visualItemRect(cards->item(i));
        QTest::mouseClick(cards->viewport(), Qt::LeftButton, {}, r.center());
    }
    QVERIFY(cards->item(1)->isSelected() && cards->item(4)->isSelected());
    wiz.w().GeneratePage();
    QCOMPARE(wiz.w().fieldText(u"txtAmex"), uR"(<img src="images/amex.gif" border=0>)"_s);
    QCOMPARE(wiz.w().fieldText(u"txtVisa"), uR"(<img src="images/visa.gif" border=0>)"_s);
    for (const char* f : {"txtAccess", "txtDelta", "txtSwitch"})
        QCOMPARE(wiz.w().fieldText(QString::fromLatin1(f)), QString());
    QTest::mouseClick(cards->viewport(), Qt::LeftButton, {}, cards->visualItemRect(cards->item(4)).center());
    QVERIFY(!cards->item(4)->isSelected());
    wiz.w().GeneratePage();
    QCOMPARE(wiz.w().fieldText(u"txtVisa"), QString());
    QCOMPARE(wiz.w().fieldText(u"txtAmex"), uR"(<img src="images/amex.gif" border=0>)"_s);
}

void TestPageFlow::productRowsOnlyForCodes() {
    Wizard wiz;
    wiz.start();
    wiz.w().setFieldText(u"txtProCode1", u"A1"_s);
    wiz.w().setFieldText(u"txtProPrice1", u"2.50"_s);
    wiz.w().setFieldText(u"txtProCode2", u"   "_s);
    wiz.w().setFieldText(u"txtProDesc2", u"no code, no row"_s);
    wiz.w().setFieldText(u"txtProCode3", u"C3"_s);
    wiz.w().GeneratePage();
    QVERIFY(wiz.w().fieldText(u"txtPurchase1").contains(u"name=\"A1|Goods|2.50|Description\""_s));
    QVERIFY(wiz.w().fieldText(u"txtPurchase1").contains(u"<td width=200 valign=top>"_s));
    QCOMPARE(wiz.w().fieldText(u"txtPurchase2"), QString());
    QVERIFY(
        wiz.w()
            .fieldText(u"txtPurchase3")
            .startsWith(
                u"<tr><td colspan=2><hr size=2 width=100%></td></tr><tr><td valign=top><img src=\"\" border=0>"_s));
    QCOMPARE(wiz.w().fieldText(u"txtPurchase4"), QString());
}

void TestPageFlow::viewIncomplete() {
    Wizard wiz;
    wiz.start();
    wiz.w().setFieldText(u"txtCompanyAddress", u"Street"_s);
    wiz.w().setFieldText(u"txtContactName", u"Ann"_s);
    const QString page = wiz.folder.filePath(wiz.pageStem() + u".html"_s);
    wiz.goToStep(13);
    QTest::mouseClick(wiz.control<QPushButton>(u"cmdView"_s), Qt::LeftButton);
    QCOMPARE(wiz.fakes.messages.shown.size(), 1);
    const ShownMessage& m = wiz.fakes.messages.shown.front();
    QCOMPARE(m.title, u"Incomplete Data Entry"_s);
    QCOMPARE(m.text, u"You must enter a Company Name.\r\n\r\n\r\n"_s);
    QCOMPARE(m.buttons, MessageButtons::Ok);
    QCOMPARE(m.icon, MessageIcon::Information);
    QVERIFY(!QFile::exists(page));
    QVERIFY(wiz.fakes.launcher.starts.isEmpty());
    QCOMPARE(wiz.fakes.cursor.waitCount, 0);
}

void TestPageFlow::viewStartsViewer() {
    Wizard wiz;
    wiz.start();
    wiz.fillRequired();
    wiz.goToStep(13);
    QTest::mouseClick(wiz.control<QPushButton>(u"cmdView"_s), Qt::LeftButton);
    QVERIFY(wiz.fakes.messages.shown.isEmpty());
    QCOMPARE(wiz.fakes.launcher.starts.size(), 1);
    const QString page = wiz.folder.filePath(wiz.pageStem() + u".html"_s);
    QCOMPARE(wiz.fakes.launcher.starts.front().program, wiz.folder.filePath(u"MarlixExp"_s));
    QCOMPARE(wiz.fakes.launcher.starts.front().arguments, QStringList{QDir::toNativeSeparators(page)});
    QVERIFY(readFile(page).contains("Acme Ltd"));
    QCOMPARE(wiz.fakes.cursor.waitCount, 1);
    QVERIFY(!wiz.fakes.cursor.waiting);
    QCOMPARE(wiz.w().currentStep(), 13);
}

void TestPageFlow::pageNotWritten_data() {
    QTest::addColumn<bool>("finish");
    QTest::addColumn<qint64>("room"); // bytes the disk takes; -1: the template is missing
    for (const bool finish : {false, true}) {
        const char* button = finish ? "Finish" : "View";
        QTest::addRow("%s, template missing", button) << finish << qint64(-1);
        QTest::addRow("%s, disk full", button) << finish << qint64(0);
        QTest::addRow("%s, disk full mid-page", button) << finish << qint64(4096);
    }
}

// The page stays as it was, the user is told why, no viewer starts and the wizard stays
// open on its step with everything entered.
void TestPageFlow::pageNotWritten() {
    QFETCH(bool, finish);
    QFETCH(qint64, room);
    Wizard wiz;
    wiz.start();
    wiz.fillRequired();
    wiz.w().setFieldText(u"txtProCode1", u"P1"_s);
    const QString stem = wiz.pageStem();
    wiz.folder.write(stem + u".html"_s, "previous page");
    if (room < 0)
        wiz.folder.remove(stem + u".txt"_s);
    wiz.goToStep(13);
    {
        std::optional<FileSizeLimit> full;
        if (room >= 0)
            full.emplace(room);
        if (finish)
            wiz.click(B::Finish);
        else
            QTest::mouseClick(wiz.control<QPushButton>(u"cmdView"_s), Qt::LeftButton);
    }
    QCOMPARE(wiz.fakes.messages.shown.size(), 1);
    const ShownMessage& m = wiz.fakes.messages.shown.front();
    QCOMPARE(m.title, u"Page Not Generated"_s);
    QCOMPARE(m.icon, MessageIcon::Information);
    const QString cause = room < 0 ? wiz.folder.filePath(stem + u".txt"_s) + u"\" could not be opened"_s
                                   : wiz.folder.filePath(stem + u".html"_s) + u"\" could not be written"_s;
    QVERIFY2(m.text.contains(cause), qPrintable(m.text));
    QVERIFY(wiz.fakes.launcher.starts.isEmpty());
    QVERIFY(!wiz.fakes.cursor.waiting);
    QCOMPARE(wiz.folder.read(stem + u".html"_s), QByteArray("previous page"));
    QCOMPARE(filesIn(wiz.folder.path()).filter(stem + u".html"_s), QStringList{stem + u".html"_s});
    QVERIFY(!wiz.w().isUnloaded());
    QCOMPARE(wiz.w().currentStep(), 13);
    QCOMPARE(wiz.w().fieldText(u"txtCompanyName"), u"Acme Ltd"_s);
    QVERIFY(!wiz.w().fieldText(u"txtPurchase1").isEmpty()); // refreshed before the failure
}

void TestPageFlow::viewMissingViewer() {
    Wizard wiz;
    wiz.start();
    wiz.fillRequired();
    wiz.fakes.launcher.failStart = true;
    wiz.goToStep(13);
    QTest::mouseClick(wiz.control<QPushButton>(u"cmdView"_s), Qt::LeftButton);
    QCOMPARE(wiz.fakes.messages.shown.size(), 1);
    QCOMPARE(wiz.fakes.messages.shown.front().text, u"Error Opening your Browser"_s);
    QVERIFY(readFile(wiz.folder.filePath(wiz.pageStem() + u".html"_s)).contains("Acme Ltd"));
}

void TestPageFlow::viewTwiceStartsTwo() {
    Wizard wiz;
    wiz.start();
    wiz.fillRequired();
    wiz.goToStep(13);
    QTest::mouseClick(wiz.control<QPushButton>(u"cmdView"_s), Qt::LeftButton);
    wiz.goToStep(8);
    wiz.w().setFieldText(u"txtProCode1", u"Z9"_s);
    wiz.w().setFieldText(u"txtProPrice1", u"7.77"_s);
    wiz.goToStep(13);
    QTest::mouseClick(wiz.control<QPushButton>(u"cmdView"_s), Qt::LeftButton);
    QCOMPARE(wiz.fakes.launcher.starts.size(), 2);
    QVERIFY(readFile(wiz.folder.filePath(wiz.pageStem() + u".html"_s)).contains("Z9|Goods|7.77|Description"));
}

void TestPageFlow::finishWritesPage() {
    Wizard wiz;
    wiz.start();
    wiz.fillRequired();
    wiz.fakes.messages.queue(MessageAnswer::No); // no print
    wiz.click(B::Finish);
    QVERIFY(wiz.w().isUnloaded());
    QCOMPARE(wiz.fakes.messages.shown.size(), 1);
    QCOMPARE(wiz.fakes.messages.shown.front().title, u"Print Request"_s);
    QVERIFY(readFile(wiz.folder.filePath(wiz.pageStem() + u".html"_s)).contains("Acme Ltd"));
    QCOMPARE(wiz.fakes.cursor.waitCount, 1);
    QVERIFY(!wiz.fakes.cursor.waiting);
}

void TestPageFlow::typedThemeNeverReachesFiles() {
    Wizard wiz;
    wiz.start();
    wiz.fillRequired();
    auto* theme = wiz.control<QComboBox>(u"cboTheme"_s);
    const QString chosen = wiz.w().selectedTheme();
    theme->setFocus();
    theme->lineEdit()->selectAll();
    QTest::keyClicks(theme->lineEdit(), u"../evil"_s);
    wiz.click(B::Next);
    QCOMPARE(wiz.w().selectedTheme(), chosen);
    wiz.goToStep(13);
    QTest::mouseClick(wiz.control<QPushButton>(u"cmdView"_s), Qt::LeftButton);
    QVERIFY(!QFile::exists(wiz.folder.filePath(u"../evil.html"_s)));
    QCOMPARE(wiz.fakes.launcher.starts.size(), 1);
}

QTEST_MAIN(TestPageFlow)
#include "tst_pageflow.moc"
