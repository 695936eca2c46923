#pragma once

#include "programming/ui/CParameterDlg.h"

class QCheckBox;
class QLineEdit;

// The battery setpoint dialogs: "Low Battery Alarm" (P26, P28) and "Charge Criteria" (P32,
// P33), each a voltage and a criterion that a check box can switch off, and "High Battery
// Alarm" (P27, P29), a voltage only.
class CSetpointDlg : public CParameterDlg {
public:
    enum class Kind { LowAlarm, HighAlarm, ChargeCriteria };

    CSetpointDlg(Kind kind, CUnitLink& link, PromptService& prompts, CProgramData& record,
                 QObject* acknowledgementOwner, QWidget* parent = nullptr);

protected:
    void decode() override;
    QString validate() const override;
    QByteArray encode() const override;

private:
    void addCriterion(const QString& caption, const QString& boxText);

    Kind kind_;
    QLineEdit* volts_;
    // The percent full (low alarm) or the charging amps (charge criteria); none for a high alarm.
    QLineEdit* criterion_ = nullptr;
    QCheckBox* unused_ = nullptr;
};
