#include "display/CLiveItemTable.h"
#include "display/ui/CReportLabelsDlg.h"
#include "display/ui/CSelectDisplayDlg.h"
#include "resources/StringTable.h"

#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

// Channel 1 named "Solar" (code 1), then the battery words as the start-up reads them.
class DisplayDialogs : public ::testing::Test {
protected:
    DisplayDialogs()
    {
        items.applyChannelNames(QByteArrayView("\x01\x00\x00", 3));
        items.applyBatteryWords(QByteArrayView("\x00\x00\x00\x00", 4));
    }

    CLiveItemTable items{StringTable::builtIn()};
};

} // namespace

TEST_F(DisplayDialogs, SelectOpensOnTheSlotsItemNamedAsTheUnitNamesItsChannelsAndGatedByCapacities)
{
    CSelectDisplayDlg dialog(items, 13, 200, 200);
    EXPECT_TRUE(dialog.choiceButton(13)->isChecked());
    EXPECT_EQ(dialog.choiceButton(7)->text(), QStringLiteral("AD7: Solar Amps"));
    dialog.choiceButton(7)->setChecked(true);
    dialog.accept();
    EXPECT_EQ(dialog.chosenItem(), 7);
    CSelectDisplayDlg cancelled(items, 3, 1, 1);
    cancelled.reject();
    EXPECT_EQ(cancelled.chosenItem(), -1);
    // AD22, AD24 and AD26 are battery 1's: without its capacity the slot's AD24 gives way.
    CSelectDisplayDlg noCapacity(items, 24, 0, 180);
    for (int n : {22, 23, 24, 25, 26, 27})
        EXPECT_EQ(noCapacity.choiceButton(n)->isEnabled(), n % 2 == 1) << n;
    noCapacity.accept();
    EXPECT_EQ(noCapacity.chosenItem(), 0);
}

TEST_F(DisplayDialogs, DefaultReportLabelsAreTheLabelsOfTheReportedItemsAndCancelKeepsTheOld)
{
    std::array<QString, 16> labels;
    labels[3] = QStringLiteral("Solar Wh");
    CReportLabelsDlg cancelled(labels, items);
    cancelled.useDefaultLabels();
    cancelled.reject();
    EXPECT_EQ(labels[3], QStringLiteral("Solar Wh"));
    CReportLabelsDlg dialog(labels, items);
    dialog.useDefaultLabels();
    dialog.accept();
    EXPECT_EQ(labels[0], QStringLiteral("AD13: Solar  AmpHrs from Full"));
    const int reported[] = {13, 14, 15, 20, 21, 3, 10, 4, 22, 23};
    for (int column = 0; column < CReportLabelsDlg::FieldCount; ++column)
        EXPECT_EQ(labels[static_cast<std::size_t>(column)], items.item(reported[column]).labelText);
}
