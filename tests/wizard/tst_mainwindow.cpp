#include "entry/FieldTable.h"
#include "page/PageWriter.h"
#include "support/WizardFixture.h"
#include "wizard/QtServices.h"

#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QRadioButton>
#include <QStyleOptionGroupBox>
#include <QTimer>
#include <QtTest>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

namespace {

using B = MainWindow::Button;

// Help, Cancel, Back, Next, Finish.
QString buttonStates(const Wizard& wiz) {
    QString s;
    for (int i = 0; i < 5; ++i)
        s += wiz.button(i)->isEnabled() ? u'1' : u'0';
    return s;
}

// Where a control draws: a label its text, any other control its whole rectangle.
QRect drawnRect(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        const int flags = int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : 0);
        return label->fontMetrics()
            .boundingRect(label->contentsRect(), flags, label->text())
            .translated(label->pos());
    }
    return w->geometry();
}

// Empty when every shown control of the panel lies inside its frame and clear of the
// others; otherwise what is wrong.
QString panelLayoutProblem(const QGroupBox* panel) {
    QStyleOptionGroupBox option;
    option.initFrom(panel);
    option.text = panel->title();
    option.textAlignment = panel->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect inside =
        panel->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents, panel);
    QList<const QWidget*> seen;
    for (const QWidget* w : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->isVisible())
            continue;
        const QRect r = drawnRect(w);
        if (!inside.contains(r))
            return QDebug::toString(w) + u" at "_s + QDebug::toString(r) + u" leaves "_s +
                   QDebug::toString(inside);
        for (const QWidget* other : seen) {
            // The twips put a ".." button one pixel into its field; more is an overlap.
            const QRect both = r & drawnRect(other);
            if (both.width() > 1 && both.height() > 1)
                return QDebug::toString(w) + u" overlaps "_s + QDebug::toString(other);
        }
        seen.append(w);
    }
    return {};
}

const QString Incomplete = u"You must enter a Company Name.\r\nYou must enter a Company Address.\r\n"
                           u"You must enter a Contact Name.\r\n\r\n\r\n"_s;

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void cleanup();
    void loadState();
    void controlsOfTheTables_data();
    void controlsOfTheTables();
    void walkAllSteps();
    void backToFirstStep();
    void helpToggle_data();
    void helpToggle();
    void screenReaderNames_data();
    void screenReaderNames();
    void everyControlNamedOnEveryStep();
    void cancelYesEnds();
    void cancelNoRestarts();
    void finishIncomplete_data();
    void finishIncomplete();
    void closeBox_data();
    void closeBox();
    void questionsOnTheRealBox_data();
    void questionsOnTheRealBox();
    void tabReachesOnlyFrontStep_data();
    void tabReachesOnlyFrontStep();
    void escapeAndEnterDoNothing();
    void accessKeyOfDisabledButtonTypesNothing();
    void missingFiles_data();
    void missingFiles();
    void maxLength_data();
    void maxLength();
    void programTextIsNeverCut();
    void multiLineFieldsUseCrLf();
    void requiredDetails_data();
    void requiredDetails();
    void themeLostFocus();
};

void TestMainWindow::cleanup() {
    // Nothing the test made is left on screen.
    const QWidgetList left = QApplication::topLevelWidgets();
    for (QWidget* w : left)
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
}

void TestMainWindow::loadState() {
    Wizard wiz;
    wiz.start();
    MainWindow& w = wiz.w();
    QCOMPARE(w.windowTitle(), u"Quorra Development Wizard"_s);
    QCOMPARE(w.size(), QSize(489, 270));
    QCOMPARE(w.currentStep(), 0);
    QCOMPARE(w.fFrame(0)->title(), u"Step  1  of  15"_s);
    QCOMPARE(w.fFrame(1)->title(), u"Step  2"_s);
    QCOMPARE(buttonStates(wiz), u"10011"_s);
    QVERIFY(w.helpHidden());
    QVERIFY(!w.summaryPrinted());
    QVERIFY(wiz.control<QRadioButton>(u"vatNo"_s)->isChecked());
    QVERIFY(wiz.control<QRadioButton>(u"optItem"_s)->isChecked());
    QCOMPARE(w.fieldText(u"txtVAT"), uR"(<input type=hidden name="VATReg" value="no">)"_s);
    QCOMPARE(
        w.fieldText(u"txtPostage"),
        uR"(<input type=hidden name="postage_type" value="item"><input type=hidden name="postage_amt" value="">Postage is charged at £ per item.)"_s);
    auto* theme = wiz.control<QComboBox>(u"cboTheme"_s);
    QVERIFY(theme->count() >= 4);
    QCOMPARE(theme->currentIndex(), 0);
    QCOMPARE(w.selectedTheme(), theme->itemText(0));
    QVERIFY(w.fieldText(u"txtHelp").endsWith(u"\r\n"_s));
    QVERIFY(
        wiz.control<QLabel>(u"lblStartScreen"_s)->text().startsWith(u"The Quorra Wizard will guide you"_s));
    QVERIFY(
        wiz.control<QLabel>(u"lblFrame14"_s)
            ->text()
            .endsWith(
                u"\n\nAlternatively you can click the Next> Button and continue straight to the final part of this program."_s));
    QVERIFY(!wiz.multi(u"txtHelp"_s)->isVisible());
    QVERIFY(wiz.allAnswered());
}

