#include "app/SplashWindow.h"
#include "app/Startup.h"
#include "support/WizardFixture.h"
#include "wizard/MainWindow.h"

#include <QComboBox>
#include <QDir>
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

// Notes, in order, each message and each showing of a main window, and whether a splash was up.
struct Watcher : QObject {
    QStringList seen;
    void note(const QString& what) { seen << what + (splashVisible() ? u" over the splash"_s : QString()); }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Show && qobject_cast<MainWindow*>(o))
            note(u"main window"_s);
        return false;
    }
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void splashThenMainWindow_data() {
        QTest::addColumn<bool>("shipped");
        QTest::addColumn<QStringList>("seen");
        QTest::newRow("shipped data") << true << QStringList{u"main window"_s};
        QTest::newRow("empty folder")
            << false << QStringList{u"No data in Help File over the splash"_s, u"main window"_s};
    }

    void splashThenMainWindow() {
        QFETCH(bool, shipped);
        QFETCH(QStringList, seen);
        TestFolder folder(shipped ? TestFolder::ShippedData : TestFolder::Empty);
        FakeServices fakes;
        Watcher watcher;
        fakes.messages.onShow = [&](const ShownMessage& m) { watcher.note(m.text); };
        if (!shipped)
            fakes.messages.queue(MessageAnswer::Ok);
        qApp->installEventFilter(&watcher);
        auto window = Main(fakes.services(), folder.path(), std::chrono::milliseconds(100));
        qApp->removeEventFilter(&watcher);
        QCOMPARE(watcher.seen, seen);
        QVERIFY(window->isVisible() && !splashVisible() && window->currentStep() == 0);
        QCOMPARE(window->selectedTheme().isEmpty(), !shipped);
        fakes.messages.queue(MessageAnswer::Yes);
        window->close();
        QVERIFY(window->isUnloaded());
    }

    void longFiles() {
        Wizard wiz;
        wiz.folder.write(u"marlixhlp.dat"_s, "\"" + QByteArray(3 << 20, 'h')); // a quote never closed
        QByteArray themes;
        for (int i = 0; i < 20000; ++i)
            themes += "Theme " + QByteArray::number(i) + "\r\n";
        wiz.folder.write(u"Theme.txt"_s, themes);
        wiz.start();
        QCOMPARE(wiz.control<QComboBox>(u"cboTheme"_s)->itemText(19999), u"Theme 19999"_s); // read whole
        wiz.click(MainWindow::Help);
        QVERIFY(wiz.fakes.messages.shown.isEmpty());
        QCOMPARE(wiz.w().fieldText(u"txtHelp"),
                 QString(100'000, u'h') + u"\r\n(The rest of the help file is too long to show.)\r\n"_s);
    }

    void appFolderOption_data() {
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
    void appFolderOption() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, folder);
        QCOMPARE(appFolderFromArguments(arguments, u"/opt/exe"_s), folder);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
