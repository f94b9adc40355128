#include "entry/FieldTable.h"
#include "entry/widgets/DialogFont.h"
#include "page/PageWriter.h"
#include "support/WizardFixture.h"

#include <optional>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

namespace {

using B = MainWindow::Button;
enum Fault { NoFault, NoViewer, Incomplete, NoTemplate, DiskFull };
enum Before { NoPrint, Printed, PrintedThenIncomplete, PrintedThenCancel };

void print(const Wizard& wiz) {
    wiz.goToStep(14);
    wiz.click(u"cmdPrint"_s);
}

// The message boxes shown, each as "title|text|buttons|icon".
QStringList boxes(const Wizard& wiz) {
    return wiz.fakes.logged(u"box"_s);
}

// A golden text of tests/data/golden with the page's path in place of @PAGE@.
QString golden(const QString& name, const QString& page) {
    return QString::fromUtf8(readFile(QStringLiteral(QUORRA_TEST_DATA "/golden/") + name))
        .replace(u"@PAGE@"_s, page);
}

} // namespace

// The page's options as the user sets them, View and Finish writing the page, the despatch
// list of the last step, the printed summary and the question whether to print.
class TestFlows : public QObject {
    Q_OBJECT
private slots:
    // Each click on an option writes its fragment, the one already on too; the page takes the
    // cards clicked on and off, and a product row only while the product has a code; the
    // amount is taken when it loses the focus, also to an access key; a restart keeps the
    // fragments of the options shown.
    void paymentOptions() {
        Wizard wiz(Wizard::Started);
        MainWindow& w = wiz.w();
        wiz.goToStep(3);
        wiz.click(u"vatYes"_s);
        wiz.click(u"vatNo"_s);
        w.setFieldText(u"txtVAT", QString());
        wiz.click(u"vatNo"_s);
        const QString vatNo = u"<input type=hidden name=\"VATReg\" value=\"no\">"_s;
        QCOMPARE(w.fieldText(u"txtVAT"), vatNo);
        auto* cards = wiz.control<QListWidget>(u"lstCreditCards"_s);
        const auto generate = [&](int card, const QString& code) {
            QTest::mouseClick(cards->viewport(), Qt::LeftButton, {},
                              cards->visualItemRect(cards->item(card)).center());
            w.setFieldText(u"txtProCode2", code);
            w.GeneratePage();
            return w.fieldText(u"txtAmex") + w.fieldText(u"txtVisa") + u'|' + w.fieldText(u"txtPurchase2");
        };
        const QString amex = uR"(<img src="images/amex.gif" border=0>)"_s;
        generate(1, {}); // Amex
        const QString both = generate(4, u"B2"_s);
        QVERIFY(both.startsWith(amex + uR"(<img src="images/visa.gif" border=0>|)"_s) &&
                both.contains(uR"(name="B2|Goods||Description")"_s));
        QCOMPARE(generate(4, {}), amex + u'|');
        wiz.goToStep(4);
        w.setFieldText(u"txtAmount", u"2.5"_s);
        wiz.click(u"OptShipment"_s);
        wiz.click(u"optItem"_s);
        const auto postage = [](const QString& amount) {
            return u"<input type=hidden name=\"postage_type\" value=\"item\"><input type=hidden "
                   u"name=\"postage_amt\" value=\""_s +
                   amount + u"\">Postage is charged at \u00a3"_s + amount + u" per item."_s;
        };
        QCOMPARE(w.fieldText(u"txtPostage"), postage(u"2.50"_s));
        QLineEdit* amount = wiz.line(u"txtAmount"_s);
        amount->clear();
        amount->setFocus();
        QTest::keyClicks(amount, u".5"_s);
        QTest::keyClick(&w, Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(w.currentStep(), 5);
        QCOMPARE(w.fieldText(u"txtPostage"), postage(u"0.50"_s));
        wiz.fakes.answers += MessageAnswer::No;
        wiz.click(B::Cancel);
        QCOMPARE(w.fieldText(u"txtAmount") + w.fieldText(u"txtVAT") + w.fieldText(u"txtPostage"),
                 vatNo + postage({}));
    }

    void viewAndFinish_data() {
        QTest::addColumn<bool>("finish");
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("message"); // "title|part of the text", %1 the page's stem
        const QString unwritten = u"Page Not Generated|The page \"%2/%1.html\" could not be written"_s;
        QTest::newRow("View") << false << int(NoFault) << QString();
        QTest::newRow("View, viewer missing")
            << false << int(NoViewer) << u"File Not Found|Error Opening your Browser"_s;
        QTest::newRow("View, incomplete")
            << false << int(Incomplete)
            << u"Incomplete Data Entry|You must enter a Company Name.\r\n\r\n\r\n"_s;
        QTest::newRow("View, template missing")
            << false << int(NoTemplate)
            << u"Page Not Generated|The template \"%2/%1.txt\" could not be opened"_s;
        QTest::newRow("View, disk full") << false << int(DiskFull) << unwritten;
        QTest::newRow("Finish, disk full") << true << int(DiskFull) << unwritten;
    }

    // A page that cannot be written stays as it was, the user is told why, no viewer starts
    // and the wizard stays open on its step with everything entered.
    void viewAndFinish() {
        QFETCH(bool, finish);
        QFETCH(int, fault);
        QFETCH(QString, message);
        Wizard wiz(Wizard::Started);
        const QString stem = wiz.pageStem();
        const QString page = wiz.folder.filePath(stem + u".html"_s);
        wiz.fillRequired();
        wiz.w().setFieldText(u"txtProCode1", u"P1"_s);
        wiz.folder.write(stem + u".html"_s, "previous page");
        wiz.fakes.failStart = fault == NoViewer;
        if (fault == Incomplete) { // only blanks make a detail missing: a tab or line breaks count
            wiz.w().setFieldText(u"txtCompanyName", u"    "_s);
            wiz.w().setFieldText(u"txtCompanyAddress", u"\r\n\r\n"_s);
            wiz.w().setFieldText(u"txtContactName", u"\t"_s);
        }
        if (fault == NoTemplate)
            QFile::remove(wiz.folder.filePath(stem + u".txt"_s));
        wiz.goToStep(13);
        {
            std::optional<FileSizeLimit> full;
            if (fault == DiskFull)
                full.emplace(0);
            finish ? wiz.click(B::Finish) : wiz.click(u"cmdView"_s);
        }
        const QStringList shown = boxes(wiz);
        QCOMPARE(shown.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            const QString ends =
                u"|%1|%2"_s.arg(int(MessageButtons::Ok))
                    .arg(int(fault == NoViewer ? MessageIcon::None : MessageIcon::Information));
            QVERIFY2(shown[0].startsWith(message.section(u'|', 0, 0) + u'|') && shown[0].endsWith(ends) &&
                         shown[0].contains(message.section(u'|', 1).arg(stem, wiz.folder.path())),
                     qPrintable(shown[0]));
        }
        const bool written = fault <= NoViewer;
        const QString viewer = wiz.folder.filePath(u"MarlixExp"_s) + u'|' + QDir::toNativeSeparators(page);
        QCOMPARE(wiz.fakes.logged(u"start"_s), written ? QStringList{viewer} : QStringList());
        QCOMPARE(readFile(page).contains("Acme Ltd"), written);
        QCOMPARE(readFile(page) == "previous page", !written);
        QCOMPARE(filesIn(wiz.folder.path()).filter(u".html"_s), QStringList{stem + u".html"_s});
        QCOMPARE(wiz.fakes.log.count(u"wait"_s), fault == Incomplete ? 0 : 1);
        QVERIFY(!wiz.fakes.waiting() && !wiz.w().isUnloaded());
        QCOMPARE(wiz.w().currentStep(), 13);
        QCOMPARE(wiz.w().fieldText(u"txtCompanyName"), fault == Incomplete ? u"    "_s : u"Acme Ltd"_s);
        QCOMPARE(wiz.w().fieldText(u"txtPurchase1").isEmpty(), fault == Incomplete); // refreshed first
        if (fault == NoFault) { // Finish writes the page again, asks to print and closes
            wiz.fakes.answers += MessageAnswer::No;
            wiz.click(B::Finish);
            QVERIFY(wiz.w().isUnloaded() && !wiz.fakes.waiting() && wiz.fakes.log.count(u"wait"_s) == 2);
        }
    }

    // The despatch list names the page and the pictures trimmed, after padded labels, in a
    // fixed-pitch font of the window's size (also where the desktop's fixed font is a
    // proportional one); the summary prints every detail, a line of the file a line.
    void printsEveryDetail() {
        Wizard wiz;
        wiz.folder.write(u"Theme.txt"_s, "\" Classic blue \"\r\n"); // the entry is printed as it stands
        wiz.start();
        wiz.goToStep(14);
        const QString page = QDir::toNativeSeparators(wiz.folder.filePath(wiz.pageStem() + u".html"_s));
        QCOMPARE(wiz.w().fieldText(u"txtDespatch"), golden(u"despatch-empty.txt"_s, page));
        const QFontInfo listFont(wiz.multi(u"txtDespatch"_s)->font());
        QVERIFY(listFont.family() == u"DejaVu Sans Mono" && listFont.fixedPitch() && !listFont.bold());
        QCOMPARE(listFont.pixelSize(), QFontInfo(wiz.w().font()).pixelSize());
        QCOMPARE(QFontInfo(fixedPitchFont(QFont(u"DejaVu Sans"_s))).family(), u"DejaVu Sans Mono"_s);
        const QStringList pictures{u"txtCompanyLogo"_s,      u"txtPicture1"_s,    u"txtPicture2"_s,
                                   u"txtProPicture1"_s,      u"txtProPicture2"_s, u"txtProPicture3"_s,
                                   u"txtProPicture4"_s,      u"txtProPicture5"_s, u"txtCompanyName"_s,
                                   u"txtCompanyTelephone"_s, u"txtCompanyFax"_s,  u"txtContactName"_s,
                                   u"txtEmailAddress"_s};
        for (const QString& name : pictures)
            wiz.w().setFieldText(name, u"  "_s + name + u" typed "_s);
        wiz.w().setFieldText(u"txtCompanyAddress", u" 1 High St\r\nTown "_s);
        wiz.w().setFieldText(u"txtDespatch", u"scribble"_s);
        wiz.click(B::Back);
        print(wiz); // showing the last step again writes the list anew
        const QStringList list = wiz.w().fieldText(u"txtDespatch").split(u"\r\n"_s);
        QCOMPARE(list.size(), 13);
        for (int i = 0; i < 8; ++i)
            QCOMPARE(list.at(3 + i).sliced(18), pictures.at(i) + u" typed"_s);
        QCOMPARE(wiz.fakes.printed.value(0).join(u'\n').split(u'\n'),
                 golden(u"summary.txt"_s, page).split(u'\n'));
        QCOMPARE(boxes(wiz),
                 QStringList{u"MarlixNet|A list of files required by us to create your e-commerce web "
                             u"page have been sent to your printer.\r\n\r\nYou must now save these "
                             u"files to disk and post them to the address detailed on the print out "
                             u"or email them to us.|%1|%2"_s.arg(int(MessageButtons::Ok))
                                 .arg(int(MessageIcon::None))});
    }

    void finishAsksToPrint_data() {
        QTest::addColumn<int>("before"); // what happened before the complete Finish
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::newRow("nothing; Yes prints") << int(NoPrint) << int(MessageAnswer::Yes) << true;
        QTest::newRow("a failed print counts") << int(Printed) << int(MessageAnswer::No) << false;
        QTest::newRow("print, then incomplete Finish")
            << int(PrintedThenIncomplete) << int(MessageAnswer::No) << true;
        QTest::newRow("print, then Cancel and No")
            << int(PrintedThenCancel) << int(MessageAnswer::No) << true;
    }

    // (The question itself is checked on the real message box.)
    void finishAsksToPrint() {
        QFETCH(int, before);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        Wizard wiz(Wizard::Started);
        if (before != NoPrint) {
            wiz.fakes.refusePrint = true;
            wiz.fakes.answers += MessageAnswer::Ok;
            print(wiz);
            QCOMPARE(boxes(wiz).takeLast(), u"MarlixNet|There was a problem printing to your printer.|%1|%2"_s
                                                .arg(int(MessageButtons::Ok))
                                                .arg(int(MessageIcon::None)));
            wiz.fakes.refusePrint = false;
        }
        if (before == PrintedThenIncomplete || before == PrintedThenCancel) {
            wiz.fakes.answers += (before == PrintedThenIncomplete ? MessageAnswer::Yes : MessageAnswer::No);
            wiz.click(before == PrintedThenIncomplete ? B::Finish : B::Cancel);
            QVERIFY(!wiz.w().isUnloaded());
        }
        wiz.fillRequired();
        const qsizetype shown = boxes(wiz).size();
        if (asked)
            wiz.fakes.answers += MessageAnswer(answer);
        if (answer == int(MessageAnswer::Yes))
            wiz.fakes.answers += MessageAnswer::Ok; // the confirmation
        wiz.click(B::Finish);
        QVERIFY(wiz.w().isUnloaded() && wiz.allAnswered());
        QCOMPARE(boxes(wiz).value(shown).section(u'|', 0, 0), asked ? u"Print Request"_s : QString());
        QCOMPARE(wiz.fakes.printed.size(), answer == int(MessageAnswer::Yes) ? 1 : 0);
    }

    void typedTextsOnThePage_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed"); // each key event's text; '\n' presses Return
        QTest::addColumn<QByteArray>("page");
        const QString smile = u"\U0001F600"_s;
        QTest::newRow("beyond the basic plane, one key event")
            << u"txtCompanyName"_s << u"Caf\u00e9 "_s + smile + u" \U0001D11E"_s
            << QByteArray("{Caf\xe9 &#128512; &#119070;}\r\n");
        QTest::newRow("mission statement, two lines")
            << u"txtMissionStatement"_s << u"We sell\nmugs"_s << QByteArray("{We sell\r\nmugs}\r\n");
        QTest::newRow("history, a blank line") << u"txtCompanyHistory"_s << u"Since 1990\n\nFamily run"_s
                                               << QByteArray("{Since 1990\r\n\r\nFamily run}\r\n");
        QTest::newRow("product description, two lines and beyond the plane")
            << u"txtProDesc1"_s << u"Blue mug\n"_s + smile
            << QByteArray("</b><br>Blue mug\r\n&#128512;<br><b>Quantity required");
    }

