#include "cli/TerminalProgress.h"

#include "logged/DownloadProgress.h"

void TerminalProgress::show(const DownloadProgress& progress)
{
    if (!enabled_)
        return;
    const int maximum = std::max(progress.maximum, 1);
    const int filled = std::clamp(progress.position * BarWidth / maximum, 0, BarWidth);
    const QString line = QStringLiteral("%1 [%2%3] %4/%5")
                             .arg(progress.text.leftJustified(45))
                             .arg(QString(filled, u'#'))
                             .arg(QString(BarWidth - filled, u' '))
                             .arg(progress.position)
                             .arg(progress.maximum);
    // A shorter line must wipe out the rest of the longer one before it.
    err_ << '\r' << line.leftJustified(drawnWidth_);
    err_.flush();
    drawnWidth_ = std::max(drawnWidth_, line.size());
}

void TerminalProgress::finish()
{
    if (!enabled_ || drawnWidth_ == 0)
        return;
    err_ << '\n';
    err_.flush();
    drawnWidth_ = 0;
}
