#pragma once

#include "services/CursorService.h"
#include "services/MessageService.h"

namespace quorra {

// Message boxes on QMessageBox, above whatever window is up (the splash included).
class QtMessageService : public MessageService {
public:
    // Room a box leaves beside its title for the frame's icon, buttons and margins.
    static constexpr int TitleDecorationWidth = 140;

    MessageAnswer show(const QString& title, const QString& text, MessageButtons buttons, MessageIcon icon,
                       MessageAnswer onEscape = MessageAnswer::Ok) override;
};

// The application-wide wait pointer on QGuiApplication's override cursor.
class QtCursorService : public CursorService {
public:
    void setWaitCursor() override;
    void restoreCursor() override;

private:
    int m_depth = 0;
};

} // namespace quorra
