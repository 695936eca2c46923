#pragma once

#include "programming/ui/CParameterDlg.h"

class QCheckBox;
class QLineEdit;

// "Battery Capacity": P14 or P15, the battery's amp-hours, or "No Battery". On OK the menu
// takes whether the battery is present.
class CBatteryCapacityDlg : public CParameterDlg {
public:
    CBatteryCapacityDlg(CUnitLink& link, PromptService& prompts, CProgramData& record,
                        QObject* acknowledgementOwner, QWidget* parent = nullptr);

    // What OK decided; meaningful once the dialog ended with OK.
    bool batteryPresent() const { return present_; }
    int ampHoursWritten() const { return ampHoursWritten_; }

protected:
    void decode() override;
    QString validate() const override;
    QByteArray encode() const override;
    void send() override;

private:
    QLineEdit* ampHours_;
    QCheckBox* noBattery_;
    bool present_ = false;
    int ampHoursWritten_ = 0;
};
