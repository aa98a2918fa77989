// The tests' side of the simulated bridge driver (Windows build only): reaches the model that
// serves "\\.\TORVDEV01" through the driver's control device.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace sim {

struct SimBridgeCounts {
  uint32_t eepromWriteCalls = 0;
  uint32_t regWriteCalls = 0;
  uint32_t regReadCalls = 0;
  uint32_t eepromWrites = 0;  // whole-image writes accepted
};

class SimBridgeControl {
 public:
  using Eeprom = std::array<uint8_t, 256>;

  // Each call opens the control device for the one request; false when the driver is not
  // installed or refuses the request.
  bool Reset();
  bool SetEeprom(const Eeprom& bytes);
  bool GetEeprom(Eeprom& bytes);
  // Absent: the bridge's device name is gone, as on a PC without the driver.
  bool SetPresent(bool present);
  bool SetBusyReads(uint32_t reads);
  // `call`: 0 whole-image write, 1 register write, 2 register read.
  bool SetFault(uint32_t call, uint32_t okCalls);
  bool GetCounts(SimBridgeCounts& counts);

 private:
  bool Request(uint32_t code, const void* in, uint32_t inSize, void* out, uint32_t outSize);
};

}  // namespace sim
