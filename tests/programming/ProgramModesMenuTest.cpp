#include "programming/ui/CBatteryCapacityDlg.h"
#include "programming/ui/CFilterTimeDlg.h"
#include "programming/ui/CLabelsDlg.h"
#include "programming/ui/CProgramModesMenu.h"
#include "programming/ui/CVolt2LabelDlg.h"
#include "shell/CColorStatic.h"
#include "tests/programming/ModalDriver.h"
#include "tests/programming/SerialDialogFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

using namespace DialogTexts;

namespace {

const QStringList BATTERY1_BUTTONS{"P22-23: Alarm Enable Batt 1", "P26: Batt1 Lo Alarm Setpoint",
                                   "P27: Batt1 Hi Alarm Setpoint", "P32: Batt1 Charged Criteria"};
const QStringList BATTERY2_BUTTONS{"P24-25: Alarm Enable Batt 2", "P28: Batt2 Lo Alarm Setpoint",
                                   "P29: Batt2 Hi Alarm Setpoint", "P33: Batt2 Charged Criteria"};
const QString NETWORK = QStringLiteral("Network TCP/IP Settings");

class ProgramModesMenu : public SerialDialogTest {
protected:
    std::unique_ptr<CProgramModesMenu> openMenu(std::uint16_t battery1, std::uint16_t battery2,
                                                float firmware = 2.0f)
    {
        auto menuDialog =
            std::make_unique<CProgramModesMenu>(link, QStringList{}, battery1, battery2,
                                                QStringLiteral("Battery 2"), firmware, prompts);
        menuDialog->show();
        return menuDialog;
    }

    static bool allEnabled(const CProgramModesMenu& menuDialog, const QStringList& captions,
                           bool enabled)
    {
        for (const QString& caption : captions)
            if (menuDialog.button(caption)->isEnabled() != enabled)
                return false;
        return true;
    }

    // Waits in the modal dialog for its record, then runs action.
    template <typename Dialog> void whenRead(const std::function<void(Dialog&)>& action)
    {
        whenModal<Dialog>([action](Dialog& dialog) {
            ASSERT_TRUE(EventPump::waitUntil([&] { return dialog.hasRead(); }));
            action(dialog);
        });
    }
};

} // namespace

TEST_F(ProgramModesMenu, OwnsTheLinkWhileItIsOpen)
{
    auto menuDialog = openMenu(200, 200);
    EXPECT_EQ(menuDialog->windowTitle(), QStringLiteral("Program Modes"));
    EXPECT_EQ(link.GetOwner(), menuDialog.get());
}

TEST_F(ProgramModesMenu, NetworkSettingsNeedFirmware2)
{
    EXPECT_FALSE(openMenu(200, 200, 1.9f)->button(NETWORK)->isEnabled());
    EXPECT_TRUE(openMenu(200, 200, 2.0f)->button(NETWORK)->isEnabled());
}

TEST_F(ProgramModesMenu, ChargeControlAndLoadDefaultsAreAlwaysDisabled)
{
    auto menuDialog = openMenu(200, 200, 3.0f);
    EXPECT_FALSE(menuDialog->button(QStringLiteral("P17-20: Charge Control"))->isEnabled());
    EXPECT_FALSE(menuDialog->button(QStringLiteral("Load Defaults from File..."))->isEnabled());
}

TEST_F(ProgramModesMenu, BatteryButtonsFollowTheCapacitiesItWasGiven)
{
    auto menuDialog = openMenu(200, 0);
    EXPECT_TRUE(allEnabled(*menuDialog, BATTERY1_BUTTONS, true));
    EXPECT_TRUE(allEnabled(*menuDialog, BATTERY2_BUTTONS, false));
    const auto back = menuDialog->handBack();
    EXPECT_TRUE(back.battery1Present);
    EXPECT_FALSE(back.battery2Present);
    EXPECT_EQ(back.battery1Capacity, 200);
    EXPECT_EQ(back.volt2Label, QStringLiteral("Battery 2"));
}

