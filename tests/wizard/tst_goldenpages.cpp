#include "entry/FieldTable.h"
#include "page/PageWriter.h"
#include "support/WizardFixture.h"

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QtTest>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

// The page of every shipped theme for one rich entry, compared byte for byte with the
// pages in tests/data/golden. After a deliberate change to a theme or a fragment, run with
// QUORRA_UPDATE_GOLDEN=1 to write the pages anew, then review the difference.
class TestGoldenPages : public QObject {
    Q_OBJECT
private slots:
    void themes_data();
    void themes();
    void fieldOrder();
};

namespace {

int stepOf(const Wizard& wiz, QWidget* control) {
    for (int i = 0; i < StepCount; ++i) {
        if (wiz.w().fFrame(i)->isAncestorOf(control))
            return i;
    }
    return -1;
}

void enterRichEntry(const Wizard& wiz) {
    MainWindow& w = wiz.w();
    w.setFieldText(u"txtCompanyName", u"  Café £5 – 中文 Ltd  "_s);
    w.setFieldText(u"txtCompanyAddress", u"1 High Street\r\nLittle Town\r\nAB1 2CD"_s);
    w.setFieldText(u"txtCompanyTelephone", u" 01234 567890 "_s);
    w.setFieldText(u"txtCompanyFax", u"01234 567891"_s);
    w.setFieldText(u"txtContactName", u"Zoë O'Brien"_s);
    w.setFieldText(u"txtEmailAddress", u"shop@cafe.example.com"_s);
    w.setFieldText(u"txtCompanyLogo", u"logo.png"_s);
    w.setFieldText(u"txtPicture1", u"pictures/shop front.jpg"_s);
    w.setFieldText(u"txtPicture2", QString());
    w.setFieldText(u"txtMissionStatement", u"Good coffee & fair prices.\r\nEvery day."_s);
    w.setFieldText(u"txtCompanyHistory", u"Founded in 1999 by two friends."_s);
    w.setFieldText(u"txtProCode1", u"A1"_s);
    w.setFieldText(u"txtProDesc1", u"House blend, 250 g"_s);
    w.setFieldText(u"txtProPrice1", u"2.50"_s);
    w.setFieldText(u"txtProPicture1", u"blend.jpg"_s);
    w.setFieldText(u"txtProCode2", u"B2"_s);
    w.setFieldText(u"txtProDesc2", u"Espresso cups – set of 4"_s);
    w.setFieldText(u"txtProPrice2", u"12"_s);
    w.setFieldText(u"txtProCode4", u"D4"_s);
    w.setFieldText(u"txtProDesc4", u"Gift card"_s);
    w.setFieldText(u"txtProPrice4", u"20.00"_s);
    w.setFieldText(u"txtProPicture4", u"card.png"_s);
    w.setFieldText(u"txtProCode3", u"   "_s); // a code of blanks: no row
    w.setFieldText(u"txtProDesc3", u"Never shown"_s);
    w.setFieldText(u"txtProCode5", u" E 5 "_s); // blanks stay in the row
    w.setFieldText(u"txtProDesc5", u"Mug <large>"_s);
    w.setFieldText(u"txtProPrice5", u"4.5"_s);

    // Cards, VAT and postage as a user sets them, going forward through the steps.
    auto* cards = wiz.control<QListWidget>(u"lstCreditCards"_s);
    wiz.goToStep(stepOf(wiz, cards));
    for (int i = 0; i < cards->count(); ++i) {
        const QString card = cards->item(i)->text();
        if (card == u"Visa"_s || card == u"Amex"_s || card == u"Switch"_s)
            QTest::mouseClick(cards->viewport(), Qt::LeftButton, {},
                              cards->visualItemRect(cards->item(i)).center());
    }
    QTest::mouseClick(wiz.control<QRadioButton>(u"vatYes"_s), Qt::LeftButton);
    QLineEdit* amount = wiz.line(u"txtAmount"_s);
    wiz.goToStep(stepOf(wiz, amount));
    QTest::mouseClick(wiz.control<QRadioButton>(u"OptShipment"_s), Qt::LeftButton);
    amount->setFocus();
    QTest::keyClicks(amount, u"3.5"_s);
    wiz.click(MainWindow::Next); // the amount loses the focus
}

} // namespace

void TestGoldenPages::themes_data() {
    QTest::addColumn<int>("index");
    QFile catalogue(QStringLiteral(QUORRA_SOURCE_DATA "/Theme.txt"));
    QVERIFY(catalogue.open(QIODevice::ReadOnly));
    int index = 0;
    for (const QByteArray& line : catalogue.readAll().split('\n')) {
        const QByteArray name = line.trimmed();
        if (!name.isEmpty())
            QTest::newRow(name.constData()) << index++;
    }
}

