// Busy-waits shorter than a millisecond: a sleep cannot be that short.
#pragma once

#include "platform/clock.h"

#include <cstdint>

namespace peloisp {

// Spins `micros` microseconds on the high-resolution counter; below 20 it returns at once.
void DelayMicroseconds(platform::Clock& clock, uint16_t micros);

}  // namespace peloisp
