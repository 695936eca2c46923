#include "programming/ui/CTimeDayDlg.h"
#include "shell/CColorStatic.h"
#include "tests/programming/SerialDialogFixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTimeEdit>

using namespace DialogTexts;

namespace {

constexpr int DAY_SLOT = 24;
constexpr int MINUTE_SLOT = 25;

class TimeDayDialog : public SerialDialogTest {
protected:
    CTimeDayDlg dialog{link, prompts, table.slot(DAY_SLOT), table.slot(MINUTE_SLOT)};
};

} // namespace

TEST_F(TimeDayDialog, ReadsTheDayRecordThenTheMinuteRecordAndShowsDay5At1347)
{
    unit.setRecord(0xF9, bytes({0x2C, 0x00}));
    unit.setRecord(0x24, bytes({107}));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Time & Day"));
    EXPECT_EQ(dialog.header()->text(), QStringLiteral("P38: Set Time and Day"));
    openAndRead(dialog);
    EXPECT_EQ(serialUnit.frames(), (QList<QByteArray>{withChecksum(bytes({0x81, 0xF9, 2})),
                                                      withChecksum(bytes({0x81, 0x24, 1}))}));
    EXPECT_EQ(dialog.dayEdit()->text(), QStringLiteral("5"));
    EXPECT_EQ(dialog.timePicker()->time(), QTime(13, 47));
}

TEST_F(TimeDayDialog, WritesBothRecordsInTurnAndClosesAfterTheSecondAcknowledgement)
{
    unit.setRecord(0xF9, bytes({0x2C, 0x00}));
    unit.setRecord(0x24, bytes({107}));
    openAndRead(dialog);
    dialog.dayEdit()->setText(QStringLiteral("999"));
    dialog.timePicker()->setTime(QTime(23, 59, 41));
    dialog.okButton()->click();
    EXPECT_EQ(table.slot(DAY_SLOT).value().left(2), bytes({0x3F, 0x1F}))
        << "the caches change on OK";
    EXPECT_EQ(table.slot(MINUTE_SLOT).value().left(1), bytes({179}));
    EXPECT_TRUE(dialog.isVisible()) << "waiting for the acknowledgements";
    EXPECT_EQ(unit.writes().size(), 1);

    ASSERT_TRUE(EventPump::waitUntil([&] { return !dialog.isVisible(); }));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(writtenTo(0xF9), QList<QByteArray>{bytes({0x3F, 0x1F})});
    EXPECT_EQ(writtenTo(0x24), QList<QByteArray>{bytes({179})});
    EXPECT_TRUE(menu.replies().isEmpty()) << "the dialog owned both acknowledgements";
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(TimeDayDialog, Day1000IsRefusedAndNothingIsSent)
{
    openAndRead(dialog);
    dialog.dayEdit()->setText(QStringLiteral("1000"));
    dialog.okButton()->click();
    EventPump::deliverPosted();
    EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral("Days must be between 0 - 999")});
    EXPECT_TRUE(unit.writes().isEmpty());
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(TimeDayDialog, ABadAcknowledgementShows2601AndOkWritesBothRecordsAgain)
{
    unit.setRecord(0xF9, bytes({0x2C, 0x00}));
    unit.setRecord(0x24, bytes({107}));
    openAndRead(dialog);
    unit.spoilAcknowledgements(1);
    dialog.okButton()->click();
    ASSERT_TRUE(EventPump::waitUntil([&] { return !prompts.shown().isEmpty(); }));
    EventPump::deliverPosted();
    EXPECT_EQ(prompts.texts(), QStringList{BAD_ACKNOWLEDGEMENT});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(unit.writes().size(), 1) << "the minute is not written after a bad acknowledgement";
    EXPECT_TRUE(dialog.okButton()->isEnabled());

    dialog.okButton()->click();
    ASSERT_TRUE(EventPump::waitUntil([&] { return !dialog.isVisible(); }));
    const auto writes = unit.writes();
    ASSERT_EQ(writes.size(), 3);
    EXPECT_EQ(writes[1].address, 0xF9);
    EXPECT_EQ(writes[2].address, 0x24);
}

TEST_F(TimeDayDialog, AWriteThatIsNeverAcknowledgedLeavesTheDialogOpenWithTheCachesChanged)
{
    unit.setRecord(0xF9, bytes({0x2C, 0x00}));
    unit.setRecord(0x24, bytes({107}));
    openAndRead(dialog);
    unit.setMute(true);
    dialog.okButton()->click();
    EventPump::deliverPosted();
    EXPECT_TRUE(prompts.shown().isEmpty()) << "a refused write is not reported";
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(table.slot(DAY_SLOT).value().left(2), bytes({0x2C, 0x00}));
    EXPECT_TRUE(dialog.okButton()->isEnabled());
}

TEST_F(TimeDayDialog, PcTimeSetsThePickerAndUncheckingReadsTheUnitsTimeAgain)
{
    unit.setRecord(0xF9, bytes({0x2C, 0x00}));
    unit.setRecord(0x24, bytes({107}));
    dialog.setClock([] { return QTime(8, 5, 33); });
    openAndRead(dialog);
    dialog.dayEdit()->setText(QStringLiteral("12"));

    dialog.pcTimeBox()->click();
    EXPECT_EQ(dialog.timePicker()->time(), QTime(8, 5, 0));
    EXPECT_EQ(dialog.dayEdit()->text(), QStringLiteral("12")) << "the day is not touched";
    EXPECT_EQ(serialUnit.frames().size(), 2);

    unit.setRecord(0x24, bytes({108}));
    dialog.pcTimeBox()->click();
    ASSERT_TRUE(EventPump::waitUntil([&] { return serialUnit.frames().size() == 4; }));
    ASSERT_TRUE(EventPump::waitUntil([&] { return dialog.timePicker()->time() == QTime(13, 48); }));
    EXPECT_EQ(dialog.dayEdit()->text(), QStringLiteral("5"));
}

TEST_F(TimeDayDialog, ARefusedReadShows1043AndCloses)
{
    unit.setMute(true);
    dialog.show();
    EventPump::deliverPosted();
    EXPECT_EQ(prompts.texts(), QStringList{READ_ERROR});
    EXPECT_FALSE(dialog.isVisible());
}
