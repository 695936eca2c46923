// Any log memory and any setup replies through every decoder and data-file builder, as a
// download hands them over. The input: the periodic pointer (4 bytes), the discharge-profile
// pointer (3), the two battery words (2 each), an options byte, the averaging cycles (signed
// byte), then the unit's log memory from address 0 (missing bytes are 0).
#include "config/Settings.h"
#include "logged/CLoggedData.h"
#include "logged/DischargeProfileCsv.h"
#include "logged/EfficiencyCsv.h"
#include "logged/PeriodicCsv.h"

#include <QTimeZone>
#include <cstdlib>
#include <tuple>

namespace {

using Log = CLoggedData::Log;

// Restated: the most records each log's memory holds.
constexpr int MostPeriodicRecords = 1392;
constexpr int MostEfficiencyRecords = 224;
constexpr int MostDischargeProfileEntries = 756;
constexpr int MemorySize = 0x4000;
constexpr int SetupSize = 13;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

QString allFileTexts(const CLoggedData& data, std::uint8_t options)
{
    const LogTimeText utc(QTimeZone::utc());
    PeriodicCsvFormat format;
    format.allColumns = (options & 1) != 0;
    format.chargedAs100 = (options & 2) != 0;
    format.batteryMask = data.batteryMask();
    format.timeText = utc;
    const PeriodicCsv periodic(format);
    QString texts = periodic.fileText(data.periodic());
    if (!data.periodic().empty())
        texts +=
            periodic.header(data.periodic().front()->itemFlags) + periodic.rows(data.periodic());
    for (int battery = 1; battery <= 2; ++battery) {
        texts += EfficiencyCsv::fileText(data.efficiency(battery), data.averagingCycles(), utc);
        texts += DischargeProfileCsv::fileText(data.dischargeProfile(battery));
    }
    return texts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    QByteArray input(reinterpret_cast<const char*>(bytes), qsizetype(size));
    input = input.leftJustified(SetupSize + MemorySize, '\0', true);
    const QByteArray memory = input.mid(SetupSize);
    const std::uint8_t options = std::uint8_t(input[11]);
    Settings settings;
    settings.avgCycles = static_cast<std::int8_t>(input[12]);
    CLoggedData data;
    data.captureOptions(settings);
    data.setUnitBaseTime(1767225600 + (options >> 2) * 86400LL * 97);
    require(data.takePeriodicPointer(input.mid(0, 4)) &&
            data.takeDischargeProfilePointer(input.mid(4, 3)) &&
            data.takeEfficiencyIndexes(memory.mid(0x2F00, 256)) &&
            data.takeBatteryWord(1, input.mid(7, 2)) && data.takeBatteryWord(2, input.mid(9, 2)));
    for (const auto& [log, address, length] :
         {std::tuple{Log::Periodic, 0x0300, 7424}, std::tuple{Log::DischargeProfile, 0x2000, 4096},
          std::tuple{Log::Battery1Efficiency, 0x3000, 2048},
          std::tuple{Log::Battery2Efficiency, 0x3800, 2048}}) {
        data.area(log).storeAt(std::uint16_t(address), memory.mid(address, length));
        data.decodeArea(log);
    }
    require(data.periodicCount() <= MostPeriodicRecords);
    require(data.efficiencyCount(1) <= MostEfficiencyRecords &&
            data.efficiencyCount(2) <= MostEfficiencyRecords);
    require(data.dischargeProfileCount(1) + data.dischargeProfileCount(2) <=
            MostDischargeProfileEntries);
    allFileTexts(data, options);
    data.reverseRecordOrder();
    allFileTexts(data, options);
    return 0;
}
