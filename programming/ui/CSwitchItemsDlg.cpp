#include "programming/ui/CSwitchItemsDlg.h"

#include "programming/CProgramData.h"
#include "programming/ui/CItemChooserDlg.h"
#include "shell/ItemChoices.h"

#include <QPushButton>
#include <QVBoxLayout>

CSwitchItemsDlg::CSwitchItemsDlg(CUnitLink& link, PromptService& prompts, CProgramData& record,
                                 const QStringList& itemNames, QObject* acknowledgementOwner,
                                 QWidget* parent)
    : CParameterDlg(link, prompts, {&record}, acknowledgementOwner, parent), itemNames_(itemNames)
{
    setWindowTitle(QStringLiteral("Display Selection"));
    setHeaderText(
        record.header(QStringLiteral("%s: Item choices for Display Unit select switch #%s")));
    for (int place = 0; place < PLACES; ++place) {
        auto* button = new QPushButton(QString::number(place + 1), this);
        button->setObjectName(QStringLiteral("place%1").arg(place + 1));
        button->setMinimumWidth(300);
        connect(button, &QPushButton::clicked, this, [this, place] { choosePlace(place); });
        body()->addWidget(button);
        buttons_[static_cast<std::size_t>(place)] = button;
    }
}

void CSwitchItemsDlg::choosePlace(int place)
{
    CItemChooserDlg chooser(itemNames_, itemAt(place), this);
    if (chooser.exec() == QDialog::Accepted)
        showItem(place, chooser.chosenItem());
}

void CSwitchItemsDlg::decode()
{
    const SwitchItemsRecord::Items items = SwitchItemsRecord::decode(recordRead());
    for (int place = 0; place < PLACES; ++place)
        showItem(place, items[static_cast<std::size_t>(place)]);
}

QByteArray CSwitchItemsDlg::encode() const
{
    return SwitchItemsRecord::encode(items_);
}

void CSwitchItemsDlg::showItem(int place, int item)
{
    items_[static_cast<std::size_t>(place)] = item;
    placeButton(place)->setText(nameOf(item));
}

QString CSwitchItemsDlg::nameOf(int item) const
{
    if (item < itemNames_.size())
        return itemNames_[item];
    return item == 0 ? ItemChoices::noneText() : QStringLiteral("AD%1").arg(item);
}
