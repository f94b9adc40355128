#include "entry/FieldTable.h"
#include "platform/QtServices.h"
#include "support/WizardFixture.h"

#include <sys/stat.h>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

namespace {

using B = MainWindow::Button;

// Where a control draws: a label its text, any other control its whole rectangle.
QRect drawnRect(const QWidget* w) {
    const auto* label = qobject_cast<const QLabel*>(w);
    if (!label)
        return w->geometry();
    const int flags = int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : 0);
    return label->fontMetrics()
        .boundingRect(label->contentsRect(), flags, label->text())
        .translated(label->pos());
}

// The window as the user meets it: its title, size, window flags and icon sizes, then a line
// for each shown control of the window and of its panels: class and name, place and size,
// "off" when disabled, "tab" when Tab reaches it ("focus" when it has the focus), its text,
// and what a screen reader says; and what is wrong: a control without a spoken name, one
// that leaves its panel's frame or overlaps another.
QByteArray shownControls(const MainWindow& w) {
    QStringList out{w.windowTitle() + u' ' + QDebug::toString(w.size()) + u" flags "_s +
                    QString::number(w.windowFlags(), 16) + u" icons "_s +
                    QDebug::toString(w.windowIcon().availableSizes())};
    QList<const QWidget*> placed;
    for (QWidget* c : w.findChildren<QWidget*>()) {
        const auto* panel = qobject_cast<QGroupBox*>(c->parentWidget());
        if (!c->isVisible() || (c->parentWidget() != &w && !panel))
            continue;
        QString text;
        for (const char* property : {"title", "text", "plainText", "currentText"})
            text = c->property(property).isValid() ? c->property(property).toString().left(60) : text;
        if (const auto* line = qobject_cast<QLineEdit*>(c))
            text += u" (at most %1)"_s.arg(line->maxLength());
        if (qobject_cast<QGroupBox*>(c)) // its caption and frame drawn for the twips layout
            text += u" drawn by "_s + QString::fromLatin1(c->style()->metaObject()->className());
        if (const auto* frame = qobject_cast<QFrame*>(c); frame && frame->frameShape() != QFrame::NoFrame)
            text += u" framed %1"_s.arg(frame->frameShape() | frame->frameShadow());
        const bool tab = c->focusPolicy() & Qt::TabFocus && c->isEnabled() && !c->focusProxy();
        QString name = QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name);
        if (const auto* box = qobject_cast<QComboBox*>(c); box && box->lineEdit()) // where typing goes
            name +=
                u" / "_s + QAccessible::queryAccessibleInterface(box->lineEdit())->text(QAccessible::Name);
        if (tab && !name.contains(QRegularExpression(u"[A-Za-z]"_s))) // ".." says nothing
            out += u"NO NAME:"_s;
        if (panel && !panel->contentsRect().contains(drawnRect(c))) // below the caption, inside the frame
            out += u"LEAVES THE FRAME:"_s;
        for (const QWidget* other : std::as_const(placed)) { // a ".." button reaches a pixel into its field
            const QRect both = drawnRect(c) & drawnRect(other);
            if (other->parentWidget() == panel && both.width() > 1 && both.height() > 1)
                out += u"OVERLAPS "_s + other->objectName() + u':';
        }
        placed += c;
        out += QStringList{c->metaObject()->className(),
                           c->objectName(),
                           QDebug::toString(c->geometry()),
                           c->isEnabled() ? u""_s : u"off"_s,
                           tab ? u"tab"_s + (c->hasFocus() ? u" focus"_s : u""_s) : u""_s,
                           QDebug::toString(text),
                           QDebug::toString(name.left(60))}
                   .join(u' ');
    }
    return out.join(u'\n').toUtf8() + '\n';
}

} // namespace

