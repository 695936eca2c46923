#pragma once

#include "config/SerialTimeouts.h"
#include "shell/COptionsPage.h"

#include <array>
#include <functional>

class QCheckBox;
class QDialog;
class QLineEdit;
class QPushButton;

// "Advanced": the five serial time-outs with "Defaults" and "Explain...", and the two download
// choices (ask to clear the periodic memory, set the unit's clock), and whether a lost unit is
// reconnected by itself.
class COptionsPgAdvanced : public COptionsPage {
public:
    static constexpr int TimeoutCount = 5;
    // Shows a modal dialog; the page's own dialogs go through it so that tests can look at
    // them without a modal loop.
    using ModalRunner = std::function<void(QDialog& dialog)>;

    explicit COptionsPgAdvanced(QWidget* parent = nullptr);

    QString title() const override;
    void loadSettings(const Settings& settings) override;
    bool applySettings(Settings& settings) override;

    void setModalRunner(ModalRunner runner) { runModal_ = std::move(runner); }

    // The time-outs as the fields hold them now; a field without a number gives 0. The
    // communications page's serial "Test" uses them before the sheet is closed.
    SerialTimeouts editedTimeouts() const;

    // "Defaults" and "Explain...".
    void restoreDefaults();
    void explain();

    // In the order read interval, read multiplier, read constant, write multiplier, write
    // constant.
    QLineEdit* timeoutField(int index) const;
    QPushButton* defaultsButton() const { return defaultsButton_; }

private:
    QWidget* buildTimeoutGroup();
    std::uint32_t fieldValue(int index) const;

    ModalRunner runModal_;
    std::array<QLineEdit*, TimeoutCount> fields_{};
    QCheckBox* clearLogBox_ = nullptr;
    QCheckBox* syncTimeBox_ = nullptr;
    QCheckBox* reconnectBox_ = nullptr;
    QPushButton* defaultsButton_ = nullptr;
    QPushButton* explainButton_ = nullptr;
};
