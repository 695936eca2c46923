#pragma once

#include <QString>
#include <QTextStream>

struct DownloadProgress;

// The download's progress window on a terminal: its text line and a bar, redrawn in place on
// one line of the error stream. Off when the stream is not a terminal (a cron job's log).
class TerminalProgress {
public:
    static constexpr int BarWidth = 30;

    TerminalProgress(QTextStream& err, bool enabled) : err_(err), enabled_(enabled) {}

    void show(const DownloadProgress& progress);
    // Ends the bar's line, so that what follows starts on a line of its own.
    void finish();

private:
    QTextStream& err_;
    bool enabled_;
    qsizetype drawnWidth_ = 0;
};
