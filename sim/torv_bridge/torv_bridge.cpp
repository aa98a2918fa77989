#include "sim/torv_bridge/torv_bridge.h"

namespace sim {

TorvBridge::TorvBridge() {
  for (uint32_t i = 0; i < torv::kEepromSize; ++i) {
    eeprom_[i] = 0xFF;  // an erased EEPROM
  }
  ClearFaults();
  ClearCounters();
}

void TorvBridge::SetEeprom(const uint8_t* bytes) {
  for (uint32_t i = 0; i < torv::kEepromSize; ++i) {
    eeprom_[i] = bytes[i];
  }
}

void TorvBridge::ClearFaults() {
  for (uint32_t& left : okCallsLeft_) {
    left = kNeverFail;
  }
}

void TorvBridge::ClearCounters() {
  for (uint32_t& count : calls_) {
    count = 0;
  }
  eepromWrites_ = 0;
}

bool TorvBridge::FaultDue(Call call) {
  ++calls_[call];
  if (okCallsLeft_[call] == kNeverFail) {
    return false;
  }
  if (okCallsLeft_[call] == 0) {
    return true;
  }
  --okCallsLeft_[call];
  return false;
}

bool TorvBridge::Handle(uint32_t code, const uint8_t* in, size_t inSize, uint8_t* out,
                        size_t outSize, size_t* returned) {
  *returned = 0;
  if (code == torv::kIoctlRegWrite) {
    return !FaultDue(kCallRegWrite) && RegWrite(in, inSize);
  }
  if (code == torv::kIoctlRegRead) {
    return !FaultDue(kCallRegRead) && RegRead(in, inSize, out, outSize, returned);
  }
  if (code == torv::kIoctlEepromWrite) {
    return !FaultDue(kCallEepromWrite) && EepromWrite(in, inSize);
  }
  return false;
}

bool TorvBridge::RegWrite(const uint8_t* in, size_t inSize) {
  if (in == nullptr || inSize != torv::kRegisterRequestSize ||
      in[1] != torv::kRegisterRequestCount) {
    return false;
  }
  const uint8_t reg = in[0];
  const uint8_t value = in[2];
  if (reg == torv::kRegWordIndex) {
    if (value >= torv::kEepromWords) {
      return false;
    }
    wordIndex_ = value;
    return true;
  }
  if (reg == torv::kRegCommand && value == torv::kCommandReadWord) {
    // The command takes the word index written before it; the word is fetched while the busy
    // bit shows and the data registers hold it afterwards.
    commandPending_ = true;
    commandWord_ = wordIndex_;
    busyLeft_ = busyReads_;
    return true;
  }
  return false;
}

bool TorvBridge::RegRead(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize,
                         size_t* returned) {
  if (in == nullptr || inSize != torv::kRegisterRequestSize ||
      in[1] != torv::kRegisterRequestCount || out == nullptr || outSize < 1) {
    return false;
  }
  const uint8_t reg = in[0];
  const uint8_t value = in[2];
  uint8_t result = 0;
  if (reg == torv::kRegCommand && value == torv::kCommandBusy) {
    if (busyLeft_ > 0) {
      --busyLeft_;
      result = torv::kCommandBusy;
    } else {
      if (commandPending_) {
        dataLow_ = eeprom_[2 * commandWord_];
        dataHigh_ = eeprom_[2 * commandWord_ + 1];
        commandPending_ = false;
      }
      result = 0;
    }
  } else if (reg == torv::kRegDataLow && value == 0 && !commandPending_) {
    result = dataLow_;
  } else if (reg == torv::kRegDataHigh && value == 0 && !commandPending_) {
    result = dataHigh_;
  } else {
    return false;
  }
  out[0] = result;
  *returned = 1;
  return true;
}

bool TorvBridge::EepromWrite(const uint8_t* in, size_t inSize) {
  if (in == nullptr || inSize != torv::kEepromWriteRequestSize) {
    return false;
  }
  for (uint32_t i = 0; i < 4; ++i) {
    if (in[i] != torv::kWriteSignature[i]) {
      return false;
    }
  }
  const uint16_t field1 = static_cast<uint16_t>(in[4] | (in[5] << 8));
  const uint16_t field2 = static_cast<uint16_t>(in[6] | (in[7] << 8));
  if (field1 != torv::kWriteField1 || field2 != torv::kWriteField2) {
    return false;
  }
  SetEeprom(in + torv::kWriteImageOffset);
  ++eepromWrites_;
  return true;
}

}  // namespace sim
