#include "entry/FieldTable.h"
#include "entry/widgets/DialogFont.h"
#include "page/PageWriter.h"
#include "support/WizardFixture.h"

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

} // namespace

// The page's options as the user sets them, View and Finish writing the page, the despatch
// list of the last step, the printed summary and the question whether to print.
class TestFlows : public QObject {
    Q_OBJECT
private slots:
    // Each click on an option writes its fragment, the one already on too; the page takes the
    // cards clicked on and off, and a product row only while the product has a code; the
    // amount is taken when it loses the focus, also to an access key; a restart keeps the
    // fragments of the options shown. The fragments after each action are in the golden file.
    void paymentOptions() {
        Wizard wiz(Wizard::Started);
        MainWindow& w = wiz.w();
        QString fragments;
        const auto note = [&](const QString& action) {
            fragments += u"== "_s + action + u'\n';
            for (const QString& name :
                 u"txtAmount txtVAT txtPostage txtAccess txtVisa txtPurchase2"_s.split(u' '))
                fragments += name + u": "_s + w.fieldText(name) + u'\n';
        };
        wiz.goToStep(3);
        wiz.click(u"vatYes"_s);
        wiz.click(u"vatNo"_s);
        w.setFieldText(u"txtVAT", QString());
        wiz.click(u"vatNo"_s);
        note(u"VAT: yes, no, emptied, no again"_s);
        auto* cards = wiz.control<QListWidget>(u"lstCreditCards"_s);
        for (const auto& [card, code] : {std::pair{0, u""_s}, {4, u"B2"_s}, {4, u""_s}}) {
            QTest::mouseClick(cards->viewport(), Qt::LeftButton, {},
                              cards->visualItemRect(cards->item(card)).center());
            w.setFieldText(u"txtProCode2", code);
            w.GeneratePage();
            note(u"card %1 clicked, product 2 coded \"%2\", page generated"_s.arg(card).arg(code));
        }
        wiz.goToStep(4);
        w.setFieldText(u"txtAmount", u"2.5"_s);
        wiz.click(u"OptShipment"_s);
        wiz.click(u"optItem"_s);
        note(u"amount 2.5 set, per shipment, per item"_s);
        QLineEdit* amount = wiz.line(u"txtAmount"_s);
        amount->clear();
        amount->setFocus();
        QTest::keyClicks(amount, u".5"_s);
        QTest::keyClick(&w, Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(w.currentStep(), 5);
        note(u".5 typed, Alt+N"_s);
        wiz.fakes.answers += MessageAnswer::No;
        wiz.click(B::Cancel);
        note(u"restarted"_s);
        compareGolden(fragments.toUtf8(), u"payment-options.txt"_s);
    }

    // View and Finish, also under each fault. A page that cannot be written stays as it was,
    // the user is told why, no viewer starts and the wizard stays open on its step with
    // everything entered. The golden file holds what each asked of the services, then the
    // page and the wizard.
    void viewAndFinish() {
        QString transcript;
        for (const auto& [name, fault] : {std::pair{"View", NoFault},
                                          {"View, viewer missing", NoViewer},
                                          {"View, incomplete", Incomplete},
                                          {"View, template missing", NoTemplate},
                                          {"View, disk full", DiskFull},
                                          {"Finish, disk full", DiskFull}}) {
            Wizard wiz(Wizard::Started);
            const QString stem = wiz.pageStem();
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
                const FileSizeLimit full(fault == DiskFull ? 0 : -1);
                QByteArray(name).startsWith("Finish") ? wiz.click(B::Finish) : wiz.click(u"cmdView"_s);
            }
            const auto state = [&] { // what the services were asked, the page, the wizard
                const QByteArray written = wiz.folder.read(stem + u".html"_s);
                return wiz.asked() +
                       u"\npage: %1; pages: %2\nstep %3, %4, company name \"%5\", product row %6\n"_s
                           .arg(written.contains("Acme Ltd") ? u"new"_s : QString::fromUtf8(written),
                                filesIn(wiz.folder.path()).filter(u".html"_s).join(u' '))
                           .arg(wiz.w().currentStep())
                           .arg(wiz.w().isUnloaded() ? u"closed"_s : u"open"_s,
                                wiz.w().fieldText(u"txtCompanyName"),
                                wiz.w().fieldText(u"txtPurchase1").isEmpty() ? u"empty"_s : u"written"_s);
            };
            transcript += u"== "_s + QString::fromLatin1(name) + u'\n' + state();
            if (fault == NoFault) { // Finish writes the page again, asks to print and closes
                wiz.fakes.log.clear();
                wiz.fakes.answers += MessageAnswer::No;
                wiz.click(B::Finish);
                transcript += u"== then Finish, not printing\n"_s + state();
            }
            transcript.replace(wiz.folder.path(), u"@APP@"_s);
        }
        compareGolden(transcript.toUtf8(), u"view-and-finish.txt"_s);
    }

