#pragma once

#include "config/Settings.h"

#include <QDialog>
#include <array>
#include <optional>

class CLiveItemTable;
class COptionsPage;
class COptionsPgAdvanced;
class COptionsPgCommunications;
class COptionsPgDisplayData;
class COptionsPgLoggedData;
class CUnitLink;
class PromptService;
class QDialogButtonBox;
class QTabWidget;

// The "Options" sheet: the pages communications, display data, logged data and advanced on a
// copy of the main window's settings. OK lets every page check and store its values in turn and
// stays open on the first page that refuses; Cancel drops the copy, colours and labels included.
class COptionsSheet : public QDialog {
public:
    static constexpr int PageCount = 4;

    // items supplies the default labels of the "Custom Report Labels" dialog.
    COptionsSheet(const Settings& settings, CUnitLink& link, const CLiveItemTable& items,
                  PromptService& prompts, QWidget* parent = nullptr);

    // Runs the sheet modally. The settings the pages gave back when it closed with OK, nothing
    // after Cancel. Either way linkOwner owns the link again afterwards, since the test buttons
    // made the communications page its owner.
    static std::optional<Settings> Run(const Settings& settings, CUnitLink& link,
                                       const CLiveItemTable& items, PromptService& prompts,
                                       QObject* linkOwner, QWidget* parent = nullptr);

    // The sheet's copy: what the pages stored so far.
    const Settings& settings() const { return settings_; }

    void accept() override;

    QTabWidget* tabs() const { return tabs_; }
    QDialogButtonBox* buttons() const { return buttons_; }
    COptionsPgCommunications* communicationsPage() const { return communications_; }
    COptionsPgDisplayData* displayPage() const { return display_; }
    COptionsPgAdvanced* advancedPage() const { return advanced_; }

private:
    void addPage(COptionsPage* page);

    Settings settings_;
    QTabWidget* tabs_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    COptionsPgCommunications* communications_ = nullptr;
    COptionsPgDisplayData* display_ = nullptr;
    COptionsPgLoggedData* logged_ = nullptr;
    COptionsPgAdvanced* advanced_ = nullptr;
    std::array<COptionsPage*, PageCount> pages_{};
    int pageCount_ = 0;
};
