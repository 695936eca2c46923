#include "bench/PacedSimulator.h"
#include "bench/SilentPrompt.h"
#include "link/CUnitLink.h"
#include "logged/DownloadSequence.h"
#include "simulator/Scenario.h"
#include "simulator/SimulatedUnit.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <optional>

namespace {

constexpr int ComNumber = 10;
constexpr double LineBytesPerSecond = 240.0; // 2400 baud, 10 bits a byte
constexpr int DownloadLimitMs = 600000;

struct TimedDownload {
    double seconds = 0;
    DownloadResult result;
};

// One download of every log from the paced simulator serving the image, keeping the unit's
// image in imageFolder; nothing when the simulator or the download failed.
std::optional<TimedDownload> downloadFrom(const MemoryImage& image, const QTemporaryDir& scratch,
                                          const QString& imageFolder, bool full)
{
    const QString imagePath = scratch.filePath(QStringLiteral("unit.img"));
    PacedSimulator simulator(ComNumber);
    // Both sessions start the unit's clock at the same minute, so that it never reads earlier
    // than the image kept from the first download.
    if (!MemoryImage(image).save(imagePath) ||
        !simulator.start(imagePath, {QStringLiteral("--clock"), QStringLiteral("12:00")}))
        return std::nullopt;
    SilentPrompt prompts;
    CUnitLink link(prompts, ComPortDirectory(simulator.aliasFolder()));
    simulator.attach(link);
    Settings settings;
    settings.dataFolder = scratch.path();
    DownloadJob job =
        DownloadJob::fromSettings(settings, scratch.path(), QStringLiteral("CW_Nightly"));
    job.syncTime = false;
    job.full = full;

    DownloadSequence sequence(link, prompts);
    sequence.setImageFolder(imageFolder);
    std::optional<DownloadResult> result;
    QEventLoop loop;
    QObject::connect(&sequence, &DownloadSequence::finished, [&](const DownloadResult& done) {
        result = done;
        loop.quit();
    });
    QTimer::singleShot(DownloadLimitMs, &loop, &QEventLoop::quit);
    QElapsedTimer wall;
    wall.start();
    sequence.start(job);
    if (!result)
        loop.exec();
    const double seconds = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    link.Close();
    if (!result || !result->success)
        return std::nullopt;
    return TimedDownload{seconds, *result};
}

// A month of history at the unit's factory settings is downloaded whole; the unit then runs one
// more day and the nightly download reads only what that day wrote.
void BM_NightlyIncrementalDownload(benchmark::State& state)
{
    SimulatedUnit unit;
    Scenario::apply(QStringLiteral("month"), unit);
    const MemoryImage lastNight = unit.image();
    unit.fastForward(1);
    const MemoryImage tonight = unit.image();
    QTemporaryDir scratch;
    QTemporaryDir images;

    for (auto _ : state) {
        const std::optional<TimedDownload> full =
            downloadFrom(lastNight, scratch, images.path(), true);
        const std::optional<TimedDownload> nightly =
            full ? downloadFrom(tonight, scratch, images.path(), false) : std::nullopt;
        if (!nightly || !nightly->result.incremental) {
            state.SkipWithError("the downloads failed or the second one read everything");
            return;
        }
        state.SetIterationTime(nightly->seconds);
        state.counters["full_s"] = full->seconds;
        state.counters["full_pages"] = full->result.pagesRead;
        state.counters["full_line_bytes"] = full->seconds * LineBytesPerSecond;
        state.counters["nightly_s"] = nightly->seconds;
        state.counters["nightly_pages"] = nightly->result.pagesRead;
        state.counters["nightly_line_bytes"] = nightly->seconds * LineBytesPerSecond;
        state.counters["nightly_of_full_pct"] = nightly->seconds / full->seconds * 100.0;
    }
}
BENCHMARK(BM_NightlyIncrementalDownload)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace
