#include "logged/IncrementalPlan.h"

#include "logged/UnitImageCache.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

using IncrementalPlan::Position;
using IncrementalPlan::Ring;

// The periodic log's ring: pages 0x03-0x1F, no wrapped bit; battery 1's efficiency ring: pages
// 0x30-0x37 with one.
constexpr Ring Periodic{0x03, 29, false};
constexpr Ring Efficiency{0x30, 8, true};
constexpr Position EmptyPeriodic{0x1FC0, false, true};

struct PlanCase {
    const char* name;
    Ring ring;
    Position old;
    Position now;
    const char* expected;
};

QString described(const IncrementalPlan::LogPlan& plan)
{
    if (plan.kind == IncrementalPlan::LogPlan::Kind::Unchanged)
        return QStringLiteral("unchanged");
    if (plan.kind == IncrementalPlan::LogPlan::Kind::Whole)
        return QStringLiteral("whole");
    QString text;
    for (std::uint8_t page : plan.pages)
        text += QStringLiteral("%1 ").arg(page, 2, 16, QChar(u'0'));
    return text + QStringLiteral("kept %1").arg(plan.keptBytes);
}

} // namespace

TEST(IncrementalPlan, OnlyThePagesFromTheOldNewestEntryToTheNewOneAreReadAroundTheRing)
{
    const PlanCase cases[] = {
        {"NothingNew", Periodic, {0x0543}, {0x0543}, "unchanged"},
        {"SamePage", Periodic, {0x0543}, {0x0561}, "05 kept 67"},
        {"LaterPages", Periodic, {0x0543}, {0x07C3}, "05 06 07 kept 67"},
        {"RoundTheEnd", Periodic, {0x1F43}, {0x0443}, "1f 03 04 kept 67"},
        {"FirstRecordsOfAnEmptyLog", Periodic, EmptyPeriodic, {0x0303}, "1f 03 kept 192"},
        {"EfficiencyWraps", Efficiency, {0x3700}, {0x3009, true}, "37 30 kept 0"},
        {"OnceRoundIntoTheSamePage", Periodic, {0x0543}, {0x0503}, "whole"},
        {"UpToThePageBefore", Periodic, {0x0543}, {0x0443}, "whole"},
        {"PeriodicCleared", Periodic, {0x0543}, EmptyPeriodic, "whole"},
        {"WrappedBitLost", Efficiency, {0x3100, true}, {0x3109, false}, "whole"},
        {"BackWithoutWrapping", Efficiency, {0x3100}, {0x3009}, "whole"},
        {"PointerOutsideTheRing", Periodic, {0x0543}, {0x0243}, "whole"},
    };
    for (const PlanCase& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(described(IncrementalPlan::plan(row.ring, row.old, row.now)), row.expected);
    }
    EXPECT_EQ(IncrementalPlan::confirmingPage(Periodic, {0x0543}), 0x04);
    EXPECT_EQ(IncrementalPlan::confirmingPage(Periodic, {0x0343}), 0x1F);
}

TEST(UnitImageCache, AnImageComesBackOnlyWhenItsFileIsWholeOfThisVersionAndOfThisUnit)
{
    QTemporaryDir folder;
    const UnitImageCache cache(folder.path());
    UnitImage image;
    image.link = QStringLiteral("host/../x:1701");
    image.identity = QByteArray("\x06\x06\x01", 3);
    image.clockDay = 0x1234;
    image.logs[2] = {true, 17, true, true};
    image.memory[0x3000] = 'z';
    ASSERT_TRUE(cache.save(image));
    EXPECT_EQ(cache.load(image.link), image);
    EXPECT_EQ(QFileInfo(cache.pathFor(image.link)).absolutePath(),
              QDir(folder.path()).absolutePath());

    const QByteArray good = UnitImageCache::encode(image);
    // The format: "GVUI", a 32-bit version, the contents, a SHA-256 digest of what precedes it.
    QByteArray otherVersion = good.first(good.size() - 32);
    otherVersion[7] = 2;
    otherVersion += QCryptographicHash::hash(otherVersion, QCryptographicHash::Sha256);
    const std::pair<const char*, std::function<QByteArray()>> damages[] = {
        {"ByteChanged", [&] { return QByteArray(good).replace(0x2000, 1, "!"); }},
        {"CutShort", [&] { return good.first(good.size() - 1); }},
        {"Empty", [] { return QByteArray(); }},
        {"OtherVersion", [&] { return otherVersion; }},
    };
    for (const auto& [name, damaged] : damages) {
        SCOPED_TRACE(name);
        QFile file(cache.pathFor(image.link));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damaged());
        file.close();
        EXPECT_FALSE(cache.load(image.link));
    }
    // A file under another unit's name is not that unit's image.
    QFile(cache.pathFor(image.link)).remove();
    ASSERT_TRUE(cache.save(image));
    ASSERT_TRUE(QFile::rename(cache.pathFor(image.link), cache.pathFor(QStringLiteral("COM7"))));
    EXPECT_FALSE(cache.load(QStringLiteral("COM7")));
}
