#include "platform/clock.h"

#include <windows.h>
#include <mmsystem.h>

namespace platform {
namespace {

class Win32Clock final : public Clock {
 public:
  uint64_t Ticks() override {
    LARGE_INTEGER now = {};
    QueryPerformanceCounter(&now);
    return static_cast<uint64_t>(now.QuadPart);
  }
  uint64_t TicksPerSecond() override {
    LARGE_INTEGER rate = {};
    QueryPerformanceFrequency(&rate);
    return static_cast<uint64_t>(rate.QuadPart);
  }
  void Sleep(uint32_t ms) override { ::Sleep(ms); }
  void BeginTimerResolution(uint32_t ms) override { timeBeginPeriod(ms); }
  void EndTimerResolution(uint32_t ms) override { timeEndPeriod(ms); }
};

}  // namespace

std::unique_ptr<Clock> MakeSystemClock() {
  return std::make_unique<Win32Clock>();
}

}  // namespace platform
