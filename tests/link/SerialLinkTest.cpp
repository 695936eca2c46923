#include "link/CUnitLink.h"
#include "resources/StringTable.h"
#include "tests/support/EventPump.h"
#include "tests/support/RecordingReceiver.h"
#include "tests/support/ScriptedPrompt.h"
#include "tests/support/ScriptedSerialUnit.h"
#include "tests/support/TestBytes.h"

#include <QFile>
#include <QSerialPort>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int UnitPort = 7;

class SerialLink : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(unit.isOpen());
        ASSERT_TRUE(QFile::link(unit.devicePath(), aliases.filePath(QStringLiteral("COM7"))));
        link.SetOwner(&window);
        link.SetComPort(UnitPort);
        // Short limits keep the failure cases quick; no result depends on them.
        link.SetSerialTimeouts(SerialTimeouts{100, 1, 300, 10, 2000});
        EventPump::deliverPosted();
        window.clear();
    }

    void replyAlways(const QByteArray& reply)
    {
        unit.respondWith([reply](const QByteArray&) { return reply; });
    }

    ScriptedSerialUnit unit;
    QTemporaryDir aliases;
    ScriptedPrompt prompts;
    CUnitLink link{prompts, ComPortDirectory(aliases.path())};
    RecordingReceiver window;
};

} // namespace

