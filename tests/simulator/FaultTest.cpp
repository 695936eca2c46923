#include "simulator/FaultPlan.h"
#include "simulator/ReplyShaper.h"

#include <gtest/gtest.h>

namespace {

UnitRequest request(UnitRequest::Kind kind, quint8 address)
{
    UnitRequest result;
    result.kind = kind;
    result.address = address;
    return result;
}

const UnitRequest F7 = request(UnitRequest::Kind::Read, 0xF7);
const UnitRequest R0F = request(UnitRequest::Kind::Read, 0x0F);
const UnitRequest B2F = request(UnitRequest::Kind::BulkRead, 0x2F);
const UnitRequest W27 = request(UnitRequest::Kind::Write, 0x27);

} // namespace

TEST(FaultPlan, SelectorsPickTheirRequests)
{
    const std::tuple<const char*, QList<UnitRequest>, QList<bool>> cases[] = {
        {"3", {F7, B2F, W27, F7}, {false, false, true, false}},
        {"bulk", {F7, B2F, W27, B2F}, {false, true, false, true}},
        {"read@0xF7:2", {F7, R0F, F7, F7}, {false, false, true, false}},
        {"write:1, read@15", {F7, R0F, W27, W27, R0F}, {false, true, true, false, true}},
        {"all", {F7, W27}, {true, true}},
    };
    for (const auto& [selector, requests, expected] : cases) {
        FaultPlan plan;
        ASSERT_TRUE(plan.add(FaultKind::NoReply, QString::fromLatin1(selector)));
        QList<bool> fired;
        for (const UnitRequest& each : requests)
            fired.append(plan.faultFor(each).has_value());
        EXPECT_EQ(fired, expected) << selector;
    }
}

TEST(FaultPlan, TheFirstRuleWinsEveryRuleCountsLoginsCountApartAndNonsenseIsRefused)
{
    FaultPlan plan;
    ASSERT_TRUE(plan.add(FaultKind::BadChecksum, "read"));
    ASSERT_TRUE(plan.add(FaultKind::NoReply, "2"));
    ASSERT_TRUE(plan.add(FaultKind::RefuseLogin, "2"));
    QString error;
    for (const char* selector : {"0", "read@0x100", "peek"})
        EXPECT_FALSE(plan.add(FaultKind::NoReply, QString::fromLatin1(selector), &error));
    EXPECT_FALSE(plan.add(FaultKind::RefuseLogin, "write", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(plan.faultFor(F7), FaultKind::BadChecksum);
    EXPECT_EQ(plan.faultFor(B2F), FaultKind::NoReply);
    EXPECT_FALSE(plan.faultFor(B2F).has_value());
    EXPECT_EQ((QList<bool>{plan.refusesLogin(), plan.refusesLogin(), plan.refusesLogin()}),
              (QList<bool>{false, true, false}));
}

// The stray bytes must outnumber any reply buffer of the program, or no guard is tried.
TEST(ReplyShaper, AFloodFollowsTheReplyWithMoreThanAnyReplyBufferHolds)
{
    const QByteArray reply("\x00\x01\x02\x03\x04\xF5", 6);
    const QByteArray flood = ReplyShaper::shape(reply, FaultKind::Flood, true).value(0).bytes;
    EXPECT_TRUE(flood.startsWith(reply));
    EXPECT_GT(flood.size(), 1024 + reply.size());
}
