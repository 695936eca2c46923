#pragma once

#include "programming/ui/CParameterDlg.h"

#include <array>

class CColorStatic;
class QCheckBox;
class QComboBox;
class QTimeEdit;

// "Periodic Logged Data": P39-42, which values the unit logs, how often, and the time of day
// its interval grid is anchored to, with an estimate of how many days the log memory holds.
class CPeriodicLogDlg : public CParameterDlg {
public:
    static constexpr int ITEMS = 10;

    CPeriodicLogDlg(CUnitLink& link, PromptService& prompts, CProgramData& record,
                    QObject* acknowledgementOwner, QWidget* parent = nullptr);

protected:
    void decode() override;
    QByteArray encode() const override;

private:
    QCheckBox* itemBox(int index) const { return items_.at(static_cast<std::size_t>(index)); }
    int checkedItems() const;
    void showCapacity();

    std::array<QCheckBox*, ITEMS> items_{};
    QComboBox* interval_;
    QTimeEdit* time_;
    CColorStatic* capacity_;
};
