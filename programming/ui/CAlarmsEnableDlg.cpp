#include "programming/ui/CAlarmsEnableDlg.h"

#include "programming/AlarmEnablesRecord.h"
#include "programming/CProgramData.h"
#include "programming/ui/ChoiceList.h"

#include <QComboBox>
#include <QFormLayout>
#include <QVBoxLayout>

static_assert(CAlarmsEnableDlg::ALARMS == AlarmEnablesRecord::ALARM_COUNT);

CAlarmsEnableDlg::CAlarmsEnableDlg(CUnitLink& link, PromptService& prompts, CProgramData& record,
                                   QObject* acknowledgementOwner, QWidget* parent)
    : CParameterDlg(link, prompts, {&record}, acknowledgementOwner, parent)
{
    setWindowTitle(QStringLiteral("Alarms Enable"));
    setHeaderText(record.header(QStringLiteral("%s: Battery %s Alarm Enable/Disable")));
    auto* form = new QFormLayout;
    for (int alarm = 0; alarm < ALARMS; ++alarm) {
        QComboBox* list = ChoiceList::create(AlarmEnablesRecord::choiceTexts(), this);
        list->setObjectName(QStringLiteral("alarm%1").arg(alarm + 1));
        form->addRow(AlarmEnablesRecord::caption(static_cast<AlarmEnablesRecord::Alarm>(alarm)),
                     list);
        lists_[static_cast<std::size_t>(alarm)] = list;
    }
    body()->addLayout(form);
}

void CAlarmsEnableDlg::decode()
{
    const AlarmEnablesRecord::Values values = AlarmEnablesRecord::decode(recordRead());
    for (std::size_t alarm = 0; alarm < lists_.size(); ++alarm)
        ChoiceList::select(*lists_[alarm], values[alarm]);
}

QByteArray CAlarmsEnableDlg::encode() const
{
    AlarmEnablesRecord::Values values;
    for (std::size_t alarm = 0; alarm < lists_.size(); ++alarm)
        values[alarm] = ChoiceList::selection(*lists_[alarm]);
    return AlarmEnablesRecord::encode(values, recordRead());
}
