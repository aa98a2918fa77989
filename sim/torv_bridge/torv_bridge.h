// The Torv bridge as its driver presents it: a 256-byte EEPROM read word by word through
// registers 0x07, 0x0A, 0x08 and 0x09, and written whole by one request. Strict: any request
// that does not follow the protocol exactly fails, so a wrong byte in the tool fails a test.
// Freestanding (no exceptions, RTTI, STL or heap): the simulated kernel-mode driver runs it.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "eeprom_tool/torv_driver_interface.h"

namespace sim {

class TorvBridge {
 public:
  // The three control codes, for the fault knobs.
  enum Call { kCallEepromWrite = 0, kCallRegWrite = 1, kCallRegRead = 2, kCallCount = 3 };
  static constexpr uint32_t kNeverFail = 0xFFFFFFFFu;

  TorvBridge();

  // Serves one control call as the driver would; true for success. `*returned` is the number
  // of output bytes written.
  bool Handle(uint32_t code, const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize,
              size_t* returned);

  // The EEPROM contents.
  const uint8_t* Eeprom() const { return eeprom_; }
  void SetEeprom(const uint8_t* bytes);

  // How many reads of register 0x0A show the busy bit after each read command.
  void SetBusyReads(uint32_t reads) { busyReads_ = reads; }
  // Calls of this code succeed `okCalls` more times, then fail until cleared.
  void SetFault(Call call, uint32_t okCalls) { okCallsLeft_[call] = okCalls; }
  void ClearFaults();

  // Counters for the tests: calls served per code (failed ones included) and the number of
  // whole-image writes accepted.
  uint32_t Calls(Call call) const { return calls_[call]; }
  uint32_t EepromWrites() const { return eepromWrites_; }
  void ClearCounters();

 private:
  bool FaultDue(Call call);
  bool RegWrite(const uint8_t* in, size_t inSize);
  bool RegRead(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize, size_t* returned);
  bool EepromWrite(const uint8_t* in, size_t inSize);

  uint8_t eeprom_[torv::kEepromSize];
  uint8_t wordIndex_ = 0;
  uint8_t commandWord_ = 0;  // the word the pending read command fetches
  uint8_t dataLow_ = 0;
  uint8_t dataHigh_ = 0;
  uint32_t busyLeft_ = 0;
  bool commandPending_ = false;
  uint32_t busyReads_ = 0;
  uint32_t okCallsLeft_[kCallCount];
  uint32_t calls_[kCallCount];
  uint32_t eepromWrites_ = 0;
};

}  // namespace sim
