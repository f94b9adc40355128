#include "entry/widgets/AmountKeyFilter.h"

#include <QKeyEvent>

namespace quorra {

std::optional<QChar> typedCharacter(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Backspace:
        return QChar(8);
    case Qt::Key_Delete: // X11 reports "\x7f" as its text, yet Delete types nothing
    case Qt::Key_Tab:    // moves the focus
    case Qt::Key_Backtab:
        return std::nullopt;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(13);
    case Qt::Key_Escape:
        return QChar(27);
    default:
        break;
    }
    const QString text = event.text();
    if (text.isEmpty())
        return std::nullopt;
    const QChar c = text.front();
    const bool control = event.modifiers() & Qt::ControlModifier;
    if (control && c.toLatin1() >= 'a' && c.toLatin1() <= 'z')
        return QChar(c.toLatin1() - 'a' + 1);
    if (control && c.toLatin1() >= 'A' && c.toLatin1() <= 'Z')
        return QChar(c.toLatin1() - 'A' + 1);
    return c;
}

bool amountAccepts(QChar c) {
    return c == QChar(8) || c == u'.' || (c >= u'0' && c <= u'9');
}

bool AmountKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (const auto c = typedCharacter(*key); c && !amountAccepts(*c)) {
            event->accept();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quorra
