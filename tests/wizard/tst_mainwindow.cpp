#include "entry/FieldTable.h"
#include "support/WizardFixture.h"
#include "wizard/QtServices.h"

#include <QAccessible>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QRadioButton>
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
    const QRect inside = panel->contentsRect(); // below the caption, inside the frame
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

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void walkAllSteps();
    void cancelNoRestarts();
    void questionsOnTheRealBox_data();
    void questionsOnTheRealBox();
    void tabReachesOnlyFrontStep_data();
    void tabReachesOnlyFrontStep();
    void escapeAndEnterDoNothing();
    void multiLineFieldsUseCrLf();
    void missingFiles_data();
    void missingFiles();
    void maxLength_data();
    void maxLength();
    void requiredDetails_data();
    void requiredDetails();
    void themeLostFocus();
};

// The window at load, then every step forward and back: one panel shown, laid out inside
// its frame, under its caption, with the buttons that step allows; every control the user
// can reach has a name a screen reader says, also with the guidance shown.
void TestMainWindow::walkAllSteps() {
    Wizard wiz;
    wiz.start();
    MainWindow& w = wiz.w();
    QCOMPARE(w.windowTitle(), u"Quorra Development Wizard"_s);
    QCOMPARE(w.size(), QSize(489, 270));
    QVERIFY(w.helpHidden());
    QSet<QWidget*> reachable;
    QSet<QString> names;
    QStringList unnamed;
    const auto nameShownControls = [&] {
        for (QWidget* c : w.findChildren<QWidget*>()) {
            if (c->focusPolicy() == Qt::NoFocus || c->focusProxy() || !c->isVisible())
                continue;
            reachable.insert(c);
            const QString name = QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name);
            names.insert(c->objectName() + u'=' + name);
            if (!name.contains(QRegularExpression(u"[A-Za-z]"_s))) // ".." says nothing
                unnamed += u"%1 on step %2"_s.arg(c->objectName()).arg(w.currentStep() + 1);
        }
    };
    const auto shows = [&](int step, const QString& buttons) {
        QCOMPARE(w.currentStep(), step);
        QCOMPARE(buttonStates(wiz), buttons);
        QCOMPARE(w.fFrame(step)->title(), u"Step  %1  of  15"_s.arg(step + 1));
        QCOMPARE(panelLayoutProblem(w.fFrame(step)), QString());
        for (int i = 0; i < 15; ++i)
            QCOMPARE(w.fFrame(i)->isVisible(), i == step);
        nameShownControls();
    };
    shows(0, u"10011"_s);
    for (int step = 1; step < 15; ++step) {
        wiz.click(B::Next);
        shows(step, step == 14 ? u"11101"_s : u"11111"_s);
    }
    wiz.click(B::Help);
    nameShownControls();
    wiz.click(B::Help);
    for (int step = 13; step >= 0; --step) {
        wiz.click(B::Back);
        shows(step, step == 0 ? u"11011"_s : u"11111"_s); // Cancel stays until a restart
    }
    QCOMPARE(unnamed, QStringList());
    QCOMPARE(reachable.size(), 55); // 33 entry fields, guidance, theme, cards, 4 options, 15 buttons
    const QString expected =
        u"cmdOption=Help;cmdOption=Continue;cmdOption=Cancel;cmdOption=Back;cmdOption=Next;"
        u"cmdOption=Finish;cmdView=View Page;cmdPrint=Print Page;cmdLogo=Browse for Company Logo;"
        u"cmdPic2=Browse for Additional Picture 2;cmdPro4=Browse for Product Picture 4;"
        u"lstCreditCards=Credit Card Acceptance;cboTheme=Website Theme;vatYes=Vat Registered: Yes;"
        u"vatNo=Vat Registered: No;optItem=Postage: Per Item;OptShipment=Postage: Per Shipment;"
        u"txtCompanyName=Company Name;txtProPrice3=Product Price;txtDespatch=Despatch Instructions;"
        u"txtHelp=Guidance"_s;
    for (const QString& name : expected.split(u';'))
        QVERIFY2(names.contains(name), qPrintable(name));
    // The theme box is announced as its name, with the theme as its value.
    auto* theme = wiz.control<QComboBox>(u"cboTheme"_s);
    QCOMPARE(QAccessible::queryAccessibleInterface(theme)->role(), QAccessible::ComboBox);
    QCOMPARE(QAccessible::queryAccessibleInterface(theme)->text(QAccessible::Value), theme->itemText(0));
    QVERIFY(wiz.allAnswered());
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
    wiz.click(B::Help);
    wiz.fakes.messages.queue(MessageAnswer::No);
    wiz.click(B::Cancel);

    QVERIFY(!w.isUnloaded());
    QCOMPARE(w.currentStep(), 0);
    QVERIFY(w.helpHidden());
    QCOMPARE(buttonStates(wiz), u"10011"_s);
    QVERIFY(!w.summaryPrinted());
    for (const FieldSpec& f : fieldTable()) { // the guidance and the shown options' fragments stay
        const bool kept = f.name == "txtHelp"_L1 || f.name == "txtVAT"_L1 || f.name == "txtPostage"_L1;
        QVERIFY2(w.fieldText(f.name).isEmpty() != kept, f.name.data());
    }
    QVERIFY(w.fieldText(u"txtHelp").size() > 100);
    QVERIFY(wiz.control<QListWidget>(u"lstCreditCards"_s)->item(4)->isSelected());
    QVERIFY(wiz.control<QRadioButton>(u"vatYes"_s)->isChecked());
    QCOMPARE(theme->count(), themes);
    QCOMPARE(theme->currentIndex(), 0);
    QCOMPARE(w.selectedTheme(), theme->itemText(0));
    QVERIFY(wiz.allAnswered());
}

