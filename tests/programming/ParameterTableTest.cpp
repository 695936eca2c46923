#include "programming/ParameterTable.h"

#include "tests/support/TestBytes.h"

#include <QDataStream>
#include <QIODevice>
#include <gtest/gtest.h>

namespace {

struct ExpectedSlot {
    int address;
    int length;
    int titleId;
    const char* title;
    const char* subject;
};

// The parameter table as the unit's records are laid out, restated, from slot 0 on; slots 11
// and 28 are empty.
// clang-format off
const ExpectedSlot EXPECTED[] = {
    {0xFF, 5, 600, "P1", "1"},     {0xFE, 5, 601, "P2", "2"},     {0xFD, 5, 602, "P3", "3"},
    {0xFC, 5, 603, "P4", "4"},     {0xFB, 5, 604, "P5", "5"},     {0xE1, 3, 605, "P6-9", ""},
    {0xF6, 3, 606, "P11-13", ""},  {0xF2, 2, 607, "P14", "1"},    {0xF1, 2, 608, "P15", "2"},
    {0xF3, 1, 599, "P-X", ""},     {0xF0, 7, 599, "P-X", ""},     {0, 0, 0, "", ""},
    {0xCE, 2, 611, "P22-23", "1"}, {0xCD, 2, 612, "P24-25", "2"}, {0xEC, 3, 613, "P26", "1"},
    {0xEA, 3, 614, "P27", "1"},    {0xEB, 3, 615, "P28", "2"},    {0xE9, 3, 616, "P29", "2"},
    {0xD4, 6, 599, "P-X", ""},     {0xE8, 3, 618, "P32", "1"},    {0xE7, 3, 619, "P33", "2"},
    {0xE5, 3, 599, "P-X", ""},     {0xE3, 1, 621, "P36", "has not been Equalized"},
    {0xE2, 1, 622, "P37", "does not reach Charged Criteria"},     {0xF9, 2, 599, "P-X", ""},
    {0x24, 1, 599, "P-X", ""},     {0xD0, 12, 599, "P-X", ""},    {0xD1, 1, 599, "P-X", ""},
    {0, 0, 0, "", ""},             {0x27, 1, 599, "P-X", ""},     {0x90, 14, 599, "P-X", ""},
    {0x91, 6, 599, "P-X", ""},     {0x92, 16, 599, "P-X", ""},    {0x93, 16, 599, "P-X", ""},
};
// clang-format on

} // namespace

TEST(ParameterTable, HoldsEveryRecordWithItsAddressLengthTitleAndSubject)
{
    const ParameterTable table;
    ASSERT_EQ(ParameterTable::SLOT_COUNT, 34);
    for (int index = 0; index < ParameterTable::SLOT_COUNT; ++index) {
        SCOPED_TRACE(index);
        const ExpectedSlot& expected = EXPECTED[index];
        const CProgramData& slot = table.slot(index);
        EXPECT_EQ(slot.slot(), index);
        EXPECT_EQ(slot.address(), expected.address);
        EXPECT_EQ(slot.length(), expected.length);
        EXPECT_EQ(slot.isEmpty(), expected.length == 0);
        EXPECT_EQ(slot.titleId(), expected.titleId);
        if (!slot.isEmpty()) {
            EXPECT_EQ(slot.header(QStringLiteral("%s|%s")),
                      QString::fromLatin1(expected.title) + u'|' + expected.subject);
        }
        EXPECT_EQ(slot.value(), QByteArray(13, '\0'));
    }
    EXPECT_THROW((void)table.slot(34), std::out_of_range);
    EXPECT_EQ(table.slot(7).header(QStringLiteral("%s %s %s")), QStringLiteral("P14 1 %s"))
        << "only the title and the subject are put in";
}

TEST(ParameterTable, KeepsThirteenValueBytesAndArchivesThemAfterTheSlotNumber)
{
    ParameterTable table;
    table.slot(32).storeValue(QByteArray("ZELTRAVANIC1-LONGER"));
    EXPECT_EQ(table.slot(32).value(), QByteArray("ZELTRAVANIC1-"));
    table.slot(7).storeValue(bytesOf({0x10, 0x27}));
    EXPECT_EQ(table.slot(7).value(), bytesOf({0x10, 0x27}) + QByteArray(11, '\0'));

    table.slot(26).storeValue(bytesOf({0x27, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0x63, 0x03}));
    QByteArray archive;
    QDataStream out(&archive, QIODevice::WriteOnly);
    table.slot(26).Serialize(out);
    EXPECT_EQ(archive, bytesOf({0x1A, 0x00, 0x27, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0x63, 0x03, 0x00}));

    CProgramData loaded;
    QDataStream in(archive);
    loaded.Deserialize(in);
    EXPECT_EQ(loaded.slot(), 26);
    EXPECT_EQ(loaded.value(), table.slot(26).value());
    QDataStream cutOff(bytesOf({0x07, 0x00, 0x01}));
    table.slot(7).Deserialize(cutOff);
    EXPECT_EQ(table.slot(7).value(), bytesOf({0x10, 0x27}) + QByteArray(11, '\0'))
        << "a cut-off archive loads nothing";
}
