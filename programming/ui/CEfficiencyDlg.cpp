#include "programming/ui/CEfficiencyDlg.h"

#include "programming/EfficiencyRecord.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CEfficiencyDlg::CEfficiencyDlg(CUnitLink& link, PromptService& prompts, CProgramData& record,
                               QObject* acknowledgementOwner, QWidget* parent)
    : CParameterDlg(link, prompts, {&record}, acknowledgementOwner, parent),
      efficiency_(new QLineEdit(this)), selfDischarge_(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Battery Efficiency / Compensation"));
    setHeaderText(QStringLiteral("P34-35: Battery Efficiency\r(Self-discharge Compensation)"));
    efficiency_->setObjectName(QStringLiteral("efficiency"));
    selfDischarge_->setObjectName(QStringLiteral("selfDischarge"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Efficiency Factor %:"), efficiency_);
    form->addRow(QStringLiteral("Self Discharge Amps:"), selfDischarge_);
    body()->addLayout(form);
}

void CEfficiencyDlg::decode()
{
    const EfficiencyRecord::Values values = EfficiencyRecord::decode(recordRead());
    efficiency_->setText(QString::number(values.efficiencyPercent));
    selfDischarge_->setText(EfficiencyRecord::ampsText(values.selfDischargeHundredths));
}

QString CEfficiencyDlg::validate() const
{
    return EfficiencyRecord::validate({efficiency_->text(), selfDischarge_->text()});
}

QByteArray CEfficiencyDlg::encode() const
{
    return EfficiencyRecord::encode(
        EfficiencyRecord::toValues({efficiency_->text(), selfDischarge_->text()}));
}