void TestMainWindow::questionsOnTheRealBox_data() {
    QTest::addColumn<QString>("question"); // title|text
    QTest::addColumn<int>("key");          // 0: the box's close button
    QTest::addColumn<bool>("ends");
    const QString cancel = u"Cancel Data Entry|Are you sure you wish to\r\ncancel data entry and exit?"_s;
    const QString incomplete =
        u"Incomplete Data Entry|You must enter a Company Name.\r\nYou must enter a Company Address.\r\n"
        u"You must enter a Contact Name.\r\n\r\n\r\n\r\nDo you wish to to return to data entry?"_s;
    const QString close =
        u"Quorra Development Wizard|Are you sure you wish to exit Program \r\nwithout saving your data?"_s;
    const QString print =
        u"Print Request|You did not print out your despatch list.\r\nDo you wish to print now?"_s;
    for (const QString& q : {cancel, incomplete, close, print}) {
        // Escape and the close button never throw the entry away; Print Request ends anyway.
        const QByteArray title = q.section(u'|', 0, 0).toLatin1();
        QTest::addRow("%s, Escape", title.data()) << q << int(Qt::Key_Escape) << (q == print);
        QTest::addRow("%s, close", title.data()) << q << 0 << (q == print);
    }
    QTest::newRow("Cancel Data Entry, Enter") << cancel << int(Qt::Key_Return) << true;
    QTest::newRow("Incomplete Data Entry, Yes") << incomplete << int(Qt::Key_Y) << false;
    QTest::newRow("Incomplete Data Entry, No") << incomplete << int(Qt::Key_N) << true;
    QTest::newRow("Quorra Development Wizard, Yes") << close << int(Qt::Key_Y) << true;
    QTest::newRow("Quorra Development Wizard, No") << close << int(Qt::Key_N) << false;
}

