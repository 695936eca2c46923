#include "programming/ui/CBatteryCapacityDlg.h"

#include "programming/BatteryCapacityRecord.h"
#include "programming/CProgramData.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

BatteryCapacityRecord::Entry entryOf(const QLineEdit& ampHours, const QCheckBox& noBattery)
{
    return {ampHours.text(), noBattery.isChecked()};
}

} // namespace

CBatteryCapacityDlg::CBatteryCapacityDlg(CUnitLink& link, PromptService& prompts,
                                         CProgramData& record, QObject* acknowledgementOwner,
                                         QWidget* parent)
    : CParameterDlg(link, prompts, {&record}, acknowledgementOwner, parent),
      ampHours_(new QLineEdit(this)),
      noBattery_(new QCheckBox(BatteryCapacityRecord::noBatteryText(), this))
{
    setWindowTitle(QStringLiteral("Battery Capacity"));
    setHeaderText(record.header(QStringLiteral("%s: Battery %s Capacity")));
    ampHours_->setObjectName(QStringLiteral("ampHours"));
    noBattery_->setObjectName(QStringLiteral("noBattery"));
    ampHours_->setEnabled(false);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Amp Hours (0-9999)"), ampHours_);
    body()->addLayout(form);
    body()->addWidget(noBattery_);
    connect(noBattery_, &QCheckBox::toggled, ampHours_, &QWidget::setDisabled);
}

void CBatteryCapacityDlg::decode()
{
    const int ampHours = BatteryCapacityRecord::decode(recordRead());
    ampHours_->setText(QString::number(ampHours));
    noBattery_->setChecked(ampHours == 0);
    ampHours_->setEnabled(ampHours != 0);
}

QString CBatteryCapacityDlg::validate() const
{
    return BatteryCapacityRecord::validate(entryOf(*ampHours_, *noBattery_));
}

QByteArray CBatteryCapacityDlg::encode() const
{
    return BatteryCapacityRecord::encode(
        BatteryCapacityRecord::ampHoursToWrite(entryOf(*ampHours_, *noBattery_)));
}

void CBatteryCapacityDlg::send()
{
    const auto entry = entryOf(*ampHours_, *noBattery_);
    present_ = BatteryCapacityRecord::isPresent(entry);
    ampHoursWritten_ = BatteryCapacityRecord::ampHoursToWrite(entry);
    CParameterDlg::send();
}
