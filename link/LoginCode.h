#pragma once

#include <array>
#include <cstdint>

// The 8 bytes the unit's network adapter expects after its greeting. The code is the same for
// every unit and installation; the link sends it raw, without the 0x00 prefix or a checksum.
inline constexpr std::array<std::uint8_t, 8> LoginCode = {0x5A, 0x54, 0x56, 0x2D,
                                                          0x4C, 0x4E, 0x4B, 0x31};
