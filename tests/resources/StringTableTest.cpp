#include "resources/StringTable.h"

#include <gtest/gtest.h>

TEST(StringTable, ParsesIdsAndUnescapesTexts)
{
    const StringTable table =
        StringTable::parse(QStringLiteral("# comment\n1024\tError opening port.\n"
                                          "2501\tCould not open file:\\n %s\n\n"
                                          "3\ta \\\"quoted\\\" back\\\\slash\\r\n"));
    EXPECT_EQ(table.size(), 3);
    EXPECT_EQ(table.text(1024), QStringLiteral("Error opening port."));
    EXPECT_EQ(table.text(2501), QStringLiteral("Could not open file:\n %s"));
    EXPECT_EQ(table.text(3), QStringLiteral("a \"quoted\" back\\slash\r"));
    EXPECT_TRUE(table.text(99).isEmpty());
}
