// Any log memory and setup replies through every decoder and data-file builder, as a download
// hands them over; the counts never pass what the logs' memory holds. The input: the periodic
// pointer (4 bytes), the discharge-profile pointer (3), the two battery words (2 each), an
// options byte, the averaging cycles (signed), then the log memory from address 0 (0 beyond).
#include "config/Settings.h"
#include "logged/CLoggedData.h"
#include "logged/DischargeProfileCsv.h"
#include "logged/EfficiencyCsv.h"
#include "logged/PeriodicCsv.h"

#include <cstdlib>
#include <tuple>

using Log = CLoggedData::Log;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size)
{
    const QByteArray input = QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(size))
                                 .leftJustified(13 + 0x4000, '\0', true);
    const QByteArray memory = input.mid(13);
    const std::uint8_t options = std::uint8_t(input[11]);
    Settings settings;
    settings.averagingCycles = static_cast<std::int8_t>(input[12]);
    CLoggedData data;
    data.captureOptions(settings);
    data.setUnitBaseTime(1767225600 + (options >> 2) * 86400LL * 97);
    data.takePeriodicPointer(input.mid(0, 4));
    data.takeDischargeProfilePointer(input.mid(4, 3));
    data.takeEfficiencyIndexes(memory.mid(0x2F00, 256));
    data.takeBatteryWord(1, input.mid(7, 2));
    data.takeBatteryWord(2, input.mid(9, 2));
    for (const auto& [log, address, length] :
         {std::tuple{Log::Periodic, 0x0300, 7424}, std::tuple{Log::DischargeProfile, 0x2000, 4096},
          std::tuple{Log::Battery1Efficiency, 0x3000, 2048},
          std::tuple{Log::Battery2Efficiency, 0x3800, 2048}}) {
        data.area(log).storeAt(std::uint16_t(address), memory.mid(address, length));
        data.decodeArea(log);
    }
    // Restated: 1392 periodic records, 224 efficiency records a battery, 756 profile entries.
    if (data.periodicCount() > 1392 || data.efficiencyCount(1) > 224 ||
        data.efficiencyCount(2) > 224 ||
        data.dischargeProfileCount(1) + data.dischargeProfileCount(2) > 756)
        std::abort();
    if (options & 1)
        data.reverseRecordOrder();
    PeriodicCsvFormat format;
    format.allColumns = (options & 2) != 0;
    format.batteryMask = data.batteryMask();
    PeriodicCsv(format).fileText(data.periodic());
    for (int battery = 1; battery <= 2; ++battery) {
        EfficiencyCsv::fileText(data.efficiency(battery), data.averagingCycles(), format.timeText);
        DischargeProfileCsv::fileText(data.dischargeProfile(battery));
    }
    return 0;
}
