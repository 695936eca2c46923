#include "programming/ui/CTimeDayDlg.h"

#include "programming/ParameterSession.h"
#include "programming/UnitClockRecords.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTimeEdit>
#include <QVBoxLayout>

CTimeDayDlg::CTimeDayDlg(CUnitLink& link, PromptService& prompts, CProgramData& dayRecord,
                         CProgramData& minuteRecord, QWidget* parent)
    : CParameterDlg(link, prompts, {&dayRecord, &minuteRecord}, nullptr, parent),
      time_(new QTimeEdit(this)),
      pcTime_(new QCheckBox(QStringLiteral("Set Unit to PC Time"), this)), day_(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Time & Day"));
    setHeaderText(QStringLiteral("P38: Set Time and Day"));
    time_->setObjectName(QStringLiteral("time"));
    pcTime_->setObjectName(QStringLiteral("pcTime"));
    day_->setObjectName(QStringLiteral("day"));
    time_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    day_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), day_));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Unit Time:"), time_);
    form->addRow(QString(), pcTime_);
    form->addRow(QStringLiteral("Day:"), day_);
    body()->addLayout(form);

    connect(pcTime_, &QCheckBox::toggled, this, &CTimeDayDlg::onPcTimeToggled);
    connect(&session(), &ParameterSession::writesDone, this, &CTimeDayDlg::closeWithOk);
    // After a bad acknowledgement (shown by the session) OK writes both records again.
    connect(&session(), &ParameterSession::writeRejected, okButton(),
            [this] { okButton()->setEnabled(true); });
}

void CTimeDayDlg::decode()
{
    const auto clock = UnitClockRecords::decode(recordRead(0), recordRead(1));
    day_->setText(QString::number(clock.day));
    // A unit value past midnight wraps round.
    time_->setTime(QTime(0, 0).addSecs(60 * clock.minuteOfDay));
}

QString CTimeDayDlg::validate() const
{
    return UnitClockRecords::validateDay(day_->text());
}

void CTimeDayDlg::send()
{
    const QTime picked = time_->time();
    const auto clock = UnitClockRecords::toValues(day_->text(), picked.hour(), picked.minute());
    const auto result = session().writeInTurn(
        {UnitClockRecords::encodeDayRecord(clock), UnitClockRecords::encodeMinuteRecord(clock)});
    // A write the link refused is not reported; the dialog stays open for another try.
    okButton()->setEnabled(result != ParameterSession::WriteResult::Sent);
}

void CTimeDayDlg::onPcTimeToggled(bool checked)
{
    if (!checked) {
        // Show the unit's own time again.
        startReading();
        return;
    }
    const QTime now = clock_();
    time_->setTime(QTime(now.hour(), now.minute()));
}
