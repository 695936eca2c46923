#include "resources/RgbColor.h"

#include <QColor>

QColor RgbColor::toQColor() const
{
    return QColor(red(), green(), blue());
}

RgbColor RgbColor::fromQColor(const QColor& color)
{
    return fromRgb(color.red(), color.green(), color.blue());
}
