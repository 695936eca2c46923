#include "link/CUnitLink.h"
#include "tests/support/EventPump.h"
#include "tests/support/RecordingReceiver.h"
#include "tests/support/ScriptedPrompt.h"

#include <QTcpServer>
#include <gtest/gtest.h>

namespace {

class UnitLinkState : public ::testing::Test {
protected:
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory()};
    RecordingReceiver window;
};

} // namespace

TEST_F(UnitLinkState, ANewLinkIsSerialAndClosed)
{
    EXPECT_EQ(link.GetPortType(), PORT_SERIAL);
    EXPECT_EQ(link.GetState(), LINK_CLOSED);
    EXPECT_EQ(link.GetError(), 0);
    EXPECT_EQ(link.GetOwner(), nullptr);
}

TEST_F(UnitLinkState, SwitchingPortTypeClosesTheCurrentTransportOnly)
{
    QTcpServer adapter;
    ASSERT_TRUE(adapter.listen(QHostAddress::LocalHost));
    link.SetOwner(&window);
    link.SetPortType(PORT_TCP);
    link.SetHost(QStringLiteral("127.0.0.1"), adapter.serverPort());
    ASSERT_EQ(link.Open(), 1);
    ASSERT_EQ(link.GetState(), LINK_CONNECTING);

    link.SetPortType(PORT_TCP);
    EXPECT_EQ(link.GetState(), LINK_CONNECTING);

    link.SetPortType(PORT_SERIAL);
    link.SetPortType(PORT_TCP);
    EXPECT_EQ(link.GetState(), LINK_CLOSED);
}

TEST_F(UnitLinkState, AnUnknownPortTypeHasNoState)
{
    link.SetPortType(5);
    EXPECT_EQ(link.GetState(), -1);
    EXPECT_EQ(link.GetError(), -1);
}

TEST_F(UnitLinkState, ReplyDoneOnlyEndsReceiving)
{
    link.ReplyDone();
    EXPECT_EQ(link.GetState(), LINK_CLOSED);
}

TEST_F(UnitLinkState, SerialStatusGoesToAnOwnerOnlyWhileItExists)
{
    {
        RecordingReceiver shortLived;
        link.SetOwner(&shortLived);
        link.Close();
    }
    // The posted status of a destroyed owner is dropped, not delivered to freed memory.
    EventPump::deliverPosted();
    link.SetOwner(&window);
    link.Close();
    EventPump::deliverPosted();
    EXPECT_EQ(window.count(WM_LINK_SERIALSTATUS), 1);
}
