#include "cli/UnitConnection.h"
#include "link/CUnitLink.h"
#include "resources/PromptService.h"

#include <QProcess>
#include <benchmark/benchmark.h>

namespace {

class SilentPrompt : public PromptService {
public:
    PromptAnswer ask(const Prompt&) override { return PromptAnswer::Ok; }
};

// The simulator as a network adapter that answers every request 200 ms late.
class SlowAdapter {
public:
    quint16 start()
    {
        process_.start(QStringLiteral(ZELTRAVANIC_SIM),
                       {QStringLiteral("--tcp"), QStringLiteral("0"), QStringLiteral("--latency"),
                        QStringLiteral("200")});
        if (!process_.waitForStarted(5000) || !process_.waitForReadyRead(10000))
            return 0;
        const QByteArray line = process_.readLine().trimmed();
        return line.startsWith("tcp ") ? line.mid(line.lastIndexOf(':') + 1).toUShort() : 0;
    }
    ~SlowAdapter()
    {
        process_.terminate();
        process_.waitForFinished(5000);
    }

private:
    QProcess process_;
};

// The command line's wait for a reply over TCP: the CPU time it takes should be a small part of
// the time it waits.
void BM_CliWaitsForASlowReplyOverTcp(benchmark::State& state)
{
    SlowAdapter adapter;
    const quint16 port = adapter.start();
    SilentPrompt prompts;
    CUnitLink link(prompts, ComPortDirectory());
    link.SetPortType(PORT_TCP);
    link.SetHost(QStringLiteral("127.0.0.1"), port);
    UnitConnection connection(link);
    if (port == 0 || !connection.connectUnit()) {
        state.SkipWithError("the simulator did not start");
        return;
    }
    for (auto _ : state) {
        if (!connection.read(0xF6, 2)) {
            state.SkipWithError("no reply");
            return;
        }
    }
}

} // namespace

BENCHMARK(BM_CliWaitsForASlowReplyOverTcp)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
