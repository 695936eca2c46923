#pragma once

// Shows the wait cursor for its lifetime when a graphical application is running; does nothing
// in the command-line program and in tests without a GUI.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool shown_ = false;
};
