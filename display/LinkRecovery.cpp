#include "display/LinkRecovery.h"

#include "link/CUnitLink.h"

namespace {

constexpr RgbColor Black = RgbColor::fromRgb(0, 0, 0);
constexpr RgbColor Red = RgbColor::fromRgb(255, 0, 0);
constexpr RgbColor Yellow = RgbColor::fromRgb(255, 255, 0);

} // namespace

LinkRecovery::LinkRecovery(QObject* parent) : QObject(parent)
{
    connect(&schedule_, &ReconnectSchedule::retryDue, this, &LinkRecovery::retryDue);
}

QString LinkRecovery::lostText(int pauseSeconds)
{
    return QStringLiteral("Connection lost: reconnecting in %1 s...").arg(pauseSeconds);
}

void LinkRecovery::lost(const QString& failure, bool displayWasRunning)
{
    // A loss while reconnecting keeps what the display did before the first loss.
    if (!active_)
        resumeDisplay_ = displayWasRunning;
    active_ = true;
    const int pause = schedule_.retryLater();
    QString text = lostText(pause);
    if (!failure.isEmpty())
        text += QStringLiteral(" (%1)").arg(failure);
    line_ = StatusLine{text, Red, Black};
}

void LinkRecovery::attempting(const QString& target)
{
    line_ = StatusLine{QStringLiteral("Reconnecting to %1...").arg(target), Yellow, Black};
}

bool LinkRecovery::recovered()
{
    const bool resume = active_ && resumeDisplay_;
    schedule_.reset();
    active_ = false;
    resumeDisplay_ = false;
    return resume;
}

void LinkRecovery::stop()
{
    schedule_.reset();
    active_ = false;
    resumeDisplay_ = false;
}

StatusLine LinkRecovery::statusLine(const CUnitLink& link, bool linkWanted) const
{
    if (active_)
        return line_;
    const int state = link.GetState();
    if (state == LINK_ERROR || (state == LINK_CLOSED && linkWanted)) {
        const QString failure = link.failureText();
        if (!failure.isEmpty())
            return StatusLine::failure(failure);
    }
    return StatusLine::forLink(state, link.GetError());
}
