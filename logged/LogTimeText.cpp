#include "logged/LogTimeText.h"

#include <QDateTime>

QString LogTimeText::format(qint64 calendarSeconds) const
{
    const QDateTime time = zone_ ? QDateTime::fromSecsSinceEpoch(calendarSeconds, *zone_)
                                 : QDateTime::fromSecsSinceEpoch(calendarSeconds);
    return time.toString(QStringLiteral("MM/dd/yyyy HH:mm:ss"));
}
