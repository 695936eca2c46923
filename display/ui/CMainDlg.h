#pragma once

#include "config/CConfiguration.h"
#include "config/Settings.h"
#include "display/CNotesLog.h"
#include "display/ui/MainDlgLayout.h"
#include "link/CUnitLink.h"

#include <QDate>
#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>

class CHistoryDlg;
class DownloadCommand;
struct DownloadResult;
class LiveDisplay;
class PromptService;
class UnitFields;

// The program's main window: connects to the unit, shows six live values, the battery status,
// the efficiency figures and the clocks, and starts every other activity. It owns the link,
// the settings, the live display (the live item table, the poll cycle and the download) and
// the notes. Its controls are named by their numeric ids.
class CMainDlg : public QDialog {
public:
    CMainDlg(PromptService& prompts, ConfigFolders folders, QWidget* parent = nullptr);
    ~CMainDlg() override;

    // Loads the configuration and the notes and sets every control up; false when the
    // configuration asks the program to end.
    bool OnInitDialog();

    // For tests: the date a new note is stamped with.
    void setToday(std::function<QDate()> today) { today_ = std::move(today); }

    // "Charts": the History window, showing these data files when there are any. It stays
    // open beside the main window; a second call brings the same window up.
    CHistoryDlg* openHistory(const QStringList& files = {});

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void connectControls();
    void connectLiveDisplay();
    void refreshButtons();
    bool mayClose();

    void OnConnect(bool pressed);
    void OnStartDisplay(bool pressed);
    void OnDownload();
    void offerCharts(const DownloadResult& result);
    void feedTrend();
    QString unitAddress() const;
    void OnChooseItem(int slot);
    void OnReset(int slot);
    void OnEfficiencyChoice(int controlId);
    void OnAbout();
    void OnOptions();
    void OnProgram();
    void OnAddNote();
    void saveNotes();

    PromptService& prompts_;
    CConfiguration configuration_;
    CUnitLink link_;
    Settings settings_;
    std::unique_ptr<MainDlgLayout> ui_;
    std::unique_ptr<LiveDisplay> live_;
    // Declared after live_: it paints from the live display and goes first.
    std::unique_ptr<UnitFields> fields_;
    std::unique_ptr<DownloadCommand> download_;
    std::unique_ptr<CNotesLog> notes_;
    std::function<QDate()> today_;
    QPointer<CHistoryDlg> history_;
    // The unit the live trend's values came from: another one starts it again.
    QString trendUnit_;
    bool addingNote_ = false;
    bool closed_ = false;
};
