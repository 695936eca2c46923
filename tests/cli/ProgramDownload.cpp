#include "tests/cli/ProgramDownload.h"

#include "display/CLiveItemTable.h"
#include "display/CPollCycle.h"
#include "link/CUnitLink.h"
#include "logged/DownloadSequence.h"
#include "logged/ui/DownloadCommand.h"
#include "resources/StringTable.h"
#include "tests/support/EventPump.h"

#include <optional>

namespace {

constexpr int Idle = 2;
// A hang guard only.
constexpr int DownloadLimitMs = 60000;

} // namespace

DownloadResult ProgramDownload::run(const Settings& settings, const QString& folder,
                                    const QString& name)
{
    CUnitLink link(prompts, ComPortDirectory());
    link.SetPortType(PORT_TCP);
    link.SetHost(QStringLiteral("127.0.0.1"), tcpPort_);
    Settings mainSettings = settings;
    mainSettings.runCustomLabelsDlg = 0;
    CLiveItemTable items(StringTable::builtIn());
    CPollCycle poll(link, items, mainSettings, prompts);
    DownloadCommand download(link, prompts, &poll, nullptr);
    download.setValuesDialog([&](const CDownloadDlg::Values& initial, QWidget*) {
        CDownloadDlg::Values chosen = initial;
        chosen.folder = folder;
        chosen.fileName = name;
        return std::optional<CDownloadDlg::Values>(chosen);
    });
    const QDateTime pcTime = pcTime_;
    download.setClock([pcTime] { return pcTime; });
    download.setLogClearer(
        [&poll] { return poll.sendResetCode(DownloadSequence::CLEAR_PERIODIC_LOG); });
    QObject::connect(&poll, &CPollCycle::downloadFinished, &download, &DownloadCommand::complete);
    QObject::connect(&poll, &CPollCycle::statusRefreshed, &download, &DownloadCommand::checkLink);
    QObject::connect(&download, &DownloadCommand::runningChanged, [&](bool running) {
        if (running)
            poll.setDownloadReceiver([&download](int count, LinkRequest* request) {
                download.takeReply(count, request);
            });
        else
            poll.setDownloadReceiver({});
    });
    std::optional<DownloadResult> result;
    QObject::connect(&download, &DownloadCommand::finished,
                     [&result](const DownloadResult& done) { result = done; });

    link.SetOwner(&poll);
    if (link.Open() == 1 && EventPump::waitUntil([&link] { return link.GetState() == Idle; }) &&
        download.run(mainSettings))
        EventPump::waitUntil([&result] { return result.has_value(); }, DownloadLimitMs);
    // The clearing's acknowledgement, when there is one.
    EventPump::waitUntil([&link] { return link.GetState() == Idle; });
    link.Close();
    return result.value_or(DownloadResult{});
}
