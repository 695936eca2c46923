#include "config/ConfigFolders.h"
#include "charts/LiveTrendWidget.h"
#include "display/LiveDisplay.h"
#include "tests/support/EventPump.h"
#include "tests/support/MainWindowHarness.h"
#include "tests/support/TestBytes.h"

#include <QDir>
#include <QCheckBox>
#include <QLineSeries>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The window's controls by the ids its template gives them, restated.
constexpr int Connect = 1015, StartDisplay = 1014, Download = 1024, Program = 1011;
constexpr int SlotValues[] = {1005, 1006}, SlotButtons[] = {1029, 1031}, SlotReset2 = 1152;
constexpr int StatusRows[] = {1060, 1061, 1062, 1063, 1070, 1071, 1066, 1067, 1068, 1069, 1072};
constexpr int EfficiencyFields[] = {1052, 1053, 1054, 1046, 1047, 1048, 1049, 1050, 1051, 1058};
constexpr int EfficiencyOff = 1041, UnitTime = 1159, PcTime = 1160, Firmware = 1163;
constexpr int CommStatus = 1042, Notes = 1210, AddNote = 1211, About = 1045;
constexpr int StatusPanels[] = {1064, 1065};

// The main window on the serial line to the stand-in unit, AD1 and AD13 in the first two
// slots and battery 1's efficiency shown.
class MainWindow : public ::testing::Test {
protected:
    MainWindow()
    {
        unit.setRecord(0x25, bytesOf({0x87, 0x11}));
        unit.setRecord(0xDA, bytesOf({0x05, 0x80, 95, 3, 0x05, 0x00, 90, 7, 0x10, 0x00, 100, 21}));
    }
    bool waitForAFullCycle() const
    {
        return EventPump::waitUntil([&] { return main.text(EfficiencyFields[0]) != "1"; }, 30000);
    }
    bool isEnabled(int id) const { return main.control<QWidget>(id)->isEnabled(); }

    StandInUnit unit;
    MainWindowHarness main{MainWindowHarness::reaching(unit, Transport::Serial) +
                           QStringList{"DISPDATA1=1", "DISPDATA2=13", "EFFDISPLAY=1056"}};
};

} // namespace

TEST_F(MainWindow, EveryFieldShowsWhatTheUnitSaidAndTheButtonsFollowTheLink)
{
    EXPECT_EQ(main.text(CommStatus), QStringLiteral("Not Connected"));
    EXPECT_FALSE(isEnabled(StartDisplay) || isEnabled(Download) || isEnabled(Program));
    main.click(Connect);
    EXPECT_EQ(main.live().poll().findChild<QTimer*>("TIMER_AUTOSTART")->interval(), 100);
    ASSERT_TRUE(waitForAFullCycle());
    const UnitSnapshot said = main.live().poll().snapshot();
    for (int slot : {0, 1})
        EXPECT_EQ(main.text(SlotValues[slot]) + main.text(SlotButtons[slot]),
                  said.slots[slot].text + said.slots[slot].label);
    for (int row = 0; row < 11; ++row)
        EXPECT_EQ(main.text(StatusRows[row]), said.status.row(row).text) << row;
    for (int cell = 0; cell < 10; ++cell)
        EXPECT_EQ(main.text(EfficiencyFields[cell]), said.efficiency.cell(cell).valueText) << cell;
    EXPECT_EQ(main.text(UnitTime) + main.text(PcTime), said.unitTime + said.pcTime);
    EXPECT_EQ(main.text(Firmware), said.firmwareText());
    EXPECT_TRUE(isEnabled(Firmware) && isEnabled(UnitTime) && main.control(Connect)->isChecked());
    EXPECT_EQ(main.text(StartDisplay), QStringLiteral("Stop Display"));
    EXPECT_FALSE(isEnabled(Download) || isEnabled(Program)) << "held while the display runs";
    EXPECT_EQ(main.control(Download)->toolTip(), QStringLiteral("Stop the display to download"));
    // The live trend follows the slots from the values the cycle read.
    auto* trend = main.window().findChild<LiveTrendWidget*>("trend");
    main.window().findChild<QCheckBox*>("showTrend")->click();
    trend->redraw();
    for (int slot : {0, 1}) {
        EXPECT_EQ(trend->line(slot)->name(), said.slots[slot].label);
        ASSERT_GT(trend->ring().size(slot), 0) << slot;
        EXPECT_FLOAT_EQ(trend->ring().points(slot).last().y(), said.slots[slot].value.value());
    }
    EXPECT_EQ(trend->ring().size(2), 0);
    main.keepPicture(QStringLiteral("main-window-trend"));

    main.click(StartDisplay);
    // The status line shows its "&&" as one ampersand.
    ASSERT_TRUE(EventPump::waitUntil([&] { return main.text(CommStatus) == "Port Open & Idle."; }));
    EXPECT_EQ(main.text(StartDisplay), QStringLiteral("Start Display"));
    EXPECT_TRUE(isEnabled(Download) && isEnabled(Program) && isEnabled(StartDisplay));
    EXPECT_TRUE(main.control(Download)->toolTip().isEmpty());
    EXPECT_FALSE(isEnabled(UnitTime) || isEnabled(SlotValues[0]));
    EXPECT_GT(trend->ring().size(0), 0) << "the trend stays while the display stops";
    main.click(EfficiencyOff);
    EXPECT_FALSE(isEnabled(EfficiencyFields[3]));
    main.click(Connect);
    EXPECT_FALSE(isEnabled(StartDisplay));
}

