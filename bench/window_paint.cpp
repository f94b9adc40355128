// 4. The main window from its creation to its first painted frame (its Form_Load included),
// against a bare QWidget of the same size, in a fresh child (bench_page --window-child) on
// the offscreen platform.

#include "bench_page.h"
#include "bench_support.h"

#include "support/FakeServices.h"
#include "wizard/widgets/MainWindow.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace quorra::bench {

using namespace Qt::StringLiterals;

namespace {

constexpr int WindowRounds = 15;

// Notes when the watched window receives its first paint event.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget* window, const QElapsedTimer& clock)
        : m_window(window)
        , m_clock(clock) {
        window->installEventFilter(this);
    }
    bool painted() const { return m_paintNs >= 0; }
    qint64 paintNs() const { return m_paintNs; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Paint && m_paintNs < 0)
            m_paintNs = m_clock.nsecsElapsed();
        return false;
    }

private:
    QWidget* m_window;
    const QElapsedTimer& m_clock;
    qint64 m_paintNs = -1;
};

struct WindowTiming {
    qint64 createdNs = 0; // constructor returned
    qint64 loadedNs = 0;  // Form_Load returned (the bare widget has none)
    qint64 paintNs = 0;   // first paint event of the window arrived
    qint64 frameNs = 0;   // the event processing that painted the window returned
    bool painted = false;
};

