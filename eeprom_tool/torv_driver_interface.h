// What the Torv bridge's Windows driver accepts: its device, its three control codes and their
// request layouts. Shared with the simulated bridge, so it stays freestanding (a kernel-mode
// driver includes it): no STL, no exceptions.
#pragma once

#include <stdint.h>

namespace torv {

// "\\.\TORVDEV01"
inline constexpr const char kDevicePath[] = "\\\\.\\TORVDEV01";

// Device type 0x22, buffered transfer, any access.
inline constexpr uint32_t MakeControlCode(uint32_t function) {
  return (0x22u << 16) | (function << 2);
}
inline constexpr uint32_t kIoctlEepromWrite = MakeControlCode(0x801);  // 0x00222004
inline constexpr uint32_t kIoctlRegWrite = MakeControlCode(0x830);     // 0x002220C0
inline constexpr uint32_t kIoctlRegRead = MakeControlCode(0x831);      // 0x002220C4
static_assert(kIoctlEepromWrite == 0x00222004u);
static_assert(kIoctlRegWrite == 0x002220C0u);
static_assert(kIoctlRegRead == 0x002220C4u);

inline constexpr uint32_t kEepromSize = 256;
inline constexpr uint32_t kEepromWords = kEepromSize / 2;

// RegisterRequest: register number, always 1, value.
inline constexpr uint32_t kRegisterRequestSize = 3;
inline constexpr uint8_t kRegisterRequestCount = 0x01;

// The register read sequence: the word index goes into 0x07, the read command 0x04 into 0x0A,
// then 0x0A is polled until its busy bit clears and the word is read from 0x08 (low byte, even
// address) and 0x09 (high byte).
inline constexpr uint8_t kRegWordIndex = 0x07;
inline constexpr uint8_t kRegCommand = 0x0A;
inline constexpr uint8_t kRegDataLow = 0x08;
inline constexpr uint8_t kRegDataHigh = 0x09;
inline constexpr uint8_t kCommandReadWord = 0x04;
inline constexpr uint8_t kCommandBusy = 0x10;
inline constexpr uint32_t kBusyPollLimit = 1000;

// EepromWriteRequest: signature 41 53 49 58, 0x0000 and 0x0084 (16-bit little-endian), image.
inline constexpr uint32_t kEepromWriteRequestSize = 264;
inline constexpr uint8_t kWriteSignature[4] = {0x41, 0x53, 0x49, 0x58};
inline constexpr uint16_t kWriteField1 = 0x0000;
inline constexpr uint16_t kWriteField2 = 0x0084;
inline constexpr uint32_t kWriteImageOffset = 8;

}  // namespace torv
