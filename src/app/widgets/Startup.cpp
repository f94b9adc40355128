#include "app/widgets/Startup.h"

#include "app/widgets/SplashWindow.h"
#include "wizard/widgets/MainWindow.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QWindow>

#include <functional>

namespace quorra {

namespace {

// Lets the window system paint, but takes no keyboard or mouse input.
void paintOnlyFor(std::chrono::milliseconds span, const std::function<bool()>& done = {}) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < span.count() && !(done && done())) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        QThread::msleep(5);
    }
}

} // namespace

std::unique_ptr<MainWindow> Main(const Services& services, const QString& appFolder,
                                 std::chrono::milliseconds hold) {
    auto splash = std::make_unique<SplashWindow>();
    splash->show();
    // A window paints only once the window system has exposed it.
    paintOnlyFor(std::chrono::milliseconds(3000),
                 [&] { return splash->windowHandle() && splash->windowHandle()->isExposed(); });
    splash->repaint();

    auto window = std::make_unique<MainWindow>(services, appFolder);
    window->Form_Load();

    paintOnlyFor(hold);
    splash->close();
    splash.reset();

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect frame = window->frameGeometry();
        window->move(screen->availableGeometry().center() - QPoint(frame.width() / 2, frame.height() / 2));
    }
    window->show();
    return window;
}

} // namespace quorra
