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

// Every setting of the configuration file. A plain value: the main window keeps one, and the
// options pages work on copies of it. A new one holds the defaults of the key table
// (SettingsKeys.cpp), which also says under which key the file keeps each setting.
struct Settings {
    Settings();

    // How the unit is reached.
    int portType;
    int comPort;
    int autoPollSerialPort;
    // A lost unit is reconnected by itself, with growing pauses.
    int autoReconnect;
    SerialTimeouts serialTimeouts;
    // The network adapter's IPv4 address, first octet in the most significant byte.
    std::uint32_t ipAddress;
    std::uint32_t listenPort;
    int useNetBios;
    QString netBiosName;

    int tempOption;
    int clearLogData;
    int autoSyncTime;
    // Kept only to be written back; nothing uses them.
    int enablePassword;
    QString password;

    int runCustomLabelsDlg;
    int avgCycles;
    int effDisplay;
    int dispUpdate;
    int dataOrder;
    int pDataSave;
    int chargedValue;

    int useWattColor;
    int useAmpColor;
    int usePerColor;
    int useTempColor;
    int useVoltColor;
    // Colours with red in the low byte, then green, then blue.
    std::uint32_t rgbLow;
    std::uint32_t rgbHigh;
    float voltThreshold;
    float perThreshold;
    float tempThreshold;

    // Live item number shown in display slots 1..6; 0 = none.
    std::array<int, 6> dispData;
    // The folder of the data files; its default depends on the user's documents folder, so
    // loading sets it.
    QString dataPath;
    std::array<std::uint8_t, 3> shunts;
    int useDefaultLabels;
    std::array<QString, 2> voltLabels;
    std::array<QString, 3> ampLabels;
    std::array<QString, 2> ahrLabels;
    // Column labels of the periodic export.
    std::array<QString, ReportLabelCount> reportLabels;

    int singleFilePd;
    QString singlePdFileName;
    int dwnldPeriodic;
    int dwnldEfficiency;
    // Kept under the key DWNLDINTERVAL: whether a download fetches the discharge profile.
    int dwnldDischargeProfile;

    // What the link connects to over TCP: the adapter's name when USENETBIOS is set, otherwise
    // the address as "%d.%d.%d.%d", most significant byte first.
    QString hostText() const;

    friend bool operator==(const Settings&, const Settings&) = default;
};
