#include "config/CConfiguration.h"
#include "display/CLiveItemTable.h"
#include "display/OptionsApply.h"
#include "display/ui/COptionsSheet.h"
#include "display/ui/CReportLabelsDlg.h"
#include "link/CUnitLink.h"
#include "link/LinkSettingsForwarder.h"
#include "link/ui/COptionsPgAdvanced.h"
#include "link/ui/COptionsPgCommunications.h"
#include "logged/ui/COptionsPgLoggedData.h"
#include "resources/StringTable.h"
#include "shell/CColorStatic.h"
#include "shell/CIpAddressCtrl.h"
#include "shell/COptionsPgDisplayData.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/StandInUnit.h"
#include "tests/support/TestFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Once the modal dialog of type Dialog shows, does action on it.
template <typename Dialog> void whenShown(std::function<void(Dialog&)> action)
{
    QTimer::singleShot(
        0, [action] { action(dynamic_cast<Dialog&>(*QApplication::activeModalWidget())); });
}

// A control of the sheet by the numeric id it carries as its object name.
template <typename Control> Control* byId(const COptionsSheet& sheet, int id)
{
    return sheet.findChild<Control*>(QString::number(id));
}

// A control of the communications page by its object name.
template <typename Control> Control* named(const QObject& page, const char* name)
{
    return page.findChild<Control*>(QLatin1String(name));
}

// The fields the checks of OK look at (by Where), and the settings the thresholds give.
enum Where { Volts, Percent, Temp, Name, Address, Cumulative };
constexpr float Settings::*Threshold[] = {&Settings::voltThreshold, &Settings::percentFullThreshold,
                                          &Settings::temperatureThreshold};
QLineEdit* (*const fieldAt[])(COptionsSheet&) = {
    [](COptionsSheet& s) { return byId<QLineEdit>(s, 1140); },
    [](COptionsSheet& s) { return byId<QLineEdit>(s, 1141); },
    [](COptionsSheet& s) { return byId<QLineEdit>(s, 1146); },
    [](COptionsSheet& s) {
        byId<QLineEdit>(s, 1140)->clear(); // refused too, but its page comes later
        return named<QLineEdit>(s, "nameField");
    },
    [](COptionsSheet& s) {
        named<QRadioButton>(s, "networkButton")->click();
        named<QRadioButton>(s, "addressButton")->click();
        return named<CIpAddressCtrl>(s, "address")->field(2);
    },
    [](COptionsSheet& s) {
        byId<QCheckBox>(s, 1168)->click();
        return byId<QLineEdit>(s, 1079);
    }};

class OptionsSheet : public ::testing::Test {
protected:
    void SetUp() override
    {
        settings.dataFolder = folder.path();
        settings.comPort = 3;
        link.ports().setAlias(3, QStringLiteral("/dev/null"));
        items.build(OptionsApply::liveItemSettings(settings));
        link.SetOwner(&mainWindow);
    }
    Settings afterOk(COptionsSheet& sheet)
    {
        sheet.accept();
        EXPECT_EQ(sheet.result(), QDialog::Accepted) << prompts.texts().join(u'|').toStdString();
        return sheet.settings();
    }

    QTemporaryDir folder;
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
    CLiveItemTable items{StringTable::builtIn()};
    Settings settings;
    QObject mainWindow;
};

} // namespace

TEST_F(OptionsSheet, OkLetsEachPageCheckItsValuesInTurnAndStaysOnTheFirstThatRefuses)
{
    const char* const VoltRange = "Volt Threshold must be between 0 to 100.";
    const char* const PercentRange = "Percent Full Threshold must be between 0 to 100.";
    const char* const TempRange = "Temperature Threshold must be between -128 to +127.";
    const int Accepted = -1;
    const std::tuple<Where, const char*, int, const char*, float> cases[] = {
        {Volts, "0", 1, VoltRange, 0},
        {Volts, "100", 1, VoltRange, 0},
        {Volts, "0.1", Accepted, "", 0.1f},
        {Volts, "13.5 Volts", Accepted, "", 13.5f},
        {Volts, "0000000010", Accepted, "", 1.0f}, // the tenth character is never read
        {Percent, "", 1, PercentRange, 0},         // checked with its colouring off too
        {Temp, "-128", 1, TempRange, 0},
        {Temp, "127", 1, TempRange, 0},
        {Temp, "-127.9", Accepted, "", -127.9f},
        {Temp, "126.9", Accepted, "", 126.9f},
        {Temp, "warm", Accepted, "", 0.0f}, // not a number: 0, which a temperature may be
        {Name, "", 0, "The NetBIOS name is blank. Please try again.", 0},
        {Address, "", 0, "The IP Address is invalid. Please try again.", 0},
        {Cumulative, "C.csv", 2,
         "Could not open file:\n /no/such/folder/C.csv\r\rPlease enter a valid file name for the "
         "Periodic Data file.",
         0},
    };
    settings.percentFullInColor = false;
    settings.dataFolder = QStringLiteral("/no/such/folder");
    for (const auto& [where, text, refusingPage, message, stored] : cases) {
        SCOPED_TRACE(std::to_string(where) + " " + text);
        prompts.clear();
        COptionsSheet sheet(settings, link, items, prompts);
        sheet.tabs()->setCurrentIndex(3);
        fieldAt[where](sheet)->setText(QString::fromUtf8(text));
        if (refusingPage == Accepted) {
            EXPECT_FLOAT_EQ(afterOk(sheet).*Threshold[where], stored);
            continue;
        }
        sheet.accept();
        EXPECT_NE(sheet.result(), QDialog::Accepted);
        EXPECT_EQ(sheet.tabs()->currentIndex(), refusingPage);
        EXPECT_EQ(prompts.texts(), QStringList{message});
    }
}

