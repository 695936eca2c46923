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
    void SetUp() override { items.build(LiveItemSettings{}); }

    CLiveItemTable items{StringTable::builtIn()};
};

} // namespace

TEST_F(DisplayDialogs, SelectOpensOnTheSlotsItemWithTheTablesLabels)
{
    CSelectDisplayDlg dialog(items, 13, 200, 200);
    EXPECT_TRUE(dialog.choiceButton(13)->isChecked());
    EXPECT_EQ(dialog.choiceButton(0)->text(), QStringLiteral("None"));
    EXPECT_EQ(dialog.choiceButton(0)->objectName(), QStringLiteral("1012"));
    EXPECT_EQ(dialog.choiceButton(5)->objectName(), QStringLiteral("1023"));
    EXPECT_EQ(dialog.choiceButton(28)->objectName(), QStringLiteral("1040"));
    EXPECT_EQ(dialog.choiceButton(1)->text(), items.item(1).labelText);
    EXPECT_FALSE(dialog.choiceButton(5)->isVisibleTo(&dialog));

    dialog.choiceButton(7)->setChecked(true);
    dialog.accept();
    EXPECT_EQ(dialog.chosenItem(), 7);
}

TEST_F(DisplayDialogs, WithoutBatteryCapacitiesTheirItemsCannotBeChosen)
{
    CSelectDisplayDlg dialog(items, 24, 0, 180);
    for (int n : {22, 24, 26})
        EXPECT_FALSE(dialog.choiceButton(n)->isEnabled()) << n;
    for (int n : {23, 25, 27})
        EXPECT_TRUE(dialog.choiceButton(n)->isEnabled()) << n;
    EXPECT_TRUE(dialog.choiceButton(0)->isChecked());
    dialog.accept();
    EXPECT_EQ(dialog.chosenItem(), 0);
}

TEST_F(DisplayDialogs, CancelChoosesNothing)
{
    CSelectDisplayDlg dialog(items, 3, 1, 1);
    dialog.reject();
    EXPECT_EQ(dialog.chosenItem(), -1);
}

TEST_F(DisplayDialogs, DefaultReportLabelsFollowTheUnitsChannelNames)
{
    // Channel 1 named "Solar" (code 1), then the battery words as the start-up reads them.
    ASSERT_TRUE(items.applyChannelNames(QByteArrayView("\x01\x00\x00", 3)));
    ASSERT_TRUE(items.applyBatteryWords(QByteArrayView("\x00\x00\x00\x00", 4)));
    std::array<QString, 16> labels;
    labels[0] = QStringLiteral("mine");

    CReportLabelsDlg dialog(labels, items);
    EXPECT_EQ(dialog.field(0)->text(), QStringLiteral("mine"));
    dialog.useDefaultLabels();
    EXPECT_EQ(dialog.field(0)->text(), QStringLiteral("AD13: Solar  AmpHrs from Full"));
    dialog.accept();
    EXPECT_EQ(labels[0], QStringLiteral("AD13: Solar  AmpHrs from Full"));
    EXPECT_EQ(labels[9], items.item(23).labelText);
}

TEST_F(DisplayDialogs, CancelKeepsTheLabelsAfterUseDefaultLabels)
{
    std::array<QString, 16> labels;
    labels[3] = QStringLiteral("Solar Wh");
    CReportLabelsDlg dialog(labels, items);
    dialog.useDefaultLabels();
    dialog.reject();
    EXPECT_EQ(labels[3], QStringLiteral("Solar Wh"));
}
