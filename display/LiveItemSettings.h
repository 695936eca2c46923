#pragma once

#include "config/Settings.h"
#include "resources/RgbColor.h"

#include <QString>
#include <array>

// The settings that shape the live item table. The main window fills it from its configuration;
// the channel names, battery words and shunt types are replaced by the unit's own while the
// display runs, and the main window takes them back from the table for the file.
struct LiveItemSettings {
    // TEMPOPTION holds the id of the chosen temperature radio button.
    static constexpr int CENTIGRADE = 1152;
    static constexpr int FAHRENHEIT = 1153;

    int temperatureUnit = CENTIGRADE;
    RgbColor colorLow{255};    // red
    RgbColor colorHigh{32768}; // dark green
    RgbColor textColor{0};     // the platform's button-text colour; not a setting of the file
    float voltThreshold = 12.0f;
    float percentFullThreshold = 50.0f;
    float temperatureThreshold = 32.0f;

    // Clearing one of these leaves its kind of item uncoloured.
    bool voltsInColor = true;
    bool ampsInColor = true;
    bool wattsInColor = true;
    bool percentFullInColor = true;
    bool temperatureInColor = true;

    // Shunt type of current channels 1..3: 1 or 2.
    std::array<int, 3> shunts{1, 1, 1};

    std::array<QString, 2> voltLabels = labelsOf(DefaultVoltLabels);
    std::array<QString, 3> ampLabels = labelsOf(DefaultAmpLabels);
    std::array<QString, 2> ahrLabels = labelsOf(DefaultAhrLabels);
};