    // The despatch list names the page and the pictures trimmed, after padded labels, in a
    // fixed-pitch font of the window's size (also where the desktop's fixed font is a
    // proportional one); the summary prints every detail, a line of the file a line (the
    // golden file holds the list empty and filled in, the summary and what the wizard asked).
    void printsEveryDetail() {
        Wizard wiz;
        wiz.folder.write(u"Theme.txt"_s, "\" Classic blue \"\r\n"); // the entry is printed as it stands
        wiz.start();
        wiz.goToStep(14);
        const QString page = QDir::toNativeSeparators(wiz.folder.filePath(wiz.pageStem() + u".html"_s));
        const QString empty = wiz.w().fieldText(u"txtDespatch");
        const QFontInfo listFont(wiz.multi(u"txtDespatch"_s)->font());
        QVERIFY(listFont.family() == u"DejaVu Sans Mono" && listFont.fixedPitch() && !listFont.bold());
        QCOMPARE(listFont.pixelSize(), QFontInfo(wiz.w().font()).pixelSize());
        QCOMPARE(QFontInfo(fixedPitchFont(QFont(u"DejaVu Sans"_s))).family(), u"DejaVu Sans Mono"_s);
        const QStringList pictures =
            u"txtCompanyLogo txtPicture1 txtPicture2 txtProPicture1 txtProPicture2 "
            u"txtProPicture3 txtProPicture4 txtProPicture5 txtCompanyName "
            u"txtCompanyTelephone txtCompanyFax txtContactName txtEmailAddress"_s.split(u' ');
        for (const QString& name : pictures)
            wiz.w().setFieldText(name, u"  "_s + name + u" typed "_s);
        wiz.w().setFieldText(u"txtCompanyAddress", u" 1 High St\r\nTown "_s);
        wiz.w().setFieldText(u"txtDespatch", u"scribble"_s);
        wiz.click(B::Back);
        print(wiz); // showing the last step again writes the list anew
        const QString printed = empty + u"\n== filled in\n"_s + wiz.w().fieldText(u"txtDespatch") +
                                u"\n== printed\n"_s + wiz.fakes.printed.value(0).join(u'\n') +
                                u"\n== asked\n"_s + wiz.asked();
        compareGolden(QString(printed).replace(page, u"@PAGE@"_s).replace(u'\r', u"\\r"_s).toUtf8() + '\n',
                      u"print-summary.txt"_s);
    }

    // Finish asks to print while no summary went to the printer since the last restart (a
    // failed print counts); Yes prints it. The golden file holds what each run asked.
    void finishAsksToPrint() {
        QString transcript;
        for (const auto& [name, before, answers] :
             {std::tuple{"nothing printed; Yes", NoPrint, QList{MessageAnswer::Yes, MessageAnswer::Ok}},
              {"a print failed", Printed, QList<MessageAnswer>{}},
              {"a print failed, then an incomplete Finish; No", PrintedThenIncomplete,
               QList{MessageAnswer::No}},
              {"a print failed, then Cancel and No; No", PrintedThenCancel, QList{MessageAnswer::No}}}) {
            Wizard wiz(Wizard::Started);
            if (before != NoPrint) {
                wiz.fakes.refusePrint = true;
                wiz.fakes.answers += MessageAnswer::Ok;
                print(wiz);
                wiz.fakes.refusePrint = false;
            }
            if (before != NoPrint && before != Printed) {
                wiz.fakes.answers += before == PrintedThenIncomplete ? MessageAnswer::Yes : MessageAnswer::No;
                wiz.click(before == PrintedThenIncomplete ? B::Finish : B::Cancel);
            }
            wiz.fillRequired();
            wiz.fakes.answers += answers;
            wiz.click(B::Finish);
            QVERIFY(wiz.w().isUnloaded() && wiz.allAnswered());
            transcript += u"== "_s + QString::fromLatin1(name) + u'\n' + wiz.asked() + u'\n';
        }
        compareGolden(transcript.toUtf8(), u"finish-asks-to-print.txt"_s);
    }

    void typedTextsOnThePage_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed"); // each key event's text; '\n' presses Return
        QTest::addColumn<QByteArray>("page");
        const QString smile = u"\U0001F600"_s;
        QTest::newRow("beyond the basic plane, one key event")
            << u"txtCompanyName"_s << u"Caf\u00e9 "_s + smile + u" \U0001D11E"_s
            << QByteArray("{Caf\xe9 &#128512; &#119070;}\r\n");
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
};

QTEST_MAIN(TestFlows)
#include "tst_flows.moc"
