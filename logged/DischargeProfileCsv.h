#pragma once

#include "logged/CIntData.h"

#include <QLatin1String>
#include <QString>
#include <span>

// The text of a battery's discharge profile file.
class DischargeProfileCsv {
public:
    static constexpr QLatin1String Header{"Day of Month,Percent Full,Filtered Volts,Filtered Amps"};

    static QString fileText(std::span<CIntData* const> entries);
};