TEST_F(SerialLink, ReadSendsTheFrameAndPostsTheCheckedDataAfterReturning)
{
    replyAlways(bytesOf({0x01, 0x02, 0x03, 0x04, 0xF5}));

    ASSERT_EQ(link.Read(&window, 0x0F, 4, 3, 22), 1);
    EXPECT_EQ(unit.frames(), QList<QByteArray>{bytesOf({0x81, 0x0F, 0x04, 0x6B})});
    // Status messages were sent during the call; the reply waits in the event queue.
    EXPECT_EQ(window.count(WM_LINK_SERIALSTATUS), 2);
    EXPECT_TRUE(window.replies().isEmpty());
    EXPECT_EQ(link.GetState(), LINK_RECEIVING);

    EventPump::deliverPosted();
    ASSERT_EQ(window.replies().size(), 1);
    const auto reply = window.replies().first();
    EXPECT_EQ(reply.message, WM_LINK_SERIALREPLY);
    EXPECT_EQ(reply.wParam, 4);
    EXPECT_EQ(reply.kind, 3);
    EXPECT_EQ(reply.tag, 22);
    EXPECT_EQ(reply.data, bytesOf({0x01, 0x02, 0x03, 0x04}));
    EXPECT_EQ(link.GetError(), 0);

    link.ReplyDone();
    EXPECT_EQ(link.GetState(), LINK_IDLE);
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(SerialLink, BulkReadDeliversWholePagesWithoutTheChecksum)
{
    QByteArray page(256, '\0');
    for (int i = 0; i < page.size(); ++i)
        page[i] = static_cast<char>(i);
    replyAlways(withChecksum(page));

    ASSERT_EQ(link.BulkRead(0x2F00, 1, 5), 1);
    EXPECT_EQ(unit.frames().first(), bytesOf({0xC1, 0x2F, 0x01, 0x0E}));
    EventPump::deliverPosted();
    ASSERT_EQ(window.replies().size(), 1);
    EXPECT_EQ(window.replies().first().kind, REQ_BULK);
    EXPECT_EQ(window.replies().first().tag, 5);
    EXPECT_EQ(window.replies().first().data, page);
}

TEST_F(SerialLink, AShortReplyIsAReadErrorWithItsStatusText)
{
    replyAlways(bytesOf({0x01, 0x02, 0x03, 0x04}));

    EXPECT_EQ(link.Read(&window, 0x0F, 4, 3, 0), 0);
    EventPump::deliverPosted();
    EXPECT_TRUE(window.replies().isEmpty());
    EXPECT_EQ(link.GetState(), LINK_ERROR);
    EXPECT_EQ(link.GetError(), 1043);
    EXPECT_EQ(loadString(link.GetError()),
              QStringLiteral("Error reading data from Zeltravanic unit."));
    EXPECT_TRUE(prompts.shown().isEmpty());
}

TEST_F(SerialLink, ABadChecksumPostsNoReply)
{
    replyAlways(bytesOf({0x01, 0x02, 0x03, 0x04, 0xF4}));

    EXPECT_EQ(link.Read(&window, 0x0F, 4, 3, 0), 0);
    EventPump::deliverPosted();
    EXPECT_TRUE(window.replies().isEmpty());
    EXPECT_EQ(link.GetState(), LINK_ERROR);
    EXPECT_EQ(link.GetError(), 1042);
    EXPECT_EQ(loadString(1042), QStringLiteral("Error: Bad Checksum"));
}

TEST_F(SerialLink, TheNextRequestRecoversFromAnErrorAndDropsStaleBytes)
{
    // The first answer is too long: its tail is still waiting when the next request starts.
    int served = 0;
    unit.respondWith([&served](const QByteArray&) {
        return served++ == 0 ? bytesOf({0x00, 0xFF, 0x11, 0x22, 0x33}) : bytesOf({0x42, 0xBD});
    });
    ASSERT_EQ(link.Read(&window, 0xF7, 1, 4, 0), 1);
    EventPump::deliverPosted();
    link.ReplyDone();

    ASSERT_EQ(link.Read(&window, 0xF7, 1, 4, 0), 1);
    EventPump::deliverPosted();
    ASSERT_EQ(window.replies().size(), 2);
    EXPECT_EQ(window.replies().last().data, bytesOf({0x42}));

    // After a failure the link is in error until the next request's open re-arms the port.
    unit.respondWith([](const QByteArray&) { return QByteArray(); });
    EXPECT_EQ(link.Read(&window, 0xF7, 1, 4, 0), 0);
    EXPECT_EQ(link.GetState(), LINK_ERROR);
    replyAlways(bytesOf({0x42, 0xBD}));
    EXPECT_EQ(link.Read(&window, 0xF7, 1, 4, 0), 1);
    EXPECT_EQ(link.GetState(), LINK_RECEIVING);
    EXPECT_EQ(link.GetError(), 0);
}

TEST_F(SerialLink, AWriteReadsOneAcknowledgementByteWithoutCheckingIt)
{
    replyAlways(bytesOf({0x77}));
    const std::uint8_t data[] = {0x05};

    ASSERT_EQ(link.Write(&window, 0x10, 1, data), 1);
    EXPECT_EQ(unit.frames().first(), bytesOf({0x01, 0x10, 0x01, 0x05, 0xE8}));
    EXPECT_EQ(link.GetState(), LINK_AWAITACK);
    EventPump::deliverPosted();
    ASSERT_EQ(window.replies().size(), 1);
    const auto ack = window.replies().first();
    EXPECT_EQ(ack.kind, REQ_WRITEACK);
    EXPECT_EQ(ack.tag, 0xE8);
    EXPECT_EQ(ack.wParam, 1);
    EXPECT_EQ(ack.data, bytesOf({0x77}));

    link.ReplyDone();
    EXPECT_EQ(link.GetState(), LINK_AWAITACK);
}

TEST_F(SerialLink, AMissingAcknowledgementIsAReadError)
{
    const std::uint8_t data[] = {0x05};
    EXPECT_EQ(link.Write(&window, 0x10, 1, data), 0);
    EXPECT_EQ(link.GetError(), 1043);
    EXPECT_EQ(link.GetState(), LINK_ERROR);
}

TEST_F(SerialLink, APortThatCannotBeOpenedIsReportedAndSendsNothing)
{
    link.SetComPort(99);
    window.clear();

    EXPECT_EQ(link.Read(&window, 0xF7, 1, 4, 0), 0);
    EXPECT_EQ(link.GetState(), LINK_ERROR);
    EXPECT_EQ(link.GetError(), 1024);
    ASSERT_EQ(prompts.shown().size(), 1);
    EXPECT_TRUE(prompts.lastText().startsWith(QStringLiteral("Error opening serial port COM99")));
    EXPECT_EQ(prompts.shown().first().icon, PromptIcon::Exclamation);
    EXPECT_TRUE(unit.frames().isEmpty());
}

TEST_F(SerialLink, APortHeldByAnotherProgramDoesNotOpen)
{
    QSerialPort other;
    other.setPortName(unit.devicePath());
    ASSERT_TRUE(other.open(QIODevice::ReadWrite));

    EXPECT_EQ(link.Read(&window, 0xF7, 1, 4, 0), 0);
    EXPECT_EQ(link.GetError(), 1024);
    ASSERT_EQ(prompts.shown().size(), 1);
    EXPECT_TRUE(prompts.lastText().startsWith(QStringLiteral("Error opening serial port COM7")));
}

TEST_F(SerialLink, ClosingPostsAStatusAndChangingThePortCloses)
{
    replyAlways(bytesOf({0x42, 0xBD}));
    ASSERT_EQ(link.Read(&window, 0xF7, 1, 4, 0), 1);
    EventPump::deliverPosted();
    window.clear();

    link.SetComPort(UnitPort);
    EXPECT_EQ(link.GetState(), LINK_CLOSED);
    EXPECT_EQ(window.count(WM_LINK_SERIALSTATUS), 0);
    EventPump::deliverPosted();
    EXPECT_EQ(window.count(WM_LINK_SERIALSTATUS), 1);
}

TEST_F(SerialLink, TimeoutsTakeEffectAtTheNextOpening)
{
    replyAlways(bytesOf({0x42, 0xBD}));
    ASSERT_EQ(link.Read(&window, 0xF7, 1, 4, 0), 1);
    const SerialTimeouts inForce{100, 1, 300, 10, 2000};
    const SerialTimeouts next{1000, 10, 2000, 10, 2000};

    link.SetSerialTimeouts(next);
    EXPECT_EQ(link.GetSerialTimeouts(), inForce);
    link.Close();
    EXPECT_EQ(link.GetSerialTimeouts(), next);
}
