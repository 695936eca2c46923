#include "programming/ui/CResetDataDlg.h"
#include "tests/programming/SerialDialogFixture.h"

using namespace DialogTexts;

namespace {

constexpr int COMMAND_SLOT = 29;

using ResetData = SerialDialogTest;

} // namespace

TEST_F(ResetData, EachButtonAsksFirstAndOnYesSendsItsCommandAndReports)
{
    CResetDataDlg dialog(link, prompts, table.slot(COMMAND_SLOT));
    dialog.show();
    EventPump::deliverPosted();
    EXPECT_TRUE(serialUnit.frames().isEmpty()) << "the dialog reads nothing";

    const QStringList captions{"P45: Clear Per Log Data", "P46: Clear 5% Data",
                               "P47: Clear Bat 1 Cycle Data", "P48: Clear Bat 2 Cycle Data",
                               "P49: Initiaize Program Data"};
    const QStringList questions{
        "Are you sure you want to erase the Periodic Logged Data?",
        "Are you sure you want to erase the 5% Logged Data?",
        "Are you sure you want to erase the Bat 1 Cycle Data?",
        "Are you sure you want to erase the Bat 2 Cycle Data?",
        "Are you sure you want to reset all Program Parameters to factory defaults?"};
    const QStringList reports{
        "Periodic Logged Data has been cleared.", "5% Logged Data has been cleared.",
        "Bat 1 Cycle Data has been cleared.", "Bat 2 Cycle Data has been cleared.",
        "All Program Parameters have been reset to factory defaults."};
    const int commands[] = {0x72, 0x82, 0x90, 0x91, 0xA5};

    for (int i = 0; i < 5; ++i) {
        prompts.clear();
        EXPECT_EQ(dialog.commandButton(i)->text(), captions[i]);
        prompts.answerNext(PromptAnswer::Yes);
        dialog.commandButton(i)->click();
        EventPump::deliverPosted();
        ASSERT_EQ(prompts.shown().size(), 2) << i;
        EXPECT_EQ(prompts.shown()[0].text, questions[i]);
        EXPECT_EQ(prompts.shown()[0].buttons, PromptButtons::YesNo);
        EXPECT_EQ(prompts.shown()[1].text, reports[i]);
        ASSERT_EQ(unit.writes().size(), i + 1);
        EXPECT_EQ(unit.writes().last().address, 0x27);
        EXPECT_EQ(unit.writes().last().data, bytes({commands[i]}));
    }
    EXPECT_TRUE(dialog.isVisible()) << "several commands in one visit";
    dialog.doneButton()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(menu.replies().isEmpty()) << "the dialog checks its own acknowledgements";
}

TEST_F(ResetData, NoSendsNothing)
{
    CResetDataDlg dialog(link, prompts, table.slot(COMMAND_SLOT));
    prompts.answerNext(PromptAnswer::No);
    dialog.commandButton(4)->click();
    EventPump::deliverPosted();
    EXPECT_EQ(prompts.shown().size(), 1);
    EXPECT_TRUE(serialUnit.frames().isEmpty());
}

TEST_F(ResetData, ARefusedCommandShows1043InsteadOfTheReport)
{
    unit.setMute(true);
    CResetDataDlg dialog(link, prompts, table.slot(COMMAND_SLOT));
    prompts.answerNext(PromptAnswer::Yes);
    dialog.commandButton(0)->click();
    EventPump::deliverPosted();
    EXPECT_EQ(
        prompts.texts(),
        (QStringList{QStringLiteral("Are you sure you want to erase the Periodic Logged Data?"),
                     READ_ERROR}));
}

TEST_F(ResetData, ABadAcknowledgementIsShownAsString2601)
{
    unit.spoilAcknowledgements(1);
    CResetDataDlg dialog(link, prompts, table.slot(COMMAND_SLOT));
    prompts.answerNext(PromptAnswer::Yes);
    dialog.commandButton(1)->click();
    ASSERT_TRUE(EventPump::waitUntil([&] { return prompts.shown().size() == 3; }));
    EXPECT_EQ(prompts.texts().last(), BAD_ACKNOWLEDGEMENT);
    EXPECT_EQ(prompts.texts()[1], QStringLiteral("5% Logged Data has been cleared."));
}
