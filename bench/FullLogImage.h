#pragma once

#include "simulator/MemoryImage.h"

// The unit's 16 KiB of log memory with every log full and wrapped: ten-minute logging of all
// ten items and a year of charge cycles.
namespace FullLogImage {

MemoryImage make();

} // namespace FullLogImage
