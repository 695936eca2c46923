#pragma once

#include <QByteArray>
#include <QList>

// A burst of bytes the unit sends, after a pause, possibly followed by hanging up.
struct Transmission {
    QByteArray bytes;
    int delayMs = 0; // after the previous burst went out (the first: after the request)
    bool closeAfter = false;
};
