// A clock for in-process tests: time moves only when the code under test sleeps or reads the
// counter, so every wait can be asserted and nothing really waits.
#pragma once

#include "platform/clock.h"

#include <cstdint>
#include <vector>

namespace sim {

class VirtualClock final : public platform::Clock {
 public:
  static constexpr uint64_t kTicksPerSecond = 10'000'000;  // 100 ns per tick

  // Each read of the counter moves time on by `ticksPerRead`, so that a spin on the counter ends.
  explicit VirtualClock(uint64_t ticksPerRead = 10) : ticksPerRead_(ticksPerRead) {}

  uint64_t Ticks() override {
    now_ += ticksPerRead_;
    ++counterReads_;
    return now_;
  }
  uint64_t TicksPerSecond() override { return kTicksPerSecond; }
  void Sleep(uint32_t ms) override {
    sleeps_.push_back(ms);
    now_ += static_cast<uint64_t>(ms) * (kTicksPerSecond / 1000);
  }
  void BeginTimerResolution(uint32_t ms) override { resolutionCalls_.push_back(+int64_t{ms}); }
  void EndTimerResolution(uint32_t ms) override { resolutionCalls_.push_back(-int64_t{ms}); }

  // Moves time on without a sleep (another party's work taking time).
  void Advance(uint64_t ticks) { now_ += ticks; }

  uint64_t NowTicks() const { return now_; }
  double NowMs() const { return static_cast<double>(now_) * 1000.0 / kTicksPerSecond; }
  const std::vector<uint32_t>& Sleeps() const { return sleeps_; }
  uint64_t CounterReads() const { return counterReads_; }
  // +ms for each Begin, -ms for each End, in call order.
  const std::vector<int64_t>& ResolutionCalls() const { return resolutionCalls_; }
  void ClearRecords() {
    sleeps_.clear();
    resolutionCalls_.clear();
    counterReads_ = 0;
  }

 private:
  uint64_t ticksPerRead_;
  uint64_t now_ = 0;
  uint64_t counterReads_ = 0;
  std::vector<uint32_t> sleeps_;
  std::vector<int64_t> resolutionCalls_;
};

}  // namespace sim
