#include "programming/ParameterSession.h"
#include "programming/ui/CParameterDlg.h"
#include "programming/ui/CProgramModesMenu.h"
#include "programming/ui/CResetDataDlg.h"
#include "programming/ui/CVolt2LabelDlg.h"
#include "tests/programming/ProgrammingFixture.h"
#include "tests/support/ModalDriver.h"

#include <QLineEdit>

namespace {

// Acts in the dialog that a button of the menu opens, once its records are read.
void fromMenu(QWidget& menu, const char* caption, const std::function<void(CParameterDlg&)>& act)
{
    whenModal<CParameterDlg>([act](CParameterDlg& dialog) {
        QPushButton* ok = okOf(dialog);
        ASSERT_TRUE(EventPump::waitUntil([ok] { return ok->isEnabled(); }));
        act(dialog);
        ok->click();
    });
    button(menu, caption)->click();
}

class ProgramModesMenu : public OnUnit {
protected:
    // Runs the menu as the main window does, acting in it until Done.
    CProgramModesMenu::Result run(const std::function<void(CProgramModesMenu&)>& act)
    {
        whenModal<CProgramModesMenu>([act](CProgramModesMenu& menu) {
            act(menu);
            button(menu, "Done")->click();
        });
        return CProgramModesMenu::Run(link, {}, 200, 100, QStringLiteral("Battery 2"), 2.5f,
                                      prompts, nullptr);
    }
};

class ProgramModesMenuButtons : public OnUnit {};

} // namespace

TEST_P(ProgramModesMenu, OwnsTheLinkAndProgramsTheUnitThroughItsDialogs)
{
    const auto result = run([this](CProgramModesMenu& menu) {
        EXPECT_EQ(link.GetOwner(), &menu);
        RepliesTaken acknowledgements(menu);
        // "No Battery" for P15 turns the battery 2 buttons off at once.
        fromMenu(menu, "P15: Batt2 Enable/Capacity",
                 [](CParameterDlg& dialog) { button(dialog, "noBattery")->click(); });
        ASSERT_TRUE(EventPump::waitUntil([&] { return acknowledgements.count == 1; }));
        EXPECT_FALSE(button(menu, "P28: Batt2 Lo Alarm Setpoint")->isEnabled());
        EXPECT_TRUE(button(menu, "P26: Batt1 Lo Alarm Setpoint")->isEnabled());

        fromMenu(menu, "P6-9: Amp/Volt Labels", [](CParameterDlg& dialog) {
            whenModal<CVolt2LabelDlg>([](CVolt2LabelDlg& label) {
                label.findChild<QLineEdit*>(QStringLiteral("label"))->setText("Starter battery");
                label.accept();
            });
            button(dialog, "volt2Label")->click();
        });
        ASSERT_TRUE(EventPump::waitUntil([&] { return acknowledgements.count == 2; }));

        // Every erase asks first; No sends nothing.
        prompts.answerNext(PromptAnswer::No);
        prompts.answerNext(PromptAnswer::Yes);
        whenModal<CResetDataDlg>([](CResetDataDlg& dialog) {
            RepliesTaken acknowledged(*dialog.findChild<ParameterSession*>());
            button(dialog, "command1")->click();
            button(dialog, "command1")->click();
            EXPECT_TRUE(EventPump::waitUntil([&] { return acknowledged.count == 1; }));
            dialog.accept();
        });
        button(menu, "P45-49: Erase / Initialize Data")->click();
    });
    EXPECT_FALSE(result.battery2Present);
    EXPECT_EQ(result.battery2Capacity, 0);
    EXPECT_EQ(result.volt2Label, QStringLiteral("Starter ba")) << "ten characters at most";
    EXPECT_EQ(written(), (QList<Record>{{0xF1, bytesOf({0, 0})},
                                        {0xE1, bytesOf({0x06, 0x06, 0x01})},
                                        {0x27, bytesOf({0x72})}}));
    ASSERT_EQ(prompts.shown().size(), 3);
    EXPECT_EQ(prompts.shown()[1].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompts.shown()[2].icon, PromptIcon::Information) << "the report, after Yes";
}

INSTANTIATE_TEST_SUITE_P(Both, ProgramModesMenu, BothTransports, TransportName);

TEST_P(ProgramModesMenuButtons, OpenTheDialogOfTheirRecordsAndAreOnByBatteriesAndFirmware)
{
    // In the menu's order, the record each dialog reads first; the erase dialog reads none.
    const QList<int> firstReads{0xFF, 0xFE, 0xFD, 0xFC, 0xFB, 0xE1, 0xF6, 0xF2, 0xF1,
                                0xF3, 0xCE, 0xCD, 0xEC, 0xEA, 0xEB, 0xE9, 0xD4, 0xE8,
                                0xE7, 0xE5, 0xE3, 0xE2, 0xF9, 0xD0, 0xD1, -1,   0x90};
    CProgramModesMenu menu(link, {}, 200, 100, QString(), 2.5f, prompts);
    QList<int> reads;
    for (QPushButton* each : menu.findChildren<QPushButton*>()) {
        if (!each->isEnabled() || each->objectName() == QStringLiteral("Done"))
            continue;
        unit.clearRequests();
        whenModal<QDialog>([&](QDialog& dialog) {
            EventPump::deliverPosted();
            reads.append(readAddresses().value(0, -1));
            dialog.reject();
        });
        each->click();
    }
    EXPECT_EQ(reads, firstReads);

    CProgramModesMenu older(link, {}, 200, 0, QString(), 1.9f, prompts);
    EXPECT_FALSE(button(older, "Network TCP/IP Settings")->isEnabled());
    EXPECT_FALSE(button(older, "P28: Batt2 Lo Alarm Setpoint")->isEnabled());
    EXPECT_TRUE(button(older, "P26: Batt1 Lo Alarm Setpoint")->isEnabled());
}

// The dialogs close before their records come, which only a serial link lets go unanswered.
INSTANTIATE_TEST_SUITE_P(Serial, ProgramModesMenuButtons, SerialOnly, TransportName);
