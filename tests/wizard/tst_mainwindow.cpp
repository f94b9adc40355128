#include "entry/FieldTable.h"
#include "platform/QtServices.h"
#include "support/WizardFixture.h"

#include <sys/stat.h>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

namespace {

using B = MainWindow::Button;

// The window as the user meets it: its title and size, then a line for each shown control of
// the window and of its panels: class and name, place and size, "off" when disabled, "tab"
// when Tab reaches it, its text, and what a screen reader says.
QByteArray shownControls(const MainWindow& w) {
    QStringList out{w.windowTitle() + u' ' + QDebug::toString(w.size())};
    for (QWidget* c : w.findChildren<QWidget*>()) {
        if (!c->isVisible() || (c->parentWidget() != &w && !qobject_cast<QGroupBox*>(c->parentWidget())))
            continue;
        QString text;
        for (const char* property : {"title", "text", "plainText", "currentText"})
            text = c->property(property).isValid() ? c->property(property).toString().left(60) : text;
        if (const auto* line = qobject_cast<QLineEdit*>(c))
            text += u" (at most %1)"_s.arg(line->maxLength());
        const bool tab = c->focusPolicy() & Qt::TabFocus && c->isEnabled() && !c->focusProxy();
        const QString name = QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name);
        if (tab && !name.contains(QRegularExpression(u"[A-Za-z]"_s))) // ".." says nothing
            out += u"NO NAME:"_s;
        out += QStringList{c->metaObject()->className(),    c->objectName(),
                           QDebug::toString(c->geometry()), c->isEnabled() ? u""_s : u"off"_s,
                           tab ? u"tab"_s : u""_s,          QDebug::toString(text),
                           QDebug::toString(name.left(60))}
                   .join(u' ');
    }
    return out.join(u'\n').toUtf8() + '\n';
}

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

