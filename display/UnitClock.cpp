#include "display/UnitClock.h"

#include <QLocale>

namespace {

constexpr int MinutesPerDay = 24 * 60;

} // namespace

void UnitClock::setDayBytes(QByteArrayView reply)
{
    dayBytes_[0] = reply.size() > 0 ? static_cast<std::uint8_t>(reply[0]) : 0;
    dayBytes_[1] = reply.size() > 1 ? static_cast<std::uint8_t>(reply[1]) : 0;
}

std::uint16_t UnitClock::dayWord() const
{
    return static_cast<std::uint16_t>(dayBytes_[0] | (dayBytes_[1] << 8));
}

int UnitClock::takeMinuteByte(std::uint8_t minuteInBlock)
{
    const int minutes = MINUTES_PER_BLOCK * (dayWord() & 7) + minuteInBlock;
    dayBytes_[0] = dayBytes_[1] = 0;
    return minutes;
}

QString UnitClock::formatTimeOfDay(const QTime& time)
{
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    const QLocale locale;
    const QString marker = time.hour() < 12 ? locale.amText() : locale.pmText();
    return QStringLiteral("%1:%2 %3")
        .arg(hour12)
        .arg(time.minute(), 2, 10, QLatin1Char('0'))
        .arg(marker);
}

QString UnitClock::formatMinutesAfterMidnight(int minutes)
{
    // A minute byte beyond its block could point past midnight; the clock face wraps.
    const int ofDay = ((minutes % MinutesPerDay) + MinutesPerDay) % MinutesPerDay;
    return formatTimeOfDay(QTime(ofDay / 60, ofDay % 60));
}

QString UnitClock::dayAndTimeText(int day, int minutes)
{
    return QStringLiteral("day %1, %2").arg(day).arg(formatMinutesAfterMidnight(minutes));
}

QString UnitClock::unitTimeTitle()
{
    return QStringLiteral("Unit Time");
}

QString UnitClock::pcTimeTitle()
{
    return QStringLiteral("PC Time");
}
