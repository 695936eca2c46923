#include "LogImages.h"
#include "logged/DischargeProfileCsv.h"
#include "logged/DischargeProfileDecoder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QString Header = QStringLiteral("Day of Month,Percent Full,Filtered Volts,Filtered Amps");

struct Decoded {
    std::vector<CIntData> pool = std::vector<CIntData>(756);
    std::vector<CIntData*> battery1, battery2;
    int count = 0;
};

Decoded decode(const QByteArray& log, int newest, bool wrapped, bool present = true)
{
    Decoded d;
    d.count = DischargeProfileDecoder::decode(log, newest, wrapped, present, d.pool, d.battery1,
                                              d.battery2);
    return d;
}

} // namespace

TEST(DischargeProfile, EntriesGoToTheirBatteryAsTheWorkedRows)
{
    QByteArray log(4096, '\0');
    // Battery 2, 31 x 5 percent (bits 5 and 6 set as well), day 17, 252 counts, amps -250 x
    // 0.01 with bits 10, 11 and 14 set.
    putEntry(log, 1, 0xFF, (17 << 11) | 252, 0xDCFA);
    putEntry(log, 2, 0x10, (18 << 11) | 240, 0x2005);
    putEntry(log, 3, 0x01, (1 << 11) | 200, 0);
    Decoded decoded = decode(log, 15, false);
    ASSERT_EQ(decoded.count, 3);
    EXPECT_EQ(DischargeProfileCsv::fileText(decoded.battery2), Header + "\r17,155%,12.60,-2.50");
    EXPECT_EQ(DischargeProfileCsv::fileText(decoded.battery1),
              Header + "\r18,80%,12.00,0.50\r1,5%,10.00,0.00");
    std::reverse(decoded.battery1.begin(), decoded.battery1.end());
    EXPECT_EQ(DischargeProfileCsv::fileText(decoded.battery1),
              Header + "\r1,5%,10.00,0.00\r18,80%,12.00,0.50");
    const std::pair<std::uint16_t, float> amps[] = {
        {0x01F4, 0.5f}, {0x11F4, 5.0f}, {0x21F4, 50.0f}, {0x31F4, 500.0f}, {0x5C07, 0.07f}};
    for (const auto& [raw, value] : amps)
        EXPECT_FLOAT_EQ(DischargeProfileDecoder::ampsValue(raw), value) << std::hex << raw;
}

TEST(DischargeProfile, TheWalkVisitsTheRingOnceOldestFirst)
{
    // Every entry numbered by its index in its volts counts; battery 2 from index 600 on.
    QByteArray log(4096, '\0');
    for (int index = 0; index < 756; ++index)
        putEntry(log, index, index >= 600 ? 0x80 : 0, static_cast<std::uint16_t>(index), 0);
    struct Walk {
        const char* name;
        int newest;
        bool wrapped;
        bool present;
        std::vector<int> runs; // ring indexes visited, as runs from..to
    };
    const Walk walks[] = {
        {"NotPresent", 0x0100, false, false, {}},
        {"PointerAtTheStart", 0, false, true, {}},
        {"OneEntry", 5, false, true, {1, 1}},
        {"NotWrappedEndsAtTheNewest", 128 + 15, false, true, {1, 27}},
        {"WrappedAtTheLastEntryOfBlockZero", 0x0037, true, true, {12, 755, 0, 11}},
        {"WrappedInsideABlock", 192 + 20, true, true, {41, 755, 0, 40}},
    };
    for (const Walk& walk : walks) {
        SCOPED_TRACE(walk.name);
        const Decoded decoded = decode(log, walk.newest, walk.wrapped, walk.present);
        std::vector<int> visited;
        for (const auto* battery : {&decoded.battery1, &decoded.battery2})
            for (const CIntData* entry : *battery)
                visited.push_back(static_cast<int>(std::lround(entry->volts / 0.05f)));
        std::vector<int> expected;
        for (std::size_t run = 0; run < walk.runs.size(); run += 2)
            for (int index = walk.runs[run]; index <= walk.runs[run + 1]; ++index)
                expected.push_back(index);
        // Each battery keeps the visit order.
        std::stable_partition(expected.begin(), expected.end(), [](int i) { return i < 600; });
        EXPECT_EQ(visited, expected);
        EXPECT_EQ(decoded.count, static_cast<int>(expected.size()));
    }
}
