#include "sim/torv_driver/sim_bridge_control.h"

extern "C" {
#include "sim/torv_driver/torv_sim_control.h"
}

#include <windows.h>

namespace sim {

bool SimBridgeControl::Request(uint32_t code, const void* in, uint32_t inSize, void* out,
                               uint32_t outSize) {
  HANDLE handle = CreateFileA(TORV_SIM_CONTROL_PATH, GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    return false;
  }
  DWORD returned = 0;
  const BOOL ok = DeviceIoControl(handle, code, const_cast<void*>(in), inSize, out, outSize,
                                  &returned, nullptr);
  CloseHandle(handle);
  return ok != FALSE && returned == outSize;
}

bool SimBridgeControl::Reset() {
  return Request(TORV_SIM_RESET, nullptr, 0, nullptr, 0);
}

bool SimBridgeControl::SetEeprom(const Eeprom& bytes) {
  return Request(TORV_SIM_SET_EEPROM, bytes.data(), static_cast<uint32_t>(bytes.size()), nullptr,
                 0);
}

bool SimBridgeControl::GetEeprom(Eeprom& bytes) {
  return Request(TORV_SIM_GET_EEPROM, nullptr, 0, bytes.data(),
                 static_cast<uint32_t>(bytes.size()));
}

bool SimBridgeControl::SetPresent(bool present) {
  const uint8_t value = present ? 1 : 0;
  return Request(TORV_SIM_SET_PRESENT, &value, 1, nullptr, 0);
}

bool SimBridgeControl::SetBusyReads(uint32_t reads) {
  const uint8_t in[4] = {static_cast<uint8_t>(reads), static_cast<uint8_t>(reads >> 8),
                         static_cast<uint8_t>(reads >> 16), static_cast<uint8_t>(reads >> 24)};
  return Request(TORV_SIM_SET_BUSY_READS, in, sizeof in, nullptr, 0);
}

bool SimBridgeControl::SetFault(uint32_t call, uint32_t okCalls) {
  uint8_t in[8];
  for (int i = 0; i < 4; ++i) {
    in[i] = static_cast<uint8_t>(call >> (8 * i));
    in[4 + i] = static_cast<uint8_t>(okCalls >> (8 * i));
  }
  return Request(TORV_SIM_SET_FAULT, in, sizeof in, nullptr, 0);
}

bool SimBridgeControl::GetCounts(SimBridgeCounts& counts) {
  uint8_t out[16] = {};
  if (!Request(TORV_SIM_GET_COUNTS, nullptr, 0, out, sizeof out)) {
    return false;
  }
  auto at = [&out](int i) {
    return static_cast<uint32_t>(out[4 * i]) | (static_cast<uint32_t>(out[4 * i + 1]) << 8) |
           (static_cast<uint32_t>(out[4 * i + 2]) << 16) |
           (static_cast<uint32_t>(out[4 * i + 3]) << 24);
  };
  counts.eepromWriteCalls = at(0);
  counts.regWriteCalls = at(1);
  counts.regReadCalls = at(2);
  counts.eepromWrites = at(3);
  return true;
}

}  // namespace sim
