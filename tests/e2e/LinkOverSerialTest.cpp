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

    QList<ComPort> listed = link.ports().list();
    listed.removeIf([](const ComPort& port) { return port.number != 7; });
    ASSERT_EQ(listed.size(), 1);
    EXPECT_EQ(QFileInfo(listed[0].device).canonicalFilePath(), simulator.devicePath());
    UnitSearch search(UnitSearch::Caller::MainWindow, [](const QString&, RgbColor) {});
    ASSERT_EQ(search.SearchUnit(listed, link), 7);

    ASSERT_EQ(link.Read(&window, 0xF7, 1, 4, 0), 1);
    EventPump::deliverPosted();
    EXPECT_EQ(window.replies().value(0).data, bytesOf({25}));
}
