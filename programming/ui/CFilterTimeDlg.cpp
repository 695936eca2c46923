#include "programming/ui/CFilterTimeDlg.h"

#include "programming/FilterTimeRecord.h"
#include "programming/ui/ChoiceList.h"

#include <QComboBox>
#include <QFormLayout>
#include <QVBoxLayout>

CFilterTimeDlg::CFilterTimeDlg(CUnitLink& link, PromptService& prompts, CProgramData& record,
                               QObject* acknowledgementOwner, QWidget* parent)
    : CParameterDlg(link, prompts, {&record}, acknowledgementOwner, parent),
      minutes_(ChoiceList::create(FilterTimeRecord::texts(), this))
{
    setWindowTitle(QStringLiteral("Filter Time"));
    setHeaderText(QStringLiteral("P16: Filter time for the Filtered Amps (AD10-12) and the "
                                 "Filtered Volts (AD3-4) readings"));
    minutes_->setObjectName(QStringLiteral("minutes"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Filter time (minutes):"), minutes_);
    body()->addLayout(form);
}

void CFilterTimeDlg::decode()
{
    ChoiceList::select(*minutes_, FilterTimeRecord::decode(recordRead()));
}

QByteArray CFilterTimeDlg::encode() const
{
    return FilterTimeRecord::encode(ChoiceList::selection(*minutes_), recordRead());
}
