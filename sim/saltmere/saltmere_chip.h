// One simulated Saltmere display-controller chip as the DDC/CI vendor protocol and the DPCD space
// show it: registers, the identification block, RAM, the SPI flash mapped into chip memory, and
// the answers to each written message. The AUX bus (SaltmereDock) hands it whole I2C
// transactions; the chip never sees the pieces.
#pragma once

#include "sim/saltmere/flash_trailer.h"
#include "sim/saltmere/isp_window.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace sim {

// DDC/CI command codes the chip takes before the ISP driver runs.
inline constexpr uint8_t kCmdEnterIsp = 0x09;
inline constexpr uint8_t kCmdClose = 0x0A;
inline constexpr uint8_t kCmdReadRegister = 0x06;
inline constexpr uint8_t kCmdWriteRegister = 0x07;
inline constexpr uint8_t kCmdRamWrite = 0x13;
inline constexpr uint8_t kCmdRunDriver = 0x1D;
inline constexpr uint8_t kCmdReset = 0x20;
inline constexpr uint8_t kCmdTalmontPostReset = 0x51;
inline constexpr uint8_t kCmdReadMemory = 0x52;

// The one Talmont post-reset write the chip takes, whole.
inline constexpr std::array<uint8_t, 9> kTalmontPostReset = {0x51, 0x00, 0x00, 0x91, 0x00,
                                                             0x00, 0x00, 0x00, 0x11};

// The registers that tell the chip kinds apart.
inline constexpr uint16_t kRegChipId = 0xC802;
inline constexpr uint16_t kRegChipIdAlt = 0x8002;

// Where the identification sits: DPCD, and its copy in chip memory.
inline constexpr uint32_t kDpcdIdentification = 0x503;
inline constexpr uint32_t kMemoryIdentification = 0x1B503;
inline constexpr size_t kRamBytes = 0x10000;
// A RAM write carries at most this many code bytes (a 127-byte message).
inline constexpr size_t kMaxRamWriteBytes = 117;
// A memory read answers at most this many bytes: the reply's length byte 0x80 | (C - 3) holds
// at most 130 bytes in all, eight of them header, count, code and checksum.
inline constexpr size_t kMaxMemoryReadBytes = 122;

struct ChipConfig {
  ChipKind kind = ChipKind::kWrenlo;
  uint8_t i2cAddress = 0x6E;  // 8-bit write form
  uint32_t flashBase = 0x400000;
  std::vector<uint8_t> flash;  // the whole SPI flash; its end is the image's end
  uint8_t romHwRevision = 0x11;
  uint16_t flashId = 0xEF40;
  WindowLayout window;  // where the ISP driver's command window appears
};

// Faults on cue. Counters count down as they are used; the flags hold until cleared.
struct ChipFaults {
  bool noAnswer = false;            // every I2C request to the chip is NAKed
  int nakTransactions = 0;          // the next n I2C transactions are NAKed at their first request
  int deferRequests = 0;            // the next n AUX requests reaching the chip are deferred
  int nullRepliesBeforeAnswer = 0;  // null replies read before each real answer
  int badChecksums = 0;             // the next n answers carry a wrong checksum byte
  int wrongReplyCodes = 0;          // the next n answers carry a wrong code (0C -> 0D, 06 -> 07)
  int shortMemoryReads = 0;         // the next n memory reads answer one byte less than asked
  bool failDpcdIdentification = false;  // native reads that touch 0x503..0x50C are NAKed
  bool unselectable = false;            // a port chip that the host's router cannot select
};

// Running its firmware; after 09 in ISP mode; after 20 00 in the ISP state (RAM writes and the
// driver start are taken only here); the ISP driver running (DDC/CI no longer answered).
enum class ChipState { kRunning, kIspMode, kIspReset, kDriverRunning };

class SaltmereChip {
 public:
  explicit SaltmereChip(ChipConfig config);
  SaltmereChip(const SaltmereChip&) = delete;
  SaltmereChip& operator=(const SaltmereChip&) = delete;

  ChipKind Kind() const { return config_.kind; }
  uint8_t I2cAddress() const { return config_.i2cAddress; }
  uint32_t FlashBase() const { return config_.flashBase; }
  ChipFaults& Faults() { return faults_; }
  ChipState State() const { return state_; }

  // One whole I2C write transaction addressed to the chip. A message that does not frame or
  // check is ignored: no answer becomes pending.
  void TakeI2cWrite(const uint8_t* bytes, size_t length);
  // The bytes the next I2C read transaction delivers: a null reply while nothing is ready.
  std::vector<uint8_t> StartI2cRead();
  // The read transaction ended: an answer that was delivered is used up.
  void EndI2cRead();

  // Native AUX access to the chip's DPCD space; false means NAK.
  bool DpcdRead(uint32_t address, uint8_t* out, size_t length);
  bool DpcdWrite(uint32_t address, const uint8_t* data, size_t length);

  // Chip memory as command 52 reads it: RAM, the identification copy, the flash at its base.
  uint8_t MemoryByte(uint32_t address) const;

  // The ISP driver's command window (open while the driver runs).
  IspWindow& Window() { return window_; }

  // A reboot: the chip runs what its flash holds and reports that in its identification.
  void Reset();

  uint16_t Register(uint16_t reg) const;
  void SetRegister(uint16_t reg, uint16_t value) { registers_[reg] = value; }
  const std::vector<uint8_t>& Flash() const { return config_.flash; }
  std::vector<uint8_t>& MutableFlash() { return config_.flash; }
  const std::array<uint8_t, kRamBytes>& Ram() const { return ram_; }
  const ChipIdentity& Identity() const { return identity_; }
  // Every payload the chip took, in order.
  const std::vector<std::vector<uint8_t>>& Commands() const { return commands_; }
  // The address the downloaded driver was started at, once it was.
  int DriverStartAddress() const { return driverStart_; }

 private:
  void Answer(std::vector<uint8_t> reply);
  void Acknowledge();
  void Execute(const std::vector<uint8_t>& payload);

  ChipConfig config_;
  ChipFaults faults_;
  ChipState state_ = ChipState::kRunning;
  ChipIdentity identity_;
  std::map<uint16_t, uint16_t> registers_;
  std::map<uint32_t, uint8_t> dpcd_;
  std::array<uint8_t, kRamBytes> ram_{};
  std::vector<std::vector<uint8_t>> commands_;
  std::vector<uint8_t> pending_;  // the answer waiting to be read
  int nullsLeft_ = 0;
  bool delivered_ = false;  // the current read transaction carries the pending answer
  int driverStart_ = -1;
  IspWindow window_;
};

}  // namespace sim
