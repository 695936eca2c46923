#include "config/IgnoredLinkSettings.h"
#include "config/IniDocument.h"
#include "config/PrivateProfile.h"
#include "config/Settings.h"
#include "config/SettingsKeys.h"

#include <benchmark/benchmark.h>

namespace {

// A configuration file of about `bytes` bytes: a section of lines the program does not know
// ahead of its own section, which holds as many keys it does not know, so every key looked for
// lies past half of the file and a key that is missing past all of it.
QByteArray largeFile(qint64 bytes)
{
    QByteArray file = "[Recent]\r\n";
    for (int n = 0; file.size() < bytes / 2; ++n)
        file += "File" + QByteArray::number(n) + "=/home/pat/zeltravanic/periodic.csv\r\n";
    file += "[OPTIONS]\r\nPORTTYPE=1\r\nCOMPORT=3\r\nNETBIOSNAME=SHED\r\n";
    for (int n = 0; file.size() < bytes; ++n)
        file += "OLDKEY" + QByteArray::number(n) + "=a value an older version kept\r\n";
    return file;
}

// What the program does with the file between start and exit: read every key, write every key.
void loadAndSave(benchmark::State& state)
{
    const QByteArray file = largeFile(state.range(0));
    IgnoredLinkSettings link;
    for (auto _ : state) {
        IniDocument document = IniDocument::fromBytes(file);
        PrivateProfile profile(document, SettingsKeys::Section);
        Settings settings;
        SettingsKeys::read(profile, settings, link, QStringLiteral("/data"));
        SettingsKeys::write(profile, settings);
        benchmark::DoNotOptimize(document.toBytes());
    }
    state.SetBytesProcessed(state.iterations() * file.size());
}

} // namespace

// Up to the largest file the program reads.
BENCHMARK(loadAndSave)->Arg(64 << 10)->Arg(512 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
