#include "entry/AmountKeyFilter.h"
#include "support/WizardFixture.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QtTest>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

namespace {

const QStringList AmountFields{u"txtAmount"_s,    u"txtProPrice1"_s, u"txtProPrice2"_s,
                               u"txtProPrice3"_s, u"txtProPrice4"_s, u"txtProPrice5"_s};

int stepOf(const QString& field) {
    return field == u"txtAmount"_s ? 4 : 7 + field.right(1).toInt();
}

struct Picture {
    const char* button;
    const char* field;
    int step;
};
const QList<Picture> Pictures{
    {"cmdLogo", "txtCompanyLogo", 1},  {"cmdPic1", "txtPicture1", 7},     {"cmdPic2", "txtPicture2", 7},
    {"cmdPro1", "txtProPicture1", 8},  {"cmdPro2", "txtProPicture2", 9},  {"cmdPro3", "txtProPicture3", 10},
    {"cmdPro4", "txtProPicture4", 11}, {"cmdPro5", "txtProPicture5", 12},
};

} // namespace

class TestEntryRules : public QObject {
    Q_OBJECT
private slots:
    void amountKeys_data();
    void amountKeys();
    void everyMoneyField_data();
    void everyMoneyField();
    void x11KeyTexts_data();
    void x11KeyTexts();
    void caretKeysStillWork();
    void priceLimit();
    void programTextIsNotFiltered();
    void helpIsReadOnly();
    void pictureButtons_data();
    void pictureButtons();
    void cancelKeepsPath();
};

void TestEntryRules::amountKeys_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result"); // the field starts as "12" with the caret at its end
    const int none = Qt::NoModifier;
    QTest::newRow("digit") << int(Qt::Key_5) << none << "5"
                           << "125";
    QTest::newRow("keypad digit") << int(Qt::Key_7) << int(Qt::KeypadModifier) << "7"
                                  << "127";
    QTest::newRow("full stop") << int(Qt::Key_Period) << none << "."
                               << "12.";
    QTest::newRow("letter") << int(Qt::Key_A) << none << "a"
                            << "12";
    QTest::newRow("capital") << int(Qt::Key_E) << int(Qt::ShiftModifier) << "E"
                             << "12";
    QTest::newRow("blank") << int(Qt::Key_Space) << none << " "
                           << "12";
    QTest::newRow("minus") << int(Qt::Key_Minus) << none << "-"
                           << "12";
    QTest::newRow("plus") << int(Qt::Key_Plus) << int(Qt::ShiftModifier) << "+"
                          << "12";
    QTest::newRow("comma") << int(Qt::Key_Comma) << none << ","
                           << "12";
    QTest::newRow("keypad comma") << int(Qt::Key_Comma) << int(Qt::KeypadModifier) << ","
                                  << "12";
    QTest::newRow("pound sign") << int(Qt::Key_sterling) << int(Qt::ShiftModifier) << "£"
                                << "12";
    QTest::newRow("arabic-indic digit") << int(Qt::Key_unknown) << none << QStringLiteral("\u0663") << "12";
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << ""
                               << "1";
    QTest::newRow("enter") << int(Qt::Key_Return) << none << "\r"
                           << "12";
    QTest::newRow("escape") << int(Qt::Key_Escape) << none << "\x1b"
                            << "12";
    QTest::newRow("ctrl+a") << int(Qt::Key_A) << int(Qt::ControlModifier) << "a"
                            << "12";
    QTest::newRow("ctrl+x") << int(Qt::Key_X) << int(Qt::ControlModifier) << "x"
                            << "12";
    QTest::newRow("ctrl+z") << int(Qt::Key_Z) << int(Qt::ControlModifier) << "z"
                            << "12";
    QTest::newRow("x11 ctrl+x") << int(Qt::Key_X) << int(Qt::ControlModifier) << "\x18"
                                << "12";
}

