#pragma once

#include <QDialog>
#include <array>

class CProgramData;
class CUnitLink;
class ParameterSession;
class PromptService;
class QPushButton;

// "Reset or Initialize Data": P45-49. Each button erases one of the unit's logs, or resets its
// program parameters to the factory defaults, after the user said Yes. Reads nothing; checks
// the acknowledgement of each command itself. "Done" closes it.
class CResetDataDlg : public QDialog {
public:
    static constexpr int COMMANDS = 5;

    CResetDataDlg(CUnitLink& link, PromptService& prompts, CProgramData& commandRecord,
                  QWidget* parent = nullptr);

private:
    // Asks, and on Yes sends the command of button index.
    void runCommand(int index);

    PromptService& prompts_;
    ParameterSession* session_;
    std::array<QPushButton*, COMMANDS> buttons_{};
    QPushButton* done_;
};