// The window's steps, buttons, questions and keys, and the rules of its fields.
class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    // The window at load and at every step forward, with the guidance shown (Tab reaches only
    // it and the buttons), and back at the start (where Cancel stays until a restart): one panel shown, laid
    // out inside its frame and under its caption, with the buttons that step allows; every control the user
    // can reach has a name a screen reader says.
    void walkAllSteps() {
        Wizard wiz(Wizard::Started);
        MainWindow& w = wiz.w();
        QTest::keyClicks(wiz.control(u"cboTheme"_s), u"Qq"_s); // names no theme: shown until Next
        QByteArray walk;
        for (int step = 0; step < 15; wiz.click(B::Next), ++step) {
            QCOMPARE(w.currentStep(), step);
            walk += "== step " + QByteArray::number(step + 1) + '\n' + shownControls(w);
        }
        QWidget* first = QApplication::focusWidget();
        wiz.click(B::Help);
        walk += "== guidance\n" + shownControls(w);
        // The guidance takes the caret and selections, but no typing, deleting or pasting.
        QPlainTextEdit* guidance = wiz.multi(u"txtHelp"_s);
        const QString help = guidance->toPlainText();
        QTest::keyClick(guidance, Qt::Key_End, Qt::ShiftModifier);
        QVERIFY(guidance->textCursor().hasSelection());
        QTest::keyClicks(guidance, u"typed\r\b\t"_s);
        for (const Qt::Key key : {Qt::Key_Delete, Qt::Key_X, Qt::Key_V, Qt::Key_Z})
            QTest::keyClick(guidance, key, key == Qt::Key_Delete ? Qt::NoModifier : Qt::ControlModifier);
        QCOMPARE(guidance->toPlainText(), help);
        wiz.click(B::Help); // and the step has its focus back
        QVERIFY(QApplication::focusWidget() == first && first->parentWidget() == w.fFrame(14));
        for (int step = 13; step >= 0; --step) {
            wiz.click(B::Back);
            QCOMPARE(w.currentStep(), step);
        }
        for (const B leave : {B::Next, B::Back}) { // each hides the guidance
            wiz.click(B::Help);
            wiz.click(leave);
            QVERIFY(w.helpHidden());
        }
        compareGolden(walk + "== back\n" + shownControls(w), u"window-steps.txt"_s);
        // The panel's etched frame: a dark line, and a light one inside it, broken by the caption.
        const QImage panel = w.fFrame(0)->grab().toImage();
        const QPalette colours = w.fFrame(0)->palette();
        QCOMPARE(panel.pixel(0, panel.height() / 2), colours.color(QPalette::Mid).rgb());
        QCOMPARE(panel.pixel(1, panel.height() / 2), colours.color(QPalette::Light).rgb());
        QCOMPARE(panel.pixel(7, w.fFrame(0)->fontMetrics().height() / 2),
                 colours.color(QPalette::Window).rgb());
        QVERIFY(wiz.allAnswered());
        auto* themes = wiz.control<QComboBox>(u"cboTheme"_s); // a screen reader opens its list
        QAccessible::queryAccessibleInterface(themes)->actionInterface()->doAction(
            QAccessibleActionInterface::showMenuAction());
        QVERIFY(themes->view()->isVisible());
    }

    // A restart shows the window as loaded, its fields empty, typing limited again; it keeps
    // the guidance, the options and the cards as they were, and their fragments.
    void cancelNoRestarts() {
        Wizard wiz(Wizard::Started);
        MainWindow& w = wiz.w();
        const QByteArray loaded = shownControls(w);
        wiz.control<QComboBox>(u"cboTheme"_s)->setCurrentIndex(2);
        const QString typedNowhere = QString(1 << 16, u'\u00e9') + u"£ 1,50"_s; // past any limit or rule
        for (const FieldSpec& f : fieldTable())
            w.setFieldText(f.name, typedNowhere);
        QVERIFY(w.fieldText(u"txtCompanyName") == typedNowhere && w.fieldText(u"txtAmount") == typedNowhere);
        wiz.control<QListWidget>(u"lstCreditCards"_s)->item(4)->setSelected(true);
        wiz.goToStep(3);
        wiz.click(u"vatYes"_s);
        wiz.click(B::Help);
        wiz.fakes.answers += MessageAnswer::No;
        wiz.click(B::Cancel);
        QVERIFY(!w.isUnloaded() && w.helpHidden() && wiz.allAnswered());
        QCOMPARE(shownControls(w), loaded);
        for (const FieldSpec& f : fieldTable()) {
            const bool kept = f.name == "txtHelp"_L1 || f.name == "txtVAT"_L1 || f.name == "txtPostage"_L1;
            QVERIFY2(w.fieldText(f.name).isEmpty() != kept, f.name.data());
        }
        QVERIFY(w.fieldText(u"txtHelp").startsWith(u"QUORRA DEVELOPMENT WIZARD - GUIDANCE"));
        QCOMPARE(w.selectedTheme(), u"Classic blue"_s);
        QCOMPARE(wiz.line(u"txtCompanyName"_s)->maxLength(), 64);
        QVERIFY(wiz.control<QListWidget>(u"lstCreditCards"_s)->item(4)->isSelected() &&
                wiz.control<QRadioButton>(u"vatYes"_s)->isChecked());
    }

    // The live message boxes, answered with a key: Yes/No questions in the window's font,
    // wide enough for their whole titles. Escape (and so the close button) never throws the
    // entry away; an ending closes the program's every window. The golden file holds each
    // question asked and what became of the wizard.
    void questionsOnTheRealBox() {
        QString transcript;
        for (const auto& [ask, key] :
             {std::pair{B::Cancel, Qt::Key_Escape},
              {B::Cancel, Qt::Key_Return},
              {B::Help, Qt::Key_Escape},
              {B::Help, Qt::Key_Y},
              {B::Help, Qt::Key_N},
              {B::Back, Qt::Key_Escape},
              {B::Back, Qt::Key_Y},
              {B::Back, Qt::Key_N},
              {B::Finish, Qt::Key_Escape}}) { // Help: an incomplete Finish, Back: close
            QtMessageService boxes;
            Wizard wiz;
            wiz.messages = &boxes;
            wiz.start();
            if (ask != B::Help)
                wiz.fillRequired();
            wiz.goToStep(2);
            wiz.w().setFieldText(u"txtCompanyFax", u"555"_s);
            QWidget other(nullptr, Qt::SplashScreen); // no window for a box to stand on
            other.show();
            QApplication::setActiveWindow(nullptr); // the user is in another program
            QTimer answerer; // answers every box the same way, a box nobody expected too
            QObject::connect(&answerer, &QTimer::timeout, [&, key = key] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (!box || !box->isVisible() || box->property("answered").toBool())
                    return;
                box->setProperty("answered", true);
                transcript += box->windowTitle() + u'|' + box->text() + u'\n';
                if (box->parentWidget() != &wiz.w())
                    transcript += u"NOT OVER THE WIZARD\n"_s;
                const auto yesNo = QMessageBox::Yes | QMessageBox::No;
                if (box->icon() != QMessageBox::Question || (box->standardButtons() & yesNo) != yesNo)
                    transcript += u"NOT A YES/NO QUESTION\n"_s;
                if (QFontInfo(box->findChild<QLabel*>(u"qt_msgbox_label"_s)->font()).pixelSize() !=
                    QFontInfo(wiz.w().font()).pixelSize())
                    transcript += u"NOT IN THE WINDOW'S FONT\n"_s;
                QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
                titleFont.setBold(true); // and the frame's buttons
                if (box->width() < QFontMetrics(titleFont).horizontalAdvance(box->windowTitle()) + 100)
                    transcript += u"NARROWER THAN ITS TITLE\n"_s;
                transcript += u"-> "_s + QKeySequence(key).toString() + u'\n';
                QTest::keyClick(box, key);
            });
            answerer.start(10);
            ask == B::Back ? void(wiz.w().close()) : wiz.click(ask == B::Help ? B::Finish : ask);
            transcript += wiz.w().isUnloaded() ? u"ended"_s : u"open"_s;
            if (wiz.w().isVisible() == wiz.w().isUnloaded() || other.isVisible() == wiz.w().isUnloaded())
                transcript += u", A WINDOW IS LEFT OR GONE"_s;
            transcript += u", step %1, fax \"%2\", pages made %3, printed %4\n\n"_s.arg(wiz.w().currentStep())
                              .arg(wiz.w().fieldText(u"txtCompanyFax"))
                              .arg(wiz.fakes.log.count(u"wait"_s))
                              .arg(wiz.fakes.printed.size());
        }
        compareGolden(transcript.toUtf8(), u"questions.txt"_s);
    }

    // Return, Enter and Escape in a field do nothing; in a text of many lines Return and Enter
    // start a line, kept as CR LF.
    // The money fields let digits and the full stop through, the keypad's too, and take no
    // clipboard or undo keys; the caret keys work, Tab moves on. The access key of a disabled
    // button does nothing.
    void keysInFields() {
        Wizard wiz(Wizard::Started);
        wiz.goToStep(1);
        for (const QString& name : {u"txtCompanyName"_s, u"txtCompanyAddress"_s}) {
            wiz.control(name)->setFocus();
            QTest::keyClicks(QApplication::focusWidget(), u"1 High St"_s);
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(QApplication::focusWidget(), key);
        }
        QCOMPARE(wiz.w().fieldText(u"txtCompanyName") + u'|' + wiz.w().fieldText(u"txtCompanyAddress"),
                 u"1 High St|1 High St\r\n\r\n"_s);
        for (const FieldSpec& f : fieldTable()) {
            if (!f.amountOnly)
                continue;
            wiz.goToStep(f.panel);
            QLineEdit* edit = wiz.line(f.name);
            edit->setFocus();
            QTest::keyClicks(edit, u"£12,50 x-1.2.3"_s); // 12501.2.3
            edit->selectAll();
            for (const Qt::Key key : {Qt::Key_C, Qt::Key_End, Qt::Key_V, Qt::Key_X, Qt::Key_Z})
                QTest::keyClick(edit, key, key == Qt::Key_End ? Qt::NoModifier : Qt::ControlModifier);
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Home, Qt::Key_Delete,
                                      Qt::Key_Right, Qt::Key_Backspace})
                QTest::keyClick(edit, key); // 501.2.3
            QTest::keyClick(edit, Qt::Key_7, Qt::KeypadModifier);
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, u"\u0663"_s,
                                Qt::NoModifier);                   // not a 0-9
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier); // no digit after it either
            QTest::keyClick(edit, Qt::Key_9);
            QTest::keyClick(edit, Qt::Key_Tab);
            QVERIFY2(edit->text() == u"79501.2.3" && !edit->hasFocus(), f.name.data());
        }
        QVERIFY(wiz.w().isVisible() && wiz.fakes.log.isEmpty());
        wiz.goToStep(14);
        QVERIFY(!wiz.button(B::Next)->isEnabled() && wiz.multi(u"txtDespatch"_s)->hasFocus());
        const QString before = wiz.w().fieldText(u"txtDespatch");
        QTest::keyClick(wiz.w().windowHandle(), Qt::Key_N, Qt::AltModifier); // as a real key: shortcuts first
        QVERIFY(wiz.w().fieldText(u"txtDespatch") == before && wiz.w().currentStep() == 14);
        QTest::keyClick(&wiz.w(), Qt::Key_B, Qt::AltModifier); // an enabled button still takes its key
        QTRY_COMPARE(wiz.w().currentStep(), 13);
    }

    // The window loads whatever the data files hold, however long, and its restart copes the
    // same way; a FIFO, which would wait for a writer, is refused like a missing file. The
    // golden file holds the notices, the themes and the start of the start screen's text and
    // of the guidance, which come from the help file.
    void missingFiles() {
        const QByteArray none, fifo("<FIFO>"), help("Welcome\r\n"), themes("Classic blue\r\nModern\r\n");
        QByteArray many;
        for (int i = 0; i < 20000; ++i)
            many += "Theme " + QByteArray::number(i) + "\r\n";
        QString transcript;
        for (const auto& [name, helpFile, catalogue] :
             {std::tuple{"help missing", none, themes},
              {"catalogue missing", help, none},
              {"help a FIFO", fifo, themes},
              {"catalogue a FIFO", help, fifo},
              {"help empty", QByteArray(""), themes},
              {"catalogue emptied before the restart", help, themes},
              {"binary files", QByteArray("\x00\xff\x81\"\r\x00", 6), QByteArray("\x00\x01,\xfe\n\n", 6)},
              {"long files", "\"" + QByteArray(3 << 20, 'h'), many}}) { // a quote never closed
            Wizard wiz(TestFolder::Empty);
            for (const auto& [file, bytes] :
                 {std::pair{u"marlixhlp.dat"_s, helpFile}, {u"Theme.txt"_s, catalogue}}) {
                if (bytes == fifo)
                    QCOMPARE(::mkfifo(QFile::encodeName(wiz.folder.filePath(file)).constData(), 0600), 0);
                else if (!bytes.isNull())
                    wiz.folder.write(file, bytes);
            }
            const auto loaded = [&] {
                const QString guidance = wiz.w().fieldText(u"txtHelp");
                transcript +=
                    wiz.asked() +
                    u"\n%1 themes, %2 selected; start screen %3; guidance %4 long, ending %5\n"_s
                        .arg(wiz.control<QComboBox>(u"cboTheme"_s)->count())
                        .arg(QDebug::toString(wiz.w().selectedTheme()),
                             QDebug::toString(wiz.control<QLabel>(u"lblStartScreen"_s)->text().left(20)))
                        .arg(guidance.size())
                        .arg(QDebug::toString(guidance.right(60)));
            };
            wiz.fakes.answers = {MessageAnswer::Ok}; // for a notice
            wiz.start();
            transcript += u"== "_s + QString::fromLatin1(name) + u'\n';
            loaded();
            wiz.fakes.log.clear();
            if (QByteArray(name).contains("emptied"))
                wiz.folder.write(u"Theme.txt"_s, "");
            wiz.fakes.answers = {MessageAnswer::No, MessageAnswer::Ok}; // no exit, and a notice
            wiz.click(B::Next);
            wiz.click(B::Cancel);
            transcript += u"== restarted\n"_s;
            loaded();
            QCOMPARE(wiz.w().currentStep(), 0);
        }
        compareGolden(transcript.toUtf8(), u"data-files.txt"_s);
    }

    // Each ".." button fills its own field with the file chosen, over what was typed; a
    // cancelled dialog leaves the path as it is.
    void pictureButtons() {
        Wizard wiz(Wizard::Started);
        wiz.w().setFieldText(u"txtPicture1", u"typed by hand"_s);
        for (const FieldSpec& f : fieldTable()) {
            if (!f.button)
                continue;
            wiz.goToStep(f.panel);
            const QString path = u"/home/ann/My Pictures/'"_s + f.name + u"'.txt"_s;
            wiz.fakes.paths += path;
            wiz.click(QString::fromLatin1(f.button));
            wiz.click(QString::fromLatin1(f.button)); // cancelled
            QCOMPARE(wiz.w().fieldText(f.name), path);
        }
        QCOMPARE(wiz.fakes.log, QStringList(16, u"dialog All Files (*.*) *"_s));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
