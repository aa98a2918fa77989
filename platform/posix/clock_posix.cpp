#include "platform/clock.h"

#include <cerrno>
#include <time.h>

namespace platform {
namespace {

class PosixClock final : public Clock {
 public:
  uint64_t Ticks() override {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000000000ULL + static_cast<uint64_t>(now.tv_nsec);
  }
  uint64_t TicksPerSecond() override { return 1000000000ULL; }
  void Sleep(uint32_t ms) override {
    timespec wait{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
  }
  // The kernel's timers are fine-grained already.
  void BeginTimerResolution(uint32_t) override {}
  void EndTimerResolution(uint32_t) override {}
};

}  // namespace

std::unique_ptr<Clock> MakeSystemClock() {
  return std::make_unique<PosixClock>();
}

}  // namespace platform
