#include "simulator/FaultPlan.h"
#include "simulator/ReplyShaper.h"
#include "simulator/UnitChecksum.h"

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
    struct Case {
        const char* selector;
        QList<UnitRequest> requests;
        QList<bool> fired;
    };
    const QList<Case> cases = {
        {"3", {F7, B2F, W27, F7}, {false, false, true, false}},
        {"bulk", {F7, B2F, W27, B2F}, {false, true, false, true}},
        {"read@0xF7:2", {F7, R0F, F7, F7}, {false, false, true, false}},
        {"write:1, read@15", {F7, R0F, W27, W27, R0F}, {false, true, true, false, true}},
        {"all", {F7, W27}, {true, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selector);
        FaultPlan plan;
        ASSERT_TRUE(plan.add(FaultKind::NoReply, QString::fromLatin1(c.selector)));
        QList<bool> fired;
        for (const UnitRequest& each : c.requests)
            fired.append(plan.faultFor(each).has_value());
        EXPECT_EQ(fired, c.fired);
    }
}

TEST(FaultPlan, TheFirstRuleWinsButEveryRuleCountsAndLoginsCountApart)
{
    FaultPlan plan;
    ASSERT_TRUE(plan.add(FaultKind::BadChecksum, "read"));
    ASSERT_TRUE(plan.add(FaultKind::NoReply, "2"));
    ASSERT_TRUE(plan.add(FaultKind::RefuseLogin, "2"));
    EXPECT_EQ(plan.faultFor(F7), FaultKind::BadChecksum);
    EXPECT_EQ(plan.faultFor(B2F), FaultKind::NoReply);
    EXPECT_FALSE(plan.faultFor(B2F).has_value());
    EXPECT_FALSE(plan.refusesLogin());
    EXPECT_TRUE(plan.refusesLogin());
    EXPECT_FALSE(plan.refusesLogin());
}

TEST(FaultPlan, SelectorsThatMeanNothingAreRefused)
{
    for (const auto& [fault, selector] : {std::pair{FaultKind::NoReply, "0"},
                                          {FaultKind::NoReply, "read@0x100"},
                                          {FaultKind::NoReply, "peek"},
                                          {FaultKind::RefuseLogin, "write"}}) {
        FaultPlan plan;
        QString error;
        EXPECT_FALSE(plan.add(fault, QString::fromLatin1(selector), &error)) << selector;
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(plan.isEmpty());
    }
}

TEST(ReplyShaper, GarbageNeverPassesForAReplyAndAFloodOverfillsAnyReplyBuffer)
{
    const QByteArray reply("\x00\x01\x02\x03\x04\xF5", 6);
    const QByteArray garbage = ReplyShaper::shape(reply, FaultKind::Garbage, true).value(0).bytes;
    EXPECT_EQ(garbage.size(), reply.size());
    EXPECT_FALSE(UnitChecksum::holds(garbage));
    const QByteArray flood = ReplyShaper::shape(reply, FaultKind::Flood, true).value(0).bytes;
    EXPECT_TRUE(flood.startsWith(reply));
    EXPECT_GT(flood.size(), 1024 + reply.size());
}