void TestMainWindow::controlsOfTheTables_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("panel");
    QTest::addColumn<QRect>("pixels");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Help") << "cmdOption" << -1 << QRect(8, 240, 73, 25) << "&Help";
    QTest::newRow("name") << "txtCompanyName" << 1 << QRect(104, 24, 193, 23) << "";
    QTest::newRow("address") << "txtCompanyAddress" << 1 << QRect(104, 72, 193, 97) << "";
    QTest::newRow("logo button") << "cmdLogo" << 1 << QRect(272, 184, 25, 23) << "..";
    QTest::newRow("telephone") << "txtCompanyTelephone" << 2 << QRect(128, 32, 161, 25) << "";
    QTest::newRow("cards") << "lstCreditCards" << 3 << QRect(160, 32, 105, 79) << "";
    QTest::newRow("amount") << "txtAmount" << 4 << QRect(96, 160, 97, 23) << "";
    QTest::newRow("per item") << "optItem" << 4 << QRect(80, 88, 113, 25) << "Per Item";
    QTest::newRow("product 3 price") << "txtProPrice3" << 10 << QRect(216, 136, 81, 23) << "";
    QTest::newRow("product 5 button") << "cmdPro5" << 12 << QRect(280, 192, 17, 17) << "..";
    QTest::newRow("view") << "cmdView" << 13 << QRect(112, 184, 97, 25) << "&View Page";
    QTest::newRow("despatch") << "txtDespatch" << 14 << QRect(8, 48, 289, 129) << "";
    QTest::newRow("theme") << "cboTheme" << 0 << QRect(16, 152, 265, 21) << "";
}

void TestMainWindow::controlsOfTheTables() {
    QFETCH(QString, name);
    QFETCH(int, panel);
    QFETCH(QRect, pixels);
    QFETCH(QString, caption);
    Wizard wiz;
    wiz.start();
    QWidget* c = wiz.control(name);
    QVERIFY(c);
    QCOMPARE(c->geometry(), pixels);
    if (panel >= 0)
        QCOMPARE(c->parentWidget(), wiz.w().fFrame(panel));
    if (auto* b = qobject_cast<QAbstractButton*>(c))
        QCOMPARE(b->text(), caption);
}

void TestMainWindow::walkAllSteps() {
    Wizard wiz;
    wiz.start();
    QCOMPARE(panelLayoutProblem(wiz.w().fFrame(0)), QString());
    for (int step = 1; step < 15; ++step) {
        wiz.click(B::Next);
        QCOMPARE(wiz.w().currentStep(), step);
        QCOMPARE(panelLayoutProblem(wiz.w().fFrame(step)), QString());
        QCOMPARE(wiz.w().fFrame(step)->title(), u"Step  %1  of  15"_s.arg(step + 1));
        QVERIFY(wiz.w().fFrame(step)->isVisible());
        QVERIFY(!wiz.w().fFrame(step - 1)->isVisible());
        QCOMPARE(buttonStates(wiz), step == 14 ? u"11101"_s : u"11111"_s);
    }
    QVERIFY(wiz.w().fieldText(u"txtDespatch").startsWith(u"The following files need to be despatched"_s));
    for (int step = 13; step >= 0; --step) {
        wiz.click(B::Back);
        QCOMPARE(wiz.w().currentStep(), step);
        QCOMPARE(buttonStates(wiz), step == 0 ? u"11011"_s : u"11111"_s);
    }
    QVERIFY(wiz.allAnswered());
}

void TestMainWindow::backToFirstStep() {
    Wizard wiz;
    wiz.start();
    wiz.click(B::Next);
    wiz.click(B::Back);
    QCOMPARE(wiz.w().currentStep(), 0);
    QCOMPARE(buttonStates(wiz), u"11011"_s); // Cancel stays available until a restart
    QCOMPARE(wiz.w().fFrame(0)->title(), u"Step  1  of  15"_s);
}