TEST_F(OptionsSheet, EveryPageShowsTheSettingsFromTheFileAndOkGivesThemBackToTheLinkAndTheFile)
{
    const ConfigFolders folders{folder.filePath("program"), folder.filePath("appdata"),
                                folder.filePath("documents")};
    ASSERT_TRUE(QDir().mkpath(folders.applicationFolder()));
    ASSERT_TRUE(
        putFileBytes(folders.configFilePath(),
                     "[OPTIONS]\nPORTTYPE=1\nCOMPORT=3\nAUTOPOLL_SERPORT=1\n"
                     "IPADDRESS=-1062731510\nLISTENPORT=4321\nUSENETBIOS=0\nNETBIOSNAME=SHED\n"
                     "USEWATTCLR=0\nUSEPERCLR=0\nRGBLOW=65280\nRGBHIGH=16711680\n"
                     "VOLTTHRESH=12.5\nPERTHRESH=40\nTEMPTHRESH=-5.5\nTEMPOPTION=1153\n"
                     "DISPUPDATE=7\nAVGCYCLES=99\nDATAORDER=1\nPDATASAVE=1\nCHARGEDVALUE=1\n"
                     "DWNLDPERIODIC=0\nDWNLDINTERVAL=0\nUSEDEFAULTLABELS=0\nCLEARLOGDATA=1\n"
                     "AUTOSYNCTIME=1\nSER_TIMEOUT_RDINT=1\nSER_TIMEOUT_WRTOTCONST=5\n"
                     "SINGLEFILEPD=1\nSINGLEPDFILENAME=All.csv\n"));
    LinkSettingsForwarder toLink(link);
    CConfiguration configuration(folders, prompts);
    Settings current = configuration.load(toLink);
    const QString cumulative = current.dataFolder + QStringLiteral("/All.csv");
    COptionsSheet sheet(current, link, items, prompts);
    EXPECT_FALSE(byId<QLineEdit>(sheet, 1141)->isEnabled()); // its colouring is off
    byId<QCheckBox>(sheet, 1143)->click();
    EXPECT_TRUE(byId<QLineEdit>(sheet, 1141)->isEnabled());
    // Out of their ranges the speed opens as Fast and the averaging as its nearest entry.
    Settings expected = current;
    std::tie(expected.displaySpeed, expected.averagingCycles, expected.percentFullInColor) =
        std::tuple(2, 15, true);
    EXPECT_EQ(afterOk(sheet), expected);
    EXPECT_EQ(fileBytes(cumulative), QByteArray()); // OK creates the cumulative file...
    ASSERT_TRUE(putFileBytes(cumulative, "Date Time,AHr 1\r"));
    EXPECT_EQ(afterOk(sheet).cumulativeFileName, QStringLiteral("All.csv"));
    EXPECT_EQ(fileBytes(cumulative), "Date Time,AHr 1\r"); // ...and never empties it
    byId<QCheckBox>(sheet, 1168)->click();                 // off: the name is no longer kept
    EXPECT_TRUE(afterOk(sheet).cumulativeFileName.isEmpty());

    link.SetPortType(PORT_SERIAL);
    OptionsApply::apply(expected, current, link, items);
    EXPECT_EQ(link.GetPortType(), PORT_TCP);
    EXPECT_EQ(link.GetSerialTimeouts(), (SerialTimeouts{1, 10, 2000, 10, 5}));
    EXPECT_EQ(items.item(28).unitText, QStringLiteral("Deg(F)"));
    ASSERT_TRUE(configuration.save(current));
    EXPECT_EQ(CConfiguration(folders, prompts).load(toLink), current);
}

