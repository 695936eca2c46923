#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

// The settings of the unit's network adapter, kept in four records:
//   A 0x90, 14 bytes: byte 0 flags (bit 0 DHCP on), bytes 1-4 IP address, 5-8 gateway,
//                     byte 9 the subnet mask as its number of host bits, 10-13 primary DNS
//   B 0x91,  6 bytes: bytes 0-3 secondary DNS, 4-5 the TCP port the adapter listens on
//   C 0x92, 16 bytes: the adapter's name, at most 15 characters, zero-filled
//   D 0x93, 16 bytes: not the program's; written back as zeros
// Addresses go first octet first.
namespace NetworkAdapterBlocks {

enum Block : int { BLOCK_A = 0, BLOCK_B, BLOCK_C, BLOCK_D, BLOCK_COUNT };

std::uint8_t address(Block block);
int length(Block block);

inline constexpr int NAME_CHARS = 15;
using Blocks = std::array<QByteArray, BLOCK_COUNT>;

// IPv4 addresses as the address controls hold them: the first octet in the high byte.
struct Settings {
    bool dhcp = false;
    std::uint32_t ipAddress = 0;
    std::uint32_t gateway = 0;
    std::uint32_t subnetMask = 0;
    std::uint32_t primaryDns = 0;
    std::uint32_t secondaryDns = 0;
    // The typed port; only its low 16 bits reach the adapter.
    std::uint32_t port = 0;
    QString name;
};

Settings decode(const Blocks& blocks);
// "Set to Default Values": DHCP, no addresses, mask 255.255.0.0, port 1701, "ZELTRAVANIC1".
Settings defaults();

// The mask of a number of host bits; 32 (or more) gives 0.0.0.0.
std::uint32_t maskOfHostBits(int hostBits);
// The host bits of a mask whose one bits form one unbroken run at the top; none otherwise.
std::optional<int> hostBitsOfMask(std::uint32_t mask);

// The message that refuses the settings, or empty when they may be written.
QString validate(const Settings& settings);
// The four blocks to write for settings that passed validation. The flag bits other than DHCP
// come from block A as read.
Blocks encode(const Settings& settings, QByteArrayView blockARead);

} // namespace NetworkAdapterBlocks
