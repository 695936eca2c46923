#pragma once

#include "programming/ui/CParameterDlg.h"

class QCheckBox;
class QRadioButton;

// "Battery Discharge Data": P43, how often the unit logs each battery's discharge profile.
class CDischargeDataDlg : public CParameterDlg {
public:
    CDischargeDataDlg(CUnitLink& link, PromptService& prompts, CProgramData& record,
                      QObject* acknowledgementOwner, QWidget* parent = nullptr);

protected:
    void decode() override;
    QByteArray encode() const override;

private:
    QRadioButton* fivePercent_;
    QRadioButton* tenPercent_;
    QCheckBox* battery1_;
    QCheckBox* battery2_;
};
