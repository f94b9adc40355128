#include "entry/PaymentFragments.h"
#include "page/PageWriter.h"
#include "support/WizardFixture.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QtTest>

#include <optional>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

namespace {

using B = MainWindow::Button;
enum Fault { NoFault, NoViewer, Incomplete, NoTemplate, DiskFull };

void click(const Wizard& wiz, const QString& name) {
    QTest::mouseClick(wiz.control<QAbstractButton>(name), Qt::LeftButton);
}

} // namespace

// The page's options as the user sets them, and View and Finish writing the page.
class TestPageFlow : public QObject {
    Q_OBJECT
private slots:
    // Each click on an option writes its fragment, the one already on too; the amount is
    // taken when it loses the focus, also to an access key; a restart keeps the fragments
    // of the options shown.
    void paymentOptions() {
        Wizard wiz;
        wiz.start();
        wiz.goToStep(3);
        click(wiz, u"vatYes"_s);
        click(wiz, u"vatNo"_s);
        wiz.w().setFieldText(u"txtVAT", QString());
        click(wiz, u"vatNo"_s);
        QCOMPARE(wiz.w().fieldText(u"txtVAT"), vatFragment(false));
        wiz.goToStep(4);
        wiz.w().setFieldText(u"txtAmount", u"2.5"_s);
        click(wiz, u"OptShipment"_s);
        click(wiz, u"optItem"_s);
        QCOMPARE(wiz.w().fieldText(u"txtPostage"), postageFragment(PostageType::Item, u"2.5"_s));
        QLineEdit* amount = wiz.line(u"txtAmount"_s);
        amount->clear();
        amount->setFocus();
        QTest::keyClicks(amount, u".5"_s);
        QTest::keyClick(&wiz.w(), Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(wiz.w().currentStep(), 5);
        QCOMPARE(wiz.w().fieldText(u"txtPostage"), postageFragment(PostageType::Item, u".5"_s));

        wiz.fakes.messages.queue(MessageAnswer::No);
        wiz.click(B::Cancel);
        QCOMPARE(wiz.w().fieldText(u"txtAmount"), QString());
        QCOMPARE(wiz.w().fieldText(u"txtVAT"), vatFragment(false));
        QCOMPARE(wiz.w().fieldText(u"txtPostage"), postageFragment(PostageType::Item, QString()));
    }

    // Cards clicked on and off, and a product row only while the product has a code.
    void cardsAndProducts() {
        Wizard wiz;
        wiz.start();
        auto* cards = wiz.control<QListWidget>(u"lstCreditCards"_s);
        wiz.goToStep(3);
        const auto clickCard = [&](int i) {
            QTest::mouseClick(cards->viewport(), Qt::LeftButton, {},
                              cards->visualItemRect(cards->item(i)).center());
        };
        const auto paid = [&] { return wiz.w().fieldText(u"txtAmex") + wiz.w().fieldText(u"txtVisa"); };
        const QString amex = uR"(<img src="images/amex.gif" border=0>)"_s;
        clickCard(1); // Amex
        clickCard(4); // Visa
        wiz.w().setFieldText(u"txtProCode2", u"B2"_s);
        wiz.w().GeneratePage();
        QCOMPARE(paid(), amex + uR"(<img src="images/visa.gif" border=0>)"_s);
        QVERIFY(wiz.w().fieldText(u"txtPurchase2").contains(u"name=\"B2|Goods||Description\""_s));
        clickCard(4);
        wiz.w().setFieldText(u"txtProCode2", QString());
        wiz.w().GeneratePage();
        QCOMPARE(paid(), amex);
        QCOMPARE(wiz.w().fieldText(u"txtPurchase2"), QString());
    }

    void viewAndFinish_data() {
        QTest::addColumn<bool>("finish");
        QTest::addColumn<int>("fault");
        QTest::addColumn<qint64>("room");     // bytes the disk takes for a full disk
        QTest::addColumn<QString>("message"); // "title|part of the text", %1 the page's stem
        const QString unwritten = u"Page Not Generated|The page \"%2/%1.html\" could not be written"_s;
        QTest::newRow("View") << false << int(NoFault) << qint64(0) << QString();
        QTest::newRow("View, viewer missing")
            << false << int(NoViewer) << qint64(0) << u"File Not Found|Error Opening your Browser"_s;
        QTest::newRow("View, incomplete")
            << false << int(Incomplete) << qint64(0)
            << u"Incomplete Data Entry|You must enter a Company Name.\r\n\r\n\r\n"_s;
        for (const bool finish : {false, true}) {
            const char* button = finish ? "Finish" : "View";
            QTest::addRow("%s, template missing", button)
                << finish << int(NoTemplate) << qint64(0)
                << u"Page Not Generated|The template \"%2/%1.txt\" could not be opened"_s;
            QTest::addRow("%s, disk full", button) << finish << int(DiskFull) << qint64(0) << unwritten;
            QTest::addRow("%s, disk full mid-page", button)
                << finish << int(DiskFull) << qint64(4096) << unwritten;
        }
    }

    // A page that cannot be written stays as it was, the user is told why, no viewer starts
    // and the wizard stays open on its step with everything entered.
    void viewAndFinish() {
        QFETCH(bool, finish);
        QFETCH(int, fault);
        QFETCH(qint64, room);
        QFETCH(QString, message);
        Wizard wiz;
        wiz.start();
        const QString stem = wiz.pageStem();
        const QString page = wiz.folder.filePath(stem + u".html"_s);
        wiz.fillRequired();
        wiz.w().setFieldText(u"txtProCode1", u"P1"_s);
        wiz.folder.write(stem + u".html"_s, "previous page");
        wiz.fakes.launcher.failStart = fault == NoViewer;
        if (fault == Incomplete)
            wiz.w().setFieldText(u"txtCompanyName", QString());
        if (fault == NoTemplate)
            QFile::remove(wiz.folder.filePath(stem + u".txt"_s));
        wiz.goToStep(13);
        {
            std::optional<FileSizeLimit> full;
            if (fault == DiskFull)
                full.emplace(room);
            finish ? wiz.click(B::Finish) : click(wiz, u"cmdView"_s);
        }
        QStringList shown;
        for (const ShownMessage& m : wiz.fakes.messages.shown) {
            shown += m.title + u'|' + m.text;
            QCOMPARE(m.buttons, MessageButtons::Ok);
            QCOMPARE(m.icon, fault == NoViewer ? MessageIcon::None : MessageIcon::Information);
        }
        QCOMPARE(shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            const QString text = message.section(u'|', 1).arg(stem, wiz.folder.path());
            QVERIFY2(shown[0].startsWith(message.section(u'|', 0, 0) + u'|') && shown[0].contains(text),
                     qPrintable(shown[0]));
        }
        const bool written = fault <= NoViewer;
        const QStringList viewer{wiz.folder.filePath(u"MarlixExp"_s), QDir::toNativeSeparators(page)};
        QCOMPARE(wiz.fakes.launcher.starts, written ? QList<QStringList>{viewer} : QList<QStringList>());
        QCOMPARE(readFile(page).contains("Acme Ltd"), written);
        QCOMPARE(readFile(page) == "previous page", !written);
        QCOMPARE(filesIn(wiz.folder.path()).filter(u".html"_s), QStringList{stem + u".html"_s});
        QCOMPARE(wiz.fakes.cursor.waitCount, fault == Incomplete ? 0 : 1);
        QVERIFY(!wiz.fakes.cursor.waiting);
        QVERIFY(!wiz.w().isUnloaded());
        QCOMPARE(wiz.w().currentStep(), 13);
        QCOMPARE(wiz.w().fieldText(u"txtContactName"), u"Ann Smith"_s);
        QCOMPARE(wiz.w().fieldText(u"txtPurchase1").isEmpty(), fault == Incomplete); // refreshed first
        if (fault == NoFault) { // Finish writes the page again, asks to print and closes
            wiz.fakes.messages.queue(MessageAnswer::No);
            wiz.click(B::Finish);
            QVERIFY(wiz.w().isUnloaded() && !wiz.fakes.cursor.waiting);
            QCOMPARE(wiz.fakes.cursor.waitCount, 2);
        }
    }
};

QTEST_MAIN(TestPageFlow)
#include "tst_pageflow.moc"
