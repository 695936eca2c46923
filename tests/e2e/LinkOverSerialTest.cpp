#include "link/CUnitLink.h"
#include "link/UnitSearch.h"
#include "tests/support/EventPump.h"
#include "tests/support/RecordingReceiver.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/SimulatorChild.h"
#include "tests/support/TestBytes.h"

#include <QFileInfo>
#include <gtest/gtest.h>

// The simulator program on its pseudo-terminal, registered as COM7 in its folder of aliases:
// the program's port list shows it, the search finds it and the link reads from it.
TEST(LinkOverSerial, TheSimulatorIsListedUnderItsComNumberFoundByTheSearchAndAnswers)
{
    SimulatorChild simulator;
    ASSERT_TRUE(simulator.start()) << simulator.errors().toStdString();
    ScriptedPrompt prompts;
    CUnitLink link(prompts, ComPortDirectory(simulator.aliasFolder()));
    RecordingReceiver window;
    link.SetOwner(&window);

    const QList<ComPort> ports = link.ports().list();
    const auto alias = std::find_if(ports.begin(), ports.end(),
                                    [](const ComPort& port) { return port.number == 7; });
    ASSERT_NE(alias, ports.end());
    EXPECT_EQ(QFileInfo(alias->device).canonicalFilePath(), simulator.devicePath());
    UnitSearch search(UnitSearch::Caller::MainWindow, [](const QString&, RgbColor) {});
    ASSERT_EQ(search.SearchUnit({*alias}, link), 7);

    ASSERT_EQ(link.Read(&window, 0xF7, 1, 4, 0), 1);
    EventPump::deliverPosted();
    ASSERT_EQ(window.replies().size(), 1);
    EXPECT_EQ(window.replies().first().data, bytesOf({25}));
    link.Close();
}
