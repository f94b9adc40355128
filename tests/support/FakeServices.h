#pragma once

#include "services/Services.h"

#include <QStringList>

namespace quorra::test {

// Stands in for every platform service: notes each request in log, in order, and answers
// from what the test queued. The lines: "box TITLE|TEXT|BUTTONS|ICON" (a box with no answer
// queued is answered Ok or No and counted as unexpected), "wait" and "ready" (the pointer),
// "dialog DESCRIPTION PATTERN" (cancelled when no path is queued), "start PROGRAM|ARGUMENT..."
// and "printed" (each document, its lines kept in printed).
struct FakeServices : MessageService, CursorService, FileDialogService, ProgramLauncher, PrinterService {
    QStringList log;
    QList<MessageAnswer> answers;
    QStringList paths;
    QList<QStringList> printed;
    bool failStart = false;
    bool refusePrint = false;
    int unexpected = 0;

    MessageAnswer show(const QString& title, const QString& text, MessageButtons buttons, MessageIcon icon,
                       MessageAnswer = MessageAnswer::Ok) override {
        log += QStringLiteral("box %1|%2|%3|%4").arg(title, text).arg(int(buttons)).arg(int(icon));
        if (!answers.isEmpty())
            return answers.takeFirst();
        ++unexpected;
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
    void setWaitCursor() override { log += QStringLiteral("wait"); }
    void restoreCursor() override { log += QStringLiteral("ready"); }
    QString chooseFile(const QString& description, const QString& pattern) override {
        log += QStringLiteral("dialog ") + description + u' ' + pattern;
        return paths.isEmpty() ? QString() : paths.takeFirst();
    }
    bool startDetached(const QString& program, const QStringList& arguments) override {
        log += QStringLiteral("start ") + QStringList(QStringList{program} + arguments).join(u'|');
        return !failStart;
    }
    bool printLine(const QString& text) override {
        m_lines += text;
        return !refusePrint;
    }
    bool endDocument() override {
        printed += std::exchange(m_lines, {});
        log += QStringLiteral("printed");
        return true;
    }
    void abortDocument() override { m_lines.clear(); }

private:
    QStringList m_lines;
};

} // namespace quorra::test
