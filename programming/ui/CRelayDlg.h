#pragma once

#include "programming/ui/CParameterDlg.h"

class CColorStatic;
class QLineEdit;
class QRadioButton;

// "Relay Control": P30-31, the setpoints at which the unit turns its relay on and off. The
// lower setpoint shows in the left column, the higher in the right; "Normal" turns the relay on
// at the lower one.
class CRelayDlg : public CParameterDlg {
public:
    CRelayDlg(CUnitLink& link, PromptService& prompts, CProgramData& record, float firmwareVersion,
              QObject* acknowledgementOwner, QWidget* parent = nullptr);

    // One column of setpoint controls; chargeCriteria only in the right column.
    struct Column {
        CColorStatic* header = nullptr;
        QLineEdit* volts = nullptr;
        QLineEdit* percent = nullptr;
        QRadioButton* usePercent = nullptr;
        QRadioButton* percentUnused = nullptr;
        QRadioButton* chargeCriteria = nullptr;
    };

protected:
    void decode() override;
    QString validate() const override;
    QByteArray encode() const override;

private:
    QWidget* buildColumn(Column& column, const QString& comparison, bool withChargeCriteria);
    void updateHeaders();

    float firmwareVersion_;
    QRadioButton* normal_;
    QRadioButton* reversed_;
    Column left_;
    Column right_;
};
