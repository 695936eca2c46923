#include "programming/ui/CItemChooserDlg.h"
#include "programming/ui/CSwitchItemsDlg.h"
#include "shell/CColorStatic.h"
#include "tests/programming/ModalDriver.h"
#include "tests/programming/SerialDialogFixture.h"

#include <QRadioButton>

namespace {

constexpr int P3_SLOT = 2;

QStringList liveItemNames()
{
    QStringList names{QStringLiteral("None")};
    for (int item = 1; item <= 40; ++item)
        names.append(QStringLiteral("AD%1: item %1").arg(item));
    return names;
}

class SwitchItemsDialog : public SerialDialogTest {
protected:
    QStringList names = liveItemNames();
    CSwitchItemsDlg dialog{link, prompts, table.slot(P3_SLOT), names, &menu};
};

} // namespace

TEST_F(SwitchItemsDialog, ShowsTheNamesOfTheItemsReadAndWritesThemBackUnchanged)
{
    unit.setRecord(0xFD, bytes({3, 7, 0, 55, 22}));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Display Selection"));
    EXPECT_EQ(dialog.header()->text(),
              QStringLiteral("P3: Item choices for Display Unit select switch #3"));
    EXPECT_EQ(dialog.placeButton(0)->text(), QStringLiteral("1"));
    EXPECT_EQ(dialog.placeButton(4)->text(), QStringLiteral("5"));
    openAndRead(dialog);
    EXPECT_EQ(dialog.placeButton(0)->text(), names[3]);
    EXPECT_EQ(dialog.placeButton(1)->text(), names[7]);
    EXPECT_EQ(dialog.placeButton(2)->text(), QStringLiteral("None"));
    EXPECT_EQ(dialog.placeButton(3)->text(), QStringLiteral("None"));
    EXPECT_EQ(dialog.placeButton(4)->text(), names[22]);
    pressOk(dialog);
    EXPECT_EQ(writtenTo(0xFD), QList<QByteArray>{bytes({3, 7, 0, 0, 22})});
}

TEST_F(SwitchItemsDialog, TheChooserOpensOnThePlacesItemAndItsChoiceIsWritten)
{
    unit.setRecord(0xFD, bytes({3, 7, 0, 0, 22}));
    openAndRead(dialog);
    whenModal<CItemChooserDlg>([](CItemChooserDlg& chooser) {
        EXPECT_EQ(chooser.windowTitle(),
                  QStringLiteral("Select Display Data for Zeltravanic Unit"));
        EXPECT_TRUE(chooser.choiceButton(7)->isChecked());
        chooser.choiceButton(33)->setChecked(true);
        chooser.accept();
    });
    dialog.placeButton(1)->click();
    EXPECT_EQ(dialog.placeButton(1)->text(), QStringLiteral("AD33: item 33"));

    whenModal<CItemChooserDlg>([](CItemChooserDlg& chooser) {
        chooser.choiceButton(0)->setChecked(true);
        chooser.accept();
    });
    dialog.placeButton(4)->click();
    EXPECT_EQ(dialog.placeButton(4)->text(), QStringLiteral("None"));

    whenModal<CItemChooserDlg>([](CItemChooserDlg& chooser) {
        chooser.choiceButton(12)->setChecked(true);
        chooser.reject();
    });
    dialog.placeButton(0)->click();
    EXPECT_EQ(dialog.placeButton(0)->text(), names[3]) << "Cancel changes nothing";

    pressOk(dialog);
    EXPECT_EQ(writtenTo(0xFD), QList<QByteArray>{bytes({3, 33, 0, 0, 0})});
}

TEST_F(SwitchItemsDialog, CancellingAfterChoosingWritesNothing)
{
    unit.setRecord(0xFD, bytes({3, 7, 0, 0, 22}));
    openAndRead(dialog);
    whenModal<CItemChooserDlg>([](CItemChooserDlg& chooser) {
        chooser.choiceButton(1)->setChecked(true);
        chooser.accept();
    });
    dialog.placeButton(2)->click();
    dialog.cancelButton()->click();
    EventPump::deliverPosted();
    EXPECT_TRUE(unit.writes().isEmpty());
}

TEST(ItemChooser, NamesTheLiveItemsAndKeepsItsOwnCaptionsForTheEfficiencyItems)
{
    const QStringList names = liveItemNames();
    CItemChooserDlg chooser(names, 0, nullptr);
    EXPECT_TRUE(chooser.choiceButton(0)->isChecked());
    EXPECT_EQ(chooser.choiceButton(0)->text(), QStringLiteral("None"));
    for (int item : {1, 4, 7, 28})
        EXPECT_EQ(chooser.choiceButton(item)->text(), names[item]) << item;
    EXPECT_FALSE(chooser.choiceButton(5)->isVisibleTo(&chooser));
    EXPECT_FALSE(chooser.choiceButton(6)->isVisibleTo(&chooser));
    EXPECT_EQ(chooser.choiceButton(5)->text(), QStringLiteral("AD5: not used"));
    EXPECT_EQ(chooser.choiceButton(29)->text(), QStringLiteral("AD29: B1: 1Cycle Eff"));
    EXPECT_EQ(chooser.choiceButton(30)->text(), QStringLiteral("AD30: B1: 1CycleSelfDis."));
    EXPECT_EQ(chooser.choiceButton(40)->text(), QStringLiteral("AD40: B2: 15CycleSelfDis."));
    EXPECT_EQ(chooser.choiceButton(41), nullptr);
}
