#include "bench/FullLogImage.h"
#include "config/Settings.h"
#include "logged/CLoggedData.h"
#include "logged/DischargeProfileCsv.h"
#include "logged/EfficiencyCsv.h"
#include "logged/PeriodicCsv.h"

#include <QTimeZone>
#include <benchmark/benchmark.h>
#include <tuple>

namespace {

using Log = CLoggedData::Log;

const MemoryImage& image()
{
    static const MemoryImage full = FullLogImage::make();
    return full;
}

// What a download holds once its last block read has come: the four areas and the pointers.
void fill(CLoggedData& data, const MemoryImage& image)
{
    data.setUnitBaseTime(1767225600);
    data.takePeriodicPointer(image.periodicRecord);
    data.takeDischargeProfilePointer(image.dischargeRecord);
    data.takeEfficiencyIndexes(image.memory.mid(0x2F00, 256));
    data.takeBatteryWord(1, QByteArray::fromHex("c800"));
    data.takeBatteryWord(2, QByteArray::fromHex("6400"));
    for (const auto& [log, address, size] :
         {std::tuple{Log::Periodic, 0x0300, 7424}, std::tuple{Log::DischargeProfile, 0x2000, 4096},
          std::tuple{Log::Battery1Efficiency, 0x3000, 2048},
          std::tuple{Log::Battery2Efficiency, 0x3800, 2048}})
        data.area(log).storeAt(static_cast<std::uint16_t>(address),
                               image.memory.mid(address, size));
}

void decodeAll(CLoggedData& data)
{
    for (Log log :
         {Log::Periodic, Log::DischargeProfile, Log::Battery1Efficiency, Log::Battery2Efficiency})
        data.decodeArea(log);
}

void BM_DecodeFullLogImage(benchmark::State& state)
{
    const MemoryImage& full = image();
    for (auto _ : state) {
        CLoggedData data;
        fill(data, full);
        decodeAll(data);
        benchmark::DoNotOptimize(data.periodicCount());
    }
}
BENCHMARK(BM_DecodeFullLogImage)->Unit(benchmark::kMicrosecond);

void BM_DecodeFullLogImageAndBuildTheFiles(benchmark::State& state)
{
    const MemoryImage& full = image();
    const LogTimeText utc(QTimeZone::utc());
    PeriodicCsvFormat format;
    format.batteryMask = 3;
    format.timeText = utc;
    const PeriodicCsv periodic(format);
    qsizetype characters = 0;
    int records = 0;
    for (auto _ : state) {
        CLoggedData data;
        fill(data, full);
        decodeAll(data);
        QString texts = periodic.fileText(data.periodic());
        for (int battery = 1; battery <= 2; ++battery) {
            texts += EfficiencyCsv::fileText(data.efficiency(battery), 5, utc);
            texts += DischargeProfileCsv::fileText(data.dischargeProfile(battery));
        }
        characters = texts.size();
        records = data.periodicCount() + data.efficiencyCount(1) + data.efficiencyCount(2) +
                  data.dischargeProfileCount(1) + data.dischargeProfileCount(2);
        benchmark::DoNotOptimize(texts);
    }
    state.counters["records"] = records;
    state.counters["characters"] = static_cast<double>(characters);
}
BENCHMARK(BM_DecodeFullLogImageAndBuildTheFiles)->Unit(benchmark::kMicrosecond);

} // namespace