    // Texts typed as the window system delivers them reach the page in its code page, line
    // breaks as CR LF; the printed summary keeps its lines.
    void typedTextsOnThePage() {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QByteArray, page);
        Wizard wiz(Wizard::Started);
        wiz.fillRequired();
        wiz.w().setFieldText(u"txtCompanyName", QString());
        wiz.w().setFieldText(u"txtProCode1", u"M1"_s);
        wiz.goToStep(findField(field)->panel);
        QWidget* box = wiz.control(field);
        box->setFocus();
        for (qsizetype i = 0; i < typed.size(); i += typed[i].isHighSurrogate() ? 2 : 1) {
            const QString key = typed.mid(i, typed[i].isHighSurrogate() ? 2 : 1); // a pair in one event
            QTest::sendKeyEvent(QTest::Click, box, key == u"\n" ? Qt::Key_Return : Qt::Key_unknown,
                                key == u"\n" ? u"\r"_s : key, Qt::NoModifier);
        }
        const bool product = field.startsWith(u"txtProDesc");
        wiz.folder.write(wiz.pageStem() + u".txt"_s,
                         product ? "txtPurchase1\r\n" : "{" + field.toLatin1() + "}\r\n");
        QVERIFY(wiz.w().GeneratePage().ok);
        const QByteArray written = wiz.folder.read(wiz.pageStem() + u".html"_s);
        QVERIFY2(product ? written.contains(page) : written == page, written.constData());
        print(wiz);
        QCOMPARE(wiz.fakes.printed.value(0).size(), 42);
    }

    // Of two names on one line, only the window's earlier field is replaced.
    void fieldOrder() {
        Wizard wiz(Wizard::Started);
        const auto table = fieldTable();
        QByteArray templ;
        for (std::size_t i = 0; i < table.size(); ++i) {
            wiz.w().setFieldText(table[i].name, u"#"_s);
            if (i > 0)
                templ += QByteArray(table[i].name.data()) + '|' + table[i - 1].name.data() + "\r\n";
        }
        wiz.folder.write(wiz.pageStem() + u".txt"_s, templ);
        QVERIFY(wiz.w().GeneratePage().ok);
        const QList<QByteArray> page = wiz.folder.read(wiz.pageStem() + u".html"_s).split('\n');
        for (std::size_t i = 1; i < table.size(); ++i)
            QVERIFY2(page[qsizetype(i) - 1].startsWith(QByteArray(table[i].name.data()) + '|') &&
                         !page[qsizetype(i) - 1].contains(table[i - 1].name.data()),
                     page[qsizetype(i) - 1].constData());
    }
};

QTEST_MAIN(TestFlows)
#include "tst_flows.moc"