// The live message box, answered with a key or its close button.
void TestMainWindow::questionsOnTheRealBox() {
    QFETCH(QString, question);
    QFETCH(int, key);
    QFETCH(bool, ends);
    struct AskedBoxes : QtMessageService {
        QStringList asked;
        MessageAnswer show(const QString& title, const QString& text, MessageButtons buttons,
                           MessageIcon icon, MessageAnswer onEscape) override {
            asked += title + u'|' + text;
            return QtMessageService::show(title, text, buttons, icon, onEscape);
        }
    } boxes;
    Wizard wiz;
    wiz.messages = &boxes;
    wiz.start();
    const QString title = question.section(u'|', 0, 0);
    if (title != u"Incomplete Data Entry")
        wiz.fillRequired();
    wiz.goToStep(2);
    wiz.w().setFieldText(u"txtCompanyFax", u"555"_s);

    bool yesNoQuestions = true;
    QFontInfo font{QFont()};
    QTimer answerer; // answers every box the same way, a box nobody expected too
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible() || box->property("answered").toBool())
            return;
        box->setProperty("answered", true);
        const auto yesNo = QMessageBox::Yes | QMessageBox::No;
        yesNoQuestions = yesNoQuestions && box->icon() == QMessageBox::Question &&
                         (box->standardButtons() & yesNo) == yesNo;
        font = QFontInfo(box->findChild<QLabel*>(u"qt_msgbox_label"_s)->font());
        if (key)
            QTest::keyClick(box, Qt::Key(key));
        else
            box->close();
    });
    answerer.start(10);
    if (title == u"Cancel Data Entry")
        wiz.click(B::Cancel);
    else if (title == u"Quorra Development Wizard")
        wiz.w().close();
    else
        wiz.click(B::Finish);
    QCOMPARE(boxes.asked, QStringList{question});
    QVERIFY(yesNoQuestions);
    // The box speaks in the window's font, not in a larger one of its own.
    QCOMPARE(font.pixelSize(), QFontInfo(wiz.w().font()).pixelSize());
    QCOMPARE(font.family(), QFontInfo(wiz.w().font()).family());
    QCOMPARE(wiz.w().isUnloaded(), ends);
    QCOMPARE(wiz.w().isVisible(), !ends);
    QVERIFY(wiz.fakes.printer.ended.isEmpty());
    if (title == u"Incomplete Data Entry") // no page was made
        QCOMPARE(wiz.fakes.cursor.waitCount, 0);
    if (!ends) {
        QCOMPARE(wiz.w().currentStep(), 2);
        QCOMPARE(wiz.w().fieldText(u"txtCompanyFax"), u"555"_s);
    }
}

void TestMainWindow::tabReachesOnlyFrontStep_data() {
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("helpCloser"); // -1: the guidance is not shown
    for (int step : {0, 1, 2, 3, 4, 7, 8, 12, 14})
        QTest::newRow(qPrintable(QString::number(step + 1))) << step << -1;
    QTest::newRow("1, help shown, closed by Help") << 0 << int(B::Help);
    QTest::newRow("2, help shown, closed by Help") << 1 << int(B::Help);
    QTest::newRow("2, help shown, closed by Back") << 1 << int(B::Back);
    QTest::newRow("9, help shown, closed by Next") << 8 << int(B::Next);
}

// Tab walks the shown step and the buttons; while the guidance text covers the step, only
// the guidance text and the buttons. Closing the guidance gives the step its focus back.
void TestMainWindow::tabReachesOnlyFrontStep() {
    QFETCH(int, step);
    QFETCH(int, helpCloser);
    const bool help = helpCloser >= 0;
    Wizard wiz;
    wiz.start();
    wiz.goToStep(step);
    QWidget* first = QApplication::focusWidget();
    QVERIFY(first);
    QCOMPARE(first->parentWidget(), wiz.w().fFrame(step)); // the step's first control
    QWidget* guidance = wiz.multi(u"txtHelp"_s);
    if (help)
        wiz.click(B::Help);
    QCOMPARE(guidance->isVisible(), help);
    QCOMPARE(wiz.w().helpHidden(), !help);
    QCOMPARE(wiz.button(B::Help)->text(), help ? u"&Continue"_s : u"&Help"_s);
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
        wiz.click(helpCloser);
        const int after = step + (helpCloser == B::Next) - (helpCloser == B::Back);
        QCOMPARE(wiz.w().currentStep(), after);
        QVERIFY(!guidance->isVisible());
        QVERIFY(wiz.w().helpHidden());
        QCOMPARE(wiz.button(B::Help)->text(), u"&Help"_s);
        QCOMPARE(QApplication::focusWidget()->parentWidget(), wiz.w().fFrame(after));
        if (after == step)
            QCOMPARE(QApplication::focusWidget(), first);
    }
}

