#include "display/CLiveItemTable.h"
#include "display/ui/CReportLabelsDlg.h"
#include "display/ui/CSelectDisplayDlg.h"
#include "resources/StringTable.h"

#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

class DisplayDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        items.build(LiveItemSettings{});
        // Channel 1 named "Solar" (code 1), then the battery words as the start-up reads them.
        ASSERT_TRUE(items.applyChannelNames(QByteArrayView("\x01\x00\x00", 3)));
        ASSERT_TRUE(items.applyBatteryWords(QByteArrayView("\x00\x00\x00\x00", 4)));
    }

    CLiveItemTable items{StringTable::builtIn()};
};

} // namespace

TEST_F(DisplayDialogs, SelectOpensOnTheSlotsItemNamedAsTheUnitNamesItsChannels)
{
    CSelectDisplayDlg dialog(items, 13, 200, 200);
    EXPECT_TRUE(dialog.choiceButton(13)->isChecked());
    EXPECT_EQ(dialog.choiceButton(7)->text(), QStringLiteral("AD7: Solar Amps"));
    EXPECT_FALSE(dialog.choiceButton(5)->isVisibleTo(&dialog));
    dialog.choiceButton(7)->setChecked(true);
    dialog.accept();
    EXPECT_EQ(dialog.chosenItem(), 7);

    CSelectDisplayDlg cancelled(items, 3, 1, 1);
    cancelled.reject();
    EXPECT_EQ(cancelled.chosenItem(), -1);
}

TEST_F(DisplayDialogs, WithoutBatteryCapacitiesTheirItemsCannotBeChosen)
{
    CSelectDisplayDlg dialog(items, 24, 0, 180);
    for (int n : {22, 23, 24, 25, 26, 27})
        EXPECT_EQ(dialog.choiceButton(n)->isEnabled(), n % 2 == 1) << n;
    EXPECT_TRUE(dialog.choiceButton(0)->isChecked());
    dialog.accept();
    EXPECT_EQ(dialog.chosenItem(), 0);
}

TEST_F(DisplayDialogs, DefaultReportLabelsAreTheLabelsOfTheReportedItemsAndCancelKeepsTheOld)
{
    std::array<QString, 16> labels;
    labels[3] = QStringLiteral("Solar Wh");
    CReportLabelsDlg cancelled(labels, items);
    EXPECT_EQ(cancelled.field(3)->text(), QStringLiteral("Solar Wh"));
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
