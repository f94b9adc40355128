#include "page/QtProgramLauncher.h"
#include "support/WizardFixture.h"
#include "wizard/QtServices.h"

#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QtTest>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

// Bad input and faults met through the window: every one ends in a clear message or the
// documented silent outcome, never in a crash, a hang or a lost page.
class TestBadInput : public QObject {
    Q_OBJECT
private slots:
    void oddApplicationFolder();
    void hugeFields();
    void longRunBreaksAnywhere();
    void unicodeTexts_data();
    void unicodeTexts();
    void badTemplates_data();
    void badTemplates();
    void badCatalogues_data();
    void badCatalogues();
    void hugeHelpFile();
    void unsafeCatalogueStems_data();
    void unsafeCatalogueStems();
    void realLauncher();
    void realMessageBoxFont();
};

namespace {

using B = MainWindow::Button;

void pressView(const Wizard& wiz) {
    wiz.goToStep(13);
    QTest::mouseClick(wiz.control<QPushButton>(u"cmdView"_s), Qt::LeftButton);
}

} // namespace

void TestBadInput::oddApplicationFolder() {
    // Blanks, quotes, a non-ASCII letter and shell characters in the folder and a picture path.
    Wizard wiz;
    wiz.appFolder = wiz.folder.filePath(u"Zoë's \"shop\" $(rm -rf x); & `y`"_s);
    copyShippedData(wiz.appFolder);
    wiz.start();
    wiz.fillRequired();
    wiz.w().setFieldText(u"txtCompanyLogo", u"/pics/a \"b\" $HOME;|.png"_s);
    pressView(wiz);
    QVERIFY(wiz.fakes.messages.shown.isEmpty());
    QCOMPARE(wiz.fakes.launcher.starts.size(), 1);
    const QString page = QDir::toNativeSeparators(wiz.appFolder + u'/' + wiz.pageStem() + u".html"_s);
    QCOMPARE(wiz.fakes.launcher.starts.front().arguments, QStringList{page});
    QVERIFY(readFile(page).contains("/pics/a \"b\" $HOME;|.png"));
    wiz.goToStep(14);
    QVERIFY(wiz.w().fieldText(u"txtDespatch").contains(u"Theme File        "_s + page + u"\r\n"_s));
}

void TestBadInput::hugeFields() {
    Wizard wiz;
    wiz.start();
    wiz.fillRequired();
    const QString mega(1 << 20, u'é');
    wiz.w().setFieldText(u"txtCompanyName", mega);
    wiz.w().setFieldText(u"txtMissionStatement", QString(1 << 20, u'中'));
    QCOMPARE(wiz.w().fieldText(u"txtCompanyName").size(), mega.size());
    wiz.folder.write(wiz.pageStem() + u".txt"_s, "<h1>txtCompanyName</h1>\r\n<p>txtMissionStatement</p>\r\n");
    pressView(wiz);
    QVERIFY(wiz.fakes.messages.shown.isEmpty());
    const QByteArray page = wiz.folder.read(wiz.pageStem() + u".html"_s);
    QCOMPARE(page.size(), (1 << 20) + 9 + 2 + qsizetype(strlen("&#20013;")) * (1 << 20) + 7 + 2);
    QVERIFY(page.startsWith("<h1>\xe9\xe9"));
}

void TestBadInput::longRunBreaksAnywhere() {
    // A long run without a space, pasted with Ctrl+V, is kept whole and broken anywhere;
    // once it is gone, lines break between words again.
    Wizard wiz;
    wiz.start();
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

void TestBadInput::unicodeTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("combining mark") << u"Cafe\u0301"_s << QByteArray("Cafe&#769;");
    QTest::newRow("right to left") << u"\u05e9\u05dc\u05d5\u05dd"_s
                                   << QByteArray("&#1513;&#1500;&#1493;&#1501;");
    QTest::newRow("emoji") << u"🍰 cake"_s << QByteArray("&#127856; cake");
    QTest::newRow("lone surrogate") << QString(QChar(0xd800)) << QByteArray("&#65533;");
    QTest::newRow("control characters") << u"a\u0001b\u007fc"_s
                                        << QByteArray("a\x01"
                                                      "b\x7f"
                                                      "c");
    QTest::newRow("Windows-1252 extras")
        << u"€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ"_s
        << QByteArray("\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8a\x8b\x8c\x8e\x91\x92"
                      "\x93\x94\x95\x96\x97\x98\x99\x9a\x9b\x9c\x9e\x9f");
    QTest::newRow("blanks only") << u"     "_s << QByteArray();
    QTest::newRow("ampersand stays") << u"&#60; & <"_s << QByteArray("&#60; & <");
}

