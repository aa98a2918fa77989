// Reading and writing the bridge's EEPROM through its driver.
#pragma once

#include "eeprom_tool/srom_image.h"
#include "platform/bridge_device.h"
#include "platform/clock.h"

#include <string>

namespace eeprom_tool {

inline constexpr const char kProgrammingSucceeded[] = "Programming Succeeded!";

// Reads all 128 words through the register sequence. Returns "Success", "Failed to open
// device!" or "EEPROM Read Failed!"; on a failure `image` keeps the words read before it.
std::string ReadEepromImage(platform::BridgeDevice& device, SromImage& image);

// Sends the whole image in one write request, 500 ms after the open. Returns "Programming
// Succeeded!", "Open Device Failed!" or "EEPROM Write Failed!".
std::string WriteEepromImage(platform::BridgeDevice& device, platform::Clock& clock,
                             const SromImage& image);

}  // namespace eeprom_tool
