#include "programming/ui/CShuntDlg.h"

#include "programming/ParameterCoding.h"
#include "programming/ShuntTypesRecord.h"
#include "programming/ui/ChoiceList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QVBoxLayout>

static_assert(CShuntDlg::CHANNELS == ShuntTypesRecord::CHANNELS);

CShuntDlg::CShuntDlg(CUnitLink& link, PromptService& prompts, CProgramData& record,
                     float firmwareVersion, QObject* acknowledgementOwner, QWidget* parent)
    : CParameterDlg(link, prompts, {&record}, acknowledgementOwner, parent),
      firmwareVersion_(firmwareVersion),
      amps2Sum_(new QCheckBox(QStringLiteral("Read Amps 2 as Shunt input1+Shunt input2"), this))
{
    setWindowTitle(QStringLiteral("Shunt Selection"));
    setHeaderText(QStringLiteral("P11-13: Specify the type of shunt used for each Amp channel."));
    auto* form = new QFormLayout;
    for (int channel = 0; channel < CHANNELS; ++channel) {
        QComboBox* list = ChoiceList::create(ShuntTypesRecord::shuntTexts(), this);
        list->setObjectName(QStringLiteral("shunt%1").arg(channel + 1));
        form->addRow(QStringLiteral("P%1: Amps %2 shunt:").arg(11 + channel).arg(channel + 1),
                     list);
        lists_[static_cast<std::size_t>(channel)] = list;
    }
    body()->addLayout(form);
    body()->addWidget(amps2Sum_);
    amps2Sum_->setObjectName(QStringLiteral("amps2Sum"));
    amps2Sum_->setEnabled(false);
}

void CShuntDlg::decode()
{
    const ShuntTypesRecord::Values values = ShuntTypesRecord::decode(recordRead());
    for (std::size_t channel = 0; channel < lists_.size(); ++channel)
        ChoiceList::select(*lists_[channel], values.shuntChoice[channel]);
    if (!ParameterCoding::hasNewFeatures(firmwareVersion_))
        return;
    amps2Sum_->setEnabled(true);
    amps2Sum_->setChecked(values.amps2IsSum);
}

QByteArray CShuntDlg::encode() const
{
    const ShuntTypesRecord::Values read = ShuntTypesRecord::decode(recordRead());
    ShuntTypesRecord::Values values;
    for (std::size_t channel = 0; channel < lists_.size(); ++channel)
        values.shuntChoice[channel] =
            ChoiceList::selection(*lists_[channel]).value_or(read.shuntChoice[channel]);
    values.amps2IsSum = amps2Sum_->isChecked();
    return ShuntTypesRecord::encode(values, recordRead(), firmwareVersion_);
}
