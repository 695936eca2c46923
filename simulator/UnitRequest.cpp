#include "simulator/UnitRequest.h"

QString UnitRequest::describe() const
{
    static constexpr const char* names[] = {"READ", "BULK", "WRITE"};
    return QStringLiteral("%1 0x%2 %3")
        .arg(QLatin1String(names[static_cast<int>(kind)]))
        .arg(address, 2, 16, QLatin1Char('0'))
        .arg(count)
        .toUpper()
        .replace(QLatin1String("0X"), QLatin1String("0x"));
}
