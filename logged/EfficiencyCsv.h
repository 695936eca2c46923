#pragma once

#include "logged/CEffData.h"
#include "logged/LogTimeText.h"

#include <QString>
#include <span>

// The text of a battery's cycle efficiency file: the header (string 1505 with the number of
// averaged cycles), then one row per record from the second on.
class EfficiencyCsv {
public:
    static QString fileText(std::span<CEffData* const> records, int averagedCycles,
                            const LogTimeText& timeText);

private:
    static QString row(const CEffData& record, const LogTimeText& timeText);
};
