#pragma once

#include "logged/ui/LoggedDataChoices.h"
#include "shell/COptionsPage.h"

#include <QString>
#include <array>
#include <functional>

class PromptService;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

// "Logged Data": where the data files go and how they are written: the folder, the record
// order, the logs fetched by default, the periodic file's columns and charged-flag scale, the
// cumulative periodic file, the cycles averaged in the efficiency files, and the report labels.
class COptionsPgLoggedData : public COptionsPage {
public:
    static constexpr int FirstAverageCycles = 5;
    static constexpr int LastAverageCycles = 15;

    using FolderPicker = LoggedDataChoices::FolderPicker;
    // Runs the "Custom Report Labels" dialog on the labels (changed only by its OK).
    using LabelsEditor = std::function<void(std::array<QString, 16>& labels, QWidget* parent)>;

    explicit COptionsPgLoggedData(PromptService& prompts, QWidget* parent = nullptr);

    QString title() const override;
    void loadSettings(const Settings& settings) override;
    bool applySettings(Settings& settings) override;

    void setFolderPicker(FolderPicker picker) { pickFolder_ = std::move(picker); }
    void setLabelsEditor(LabelsEditor editor) { editLabels_ = std::move(editor); }

    // "Browse...", "Append Periodic Data to this file..." and "Customize Report Labels...".
    void browse();
    void appendClicked(bool checked);
    void customizeLabels();

    QPushButton* browseButton() const { return browse_; }

private:
    QWidget* buildFolderRow();
    QWidget* buildDownloadGroup();
    QWidget* buildPeriodicGroup();
    QWidget* buildEfficiencyGroup();
    QWidget* buildDischargeGroup();
    QRadioButton* addRadio(QButtonGroup* group, int index, int id, const QString& caption,
                           QWidget* parent);
    QCheckBox* addCheck(int id, const QString& caption, QWidget* parent);
    void watchForChanges();
    bool cumulativeFileOpens(const QString& folder, const QString& fileName);

    PromptService& prompts_;
    FolderPicker pickFolder_;
    LabelsEditor editLabels_;
    std::array<QString, 16> reportLabels_;
    bool askForLabelsBeforeDownload_ = false;

    QLineEdit* folder_ = nullptr;
    QPushButton* browse_ = nullptr;
    QButtonGroup* order_ = nullptr;
    QRadioButton* oldest_ = nullptr;
    QRadioButton* newest_ = nullptr;
    QCheckBox* periodic_ = nullptr;
    QCheckBox* efficiency_ = nullptr;
    QCheckBox* discharge_ = nullptr;
    QButtonGroup* charged_ = nullptr;
    QRadioButton* asOne_ = nullptr;
    QRadioButton* asHundred_ = nullptr;
    QButtonGroup* save_ = nullptr;
    QRadioButton* allData_ = nullptr;
    QRadioButton* selectedData_ = nullptr;
    QPushButton* labels_ = nullptr;
    QCheckBox* append_ = nullptr;
    QLineEdit* fileName_ = nullptr;
    QComboBox* average_ = nullptr;
    QCheckBox* showDay_ = nullptr;
};
