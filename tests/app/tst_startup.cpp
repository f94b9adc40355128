#include "app/SplashWindow.h"
#include "app/Startup.h"
#include "entry/TextRules.h"
#include "support/WizardFixture.h"
#include "wizard/MainWindow.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QtTest>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

namespace {

bool splashVisible() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (qobject_cast<SplashWindow*>(w) && w->isVisible())
            return true;
    }
    return false;
}

// Notes whether a splash was on screen whenever a main window became visible.
class ShowWatcher : public QObject {
public:
    bool mainShown = false;
    bool shownWithSplash = false;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && qobject_cast<MainWindow*>(o)) {
            mainShown = true;
            shownWithSplash = shownWithSplash || splashVisible();
        }
        return false;
    }
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void splashLayout();
    void mainWindowNeverWithSplash();
    void loadMessagesWhileSplashIsUp();
    void longFiles();
    void appFolderOption_data();
    void appFolderOption();
};

void TestStartup::splashLayout() {
    SplashWindow splash;
    QCOMPARE(splash.size(), QSize(396, 253));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(splash.windowTitle().isEmpty());
    auto* version = splash.findChild<QLabel*>(u"lblQuorratext"_s);
    QVERIFY(version);
    QCOMPARE(toCrLf(version->text()), u"Quorra\r\nDevelopment Wizard\r\n\r\nVersion 1.0.1\r\n"_s);
    QCOMPARE(version->geometry(), QRect(184, 104, 193, 73));
    QVERIFY(version->font().bold());
    auto* warning = splash.findChild<QLabel*>(u"lblWarning"_s);
    QVERIFY(warning->text().startsWith(u"Warning"_s));
    QCOMPARE(warning->geometry(), QRect(184, 184, 193, 53));
    QCOMPARE(splash.findChild<QLabel*>(u"picLogo"_s)->pixmap().size(), QSize(160, 230));
    QCOMPARE(splash.findChild<QLabel*>(u"imgTitle"_s)->pixmap().size(), QSize(199, 65));
    QCOMPARE(splash.findChild<QWidget*>(u"fraMainFrame"_s)->geometry(), QRect(0, 0, 396, 249));
}

void TestStartup::mainWindowNeverWithSplash() {
    TestFolder folder;
    FakeServices fakes;
    ShowWatcher watcher;
    qApp->installEventFilter(&watcher);
    auto window = Main(fakes.services(), folder.path(), std::chrono::milliseconds(100));
    qApp->removeEventFilter(&watcher);
    QVERIFY(watcher.mainShown);
    QVERIFY(!watcher.shownWithSplash);
    QVERIFY(window->isVisible());
    QVERIFY(!splashVisible());
    QCOMPARE(window->currentStep(), 0);
    QVERIFY(fakes.messages.shown.isEmpty());
    fakes.messages.queue(MessageAnswer::Yes);
    window->close();
    QVERIFY(window->isUnloaded());
}

void TestStartup::loadMessagesWhileSplashIsUp() {
    TestFolder folder(TestFolder::Empty);
    FakeServices fakes;
    QList<bool> splashUp;
    fakes.messages.onShow = [&](const ShownMessage&) { splashUp.append(splashVisible()); };
    fakes.messages.queue(MessageAnswer::Ok);
    auto window = Main(fakes.services(), folder.path(), std::chrono::milliseconds(0));
    QCOMPARE(fakes.messages.shown.size(), 1);
    QCOMPARE(fakes.messages.shown.front().text, u"No data in Help File"_s);
    QCOMPARE(splashUp, QList<bool>{true});
    QVERIFY(window->isVisible());
    QVERIFY(window->selectedTheme().isEmpty());
    fakes.messages.queue(MessageAnswer::Yes);
    window->close();
}

void TestStartup::longFiles() {
    Wizard wiz;
    wiz.folder.write(u"marlixhlp.dat"_s, "\"" + QByteArray(3 << 20, 'h')); // a quote never closed
    QByteArray themes;
    for (int i = 0; i < 20000; ++i)
        themes += "Theme " + QByteArray::number(i) + "\r\n";
    wiz.folder.write(u"Theme.txt"_s, themes);
    wiz.start();
    auto* combo = wiz.control<QComboBox>(u"cboTheme"_s);
    QCOMPARE(combo->count(), 20000); // a long catalogue is read whole
    QCOMPARE(combo->itemText(19999), u"Theme 19999"_s);
    wiz.click(MainWindow::Help);
    QVERIFY(wiz.fakes.messages.shown.isEmpty());
    const QString shown = wiz.w().fieldText(u"txtHelp");
    QCOMPARE(shown, QString(100'000, u'h') + u"\r\n(The rest of the help file is too long to show.)\r\n"_s);
}

void TestStartup::appFolderOption_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("folder");
    const QString cwd = QDir::currentPath();
    QTest::newRow("none") << QStringList{u"w"_s} << u"/opt/exe"_s;
    QTest::newRow("separate") << QStringList{u"w"_s, u"--app-folder"_s, u"/home/a/q"_s} << u"/home/a/q"_s;
    QTest::newRow("joined") << QStringList{u"w"_s, u"--app-folder=/home/a/q/"_s} << u"/home/a/q"_s;
    QTest::newRow("relative") << QStringList{u"w"_s, u"--app-folder"_s, u"q/../r"_s} << cwd + u"/r"_s;
    QTest::newRow("no value") << QStringList{u"w"_s, u"--app-folder"_s} << u"/opt/exe"_s;
    QTest::newRow("program name") << QStringList{u"--app-folder=/x"_s} << u"/opt/exe"_s;
}

// The launcher of an installed copy starts the wizard on the user's own folder.
void TestStartup::appFolderOption() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, folder);
    QCOMPARE(appFolderFromArguments(arguments, u"/opt/exe"_s), folder);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