void TestMainWindow::helpToggle_data() {
    QTest::addColumn<int>("closer");
    QTest::addColumn<int>("stepAfter");
    QTest::newRow("Help again") << int(B::Help) << 1;
    QTest::newRow("Next") << int(B::Next) << 2;
    QTest::newRow("Back") << int(B::Back) << 0;
}

void TestMainWindow::helpToggle() {
    QFETCH(int, closer);
    QFETCH(int, stepAfter);
    Wizard wiz;
    wiz.start();
    wiz.click(B::Next);
    wiz.click(B::Help);
    QPlainTextEdit* help = wiz.multi(u"txtHelp"_s);
    QVERIFY(help->isVisible());
    QCOMPARE(help->geometry(), QRect(173, 8, 313, 220));
    QVERIFY(!wiz.w().helpHidden());
    QCOMPARE(wiz.button(B::Help)->text(), u"&Continue"_s);
    wiz.click(closer);
    QVERIFY(!help->isVisible());
    QVERIFY(wiz.w().helpHidden());
    QCOMPARE(wiz.button(B::Help)->text(), u"&Help"_s);
    QCOMPARE(wiz.w().currentStep(), stepAfter);
}

void TestMainWindow::screenReaderNames_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("index"); // of a navigation button
    QTest::addColumn<QString>("name");
    QTest::newRow("Help") << "cmdOption" << 0 << "Help";
    QTest::newRow("Cancel") << "cmdOption" << 1 << "Cancel";
    QTest::newRow("Back") << "cmdOption" << 2 << "Back";
    QTest::newRow("Next") << "cmdOption" << 3 << "Next";
    QTest::newRow("Finish") << "cmdOption" << 4 << "Finish";
    QTest::newRow("View") << "cmdView" << -1 << "View Page";
    QTest::newRow("Print") << "cmdPrint" << -1 << "Print Page";
    QTest::newRow("logo button") << "cmdLogo" << -1 << "Browse for Company Logo";
    QTest::newRow("picture 2 button") << "cmdPic2" << -1 << "Browse for Additional Picture 2";
    QTest::newRow("product 4 button") << "cmdPro4" << -1 << "Browse for Product Picture 4";
    QTest::newRow("cards") << "lstCreditCards" << -1 << "Credit Card Acceptance";
    QTest::newRow("theme") << "cboTheme" << -1 << "Website Theme";
    QTest::newRow("VAT yes") << "vatYes" << -1 << "Vat Registered: Yes";
    QTest::newRow("VAT no") << "vatNo" << -1 << "Vat Registered: No";
    QTest::newRow("per item") << "optItem" << -1 << "Postage: Per Item";
    QTest::newRow("per shipment") << "OptShipment" << -1 << "Postage: Per Shipment";
    QTest::newRow("company name") << "txtCompanyName" << -1 << "Company Name";
    QTest::newRow("product 3 price") << "txtProPrice3" << -1 << "Product Price";
    QTest::newRow("despatch") << "txtDespatch" << -1 << "Despatch Instructions";
    QTest::newRow("guidance") << "txtHelp" << -1 << "Guidance";
}

void TestMainWindow::screenReaderNames() {
    QFETCH(QString, control);
    QFETCH(int, index);
    QFETCH(QString, name);
    Wizard wiz;
    wiz.start();
    QWidget* c = index >= 0 ? wiz.button(index) : wiz.control(control);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
    QVERIFY(a);
    QCOMPARE(a->text(QAccessible::Name), name);
    if (auto* box = qobject_cast<QComboBox*>(c)) { // announced as its name, with the theme as its value
        QCOMPARE(a->role(), QAccessible::ComboBox);
        QCOMPARE(a->text(QAccessible::Value), box->itemText(0));
    }
}

