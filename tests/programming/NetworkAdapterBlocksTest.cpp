#include "programming/NetworkAdapterBlocks.h"

#include "tests/programming/TestBytes.h"

#include <gtest/gtest.h>

using namespace NetworkAdapterBlocks;

namespace {

const QString MASK_MESSAGE = QStringLiteral("The Subnet Mask is invalid. Please try again.");

Blocks readBlocks()
{
    QByteArray name("OFFICE-UNIT");
    name.resize(16, '\0');
    return {bytes({0x81, 192, 168, 1, 50, 192, 168, 1, 1, 8, 8, 8, 8, 8}),
            bytes({8, 8, 4, 4, 0xA5, 0x06}), name, QByteArray(16, '\x5A')};
}

} // namespace

TEST(NetworkAdapterBlocks, AreTheFourRecordsOfTheAdapter)
{
    EXPECT_EQ(address(BLOCK_A), 0x90);
    EXPECT_EQ(address(BLOCK_B), 0x91);
    EXPECT_EQ(address(BLOCK_C), 0x92);
    EXPECT_EQ(address(BLOCK_D), 0x93);
    EXPECT_EQ(length(BLOCK_A), 14);
    EXPECT_EQ(length(BLOCK_B), 6);
    EXPECT_EQ(length(BLOCK_C), 16);
    EXPECT_EQ(length(BLOCK_D), 16);
}

TEST(NetworkAdapterBlocks, DecodeAddressesFirstOctetFirst)
{
    const Settings settings = decode(readBlocks());
    EXPECT_TRUE(settings.dhcp);
    EXPECT_EQ(settings.ipAddress, 0xC0A80132u);
    EXPECT_EQ(settings.gateway, 0xC0A80101u);
    EXPECT_EQ(settings.subnetMask, 0xFFFFFF00u) << "8 host bits";
    EXPECT_EQ(settings.primaryDns, 0x08080808u);
    EXPECT_EQ(settings.secondaryDns, 0x08080404u);
    EXPECT_EQ(settings.port, 1701u) << "0xA5 0x06, low byte first";
    EXPECT_EQ(settings.name, QStringLiteral("OFFICE-UNIT"));
}

TEST(NetworkAdapterBlocks, WriteBackWhatWasReadExceptBlockD)
{
    const Blocks read = readBlocks();
    const Blocks written = encode(decode(read), read[BLOCK_A]);
    EXPECT_EQ(written[BLOCK_A], read[BLOCK_A]);
    EXPECT_EQ(written[BLOCK_B], read[BLOCK_B]);
    EXPECT_EQ(written[BLOCK_C], read[BLOCK_C]);
    EXPECT_EQ(written[BLOCK_D], QByteArray(16, '\0'));
}

TEST(NetworkAdapterBlocks, DhcpChangesOnlyBit0OfTheFlags)
{
    Settings settings = decode(readBlocks());
    settings.dhcp = false;
    EXPECT_EQ(static_cast<unsigned char>(encode(settings, readBlocks()[BLOCK_A])[BLOCK_A][0]),
              0x80);
    settings.dhcp = true;
    EXPECT_EQ(static_cast<unsigned char>(encode(settings, bytes({0x40}))[BLOCK_A][0]), 0x41);
}

TEST(SubnetMask, IsStoredAsItsHostBits)
{
    EXPECT_EQ(hostBitsOfMask(0xFFFFFF00), 8) << "255.255.255.0";
    EXPECT_EQ(hostBitsOfMask(0xFFFFFFFF), 0) << "255.255.255.255";
    EXPECT_EQ(hostBitsOfMask(0x00000000), 32) << "0.0.0.0";
    EXPECT_EQ(hostBitsOfMask(0xFFFF0000), 16);
    EXPECT_EQ(hostBitsOfMask(0x80000000), 31);
    EXPECT_EQ(maskOfHostBits(8), 0xFFFFFF00u);
    EXPECT_EQ(maskOfHostBits(32), 0u) << "shown again as 0.0.0.0";
    EXPECT_EQ(maskOfHostBits(0), 0xFFFFFFFFu);
    EXPECT_EQ(maskOfHostBits(200), 0u);

    Settings settings = defaults();
    settings.subnetMask = 0;
    EXPECT_EQ(encode(settings, {})[BLOCK_A][9], 32);
}

TEST(SubnetMask, WithOnesNotInOneRunAtTheTopIsRefused)
{
    Settings settings = defaults();
    settings.subnetMask = 0xFF00FF00; // 255.0.255.0
    EXPECT_EQ(hostBitsOfMask(settings.subnetMask), std::nullopt);
    EXPECT_EQ(validate(settings), MASK_MESSAGE);
    settings.subnetMask = 0x00FFFFFF; // 0.255.255.255
    EXPECT_EQ(validate(settings), MASK_MESSAGE);
    settings.subnetMask = 0xFFFFFFFE;
    EXPECT_EQ(validate(settings), QString());
}

TEST(NetworkAdapterBlocks, KeepAtMost15NameCharactersAndTheLow16PortBits)
{
    Settings settings = defaults();
    settings.name = QStringLiteral("ABCDEFGHIJKLMNO");
    settings.port = 70000;
    Blocks written = encode(settings, {});
    QByteArray whole("ABCDEFGHIJKLMNO");
    whole.append('\0');
    EXPECT_EQ(written[BLOCK_C], whole);
    EXPECT_EQ(written[BLOCK_B].mid(4), bytes({0x70, 0x11})) << "70000 - 65536 = 4464";

    settings.name = QStringLiteral("ABCDEFGHIJKLMNOPQRS");
    written = encode(settings, {});
    EXPECT_EQ(written[BLOCK_C], whole);
    EXPECT_EQ(decode(written).name, QStringLiteral("ABCDEFGHIJKLMNO"));
}

TEST(NetworkAdapterBlocks, ANameWithoutAZeroByteReadsAllSixteen)
{
    Blocks blocks = readBlocks();
    blocks[BLOCK_C] = QByteArray("0123456789ABCDEF");
    EXPECT_EQ(decode(blocks).name, QStringLiteral("0123456789ABCDEF"));
}

TEST(NetworkAdapterBlocks, DefaultsAreDhcpWithTheFactoryNameAndPort)
{
    const Settings settings = defaults();
    EXPECT_TRUE(settings.dhcp);
    EXPECT_EQ(settings.ipAddress, 0u);
    EXPECT_EQ(settings.gateway, 0u);
    EXPECT_EQ(settings.primaryDns, 0u);
    EXPECT_EQ(settings.secondaryDns, 0u);
    EXPECT_EQ(settings.subnetMask, 0xFFFF0000u);
    EXPECT_EQ(settings.port, 1701u);
    EXPECT_EQ(settings.name, QStringLiteral("ZELTRAVANIC1"));

    const Blocks written = encode(settings, bytes({0x00}));
    EXPECT_EQ(written[BLOCK_A], bytes({0x01, 0, 0, 0, 0, 0, 0, 0, 0, 16, 0, 0, 0, 0}));
    EXPECT_EQ(written[BLOCK_B], bytes({0, 0, 0, 0, 0xA5, 0x06}));
}
