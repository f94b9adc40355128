// The wizard on a real X server with a real window manager (Xvfb and openbox, started by
// on-desktop.sh): where its windows appear, and the money fields under the key events X11
// delivers (typed with xdotool).

#include "app/widgets/SplashWindow.h"
#include "app/widgets/Startup.h"
#include "entry/FieldTable.h"
#include "platform/QtServices.h"
#include "support/ViewerProcess.h"
#include "support/WizardFixture.h"

using namespace quorra;
using namespace quorra::test;
using namespace Qt::StringLiterals;

namespace {

// Sees the last key of a batch: xdotool's keys arrive in order, so all came before it.
struct LastKey : QObject {
    bool seen = false;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Pause)
            seen = true;
        return false;
    }
};

// What an X tool (xdotool by default) prints for these arguments, trimmed.
QString xTool(const QStringList& arguments, const QString& tool = u"xdotool"_s) {
    QProcess p;
    p.start(tool, arguments);
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// The name of the window that has the focus, when a window shown has this name.
QString activeShown(const QString& name) {
    return xTool({u"search"_s, u"--onlyvisible"_s, u"--name"_s, name}).isEmpty()
               ? QString()
               : xTool({u"getactivewindow"_s, u"getwindowname"_s});
}

} // namespace

class TestOnScreen : public QObject {
    Q_OBJECT
    TestFolder m_folder{TestFolder::ShippedData};
    FakeServices m_fakes;
    QtMessageService m_boxes; // the notice on the real box, answered once openbox stacks it
    std::unique_ptr<MainWindow> m_window;
    QRect m_splash; // the splash's frame as the window manager placed it

private slots:
    // The splash shows, a notice about the missing help file over it, then
    // the main window once the splash has gone; each is centred on the screen's free area.
    void initTestCase() {
        QFile::remove(m_folder.filePath(u"marlixhlp.dat"_s));
        const auto splash = [] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (qobject_cast<SplashWindow*>(w) && w->isVisible())
                    return w;
            }
            return static_cast<QWidget*>(nullptr);
        };
        QStringList seen;
        QTimer watch; // the start-up lets timers run while the splash shows
        connect(&watch, &QTimer::timeout, [&] {
            if (QWidget* w = splash(); w && w->windowHandle()->isExposed())
                m_splash = w->frameGeometry();
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            const QString stack =
                box ? xTool({u"-root"_s, u"_NET_CLIENT_LIST_STACKING"_s}, u"xprop"_s) : u""_s;
            const auto at = [&stack](const QWidget* w) { // in the stack, bottom to top
                return w ? stack.indexOf(u"0x"_s + QString::number(w->winId(), 16)) : -1;
            };
            if (at(box) >= 0) {
                seen += box->text() + (splash() && at(box) > at(splash()) ? u" over the splash"_s : u""_s);
                box->accept();
            }
        });
        watch.start(20);
        m_window = Main({m_boxes, m_fakes, m_fakes, m_fakes, m_fakes}, m_folder.path(),
                        std::chrono::milliseconds(500));
        watch.stop();
        QCOMPARE(seen, QStringList{u"No data in Help File over the splash"_s});
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()) && !splash());
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
        QVERIFY(qAbs(off.x()) <= frame.width() && qAbs(off.y()) <= frame.height());
    }

    void moneyKeys_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("xdotool"); // the arguments of each call
        QTest::addColumn<QString>("text");
        QTest::newRow("typed") << u"txtProPrice1"_s << QStringList{u"type 12a.5-b, 9"_s} << u"12.59"_s;
        QTest::newRow("keypad and BackSpace")
            << u"txtAmount"_s << QStringList{u"key KP_3 KP_Decimal KP_5 KP_7 BackSpace"_s} << u"3.5"_s;
        QTest::newRow("Delete") << u"txtProPrice1"_s << QStringList{u"type 42"_s, u"key Home Delete"_s}
                                << u"2"_s;
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
        ViewerProcess first(runtime.path(), runtime.filePath(message ? u"Gone.html"_s : u"Alpha.html"_s), {},
                            !message);
        const QString firstWindow = message ? u"Page Preview"_s : u"Alpha - Page Preview"_s;
        QVERIFY(shows(u'^' + firstWindow + u'$', firstWindow, 60000));
        if (state == u"wizard") {
            m_window->activateWindow();
            QVERIFY(shows(u"^Alpha - Page Preview$"_s, m_window->windowTitle(), 10000));
        } else if (!message) {
            QCOMPARE(xTool({u"search"_s, u"--name"_s, u"^Alpha - Page Preview$"_s, state}), QString());
            QVERIFY(shows(u"^Alpha - Page Preview$"_s, QString(), 10000));
        }
        ViewerProcess next(runtime.path(), runtime.filePath(u"Beta.html"_s));
        QVERIFY(shows(u"^Beta - Page Preview$"_s, u"Beta - Page Preview"_s, 60000));
        QCOMPARE(message ? next.state() : first.state(), QProcess::Running);
    }

    void cleanupTestCase() { m_window.reset(); }
};

QTEST_MAIN(TestOnScreen)
#include "tst_onscreen.moc"
