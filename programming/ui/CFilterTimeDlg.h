#pragma once

#include "programming/ui/CParameterDlg.h"

class QComboBox;

// "Filter Time": P16, the averaging time of the unit's filtered amps and volts items.
class CFilterTimeDlg : public CParameterDlg {
public:
    CFilterTimeDlg(CUnitLink& link, PromptService& prompts, CProgramData& record,
                   QObject* acknowledgementOwner, QWidget* parent = nullptr);

protected:
    void decode() override;
    QByteArray encode() const override;

private:
    QComboBox* minutes_;
};