// Return, Enter and Escape in a field, and the access key of a disabled button, do nothing.
void TestMainWindow::escapeAndEnterDoNothing() {
    Wizard wiz;
    wiz.start();
    wiz.goToStep(1);
    QLineEdit* name = wiz.line(u"txtCompanyName"_s);
    name->setFocus();
    QTest::keyClicks(name, u"Acme"_s);
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(name, key);
    QTest::keyClick(&wiz.w(), Qt::Key_Escape);
    QVERIFY(wiz.w().isVisible());
    QCOMPARE(wiz.w().currentStep(), 1);
    QCOMPARE(wiz.w().fieldText(u"txtCompanyName"), u"Acme"_s);
    // In a text of many lines they start a line, kept as CR LF.
    QPlainTextEdit* address = wiz.multi(u"txtCompanyAddress"_s);
    address->setFocus();
    QTest::keyClicks(address, u"1 High St"_s);
    QTest::keyClick(address, Qt::Key_Return);
    QTest::keyClick(address, Qt::Key_Enter);
    QTest::keyClicks(address, u"Town"_s);
    QCOMPARE(wiz.w().fieldText(u"txtCompanyAddress"), u"1 High St\r\n\r\nTown"_s);
    QVERIFY(wiz.fakes.messages.shown.isEmpty());

    wiz.goToStep(14);
    QVERIFY(!wiz.button(B::Next)->isEnabled());
    QVERIFY(wiz.multi(u"txtDespatch"_s)->hasFocus());
    const QString before = wiz.w().fieldText(u"txtDespatch");
    QWindow* window = wiz.w().windowHandle(); // the path of a real key press: shortcuts first
    QTest::keyClick(window, Qt::Key_N, Qt::AltModifier);
    QCOMPARE(wiz.w().fieldText(u"txtDespatch"), before);
    QCOMPARE(wiz.w().currentStep(), 14);
    QTest::keyClick(&wiz.w(), Qt::Key_B, Qt::AltModifier); // an enabled button still takes its key
    QTRY_COMPARE(wiz.w().currentStep(), 13);
}

// A text of many lines set by the program keeps its lines as CR LF.
void TestMainWindow::multiLineFieldsUseCrLf() {
    Wizard wiz;
    wiz.start();
    wiz.w().setFieldText(u"txtCompanyHistory", u"one\r\ntwo\nthree"_s);
    QCOMPARE(wiz.multi(u"txtCompanyHistory"_s)->document()->blockCount(), 3);
    QCOMPARE(wiz.w().fieldText(u"txtCompanyHistory"), u"one\r\ntwo\r\nthree"_s);
    QVERIFY(wiz.w().fieldText(u"txtHelp").endsWith(u"\r\n"_s));
    QVERIFY(!wiz.w().fieldText(u"txtHelp").contains(u"\r\r"_s));
}

void TestMainWindow::missingFiles_data() {
    QTest::addColumn<QByteArray>("help"); // a null array: no file
    QTest::addColumn<QByteArray>("catalogue");
    QTest::addColumn<QString>("message"); // title|text, or none
    QTest::addColumn<int>("themes");
    QTest::addColumn<QString>("startText");
    const QByteArray none, empty(""), help("Welcome\r\n"), themes("Classic blue\r\nModern\r\n");
    const QString noHelp = u"Marlix Help|No data in Help File"_s;
    const QString loaded = u"The Quorra Wizard"_s;
    QTest::newRow("help missing") << none << themes << noHelp << 0 << u"a"_s;
    QTest::newRow("catalogue missing")
        << help << none << u"Loading Theme File|Theme File Not found"_s << 0 << loaded;
    QTest::newRow("help empty") << empty << themes << QString() << 2 << loaded;
    QTest::newRow("catalogue empty") << help << empty << QString() << 0 << loaded;
    QTest::newRow("binary files") << QByteArray("\x00\xff\x81\"\r\x00", 6)
                                  << QByteArray("\x00\x01,\xfe\n\n", 6) << QString() << 2 << loaded;
}

