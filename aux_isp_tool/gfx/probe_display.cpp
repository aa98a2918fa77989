#include "aux_isp_tool/gfx/probe_display.h"

#include <array>
#include <string>
#include <vector>

namespace peloisp {
namespace {

constexpr int32_t kAnswerBytes = 8;
constexpr uint8_t kAnswerCode = 0x0C;

std::array<uint8_t, 8> ProbeRequest(int32_t i2cAddress) {
  // Source address, length 0x85, then the request; its checksum works out as address ^ 0x1F.
  return {0x51, 0x85, 0xC2, 0x00,
          0x00, 0x03, 0x0A, static_cast<uint8_t>((i2cAddress ^ 0x1F) & 0xFF)};
}

bool IsExpectedAnswer(const std::vector<uint8_t>& reply, int32_t length, int32_t i2cAddress) {
  return length == kAnswerBytes && reply[6] == kAnswerCode &&
         reply[7] == static_cast<uint8_t>(((i2cAddress | 1) ^ 0x19) & 0xFF);
}

bool IsNullMessage(const std::vector<uint8_t>& reply, int32_t length) {
  return length == 3 && reply[1] == 0x80 && reply[2] == 0xBE;
}

}  // namespace

int32_t ProbeDisplay(GfxLib& channel, platform::Clock& clock, const ProbeVariant& variant,
                     int32_t deviceId, int32_t i2cAddress) {
  const std::array<uint8_t, 8> request = ProbeRequest(i2cAddress);
  const int32_t sent =
      channel.I2cWrite(deviceId, i2cAddress, request.data(), static_cast<int32_t>(request.size()));
  if (sent != 0) {
    return sent;
  }
  clock.Sleep(kProbeAnswerWaitMs);

  const int32_t capacity = variant.capacity > 0 ? variant.capacity : 1;
  std::vector<uint8_t> reply(static_cast<size_t>(capacity));
  std::wstring detail;
  int32_t result = 0;
  for (int32_t reads = 1;; ++reads) {
    int32_t length = 0;
    result = channel.I2cReadReply(deviceId, i2cAddress, reply.data(), capacity, &length, detail);
    if (!variant.checkAnswer) {
      return result;
    }
    if (result == 0) {
      if (length < 0 || length > capacity) {
        return kProbeUnexpectedReply;
      }
      if (length >= kAnswerBytes) {
        return IsExpectedAnswer(reply, length, i2cAddress) ? 0 : kProbeUnexpectedReply;
      }
      if (IsNullMessage(reply, length)) {
        return kProbeNullReply;
      }
    }
    if (reads >= variant.maxReads) {
      break;
    }
    // Pauses only before another read; other failed reads are repeated at once.
    if (result == kGfxBusy) {
      clock.Sleep(variant.pauseAfterBusyMs);
    } else if (result == 0) {
      clock.Sleep(variant.pauseAfterShortMs);
    }
  }
  return (variant.reportFailedRead && result != 0) ? result : kProbeUnexpectedReply;
}

}  // namespace peloisp
