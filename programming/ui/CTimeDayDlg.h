#pragma once

#include "programming/ui/CParameterDlg.h"

#include <QTime>
#include <functional>

class QCheckBox;
class QLineEdit;
class QTimeEdit;

// "Time & Day": P38, the unit's clock (day count and time of day) in its two records. Unlike
// the other parameter dialogs it writes both records itself, the second after the unit
// acknowledged the first, and closes only after the second acknowledgement.
class CTimeDayDlg : public CParameterDlg {
public:
    using Clock = std::function<QTime()>;

    CTimeDayDlg(CUnitLink& link, PromptService& prompts, CProgramData& dayRecord,
                CProgramData& minuteRecord, QWidget* parent = nullptr);

    // The computer's local time, for "Set Unit to PC Time".
    void setClock(Clock clock) { clock_ = std::move(clock); }

protected:
    void decode() override;
    QString validate() const override;
    void send() override;

private:
    void onPcTimeToggled(bool checked);

    QTimeEdit* time_;
    QCheckBox* pcTime_;
    QLineEdit* day_;
    Clock clock_ = [] { return QTime::currentTime(); };
};