void TestMainWindow::everyControlNamedOnEveryStep() {
    Wizard wiz;
    wiz.start();
    QSet<QWidget*> seen;
    QStringList unnamed;
    const auto checkShownControls = [&] {
        for (QWidget* c : wiz.w().findChildren<QWidget*>()) {
            if (c->focusPolicy() == Qt::NoFocus || c->focusProxy() || !c->isVisible())
                continue;
            seen.insert(c);
            const QString name = QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name);
            if (!name.contains(QRegularExpression(u"[A-Za-z]"_s))) // ".." says nothing
                unnamed += u"%1 on step %2"_s.arg(c->objectName()).arg(wiz.w().currentStep() + 1);
        }
    };
    for (int step = 0; step < 15; ++step) {
        if (step > 0)
            wiz.click(B::Next);
        checkShownControls();
    }
    wiz.click(B::Help);
    checkShownControls();
    QCOMPARE(unnamed, QStringList());
    QCOMPARE(seen.size(), 55); // 33 entry fields, guidance, theme, cards, 4 options, 15 buttons
    QAccessibleInterface* help = QAccessible::queryAccessibleInterface(wiz.button(B::Help));
    QCOMPARE(help->text(QAccessible::Name), u"Continue"_s);
    QAccessibleInterface* guidance = QAccessible::queryAccessibleInterface(wiz.multi(u"txtHelp"_s));
    QCOMPARE(guidance->text(QAccessible::Name), u"Guidance"_s);
    QVERIFY(guidance->text(QAccessible::Value).size() > 100);
    QCOMPARE(guidance->text(QAccessible::Value), wiz.multi(u"txtHelp"_s)->toPlainText());
}

void TestMainWindow::cancelYesEnds() {
    Wizard wiz;
    wiz.start();
    wiz.click(B::Next);
    wiz.fakes.messages.queue(MessageAnswer::Yes);
    wiz.click(B::Cancel);
    QCOMPARE(wiz.fakes.messages.shown.size(), 1);
    const ShownMessage& m = wiz.fakes.messages.shown.front();
    QCOMPARE(m.title, u"Cancel Data Entry"_s);
    QCOMPARE(m.text, u"Are you sure you wish to\r\ncancel data entry and exit?"_s);
    QCOMPARE(m.buttons, MessageButtons::YesNo);
    QCOMPARE(m.icon, MessageIcon::Question);
    QVERIFY(wiz.w().isUnloaded());
    QVERIFY(!wiz.w().isVisible());
}

void TestMainWindow::cancelNoRestarts() {
    Wizard wiz;
    wiz.start();
    MainWindow& w = wiz.w();
    auto* theme = wiz.control<QComboBox>(u"cboTheme"_s);
    const int themes = theme->count();
    theme->setCurrentIndex(2);
    for (const FieldSpec& f : fieldTable())
        w.setFieldText(f.name, u"x"_s);
    wiz.control<QListWidget>(u"lstCreditCards"_s)->item(4)->setSelected(true);
    wiz.goToStep(3);
    QTest::mouseClick(wiz.control<QRadioButton>(u"vatYes"_s), Qt::LeftButton);
    wiz.goToStep(4);
    QTest::mouseClick(wiz.control<QRadioButton>(u"OptShipment"_s), Qt::LeftButton);
    wiz.click(B::Help);
    wiz.fakes.messages.queue(MessageAnswer::No);
    wiz.click(B::Cancel);

    QVERIFY(!w.isUnloaded());
    QCOMPARE(w.currentStep(), 0);
    QVERIFY(w.helpHidden());
    QCOMPARE(buttonStates(wiz), u"10011"_s);
    QVERIFY(!w.summaryPrinted());
    for (const FieldSpec& f : fieldTable()) {
        const QString text = w.fieldText(f.name);
        if (f.name == "txtHelp"_L1)
            QVERIFY(text.size() > 100);
        else if (f.name == "txtVAT"_L1)
            QVERIFY(text.contains(u"value=\"yes\""_s)); // the options the window shows
        else if (f.name == "txtPostage"_L1)
            QCOMPARE(
                text,
                uR"(<input type=hidden name="postage_type" value="shipment"><input type=hidden name="postage_amt" value="">Postage is charged at £ per shipment.)"_s);
        else
            QVERIFY2(text.isEmpty(), f.name.data());
    }
    QVERIFY(wiz.control<QListWidget>(u"lstCreditCards"_s)->item(4)->isSelected());
    QVERIFY(wiz.control<QRadioButton>(u"vatYes"_s)->isChecked());
    QCOMPARE(theme->count(), themes);
    QCOMPARE(theme->currentIndex(), 0);
    QCOMPARE(w.selectedTheme(), theme->itemText(0));
    QVERIFY(wiz.allAnswered());
}

void TestMainWindow::finishIncomplete_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes stays") << int(MessageAnswer::Yes);
    QTest::newRow("No ends") << int(MessageAnswer::No);
}

