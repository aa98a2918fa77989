#include "aux_isp_tool/isp/delays.h"

namespace peloisp {
namespace {

constexpr uint16_t kSleepFromMs = 20;
constexpr uint32_t kTimerResolutionMs = 1;

}  // namespace

void TimedSleep(platform::Clock& clock, uint32_t ms) {
  clock.BeginTimerResolution(kTimerResolutionMs);
  clock.Sleep(ms);
  clock.EndTimerResolution(kTimerResolutionMs);
}

void PreciseDelay(platform::Clock& clock, uint16_t ms) {
  if (ms >= kSleepFromMs) {
    TimedSleep(clock, ms);
    return;
  }
  const double frequency = static_cast<double>(clock.TicksPerSecond());
  const auto target = static_cast<uint64_t>(frequency * ms / 1000.0);
  if (target == 0) {
    return;
  }
  const uint64_t start = clock.Ticks();
  while (clock.Ticks() - start < target) {
  }
}

}  // namespace peloisp