TEST_F(ProgramModesMenu, NoBatteryForP15DisablesTheFourBattery2ButtonsAtOnce)
{
    unit.setRecord(0xF1, bytes({0xB4, 0x00}));
    auto menuDialog = openMenu(200, 180);
    ASSERT_TRUE(allEnabled(*menuDialog, BATTERY2_BUTTONS, true));

    whenRead<CBatteryCapacityDlg>([](CBatteryCapacityDlg& dialog) {
        EXPECT_EQ(dialog.header()->text(), QStringLiteral("P15: Battery 2 Capacity"));
        dialog.noBatteryBox()->click();
        dialog.okButton()->click();
    });
    menuDialog->button(QStringLiteral("P15: Batt2 Enable/Capacity"))->click();
    EXPECT_TRUE(allEnabled(*menuDialog, BATTERY2_BUTTONS, false));
    EXPECT_TRUE(allEnabled(*menuDialog, BATTERY1_BUTTONS, true));
    EXPECT_EQ(unit.record(0xF1), bytes({0x00, 0x00}));
    const auto back = menuDialog->handBack();
    EXPECT_FALSE(back.battery2Present);
    EXPECT_EQ(back.battery2Capacity, 0);

    whenRead<CBatteryCapacityDlg>([](CBatteryCapacityDlg& dialog) {
        dialog.noBatteryBox()->click();
        dialog.ampHoursEdit()->setText(QStringLiteral("220"));
        dialog.okButton()->click();
    });
    menuDialog->button(QStringLiteral("P15: Batt2 Enable/Capacity"))->click();
    EXPECT_TRUE(allEnabled(*menuDialog, BATTERY2_BUTTONS, true));
    EXPECT_EQ(menuDialog->handBack().battery2Capacity, 220);
}

TEST_F(ProgramModesMenu, CancellingTheCapacityDialogChangesNothing)
{
    unit.setRecord(0xF2, bytes({0xC8, 0x00}));
    auto menuDialog = openMenu(200, 180);
    whenRead<CBatteryCapacityDlg>([](CBatteryCapacityDlg& dialog) {
        dialog.noBatteryBox()->click();
        dialog.reject();
    });
    menuDialog->button(QStringLiteral("P14: Batt1 Enable/Capacity"))->click();
    EXPECT_TRUE(allEnabled(*menuDialog, BATTERY1_BUTTONS, true));
    EXPECT_TRUE(menuDialog->handBack().battery1Present);
    EXPECT_TRUE(unit.writes().isEmpty());
}

TEST_F(ProgramModesMenu, TheVolt2LabelIsTakenBackOnlyWhenTheLabelsDialogEndsWithOk)
{
    auto menuDialog = openMenu(200, 180);
    const auto editLabel = [](const QString& label, bool okLabels) {
        return [label, okLabels](CLabelsDlg& dialog) {
            whenModal<CVolt2LabelDlg>([label](CVolt2LabelDlg& labelDialog) {
                labelDialog.labelEdit()->setText(label);
                labelDialog.accept();
            });
            dialog.volt2LabelButton()->click();
            if (okLabels)
                dialog.okButton()->click();
            else
                dialog.reject();
        };
    };
    whenRead<CLabelsDlg>(editLabel(QStringLiteral("Starter"), false));
    menuDialog->button(QStringLiteral("P6-9: Amp/Volt Labels"))->click();
    EXPECT_EQ(menuDialog->handBack().volt2Label, QStringLiteral("Battery 2"));

    whenRead<CLabelsDlg>(editLabel(QStringLiteral("House"), true));
    menuDialog->button(QStringLiteral("P6-9: Amp/Volt Labels"))->click();
    EXPECT_EQ(menuDialog->handBack().volt2Label, QStringLiteral("House"));
}

TEST_F(ProgramModesMenu, ChecksTheAcknowledgementOfADialogsWriteAndShows2601WhenItDiffers)
{
    unit.setRecord(0xF3, bytes({0x01}));
    auto menuDialog = openMenu(200, 180);
    whenRead<CFilterTimeDlg>([](CFilterTimeDlg& dialog) { dialog.okButton()->click(); });
    menuDialog->button(QStringLiteral("P16: Filter Time"))->click();
    EventPump::deliverPosted();
    EXPECT_TRUE(prompts.shown().isEmpty()) << "a matching acknowledgement is quiet";

    unit.spoilAcknowledgements(1);
    whenRead<CFilterTimeDlg>([](CFilterTimeDlg& dialog) { dialog.okButton()->click(); });
    menuDialog->button(QStringLiteral("P16: Filter Time"))->click();
    ASSERT_TRUE(EventPump::waitUntil([&] { return !prompts.shown().isEmpty(); }));
    EXPECT_EQ(prompts.texts(), QStringList{BAD_ACKNOWLEDGEMENT});
    EXPECT_EQ(unit.writes().size(), 2);
}

