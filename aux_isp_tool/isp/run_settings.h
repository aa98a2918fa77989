// The per-device values from Config.ini for the host and the two port devices, read once at
// start; later steps read only these, never the file.
#pragma once

#include <cstdint>
#include <string>

namespace peloisp {

struct RunSettings {
  int32_t hostAddr = 0x6E;
  int32_t port1Addr = 0x6E;
  int32_t port2Addr = 0x6E;
  uint16_t hostRamWriteAddr = 0x1800;
  uint16_t port1RamWriteAddr = 0x1800;
  uint16_t port2RamWriteAddr = 0x1800;
  uint16_t hostRunAtAddr = 0x1800;
  uint16_t port1RunAtAddr = 0x1800;
  uint16_t port2RunAtAddr = 0x1800;
  uint32_t hostFlashStart = 0x400000;
  uint32_t port1FlashStart = 0x400000;
  uint32_t port2FlashStart = 0x400000;
  uint32_t ispDrvRunDelay = 800;  // ms
  uint32_t nextIspDelay = 1000;   // ms
  bool fwComparison = true;
  bool runResetOne = true;
  bool notDeleteLogFile = false;
  bool debugMode = false;
  std::wstring hostFwPath;
  std::wstring port1FwPath;
  std::wstring port2FwPath;
  std::wstring hostDriverPath;
  std::wstring port1DriverPath;
  std::wstring port2DriverPath;
  std::wstring hostBootPath;
  std::wstring port1BootPath;
  std::wstring port2BootPath;
  bool hostProgBoot = false;
  bool port1ProgBoot = false;
  bool port2ProgBoot = false;
  bool hostConfigured = false;
  bool port1Configured = false;
  bool port2Configured = false;
};

}  // namespace peloisp
