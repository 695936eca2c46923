#pragma once

#include "programming/ui/CParameterDlg.h"

#include <array>

class QComboBox;

// "Labels Selection": P6-9, the names the unit gives Volts 1 and the three Amps channels, and
// the program's own "Volt 2" label, which the menu hands in and takes back on OK.
class CLabelsDlg : public CParameterDlg {
public:
    static constexpr int AMPS_CHANNELS = 3;

    CLabelsDlg(CUnitLink& link, PromptService& prompts, CProgramData& record,
               const QString& volt2Label, QObject* acknowledgementOwner, QWidget* parent = nullptr);

    // The Volt 2 label as edited; the menu takes it when the dialog ends with OK.
    QString volt2Label() const { return volt2Label_; }

protected:
    void decode() override;
    QByteArray encode() const override;

private:
    void editVolt2Label();

    QComboBox* volts1_;
    std::array<QComboBox*, AMPS_CHANNELS> amps_{};
    QComboBox* volts2_;
    QPushButton* volt2Button_;
    QString volt2Label_;
};
