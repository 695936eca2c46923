#pragma once

#include "logged/CIntData.h"

#include <QString>
#include <span>

// The text of a battery's discharge profile file.
class DischargeProfileCsv {
public:
    static QString fileText(std::span<CIntData* const> entries);
};
