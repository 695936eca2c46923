#include "programming/ui/CSetpointDlg.h"

#include "programming/CProgramData.h"
#include "programming/ParameterCoding.h"
#include "programming/SetpointRecord.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

struct KindTexts {
    const char* caption;
    const char* header;
    const char* volts;
    const char* criterion;
    const char* unusedBox;
};

const KindTexts& textsOf(CSetpointDlg::Kind kind)
{
    static const KindTexts low{"Low Battery Alarm", "%s: Battery %s Low Alarm Setpoint",
                               "Volts less than:", "Percent full less than:", "Don't  use % Full"};
    static const KindTexts high{"High Battery Alarm", "%s: Battery %s High Alarm Setpoint",
                                "Volts greater than:", nullptr, nullptr};
    static const KindTexts charged{
        "Charge Criteria", "%s: Battery %s Charge Criteria",
        "Charging Volts  greater than:", "Charging Amps less than:", "Don't  use Amps criteria."};
    switch (kind) {
    case CSetpointDlg::Kind::LowAlarm:
        return low;
    case CSetpointDlg::Kind::HighAlarm:
        return high;
    case CSetpointDlg::Kind::ChargeCriteria:
        break;
    }
    return charged;
}

} // namespace

CSetpointDlg::CSetpointDlg(Kind kind, CUnitLink& link, PromptService& prompts, CProgramData& record,
                           QObject* acknowledgementOwner, QWidget* parent)
    : CParameterDlg(link, prompts, {&record}, acknowledgementOwner, parent), kind_(kind),
      volts_(new QLineEdit(this))
{
    const KindTexts& texts = textsOf(kind);
    setWindowTitle(QString::fromLatin1(texts.caption));
    setHeaderText(record.header(QString::fromLatin1(texts.header)));
    volts_->setObjectName(QStringLiteral("volts"));
    auto* form = new QFormLayout;
    form->addRow(QString::fromLatin1(texts.volts), volts_);
    body()->addLayout(form);
    if (texts.criterion)
        addCriterion(QString::fromLatin1(texts.criterion), QString::fromLatin1(texts.unusedBox));
}

void CSetpointDlg::addCriterion(const QString& caption, const QString& boxText)
{
    criterion_ = new QLineEdit(this);
    unused_ = new QCheckBox(boxText, this);
    criterion_->setObjectName(QStringLiteral("criterion"));
    unused_->setObjectName(QStringLiteral("unused"));
    criterion_->setEnabled(false);
    auto* form = new QFormLayout;
    form->addRow(caption, criterion_);
    body()->addLayout(form);
    body()->addWidget(unused_);
    connect(unused_, &QCheckBox::toggled, criterion_, &QWidget::setDisabled);
}

void CSetpointDlg::decode()
{
    const SetpointRecord::Values values = SetpointRecord::decode(recordRead());
    volts_->setText(ParameterCoding::voltsText(values.tenths));
    if (!criterion_)
        return;
    unused_->setChecked(!values.criterion);
    if (values.criterion) {
        criterion_->setEnabled(true);
        criterion_->setText(QString::number(*values.criterion));
    }
}

QString CSetpointDlg::validate() const
{
    if (kind_ == Kind::HighAlarm)
        return SetpointRecord::validateHighAlarm(volts_->text());
    const SetpointRecord::Entry entry{volts_->text(), criterion_->text(), unused_->isChecked()};
    return kind_ == Kind::LowAlarm ? SetpointRecord::validateLowAlarm(entry)
                                   : SetpointRecord::validateChargeCriteria(entry);
}

QByteArray CSetpointDlg::encode() const
{
    if (kind_ == Kind::HighAlarm)
        return SetpointRecord::encodeHighAlarm(ParameterCoding::typedTenths(volts_->text()),
                                               recordRead());
    return SetpointRecord::encode(
        SetpointRecord::toValues({volts_->text(), criterion_->text(), unused_->isChecked()}));
}
