#include "programming/ui/CDischargeDataDlg.h"

#include "programming/DischargeProfileRecord.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

CDischargeDataDlg::CDischargeDataDlg(CUnitLink& link, PromptService& prompts, CProgramData& record,
                                     QObject* acknowledgementOwner, QWidget* parent)
    : CParameterDlg(link, prompts, {&record}, acknowledgementOwner, parent),
      fivePercent_(new QRadioButton(QStringLiteral("5% Change"), this)),
      tenPercent_(new QRadioButton(QStringLiteral("10% Change"), this)),
      battery1_(new QCheckBox(QStringLiteral("Battery 1 data"), this)),
      battery2_(new QCheckBox(QStringLiteral("Battery 2 data"), this))
{
    setWindowTitle(QStringLiteral("Battery Discharge Data"));
    setHeaderText(QStringLiteral("P43: Battery Discharge Profile \rLogged Data"));
    fivePercent_->setObjectName(QStringLiteral("fivePercent"));
    tenPercent_->setObjectName(QStringLiteral("tenPercent"));
    battery1_->setObjectName(QStringLiteral("battery1"));
    battery2_->setObjectName(QStringLiteral("battery2"));
    auto* row = new QHBoxLayout;
    auto* steps = new QVBoxLayout;
    steps->addWidget(fivePercent_);
    steps->addWidget(tenPercent_);
    auto* batteries = new QVBoxLayout;
    batteries->addWidget(battery1_);
    batteries->addWidget(battery2_);
    row->addLayout(steps);
    row->addSpacing(24);
    row->addLayout(batteries);
    row->addStretch();
    body()->addLayout(row);
}

void CDischargeDataDlg::decode()
{
    const DischargeProfileRecord::Values values = DischargeProfileRecord::decode(recordRead());
    fivePercent_->setChecked(values.everyFivePercent);
    tenPercent_->setChecked(!values.everyFivePercent);
    battery1_->setChecked(values.battery1);
    battery2_->setChecked(values.battery2);
}

QByteArray CDischargeDataDlg::encode() const
{
    return DischargeProfileRecord::encode(
        {fivePercent_->isChecked(), battery1_->isChecked(), battery2_->isChecked()}, recordRead());
}
