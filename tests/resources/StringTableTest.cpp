#include "resources/StringTable.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

TEST(StringTable, ParsesIdsAndUnescapesTexts)
{
    const StringTable table =
        StringTable::parse(QStringLiteral("# comment\n1024\tError opening port.\n\n"
                                          "3\ta \\\"quoted\\\" back\\\\slash\\r\\n\\t\n"));
    EXPECT_EQ(table.ids(), (QList<int>{3, 1024}));
    EXPECT_EQ(table.text(1024), QStringLiteral("Error opening port."));
    EXPECT_EQ(table.text(3), QStringLiteral("a \"quoted\" back\\slash\r\n\t"));
    EXPECT_TRUE(table.text(99).isEmpty());
}

TEST(BuiltInStringTable, HoldsExactlyTheIdsTheProgramLoads)
{
    // Runs of consecutive ids. The gaps are ids nothing loads: 508, 517 and 526 lie beyond the
    // channel-name codes (the unit's byte AND 7), 562 between the AD28 label and "None", and
    // 1030, 1033, 1034, 1037 are neither a link state text nor an error code the serial line
    // sets.
    const std::pair<int, int> runs[] = {
        {100, 100},   {500, 507},   {509, 516},   {518, 525},   {527, 528},   {534, 561},
        {563, 563},   {599, 608},   {611, 616},   {618, 619},   {621, 626},   {700, 711},
        {1000, 1000}, {1024, 1029}, {1031, 1032}, {1035, 1036}, {1038, 1043}, {1200, 1201},
        {1505, 1505}, {1550, 1551}, {2000, 2001}, {2501, 2504}, {2601, 2602}, {3000, 3010},
        {3020, 3021}, {3050, 3055}};
    QList<int> ids;
    for (const auto& [first, last] : runs)
        for (int id = first; id <= last; ++id)
            ids.append(id);
    EXPECT_EQ(StringTable::builtIn().ids(), ids);
}

TEST(BuiltInStringTable, EveryTextIsDecodedAndHasThePlaceholdersItsUserFills)
{
    // printf placeholders in order; every other text has none.
    QHash<int, QString> placeholders{{1505, "dd"}, {2501, "s"}, {2502, "ddds"}};
    for (int id = 534; id <= 559; ++id)
        if (id != 538 && id != 539 && id != 556 && id != 558)
            placeholders.insert(id, QStringLiteral("s")); // the channel name
    const QRegularExpression placeholder(QStringLiteral("%([%sd])"));
    for (int id : StringTable::builtIn().ids()) {
        const QString text = loadString(id);
        QString found;
        for (const QRegularExpressionMatch& match : placeholder.globalMatch(text))
            found += match.captured(1) == u'%' ? QString() : match.captured(1);
        EXPECT_EQ(found, placeholders.value(id)) << id;
        // No text holds a backslash: one left over is an escape not decoded. Channel code 7
        // names no channel.
        EXPECT_FALSE(text.contains(u'\\')) << id;
        EXPECT_EQ(text.isEmpty(), id == 507 || id == 516 || id == 525) << id;
    }
}

TEST(BuiltInStringTable, TheTimeoutExplanationJoinsIntoParagraphs)
{
    // The advanced page joins 3050..3055 without separator.
    for (int id = 3050; id <= 3054; ++id)
        EXPECT_TRUE(loadString(id).endsWith(QStringLiteral("\r\n\r\n"))) << id;
    EXPECT_FALSE(loadString(3055).endsWith(u'\n'));
}
