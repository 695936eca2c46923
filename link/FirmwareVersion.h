#pragma once

#include <QString>
#include <cstdint>

// The unit's firmware version from the one byte of record 0xF7.
namespace FirmwareVersion {

// Tenths of a version for bytes 20..49 (25 is 2.5); any other byte is a unit too old to say,
// version 1.0.
float fromByte(std::uint8_t versionByte);

// The title of the firmware version field.
QString title();

// As the firmware version field shows it: "%0.1f".
QString text(float version);

} // namespace FirmwareVersion