void TestBadInput::unicodeTexts() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    Wizard wiz;
    wiz.start();
    wiz.fillRequired();
    wiz.w().setFieldText(u"txtCompanyFax", text);
    wiz.folder.write(wiz.pageStem() + u".txt"_s, "[txtCompanyFax]\r\n");
    pressView(wiz);
    QVERIFY(wiz.fakes.messages.shown.isEmpty());
    QCOMPARE(wiz.folder.read(wiz.pageStem() + u".html"_s), "[" + bytes + "]\r\n");
}

void TestBadInput::badTemplates_data() {
    QTest::addColumn<QByteArray>("templ");
    QTest::addColumn<qsizetype>("pageSize");
    QTest::newRow("empty") << QByteArray() << qsizetype(0);
    QByteArray binary(4096, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 7919) % 256 == '\r' || (i * 7919) % 256 == '\n' ? 0 : (i * 7919) % 256);
    QTest::newRow("binary") << binary << binary.size() + 2;
    QTest::newRow("100 MB without a line end") << QByteArray(100 << 20, 'x') << qsizetype((100 << 20) + 2);
    QByteArray longLines;
    for (int i = 0; i < 3; ++i)
        longLines += QByteArray(5 << 20, 'y') + "txtCompanyName\r\n";
    QTest::newRow("lines of 5 MB") << longLines << longLines.size() + 3 * qsizetype(strlen("Acme Ltd") - 14);
}

void TestBadInput::badTemplates() {
    QFETCH(QByteArray, templ);
    QFETCH(qsizetype, pageSize);
    Wizard wiz;
    wiz.start();
    wiz.fillRequired();
    wiz.folder.write(wiz.pageStem() + u".txt"_s, templ);
    pressView(wiz);
    QVERIFY(wiz.fakes.messages.shown.isEmpty());
    QCOMPARE(wiz.fakes.launcher.starts.size(), 1);
    QCOMPARE(QFileInfo(wiz.folder.filePath(wiz.pageStem() + u".html"_s)).size(), pageSize);
}

void TestBadInput::badCatalogues_data() {
    QTest::addColumn<QByteArray>("catalogue");
    QTest::addColumn<QStringList>("themes");
    QTest::newRow("unbalanced quote") << QByteArray("Classic\r\n\"Orchard, green\r\nHarbour\r\n")
                                      << QStringList{u"Classic"_s, u"Orchard, green\r\nHarbour\r\n"_s};
    QTest::newRow("byte-order mark") << QByteArray("\xef\xbb\xbf"
                                                   "Café\r\nModern\r\n")
                                     << QStringList{u"Café"_s, u"Modern"_s};
    QTest::newRow("binary") << QByteArray("\x00\x01\xff\r\n\x9d", 6)
                            << QStringList{QString::fromLatin1("\x00\x01\xff", 3), QString(QChar(0x9d))};
    QByteArray many;
    QStringList names;
    for (int i = 0; i < 20000; ++i) {
        many += "Theme " + QByteArray::number(i) + ",";
        names += u"Theme "_s + QString::number(i);
    }
    QTest::newRow("twenty thousand themes") << many << names;
}

void TestBadInput::badCatalogues() {
    QFETCH(QByteArray, catalogue);
    QFETCH(QStringList, themes);
    Wizard wiz;
    wiz.folder.write(u"Theme.txt"_s, catalogue);
    wiz.start();
    auto* combo = wiz.control<QComboBox>(u"cboTheme"_s);
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i)
        shown += combo->itemText(i);
    QCOMPARE(shown, themes);
    QCOMPARE(wiz.w().selectedTheme(), themes.front());
    QVERIFY(wiz.fakes.messages.shown.isEmpty());
}

