// Reports how closely PreciseDelay keeps its short waits on this machine's counter.
#include "aux_isp_tool/isp/delays.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>

int main() {
  const std::unique_ptr<platform::Clock> clock = platform::MakeSystemClock();
  std::printf("%6s %10s %10s %10s\n", "ms", "mean(ms)", "max(ms)", "maxerr(us)");
  for (const uint16_t ms : {1, 2, 5, 10, 19, 20, 40}) {
    constexpr int kRuns = 20;
    double total = 0.0;
    double worst = 0.0;
    for (int i = 0; i < kRuns; ++i) {
      const auto start = std::chrono::steady_clock::now();
      peloisp::PreciseDelay(*clock, ms);
      const double waited =
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count();
      total += waited;
      worst = std::max(worst, waited);
    }
    std::printf("%6u %10.3f %10.3f %10.1f\n", static_cast<unsigned>(ms), total / kRuns, worst,
                (worst - ms) * 1000.0);
  }
  return 0;
}
