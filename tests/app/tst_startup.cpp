#include "app/CommandLine.h"
#include "app/widgets/SplashWindow.h"
#include "app/widgets/Startup.h"
#include "support/WizardFixture.h"
#include "wizard/widgets/MainWindow.h"

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
        fakes.onBox = [&](const QString& text) { watcher.note(text); };
        if (!shipped)
            fakes.answers += MessageAnswer::Ok;
        qApp->installEventFilter(&watcher);
        auto window = Main(fakes.services(), folder.path(), std::chrono::milliseconds(100));
        qApp->removeEventFilter(&watcher);
        QCOMPARE(watcher.seen, seen);
        QVERIFY(window->isVisible() && !splashVisible() && window->currentStep() == 0);
        QCOMPARE(window->selectedTheme().isEmpty(), !shipped);
        fakes.answers += MessageAnswer::Yes;
        window->close();
        QVERIFY(window->isUnloaded());
    }

    void commandLine_data() {
        QTest::addColumn<QString>("arguments"); // after the program's name, separated by blanks
        QTest::addColumn<QString>("result");    // the action, then the folder or the text's first line
        const auto row = [](const char* arguments, const QString& result) {
            QTest::newRow(arguments) << QString::fromUtf8(arguments) << result;
        };
        const QString refused = u"3 quorra-wizard: %1. Try 'quorra-wizard --help'."_s;
        row("", u"0 /usr/lib/exe"_s);
        row("--app-folder /home/a/q", u"0 /home/a/q"_s);
        row("--app-folder=/home/a/q/", u"0 /home/a/q"_s);
        row("--app-folder q/../r", u"0 "_s + QDir::currentPath() + u"/r"_s);
        row("-x -v --help", u"1 Usage: quorra-wizard [--app-folder FOLDER]"_s);
        row("--app-folder /x page -v", u"2 Quorra Development Wizard 9.8.7"_s);
        row("--colour -q", refused.arg(u"unknown option '--colour'"_s));
        row("page.htm", refused.arg(u"unexpected argument 'page.htm'"_s));
        row("--app-folder=", refused.arg(u"option '--app-folder' needs a folder"_s));
    }

    // The launcher of an installed copy starts the wizard on the user's own folder.
    void commandLine() {
        QFETCH(QString, arguments);
        QFETCH(QString, result);
        const CommandLine command = parseCommandLine(
            QStringList{u"w"_s} + arguments.split(u' ', Qt::SkipEmptyParts), u"/usr/lib/exe"_s, u"9.8.7"_s);
        const QString said = command.action == CommandLine::Start ? command.appFolder : command.text;
        QCOMPARE(QString::number(command.action) + u' ' + said.section(u'\n', 0, 0), result);
        QVERIFY(command.action == CommandLine::Start || said.endsWith(u'\n'));
    }

    void theProgramAnswersWithoutAWindow_data() {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("text"); // the start of standard output, or all of standard error
        QTest::newRow("version") << u"--version"_s << 0
                                 << QByteArray("Quorra Development Wizard " QUORRA_VERSION "\n");
        QTest::newRow("unknown")
            << u"--bogus"_s << 2
            << QByteArray("quorra-wizard: unknown option '--bogus'. Try 'quorra-wizard --help'.\n");
        QTest::newRow("no display") << QString() << 1
                                    << QByteArray(
                                           "quorra-wizard: no display: this is a desktop program and needs a "
                                           "desktop session (X11 or Wayland), but neither DISPLAY nor "
                                           "WAYLAND_DISPLAY is set.\n");
    }

    // The help and the version need no display; a refused option opens no window; without a
    // display the wizard says so before Qt would abort.
    void theProgramAnswersWithoutAWindow() {
        QFETCH(QString, argument);
        QFETCH(int, status);
        QFETCH(QByteArray, text);
        QProcess wizard;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const QTemporaryDir runtime; // for Qt, which otherwise warns on standard error
        env.insert(u"XDG_RUNTIME_DIR"_s, runtime.path());
        if (status != 2) { // no display: Qt's default platform
            env.remove(u"QT_QPA_PLATFORM"_s);
            env.remove(u"DISPLAY"_s);
            env.remove(u"WAYLAND_DISPLAY"_s);
        }
        wizard.setProcessEnvironment(env);
        wizard.start(QStringLiteral(QUORRA_WIZARD),
                     argument.isEmpty() ? QStringList() : QStringList{argument});
        QVERIFY(wizard.waitForFinished(20000));
        QCOMPARE(wizard.exitCode(), status);
        const QByteArray out = wizard.readAllStandardOutput();
        const QByteArray err = wizard.readAllStandardError();
        QCOMPARE(status == 0 ? out.left(text.size()) : err, text);
        QVERIFY((status == 0 ? err : out).isEmpty());
    }

    // The splash names the release that --version answers with.
    void splashShowsTheVersion() {
        SplashWindow splash;
        QCOMPARE(splash.findChild<QLabel*>(u"lblQuorratext"_s)->text(),
                 u"Quorra\nDevelopment Wizard\n\nVersion " QUORRA_VERSION "\n"_s);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
