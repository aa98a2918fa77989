// One run of Torv_EEPROM_Console: the command line in, lines out, the EEPROM written at most
// once and only after every check has passed.
#pragma once

#include "platform/bridge_device.h"
#include "platform/clock.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace eeprom_tool {

struct ConsoleContext {
  platform::BridgeDevice& device;
  platform::Clock& clock;
  // Receives the output text as it is produced, newlines included.
  std::function<void(std::string_view)> print;
};

// `args` are the arguments after the program name. The exit code: 0 in every case.
int RunEepromConsole(const std::vector<std::string>& args, ConsoleContext& context);

}  // namespace eeprom_tool
