#include "simulator/RecordStore.h"

#include "tests/support/TestBytes.h"

#include <gtest/gtest.h>

TEST(RecordStore, EveryRecordTheProgramUsesHasItsLength)
{
    // Address and length of every record the program reads or writes.
    const std::pair<int, int> records[] = {
        {0x01, 2}, {0x02, 2}, {0x03, 2}, {0x04, 2},  {0x05, 3},  {0x06, 3},  {0x07, 3}, {0x08, 3},
        {0x09, 3}, {0x0A, 3}, {0x0C, 3}, {0x0D, 3},  {0x0F, 4},  {0x12, 3},  {0x13, 3}, {0x17, 3},
        {0x18, 3}, {0x15, 4}, {0x16, 4}, {0x1A, 1},  {0x1B, 1},  {0x1C, 2},  {0x1D, 2}, {0x1E, 2},
        {0x1F, 2}, {0x19, 1}, {0xF7, 1}, {0xE1, 3},  {0xF2, 2},  {0xF6, 3},  {0xF1, 2}, {0xF9, 2},
        {0x24, 1}, {0xCE, 2}, {0x25, 2}, {0xDA, 12}, {0xD7, 12}, {0xFF, 5},  {0xFE, 5}, {0xFD, 5},
        {0xFC, 5}, {0xFB, 5}, {0xF3, 1}, {0xF0, 7},  {0xCD, 2},  {0xEC, 3},  {0xEA, 3}, {0xEB, 3},
        {0xE9, 3}, {0xD4, 6}, {0xE8, 3}, {0xE7, 3},  {0xE5, 3},  {0xE3, 1},  {0xE2, 1}, {0xD0, 12},
        {0xD1, 1}, {0xD2, 4}, {0x27, 1}, {0x90, 14}, {0x91, 6},  {0x92, 16}, {0x93, 16}};
    for (const auto& [address, length] : records) {
        const RecordDefinition* record = RecordCatalog::find(static_cast<quint8>(address));
        ASSERT_NE(record, nullptr) << std::hex << address;
        EXPECT_EQ(record->length, length) << std::hex << address;
    }
}

TEST(RecordStore, ALongerReadRunsOnIntoTheRecordBehindAndAWriteChangesOnlyWhatItMay)
{
    RecordStore store;
    EXPECT_EQ(store.write(0xF2, bytesOf({0xC9, 0x00})), QList<quint8>{0xF2});
    store.set(0xF1, bytesOf({0x64, 0x00}));
    store.set(0xCE, bytesOf({0x12, 0x03}));
    store.set(0xCD, bytesOf({0x21, 0x02}));
    // P14 then P15; the alarm enables of battery 1 then battery 2.
    EXPECT_EQ(store.read(0xF2, 4), bytesOf({0xC9, 0x00, 0x64, 0x00}));
    EXPECT_EQ(store.read(0xCE, 4), bytesOf({0x12, 0x03, 0x21, 0x02}));
    // P43 at its factory 5 % steps for both batteries, then an empty profile's pointer 0x2000;
    // three bytes written there change P43 only.
    EXPECT_EQ(store.read(0xD1, 3), bytesOf({0xE0, 0x00, 0x20}));
    EXPECT_EQ(store.write(0xD1, bytesOf({0x80, 0x11, 0x22})), QList<quint8>{0xD1});
    EXPECT_EQ(store.read(0xD1, 3), bytesOf({0x80, 0x00, 0x20}));
    // An empty periodic log points at its last block; the firmware version is read-only.
    EXPECT_EQ(store.read(0xD2, 4).mid(2), bytesOf({0xC0, 0x1F}));
    EXPECT_TRUE(store.write(0xF7, bytesOf({99})).isEmpty());
    EXPECT_EQ(store.read(0xF7, 1) + store.read(0x40, 3) + store.read(0x27, 1),
              bytesOf({25, 0, 0, 0, 0}));
}

TEST(RecordStore, TheNetworkAdapterKeepsItsSettingsThroughFactoryDefaults)
{
    RecordStore store;
    const QByteArray first = store.read(0x90, 14);
    EXPECT_EQ(byteAt(first, 0) & 1, 1);                           // DHCP on
    EXPECT_EQ(byteAt(first, 9), 16);                              // 255.255.0.0
    EXPECT_EQ(store.read(0x91, 6).mid(4), bytesOf({0xA5, 0x06})); // port 1701
    EXPECT_EQ(store.read(0x92, 16), QByteArray("ZELTRAVANIC1").leftJustified(16, '\0'));
    EXPECT_EQ(store.read(0x93, 16), QByteArray(16, '\0'));
    store.write(0xF2, bytesOf({0x10, 0x00}));
    store.write(0x91, bytesOf({1, 2, 3, 4, 0x50, 0x00}));
    store.restoreFactoryParameters();
    EXPECT_EQ(store.read(0xF2, 2), bytesOf({200, 0}));
    EXPECT_EQ(store.read(0x91, 6), bytesOf({1, 2, 3, 4, 0x50, 0x00}));
}
