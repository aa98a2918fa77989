// The ISP driver's command window in the chip's DPCD space, as the driver offers it once it
// runs: the pointer at 0x40C, the 12-byte descriptor, commands placed at the window base (count
// byte last), the segmented reply area, and block transfers through the window's two halves
// with their fill-count bytes and a CRC over each block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace sim {

inline constexpr uint32_t kDpcdWindowPointer = 0x40C;

// Window commands (count, code, parameters, check byte).
inline constexpr uint8_t kWinCmdBeginBlock = 0x10;
inline constexpr uint8_t kWinCmdErase = 0x19;
inline constexpr uint8_t kWinCmdReadFlash = 0x1B;
inline constexpr uint8_t kWinCmdFlashId = 0x1C;
inline constexpr uint8_t kWinCmdReset = 0x20;
inline constexpr uint8_t kWinAckCode = 0x0C;
inline constexpr uint8_t kWinErrorCode = 0x0E;  // a block whose CRC does not hold
inline constexpr uint8_t kReplySegmentBytes = 16;

struct WindowLayout {
  uint32_t descriptorAddress = 0x30000;  // what the pointer at 0x40C holds
  uint32_t base = 0x20000;
  uint16_t size = 512;
  uint32_t replyAddress = 0x10000;
  uint16_t replySize = 128;
};

// Erase selectors: the whole flash, or all but the boot-code area at its end.
inline constexpr uint16_t kEraseAll = 0xFFFF;
inline constexpr uint16_t kEraseKeepBoot512K = 0xFFB2;
inline constexpr uint16_t kEraseKeepBoot256K = 0xFFB1;

struct WindowFaults {
  int replyDelayReads = 0;      // reads of the reply area before each answer shows
  int blockCrcErrors = 0;       // the next n blocks are taken as if their CRC failed
  bool stuckFillCount = false;  // the driver never takes a half
};

// CRC-16, polynomial 0x1021, most significant bit first, initial value 0x1021.
uint16_t BlockCrc(const uint8_t* data, size_t length);

class IspWindow {
 public:
  IspWindow(std::map<uint32_t, uint8_t>& dpcd, std::vector<uint8_t>& flash, uint32_t flashBase,
            uint16_t flashId)
      : dpcd_(dpcd), flash_(flash), flashBase_(flashBase), flashId_(flashId) {}

  // The driver starts: pointer and descriptor published, reply area and fill counts cleared.
  void Open(const WindowLayout& layout);
  void Close() { open_ = false; }
  bool IsOpen() const { return open_; }
  const WindowLayout& Layout() const { return layout_; }
  WindowFaults& Faults() { return faults_; }

  // Called after the engine wrote [address, address + length) and before it reads.
  void AfterWrite(uint32_t address, size_t length);
  void BeforeRead(uint32_t address, size_t length);

  // A system reset was acknowledged: the chip is to reboot.
  bool TakeResetRequest();

  // For the tests: blocks programmed and erases done.
  int BlocksWritten() const { return blocksWritten_; }
  const std::vector<uint16_t>& Erases() const { return erases_; }

 private:
  enum class Block { kNone, kHeader, kData };

  uint8_t Byte(uint32_t address) const;
  void Put(uint32_t address, uint8_t value) { dpcd_[address] = value; }
  bool Touches(uint32_t address, size_t length, uint32_t at) const {
    return address <= at && at < address + length;
  }
  uint32_t LowerFill() const { return layout_.base + layout_.size / 2 - 1; }
  uint32_t UpperFill() const { return layout_.base + layout_.size - 1; }
  void Command();
  void TakeHalf(uint32_t start, uint32_t fillAt);
  void FinishBlock();
  void Answer(std::vector<uint8_t> segments);
  void Ack() { Answer({0x03, kWinAckCode, static_cast<uint8_t>(0x100 - 0x03 - kWinAckCode)}); }

  std::map<uint32_t, uint8_t>& dpcd_;
  std::vector<uint8_t>& flash_;
  uint32_t flashBase_;
  uint16_t flashId_;
  WindowLayout layout_;
  WindowFaults faults_;
  bool open_ = false;
  Block block_ = Block::kNone;
  uint32_t blockAddress_ = 0;
  uint32_t blockLength_ = 0;
  std::vector<uint8_t> blockBytes_;
  std::vector<uint8_t> held_;  // an answer waiting for its delay
  int holdReads_ = 0;
  bool resetRequested_ = false;
  int blocksWritten_ = 0;
  std::vector<uint16_t> erases_;
};

}  // namespace sim
