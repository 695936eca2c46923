#include "bench/FullLogImage.h"
#include "bench/PacedSimulator.h"
#include "bench/SilentPrompt.h"
#include "link/CUnitLink.h"
#include "logged/DownloadSequence.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <optional>

namespace {

constexpr int ComNumber = 9;
constexpr double LineBytesPerSecond = 240.0; // 2400 baud, 10 bits a byte

// Every byte on the line, both ways, of a download of every log without the clock setting:
// six READs and 46 BULK READs, each a 4-byte frame, and their replies (data and checksum).
int wireBytes()
{
    const int readData = 4 + 3 + 2 + 1 + 2 + 2;
    const int bulkData = 256 + 7424 + 4096 + 2048 + 2048;
    const int requests = 6 + 1 + 29 + 8 + 4 + 4;
    return requests * 4 + readData + bulkData + requests;
}

void BM_PacedSerialDownload(benchmark::State& state)
{
    QTemporaryDir scratch;
    MemoryImage image = FullLogImage::make();
    const QString imagePath = scratch.filePath(QStringLiteral("full.img"));
    PacedSimulator simulator(ComNumber);
    if (!image.save(imagePath) || !simulator.start(imagePath)) {
        state.SkipWithError("the simulator did not start");
        return;
    }
    SilentPrompt prompts;
    CUnitLink link(prompts, ComPortDirectory(simulator.aliasFolder()));
    simulator.attach(link);
    Settings settings;
    settings.dataFolder = scratch.path();
    const DownloadJob job =
        DownloadJob::fromSettings(settings, scratch.path(), QStringLiteral("CW_Bench"));

    for (auto _ : state) {
        DownloadSequence sequence(link, prompts);
        std::optional<DownloadResult> result;
        QObject::connect(&sequence, &DownloadSequence::finished,
                         [&result](const DownloadResult& done) { result = done; });
        QElapsedTimer wall;
        wall.start();
        sequence.start(job);
        QDeadlineTimer limit(600000);
        while (!result && !limit.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        const double seconds = static_cast<double>(wall.nsecsElapsed()) / 1e9;
        if (!result || !result->success) {
            state.SkipWithError("the download failed");
            return;
        }
        state.SetIterationTime(seconds);
        const double floor = wireBytes() / LineBytesPerSecond;
        state.counters["wire_bytes"] = wireBytes();
        state.counters["floor_s"] = floor;
        state.counters["wall_s"] = seconds;
        state.counters["over_floor_pct"] = (seconds / floor - 1.0) * 100.0;
        state.counters["records"] =
            result->periodicRecords + result->efficiencyRecords + result->dischargeProfileRecords;
    }
    link.Close();
}
BENCHMARK(BM_PacedSerialDownload)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
