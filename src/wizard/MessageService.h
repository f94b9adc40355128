#pragma once

#include <QString>

namespace quorra {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Information, Question };
enum class MessageAnswer { Ok, Yes, No };

// Modal message boxes: the only way the program tells the user something or asks.
class MessageService {
public:
    virtual ~MessageService() = default;
    // Shows a modal box with the title, the text (lines end with CR LF), the buttons and
    // the icon, and returns the button that closed it.
    virtual MessageAnswer show(const QString& title, const QString& text, MessageButtons buttons,
                               MessageIcon icon) = 0;
};

} // namespace quorra
