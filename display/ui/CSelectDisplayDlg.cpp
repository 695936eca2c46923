#include "display/ui/CSelectDisplayDlg.h"

#include "display/CLiveItemTable.h"
#include "shell/ItemChoices.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The control id of the button for each item number, in group order.
constexpr int ControlIds[CSelectDisplayDlg::ChoiceCount] = {
    1012, 1013, 1014, 1015, 1016, 1023, 1029, 1017, 1018, 1019, 1020, 1021, 1022, 1024, 1025,
    1026, 1027, 1028, 1030, 1031, 1032, 1033, 1034, 1035, 1036, 1037, 1038, 1039, 1040};

// Items that need a battery's capacity from the unit: state of charge and the day counters.
constexpr int Battery1Items[] = {22, 24, 26};
constexpr int Battery2Items[] = {23, 25, 27};

// Which group box each item's button sits in: volts, currents and amp-hours, the rest.
int groupOf(int item)
{
    if (item <= 6)
        return 0;
    return item <= 17 ? 1 : 2;
}

} // namespace

CSelectDisplayDlg::CSelectDisplayDlg(const CLiveItemTable& items, int currentItem,
                                     std::uint16_t battery1Capacity, std::uint16_t battery2Capacity,
                                     QWidget* parent)
    : QDialog(parent), items_(items), group_(new QButtonGroup(this))
{
    setWindowTitle(QStringLiteral("Select Display Data"));
    buildChoices();
    if (QRadioButton* current = choiceButton(currentItem))
        current->setChecked(true);
    applyBatteryRule(battery1Capacity, battery2Capacity);
}

void CSelectDisplayDlg::buildChoices()
{
    auto* columns = new QHBoxLayout;
    QVBoxLayout* groupLayouts[3];
    for (int g = 0; g < 3; ++g) {
        auto* box = new QGroupBox(QStringLiteral("Group %1").arg(g + 1), this);
        groupLayouts[g] = new QVBoxLayout(box);
        columns->addWidget(box);
    }
    for (int n = 0; n < ChoiceCount; ++n) {
        const QString caption = n == 0 ? ItemChoices::noneText() : items_.item(n).labelText;
        ItemChoices::add(group_, n, caption, groupLayouts[groupOf(n)], this)
            ->setObjectName(QString::number(ControlIds[n]));
    }
    for (auto* layout : groupLayouts)
        layout->addStretch();
    ItemChoices::finish(*this, columns);
}

void CSelectDisplayDlg::applyBatteryRule(std::uint16_t battery1Capacity,
                                         std::uint16_t battery2Capacity)
{
    const auto gate = [this](const int(&itemsOfBattery)[3], bool known) {
        for (int n : itemsOfBattery) {
            QRadioButton* button = choiceButton(n);
            if (!known && button->isChecked())
                choiceButton(0)->setChecked(true);
            button->setEnabled(known);
        }
    };
    gate(Battery1Items, battery1Capacity != 0);
    gate(Battery2Items, battery2Capacity != 0);
}

QRadioButton* CSelectDisplayDlg::choiceButton(int n) const
{
    return qobject_cast<QRadioButton*>(group_->button(n));
}

void CSelectDisplayDlg::accept()
{
    chosen_ = ItemChoices::checkedItem(*group_);
    QDialog::accept();
}
