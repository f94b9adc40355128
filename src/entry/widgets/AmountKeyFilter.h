#pragma once

#include <QChar>
#include <QObject>

#include <optional>

class QKeyEvent;

namespace quorra {

// The character a key press types, or nothing for keys that type none (arrows, Home,
// Delete, function keys...). Ctrl with a letter types its control character (Ctrl+C is
// 3), whether the event carries "c" with the Control modifier or the character itself.
std::optional<QChar> typedCharacter(const QKeyEvent& event);

// Whether the money fields let a typed character through: the ten digits, the full stop
// and backspace.
bool amountAccepts(QChar c);

// Drops every typed character a money field does not take, silently; keys that type no
// character, and text the program writes, pass untouched.
class AmountKeyFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace quorra
