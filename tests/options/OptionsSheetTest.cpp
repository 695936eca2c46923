#include "config/CConfiguration.h"
#include "config/LinkSettingsSink.h"
#include "display/CLiveItemTable.h"
#include "display/OptionsApply.h"
#include "display/ui/COptionsSheet.h"
#include "display/ui/CReportLabelsDlg.h"
#include "link/CUnitLink.h"
#include "link/ui/COptionsPgAdvanced.h"
#include "link/ui/COptionsPgCommunications.h"
#include "logged/ui/COptionsPgLoggedData.h"
#include "resources/StringTable.h"
#include "shell/CColorStatic.h"
#include "shell/CIpAddressCtrl.h"
#include "shell/COptionsPgDisplayData.h"
#include "tests/support/ScriptedPrompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString VoltMessage = QStringLiteral("Volt Threshold must be between 0 to 100.");
const QString BlankName = QStringLiteral("The NetBIOS name is blank. Please try again.");

// Runs action on the dialog of type Dialog once it is shown modally (a safety limit ends a
// dialog that never closes, so a broken test fails instead of hanging).
template <typename Dialog> void whenShown(const std::function<void(Dialog&)>& action)
{
    auto* poll = new QTimer(qApp);
    auto* limit = new QTimer(poll);
    limit->setSingleShot(true);
    QObject::connect(limit, &QTimer::timeout, poll, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            static_cast<QDialog*>(modal)->done(QDialog::Rejected);
    });
    QObject::connect(poll, &QTimer::timeout, [poll, action] {
        auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        poll->stop();
        action(*dialog);
        poll->deleteLater();
    });
    poll->start(10);
    limit->start(10000);
}

void whenSheetShows(const std::function<void(COptionsSheet&)>& action)
{
    whenShown<COptionsSheet>(action);
}

class NoLink : public LinkSettingsSink {
public:
    void SetPortType(int) override {}
    void SetComPort(int) override {}
    void SetHost(const QString&, quint32) override {}
    void SetSerialTimeouts(const SerialTimeouts&) override {}
};

class OptionsSheet : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        settings.dataPath = folder.path();
        settings.comPort = 0;
        items.build(OptionsApply::liveItemSettings(settings));
    }

    QTemporaryDir folder;
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
    CLiveItemTable items{StringTable::builtIn()};
    Settings settings;
    QObject mainWindow;
};

} // namespace

TEST_F(OptionsSheet, ShowsItsFourPagesInOrder)
{
    COptionsSheet sheet(settings, link, items, prompts);
    EXPECT_EQ(sheet.windowTitle(), QStringLiteral("Options"));
    ASSERT_EQ(sheet.tabs()->count(), 4);
    EXPECT_EQ(sheet.tabs()->tabText(0), QStringLiteral("Communications"));
    EXPECT_EQ(sheet.tabs()->tabText(1), QStringLiteral("Display Data"));
    EXPECT_EQ(sheet.tabs()->tabText(2), QStringLiteral("Logged Data"));
    EXPECT_EQ(sheet.tabs()->tabText(3), QStringLiteral("Advanced"));
    EXPECT_EQ(sheet.tabs()->widget(0), sheet.communicationsPage());
    EXPECT_EQ(sheet.tabs()->widget(3), sheet.advancedPage());
}

