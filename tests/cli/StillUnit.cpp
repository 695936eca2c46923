#include "tests/cli/StillUnit.h"

StillUnit::StillUnit(int day, int minuteOfDay) : unit(day, minuteOfDay)
{
    adapter.listen(0, nullptr);
}

QString StillUnit::address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(adapter.port());
}

QStringList StillUnit::withTcp(QStringList arguments) const
{
    return arguments << QStringLiteral("--tcp") << address();
}
