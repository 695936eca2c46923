#include "programming/NetworkAdapterBlocks.h"

#include "config/Settings.h"
#include "programming/ParameterCoding.h"

namespace NetworkAdapterBlocks {

namespace {

constexpr std::uint8_t ADDRESSES[BLOCK_COUNT] = {0x90, 0x91, 0x92, 0x93};
constexpr int LENGTHS[BLOCK_COUNT] = {14, 6, 16, 16};
constexpr int DHCP_BIT = 0x01;
constexpr int HOST_BITS_OFFSET = 9;
constexpr int PORT_OFFSET = 4;

std::uint32_t addressAt(QByteArrayView block, int offset)
{
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = value << 8 | ParameterCoding::byteAt(block, offset + i);
    return value;
}

void putAddress(QByteArray& block, int offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        block[offset + i] = static_cast<char>(value >> (8 * (3 - i)) & 0xFF);
}

QString nameOf(QByteArrayView block)
{
    const QByteArrayView text = block.first(std::min<qsizetype>(block.size(), length(BLOCK_C)));
    const qsizetype end = text.indexOf('\0');
    return QString::fromLatin1(end < 0 ? text : text.first(end));
}

QByteArray blockA(const Settings& settings, QByteArrayView blockARead)
{
    QByteArray block(length(BLOCK_A), '\0');
    block[0] = static_cast<char>(ParameterCoding::byteAt(blockARead, 0));
    ParameterCoding::setBits(block, 0, DHCP_BIT, settings.dhcp);
    putAddress(block, 1, settings.ipAddress);
    putAddress(block, 5, settings.gateway);
    const auto hostBits = hostBitsOfMask(settings.subnetMask);
    block[HOST_BITS_OFFSET] = static_cast<char>(
        hostBits ? *hostBits : ParameterCoding::byteAt(blockARead, HOST_BITS_OFFSET));
    putAddress(block, 10, settings.primaryDns);
    return block;
}

QByteArray blockB(const Settings& settings)
{
    QByteArray block(length(BLOCK_B), '\0');
    putAddress(block, 0, settings.secondaryDns);
    ParameterCoding::putWord(block, PORT_OFFSET, static_cast<std::uint16_t>(settings.port));
    return block;
}

QByteArray blockC(const Settings& settings)
{
    QByteArray block = settings.name.left(NAME_CHARS).toLatin1();
    block.resize(length(BLOCK_C), '\0');
    return block;
}

} // namespace

std::uint8_t address(Block block)
{
    return ADDRESSES[block];
}

int length(Block block)
{
    return LENGTHS[block];
}

Settings decode(const Blocks& blocks)
{
    const QByteArray& a = blocks[BLOCK_A];
    const QByteArray& b = blocks[BLOCK_B];
    Settings settings;
    settings.dhcp = ParameterCoding::byteAt(a, 0) & DHCP_BIT;
    settings.ipAddress = addressAt(a, 1);
    settings.gateway = addressAt(a, 5);
    settings.subnetMask = maskOfHostBits(ParameterCoding::byteAt(a, HOST_BITS_OFFSET));
    settings.primaryDns = addressAt(a, 10);
    settings.secondaryDns = addressAt(b, 0);
    settings.port = ParameterCoding::wordAt(b, PORT_OFFSET);
    settings.name = nameOf(blocks[BLOCK_C]);
    return settings;
}

Settings defaults()
{
    Settings settings;
    settings.dhcp = true;
    settings.subnetMask = 0xFFFF0000;
    settings.port = 1701;
    settings.name = QString::fromUtf16(DefaultAdapterName);
    return settings;
}

std::uint32_t maskOfHostBits(int hostBits)
{
    if (hostBits >= 32)
        return 0;
    return 0xFFFFFFFFu << std::max(hostBits, 0);
}

std::optional<int> hostBitsOfMask(std::uint32_t mask)
{
    int zeros = 0;
    while (zeros < 32 && !(mask >> zeros & 1))
        ++zeros;
    int ones = 0;
    while (zeros + ones < 32 && (mask >> (zeros + ones) & 1))
        ++ones;
    if (zeros + ones != 32)
        return std::nullopt;
    return zeros;
}

QString validate(const Settings& settings)
{
    if (hostBitsOfMask(settings.subnetMask))
        return {};
    return QStringLiteral("The Subnet Mask is invalid. Please try again.");
}

Blocks encode(const Settings& settings, QByteArrayView blockARead)
{
    return {blockA(settings, blockARead), blockB(settings), blockC(settings),
            QByteArray(length(BLOCK_D), '\0')};
}

} // namespace NetworkAdapterBlocks