TEST_F(ProgramModesMenu, EveryButtonOpensTheDialogOfItsGroup)
{
    const QList<QPair<QString, QString>> opens{
        {"P1: Switch Select #1", "P1: Item choices for Display Unit select switch #1"},
        {"P5: Switch Select #5", "P5: Item choices for Display Unit select switch #5"},
        {"P6-9: Amp/Volt Labels", "P6-9: Choose labels for Amps and Volts"},
        {"P11-13: Shunt Selection", "P11-13: Specify the type of shunt used for each Amp channel."},
        {"P14: Batt1 Enable/Capacity", "P14: Battery 1 Capacity"},
        {"P22-23: Alarm Enable Batt 1", "P22-23: Battery 1 Alarm Enable/Disable"},
        {"P24-25: Alarm Enable Batt 2", "P24-25: Battery 2 Alarm Enable/Disable"},
        {"P26: Batt1 Lo Alarm Setpoint", "P26: Battery 1 Low Alarm Setpoint"},
        {"P27: Batt1 Hi Alarm Setpoint", "P27: Battery 1 High Alarm Setpoint"},
        {"P28: Batt2 Lo Alarm Setpoint", "P28: Battery 2 Low Alarm Setpoint"},
        {"P29: Batt2 Hi Alarm Setpoint", "P29: Battery 2 High Alarm Setpoint"},
        {"P30-31: Relay On/Off Setpoint", "P30-31: Relay Control"},
        {"P32: Batt1 Charged Criteria", "P32: Battery 1 Charge Criteria"},
        {"P33: Batt2 Charged Criteria", "P33: Battery 2 Charge Criteria"},
        {"P34-35: Batt Eff. Comp.", "P34-35: Battery Efficiency\n(Self-discharge Compensation)"},
        {"P36: Time Between Equalize",
         "P36: Alarm if battery has not been Equalized for this many consecutive days."},
        {"P37: Time between Charge",
         "P37: Alarm if battery does not reach Charged Criteria for this many consecutive days."},
        {"P38: Time / Date", "P38: Set Time and Day"},
        {"P39:-42: Periodic Logged Data", "P39-42: Periodic Logged Data"},
        {"P43: Discharge Profile Data", "P43: Battery Discharge Profile \nLogged Data"},
    };
    auto menuDialog = openMenu(200, 180);
    for (const auto& [caption, header] : opens) {
        QString shown;
        whenRead<CParameterDlg>([&shown](CParameterDlg& dialog) {
            shown = dialog.header()->text();
            dialog.reject();
        });
        menuDialog->button(caption)->click();
        EXPECT_EQ(shown, header) << caption.toStdString();
    }

    QString title;
    whenModal<QDialog>([&title](QDialog& dialog) {
        title = dialog.windowTitle();
        dialog.reject();
    });
    menuDialog->button(QStringLiteral("P45-49: Erase / Initialize Data"))->click();
    EXPECT_EQ(title, QStringLiteral("Reset or Initialize Data"));

    whenModal<QDialog>([&title](QDialog& dialog) {
        title = dialog.windowTitle();
        dialog.reject();
    });
    menuDialog->button(NETWORK)->click();
    EXPECT_EQ(title, QStringLiteral("Network Settings"));
    EXPECT_TRUE(unit.writes().isEmpty());
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(ProgramModesMenu, DoneClosesTheMenuWithOk)
{
    auto menuDialog = openMenu(200, 180);
    menuDialog->button(QStringLiteral("Done"))->click();
    EXPECT_EQ(menuDialog->result(), QDialog::Accepted);
    EXPECT_FALSE(menuDialog->isVisible());
}