void TestBadInput::hugeHelpFile() {
    Wizard wiz;
    QByteArray help = "\"";
    help += QByteArray(30 << 20, 'h'); // a quote that is never closed
    wiz.folder.write(u"marlixhlp.dat"_s, help);
    wiz.start();
    wiz.click(B::Help);
    QVERIFY(wiz.fakes.messages.shown.isEmpty());
    QVERIFY(!wiz.w().helpHidden());
    const QString shown = wiz.w().fieldText(u"txtHelp");
    QVERIFY(shown.startsWith(QString(1000, u'h')));
    QVERIFY(shown.endsWith(u"\r\n(The rest of the help file is too long to show.)\r\n"_s));
    QVERIFY(shown.size() < 100'100);
    QTest::qWait(50); // painted without freezing
}

void TestBadInput::unsafeCatalogueStems_data() {
    QTest::addColumn<QByteArray>("entry");
    QTest::newRow("parent folder") << QByteArray("../evil");
    QTest::newRow("absolute") << QByteArray("/tmp/ev");
    QTest::newRow("backslash") << QByteArray("..\\evil");
    QTest::newRow("dots") << QByteArray("..");
}

void TestBadInput::unsafeCatalogueStems() {
    QFETCH(QByteArray, entry);
    Wizard wiz(TestFolder::Empty);
    wiz.appFolder = wiz.folder.filePath(u"app"_s);
    copyShippedData(wiz.appFolder);
    wiz.folder.write(u"evil.txt"_s, "outside\r\n");
    QFile catalogue(wiz.appFolder + u"/Theme.txt"_s);
    QVERIFY(catalogue.open(QIODevice::WriteOnly));
    catalogue.write(entry + "\r\n");
    catalogue.close();
    wiz.start();
    wiz.fillRequired();
    pressView(wiz);
    QCOMPARE(wiz.fakes.launcher.starts.size(), 0);
    QCOMPARE(wiz.fakes.messages.shown.size(), 1);
    QCOMPARE(wiz.fakes.messages.shown.front().title, u"Page Not Generated"_s);
    QCOMPARE(QDir(wiz.folder.path()).entryList(QDir::Files), QStringList{u"evil.txt"_s});
}

void TestBadInput::realLauncher() {
    TestFolder folder(TestFolder::Empty);
    QtProgramLauncher launcher;
    QVERIFY(!launcher.startDetached(folder.filePath(u"MarlixExp"_s), {u"x"_s}));
    folder.write(u"MarlixExp"_s, "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > \"$(dirname \"$0\")/args\"\n");
    QVERIFY(!launcher.startDetached(folder.filePath(u"MarlixExp"_s), {u"x"_s})); // not executable
    QFile::setPermissions(folder.filePath(u"MarlixExp"_s),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QString page = u"/a b/\"c\" $(d); e.html"_s;
    QVERIFY(launcher.startDetached(folder.filePath(u"MarlixExp"_s), {page}));
    QTRY_VERIFY(QFile::exists(folder.filePath(u"args"_s)));
    QTRY_COMPARE(folder.read(u"args"_s), "1\n" + page.toUtf8() + "\n");
}

void TestBadInput::realMessageBoxFont() {
    Wizard wiz;
    wiz.start();
    QFont shown;
    QTimer::singleShot(0, &wiz.w(), [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        shown = box->findChild<QLabel*>(u"qt_msgbox_label"_s)->font();
        box->done(QMessageBox::Ok);
    });
    QtMessageService messages;
    QCOMPARE(messages.show(u"File Not Found"_s, u"Error Opening your Browser"_s, MessageButtons::Ok,
                           MessageIcon::None),
             MessageAnswer::Ok);
    // The box speaks in the window's font, not in a larger one of its own.
    QCOMPARE(QFontInfo(shown).pixelSize(), QFontInfo(wiz.w().font()).pixelSize());
    QCOMPARE(QFontInfo(shown).family(), QFontInfo(wiz.w().font()).family());
}

QTEST_MAIN(TestBadInput)
#include "tst_badinput.moc"
