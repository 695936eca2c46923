#include "display/CPollCycle.h"
#include "display/ui/CMainDlg.h"
#include "shell/CColorStatic.h"
#include "tests/display/ScriptedAdapter.h"
#include "tests/display/UnitRecords.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(adapter.listen());
        QDir().mkpath(appFolder());
        // 127.0.0.1 as the signed decimal the file keeps.
        writeConfig(QStringLiteral("[OPTIONS]\r\nPORTTYPE=1\r\nIPADDRESS=2130706433\r\n"
                                   "USENETBIOS=0\r\nLISTENPORT=%1\r\nDISPDATA1=1\r\n"
                                   "DISPDATA2=13\r\nEFFDISPLAY=1056\r\n")
                        .arg(adapter.port()));
    }

    QString appFolder() const { return home.filePath(QStringLiteral("data/Gorvane")); }
    void writeConfig(const QString& text)
    {
        QFile file(QDir(appFolder()).filePath(QStringLiteral("Gorvane.cfg")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toLatin1());
    }
    ConfigFolders folders() const
    {
        return ConfigFolders{home.filePath(QStringLiteral("program")),
                             home.filePath(QStringLiteral("data")),
                             home.filePath(QStringLiteral("documents"))};
    }
    std::unique_ptr<CMainDlg> open()
    {
        auto window = std::make_unique<CMainDlg>(prompts, folders());
        window->setToday([] { return QDate(2026, 12, 5); });
        EXPECT_TRUE(window->OnInitDialog());
        return window;
    }

    QTemporaryDir home;
    UnitRecords records;
    ScriptedAdapter adapter{records};
    ScriptedPrompt prompts;
};

} // namespace

TEST_F(MainWindow, OpensWithTheConfiguredSlotsAndEverythingUnitBoundDisabled)
{
    auto window = open();
    const MainDlgLayout& ui = window->controls();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Zeltravanic PC Interface / Version 0.904"));
    EXPECT_EQ(ui.slotButtons[0]->text(), window->items().item(1).labelText);
    EXPECT_EQ(ui.slotButtons[2]->text(), window->items().item(0).labelText);
    EXPECT_FALSE(ui.slotResets[0]->isVisibleTo(window.get()));
    EXPECT_TRUE(ui.slotResets[1]->isVisibleTo(window.get()));
    for (CColorStatic* value : ui.slotValues)
        EXPECT_EQ(value->text(), QStringLiteral("- - -"));
    EXPECT_TRUE(ui.effBattery1->isChecked());
    EXPECT_FALSE(ui.startDisplay->isEnabled());
    EXPECT_FALSE(ui.download->isEnabled());
    EXPECT_FALSE(ui.program->isEnabled());
    EXPECT_FALSE(ui.help->isEnabled());
    EXPECT_EQ(ui.commStatus->text(), QStringLiteral("Not Connected"));
}

TEST_F(MainWindow, ConnectingShowsLiveValuesAndTheFirmwareVersion)
{
    records.set(0xF7, QByteArray(1, 25));
    records.set(0x00, QByteArray("\xFC\x00", 2)); // AD1: 252 x 0.05 V
    auto window = open();
    const MainDlgLayout& ui = window->controls();

    ui.connect->click();
    ASSERT_TRUE(EventPump::waitUntil(
        [&] { return ui.slotValues[0]->text() != QStringLiteral("- - -"); }, 30000));
    EXPECT_EQ(ui.slotValues[0]->text(), QStringLiteral("12.6 Volts"));
    EXPECT_TRUE(ui.connect->isChecked());
    EXPECT_EQ(ui.startDisplay->text(), QStringLiteral("Stop Display"));
    EXPECT_EQ(ui.firmware->text(), QStringLiteral("2.5"));
    EXPECT_TRUE(ui.firmware->isEnabled());

    ui.connect->click();
    EXPECT_FALSE(window->pollCycle().testState(ST_RUNNING));
    EXPECT_EQ(window->link().GetState(), LINK_CLOSED);
}

TEST_F(MainWindow, AnsweringNoToAResetStillClearsTheValue)
{
    auto window = open();
    window->controls().slotValues[1]->setText(QStringLiteral("12.0 AmpHrs"));
    prompts.answerNext(PromptAnswer::No);

    window->controls().slotResets[1]->click();
    ASSERT_EQ(prompts.shown().size(), 1);
    EXPECT_EQ(prompts.lastText(),
              QStringLiteral("Warning:\rAre you sure you want to RESET this value to Zero?"));
    EXPECT_EQ(window->controls().slotValues[1]->text(), QStringLiteral("- - -"));
    EXPECT_TRUE(adapter.frames().isEmpty());
}

TEST_F(MainWindow, ANoteIsStampedAndSavedWhenDone)
{
    auto window = open();
    const MainDlgLayout& ui = window->controls();
    ui.addNote->click();
    EXPECT_EQ(ui.addNote->text(), QStringLiteral("Done"));
    EXPECT_FALSE(ui.notes->isReadOnly());
    ui.notes->insertPlainText(QStringLiteral("equalised bank 2"));
    ui.addNote->click();

    EXPECT_TRUE(ui.notes->isReadOnly());
    EXPECT_EQ(contents(QDir(appFolder()).filePath(QStringLiteral("GorvaneNotes.txt"))),
              QByteArray("============\r\nDec 05, 2026\r\n- equalised bank 2"));
}

TEST_F(MainWindow, ClosingSavesTheNotesBeingAddedAndTheConfiguration)
{
    {
        auto window = open();
        window->controls().addNote->click();
        window->controls().effOff->click();
        window->done(QDialog::Rejected);
    }
    EXPECT_TRUE(contents(QDir(appFolder()).filePath(QStringLiteral("GorvaneNotes.txt")))
                    .startsWith("============\r\n"));
    const QByteArray config = contents(QDir(appFolder()).filePath(QStringLiteral("Gorvane.cfg")));
    EXPECT_TRUE(config.contains("EFFDISPLAY=1041"));
    EXPECT_TRUE(config.contains("DISPDATA2=13"));
}
