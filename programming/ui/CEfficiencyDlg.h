#pragma once

#include "programming/ui/CParameterDlg.h"

class QLineEdit;

// "Battery Efficiency / Compensation": P34-35, the charge efficiency factor and the battery's
// self-discharge current.
class CEfficiencyDlg : public CParameterDlg {
public:
    CEfficiencyDlg(CUnitLink& link, PromptService& prompts, CProgramData& record,
                   QObject* acknowledgementOwner, QWidget* parent = nullptr);

protected:
    void decode() override;
    QString validate() const override;
    QByteArray encode() const override;

private:
    QLineEdit* efficiency_;
    QLineEdit* selfDischarge_;
};
