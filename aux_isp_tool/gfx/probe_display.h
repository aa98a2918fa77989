// The exchange by which a backend recognises the dock's chip behind a display connection:
// a DDC/CI request the chip acknowledges with a fixed 8-byte answer.
#pragma once

#include "aux_isp_tool/gfx/gfx_lib.h"
#include "platform/clock.h"

#include <cstdint>

namespace peloisp {

inline constexpr int32_t kProbeNullReply = 7;
inline constexpr int32_t kProbeUnexpectedReply = 15;
inline constexpr uint32_t kProbeAnswerWaitMs = 40;

// How one backend reads the answer.
struct ProbeVariant {
  int32_t maxReads;
  int32_t capacity;
  uint32_t pauseAfterBusyMs;
  uint32_t pauseAfterShortMs;
  bool checkAnswer;       // false: any reply the read accepts counts
  bool reportFailedRead;  // not accepted: the last read's code when it failed, otherwise 15
};

inline constexpr ProbeVariant kIntelProbe{1, 9, 0, 0, false, true};
inline constexpr ProbeVariant kIntelLsPconProbe{20, 9, 10, 30, true, false};
inline constexpr ProbeVariant kAmdProbe{20, 131, 10, 30, true, false};
inline constexpr ProbeVariant NvidiaProbe(int32_t maxReply) {
  return ProbeVariant{10, maxReply, 10, 10, true, true};
}

// 0 when the chip answered as expected, 7 for the DDC/CI null message, 15 for another answer,
// otherwise the code of the transfer that failed.
int32_t ProbeDisplay(GfxLib& channel, platform::Clock& clock, const ProbeVariant& variant,
                     int32_t deviceId, int32_t i2cAddress);

}  // namespace peloisp
