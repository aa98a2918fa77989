// Time for the console tools: a high-resolution counter, sleeping, and the system timer
// resolution. In-process tests pass a virtual clock instead.
#pragma once

#include <cstdint>
#include <memory>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;

  // The high-resolution counter (QueryPerformanceCounter) and its rate per second.
  virtual uint64_t Ticks() = 0;
  virtual uint64_t TicksPerSecond() = 0;

  // Gives up the thread for at least `ms` milliseconds (Sleep).
  virtual void Sleep(uint32_t ms) = 0;

  // Raise and restore the system timer resolution around a sleep (timeBeginPeriod /
  // timeEndPeriod); each Begin is paired with an End of the same value.
  virtual void BeginTimerResolution(uint32_t ms) = 0;
  virtual void EndTimerResolution(uint32_t ms) = 0;
};

// The operating system's clock.
std::unique_ptr<Clock> MakeSystemClock();

}  // namespace platform
