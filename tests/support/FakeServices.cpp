#include "support/FakeServices.h"

namespace quorra::test {

MessageAnswer FakeMessages::show(const QString& title, const QString& text, MessageButtons buttons,
                                 MessageIcon icon, MessageAnswer) {
    shown.append({title, text, buttons, icon});
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

QString FakeFileDialog::chooseFile(const QString& filterDescription, const QString& pattern) {
    descriptions.append(filterDescription);
    patterns.append(pattern);
    if (m_paths.empty())
        return {};
    QString path = m_paths.front();
    m_paths.pop_front();
    return path;
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

} // namespace quorra::test
