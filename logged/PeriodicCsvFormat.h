#pragma once

#include "logged/LogTimeText.h"

#include <QString>
#include <array>

// How the periodic records are laid out in a data file: the column mode (PDATASAVE), which
// batteries have state-of-charge columns, how the charged flag is written (CHARGEDVALUE) and
// the column labels (Label0..Label9).
struct PeriodicCsvFormat {
    static constexpr int LabelCount = 10;

    // PDATASAVE 0: every item has its columns, "-X-" where a record lacks it. Otherwise only
    // the items of the first record.
    bool allColumns = true;
    // Bit 0: battery 1 has a capacity set (the unit's battery-1 word is non-zero); bit 1 the
    // same for battery 2.
    int batteryMask = 0;
    // CHARGEDVALUE: write a charged battery as 100 instead of 1.
    bool chargedAs100 = false;
    std::array<QString, LabelCount> labels{QStringLiteral("AD13: Ahr 1"),
                                           QStringLiteral("AD14: Ahr 2"),
                                           QStringLiteral("AD15: Ahr 3"),
                                           QStringLiteral("AD20: Whr 1"),
                                           QStringLiteral("AD21: Whr 2"),
                                           QStringLiteral("AD3: Volts 1"),
                                           QStringLiteral("AD10: Amps 1"),
                                           QStringLiteral("AD4: Volts 2"),
                                           QStringLiteral("AD22: Battery #1: %Full"),
                                           QStringLiteral("AD23: Battery #2: %Full")};
    LogTimeText timeText;
};