TEST_F(OptionsSheet, OkCopiesTheValuesOfEveryPageBack)
{
    COptionsSheet sheet(settings, link, items, prompts);
    sheet.communicationsPage()->autoSearchBox()->setChecked(true);
    sheet.displayPage()->voltsEdit()->setText(QStringLiteral("12.8"));
    sheet.loggedPage()->newestButton()->setChecked(true);
    sheet.advancedPage()->timeoutField(0)->setText(QStringLiteral("250"));
    sheet.buttons()->button(QDialogButtonBox::Ok)->click();

    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    Settings expected = settings;
    expected.autoPollSerialPort = 1;
    expected.voltThreshold = 12.8f;
    expected.dataOrder = 1;
    expected.serialTimeouts.readInterval = 250;
    EXPECT_EQ(sheet.settings(), expected);
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(OptionsSheet, APageThatRefusesItsValuesKeepsTheSheetOpenOnThatPage)
{
    COptionsSheet sheet(settings, link, items, prompts);
    sheet.tabs()->setCurrentIndex(3);
    sheet.displayPage()->voltsEdit()->setText(QStringLiteral("100"));
    sheet.accept();
    EXPECT_NE(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(sheet.tabs()->currentIndex(), 1);
    EXPECT_EQ(prompts.texts(), QStringList{VoltMessage});

    // The first page is checked first.
    prompts.clear();
    sheet.communicationsPage()->networkButton()->click();
    sheet.communicationsPage()->nameField()->clear();
    sheet.accept();
    EXPECT_EQ(sheet.tabs()->currentIndex(), 0);
    EXPECT_EQ(prompts.texts(), QStringList{BlankName});

    prompts.clear();
    sheet.communicationsPage()->defaultsButton()->click();
    sheet.displayPage()->voltsEdit()->setText(QStringLiteral("11"));
    sheet.accept();
    EXPECT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(sheet.settings().portType, PORT_TCP);
}

TEST_F(OptionsSheet, TheSerialTestUsesTheTimeoutsOfTheAdvancedPageBeforeOk)
{
    COptionsSheet sheet(settings, link, items, prompts);
    sheet.advancedPage()->timeoutField(2)->setText(QStringLiteral("4321"));
    sheet.communicationsPage()->TestSerial();
    // No port is chosen: the link reports that it cannot open COM0.
    EXPECT_EQ(prompts.shown().size(), 1);
    EXPECT_EQ(link.GetSerialTimeouts().readConstant, 4321u);
}

TEST_F(OptionsSheet, RunGivesTheNewSettingsOnOkAndTheLinkBackToItsOwner)
{
    link.SetOwner(&mainWindow);
    whenSheetShows([](COptionsSheet& sheet) {
        sheet.displayPage()->fahrenheitButton()->setChecked(true);
        sheet.communicationsPage()->TestSerial(); // makes the page the link's owner
        sheet.buttons()->button(QDialogButtonBox::Ok)->click();
    });
    const auto chosen = COptionsSheet::Run(settings, link, items, prompts, &mainWindow);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->tempOption, 1153);
    EXPECT_EQ(link.GetOwner(), &mainWindow);
}

TEST_F(OptionsSheet, CancelDiscardsEverythingIncludingChosenColoursAndLabels)
{
    link.SetOwner(&mainWindow);
    QColor shown;
    whenSheetShows([&shown](COptionsSheet& sheet) {
        sheet.displayPage()->setColorChooser([](const QColor&, QWidget*) { return Qt::blue; });
        sheet.displayPage()->chooseColorAbove();
        shown = sheet.displayPage()->sampleAbove()->textColor();
        sheet.loggedPage()->setLabelsEditor(
            [](std::array<QString, 16>& labels, QWidget*) { labels[0] = QStringLiteral("X"); });
        sheet.loggedPage()->customizeLabels();
        sheet.communicationsPage()->TestSerial();
        sheet.buttons()->button(QDialogButtonBox::Cancel)->click();
    });
    const auto chosen = COptionsSheet::Run(settings, link, items, prompts, &mainWindow);
    EXPECT_EQ(shown, QColor(Qt::blue));
    EXPECT_FALSE(chosen.has_value());
    EXPECT_EQ(link.GetOwner(), &mainWindow);
}

TEST_F(OptionsSheet, CustomizeReportLabelsOpensTheLabelsDialogOnTheSheetsCopy)
{
    COptionsSheet sheet(settings, link, items, prompts);
    whenShown<CReportLabelsDlg>([](CReportLabelsDlg& dialog) {
        EXPECT_EQ(dialog.field(0)->text(), QStringLiteral("AD13: Ahr 1"));
        dialog.field(0)->setText(QStringLiteral("Solar AH"));
        dialog.accept();
    });
    sheet.loggedPage()->labelsButton()->click();
    sheet.accept();
    ASSERT_EQ(sheet.result(), QDialog::Accepted);
    EXPECT_EQ(sheet.settings().reportLabels[0], QStringLiteral("Solar AH"));
    EXPECT_EQ(sheet.settings().runCustomLabelsDlg, 0);
}

TEST_F(OptionsSheet, ApplyingTheSettingsSetsTheLinkAndRebuildsTheLiveItems)
{
    // The unit has named channel 1 "Solar" and a voltage has been read.
    ASSERT_TRUE(items.applyChannelNames(QByteArrayView("\x01\x00\x00", 3)));
    ASSERT_TRUE(items.acceptReply(1, QByteArrayView("\xFC\x00", 2)));
    ASSERT_EQ(items.slotText(1), QStringLiteral("12.6 Volts"));
    Settings current = settings;
    current.dispData = {1, 28, 0, 0, 0, 0};

    Settings chosen = current;
    chosen.portType = PORT_TCP;
    chosen.comPort = 12;
    chosen.serialTimeouts = SerialTimeouts{1, 2, 3, 4, 5};
    chosen.tempOption = 1153;
    chosen.voltThreshold = 13.0f;
    chosen.rgbLow = 0x00FF00;
    OptionsApply::apply(chosen, current, link, items);

    EXPECT_EQ(current, chosen);
    EXPECT_EQ(link.GetPortType(), PORT_TCP);
    EXPECT_EQ(link.GetComPort(), 12);
    EXPECT_EQ(link.GetSerialTimeouts(), (SerialTimeouts{1, 2, 3, 4, 5}));
    EXPECT_EQ(items.slotText(1), QStringLiteral("- - -"));
    EXPECT_EQ(items.item(7).labelText, QStringLiteral("AD7: Solar Amps"));
    EXPECT_EQ(items.item(28).unitText, QStringLiteral("Deg(F)"));
    EXPECT_TRUE(items.isPolled(1));
    EXPECT_TRUE(items.isPolled(28));
    EXPECT_FALSE(items.isPolled(2));
    ASSERT_TRUE(items.acceptReply(1, QByteArrayView("\xFC\x00", 2)));
    EXPECT_EQ(items.slotColor(1).value, 0x00FF00u);
}

TEST_F(OptionsSheet, ValuesChosenInTheSheetReachTheFileAndComeBackAtTheNextStart)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const ConfigFolders folders{root.filePath(QStringLiteral("program")),
                                root.filePath(QStringLiteral("appdata")),
                                root.filePath(QStringLiteral("documents"))};
    for (const QString& path :
         {folders.programFolder, folders.appDataFolder, folders.documentsFolder})
        ASSERT_TRUE(QDir().mkpath(path));
    CConfiguration configuration(folders, prompts);
    NoLink noLink;
    Settings current = configuration.load(noLink);

    COptionsSheet sheet(current, link, items, prompts);
    sheet.communicationsPage()->networkButton()->click();
    sheet.communicationsPage()->addressButton()->click();
    sheet.communicationsPage()->addressControl()->SetAddress(0xC0A8010A);
    sheet.displayPage()->tempEdit()->setText(QStringLiteral("12.26"));
    sheet.displayPage()->speedButton(0)->setChecked(true);
    sheet.loggedPage()->appendBox()->click();
    sheet.loggedPage()->averageCycles()->setCurrentIndex(3);
    sheet.advancedPage()->timeoutField(4)->clear();
    sheet.accept();
    ASSERT_EQ(sheet.result(), QDialog::Accepted) << prompts.texts().join(u'|').toStdString();
    OptionsApply::apply(sheet.settings(), current, link, items);
    ASSERT_TRUE(configuration.save(current));

    const Settings next = CConfiguration(folders, prompts).load(noLink);
    EXPECT_EQ(next.portType, PORT_TCP);
    EXPECT_EQ(next.useNetBios, 0);
    EXPECT_EQ(next.ipAddress, 0xC0A8010Au);
    EXPECT_FLOAT_EQ(next.tempThreshold, 12.3f);
    EXPECT_EQ(next.dispUpdate, 0);
    EXPECT_EQ(next.singleFilePd, 1);
    EXPECT_EQ(next.singlePdFileName, QStringLiteral("CumulativePeriodicData.csv"));
    EXPECT_EQ(next.avgCycles, 8);
    EXPECT_EQ(next.serialTimeouts.writeConstant, 0u);
    EXPECT_TRUE(prompts.shown().isEmpty());
}
