#include "programming/ui/CPeriodicLogDlg.h"
#include "shell/CColorStatic.h"
#include "tests/programming/SerialDialogFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTimeEdit>

namespace {

constexpr int PERIODIC_SLOT = 26;

// Bytes 0..11 of the record: interval code, block byte, unit byte, minute, six unit bytes, items.
QByteArray periodicRecord(int code, int blockByte, int minute, int items10, int items11)
{
    return bytes({code, blockByte, 0x5A, minute, 1, 2, 3, 4, 5, 6, items10, items11});
}

class PeriodicLogDialog : public SerialDialogTest {
protected:
    CPeriodicLogDlg dialog{link, prompts, table.slot(PERIODIC_SLOT), &menu};
};

} // namespace

TEST_F(PeriodicLogDialog, ShowsTheItemsTheIntervalTheTimeAndTheEstimate)
{
    // AHr 1 and WHr 1 at "1 hr", aligned at 07:30 (block 2, minute 90).
    unit.setRecord(0xD0, periodicRecord(0x27, 0xF2, 90, 0x09, 0x00));
    EXPECT_EQ(dialog.header()->text(), QStringLiteral("P39-42: Periodic Logged Data"));
    EXPECT_EQ(dialog.intervalList()->count(), 14);
    EXPECT_EQ(dialog.intervalList()->itemText(0), QStringLiteral("1 min"));
    EXPECT_EQ(dialog.intervalList()->itemText(13), QStringLiteral("24 hr"));
    openAndRead(dialog);

    const QStringList checked{"AHr 1", "WHr 1"};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(dialog.itemBox(i)->isChecked(), checked.contains(dialog.itemBox(i)->text()))
            << dialog.itemBox(i)->text().toStdString();
    EXPECT_EQ(dialog.intervalList()->currentText(), QStringLiteral("1 hr"));
    EXPECT_EQ(dialog.timePicker()->time(), QTime(7, 30));
    EXPECT_EQ(dialog.capacityReadout()->text(), QStringLiteral("44 days"));
    EXPECT_EQ(dialog.capacityReadout()->bkColor(), QColor(Qt::black));
    EXPECT_EQ(dialog.capacityReadout()->textColor(), QColor(255, 164, 255));
}

TEST_F(PeriodicLogDialog, TheEstimateFollowsEveryClickAndEverySelection)
{
    unit.setRecord(0xD0, periodicRecord(0x00, 0, 0, 0x00, 0x00));
    openAndRead(dialog);
    EXPECT_EQ(dialog.capacityReadout()->text(), QStringLiteral("2436 days"));

    for (int i = 0; i < 10; ++i)
        dialog.itemBox(i)->click();
    dialog.intervalList()->setCurrentIndex(0);
    EXPECT_EQ(dialog.capacityReadout()->text(), QStringLiteral("0.16 days"));

    for (int i = 0; i < 5; ++i)
        dialog.itemBox(i)->click();
    dialog.intervalList()->setCurrentIndex(7);
    EXPECT_EQ(dialog.capacityReadout()->text(), QStringLiteral("19 days"));
}

TEST_F(PeriodicLogDialog, OkWritesTheControlsAndLeavesTheUnitsBytesAsRead)
{
    unit.setRecord(0xD0, periodicRecord(0xFF, 0xF8, 0, 0x00, 0xFC));
    openAndRead(dialog);
    dialog.itemBox(0)->click();                // AHr 1, bit 0 of byte 10
    dialog.itemBox(9)->click();                // Temp, bit 5 of byte 10
    dialog.itemBox(8)->click();                // % Full, bit 1 of byte 11
    dialog.intervalList()->setCurrentIndex(3); // "5 min"
    dialog.timePicker()->setTime(QTime(7, 30));
    pressOk(dialog);
    EXPECT_EQ(writtenTo(0xD0),
              QList<QByteArray>{bytes({0x7F, 0xFA, 0x5A, 90, 1, 2, 3, 4, 5, 6, 0x21, 0x02})});
}

TEST_F(PeriodicLogDialog, AnUnknownIntervalCodeSelectsNothingAndGoesBackUnchanged)
{
    unit.setRecord(0xD0, periodicRecord(0x10, 0, 0, 0x01, 0x00));
    openAndRead(dialog);
    EXPECT_EQ(dialog.intervalList()->currentIndex(), -1);
    EXPECT_EQ(dialog.capacityReadout()->text(), QStringLiteral("Cannot be computed"));
    pressOk(dialog);
    EXPECT_EQ(writtenTo(0xD0).value(0).left(1), bytes({0x10}));
}