// Empty when every shown control of the panel lies inside its frame and clear of the
// others; otherwise what is wrong.
QString panelLayoutProblem(const QGroupBox* panel) {
    QList<const QWidget*> seen;
    for (const QWidget* w : panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->isVisible())
            continue;
        const QRect r = drawnRect(w);
        if (!panel->contentsRect().contains(r)) // below the caption, inside the frame
            return QDebug::toString(w) + u" leaves the frame at "_s + QDebug::toString(r);
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

// The window's steps, buttons, questions and keys.
class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    // The window at load and at every step forward, with the guidance shown, and back at the
    // start (where Cancel stays until a restart): one panel shown, laid out inside its frame
    // and under its caption, with the buttons that step allows; every control the user can
    // reach has a name a screen reader says.
    void walkAllSteps() {
        Wizard wiz(Wizard::Started);
        MainWindow& w = wiz.w();
        QByteArray walk;
        for (int step = 0; step < 15; wiz.click(B::Next), ++step) {
            QCOMPARE(w.currentStep(), step);
            QCOMPARE(panelLayoutProblem(w.fFrame(step)), QString());
            walk += "== step " + QByteArray::number(step + 1) + '\n' + shownControls(w);
        }
        wiz.click(B::Help);
        walk += "== guidance\n" + shownControls(w);
        wiz.click(B::Help);
        for (int step = 13; step >= 0; --step) {
            wiz.click(B::Back);
            QCOMPARE(w.currentStep(), step);
        }
        compareGolden(walk + "== back\n" + shownControls(w), u"window-steps.txt"_s);
        QVERIFY(wiz.control<QRadioButton>(u"vatNo"_s)->isChecked() &&
                wiz.control<QRadioButton>(u"optItem"_s)->isChecked());
        // The theme box is announced as its name, with the theme as its value.
        auto* theme = wiz.control<QComboBox>(u"cboTheme"_s);
        QCOMPARE(QAccessible::queryAccessibleInterface(theme)->role(), QAccessible::ComboBox);
        QCOMPARE(QAccessible::queryAccessibleInterface(theme)->text(QAccessible::Value), theme->itemText(0));
        QVERIFY(wiz.allAnswered());
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

    void questionsOnTheRealBox_data() {
        QTest::addColumn<QString>("question"); // title|text
        QTest::addColumn<int>("key");
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
            // Escape (and so the close button) never throws the entry away; Print Request ends anyway.
            const QByteArray title = q.section(u'|', 0, 0).toLatin1();
            QTest::addRow("%s, Escape", title.data()) << q << int(Qt::Key_Escape) << (q == print);
        }
        QTest::newRow("Cancel Data Entry, Enter") << cancel << int(Qt::Key_Return) << true;
        QTest::newRow("Incomplete Data Entry, Yes") << incomplete << int(Qt::Key_Y) << false;
        QTest::newRow("Incomplete Data Entry, No") << incomplete << int(Qt::Key_N) << true;
        QTest::newRow("Quorra Development Wizard, Yes") << close << int(Qt::Key_Y) << true;
        QTest::newRow("Quorra Development Wizard, No") << close << int(Qt::Key_N) << false;
    }

    // The live message box, answered with a key: a Yes/No question in the window's font,
    // wide enough for its whole title; an ending closes the program's every window.
    void questionsOnTheRealBox() {
        QFETCH(QString, question);
        QFETCH(int, key);
        QFETCH(bool, ends);
        QtMessageService boxes;
        Wizard wiz;
        wiz.messages = &boxes;
        wiz.start();
        const QString title = question.section(u'|', 0, 0);
        if (title != u"Incomplete Data Entry")
            wiz.fillRequired();
        wiz.goToStep(2);
        wiz.w().setFieldText(u"txtCompanyFax", u"555"_s);
        QWidget other;
        other.show();
        QStringList asked; // title|text of each box, and what is wrong with it
        QTimer answerer;   // answers every box the same way, a box nobody expected too
        QObject::connect(&answerer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || box->property("answered").toBool())
                return;
            box->setProperty("answered", true);
            asked += box->windowTitle() + u'|' + box->text();
            const auto yesNo = QMessageBox::Yes | QMessageBox::No;
            if (box->icon() != QMessageBox::Question || (box->standardButtons() & yesNo) != yesNo)
                asked += u"not a Yes/No question"_s;
            if (QFontInfo(box->findChild<QLabel*>(u"qt_msgbox_label"_s)->font()).pixelSize() !=
                QFontInfo(wiz.w().font()).pixelSize())
                asked += u"not in the window's font"_s;
            QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
            titleFont.setBold(true); // and the frame's buttons
            if (box->width() < QFontMetrics(titleFont).horizontalAdvance(box->windowTitle()) + 100)
                asked += u"narrower than its title"_s;
            QTest::keyClick(box, Qt::Key(key));
        });
        answerer.start(10);
        if (title == u"Cancel Data Entry")
            wiz.click(B::Cancel);
        else if (title == u"Quorra Development Wizard")
            wiz.w().close();
        else
            wiz.click(B::Finish);
        QCOMPARE(asked, QStringList{QString(question).replace(u"\r\n"_s, u"\n"_s)});
        QCOMPARE(wiz.w().isUnloaded(), ends);
        QCOMPARE(wiz.w().isVisible() || other.isVisible(), !ends);
        QVERIFY(wiz.fakes.printed.isEmpty());
        if (title == u"Incomplete Data Entry") // no page was made
            QVERIFY(!wiz.fakes.log.contains(u"wait"_s));
        if (!ends)
            QVERIFY(wiz.w().currentStep() == 2 && wiz.w().fieldText(u"txtCompanyFax") == u"555");
    }

    void helpHidesTheStep_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("closer");
        QTest::newRow("1, closed by Help") << 0 << int(B::Help);
        QTest::newRow("2, closed by Back") << 1 << int(B::Back);
        QTest::newRow("9, closed by Next") << 8 << int(B::Next);
    }

    // While the guidance text covers the step (the golden listing shows what Tab reaches),
    // the text takes the caret and selections, but no typing, deleting or pasting. Closing the
    // guidance gives the step its focus back.
    void helpHidesTheStep() {
        QFETCH(int, step);
        QFETCH(int, closer);
        Wizard wiz(Wizard::Started);
        wiz.goToStep(step);
        QWidget* first = QApplication::focusWidget();
        QCOMPARE(first->parentWidget(), wiz.w().fFrame(step)); // the step's first control
        QPlainTextEdit* guidance = wiz.multi(u"txtHelp"_s);
        wiz.click(B::Help);
        const QString help = wiz.w().fieldText(u"txtHelp");
        guidance->moveCursor(QTextCursor::Start);
        QTest::keyClick(guidance, Qt::Key_End, Qt::ShiftModifier);
        QVERIFY(guidance->textCursor().hasSelection());
        QTest::keyClicks(guidance, u"typed\r\b\t"_s);
        for (const Qt::Key key : {Qt::Key_Delete, Qt::Key_X, Qt::Key_V, Qt::Key_Z})
            QTest::keyClick(guidance, key, key == Qt::Key_Delete ? Qt::NoModifier : Qt::ControlModifier);
        QCOMPARE(wiz.w().fieldText(u"txtHelp"), help);
        wiz.click(closer);
        const int after = step + (closer == B::Next) - (closer == B::Back);
        QVERIFY(wiz.w().currentStep() == after && !guidance->isVisible() && wiz.w().helpHidden() &&
                wiz.button(B::Help)->text() == u"&Help");
        QCOMPARE(QApplication::focusWidget()->parentWidget(), wiz.w().fFrame(after));
        if (after == step)
            QCOMPARE(QApplication::focusWidget(), first);
    }

    // Return, Enter and Escape in a field, and the access key of a disabled button, do
    // nothing; in a text of many lines Return and Enter start a line, kept as CR LF.
    void escapeAndEnterDoNothing() {
        Wizard wiz(Wizard::Started);
        wiz.goToStep(1);
        for (const QString& name : {u"txtCompanyName"_s, u"txtCompanyAddress"_s}) {
            wiz.control(name)->setFocus();
            QTest::keyClicks(QApplication::focusWidget(), u"1 High St"_s);
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(QApplication::focusWidget(), key);
        }
        QVERIFY(wiz.w().isVisible() && wiz.w().currentStep() == 1 && wiz.fakes.log.isEmpty());
        QCOMPARE(wiz.w().fieldText(u"txtCompanyName") + u'|' + wiz.w().fieldText(u"txtCompanyAddress"),
                 u"1 High St|1 High St\r\n\r\n"_s);
        wiz.goToStep(14);
        QVERIFY(!wiz.button(B::Next)->isEnabled() && wiz.multi(u"txtDespatch"_s)->hasFocus());
        const QString before = wiz.w().fieldText(u"txtDespatch");
        QTest::keyClick(wiz.w().windowHandle(), Qt::Key_N, Qt::AltModifier); // as a real key: shortcuts first
        QVERIFY(wiz.w().fieldText(u"txtDespatch") == before && wiz.w().currentStep() == 14);
        QTest::keyClick(&wiz.w(), Qt::Key_B, Qt::AltModifier); // an enabled button still takes its key
        QTRY_COMPARE(wiz.w().currentStep(), 13);
    }

    void missingFiles_data() {
        QTest::addColumn<QByteArray>("help"); // a null array: no file
        QTest::addColumn<QByteArray>("catalogue");
        QTest::addColumn<QString>("message"); // title|text, or none
        QTest::addColumn<int>("themes");
        const QByteArray none, fifo("<FIFO>"), help("Welcome\r\n"), themes("Classic blue\r\nModern\r\n");
        const QString noHelp = u"Marlix Help|No data in Help File"_s;
        const QString noCatalogue = u"Loading Theme File|Theme File Not found"_s;
        QTest::newRow("help missing") << none << themes << noHelp << 0;
        QTest::newRow("catalogue missing") << help << none << noCatalogue << 0;
        // Opening a FIFO would wait for a writer: it is refused like a missing file.
        QTest::newRow("help a FIFO") << fifo << themes << noHelp << 0;
        QTest::newRow("catalogue a FIFO") << help << fifo << noCatalogue << 0;
        QTest::newRow("help empty") << QByteArray("") << themes << QString() << 2;
        QTest::newRow("catalogue empty") << help << QByteArray("") << QString() << 0;
        QTest::newRow("binary files")
            << QByteArray("\x00\xff\x81\"\r\x00", 6) << QByteArray("\x00\x01,\xfe\n\n", 6) << QString() << 2;
        QByteArray many; // all read
        for (int i = 0; i < 20000; ++i)
            many += "Theme " + QByteArray::number(i) + "\r\n";
        QTest::newRow("long files") << "\"" + QByteArray(3 << 20, 'h') << many << QString()
                                    << 20000; // a quote never closed
    }

    // The window loads whatever the data files hold, however long (the start screen's text
    // comes from the help file), and its restart copes the same way.
    void missingFiles() {
        QFETCH(QByteArray, help);
        QFETCH(QByteArray, catalogue);
        QFETCH(QString, message);
        QFETCH(int, themes);
        Wizard wiz(TestFolder::Empty);
        for (const auto& [name, bytes] : {std::pair{u"marlixhlp.dat"_s, help}, {u"Theme.txt"_s, catalogue}}) {
            if (bytes == "<FIFO>")
                QCOMPARE(::mkfifo(QFile::encodeName(wiz.folder.filePath(name)).constData(), 0600), 0);
            else if (!bytes.isNull())
                wiz.folder.write(name, bytes);
        }
        const QList<MessageAnswer> oks(message.isEmpty() ? 0 : 1, MessageAnswer::Ok);
        wiz.fakes.answers = oks;
        wiz.start();
        const QString notice = u"|%1|%2"_s.arg(int(MessageButtons::Ok)).arg(int(MessageIcon::Information));
        QCOMPARE(wiz.fakes.logged(u"box"_s),
                 message.isEmpty() ? QStringList() : QStringList{message + notice});
        auto* theme = wiz.control<QComboBox>(u"cboTheme"_s);
        QCOMPARE(theme->count(), themes);
        QCOMPARE(wiz.w().selectedTheme(), themes ? theme->itemText(0) : QString());
        QVERIFY(wiz.control<QLabel>(u"lblStartScreen"_s)
                    ->text()
                    .startsWith(message.startsWith(u"Marlix Help") ? u"a" : u"The Quorra Wizard"));
        if (help.size() > 100'000) // too long to show whole
            QCOMPARE(wiz.w().fieldText(u"txtHelp"),
                     QString(100'000, u'h') + u"\r\n(The rest of the help file is too long to show.)\r\n"_s);
        wiz.click(B::Next);
        wiz.fakes.answers = QList{MessageAnswer::No} + oks;
        wiz.click(B::Cancel);
        QVERIFY(wiz.w().currentStep() == 0 && theme->count() == themes && wiz.allAnswered());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
