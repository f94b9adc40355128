#pragma once

namespace quorra {

// The application-wide mouse pointer.
class CursorService {
public:
    virtual ~CursorService() = default;
    // Shows the wait (hourglass) pointer over every window of the program.
    virtual void setWaitCursor() = 0;
    // Puts the default pointer back.
    virtual void restoreCursor() = 0;
};

} // namespace quorra