void TestMainWindow::finishIncomplete() {
    QFETCH(int, answer);
    Wizard wiz;
    wiz.start();
    wiz.goToStep(5);
    wiz.w().setFieldText(u"txtMissionStatement", u"Our mission"_s);
    wiz.fakes.messages.queue(MessageAnswer(answer));
    wiz.click(B::Finish);
    QCOMPARE(wiz.fakes.messages.shown.size(), 1);
    const ShownMessage& m = wiz.fakes.messages.shown.front();
    QCOMPARE(m.title, u"Incomplete Data Entry"_s);
    QCOMPARE(m.text, Incomplete + u"\r\nDo you wish to to return to data entry?"_s);
    QCOMPARE(m.buttons, MessageButtons::YesNo);
    QCOMPARE(m.icon, MessageIcon::Question);
    QCOMPARE(wiz.fakes.cursor.waitCount, 0);
    const bool stays = MessageAnswer(answer) == MessageAnswer::Yes;
    QCOMPARE(wiz.w().isUnloaded(), !stays);
    if (stays) {
        QCOMPARE(wiz.w().currentStep(), 5);
        QCOMPARE(wiz.w().fieldText(u"txtMissionStatement"), u"Our mission"_s);
    }
    QVERIFY(wiz.allAnswered());
}

void TestMainWindow::closeBox_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes") << int(MessageAnswer::Yes);
    QTest::newRow("No") << int(MessageAnswer::No);
}

void TestMainWindow::closeBox() {
    QFETCH(int, answer);
    Wizard wiz;
    wiz.start();
    wiz.w().setFieldText(u"txtCompanyName", u"Acme"_s);
    wiz.fakes.messages.queue(MessageAnswer(answer));
    wiz.w().close();
    QCOMPARE(wiz.fakes.messages.shown.size(), 1);
    const ShownMessage& m = wiz.fakes.messages.shown.front();
    QCOMPARE(m.title, u"Quorra Development Wizard"_s);
    QCOMPARE(m.text, u"Are you sure you wish to exit Program \r\nwithout saving your data?"_s);
    QCOMPARE(m.icon, MessageIcon::Question);
    const bool closes = MessageAnswer(answer) == MessageAnswer::Yes;
    QCOMPARE(wiz.w().isUnloaded(), closes);
    QCOMPARE(wiz.w().isVisible(), !closes);
    QCOMPARE(wiz.w().fieldText(u"txtCompanyName"), u"Acme"_s);
}

void TestMainWindow::questionsOnTheRealBox_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("key"); // 0: the box's close button
    QTest::addColumn<bool>("ends");
    for (const char* title :
         {"Cancel Data Entry", "Incomplete Data Entry", "Quorra Development Wizard", "Print Request"}) {
        // Escape and the close button never throw the entry away; Print Request ends anyway.
        const bool ends = QByteArray(title) == "Print Request";
        QTest::addRow("%s, Escape", title) << QString::fromLatin1(title) << int(Qt::Key_Escape) << ends;
        QTest::addRow("%s, close", title) << QString::fromLatin1(title) << 0 << ends;
    }
    QTest::newRow("Cancel Data Entry, Enter") << u"Cancel Data Entry"_s << int(Qt::Key_Return) << true;
}

// The live message box: Escape and its close button give the harmless answer.
void TestMainWindow::questionsOnTheRealBox() {
    QFETCH(QString, title);
    QFETCH(int, key);
    QFETCH(bool, ends);
    QtMessageService boxes;
    Wizard wiz;
    wiz.messages = &boxes;
    wiz.start();
    if (title != u"Incomplete Data Entry")
        wiz.fillRequired();
    wiz.goToStep(2);
    wiz.w().setFieldText(u"txtCompanyFax", u"555"_s);

    QString seen;
    QFontInfo font{QFont()};
    std::function<void()> answer = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) {
            QTimer::singleShot(10, answer);
            return;
        }
        seen = box->windowTitle();
        font = QFontInfo(box->findChild<QLabel*>(u"qt_msgbox_label"_s)->font());
        if (key)
            QTest::keyClick(box, Qt::Key(key));
        else
            box->close();
    };
    QTimer::singleShot(0, answer);
    if (title == u"Cancel Data Entry")
        wiz.click(B::Cancel);
    else if (title == u"Quorra Development Wizard")
        wiz.w().close();
    else
        wiz.click(B::Finish);
    QCOMPARE(seen, title);
    // The box speaks in the window's font, not in a larger one of its own.
    QCOMPARE(font.pixelSize(), QFontInfo(wiz.w().font()).pixelSize());
    QCOMPARE(font.family(), QFontInfo(wiz.w().font()).family());
    QCOMPARE(wiz.w().isUnloaded(), ends);
    QVERIFY(wiz.fakes.printer.ended.isEmpty());
    if (!ends) {
        QCOMPARE(wiz.w().currentStep(), 2);
        QCOMPARE(wiz.w().fieldText(u"txtCompanyFax"), u"555"_s);
    }
}

