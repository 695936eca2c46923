#pragma once

#include "resources/RgbColor.h"

#include <QString>
#include <optional>

// The main window's link status line ("Comm Status"): text and colours for the link's state.
struct StatusLine {
    QString text;
    RgbColor textColor{0};
    // Empty: the platform's button-face colour.
    std::optional<RgbColor> background;

    // The line for a link state and error code (the error code is the id of its text).
    static StatusLine forLink(int linkState, int errorCode);
    // What the line says before the window has tried the link.
    static StatusLine notConnected();

    friend bool operator==(const StatusLine&, const StatusLine&) = default;
};
