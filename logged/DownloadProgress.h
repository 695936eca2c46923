#pragma once

#include <QString>

// What the progress window shows: the text line above the bar, and the bar's range 0..maximum
// and position.
struct DownloadProgress {
    QString text;
    int maximum = 0;
    int position = 0;

    friend bool operator==(const DownloadProgress&, const DownloadProgress&) = default;
};
