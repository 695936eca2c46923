#include "shell/QtColor.h"

namespace QtColor {

QColor from(RgbColor rgb)
{
    return QColor(rgb.red(), rgb.green(), rgb.blue());
}

RgbColor toRgb(const QColor& colour)
{
    return RgbColor::fromRgb(colour.red(), colour.green(), colour.blue());
}

} // namespace QtColor
