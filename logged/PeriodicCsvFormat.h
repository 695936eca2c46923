#pragma once

#include "config/Settings.h"
#include "logged/LogTimeText.h"

#include <QLatin1String>
#include <QString>
#include <algorithm>
#include <array>

// The fixed texts of a periodic file's header, which the reader looks for again.
namespace PeriodicCsvTexts {
inline constexpr QLatin1String DateTime{"Date Time"};
// One header cell for the two temperature columns, which a reader splits at its comma.
inline constexpr QLatin1String Temperatures{"Tmax(F), Tmin(F)"};
inline constexpr QLatin1String TempMax{"Tmax(F)"};
inline constexpr QLatin1String TempMin{"Tmin(F)"};
// The charged flag of each battery, in all-columns and in selected-columns files.
inline constexpr QLatin1String Battery1GotCharged{"Batt. 1 got charged"};
inline constexpr QLatin1String Battery2GotCharged{"Batt. 2 got charged"};
inline constexpr QLatin1String Charged1{"Charged 1"};
inline constexpr QLatin1String Charged2{"Charged 2"};
// What a row has where its record lacks an item.
inline constexpr QLatin1String Absent{"-X-"};
} // namespace PeriodicCsvTexts

// How the periodic records are laid out in a data file: the column mode, which batteries
// have state-of-charge columns, how the charged flag is written and the column labels (the
// first ten report labels).
struct PeriodicCsvFormat {
    static constexpr int LabelCount = ReportLabelsInUse;

    // The configuration's default report labels that the export uses.
    static std::array<QString, LabelCount> defaultLabels()
    {
        const std::array<QString, ReportLabelCount> all = defaultReportLabels();
        std::array<QString, LabelCount> used;
        std::copy_n(all.begin(), LabelCount, used.begin());
        return used;
    }

    // Every item has its columns, "-X-" where a record lacks it. Otherwise only
    // the items of the first record.
    bool allColumns = true;
    // Bit 0: battery 1 has a capacity set (the unit's battery-1 word is non-zero); bit 1 the
    // same for battery 2.
    int batteryMask = 0;
    // Write a charged battery as 100 instead of 1.
    bool chargedAs100 = false;
    std::array<QString, LabelCount> labels = defaultLabels();
    LogTimeText timeText;
};
