#pragma once

#include "link/LinkReceiver.h"
#include "programming/ParameterTable.h"
#include "programming/SettingsRecords.h"

#include <QDialog>
#include <QHash>
#include <QStringList>
#include <cstdint>
#include <functional>

class CUnitLink;
class PromptService;
class QPushButton;

// "Program Modes": the entry to programming the unit. One button per parameter group opens its
// dialog over the menu's parameter table; the menu owns the link's notifications while it is
// open, checks the unit's acknowledgement of every parameter write, keeps track of which
// battery is present and enables the battery buttons by it.
class CProgramModesMenu : public QDialog, public LinkReceiver {
public:
    // What the main window takes back when the menu has closed.
    struct Result {
        std::uint16_t battery1Capacity = 0;
        std::uint16_t battery2Capacity = 0;
        bool battery1Present = false;
        bool battery2Present = false;
        QString volt2Label;
    };

    // Runs the menu modally. liveItemNames: the display names of the live item table, indexed
    // by item number (0 = none .. 40 = AD40). The capacities are the unit's words as the main
    // window knows them; a non-zero one marks its battery present.
    static Result Run(CUnitLink& link, const QStringList& liveItemNames,
                      std::uint16_t battery1Capacity, std::uint16_t battery2Capacity,
                      const QString& volt2Label, float firmwareVersion, PromptService& prompts,
                      QWidget* parent);

    CProgramModesMenu(CUnitLink& link, const QStringList& liveItemNames,
                      std::uint16_t battery1Capacity, std::uint16_t battery2Capacity,
                      const QString& volt2Label, float firmwareVersion, PromptService& prompts,
                      QWidget* parent = nullptr);

    bool event(QEvent* event) override { return handleLinkEvent(event) || QDialog::event(event); }

    Result handBack() const { return result_; }

    // Asks for a settings file, one to write when saving and one to read when restoring; empty
    // when the user cancelled. The platform's file dialogs unless a test sets another.
    using SettingsFileChooser = std::function<QString(QWidget* parent, bool forSaving)>;
    static SettingsFileChooser platformFileChooser();
    void setFileChooser(SettingsFileChooser chooser) { chooseFile_ = std::move(chooser); }

    void onTcpReply(int count, LinkRequest* request) override;
    void onSerialReply(int count, LinkRequest* request) override;
    void onTcpStatus(int) override {}
    void onSerialStatus() override {}

private:
    struct Entry;

    // The menu's button with this caption, or none.
    QPushButton* button(const QString& caption) const { return buttons_.value(caption); }
    void buildButtons();
    void applyBatteryRules();
    void checkAcknowledgement(int count, const LinkRequest& request);

    void openSwitchItems(int slot);
    void openLabels(int slot);
    void openShunts(int slot);
    void openCapacity(int slot);
    void openLowAlarm(int slot);
    void openHighAlarm(int slot);
    void openChargeCriteria(int slot);
    void openRelay(int slot);
    void openTimeDay(int slot);
    void openReset(int slot);
    void openNetwork(int slot);
    // "Save Settings to File..." and "Load Defaults from File...", which name no slot.
    void saveSettings(int);
    void restoreSettings(int);
    void takeRestoredCapacities(const QList<SettingsRecords::Kept>& written);
    template <class Dialog> void openDialog(int slot);

    CUnitLink& link_;
    PromptService& prompts_;
    QStringList liveItemNames_;
    float firmwareVersion_;
    ParameterTable table_;
    Result result_;
    QHash<QString, QPushButton*> buttons_;
    SettingsFileChooser chooseFile_ = platformFileChooser();
};
