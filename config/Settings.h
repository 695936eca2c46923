#pragma once

#include "config/PortType.h"
#include "config/SerialTimeouts.h"

#include <QString>
#include <array>
#include <cstdint>

// The temperature unit is held as the control id of its radio button.
inline constexpr int TEMPUNIT_CENTIGRADE = 1152;
inline constexpr int TEMPUNIT_FAHRENHEIT = 1153;
// The efficiency panel's choice is held as the control id of its radio button.
inline constexpr int EFFPANEL_OFF = 1041;
inline constexpr int EFFPANEL_BATTERY1 = 1056;
inline constexpr int EFFPANEL_BATTERY2 = 1057;
// The display speed is an index.
inline constexpr int DISPSPEED_SLOW = 0;
inline constexpr int DISPSPEED_MEDIUM = 1;
inline constexpr int DISPSPEED_FAST = 2;
// The order of the logged records in the data files; any other value keeps the oldest first.
inline constexpr int RECORDS_OLDEST_FIRST = 0;
inline constexpr int RECORDS_NEWEST_FIRST = 1;

// The name the unit's network adapter leaves the factory with.
inline constexpr char16_t DefaultAdapterName[] = u"ZELTRAVANIC1";

// The channels' labels before the unit names them.
inline constexpr const char16_t* DefaultVoltLabels[] = {u"Volt 1", u"Volt 2"};
inline constexpr const char16_t* DefaultAmpLabels[] = {u"Amp 1", u"Amp 2", u"Amp 3"};
inline constexpr const char16_t* DefaultAhrLabels[] = {u"AHr 1", u"AHr 2"};

template <std::size_t N> std::array<QString, N> labelsOf(const char16_t* const (&texts)[N])
{
    std::array<QString, N> labels;
    for (std::size_t i = 0; i < N; ++i)
        labels[i] = QString::fromUtf16(texts[i]);
    return labels;
}

inline constexpr int ReportLabelCount = 16;
// Only the first ten report labels are used and read back; all sixteen are written.
inline constexpr int ReportLabelsInUse = 10;

// The column labels of the periodic export before the user sets them; the unused ones are empty.
std::array<QString, ReportLabelCount> defaultReportLabels();

// An IPv4 address held with its first octet in the most significant byte, as "%d.%d.%d.%d".
QString dottedAddress(std::uint32_t address);

// Every setting of the configuration file. A plain value: the main window keeps one, and the
// options pages work on copies of it. A new one holds the defaults of the key table
// (SettingsKeys.cpp), which also says under which key the file keeps each setting.
struct Settings {
    Settings();

    // How the unit is reached.
    int portType;
    int comPort;
    bool searchForUnitAtStartup;
    // A lost unit is reconnected by itself, with growing pauses.
    bool autoReconnect;
    SerialTimeouts serialTimeouts;
    // The network adapter's IPv4 address, first octet in the most significant byte.
    std::uint32_t ipAddress;
    std::uint32_t adapterPort;
    bool connectByAdapterName;
    QString adapterName;

    int temperatureUnit;
    bool askToClearPeriodicLog;
    bool setUnitClockOnDownload;
    // Kept only to be written back as they were read; nothing uses them.
    int passwordEnabled;
    QString password;

    bool askForLabelsBeforeDownload;
    int averagingCycles;
    int efficiencyPanel;
    int displaySpeed;
    int recordOrder;
    bool selectedColumnsOnly;
    bool chargedAs100;

    // Clearing one of these leaves its kind of live value uncoloured.
    bool wattsInColor;
    bool ampsInColor;
    bool percentFullInColor;
    bool temperatureInColor;
    bool voltsInColor;
    // Colours below and at or above the thresholds, with red in the low byte, then green, then
    // blue.
    std::uint32_t colorLow;
    std::uint32_t colorHigh;
    float voltThreshold;
    float percentFullThreshold;
    float temperatureThreshold;

    // Live item number shown in display slots 1..6; 0 = none.
    std::array<int, 6> slotItems;
    // The folder of the data files; its default depends on the user's documents folder, so
    // loading sets it.
    QString dataFolder;
    std::array<std::uint8_t, 3> shunts;
    // Handed to the logged data page and back; nothing else uses it.
    bool defaultLabelsInUse;
    std::array<QString, 2> voltLabels;
    std::array<QString, 3> ampLabels;
    std::array<QString, 2> ahrLabels;
    // Column labels of the periodic export.
    std::array<QString, ReportLabelCount> reportLabels;

    // Periodic records are also appended to this file in the data folder.
    bool appendToCumulativeFile;
    QString cumulativeFileName;
    // What the Download dialog offers to fetch.
    bool downloadPeriodicByDefault;
    bool downloadEfficiencyByDefault;
    bool downloadDischargeProfileByDefault;

    // What the link connects to over TCP: the adapter's name when connectByAdapterName is set,
    // otherwise the address as "%d.%d.%d.%d", most significant byte first.
    QString hostText() const;

    friend bool operator==(const Settings&, const Settings&) = default;
};
