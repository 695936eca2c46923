#include "programming/ui/CLabelsDlg.h"

#include "programming/ChannelLabelsRecord.h"
#include "programming/ui/CVolt2LabelDlg.h"
#include "programming/ui/ChoiceList.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

static_assert(CLabelsDlg::AMPS_CHANNELS == ChannelLabelsRecord::AMPS_CHANNELS);

CLabelsDlg::CLabelsDlg(CUnitLink& link, PromptService& prompts, CProgramData& record,
                       const QString& volt2Label, QObject* acknowledgementOwner, QWidget* parent)
    : CParameterDlg(link, prompts, {&record}, acknowledgementOwner, parent),
      volts1_(ChoiceList::create(ChannelLabelsRecord::volts1Texts(), this)),
      volts2_(new QComboBox(this)),
      volt2Button_(new QPushButton(QStringLiteral("Volt 2 Label..."), this)),
      volt2Label_(volt2Label)
{
    setWindowTitle(QStringLiteral("Labels Selection"));
    setHeaderText(QStringLiteral("P6-9: Choose labels for Amps and Volts"));
    volts1_->setObjectName(QStringLiteral("volts1"));
    volt2Button_->setObjectName(QStringLiteral("volt2Label"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("P6: Choose label for Volts 1"), volts1_);
    for (int channel = 0; channel < AMPS_CHANNELS; ++channel) {
        QComboBox* list = ChoiceList::create(ChannelLabelsRecord::ampsTexts(channel), this);
        list->setObjectName(QStringLiteral("amps%1").arg(channel + 1));
        form->addRow(
            QStringLiteral("P%1: Choose label for Amps %2").arg(7 + channel).arg(channel + 1),
            list);
        amps_[static_cast<std::size_t>(channel)] = list;
    }
    // The unit has no label for Volts 2; the program keeps its own (the button below).
    volts2_->setEnabled(false);
    form->addRow(QStringLiteral("Px: Choose label for Volts 2   (*Not Implemented)"), volts2_);
    body()->addLayout(form);
    body()->addWidget(volt2Button_, 0, Qt::AlignLeft);
    connect(volt2Button_, &QPushButton::clicked, this, &CLabelsDlg::editVolt2Label);
}

void CLabelsDlg::editVolt2Label()
{
    CVolt2LabelDlg dialog(volt2Label_, this);
    if (dialog.exec() == QDialog::Accepted)
        volt2Label_ = dialog.label();
}

void CLabelsDlg::decode()
{
    const ChannelLabelsRecord::Values values = ChannelLabelsRecord::decode(recordRead());
    ChoiceList::select(*volts1_, values.volts1Choice);
    for (std::size_t channel = 0; channel < amps_.size(); ++channel)
        ChoiceList::select(*amps_[channel], values.ampsChoice[channel]);
}

QByteArray CLabelsDlg::encode() const
{
    ChannelLabelsRecord::Values values;
    // Volts 1 is always selected once the record has been read.
    values.volts1Choice = ChoiceList::selection(*volts1_).value_or(0);
    for (std::size_t channel = 0; channel < amps_.size(); ++channel)
        values.ampsChoice[channel] = ChoiceList::selection(*amps_[channel]);
    return ChannelLabelsRecord::encode(values, recordRead());
}
