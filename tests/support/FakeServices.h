#pragma once

#include "wizard/Services.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>
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
class FakeMessages : public MessageService {
public:
    MessageAnswer show(const QString& title, const QString& text, MessageButtons buttons, MessageIcon icon,
                       MessageAnswer onEscape = MessageAnswer::Ok) override;
    void queue(MessageAnswer answer) { m_answers.push_back(answer); }
    bool allAnswersUsed() const { return m_answers.empty(); }
    QList<ShownMessage> shown;
    int unexpected = 0;
    std::function<void(const ShownMessage&)> onShow; // runs as each box is shown

private:
    std::deque<MessageAnswer> m_answers;
};

// Counts the pointer changes and remembers whether the wait pointer is up.
class FakeCursor : public CursorService {
public:
    void setWaitCursor() override {
        waiting = true;
        ++waitCount;
    }
    void restoreCursor() override { waiting = false; }
    bool waiting = false;
    int waitCount = 0;
};

// Answers the open-file dialog from a queue of paths ("" is a cancel).
class FakeFileDialog : public FileDialogService {
public:
    QString chooseFile(const QString& filterDescription, const QString& pattern) override;
    void queue(const QString& path) { m_paths.push_back(path); }
    bool allAnswersUsed() const { return m_paths.empty(); }
    QStringList descriptions;
    QStringList patterns;

private:
    std::deque<QString> m_paths;
};

// Records each program start; starts fail while failStart is set.
class FakeLauncher : public ProgramLauncher {
public:
    bool startDetached(const QString& program, const QStringList& arguments) override {
        starts.append({program, arguments});
        return !failStart;
    }
    struct Start {
        QString program;
        QStringList arguments;
    };
    QList<Start> starts;
    bool failStart = false;
};

// Records the printed lines of each document; can refuse a line or the end.
class FakePrinter : public PrinterService {
public:
    bool printLine(const QString& text) override;
    bool endDocument() override;
    void abortDocument() override {
        ++aborted;
        lines.clear();
    }
    QStringList lines;        // lines of the document in progress
    QList<QStringList> ended; // documents handed to the printer
    int aborted = 0;
    int failAtLine = -1; // 0-based index of the line that fails, -1 for none
    bool failEnd = false;
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
