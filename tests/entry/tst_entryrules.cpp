#include "entry/FieldTable.h"
#include "support/WizardFixture.h"

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

class TestEntryRules : public QObject {
    Q_OBJECT
private slots:
    void everyMoneyField_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("step");
        QTest::newRow("txtAmount") << u"txtAmount"_s << 4;
        for (int n = 1; n <= 5; ++n)
            QTest::addRow("txtProPrice%d", n) << u"txtProPrice%1"_s.arg(n) << productPanel(n);
    }

    void everyMoneyField() {
        QFETCH(QString, name);
        QFETCH(int, step);
        Wizard wiz(Wizard::Started);
        wiz.goToStep(step);
        QLineEdit* edit = wiz.line(name);
        edit->setFocus();
        QTest::keyClicks(edit, u"£12,50 x-1.2.3"_s); // 12501.2.3
        // Copying, pasting, cutting, undoing, Enter and Escape do nothing in these fields.
        edit->selectAll();
        for (const Qt::Key key : {Qt::Key_C, Qt::Key_End, Qt::Key_V, Qt::Key_X, Qt::Key_Z})
            QTest::keyClick(edit, key, key == Qt::Key_End ? Qt::NoModifier : Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Escape);
        // The caret keys still work.
        for (const Qt::Key key : {Qt::Key_Home, Qt::Key_Delete, Qt::Key_Right, Qt::Key_Backspace})
            QTest::keyClick(edit, key); // 501.2.3
        // A keypad digit types; other digits, and Ctrl+A before a digit, do not; Tab moves on.
        QTest::keyClick(edit, Qt::Key_7, Qt::KeypadModifier);
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, u"\u0663"_s, Qt::NoModifier);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_9);
        QTest::keyClick(edit, Qt::Key_Tab);
        QVERIFY(edit->text() == u"79501.2.3" && !edit->hasFocus() && wiz.fakes.log.isEmpty());
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
        QCOMPARE(wiz.fakes.logged(u"dialog"_s), QStringList(16, u"All Files (*.*) *"_s));
    }

    // A long run without a space, pasted with Ctrl+V, is kept whole and broken anywhere (laying
    // it out between words takes minutes); once it is gone, lines break between words again.
    void longRunBreaksAnywhere() {
        Wizard wiz(Wizard::Started);
        wiz.goToStep(6);
        QPlainTextEdit* history = wiz.multi(u"txtCompanyHistory"_s);
        history->setFocus();
        const QString run(5000, u'x');
        QGuiApplication::clipboard()->setText(u"We began in 1968. "_s + run);
        QTest::keyClick(history, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(wiz.w().fieldText(u"txtCompanyHistory"), u"We began in 1968. "_s + run);
        QCOMPARE(history->wordWrapMode(), QTextOption::WrapAnywhere);
        QTest::keyClick(history, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(history, u"Seed and tools "_s + QString(1000, u'y'));
        QCOMPARE(history->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
        QTest::keyClick(history, Qt::Key_Y);
        QCOMPARE(history->wordWrapMode(), QTextOption::WrapAnywhere);
        QTest::keyClick(history, Qt::Key_Backspace);
        QCOMPARE(history->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
        wiz.w().setFieldText(u"txtCompanyHistory", run);
        QCOMPARE(history->wordWrapMode(), QTextOption::WrapAnywhere);
    }
};

QTEST_MAIN(TestEntryRules)
#include "tst_entryrules.moc"
