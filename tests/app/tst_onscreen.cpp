// The wizard on a real X server with a real window manager (Xvfb and openbox, started here):
// where its windows appear, and the money fields under the key events X11 delivers (typed
// with xdotool). Skipped (exit code 77) when either cannot start.

#include "app/widgets/SplashWindow.h"
#include "app/widgets/Startup.h"
#include "entry/FieldTable.h"
#include "support/WizardFixture.h"

#include <QScreen>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

namespace {

// Starts a program that ends with this test, its output thrown away (or it would hold
// CTest's pipe open).
pid_t spawn(std::vector<const char*> args, int keepFd = -1) {
    args.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        for (int fd = 3; fd < 256; ++fd) {
            if (fd != keepFd)
                close(fd);
        }
        execvp(args[0], const_cast<char**>(args.data()));
        _exit(127);
    }
    return pid > 0 ? pid : 0;
}

// Starts Xvfb on a free display and openbox on it; DISPLAY is set when both run.
bool startDesktop(std::vector<pid_t>& pids) {
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    const std::string fd = std::to_string(fds[1]);
    pids.push_back(spawn(
        {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"}, fds[1]));
    close(fds[1]);
    std::string display;
    char c = 0;
    while (pids.back() && read(fds[0], &c, 1) == 1 && c != '\n')
        display += c;
    close(fds[0]);
    if (display.empty())
        return false;
    setenv("DISPLAY", (':' + display).c_str(), 1);
    const std::string ready = QDir::tempPath().toStdString() + "/openbox-ready-" + display;
    unlink(ready.c_str());
    // Windows the program does not place go to the top left, not to the centre.
    const std::string config = QDir::tempPath().toStdString() + "/openbox-rc-" + display + ".xml";
    QFile rc(QString::fromStdString(config));
    if (!rc.open(QIODevice::WriteOnly) ||
        rc.write("<openbox_config xmlns=\"http://openbox.org/3.4/rc\"><placement><policy>Smart</policy>"
                 "<center>no</center></placement></openbox_config>\n") < 0)
        return false;
    rc.close();
    pids.push_back(
        spawn({"openbox", "--config-file", config.c_str(), "--startup", ("touch " + ready).c_str()}));
    for (int i = 0; i < 200 && pids.back() && access(ready.c_str(), F_OK) != 0; ++i)
        usleep(50'000); // before the application exists, so no event loop to wait in
    return access(ready.c_str(), F_OK) == 0;
}

// Sees the last key of a batch: xdotool's keys arrive in order, so all came before it.
struct LastKey : QObject {
    bool seen = false;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Pause)
            seen = true;
        return false;
    }
};

// What xdotool prints for these arguments, trimmed.
QString xdotool(const QStringList& arguments) {
    QProcess p;
    p.start(u"xdotool"_s, arguments);
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// The name of the window that has the focus, when a window shown has this name.
QString activeShown(const QString& name) {
    return xdotool({u"search"_s, u"--onlyvisible"_s, u"--name"_s, name}).isEmpty()
               ? QString()
               : xdotool({u"getactivewindow"_s, u"getwindowname"_s});
}

// The page viewer on a page, reporting what it shows or, with report false, telling the user.
struct Viewer : QProcess {
    Viewer(const QString& runtime, const QString& page, bool report = true) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_RUNTIME_DIR"_s, runtime);
        env.insert(u"QUORRA_VIEWER_REPORT"_s, report ? u"1"_s : u"0"_s);
        env.remove(u"QT_QPA_PLATFORM"_s);
        setProcessEnvironment(env);
        start(QStringLiteral(QUORRA_APP_DIR "/MarlixExp"), {page});
    }
    ~Viewer() override {
        kill();
        waitForFinished();
    }
};

} // namespace

class TestOnScreen : public QObject {
    Q_OBJECT
    TestFolder m_folder{TestFolder::ShippedData};
    FakeServices m_fakes;
    std::unique_ptr<MainWindow> m_window;
    QRect m_splash; // the splash's frame as the window manager placed it

private slots:
    // The splash, then the main window, each centred on the screen's free area.
    void initTestCase() {
        QTimer watch; // the start-up lets timers run while the splash shows
        connect(&watch, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (qobject_cast<SplashWindow*>(w) && w->isVisible() && w->windowHandle()->isExposed())
                    m_splash = w->frameGeometry();
            }
        });
        watch.start(20);
        m_window = Main(m_fakes.services(), m_folder.path(), std::chrono::milliseconds(500));
        watch.stop();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void windowsAreCentred() {
        const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(!m_splash.isEmpty());
        QCOMPARE(m_splash.center(), free.center());
        // The frame openbox adds is not known before the window shows: the window is placed
        // by its own size, so its frame's centre lies within the frame's size of the centre.
        QTRY_VERIFY(m_window->frameGeometry() != m_window->geometry());
        const QPoint off = m_window->frameGeometry().center() - free.center();
        const QSize frame = m_window->frameGeometry().size() - m_window->size();
        QVERIFY2(
            qAbs(off.x()) <= frame.width() && qAbs(off.y()) <= frame.height(),
            qPrintable(QDebug::toString(m_window->frameGeometry()) + u" on "_s + QDebug::toString(free)));
    }

    void moneyKeys_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("xdotool"); // the arguments of each call
        QTest::addColumn<QString>("text");
        for (const QString& field : {u"txtProPrice1"_s, u"txtAmount"_s}) {
            const QByteArray name = field.toLatin1();
            QTest::addRow("%s, typed", name.data())
                << field << QStringList{u"type 12a.5-b, 9"_s} << u"12.59"_s;
            QTest::addRow("%s, keypad and BackSpace", name.data())
                << field << QStringList{u"key KP_3 KP_Decimal KP_5 KP_7 BackSpace"_s} << u"3.5"_s;
            QTest::addRow("%s, Delete", name.data())
                << field << QStringList{u"type 42"_s, u"key Home Delete"_s} << u"2"_s;
        }
    }

    void moneyKeys() {
        QFETCH(QString, field);
        QFETCH(QStringList, xdotool);
        QFETCH(QString, text);
        auto* edit = m_window->findChild<QLineEdit*>(field);
        const int step = findField(field)->panel;
        while (m_window->currentStep() != step)
            QTest::mouseClick(
                m_window->cmdOption(m_window->currentStep() < step ? MainWindow::Next : MainWindow::Back),
                Qt::LeftButton);
        edit->clear();
        m_window->activateWindow();
        edit->setFocus();
        QTRY_VERIFY(m_window->isActiveWindow() && edit->hasFocus());
        LastKey last;
        edit->installEventFilter(&last);
        for (const QString& call : xdotool + QStringList{u"key Pause"_s})
            QCOMPARE(QProcess::execute(u"xdotool"_s, call.split(u' ')), 0);
        QTRY_VERIFY(last.seen);
        QCOMPARE(edit->text(), text);
    }

    void viewerComesBack_data() {
        QTest::addColumn<QString>("state");
        QTest::newRow("minimised") << u"windowminimize"_s;
        QTest::newRow("behind the wizard") << u"wizard"_s;
        QTest::newRow("first start telling a page is missing") << u"message"_s;
    }

    // The next View brings the viewer in front with the new page, whatever became of its
    // window; a start while the first tells that its page is missing shows the page itself.
    void viewerComesBack() {
        QFETCH(QString, state);
        TestFolder runtime(TestFolder::Empty);
        QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        for (const char* title : {"Alpha", "Beta"})
            runtime.write(QString::fromLatin1(title) + u".html"_s,
                          QByteArray("<html><head><title>") + title +
                              "</title></head><body>text</body></html>");
        const bool message = state == u"message";
        // Waits in real time: each look asks xdotool, which QTRY would not count.
        const auto shows = [](const QString& name, const QString& active, int ms) {
            return QTest::qWaitFor([&] { return activeShown(name) == active; }, ms) ||
                   (qWarning() << "active:" << activeShown(name), false);
        };
        Viewer first(runtime.path(), runtime.filePath(message ? u"Gone.html"_s : u"Alpha.html"_s), !message);
        const QString firstWindow = message ? u"Page Preview"_s : u"Alpha - Page Preview"_s;
        QVERIFY(shows(u'^' + firstWindow + u'$', firstWindow, 60000));
        if (state == u"wizard") {
            m_window->activateWindow();
            QVERIFY(shows(u"^Alpha - Page Preview$"_s, m_window->windowTitle(), 10000));
        } else if (!message) {
            QCOMPARE(xdotool({u"search"_s, u"--name"_s, u"^Alpha - Page Preview$"_s, state}), QString());
            QVERIFY(shows(u"^Alpha - Page Preview$"_s, QString(), 10000));
        }
        Viewer next(runtime.path(), runtime.filePath(u"Beta.html"_s));
        QVERIFY(shows(u"^Beta - Page Preview$"_s, u"Beta - Page Preview"_s, 60000));
        QCOMPARE(message ? next.state() : first.state(), QProcess::Running);
    }

    void cleanupTestCase() {
        m_fakes.messages.queue(MessageAnswer::Yes);
        m_window->close();
        m_window.reset();
    }
};

int main(int argc, char** argv) {
    std::vector<pid_t> pids;
    const auto stop = [&] {
        for (auto pid = pids.rbegin(); pid != pids.rend(); ++pid) { // openbox first
            if (*pid && kill(*pid, SIGTERM) == 0)
                waitpid(*pid, nullptr, 0);
        }
    };
    if (QStandardPaths::findExecutable(u"xdotool"_s).isEmpty() || !startDesktop(pids)) {
        stop();
        std::puts("SKIP: Xvfb, openbox and xdotool are needed");
        return 77;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    int status = 0;
    {
        QApplication app(argc, argv);
        TestOnScreen test;
        status = QTest::qExec(&test, argc, argv);
    }
    stop();
    return status;
}

#include "tst_onscreen.moc"