// From the creation of a window to the end of its first painted frame.
WindowTiming timeFirstPaint(const std::function<std::unique_ptr<QWidget>()>& create,
                            const std::function<void(QWidget&)>& load) {
    WindowTiming t;
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QWidget> window = create();
    t.createdNs = clock.nsecsElapsed();
    if (load)
        load(*window);
    t.loadedNs = clock.nsecsElapsed();
    FirstPaint watch(window.get(), clock);
    window->show();
    const QDeadlineTimer deadline(10000);
    while (!watch.painted() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    t.frameNs = clock.nsecsElapsed();
    t.paintNs = watch.paintNs();
    t.painted = watch.painted();
    window->removeEventFilter(&watch);
    window.reset();
    // Whatever the closed window left to do happens now, not in the next measurement.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QDeadlineTimer settle(30);
    while (!settle.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return t;
}

} // namespace

int windowChild(const QString& appFolder) {
    // Message boxes answered at once and counted, no file dialog, printer or program start.
    test::FakeServices fakes;
    const Services services{fakes, fakes, fakes, fakes, fakes};

    // The platform's first window (the splash in the program): shown and painted once,
    // so that neither measured window pays for starting the window system and the style.
    timeFirstPaint(
        [] {
            auto w = std::make_unique<QWidget>();
            auto* layout = new QVBoxLayout(w.get());
            layout->addWidget(new QLabel(u"Loading"_s));
            layout->addWidget(new QPushButton(u"OK"_s));
            w->resize(300, 150);
            return w;
        },
        {});

    QSize size;
    const auto createMain = [&] {
        auto w = std::make_unique<MainWindow>(services, appFolder);
        size = w->size();
        return std::unique_ptr<QWidget>(std::move(w));
    };
    const auto loadMain = [](QWidget& w) { static_cast<MainWindow&>(w).Form_Load(); };
    const auto createBare = [&] {
        auto w = std::make_unique<QWidget>();
        w->resize(size);
        return w;
    };

    const WindowTiming cold = timeFirstPaint(createMain, loadMain);
    const WindowTiming coldBare = timeFirstPaint(createBare, {});
    std::vector<double> bare, main, create, load, show;
    bool painted = cold.painted && coldBare.painted;
    for (int round = 0; round < WindowRounds; ++round) {
        const WindowTiming b = timeFirstPaint(createBare, {});
        const WindowTiming m = timeFirstPaint(createMain, loadMain);
        painted = painted && b.painted && m.painted;
        bare.push_back(toMs(b.frameNs));
        main.push_back(toMs(m.frameNs));
        create.push_back(toMs(m.createdNs));
        load.push_back(toMs(m.loadedNs - m.createdNs));
        show.push_back(toMs(m.frameNs - m.loadedNs));
    }
    std::printf("platform=%s\nsize=%dx%d\npainted=%d\nmessages=%d\n",
                QGuiApplication::platformName().toUtf8().constData(), size.width(), size.height(),
                painted ? 1 : 0, int(fakes.log.size()));
    std::printf(
        "cold_main_ms=%.3f\ncold_main_create_ms=%.3f\ncold_main_load_ms=%.3f\ncold_main_show_ms=%.3f\n",
        toMs(cold.frameNs), toMs(cold.createdNs), toMs(cold.loadedNs - cold.createdNs),
        toMs(cold.frameNs - cold.loadedNs));
    std::printf("cold_main_paint_event_ms=%.3f\ncold_bare_ms=%.3f\n", toMs(cold.paintNs),
                toMs(coldBare.frameNs));
    std::printf("bare_min_ms=%.3f\nmain_min_ms=%.3f\n", *std::min_element(bare.begin(), bare.end()),
                *std::min_element(main.begin(), main.end()));
    std::printf("bare_ms=%.3f\nmain_ms=%.3f\nmain_create_ms=%.3f\nmain_load_ms=%.3f\nmain_show_ms=%.3f\n",
                median(bare), median(main), median(create), median(load), median(show));
    return painted ? 0 : 1;
}

bool firstPaint(const QString& appFolder) {
    say(u""_s);
    say(u"4. Main window, creation to first paint (its Form_Load included, no splash), offscreen "
        u"platform, fresh child process"_s);
    const QHash<QString, QString> r = runChild({u"--window-child"_s, appFolder});
    if (r.contains(u"error"_s)) {
        say(u"   FAILED: "_s + r.value(u"error"_s));
        return false;
    }
    const auto ms = [&](const QString& key) { return r.value(key).toDouble(); };
    say(u"   platform %1, window %2 px, median of %3 rounds after the first"_s.arg(r.value(u"platform"_s))
            .arg(r.value(u"size"_s))
            .arg(WindowRounds));
    const auto row = [&](const QString& label, const QString& first, const QString& median,
                         const QString& min, const QString& ratio) {
        say(u"   "_s + left(label, 34) + col(first, 10) + col(median, 11) + col(min, 9) + col(ratio, 9));
    };
    const auto f = [&](const QString& key) { return r.contains(key) ? num(ms(key), 2) : QString(); };
    row(u"case"_s, u"first ms"_s, u"median ms"_s, u"min ms"_s, u"ratio"_s);
    row(u"bare QWidget, same size"_s, f(u"cold_bare_ms"_s), f(u"bare_ms"_s), f(u"bare_min_ms"_s), u"1.0x"_s);
    row(u"MainWindow, create + load + show"_s, f(u"cold_main_ms"_s), f(u"main_ms"_s), f(u"main_min_ms"_s),
        num(ms(u"main_ms"_s) / ms(u"bare_ms"_s), 1) + u"x"_s);
    row(u"  of it: constructor"_s, f(u"cold_main_create_ms"_s), f(u"main_create_ms"_s), {}, {});
    row(u"  of it: Form_Load"_s, f(u"cold_main_load_ms"_s), f(u"main_load_ms"_s), {}, {});
    row(u"  of it: show to painted frame"_s, f(u"cold_main_show_ms"_s), f(u"main_show_ms"_s), {}, {});
    say(u"   (ratio: MainWindow median / bare QWidget median; the first MainWindow of the process "
        u"against the bare median: %1x)"_s.arg(num(ms(u"cold_main_ms"_s) / ms(u"bare_ms"_s), 1)));
    if (r.value(u"messages"_s) != u"0"_s)
        say(u"   WARNING: the window showed %1 message box(es) while loading"_s.arg(r.value(u"messages"_s)));
    return r.value(u"painted"_s) == u"1"_s;
}

} // namespace quorra::bench
