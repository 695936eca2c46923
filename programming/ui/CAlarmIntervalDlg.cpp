#include "programming/ui/CAlarmIntervalDlg.h"

#include "programming/AlarmIntervalRecord.h"
#include "programming/CProgramData.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

CAlarmIntervalDlg::CAlarmIntervalDlg(CUnitLink& link, PromptService& prompts, CProgramData& record,
                                     QObject* acknowledgementOwner, QWidget* parent)
    : CParameterDlg(link, prompts, {&record}, acknowledgementOwner, parent),
      days_(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Interval Before Alarm"));
    days_->setObjectName(QStringLiteral("days"));
    setHeaderText(
        record.header(QStringLiteral("%s: Alarm if battery %s for this many consecutive days.")));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Days:"), days_);
    body()->addLayout(form);
}

void CAlarmIntervalDlg::decode()
{
    days_->setText(QString::number(AlarmIntervalRecord::decode(recordRead())));
}

QString CAlarmIntervalDlg::validate() const
{
    return AlarmIntervalRecord::validate(days_->text());
}

QByteArray CAlarmIntervalDlg::encode() const
{
    return AlarmIntervalRecord::encode(AlarmIntervalRecord::toDays(days_->text()));
}