void TestMainWindow::tabReachesOnlyFrontStep_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("help");
    for (int step : {0, 1, 2, 3, 4, 7, 8, 12, 14})
        QTest::newRow(qPrintable(QString::number(step + 1))) << step << false;
    for (int step : {0, 1, 8})
        QTest::newRow(qPrintable(QString::number(step + 1) + u", help shown"_s)) << step << true;
}

// Tab walks the shown step and the buttons; while the guidance text covers the step, only
// the guidance text and the buttons.
void TestMainWindow::tabReachesOnlyFrontStep() {
    QFETCH(int, step);
    QFETCH(bool, help);
    Wizard wiz;
    wiz.start();
    wiz.goToStep(step);
    QWidget* first = QApplication::focusWidget();
    QVERIFY(first);
    QCOMPARE(first->parentWidget(), wiz.w().fFrame(step)); // the step's first control
    QWidget* guidance = wiz.multi(u"txtHelp"_s);
    if (help)
        wiz.click(B::Help);
    QSet<QWidget*> seen;
    for (int i = 0; i < 40; ++i) {
        QWidget* f = QApplication::focusWidget();
        QVERIFY(f);
        const bool allowed = f->objectName() == u"cmdOption"_s ||
                             (help ? f == guidance : wiz.w().fFrame(step)->isAncestorOf(f));
        QVERIFY2(allowed, qPrintable(f->objectName()));
        seen.insert(f);
        QTest::keyClick(f, Qt::Key_Tab);
    }
    QVERIFY(seen.size() >= 3);
    QCOMPARE(seen.contains(guidance), help);
    if (help) {
        wiz.click(B::Help);
        QCOMPARE(QApplication::focusWidget(), first);
    }
}

void TestMainWindow::accessKeyOfDisabledButtonTypesNothing() {
    Wizard wiz;
    wiz.start();
    wiz.goToStep(14);
    QVERIFY(!wiz.button(MainWindow::Next)->isEnabled());
    QPlainTextEdit* list = wiz.multi(u"txtDespatch"_s);
    QVERIFY(list->hasFocus());
    const QString before = wiz.w().fieldText(u"txtDespatch");
    QWindow* window = wiz.w().windowHandle(); // the path of a real key press: shortcuts first
    QTest::keyClick(window, Qt::Key_N, Qt::AltModifier);
    QCOMPARE(wiz.w().fieldText(u"txtDespatch"), before);
    QCOMPARE(wiz.w().currentStep(), 14);
    QTest::keyClick(&wiz.w(), Qt::Key_B, Qt::AltModifier); // an enabled button still takes its key
    QTRY_COMPARE(wiz.w().currentStep(), 13);
}

void TestMainWindow::escapeAndEnterDoNothing() {
    Wizard wiz;
    wiz.start();
    wiz.goToStep(1);
    QLineEdit* name = wiz.line(u"txtCompanyName"_s);
    name->setFocus();
    QTest::keyClicks(name, u"Acme"_s);
    QTest::keyClick(name, Qt::Key_Return);
    QTest::keyClick(name, Qt::Key_Enter);
    QTest::keyClick(name, Qt::Key_Escape);
    QTest::keyClick(&wiz.w(), Qt::Key_Escape);
    QVERIFY(wiz.w().isVisible());
    QCOMPARE(wiz.w().currentStep(), 1);
    QCOMPARE(wiz.w().fieldText(u"txtCompanyName"), u"Acme"_s);
    QPlainTextEdit* address = wiz.multi(u"txtCompanyAddress"_s);
    address->setFocus();
    QTest::keyClicks(address, u"1 High St"_s);
    QTest::keyClick(address, Qt::Key_Return);
    QTest::keyClicks(address, u"Town"_s);
    QCOMPARE(wiz.w().fieldText(u"txtCompanyAddress"), u"1 High St\r\nTown"_s);
    QVERIFY(wiz.fakes.messages.shown.isEmpty());
}