TEST_F(MainWindow, AResetAsksFirstAndOnlyYesWritesTheCodeButBothClearTheValue)
{
    main.click(Connect);
    ASSERT_TRUE(waitForAFullCycle());
    for (const PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Yes}) {
        const qsizetype writes = unit.writes().size();
        main.prompts.answerNext(answer);
        main.click(SlotReset2);
        EXPECT_EQ(main.prompts.lastText(),
                  QStringLiteral("Warning:\rAre you sure you want to RESET this value to Zero?"));
        EXPECT_EQ(main.text(SlotValues[1]), QStringLiteral("- - -"));
        ASSERT_TRUE(EventPump::waitUntil([&] { return !main.live().poll().testState(0x200); }));
        EXPECT_EQ(unit.writes().size(), writes + (answer == PromptAnswer::Yes ? 1 : 0));
    }
    EXPECT_EQ(unit.writes().last().data, bytesOf({0x09}));
    EXPECT_EQ(main.text(StartDisplay), QStringLiteral("Start Display")) << "and it stays stopped";
}

TEST_F(MainWindow, ANoteIsStampedAndClosingSavesTheNotesAndTheConfiguration)
{
    main.window().setToday([] { return QDate(2026, 12, 5); });
    main.click(AddNote);
    EXPECT_EQ(main.text(AddNote), QStringLiteral("Done"));
    main.control<QPlainTextEdit>(Notes)->insertPlainText(QStringLiteral("equalised bank 2"));
    main.click(AddNote);
    EXPECT_EQ(main.file("GorvaneNotes.txt"),
              QByteArray("============\r\nDec 05, 2026\r\n- equalised bank 2"));
    main.click(AddNote);
    main.click(EfficiencyOff);
    main.close();
    EXPECT_TRUE(main.file("GorvaneNotes.txt").endsWith("\r\n============\r\nDec 05, 2026\r\n- "));
    const QByteArray configuration = main.file("Gorvane.cfg");
    EXPECT_TRUE(configuration.contains("EFFDISPLAY=1041") &&
                configuration.contains("DISPDATA2=13"));
}

TEST_F(MainWindow, TheAboutBoxTellsWhereTheConfigurationAndTheNotesAre)
{
    main.click(About);
    const QString appFolder = QDir(ConfigFolders::fromPlatform().applicationFolder()).path();
    EXPECT_TRUE(main.prompts.lastText().contains(appFolder + QStringLiteral("/Gorvane.cfg")));
    EXPECT_TRUE(main.prompts.lastText().contains(appFolder + QStringLiteral("/GorvaneNotes.txt")));
}

// The window at its smallest, without and with a slot's Reset button (AD13 has a reset code): the
// same width, room beside every caption, two status panels alike and evenly spaced averages.
TEST(MainWindowLayout, AResetButtonChangesNoWidthAndNoCaptionIsCramped)
{
    QList<int> widths;
    for (const QString& secondSlot :
         {QStringLiteral("DISPDATA2=0"), QStringLiteral("DISPDATA2=13")}) {
        SCOPED_TRACE(secondSlot.toStdString());
        MainWindowHarness main({QStringLiteral("DISPDATA1=1"), secondSlot});
        main.window().resize(0, 0);
        widths << main.window().width();
        for (const QPushButton* button : main.window().findChildren<QPushButton*>()) {
            const QFontMetrics metrics = button->fontMetrics();
            const int room = button->width() - metrics.horizontalAdvance(button->text());
            EXPECT_TRUE(!button->isVisible() || room >= 2 * metrics.averageCharWidth())
                << button->text().toStdString();
        }
        EXPECT_NEAR(main.control<QWidget>(StatusPanels[0])->width(),
                    main.control<QWidget>(StatusPanels[1])->width(), 1);
        QList<int> columns;
        for (int cycles : {EfficiencyFields[0], EfficiencyFields[1], EfficiencyFields[2]})
            columns << main.control<QWidget>(cycles)->geometry().center().x();
        EXPECT_NEAR(columns[1] - columns[0], columns[2] - columns[1], 1);
    }
    EXPECT_EQ(widths[0], widths[1]);
}
