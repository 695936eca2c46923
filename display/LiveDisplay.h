#pragma once

#include "display/CLiveItemTable.h"
#include "display/CPollCycle.h"
#include "logged/DownloadRunner.h"

#include <QObject>
#include <QString>
#include <functional>

class CUnitLink;
class PromptService;
struct Settings;

// The live display's conversation with the unit, without a widget: the live item table, the
// poll cycle as the link's owner and at most one running download. The poll cycle hands the
// download its replies, the link's status changes and its completion, and writes the command
// that clears the unit's periodic log for it. The main window shows it and the command line
// downloads through it; the link and the settings stay their owner's.
class LiveDisplay : public QObject {
    Q_OBJECT

public:
    // What the automatic search shows while it tries a port.
    using ProbeStatus = std::function<void(const QString& text, RgbColor colour)>;

    LiveDisplay(CUnitLink& link, Settings& settings, PromptService& prompts,
                QObject* parent = nullptr);
    ~LiveDisplay() override;

    CUnitLink& link() const { return link_; }
    Settings& settings() const { return settings_; }
    CLiveItemTable& items() { return items_; }
    CPollCycle& poll() { return poll_; }
    DownloadRunner& download() { return download_; }

    // The live item table from the settings with texts in textColor; the slots' items polled.
    void buildItems(RgbColor textColor);
    // The automatic search tries the link's ports in turn.
    void searchPortsShowing(ProbeStatus showProbe);
    // After a dialog that used the link: the poll cycle owns it again.
    void takeLinkBack();
    // The settings of an "Options" sheet closed with OK (see OptionsApply::apply).
    void applySettings(const Settings& chosen);
    // The Program Modes menu closed: the capacities and the Volts 2 label it hands back. True
    // when the label changed, and with it the live item table.
    bool takeProgrammingResult(std::uint16_t battery1, std::uint16_t battery2,
                               const QString& volt2Label);
    // What the configuration file keeps of the link (the port a search found, the time-outs)
    // and of the table (the unit's channel names, battery words and shunt types) goes back into
    // the settings.
    void collectSettings();

private:
    void followDownload(bool running);

    CUnitLink& link_;
    Settings& settings_;
    CLiveItemTable items_;
    CPollCycle poll_;
    DownloadRunner download_;
};