void TestGoldenPages::themes() {
    QFETCH(int, index);
    Wizard wiz;
    wiz.start();
    auto* theme = wiz.control<QComboBox>(u"cboTheme"_s);
    wiz.goToStep(stepOf(wiz, theme));
    theme->setFocus();
    theme->setCurrentIndex(index);
    enterRichEntry(wiz); // moving on takes the theme
    QCOMPARE(wiz.w().selectedTheme(), theme->itemText(index));
    const PageResult result = wiz.w().GeneratePage();
    QVERIFY2(result.ok, qPrintable(result.error));

    const QString stem = wiz.pageStem();
    const QByteArray page = wiz.folder.read(stem + u".html"_s);
    const QString goldenName = QStringLiteral(QUORRA_TEST_DATA "/golden/") + stem + u".html"_s;
    if (qEnvironmentVariableIntValue("QUORRA_UPDATE_GOLDEN") == 1) {
        QFile golden(goldenName);
        QVERIFY(golden.open(QIODevice::WriteOnly));
        golden.write(page);
        QSKIP("golden page written");
    }
    const QByteArray golden = readFile(goldenName);
    QVERIFY2(!golden.isEmpty(), qPrintable(goldenName));
    if (page != golden) {
        // Name the first line that differs.
        const QList<QByteArray> got = page.split('\n');
        const QList<QByteArray> want = golden.split('\n');
        for (qsizetype i = 0; i < qMin(got.size(), want.size()); ++i)
            QCOMPARE(got[i], want[i]);
        QCOMPARE(got.size(), want.size());
    }
    // The entry reached the page in Windows-1252 with references for the rest.
    QVERIFY(page.contains("Caf\xe9 \xa3"
                          "5 \x96 &#20013;&#25991; Ltd"));
    QVERIFY(page.contains("A1|Goods|2.50|Description"));
    QVERIFY(page.contains("<b>Product Code :  E 5 </b><br>Mug <large><br>"));
    QVERIFY(page.contains("name=\" E 5 |Goods|4.5|Description\" size=3 maxlength=6> @ \xa3"
                          "4.5 each"));
    QVERIFY(!page.contains("Never shown"));
    QVERIFY(page.contains("images/visa.gif"));
}

// The window's text fields in the order their names are tried on a template line.
const QStringList FieldOrder =
    u"txtPurchase5 txtPurchase4 txtPurchase3 txtPurchase2 txtPurchase1 txtAmount txtPostage txtVAT txtAmex "
    u"txtDelta txtSwitch txtVisa txtAccess txtDespatch txtEmailAddress txtContactName txtCompanyFax "
    u"txtCompanyTelephone txtProPrice5 txtProDesc5 txtProCode5 txtProPicture5 txtProPicture4 txtProCode4 "
    u"txtProDesc4 txtProPrice4 txtProPrice3 txtProDesc3 txtProCode3 txtProPicture3 txtProPicture2 "
    u"txtProCode2 txtProDesc2 txtProPrice2 txtPicture2 txtPicture1 txtCompanyHistory txtMissionStatement "
    u"txtProPrice1 txtProPicture1 txtProCode1 txtProDesc1 txtHelp txtCompanyAddress txtCompanyName "
    u"txtCompanyLogo"_s.split(u' ');

void TestGoldenPages::fieldOrder() {
    Wizard wiz;
    wiz.start();
    for (qsizetype i = 0; i < FieldOrder.size(); ++i)
        wiz.w().setFieldText(FieldOrder[i], u"#"_s + QString::number(i));
    wiz.w().setFieldText(u"txtCompanyName", u"\u0080\u0095\u009f"_s);
    // Each pair of neighbours on a line, the later name first: only the earlier one is replaced.
    QByteArray templ = "txtcompanyname TXTCOMPANYNAME\r\n[txtCompanyName]\r\n";
    for (qsizetype i = 1; i < FieldOrder.size(); ++i)
        templ += FieldOrder[i].toLatin1() + '|' + FieldOrder[i - 1].toLatin1() + "\r\n";
    wiz.folder.write(wiz.pageStem() + u".txt"_s, templ);
    QVERIFY(wiz.w().GeneratePage().ok);

    const QList<QByteArray> page = wiz.folder.read(wiz.pageStem() + u".html"_s).split('\n');
    QCOMPARE(page.size(), FieldOrder.size() + 2);
    QCOMPARE(page[0], "txtcompanyname TXTCOMPANYNAME\r");
    QCOMPARE(page[1], "[&#128;&#149;&#159;]\r");
    for (qsizetype i = 1; i < FieldOrder.size(); ++i) {
        const QByteArray& line = page[i + 1];
        QVERIFY2(line.startsWith(FieldOrder[i].toLatin1() + '|') &&
                     !line.contains(FieldOrder[i - 1].toLatin1()),
                 line.constData());
    }
}

QTEST_MAIN(TestGoldenPages)
#include "tst_goldenpages.moc"
