#pragma once

#include "programming/ui/CParameterDlg.h"

#include <array>

class QCheckBox;
class QComboBox;

// "Shunt Selection": P11-13, the shunt on each Amps channel, and with firmware 2.0 or later
// whether Amps 2 reads the sum of both shunt inputs.
class CShuntDlg : public CParameterDlg {
public:
    static constexpr int CHANNELS = 3;

    CShuntDlg(CUnitLink& link, PromptService& prompts, CProgramData& record, float firmwareVersion,
              QObject* acknowledgementOwner, QWidget* parent = nullptr);

protected:
    void decode() override;
    QByteArray encode() const override;

private:
    float firmwareVersion_;
    std::array<QComboBox*, CHANNELS> lists_{};
    QCheckBox* amps2Sum_;
};
