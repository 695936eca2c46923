#pragma once

#include "programming/ui/CParameterDlg.h"

class QLineEdit;

// "Interval Before Alarm": P36 or P37, the days without an equalize or a full charge after
// which the unit alarms.
class CAlarmIntervalDlg : public CParameterDlg {
public:
    CAlarmIntervalDlg(CUnitLink& link, PromptService& prompts, CProgramData& record,
                      QObject* acknowledgementOwner, QWidget* parent = nullptr);

protected:
    void decode() override;
    QString validate() const override;
    QByteArray encode() const override;

private:
    QLineEdit* days_;
};
