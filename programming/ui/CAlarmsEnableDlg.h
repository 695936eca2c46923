#pragma once

#include "programming/ui/CParameterDlg.h"

#include <array>

class QComboBox;

// "Alarms Enable": P22-23 or P24-25, how each of a battery's five alarms shows.
class CAlarmsEnableDlg : public CParameterDlg {
public:
    static constexpr int ALARMS = 5;

    CAlarmsEnableDlg(CUnitLink& link, PromptService& prompts, CProgramData& record,
                     QObject* acknowledgementOwner, QWidget* parent = nullptr);

protected:
    void decode() override;
    QByteArray encode() const override;

private:
    std::array<QComboBox*, ALARMS> lists_{};
};