void TestMainWindow::missingFiles_data() {
    QTest::addColumn<bool>("help");
    QTest::addColumn<QByteArray>("helpBytes");
    QTest::addColumn<bool>("catalogue");
    QTest::addColumn<QByteArray>("catalogueBytes");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("themes");
    QTest::addColumn<QString>("startText");

    const QByteArray help("Welcome\r\n");
    const QByteArray themes("Classic blue\r\nModern\r\n");
    QTest::newRow("help missing") << false << QByteArray() << true << themes
                                  << QStringList{"Marlix Help|No data in Help File"} << 0 << "a";
    QTest::newRow("catalogue missing")
        << true << help << false << QByteArray() << QStringList{"Loading Theme File|Theme File Not found"}
        << 0 << "The Quorra Wizard";
    QTest::newRow("both missing") << false << QByteArray() << false << QByteArray()
                                  << QStringList{"Marlix Help|No data in Help File"} << 0 << "a";
    QTest::newRow("help empty") << true << QByteArray() << true << themes << QStringList{} << 2
                                << "The Quorra Wizard";
    QTest::newRow("catalogue empty") << true << help << true << QByteArray() << QStringList{} << 0
                                     << "The Quorra Wizard";
    QTest::newRow("binary files") << true << QByteArray("\x00\xff\x81\"\r\x00", 6) << true
                                  << QByteArray("\x00\x01,\xfe\n\n", 6) << QStringList{} << 2
                                  << "The Quorra Wizard";
}

void TestMainWindow::missingFiles() {
    QFETCH(bool, help);
    QFETCH(QByteArray, helpBytes);
    QFETCH(bool, catalogue);
    QFETCH(QByteArray, catalogueBytes);
    QFETCH(QStringList, messages);
    QFETCH(int, themes);
    QFETCH(QString, startText);

    Wizard wiz(TestFolder::Empty);
    if (help)
        wiz.folder.write(u"marlixhlp.dat"_s, helpBytes);
    if (catalogue)
        wiz.folder.write(u"Theme.txt"_s, catalogueBytes);
    wiz.start();
    QStringList shown;
    for (const ShownMessage& m : wiz.fakes.messages.shown) {
        QCOMPARE(m.icon, MessageIcon::Information);
        QCOMPARE(m.buttons, MessageButtons::Ok);
        shown.append(m.title + u'|' + m.text);
    }
    QCOMPARE(shown, messages);
    auto* theme = wiz.control<QComboBox>(u"cboTheme"_s);
    QCOMPARE(theme->count(), themes);
    QCOMPARE(wiz.w().selectedTheme(), themes ? theme->itemText(0) : QString());
    QVERIFY(wiz.control<QLabel>(u"lblStartScreen"_s)->text().startsWith(startText));
    // The restart copes the same way.
    wiz.click(B::Next);
    wiz.fakes.messages.queue(MessageAnswer::No);
    for (int i = 0; i < messages.size(); ++i)
        wiz.fakes.messages.queue(MessageAnswer::Ok);
    wiz.click(B::Cancel);
    QCOMPARE(wiz.w().currentStep(), 0);
    QCOMPARE(theme->count(), themes);
    QVERIFY(wiz.fakes.messages.allAnswersUsed());
}

void TestMainWindow::maxLength_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("limit");
    QTest::newRow("company name") << "txtCompanyName" << 1 << 64;
    QTest::newRow("contact") << "txtContactName" << 2 << 64;
    QTest::newRow("email") << "txtEmailAddress" << 2 << 64;
    QTest::newRow("telephone") << "txtCompanyTelephone" << 2 << 32;
    QTest::newRow("fax") << "txtCompanyFax" << 2 << 32;
    QTest::newRow("code") << "txtProCode2" << 9 << 32;
    QTest::newRow("price") << "txtProPrice4" << 11 << 32;
    QTest::newRow("logo path has none") << "txtCompanyLogo" << 1 << 0;
    QTest::newRow("amount has none") << "txtAmount" << 4 << 0;
}

void TestMainWindow::maxLength() {
    QFETCH(QString, name);
    QFETCH(int, step);
    QFETCH(int, limit);
    Wizard wiz;
    wiz.start();
    wiz.goToStep(step);
    QLineEdit* edit = wiz.line(name);
    edit->setFocus();
    const int typed = limit ? limit + 3 : 200;
    QTest::keyClicks(edit, QString(typed, u'7'));
    QCOMPARE(wiz.w().fieldText(name).size(), limit ? limit : typed);
    if (!limit)
        QVERIFY(edit->maxLength() > 1000000);
}

void TestMainWindow::programTextIsNeverCut() {
    Wizard wiz;
    wiz.start();
    const QString longName(100, u'n');
    wiz.w().setFieldText(u"txtCompanyName", longName);
    QCOMPARE(wiz.w().fieldText(u"txtCompanyName"), longName);
    const QString huge(40000, u'p');
    wiz.w().setFieldText(u"txtCompanyLogo", huge);
    QCOMPARE(wiz.w().fieldText(u"txtCompanyLogo"), huge);
    wiz.w().setFieldText(u"txtPurchase1", huge);
    QCOMPARE(wiz.w().fieldText(u"txtPurchase1"), huge);
    // After a reset the user's limit applies again.
    wiz.w().ResetEntry();
    wiz.goToStep(1);
    QLineEdit* edit = wiz.line(u"txtCompanyName"_s);
    edit->setFocus();
    QTest::keyClicks(edit, QString(70, u'a'));
    QCOMPARE(wiz.w().fieldText(u"txtCompanyName").size(), 64);
}

