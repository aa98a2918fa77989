#include "sim/saltmere/ddc_frame.h"

namespace sim {
namespace {

constexpr size_t kHeaderBytes = 6;  // 51, length, C2 00 00, N

uint8_t Xor(uint8_t seed, const uint8_t* bytes, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    seed ^= bytes[i];
  }
  return seed;
}

}  // namespace

std::optional<std::vector<uint8_t>> ParseHostMessage(uint8_t destination, const uint8_t* bytes,
                                                     size_t length) {
  if (bytes == nullptr || length < kHeaderBytes + 2) {
    return std::nullopt;
  }
  const size_t payloadLength = length - kHeaderBytes - 1;
  if (payloadLength > kDdcMaxPayload || bytes[0] != kDdcSourceByte ||
      bytes[1] != (kDdcLengthFlag | (payloadLength + 4)) || bytes[2] != kDdcVendorByte ||
      bytes[3] != 0 || bytes[4] != 0 || bytes[5] != payloadLength + 2) {
    return std::nullopt;
  }
  if (Xor(destination, bytes, length - 1) != bytes[length - 1]) {
    return std::nullopt;
  }
  return std::vector<uint8_t>(bytes + kHeaderBytes, bytes + length - 1);
}

std::vector<uint8_t> FrameHostMessage(uint8_t destination, const std::vector<uint8_t>& payload) {
  const size_t n = payload.size() + 2;
  std::vector<uint8_t> message(kHeaderBytes + payload.size() + 1);
  message[0] = kDdcSourceByte;
  message[1] = static_cast<uint8_t>(kDdcLengthFlag | (n + 2));
  message[2] = kDdcVendorByte;
  message[5] = static_cast<uint8_t>(n);
  for (size_t i = 0; i < payload.size(); ++i) {
    message[kHeaderBytes + i] = payload[i];
  }
  message.back() = Xor(destination, message.data(), message.size() - 1);
  return message;
}

std::vector<uint8_t> BuildDataReply(uint8_t address, uint8_t code,
                                    const std::vector<uint8_t>& data) {
  const size_t n = data.size() + 3;
  const size_t total = n + 5;  // address, length, C2 00 00, N - 1 inner bytes, checksum
  std::vector<uint8_t> reply(total);
  reply[0] = address;
  reply[1] = static_cast<uint8_t>(kDdcLengthFlag | (total - 3));
  reply[2] = kDdcVendorByte;
  reply[5] = static_cast<uint8_t>(n);
  reply[6] = code;
  for (size_t i = 0; i < data.size(); ++i) {
    reply[7 + i] = data[i];
  }
  reply.back() = Xor(kDdcReplySeed, reply.data(), total - 1);
  return reply;
}

std::vector<uint8_t> BuildAck(uint8_t address) {
  return BuildDataReply(address, kDdcAckCode, {});
}

std::vector<uint8_t> BuildNullReply(uint8_t address) {
  return {address, kDdcLengthFlag, kDdcNullTail};
}

}  // namespace sim
