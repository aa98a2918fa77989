// The chip's side of the DDC/CI vendor protocol: what a written message must look like to be
// taken, and the three kinds of answer (acknowledgement, null reply, data reply).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace sim {

inline constexpr uint8_t kDdcSourceByte = 0x51;
inline constexpr uint8_t kDdcLengthFlag = 0x80;
inline constexpr uint8_t kDdcVendorByte = 0xC2;
inline constexpr uint8_t kDdcReplySeed = 0x50;  // replies are checked as if sent from 0x50
inline constexpr uint8_t kDdcAckCode = 0x0C;
inline constexpr uint8_t kDdcNullTail = 0xBE;
inline constexpr size_t kDdcMaxPayload = 125;

// A written message, as the chip at `destination` (8-bit write address) sees the bytes of one
// I2C write transaction: 51, 80|(N+2), C2 00 00, N = P + 2, payload, checksum. Returns the
// payload, or nothing when the frame, the length bytes or the checksum do not hold.
std::optional<std::vector<uint8_t>> ParseHostMessage(uint8_t destination, const uint8_t* bytes,
                                                     size_t length);

// The host's framing of a payload for `destination`; the tests' reference for exact bytes.
std::vector<uint8_t> FrameHostMessage(uint8_t destination, const std::vector<uint8_t>& payload);

// addr, 80|(C-3), C2 00 00, inner count N, code, data, checksum (0x50 XOR all before it).
std::vector<uint8_t> BuildDataReply(uint8_t address, uint8_t code,
                                    const std::vector<uint8_t>& data);
// The acknowledgement: a data reply with code 0C and no data (6E 85 C2 00 00 03 0C 76).
std::vector<uint8_t> BuildAck(uint8_t address);
// Not ready yet: addr 80 BE.
std::vector<uint8_t> BuildNullReply(uint8_t address);

}  // namespace sim
