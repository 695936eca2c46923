#pragma once

#include <cstdint>

// The descriptor of the one request a transport has outstanding. Every request overwrites it;
// reply messages carry a pointer to it, so a receiver copies what it needs while handling one.
struct LinkRequest {
    std::uint16_t kind = 0;
    // READ and BULK READ: the caller's; WRITE: the frame's checksum, the acknowledgement due.
    std::uint16_t tag = 0;
    // Serial: bytes to read for the reply; TCP: data bytes expected.
    std::uint16_t length = 0;
    // Nonzero when the reply ends with a checksum that the transport checks and strips.
    std::uint32_t verify = 0;
    // The transport's reply buffer (LinkBufferSize bytes): data only, zero-filled behind it.
    std::uint8_t* data = nullptr;
    // TCP: the first byte of the adapter's reply.
    std::uint8_t status = 0;
    // When the request was set up, in whole seconds since the epoch.
    std::int64_t issued = 0;
};
