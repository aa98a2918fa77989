#include "eeprom_tool/eeprom_access.h"

#include "eeprom_tool/torv_driver_interface.h"

#include <array>

namespace eeprom_tool {
namespace {

constexpr uint32_t kOpenSettleMs = 500;

bool WriteRegister(platform::BridgeHandle& handle, uint8_t reg, uint8_t value) {
  const std::array<uint8_t, torv::kRegisterRequestSize> request = {reg, torv::kRegisterRequestCount,
                                                                   value};
  return handle.Control(torv::kIoctlRegWrite, request.data(), request.size(), nullptr, 0);
}

bool ReadRegister(platform::BridgeHandle& handle, uint8_t reg, uint8_t value, uint8_t& out) {
  const std::array<uint8_t, torv::kRegisterRequestSize> request = {reg, torv::kRegisterRequestCount,
                                                                   value};
  return handle.Control(torv::kIoctlRegRead, request.data(), request.size(), &out, 1);
}

bool ReadWord(platform::BridgeHandle& handle, uint8_t index, uint8_t& low, uint8_t& high) {
  if (!WriteRegister(handle, torv::kRegWordIndex, index) ||
      !WriteRegister(handle, torv::kRegCommand, torv::kCommandReadWord)) {
    return false;
  }
  bool ready = false;
  for (uint32_t poll = 0; poll < torv::kBusyPollLimit && !ready; ++poll) {
    uint8_t status = 0;
    if (!ReadRegister(handle, torv::kRegCommand, torv::kCommandBusy, status)) {
      return false;
    }
    ready = (status & torv::kCommandBusy) == 0;
  }
  return ready && ReadRegister(handle, torv::kRegDataLow, 0x00, low) &&
         ReadRegister(handle, torv::kRegDataHigh, 0x00, high);
}

}  // namespace

std::string ReadEepromImage(platform::BridgeDevice& device, SromImage& image) {
  const std::unique_ptr<platform::BridgeHandle> handle = device.Open();
  if (!handle) {
    return "Failed to open device!";
  }
  for (uint32_t word = 0; word < torv::kEepromWords; ++word) {
    uint8_t low = 0;
    uint8_t high = 0;
    if (!ReadWord(*handle, static_cast<uint8_t>(word), low, high)) {
      return "EEPROM Read Failed!";
    }
    image[2 * word] = low;
    image[2 * word + 1] = high;
  }
  return kSuccess;
}

std::string WriteEepromImage(platform::BridgeDevice& device, platform::Clock& clock,
                             const SromImage& image) {
  const std::unique_ptr<platform::BridgeHandle> handle = device.Open();
  // The wait follows the open whether or not it succeeded.
  clock.Sleep(kOpenSettleMs);
  if (!handle) {
    return "Open Device Failed!";
  }
  std::array<uint8_t, torv::kEepromWriteRequestSize> request{};
  for (size_t i = 0; i < 4; ++i) {
    request[i] = torv::kWriteSignature[i];
  }
  request[4] = static_cast<uint8_t>(torv::kWriteField1 & 0xFF);
  request[5] = static_cast<uint8_t>(torv::kWriteField1 >> 8);
  request[6] = static_cast<uint8_t>(torv::kWriteField2 & 0xFF);
  request[7] = static_cast<uint8_t>(torv::kWriteField2 >> 8);
  static_assert(torv::kWriteImageOffset + kSromSize == torv::kEepromWriteRequestSize);
  for (size_t i = 0; i < kSromSize; ++i) {
    request[torv::kWriteImageOffset + i] = image[i];
  }
  if (!handle->Control(torv::kIoctlEepromWrite, request.data(), request.size(), nullptr, 0)) {
    return "EEPROM Write Failed!";
  }
  return kProgrammingSucceeded;
}

}  // namespace eeprom_tool
