#include "aux_isp_tool/gfx/delay_microseconds.h"

namespace peloisp {

void DelayMicroseconds(platform::Clock& clock, uint16_t micros) {
  if (micros < 20) {
    return;
  }
  const uint64_t target = clock.TicksPerSecond() * micros / 1000000;
  const uint64_t start = clock.Ticks();
  while (clock.Ticks() - start < target) {
  }
}

}  // namespace peloisp
