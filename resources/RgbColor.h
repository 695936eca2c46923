#pragma once

#include <QtGlobal>

// A colour as the unit's program stores it (the colours below and above the thresholds): 32 bits
// with red in the low byte, then green, then blue. A plain value: widgets take it as a QColor at
// the edge (shell/QtColor.h).
struct RgbColor {
    quint32 value = 0;

    static constexpr RgbColor fromRgb(int red, int green, int blue)
    {
        return RgbColor{
            static_cast<quint32>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16))};
    }

    constexpr int red() const { return static_cast<int>(value & 0xFF); }
    constexpr int green() const { return static_cast<int>((value >> 8) & 0xFF); }
    constexpr int blue() const { return static_cast<int>((value >> 16) & 0xFF); }

    friend constexpr bool operator==(RgbColor, RgbColor) = default;
};
