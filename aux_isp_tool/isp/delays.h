// The engine's waits. Those below 20 ms sit on the critical path of every DDC and DPCD
// exchange and must be accurate to well under a millisecond, so they spin on the counter.
#pragma once

#include "platform/clock.h"

#include <cstdint>

namespace peloisp {

// From 20 ms: a timed sleep. Below: a spin on the high-resolution counter.
void PreciseDelay(platform::Clock& clock, uint16_t ms);

// A sleep with the system timer resolution raised to 1 ms around it.
void TimedSleep(platform::Clock& clock, uint32_t ms);

}  // namespace peloisp