void TestEntryRules::amountKeys() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, result);
    Wizard wiz;
    wiz.start();
    wiz.goToStep(4);
    QLineEdit* amount = wiz.line(u"txtAmount"_s);
    amount->setFocus();
    QTest::keyClicks(amount, u"12"_s);
    QTest::sendKeyEvent(QTest::KeyAction::Click, amount, Qt::Key(key), text,
                        Qt::KeyboardModifiers(modifiers));
    QCOMPARE(amount->text(), result);
    QVERIFY(wiz.w().isVisible());
    QVERIFY(wiz.fakes.messages.shown.isEmpty());
}

void TestEntryRules::everyMoneyField_data() {
    QTest::addColumn<QString>("name");
    for (const QString& f : AmountFields)
        QTest::newRow(qPrintable(f)) << f;
}

void TestEntryRules::everyMoneyField() {
    QFETCH(QString, name);
    Wizard wiz;
    wiz.start();
    wiz.goToStep(stepOf(name));
    QLineEdit* edit = wiz.line(name);
    edit->setFocus();
    QTest::keyClicks(edit, u"£12,50 x-1.2.3"_s);
    QCOMPARE(edit->text(), u"12501.2.3"_s);
    // Copying, pasting, cutting and undoing by keyboard do nothing in these fields.
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(edit->text(), u"12501.2.3"_s);
}

void TestEntryRules::x11KeyTexts_data() {
    // Key events as the X11 keyboard reports them: the control character itself.
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("typesSomething");
    QTest::addColumn<int>("character");
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("ctrl+c") << int(Qt::Key_C) << ctrl << "\x03" << true << 3;
    QTest::newRow("ctrl+v") << int(Qt::Key_V) << ctrl << "\x16" << true << 22;
    QTest::newRow("ctrl+v as QTest sends it") << int(Qt::Key_V) << ctrl << "v" << true << 22;
    QTest::newRow("ctrl+x") << int(Qt::Key_X) << ctrl << "\x18" << true << 24;
    QTest::newRow("ctrl+z") << int(Qt::Key_Z) << ctrl << "\x1a" << true << 26;
    QTest::newRow("delete") << int(Qt::Key_Delete) << 0 << "\x7f" << false << 0;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << 0 << "\x08" << true << 8;
    QTest::newRow("left") << int(Qt::Key_Left) << 0 << "" << false << 0;
    QTest::newRow("f5") << int(Qt::Key_F5) << 0 << "" << false << 0;
    QTest::newRow("shift+insert") << int(Qt::Key_Insert) << int(Qt::ShiftModifier) << "" << false << 0;
    QTest::newRow("tab") << int(Qt::Key_Tab) << 0 << "\t" << false << 0;
    QTest::newRow("keypad 3") << int(Qt::Key_3) << int(Qt::KeypadModifier) << "3" << true << int('3');
}

void TestEntryRules::x11KeyTexts() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(bool, typesSomething);
    QFETCH(int, character);
    const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    const auto typed = typedCharacter(event);
    QCOMPARE(typed.has_value(), typesSomething);
    if (typed)
        QCOMPARE(typed->unicode(), char16_t(character));
}

void TestEntryRules::caretKeysStillWork() {
    Wizard wiz;
    wiz.start();
    wiz.goToStep(8);
    QLineEdit* price = wiz.line(u"txtProPrice1"_s);
    price->setFocus();
    QTest::keyClicks(price, u"1250"_s);
    QTest::keyClick(price, Qt::Key_Left);
    QTest::keyClick(price, Qt::Key_Left);
    QTest::keyClick(price, Qt::Key_Period);
    QCOMPARE(price->text(), u"12.50"_s);
    QTest::keyClick(price, Qt::Key_Home);
    QTest::keyClick(price, Qt::Key_Delete);
    QCOMPARE(price->text(), u"2.50"_s);
    QTest::keyClick(price, Qt::Key_End);
    QTest::keyClick(price, Qt::Key_Backspace);
    QCOMPARE(price->text(), u"2.5"_s);
}