void TestMainWindow::multiLineFieldsUseCrLf() {
    Wizard wiz;
    wiz.start();
    wiz.goToStep(5);
    QPlainTextEdit* mission = wiz.multi(u"txtMissionStatement"_s);
    mission->setFocus();
    QTest::keyClicks(mission, u"To sell"_s);
    QTest::keyClick(mission, Qt::Key_Return);
    QTest::keyClick(mission, Qt::Key_Return);
    QTest::keyClicks(mission, u"well"_s);
    QCOMPARE(wiz.w().fieldText(u"txtMissionStatement"), u"To sell\r\n\r\nwell"_s);
    wiz.w().setFieldText(u"txtCompanyHistory", u"one\r\ntwo\nthree"_s);
    QCOMPARE(wiz.multi(u"txtCompanyHistory"_s)->document()->blockCount(), 3);
    QCOMPARE(wiz.w().fieldText(u"txtCompanyHistory"), u"one\r\ntwo\r\nthree"_s);
    QVERIFY(wiz.w().fieldText(u"txtHelp").contains(u"\r\n"_s));
    QVERIFY(!wiz.w().fieldText(u"txtHelp").contains(u"\r\r"_s));
}

void TestMainWindow::requiredDetails_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("contact");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<QString>("message");
    QTest::newRow("all present") << "Acme"
                                 << "Street"
                                 << "Ann" << true << "";
    QTest::newRow("all missing") << ""
                                 << ""
                                 << "" << false << Incomplete;
    QTest::newRow("only address missing")
        << "Acme"
        << ""
        << "Ann" << false << "You must enter a Company Address.\r\n\r\n\r\n";
    QTest::newRow("name of blanks is missing")
        << "    "
        << "Street"
        << "Ann" << false << "You must enter a Company Name.\r\n\r\n\r\n";
    QTest::newRow("blanks around count as present") << "  Acme  "
                                                    << "Street"
                                                    << "  Ann " << true << "";
    QTest::newRow("address of line breaks is present") << "Acme"
                                                       << "\r\n\r\n"
                                                       << "Ann" << true << "";
    QTest::newRow("tab counts as present") << "\t"
                                           << "Street"
                                           << "Ann" << true << "";
    QTest::newRow("name and contact missing")
        << ""
        << "Street"
        << " " << false << "You must enter a Company Name.\r\nYou must enter a Contact Name.\r\n\r\n\r\n";
}

void TestMainWindow::requiredDetails() {
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(QString, contact);
    QFETCH(bool, complete);
    QFETCH(QString, message);
    Wizard wiz;
    wiz.start();
    wiz.w().setFieldText(u"txtCompanyName", name);
    wiz.w().setFieldText(u"txtCompanyAddress", address);
    wiz.w().setFieldText(u"txtContactName", contact);
    QCOMPARE(wiz.w().CheckCompanyDetails(), complete);
    QCOMPARE(wiz.w().validationMessage(), message);
    QCOMPARE(wiz.w().fieldText(u"txtCompanyName"), name); // the text itself is not changed
}

void TestMainWindow::themeLostFocus() {
    Wizard wiz;
    wiz.start();
    auto* theme = wiz.control<QComboBox>(u"cboTheme"_s);
    const QString second = theme->itemText(1);
    theme->setFocus();
    theme->setCurrentIndex(1);
    QCOMPARE(wiz.w().selectedTheme(), theme->itemText(0)); // taken only when the focus leaves
    wiz.click(B::Next);
    QCOMPARE(wiz.w().selectedTheme(), second);
    wiz.click(B::Back);
    // Typed text that names no theme changes nothing, and the box shows the theme again.
    theme->setFocus();
    theme->lineEdit()->selectAll();
    QTest::keyClicks(theme->lineEdit(), u"../../etc/passwd"_s);
    wiz.click(B::Next);
    QCOMPARE(wiz.w().selectedTheme(), second);
    QCOMPARE(theme->currentText(), second);
    QCOMPARE(theme->findText(u"../../etc/passwd"_s), -1); // never added to the list
    wiz.click(B::Back);
    theme->setFocus();
    theme->lineEdit()->selectAll();
    QTest::keyClicks(theme->lineEdit(), theme->itemText(0));
    wiz.click(B::Next);
    QCOMPARE(wiz.w().selectedTheme(), theme->itemText(0));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