void TestMainWindow::missingFiles() {
    QFETCH(QByteArray, help);
    QFETCH(QByteArray, catalogue);
    QFETCH(QString, message);
    QFETCH(int, themes);
    QFETCH(QString, startText);
    Wizard wiz(TestFolder::Empty);
    if (!help.isNull())
        wiz.folder.write(u"marlixhlp.dat"_s, help);
    if (!catalogue.isNull())
        wiz.folder.write(u"Theme.txt"_s, catalogue);
    wiz.start();
    QStringList shown;
    for (const ShownMessage& m : wiz.fakes.messages.shown) {
        QCOMPARE(m.icon, MessageIcon::Information);
        QCOMPARE(m.buttons, MessageButtons::Ok);
        shown.append(m.title + u'|' + m.text);
    }
    QCOMPARE(shown, message.isEmpty() ? QStringList() : QStringList{message});
    auto* theme = wiz.control<QComboBox>(u"cboTheme"_s);
    QCOMPARE(theme->count(), themes);
    QCOMPARE(wiz.w().selectedTheme(), themes ? theme->itemText(0) : QString());
    QVERIFY(wiz.control<QLabel>(u"lblStartScreen"_s)->text().startsWith(startText));
    // The restart copes the same way.
    wiz.click(B::Next);
    wiz.fakes.messages.queue(MessageAnswer::No);
    for (int i = 0; i < shown.size(); ++i)
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

// The limit stops typing, and applies again after a restart cleared a longer program text.
void TestMainWindow::maxLength() {
    QFETCH(QString, name);
    QFETCH(int, step);
    QFETCH(int, limit);
    Wizard wiz;
    wiz.start();
    wiz.w().setFieldText(name, QString(100, u'x'));
    wiz.w().ResetEntry();
    wiz.goToStep(step);
    QLineEdit* edit = wiz.line(name);
    edit->setFocus();
    const int typed = limit ? limit + 3 : 200;
    QTest::keyClicks(edit, QString(typed, u'7'));
    QCOMPARE(wiz.w().fieldText(name).size(), limit ? limit : typed);
    if (!limit)
        QVERIFY(edit->maxLength() > 1000000);
}

void TestMainWindow::requiredDetails_data() {
    QTest::addColumn<QStringList>("details"); // company name, address, contact name
    QTest::addColumn<QString>("message");     // none: complete
    const QString end = u"\r\n\r\n"_s;
    QTest::newRow("only address missing")
        << QStringList{"Acme", "", "Ann"} << u"You must enter a Company Address.\r\n"_s + end;
    QTest::newRow("name of blanks is missing")
        << QStringList{"    ", "Street", "Ann"} << u"You must enter a Company Name.\r\n"_s + end;
    QTest::newRow("address of line breaks is present") << QStringList{"Acme", "\r\n\r\n", "Ann"} << QString();
    QTest::newRow("tab counts as present") << QStringList{"\t", "Street", "Ann"} << QString();
    QTest::newRow("name and contact missing")
        << QStringList{"", "Street", " "}
        << u"You must enter a Company Name.\r\nYou must enter a Contact Name.\r\n"_s + end;
}

void TestMainWindow::requiredDetails() {
    QFETCH(QStringList, details);
    QFETCH(QString, message);
    Wizard wiz;
    wiz.start();
    const char16_t* names[] = {u"txtCompanyName", u"txtCompanyAddress", u"txtContactName"};
    for (int i = 0; i < 3; ++i)
        wiz.w().setFieldText(names[i], details[i]);
    QCOMPARE(wiz.w().CheckCompanyDetails(), message.isEmpty());
    QCOMPARE(wiz.w().validationMessage(), message);
    QCOMPARE(wiz.w().fieldText(names[0]), details[0]); // the text itself is not changed
}

void TestMainWindow::themeLostFocus() {
    Wizard wiz;
    wiz.start();
    auto* theme = wiz.control<QComboBox>(u"cboTheme"_s);
    const QString first = theme->itemText(0), second = theme->itemText(1);
    theme->setFocus();
    theme->setCurrentIndex(1);
    QCOMPARE(wiz.w().selectedTheme(), first); // taken only when the focus leaves
    wiz.click(B::Next);
    QCOMPARE(wiz.w().selectedTheme(), second);
    const auto type = [&](const QString& text) {
        wiz.click(B::Back);
        theme->setFocus();
        theme->lineEdit()->selectAll();
        QTest::keyClicks(theme->lineEdit(), text);
        wiz.click(B::Next);
    };
    // Typed text that names no theme changes nothing, and the box shows the theme again.
    type(u"../../etc/passwd"_s);
    QCOMPARE(wiz.w().selectedTheme(), second);
    QCOMPARE(theme->currentText(), second);
    QCOMPARE(theme->findText(u"../../etc/passwd"_s), -1); // never added to the list
    type(first);
    QCOMPARE(wiz.w().selectedTheme(), first);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
