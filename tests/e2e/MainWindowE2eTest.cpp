#include "display/CPollCycle.h"
#include "display/ui/CMainDlg.h"
#include "shell/CColorStatic.h"
#include "simulator/UnitSimulator.h"
#include "tests/support/EventPump.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/ScriptedSerialUnit.h"
#include "tests/support/SimulatorChild.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

constexpr int LongWaitMs = 60000;

// Set GORVANE_SHOTS to a folder to keep a picture of the window as the test left it.
void keepPicture(QWidget& window, const QString& name)
{
    const QString folder = qEnvironmentVariable("GORVANE_SHOTS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    window.grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
}

class MainWindowWithSimulator : public ::testing::Test {
protected:
    QString appFolder() const { return home.filePath(QStringLiteral("data/Gorvane")); }
    QString aliasFolder() const { return QDir(appFolder()).filePath(QStringLiteral("ports")); }

    void writeConfig(const QString& options)
    {
        QDir().mkpath(aliasFolder());
        QFile file(QDir(appFolder()).filePath(QStringLiteral("Gorvane.cfg")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write((QStringLiteral("[OPTIONS]\r\n") + options).toLatin1());
    }

    std::unique_ptr<CMainDlg> open()
    {
        auto window = std::make_unique<CMainDlg>(
            prompts, ConfigFolders{home.filePath(QStringLiteral("program")),
                                   home.filePath(QStringLiteral("data")),
                                   home.filePath(QStringLiteral("documents"))});
        EXPECT_TRUE(window->OnInitDialog());
        window->resize(1000, 640);
        window->show();
        return window;
    }

    static bool waitForValue(CMainDlg& window, int slot)
    {
        return EventPump::waitUntil(
            [&] {
                const QString text = window.controls().slotValues[slot]->text();
                return text != QStringLiteral("- - -") && text != QString::number(slot + 1);
            },
            LongWaitMs);
    }

    QTemporaryDir home;
    ScriptedPrompt prompts;
};

} // namespace

TEST_F(MainWindowWithSimulator, ConnectsOverTcpAndShowsLiveValuesByItself)
{
    SimulatorOptions options;
    options.tcpPort = 0;
    options.statusByte = 12;
    UnitSimulator simulator(options);
    QString error;
    ASSERT_TRUE(simulator.start(&error)) << error.toStdString();
    writeConfig(QStringLiteral("PORTTYPE=1\r\nUSENETBIOS=0\r\nIPADDRESS=2130706433\r\n"
                               "LISTENPORT=%1\r\nDISPDATA1=1\r\nDISPDATA2=13\r\n")
                    .arg(simulator.tcpPort()));
    auto window = open();
    const MainDlgLayout& ui = window->controls();

    ui.connect->click();
    ASSERT_TRUE(waitForValue(*window, 0));
    EXPECT_TRUE(ui.slotValues[0]->text().endsWith(QStringLiteral(" Volts")));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9]\\.[0-9]$"))
                    .match(ui.firmware->text())
                    .hasMatch());
    EXPECT_TRUE(ui.connect->isChecked());
    EXPECT_EQ(ui.startDisplay->text(), QStringLiteral("Stop Display"));
    EXPECT_TRUE(ui.slotResets[1]->isVisibleTo(window.get()));
    keepPicture(*window, QStringLiteral("main-window-tcp"));

    // Reset of AD13: asked, the display stops, the value shows "- - -", the unit acknowledges.
    prompts.answerNext(PromptAnswer::Yes);
    ui.slotResets[1]->click();
    EXPECT_EQ(prompts.shown().first().text,
              QStringLiteral("Warning:\rAre you sure you want to RESET this value to Zero?"));
    EXPECT_FALSE(window->pollCycle().testState(ST_RUNNING));
    EXPECT_EQ(ui.slotValues[1]->text(), QStringLiteral("- - -"));
    EventPump::waitUntil([&] { return window->link().GetState() == LINK_AWAITACK; }, 2000);
    EventPump::waitUntil([&] { return !window->pollCycle().testState(ST_BUSY); }, LongWaitMs);
    EXPECT_EQ(prompts.shown().size(), 1) << prompts.lastText().toStdString();

    ui.connect->click();
    EXPECT_FALSE(window->pollCycle().testState(ST_RUNNING));
    EXPECT_EQ(window->link().GetState(), LINK_CLOSED);
    window->done(QDialog::Rejected);
}

TEST_F(MainWindowWithSimulator, AfterProgrammingTheUnitsConfigurationIsReadAgain)
{
    SimulatorOptions options;
    options.tcpPort = 0;
    UnitSimulator simulator(options);
    QString error;
    ASSERT_TRUE(simulator.start(&error)) << error.toStdString();
    writeConfig(QStringLiteral("PORTTYPE=1\r\nUSENETBIOS=0\r\nIPADDRESS=2130706433\r\n"
                               "LISTENPORT=%1\r\nDISPDATA1=1\r\n")
                    .arg(simulator.tcpPort()));
    auto window = open();
    const MainDlgLayout& ui = window->controls();
    ui.connect->click();
    ASSERT_TRUE(waitForValue(*window, 0));
    ui.startDisplay->click();
    ASSERT_TRUE(EventPump::waitUntil([&] { return ui.program->isEnabled(); }, LongWaitMs));

    // Close the Program Modes menu as soon as it shows.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* menu = QApplication::activeModalWidget())
            menu->close();
    });
    closer.start(50);
    ui.program->click();
    closer.stop();

    EXPECT_TRUE(window->pollCycle().testState(ST_STARTUP));
    EXPECT_EQ(window->pollCycle().startupStep(), 1);
    window->done(QDialog::Rejected);
}

TEST_F(MainWindowWithSimulator, FindsTheUnitOnTheThirdListedPortAndStartsTheDisplay)
{
    ScriptedSerialUnit silent1;
    ScriptedSerialUnit silent2;
    SimulatorChild simulator;
    ASSERT_TRUE(simulator.start()) << simulator.errors().toStdString();
    writeConfig(QStringLiteral("PORTTYPE=0\r\nCOMPORT=9\r\nAUTOPOLL_SERPORT=1\r\nDISPDATA1=1\r\n"));
    ASSERT_TRUE(
        QFile::link(silent1.devicePath(), QDir(aliasFolder()).filePath(QStringLiteral("COM1"))));
    ASSERT_TRUE(
        QFile::link(silent2.devicePath(), QDir(aliasFolder()).filePath(QStringLiteral("COM2"))));
    ASSERT_TRUE(
        QFile::link(simulator.devicePath(), QDir(aliasFolder()).filePath(QStringLiteral("COM3"))));

    auto window = open();
    ASSERT_TRUE(waitForValue(*window, 0));
    EXPECT_EQ(window->link().GetComPort(), 3);
    EXPECT_TRUE(window->controls().connect->isChecked());
    EXPECT_EQ(silent1.frames().first(), QByteArray("\x81\x0F\x04\x6B", 4));
    EXPECT_EQ(silent2.frames().first(), QByteArray("\x81\x0F\x04\x6B", 4));
    keepPicture(*window, QStringLiteral("main-window-serial"));
    window->done(QDialog::Rejected);

    // The port found is what the configuration keeps.
    QFile config(QDir(appFolder()).filePath(QStringLiteral("Gorvane.cfg")));
    ASSERT_TRUE(config.open(QIODevice::ReadOnly));
    EXPECT_TRUE(config.readAll().contains("COMPORT=3"));
}
