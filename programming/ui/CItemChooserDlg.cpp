#include "programming/ui/CItemChooserDlg.h"

#include "shell/ItemChoices.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The efficiency items AD29..AD40 carry only a label in the live item table; the chooser names
// them after the cycle averages they stand for.
const char* const EFFICIENCY_CAPTIONS[] = {
    "AD29: B1: 1Cycle Eff",     "AD30: B1: 1CycleSelfDis.", "AD31: B1: 4Cycle Eff",
    "AD32: B1: 4CycleSelfDis.", "AD33: B1: 15Cycle Eff",    "AD34: B1: 15CycleSelfDis.",
    "AD35: B2: 1Cycle Eff",     "AD36: B2: 1CycleSelfDis.", "AD37: B2: 4Cycle Eff",
    "AD38: B2: 4CycleSelfDis.", "AD39: B2: 15Cycle Eff",    "AD40: B2: 15CycleSelfDis."};
constexpr int FIRST_EFFICIENCY_ITEM = 29;

constexpr const char* GROUP_TITLES[] = {"Group 1", "Group 2", "Group 3", "Bat 1 Efficiency",
                                        "Bat 2 Efficiency"};
constexpr int GROUPS = 5;
constexpr int FIRST_EFFICIENCY_GROUP = 3;

// Volts, currents and amp-hours, the rest, then each battery's efficiency figures.
int groupOf(int item)
{
    if (item <= 6)
        return 0;
    if (item <= 17)
        return 1;
    if (item <= 28)
        return 2;
    return item <= 34 ? 3 : 4;
}

} // namespace

CItemChooserDlg::CItemChooserDlg(const QStringList& itemNames, int currentItem, QWidget* parent)
    : QDialog(parent), group_(new QButtonGroup(this))
{
    setWindowTitle(QStringLiteral("Select Display Data for Zeltravanic Unit"));
    auto* columns = new QHBoxLayout;
    // Both batteries' efficiency groups share the last column.
    auto* efficiencyColumn = new QVBoxLayout;
    QVBoxLayout* groupLayouts[GROUPS];
    for (int g = 0; g < GROUPS; ++g) {
        auto* box = new QGroupBox(QString::fromLatin1(GROUP_TITLES[g]), this);
        groupLayouts[g] = new QVBoxLayout(box);
        if (g < FIRST_EFFICIENCY_GROUP)
            columns->addWidget(box, 0, Qt::AlignTop);
        else
            efficiencyColumn->addWidget(box);
    }
    efficiencyColumn->addStretch();
    columns->addLayout(efficiencyColumn);
    for (int item = 0; item < CHOICES; ++item) {
        ItemChoices::add(group_, item, captionOf(itemNames, item), groupLayouts[groupOf(item)],
                         this)
            ->setObjectName(QStringLiteral("item%1").arg(item));
    }
    if (QRadioButton* current = choiceButton(currentItem))
        current->setChecked(true);
    ItemChoices::finish(*this, columns);
}

QString CItemChooserDlg::captionOf(const QStringList& itemNames, int item) const
{
    if (item == 0)
        return ItemChoices::noneText();
    if (ItemChoices::isUnused(item))
        return QStringLiteral("AD%1: not used").arg(item);
    if (item >= FIRST_EFFICIENCY_ITEM)
        return QString::fromLatin1(EFFICIENCY_CAPTIONS[item - FIRST_EFFICIENCY_ITEM]);
    return item < itemNames.size() ? itemNames[item] : QStringLiteral("AD%1").arg(item);
}

QRadioButton* CItemChooserDlg::choiceButton(int item) const
{
    return qobject_cast<QRadioButton*>(group_->button(item));
}

int CItemChooserDlg::chosenItem() const
{
    return ItemChoices::checkedItem(*group_);
}