TEST_F(OptionsSheet, RunGivesTheChangesBackOnOkOnlyAndTheLinkToItsOwnerEitherWay)
{
    settings.serialTimeouts = SerialTimeouts{1, 2, 3, 4, 5};
    for (auto button : {QDialogButtonBox::Ok, QDialogButtonBox::Cancel}) {
        whenShown<COptionsSheet>([button](COptionsSheet& sheet) {
            int chosen = 0; // the second chooser is cancelled
            sheet.displayPage()->setColorChooser(
                [&chosen](const QColor&, QWidget*) { return chosen++ ? QColor() : Qt::blue; });
            sheet.displayPage()->chooseColorAbove();
            sheet.displayPage()->chooseColorBelow();
            whenShown<CReportLabelsDlg>([](CReportLabelsDlg& labels) {
                labels.field(0)->setText(QStringLiteral("Solar AH"));
                labels.accept();
            });
            byId<QPushButton>(sheet, 1026)->click();
            sheet.advancedPage()->defaultsButton()->click();
            sheet.advancedPage()->timeoutField(0)->clear(); // stored as 0
            sheet.advancedPage()->timeoutField(2)->setText(QStringLiteral("4321"));
            sheet.communicationsPage()->TestSerial(); // makes the test the link's owner
            sheet.buttons()->button(button)->click();
        });
        const auto chosen = COptionsSheet::Run(settings, link, items, prompts, &mainWindow);
        EXPECT_EQ(link.GetOwner(), &mainWindow);
        if (button == QDialogButtonBox::Cancel) {
            EXPECT_FALSE(chosen.has_value());
            continue;
        }
        ASSERT_TRUE(chosen.has_value());
        EXPECT_EQ(std::pair(chosen->colorHigh, chosen->colorLow), std::pair(0xFF0000u, 0xFFu));
        EXPECT_EQ(chosen->reportLabels[0], QStringLiteral("Solar AH"));
        EXPECT_EQ(chosen->askForLabelsBeforeDownload, false);
        EXPECT_EQ(chosen->serialTimeouts, (SerialTimeouts{0, 10, 4321, 10, 2000}));
        // The serial test used the time-outs as they were being edited.
        EXPECT_EQ(link.GetSerialTimeouts(), chosen->serialTimeouts);
    }
}

TEST_F(OptionsSheet, TheTestButtonsRunOnTheFieldsAndShowWhatTheTestsFind)
{
    StandInUnit unit;
    unit.attach(link, Transport::Serial);
    unit.setRecord(0xF7, QByteArray(1, 35));
    settings.ipAddress = 0x7F000001; // 127.0.0.1 only when shown high byte first
    settings.adapterPort = unit.tcpPort();
    QList<ComPort> ports{{2, "/dev/gone"}, {7, unit.serialDevice()}, {10, "/dev/gone too"}};
    COptionsSheet sheet(settings, link, items, prompts);
    COptionsPgCommunications& page = *sheet.communicationsPage();
    page.setPortLister([&ports] { return ports; });
    page.loadSettings(settings);
    auto* portList = named<QComboBox>(page, "portList");
    auto* serialTest = named<QPushButton>(page, "serialTest");
    auto* serialStatus = named<CColorStatic>(page, "serialStatus");
    auto* address = named<CIpAddressCtrl>(page, "address");
    auto* networkTest = named<QPushButton>(page, "networkTest");
    auto* firmware = named<QLabel>(page, "firmwareValue");
    EXPECT_EQ(portList->itemText(0), QStringLiteral("Com 10")); // sorted by text
    portList->setCurrentIndex(2); // "Com 7": the entry's port, not its place, is tested
    serialTest->click();
    EventPump::deliverPosted();
    EXPECT_EQ(serialStatus->text(), QStringLiteral("CW Unit found on Com 7"));
    EXPECT_EQ(serialStatus->textColor(), QColor(0, 128, 0));
    // A search lists the ports again and chooses the one that answered.
    ports.append({30, "/dev/gone 3"});
    portList->setCurrentIndex(1);
    named<QCheckBox>(page, "autoSearch")->click();
    EXPECT_FALSE(portList->isEnabled());
    serialTest->click();
    EXPECT_EQ(portList->count(), 4);
    EXPECT_EQ(portList->currentText(), QStringLiteral("Com 7"));

    named<QRadioButton>(page, "networkButton")->click();
    EXPECT_FALSE(serialTest->isEnabled() || address->isEnabled());
    named<QRadioButton>(page, "addressButton")->click();
    networkTest->click();
    ASSERT_TRUE(EventPump::waitUntil([&] { return !prompts.shown().isEmpty(); }));
    EXPECT_EQ(named<CColorStatic>(page, "networkStatus")->text(),
              QStringLiteral("PASSWORD CONFIRMED"));
    EXPECT_EQ(named<QLabel>(page, "interfaceVersion")->text(),
              QStringLiteral("Network Interface version: 1.2"));
    EXPECT_EQ(firmware->text(), QStringLiteral("3.5"));
    EXPECT_TRUE(firmware->isEnabled());
    address->field(1)->clear(); // refused before connecting, firmware hidden
    networkTest->click();
    EXPECT_FALSE(firmware->isEnabled());
    // Default Values: the adapter's factory name and port, nothing else.
    named<QPushButton>(page, "defaults")->click();
    EXPECT_TRUE(named<QLineEdit>(page, "nameField")->isEnabled() && !address->isEnabled());
    const Settings stored = afterOk(sheet);
    EXPECT_EQ(std::tuple(stored.portType, stored.connectByAdapterName, stored.ipAddress,
                         stored.adapterPort),
              std::tuple(1, true, 0x7F000001u, 1701u));
}
