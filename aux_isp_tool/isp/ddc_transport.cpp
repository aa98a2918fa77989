#include "aux_isp_tool/isp/ddc_transport.h"

#include "aux_isp_tool/isp/delays.h"

#include <algorithm>
#include <array>
#include <string>

namespace peloisp {
namespace {

constexpr uint8_t kSourceByte = 0x51;
constexpr uint8_t kLengthFlag = 0x80;
constexpr uint8_t kVendorByte = 0xC2;
constexpr uint8_t kReplySeed = 0x50;
constexpr uint8_t kAckCount = 0x03;
constexpr uint8_t kAckCode = 0x0C;
constexpr int32_t kNullReplyBytes = 3;
constexpr int32_t kMinReplyBytes = 6;  // header of five, checksum

// Reply results that end a wait at once.
constexpr int32_t kGiveUpNotImplemented = 2;
constexpr int32_t kGiveUpFirstRead = 5;

constexpr uint32_t kAckSettleMs = 40;
constexpr int kAckReads = 20;
constexpr uint16_t kAckBusyPauseMs = 10;
constexpr uint32_t kAckShortPauseMs = 30;

constexpr int kFastAckReads = 50;
constexpr uint16_t kFastAckSlowBackendMs = 10;
constexpr uint16_t kFastAckPauseMs = 5;

constexpr uint32_t kReplySettleMs = 40;
constexpr int kReplyReads = 50;
constexpr uint16_t kReplyPauseMs = 10;

constexpr uint32_t kMemoryChunkBytes = 96;
constexpr uint32_t kMemoryCountLimit = 127;
constexpr uint64_t kMemoryBankBytes = 0x10000;

bool GivesUp(int32_t result) {
  return result == kGiveUpNotImplemented || result == kGiveUpFirstRead;
}

void Log(EngineOutput& output, const wchar_t* label, const std::wstring& text) {
  if (!text.empty()) {
    output.WriteLog(std::wstring(label) + text + L"\r\n");
  }
}

}  // namespace

int FrameDdcMessage(int32_t i2cAddress, const uint8_t* payload, int p, uint8_t* out,
                    size_t outSize) {
  if (payload == nullptr || p <= 0 || p > kDdcMaxPayload ||
      outSize < static_cast<size_t>(p + kDdcFrameOverhead)) {
    return 0;
  }
  const int n = p + 2;
  out[0] = kSourceByte;
  out[1] = static_cast<uint8_t>(kLengthFlag | (n + 2));
  out[2] = kVendorByte;
  out[3] = 0x00;
  out[4] = 0x00;
  out[5] = static_cast<uint8_t>(n);
  std::copy_n(payload, p, out + 6);
  uint8_t check = static_cast<uint8_t>(i2cAddress);
  for (int i = 0; i < p + 6; ++i) {
    check ^= out[i];
  }
  out[p + 6] = check;
  return p + kDdcFrameOverhead;
}

int32_t DdcTransport::Capacity() const {
  return std::clamp<int32_t>(context_.activeBackend->maxReply, 0,
                             static_cast<int32_t>(context_.reply.size()));
}

bool DdcTransport::SendCommand(const uint8_t* payload, int p) {
  std::array<uint8_t, kDdcMaxPayload + kDdcFrameOverhead> message{};
  const int length =
      FrameDdcMessage(context_.i2cAddress, payload, p, message.data(), message.size());
  if (length == 0 || context_.activeBackend == nullptr) {
    return false;
  }
  return context_.activeBackend->I2cWrite(context_.deviceId, context_.i2cAddress, message.data(),
                                          length) == kGfxOk;
}

bool DdcTransport::AckHolds(int32_t length) const {
  const auto& r = context_.reply;
  if (length < kMinReplyBytes || length > Capacity()) {
    return false;
  }
  uint8_t check = kReplySeed;
  for (int32_t i = 0; i < length - 1; ++i) {
    check ^= r[i];
  }
  // A six-byte reply has no code byte; the cleared area then fails the code test.
  return check == r[length - 1] && r[2] == kVendorByte && r[3] == 0x00 && r[4] == 0x00 &&
         r[5] == kAckCount && r[6] == kAckCode;
}

bool DdcTransport::WaitAck() {
  if (context_.activeBackend == nullptr) {
    return false;
  }
  platform::Clock& clock = context_.Clock();
  const int32_t capacity = Capacity();
  std::fill_n(context_.reply.begin(), capacity, 0);
  TimedSleep(clock, kAckSettleMs);
  int32_t length = 0;
  bool got = false;
  for (int read = 0; read < kAckReads && !got; ++read) {
    std::wstring text;
    length = 0;
    const int32_t result = context_.activeBackend->I2cReadReply(
        context_.deviceId, context_.i2cAddress, context_.reply.data(), capacity, &length, text);
    Log(output_, L"Read I2C Ack: ", text);
    if (GivesUp(result)) {
      return false;
    }
    if (result == kGfxBusy) {
      PreciseDelay(clock, kAckBusyPauseMs);
    } else if (result == kGfxOk && length < kMinReplyBytes) {
      TimedSleep(clock, kAckShortPauseMs);
    } else if (result == kGfxOk) {
      got = true;
    }
  }
  return got && AckHolds(length);
}

bool DdcTransport::WaitAckFast() {
  if (context_.activeBackend == nullptr) {
    return false;
  }
  platform::Clock& clock = context_.Clock();
  const int32_t capacity = Capacity();
  std::fill_n(context_.reply.begin(), capacity, 0);
  if (IsSlowBackend(context_)) {
    PreciseDelay(clock, kFastAckSlowBackendMs);
  }
  int32_t length = 0;
  bool got = false;
  for (int read = 0; read < kFastAckReads && !got; ++read) {
    std::wstring text;
    length = 0;
    const int32_t result = context_.activeBackend->I2cReadReply(
        context_.deviceId, context_.i2cAddress, context_.reply.data(), capacity, &length, text);
    Log(output_, L"Read I2C Ack fast: ", text);
    if (GivesUp(result)) {
      return false;
    }
    if (result == kGfxBusy || (result == kGfxOk && length < kMinReplyBytes)) {
      PreciseDelay(clock, kFastAckPauseMs);
    } else if (result == kGfxOk) {
      got = true;
    }
  }
  return got && AckHolds(length);
}

bool DdcTransport::SendCommandWaitAck(const uint8_t* payload, int p) {
  return SendCommand(payload, p) && WaitAck();
}

bool DdcTransport::ReadReply(uint8_t* out, size_t outSize, size_t* copied) {
  if (copied != nullptr) {
    *copied = 0;
  }
  if (context_.activeBackend == nullptr) {
    return false;
  }
  platform::Clock& clock = context_.Clock();
  const int32_t capacity = Capacity();
  auto& r = context_.reply;
  std::fill_n(r.begin(), capacity, 0);
  TimedSleep(clock, kReplySettleMs);
  int32_t length = 0;
  bool got = false;
  for (int read = 0; read < kReplyReads && !got; ++read) {
    std::wstring text;
    length = 0;
    const int32_t result = context_.activeBackend->I2cReadReply(
        context_.deviceId, context_.i2cAddress, r.data(), capacity, &length, text);
    Log(output_, L"Read return data: ", text);
    if (GivesUp(result)) {
      return false;
    }
    if (result == kGfxBusy || (result == kGfxOk && length == kNullReplyBytes)) {
      PreciseDelay(clock, kReplyPauseMs);
    } else if (result == kGfxOk) {
      got = true;
    }
  }
  // A reply too short to hold its header and checksum, or longer than was read, is malformed.
  if (!got || length < kMinReplyBytes || length > capacity) {
    return false;
  }
  if (r[2] != kVendorByte || r[3] != 0x00 || r[4] != 0x00) {
    return false;
  }
  uint8_t check = static_cast<uint8_t>(kReplySeed ^ static_cast<uint8_t>(context_.i2cAddress) ^
                                       (kLengthFlag | (length - 3)) ^ kVendorByte);
  for (int32_t i = 5; i < length - 1; ++i) {
    check ^= r[i];
  }
  if (check != r[length - 1]) {
    return false;
  }
  const size_t inner = std::min(static_cast<size_t>(length - kMinReplyBytes), outSize);
  if (out != nullptr) {
    std::copy_n(r.begin() + 5, inner, out);
  }
  if (copied != nullptr) {
    *copied = out != nullptr ? inner : 0;
  }
  return true;
}

int DdcTransport::ReadRegister(uint16_t reg) {
  const uint8_t payload[] = {kDdcCmdReadRegister, static_cast<uint8_t>(reg >> 8),
                             static_cast<uint8_t>(reg & 0xFF)};
  if (!SendCommand(payload, sizeof payload)) {
    return -1;
  }
  std::array<uint8_t, 8> inner{};
  size_t copied = 0;
  // Count, code, register high and low, value high and low.
  if (!ReadReply(inner.data(), inner.size(), &copied) || copied < 6 ||
      inner[1] != kDdcCmdReadRegister) {
    return -1;
  }
  return inner[4] << 8 | inner[5];
}

bool DdcTransport::WriteRegister(uint16_t reg, uint16_t value) {
  const uint8_t payload[] = {kDdcCmdWriteRegister, static_cast<uint8_t>(reg >> 8),
                             static_cast<uint8_t>(reg & 0xFF), static_cast<uint8_t>(value >> 8),
                             static_cast<uint8_t>(value & 0xFF)};
  return SendCommandWaitAck(payload, sizeof payload);
}

bool DdcTransport::ReadMemory(uint8_t* dst, uint32_t length, uint32_t address) {
  if (length == 0) {
    return true;
  }
  if (dst == nullptr) {
    return false;
  }
  uint64_t at = address;
  const uint64_t end = at + length;
  uint32_t offset = 0;
  while (at < end) {
    auto chunk = static_cast<uint32_t>(std::min<uint64_t>(kMemoryChunkBytes, end - at));
    const uint64_t toBoundary = kMemoryBankBytes - (at % kMemoryBankBytes);
    chunk = static_cast<uint32_t>(std::min<uint64_t>(chunk, toBoundary));
    const uint32_t count = std::min(chunk, kMemoryCountLimit);
    const auto a = static_cast<uint32_t>(at);
    const uint8_t payload[] = {kDdcCmdReadMemory,
                               static_cast<uint8_t>(a >> 24),
                               static_cast<uint8_t>(a >> 16),
                               static_cast<uint8_t>(a >> 8),
                               static_cast<uint8_t>(a),
                               static_cast<uint8_t>(count >> 24),
                               static_cast<uint8_t>(count >> 16),
                               static_cast<uint8_t>(count >> 8),
                               static_cast<uint8_t>(count)};
    std::array<uint8_t, 512> inner{};
    size_t copied = 0;
    if (!SendCommand(payload, sizeof payload) || !ReadReply(inner.data(), inner.size(), &copied) ||
        copied < 2 || inner[1] != kDdcCmdReadMemory) {
      return false;
    }
    // N - 3 data bytes follow the code; a chunk that comes back short would leave a hole.
    const int announced = inner[0] - 3;
    const auto available = static_cast<int>(copied) - 2;
    if (announced < static_cast<int>(chunk) || available < static_cast<int>(chunk)) {
      return false;
    }
    std::copy_n(inner.begin() + 2, chunk, dst + offset);
    offset += chunk;
    at += chunk;
  }
  return true;
}

bool DdcTransport::RoutePort(uint8_t command, int port) {
  const int32_t saved = context_.i2cAddress;
  context_.i2cAddress = kPortRouterAddress;
  const uint8_t payload[] = {command, static_cast<uint8_t>(port)};
  if (!SendCommand(payload, sizeof payload)) {
    context_.i2cAddress = saved;
    return false;
  }
  const bool acknowledged = WaitAck();  // still at the router's address
  context_.i2cAddress = saved;
  return acknowledged;
}

bool DdcTransport::SelectPort(int port) {
  return RoutePort(kDdcCmdSelectPort, port);
}

bool DdcTransport::ReleasePort(int port) {
  return RoutePort(kDdcCmdReleasePort, port);
}

int DdcTransport::BuildRamWrite(const uint8_t* data, int d, uint32_t offset) {
  if (data == nullptr || d <= 0 || d > kRamWriteMaxData) {
    return 0;
  }
  const auto address = static_cast<uint16_t>(context_.ramWriteAddr + offset);
  std::array<uint8_t, kRamWriteMaxData + 3> payload{};
  payload[0] = kDdcCmdRamWrite;
  payload[1] = static_cast<uint8_t>(address >> 8);
  payload[2] = static_cast<uint8_t>(address & 0xFF);
  std::copy_n(data, d, payload.begin() + 3);
  return FrameDdcMessage(context_.i2cAddress, payload.data(), d + 3, context_.message.data(),
                         context_.message.size());
}

}  // namespace peloisp
