#pragma once

#include "config/CConfiguration.h"
#include "config/Settings.h"
#include "display/CLiveItemTable.h"
#include "display/CNotesLog.h"
#include "display/ui/MainDlgLayout.h"
#include "link/CUnitLink.h"

#include <QDate>
#include <QDialog>
#include <functional>
#include <memory>

class CPollCycle;
class DownloadCommand;
class PromptService;
struct StatusLine;

// The program's main window: connects to the unit, shows six live values, the battery status,
// the efficiency figures and the clocks, and starts every other activity. It owns the link,
// the live item table, the settings, the poll cycle and the notes.
class CMainDlg : public QDialog {
public:
    CMainDlg(PromptService& prompts, ConfigFolders folders, QWidget* parent = nullptr);
    ~CMainDlg() override;

    // Loads the configuration and the notes and sets every control up; false when the
    // configuration asks the program to end.
    bool OnInitDialog();

    // For tests: the date a new note is stamped with.
    void setToday(std::function<QDate()> today) { today_ = std::move(today); }

    const MainDlgLayout& controls() const { return *ui_; }
    CPollCycle& pollCycle() { return *poll_; }
    CUnitLink& link() { return link_; }
    const Settings& settings() const { return settings_; }
    CLiveItemTable& items() { return items_; }
    DownloadCommand& downloadCommand() { return *download_; }

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void connectControls();
    void connectPollCycle();
    void setupSlots();
    void showSlot(int slot);
    void showSlotValues();
    void showSlotLabels();
    void showStatusLine(const StatusLine& line);
    void refreshButtons();
    void showStatusRows();
    void showEfficiency();
    void enableEfficiencyFields();
    void enableLiveFields(bool running);

    void OnConnect(bool pressed);
    void OnStartDisplay(bool pressed);
    void OnDownload();
    void followDownload(bool running);
    void OnChooseItem(int slot);
    void OnReset(int slot);
    void OnEfficiencyChoice(int controlId);
    void OnAbout();
    void OnOptions();
    void OnProgram();
    void OnAddNote();
    void saveNotes();
    void saveConfiguration();

    PromptService& prompts_;
    CConfiguration configuration_;
    CUnitLink link_;
    CLiveItemTable items_;
    Settings settings_;
    std::unique_ptr<MainDlgLayout> ui_;
    std::unique_ptr<CPollCycle> poll_;
    std::unique_ptr<DownloadCommand> download_;
    std::unique_ptr<CNotesLog> notes_;
    std::function<QDate()> today_;
    bool addingNote_ = false;
    bool closed_ = false;
};
