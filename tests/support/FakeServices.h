#pragma once

#include "services/Services.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace quorra::test {

// One message box the program showed.
struct ShownMessage {
    QString title;
    QString text;
    MessageButtons buttons;
    MessageIcon icon;
};

// Records every message box and answers from a queue; a box with nothing queued is
// answered with Ok or No and counted as unexpected.
struct FakeMessages : MessageService {
    MessageAnswer show(const QString& title, const QString& text, MessageButtons buttons, MessageIcon icon,
                       MessageAnswer = MessageAnswer::Ok) override {
        shown.append({title, text, buttons, icon});
        if (onShow)
            onShow(shown.back());
        if (answers.isEmpty()) {
            ++unexpected;
            return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
        }
        return answers.takeFirst();
    }
    void queue(MessageAnswer answer) { answers.push_back(answer); }
    QList<ShownMessage> shown;
    QList<MessageAnswer> answers;
    int unexpected = 0;
    std::function<void(const ShownMessage&)> onShow; // runs as each box is shown
};

// Counts the pointer changes and remembers whether the wait pointer is up.
struct FakeCursor : CursorService {
    void setWaitCursor() override {
        waiting = true;
        ++waitCount;
    }
    void restoreCursor() override { waiting = false; }
    bool waiting = false;
    int waitCount = 0;
};

// Answers the open-file dialog from a queue of paths (none left: a cancel).
struct FakeFileDialog : FileDialogService {
    QString chooseFile(const QString& filterDescription, const QString& pattern) override {
        filters.append(filterDescription + u' ' + pattern);
        return paths.isEmpty() ? QString() : paths.takeFirst();
    }
    QStringList paths;
    QStringList filters; // "description pattern" of each dialog
};

// Records each program start as the program and its arguments; starts fail while failStart is set.
struct FakeLauncher : ProgramLauncher {
    bool startDetached(const QString& program, const QStringList& arguments) override {
        starts.append(QStringList{program} + arguments);
        return !failStart;
    }
    QList<QStringList> starts;
    bool failStart = false;
};

// Records the printed lines of each document handed to the printer; refuses every line while refuse is set.
struct FakePrinter : PrinterService {
    bool printLine(const QString& text) override {
        lines.append(text);
        return !refuse;
    }
    bool endDocument() override {
        ended.append(std::exchange(lines, {}));
        return true;
    }
    void abortDocument() override { lines.clear(); }
    QStringList lines;
    QList<QStringList> ended;
    bool refuse = false;
};

// A complete set of fakes, handed to the main window as its services.
struct FakeServices {
    FakeMessages messages;
    FakeCursor cursor;
    FakeFileDialog fileDialog;
    FakeLauncher launcher;
    FakePrinter printer;
    Services services() { return Services{messages, cursor, fileDialog, launcher, printer}; }
};

} // namespace quorra::test
