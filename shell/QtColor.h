#pragma once

#include "resources/RgbColor.h"

#include <QColor>

// The program's colour values as widgets take them, and back.
namespace QtColor {

QColor from(RgbColor rgb);
RgbColor toRgb(const QColor& colour);

} // namespace QtColor
