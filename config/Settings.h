#pragma once

#include "config/PortType.h"
#include "config/SerialTimeouts.h"

#include <QString>
#include <array>
#include <cstdint>

// TEMPOPTION holds the control id of the chosen temperature radio button.
inline constexpr int TEMPOPTION_CENTIGRADE = 1152;
inline constexpr int TEMPOPTION_FAHRENHEIT = 1153;
// EFFDISPLAY holds the control id of the chosen efficiency radio button.
inline constexpr int EFFDISPLAY_OFF = 1041;
inline constexpr int EFFDISPLAY_BATTERY1 = 1056;
inline constexpr int EFFDISPLAY_BATTERY2 = 1057;
// DISPUPDATE is an index.
inline constexpr int DISPUPDATE_SLOW = 0;
inline constexpr int DISPUPDATE_MEDIUM = 1;
inline constexpr int DISPUPDATE_FAST = 2;

// The name the unit's network adapter leaves the factory with.
inline constexpr char16_t DefaultAdapterName[] = u"ZELTRAVANIC1";

inline constexpr int ReportLabelCount = 16;
// Only the first ten report labels are used and read back; all sixteen are written.
inline constexpr int ReportLabelsInUse = 10;

// The column labels of the periodic export before the user sets them; the unused ones are empty.
std::array<QString, ReportLabelCount> defaultReportLabels();

// An IPv4 address held with its first octet in the most significant byte, as "%d.%d.%d.%d".
QString dottedAddress(std::uint32_t address);

// Every setting of the configuration file, with its default. A plain value: the main window
// keeps one, and the options pages work on copies of it.
struct Settings {
    // How the unit is reached.
    int portType = PORT_SERIAL;
    int comPort = 1;
    int autoPollSerialPort = 0;
    SerialTimeouts serialTimeouts;
    // The network adapter's IPv4 address, first octet in the most significant byte.
    std::uint32_t ipAddress = 0;
    std::uint32_t listenPort = 0;
    int useNetBios = 1;
    QString netBiosName = QString::fromUtf16(DefaultAdapterName);

    int tempOption = TEMPOPTION_CENTIGRADE;
    int clearLogData = 0;
    int autoSyncTime = 0;
    // Kept only to be written back; nothing uses them.
    int enablePassword = 0;
    QString password;

    int runCustomLabelsDlg = 1;
    int avgCycles = 5;
    int effDisplay = EFFDISPLAY_OFF;
    int dispUpdate = DISPUPDATE_MEDIUM;
    int dataOrder = 0;
    int pDataSave = 0;
    int chargedValue = 0;

    int useWattColor = 1;
    int useAmpColor = 1;
    int usePerColor = 1;
    int useTempColor = 1;
    int useVoltColor = 1;
    // Colours with red in the low byte, then green, then blue.
    std::uint32_t rgbLow = 255;    // red
    std::uint32_t rgbHigh = 32768; // dark green
    float voltThreshold = 12.0f;
    float perThreshold = 50.0f;
    float tempThreshold = 32.0f;

    // Live item number shown in display slots 1..6; 0 = none.
    std::array<int, 6> dispData{};
    // DATAPATH; its default depends on the user's documents folder, so loading sets it.
    QString dataPath;
    std::array<std::uint8_t, 3> shunts{1, 1, 1};
    int useDefaultLabels = 1;
    std::array<QString, 2> voltLabels{QStringLiteral("Volt 1"), QStringLiteral("Volt 2")};
    std::array<QString, 3> ampLabels{QStringLiteral("Amp 1"), QStringLiteral("Amp 2"),
                                     QStringLiteral("Amp 3")};
    std::array<QString, 2> ahrLabels{QStringLiteral("AHr 1"), QStringLiteral("AHr 2")};
    // Column labels of the periodic export.
    std::array<QString, ReportLabelCount> reportLabels = defaultReportLabels();

    int singleFilePd = 0;
    QString singlePdFileName;
    int dwnldPeriodic = 1;
    int dwnldEfficiency = 1;
    // Kept under the key DWNLDINTERVAL: whether a download fetches the discharge profile.
    int dwnldDischargeProfile = 1;

    // What the link connects to over TCP: the adapter's name when USENETBIOS is set, otherwise
    // the address as "%d.%d.%d.%d", most significant byte first.
    QString hostText() const;

    friend bool operator==(const Settings&, const Settings&) = default;
};
