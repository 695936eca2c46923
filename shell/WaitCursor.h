#pragma once

// Shows the wait cursor for its lifetime when a graphical application is running; does nothing
// without one. show() is the busy indicator the main window hands the link.
class WaitCursor {
public:
    WaitCursor() { show(true); }
    ~WaitCursor() { show(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    static void show(bool busy);
};
