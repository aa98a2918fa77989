#include "aux_isp_tool/isp/delays.h"

#include "sim/clock/virtual_clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

namespace peloisp {
namespace {

struct DelayCase {
  uint16_t ms;
  std::vector<uint32_t> sleeps;
  std::vector<int64_t> resolution;
  double minMs;
  double maxMs;
};

TEST(PreciseDelay, SpinsBelowTwentyAndSleepsFromTwenty) {
  const DelayCase cases[] = {
      {0, {}, {}, 0.0, 0.0},
      {1, {}, {}, 1.0, 1.01},
      {19, {}, {}, 19.0, 19.01},
      {20, {20}, {1, -1}, 20.0, 20.0},
      {800, {800}, {1, -1}, 800.0, 800.0},
  };
  for (const DelayCase& c : cases) {
    sim::VirtualClock clock;
    PreciseDelay(clock, c.ms);
    EXPECT_EQ(clock.Sleeps(), c.sleeps) << c.ms;
    EXPECT_EQ(clock.ResolutionCalls(), c.resolution) << c.ms;
    EXPECT_GE(clock.NowMs(), c.minMs) << c.ms;
    EXPECT_LE(clock.NowMs(), c.maxMs) << c.ms;
  }
}

TEST(PreciseDelay, ZeroDoesNotReadTheCounter) {
  sim::VirtualClock clock;
  PreciseDelay(clock, 0);
  EXPECT_EQ(clock.CounterReads(), 0u);
}

TEST(PreciseDelay, CounterTooSlowForTheWaitReturnsAtOnce) {
  // 100 ticks per second: 5 ms is half a tick, truncated to none.
  class SlowCounter final : public platform::Clock {
   public:
    uint64_t Ticks() override { return ++reads; }
    uint64_t TicksPerSecond() override { return 100; }
    void Sleep(uint32_t) override {}
    void BeginTimerResolution(uint32_t) override {}
    void EndTimerResolution(uint32_t) override {}
    uint64_t reads = 0;
  } clock;
  PreciseDelay(clock, 5);
  EXPECT_EQ(clock.reads, 0u);
  PreciseDelay(clock, 19);
  EXPECT_EQ(clock.reads, 2u);  // one tick to wait: start, then one more read
}

TEST(TimedSleep, HoldsOneMillisecondResolutionAroundTheSleep) {
  sim::VirtualClock clock;
  TimedSleep(clock, 500);
  EXPECT_EQ(clock.Sleeps(), std::vector<uint32_t>{500});
  EXPECT_EQ(clock.ResolutionCalls(), (std::vector<int64_t>{1, -1}));
}

// The real counter: a generous bound only; precise_delay_benchmark reports the accuracy.
TEST(PreciseDelay, RealClockWaitsAtLeastTheTime) {
  const std::unique_ptr<platform::Clock> clock = platform::MakeSystemClock();
  for (const uint16_t ms : {uint16_t{2}, uint16_t{19}}) {
    const auto start = std::chrono::steady_clock::now();
    PreciseDelay(*clock, ms);
    const double waited =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(waited, ms - 0.1) << ms;
    EXPECT_LT(waited, ms + 250.0) << ms;
  }
}

}  // namespace
}  // namespace peloisp
