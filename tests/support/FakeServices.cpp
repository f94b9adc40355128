#include "support/FakeServices.h"

namespace quorra::test {

MessageAnswer FakeMessages::show(const QString& title, const QString& text, MessageButtons buttons,
                                 MessageIcon icon, MessageAnswer onEscape) {
    shown.append({title, text, buttons, icon, onEscape});
    if (onShow)
        onShow(shown.back());
    if (m_answers.empty()) {
        ++unexpected;
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
    const MessageAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void FakeCursor::setWaitCursor() {
    waiting = true;
    ++waitCount;
}

void FakeCursor::restoreCursor() {
    waiting = false;
    ++restoreCount;
}

QString FakeFileDialog::chooseFile(const QString& filterDescription, const QString& pattern) {
    descriptions.append(filterDescription);
    patterns.append(pattern);
    if (m_paths.empty())
        return {};
    QString path = m_paths.front();
    m_paths.pop_front();
    return path;
}

bool FakeLauncher::startDetached(const QString& program, const QStringList& arguments) {
    starts.append({program, arguments});
    return !failStart;
}

bool FakePrinter::printLine(const QString& text) {
    if (failAtLine >= 0 && lines.size() == failAtLine)
        return false;
    lines.append(text);
    return true;
}

bool FakePrinter::endDocument() {
    if (failEnd)
        return false;
    ended.append(lines);
    lines.clear();
    return true;
}

void FakePrinter::abortDocument() {
    ++aborted;
    lines.clear();
}

} // namespace quorra::test
