#pragma once

#include <cstdint>

// The serial line's error flags, with the values the unit's documentation and older versions of
// this program use, and how they turn into link error codes.
namespace SerialLineErrors {

enum Flag : std::uint32_t {
    CE_RXOVER = 0x0001,
    CE_OVERRUN = 0x0002,
    CE_RXPARITY = 0x0004,
    CE_FRAME = 0x0008,
    CE_BREAK = 0x0010,
    CE_TXFULL = 0x0100,
    CE_IOE = 0x0400,
    CE_MODE = 0x8000,
};

// The error code for a set of flags: the first match of mode, break, framing, then (only
// without an I/O error) overrun, input overflow, parity, output full. No match keeps current.
int errorCodeFor(std::uint32_t flags, int currentCode);

} // namespace SerialLineErrors
