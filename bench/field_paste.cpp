// 5. One megabyte pasted into a real field control, a multi-line and a single-line one,
// then Ctrl+End and one letter typed, each step painted; in a fresh child
// (bench_page --paste-child) on the offscreen platform.

#include "bench_page.h"
#include "bench_support.h"

#include "entry/FieldTable.h"
#include "entry/widgets/FieldControl.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

namespace quorra::bench {

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype PasteChars = 1'000'000;

// A megabyte without a space, or a megabyte of words, as one line.
QString pasteText(bool words) {
    if (!words)
        return QString(PasteChars, u'x');
    QString text;
    text.reserve(PasteChars + 100);
    while (text.size() < PasteChars)
        text += u"Good tools and honest seed for every gardener, from a window box to a walled garden. "_s;
    text.truncate(PasteChars);
    return text;
}

void sendKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(widget, &press);
    QCoreApplication::sendEvent(widget, &release);
}

// Pastes text into the field with the clipboard, as Ctrl+V does, and paints it; then lets
// the events the paste left run, moves to the end with Ctrl+End and types one letter,
// painting after each. Prints the milliseconds of each step and whether the text is whole.
void timePaste(const QString& key, const QString& fieldName, const QString& text) {
    const FieldSpec* fieldDef = findField(fieldName);
    QWidget window;
    window.resize(489, 270);
    FieldControl control(*fieldDef, &window);
    QWidget* w = control.widget();
    w->move(8, 8);
    window.show();
    const QDeadlineTimer exposed(5000);
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) && !exposed.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    w->setFocus();
    QGuiApplication::clipboard()->setText(text);
    QCoreApplication::processEvents();

    QElapsedTimer clock;
    const auto step = [&](const char* name, const std::function<void()>& work) {
        clock.start();
        work();
        w->repaint();
        std::printf("%s_%s_ms=%.1f\n", key.toUtf8().constData(), name, toMs(clock.nsecsElapsed()));
        std::fflush(stdout);
    };
    step("paste", [&] {
        if (control.lineEdit())
            control.lineEdit()->paste();
        else
            control.textEdit()->paste();
    });
    step("queued", [] { QCoreApplication::processEvents(); });
    step("end", [&] { sendKey(w, Qt::Key_End, Qt::ControlModifier); });
    step("type", [&] { sendKey(w, Qt::Key_A, Qt::NoModifier, u"a"_s); });
    std::printf("%s_whole=%d\n", key.toUtf8().constData(), control.text() == text + u"a"_s ? 1 : 0);
}

} // namespace

int pasteChild() {
    const QString line = pasteText(false);
    const QString words = pasteText(true);
    timePaste(u"multi_line"_s, u"txtCompanyHistory"_s, line);
    timePaste(u"multi_words"_s, u"txtCompanyHistory"_s, words);
    timePaste(u"single_line"_s, u"txtPicture1"_s, line);
    timePaste(u"single_words"_s, u"txtPicture1"_s, words);
    return 0;
}

bool pasteIntoFields(const QString& appFolder) {
    say(u""_s);
    say(u"5. One megabyte pasted into a field and painted, offscreen platform, fresh child process"_s);
    const QHash<QString, QString> r = runChild({u"--paste-child"_s, appFolder}, 300000);
    say(u"   "_s + left(u"case"_s, 40) + col(u"paste ms"_s, 10) + col(u"queued ms"_s, 10) +
        col(u"Ctrl+End"_s, 10) + col(u"type ms"_s, 9) + col(u"whole"_s, 7));
    const std::vector<std::pair<QString, QString>> cases{
        {u"multi_line"_s, u"multi-line (txtCompanyHistory), no space"_s},
        {u"multi_words"_s, u"multi-line (txtCompanyHistory), words"_s},
        {u"single_line"_s, u"single-line (txtPicture1), no space"_s},
        {u"single_words"_s, u"single-line (txtPicture1), words"_s},
    };
    bool ok = !r.contains(u"error"_s);
    for (const auto& [key, label] : cases) {
        const auto f = [&](const char* step) {
            const QString v = r.value(key + u'_' + QLatin1StringView(step) + u"_ms"_s);
            return v.isEmpty() ? u"-"_s : num(v.toDouble(), 1);
        };
        const QString whole = r.value(key + u"_whole"_s);
        ok = ok && whole == u"1"_s;
        say(u"   "_s + left(label, 40) + col(f("paste"), 10) + col(f("queued"), 10) + col(f("end"), 10) +
            col(f("type"), 9) +
            col(whole == u"1"_s   ? u"yes"_s
                : whole.isEmpty() ? u"-"_s
                                  : u"NO"_s,
                7));
    }
    if (r.contains(u"error"_s))
        say(u"   FAILED: "_s + r.value(u"error"_s));
    say(u"   (each step ends with the field repainted; queued: the events the paste left, run at once)"_s);
    return ok;
}

} // namespace quorra::bench
