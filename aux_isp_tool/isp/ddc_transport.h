// DDC/CI vendor messages to the display-controller chip, carried as I2C-over-AUX by the active
// backend until the ISP driver runs: framing, checksums, the acknowledgement and reply waits
// with their fixed pauses and read limits, and the few commands the engine uses.
#pragma once

#include "aux_isp_tool/isp/engine_output.h"
#include "aux_isp_tool/isp/isp_context.h"

#include <cstddef>
#include <cstdint>

namespace peloisp {

inline constexpr int kDdcMaxPayload = 125;    // N = P + 2 at most 127
inline constexpr int kDdcFrameOverhead = 7;   // 51, length, C2 00 00, N ... checksum
inline constexpr int kRamWriteMaxData = 117;  // 127-byte RAM-write message
inline constexpr int32_t kPortRouterAddress = 0x60;
inline constexpr uint8_t kDdcCmdReadRegister = 0x06;
inline constexpr uint8_t kDdcCmdWriteRegister = 0x07;
inline constexpr uint8_t kDdcCmdRamWrite = 0x13;
inline constexpr uint8_t kDdcCmdReadMemory = 0x52;
inline constexpr uint8_t kDdcCmdSelectPort = 0x61;
inline constexpr uint8_t kDdcCmdReleasePort = 0x62;

// Frames `payload` for `i2cAddress` into `out` (P + 7 bytes); 0 when P is 0 or above 125 or
// `out` cannot hold the message.
int FrameDdcMessage(int32_t i2cAddress, const uint8_t* payload, int p, uint8_t* out,
                    size_t outSize);

class DdcTransport {
 public:
  // Both must outlive the transport. Backend texts go to `output`'s log.
  DdcTransport(IspContext& context, EngineOutput& output) : context_(context), output_(output) {}

  bool SendCommand(const uint8_t* payload, int p);
  bool WaitAck();
  bool WaitAckFast();
  bool SendCommandWaitAck(const uint8_t* payload, int p);
  // Copies the reply's inner data (inner count, code, data) to `out`, at most `outSize` bytes;
  // `copied` (when given) receives how many.
  bool ReadReply(uint8_t* out, size_t outSize, size_t* copied = nullptr);
  // The 16-bit value, or -1 on any failure.
  int ReadRegister(uint16_t reg);
  bool WriteRegister(uint16_t reg, uint16_t value);
  // Chip memory in chunks of at most 96 bytes, none crossing a 64 KiB boundary.
  bool ReadMemory(uint8_t* dst, uint32_t length, uint32_t address);
  // Route the channel to Port#1 or Port#2 and back; the I2C address is the same afterwards.
  bool SelectPort(int port);
  bool ReleasePort(int port);
  // The RAM-write message for `d` bytes (1 to 117) at ramWriteAddr + offset, framed in the
  // context's message area; returns its length, 0 when `d` is out of range.
  int BuildRamWrite(const uint8_t* data, int d, uint32_t offset);

 private:
  int32_t Capacity() const;
  bool AckHolds(int32_t length) const;
  bool RoutePort(uint8_t command, int port);

  IspContext& context_;
  EngineOutput& output_;
};

}  // namespace peloisp
