#pragma once

#include <QString>

namespace quorra {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information, Question };
// Dismissed: the box was closed by Escape or its close button without an answer.
enum class MessageAnswer { Ok, Yes, No, Dismissed };

// Modal message boxes: the only way the program tells the user something or asks.
class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows a modal box with the title, the text (lines end with CR LF), the buttons and
    // the icon, and returns the button that closed it; Enter answers Yes (or Ok). Escape and
    // the close button return onEscape, which a question sets to its harmless answer.
    virtual MessageAnswer show(const QString& title, const QString& text, MessageButtons buttons,
                               MessageIcon icon, MessageAnswer onEscape = MessageAnswer::Ok) = 0;
};

} // namespace quorra