void TestEntryRules::priceLimit() {
    Wizard wiz;
    wiz.start();
    wiz.goToStep(9);
    QLineEdit* price = wiz.line(u"txtProPrice2"_s);
    price->setFocus();
    QTest::keyClicks(price, QString(40, u'9'));
    QCOMPARE(price->text().size(), 32);
}

void TestEntryRules::programTextIsNotFiltered() {
    Wizard wiz;
    wiz.start();
    wiz.w().setFieldText(u"txtAmount", u"£ 1,50"_s);
    QCOMPARE(wiz.w().fieldText(u"txtAmount"), u"£ 1,50"_s);
    wiz.w().ResetEntry();
    QCOMPARE(wiz.w().fieldText(u"txtAmount"), QString());
}

void TestEntryRules::helpIsReadOnly() {
    Wizard wiz;
    wiz.start();
    wiz.click(MainWindow::Help);
    QPlainTextEdit* help = wiz.multi(u"txtHelp"_s);
    const QString before = wiz.w().fieldText(u"txtHelp");
    QVERIFY(!before.isEmpty());
    help->setFocus();
    help->moveCursor(QTextCursor::Start);
    QTest::keyClick(help, Qt::Key_Down);
    QTest::keyClick(help, Qt::Key_Down);
    QVERIFY(help->textCursor().position() > 0); // the caret moves
    QTest::keyClick(help, Qt::Key_End, Qt::ShiftModifier);
    QVERIFY(help->textCursor().hasSelection());
    QTest::keyClicks(help, u"typed text"_s);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Tab})
        QTest::keyClick(help, key);
    QTest::keyClick(help, Qt::Key_X, Qt::ControlModifier);
    QTest::keyClick(help, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(help, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(wiz.w().fieldText(u"txtHelp"), before);
    QVERIFY(help->isReadOnly());
}

void TestEntryRules::pictureButtons_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("step");
    for (const Picture& p : Pictures)
        QTest::newRow(p.button) << QString::fromLatin1(p.button) << QString::fromLatin1(p.field) << p.step;
}

void TestEntryRules::pictureButtons() {
    QFETCH(QString, button);
    QFETCH(QString, field);
    QFETCH(int, step);
    Wizard wiz;
    wiz.start();
    for (const Picture& p : Pictures)
        wiz.w().setFieldText(QString::fromLatin1(p.field), u"typed by hand"_s);
    wiz.goToStep(step);
    const QString chosen = u"/home/ann/My Pictures/shop front 'best'.txt"_s;
    wiz.fakes.fileDialog.queue(chosen);
    QTest::mouseClick(wiz.control<QPushButton>(button), Qt::LeftButton);
    QCOMPARE(wiz.fakes.fileDialog.descriptions, QStringList{u"All Files (*.*)"_s});
    QCOMPARE(wiz.fakes.fileDialog.patterns, QStringList{u"*"_s});
    for (const Picture& p : Pictures) {
        const QString expected = QString::fromLatin1(p.field) == field ? chosen : u"typed by hand"_s;
        QCOMPARE(wiz.w().fieldText(QString::fromLatin1(p.field)), expected);
    }
    QVERIFY(wiz.allAnswered());
}

void TestEntryRules::cancelKeepsPath() {
    Wizard wiz;
    wiz.start();
    wiz.goToStep(7);
    wiz.fakes.fileDialog.queue(u"/pics/one.png"_s);
    QTest::mouseClick(wiz.control<QPushButton>(u"cmdPic1"_s), Qt::LeftButton);
    wiz.fakes.fileDialog.queue(QString()); // cancelled
    QTest::mouseClick(wiz.control<QPushButton>(u"cmdPic1"_s), Qt::LeftButton);
    QCOMPARE(wiz.w().fieldText(u"txtPicture1"), u"/pics/one.png"_s);
    QCOMPARE(wiz.fakes.fileDialog.descriptions.size(), 2);
}

QTEST_MAIN(TestEntryRules)
#include "tst_entryrules.moc"
