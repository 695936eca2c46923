#include "display/LiveDisplay.h"

#include "config/Settings.h"
#include "display/OptionsApply.h"
#include "link/CUnitLink.h"
#include "link/UnitSearch.h"
#include "logged/DownloadSequence.h"
#include "resources/StringTable.h"

LiveDisplay::LiveDisplay(CUnitLink& link, Settings& settings, PromptService& prompts,
                         QObject* parent)
    : QObject(parent), link_(link), settings_(settings), items_(StringTable::builtIn()),
      poll_(link, items_, settings, prompts, this), download_(link, prompts, &poll_, this)
{
    takeLinkBack();
    download_.setLogClearer(
        [this] { return poll_.sendResetCode(DownloadSequence::CLEAR_PERIODIC_LOG); });
    connect(&poll_, &CPollCycle::downloadFinished, &download_, &DownloadRunner::complete);
    connect(&poll_, &CPollCycle::statusRefreshed, &download_, &DownloadRunner::checkLink);
    connect(&download_, &DownloadRunner::runningChanged, this, &LiveDisplay::followDownload);
}

LiveDisplay::~LiveDisplay() = default;

// While a download runs its replies and write acknowledgements go to it.
void LiveDisplay::followDownload(bool running)
{
    if (running)
        poll_.setDownloadReceiver(
            [this](int count, LinkRequest* request) { download_.takeReply(count, request); });
    else
        poll_.setDownloadReceiver({});
}

void LiveDisplay::takeLinkBack()
{
    link_.SetOwner(&poll_);
}

void LiveDisplay::buildItems(RgbColor textColor)
{
    LiveItemSettings table = OptionsApply::liveItemSettings(settings_);
    table.textColor = textColor;
    items_.build(table);
    poll_.refreshPollFlags();
}

void LiveDisplay::searchPortsShowing(ProbeStatus showProbe)
{
    poll_.setUnitSearch([this, showProbe] {
        UnitSearch search(UnitSearch::Caller::MainWindow, showProbe);
        return search.SearchUnit(link_.ports().list(), link_) != 0;
    });
}

void LiveDisplay::applySettings(const Settings& chosen)
{
    OptionsApply::apply(chosen, settings_, link_, items_);
}

bool LiveDisplay::takeProgrammingResult(std::uint16_t battery1, std::uint16_t battery2,
                                        const QString& volt2Label)
{
    poll_.setBatteryCapacities(battery1, battery2);
    if (volt2Label == items_.settings().voltLabels[1])
        return false;
    LiveItemSettings table = items_.settings();
    table.voltLabels[1] = volt2Label;
    items_.build(table);
    poll_.refreshPollFlags();
    return true;
}

void LiveDisplay::collectSettings()
{
    settings_.comPort = link_.GetComPort();
    settings_.serialTimeouts = link_.GetSerialTimeouts();
    const LiveItemSettings& table = items_.settings();
    settings_.voltLabels = table.voltLabels;
    settings_.ampLabels = table.ampLabels;
    settings_.ahrLabels = table.ahrLabels;
    for (std::size_t i = 0; i < settings_.shunts.size(); ++i)
        settings_.shunts[i] = static_cast<std::uint8_t>(table.shunts[i]);
}
