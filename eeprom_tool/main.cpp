// Torv_EEPROM_Console: programs the Torv bridge's EEPROM from SROM.dat or from itself.
#include "eeprom_tool/eeprom_console.h"
#include "eeprom_tool/torv_driver_interface.h"

#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  // The lines end in "\n" on every system; callers read them line by line either way.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    args.emplace_back(argv[i]);
  }
  const auto device = platform::MakeSystemBridgeDevice(torv::kDevicePath);
  const auto clock = platform::MakeSystemClock();
  eeprom_tool::ConsoleContext context{*device, *clock, [](std::string_view text) {
                                        std::fwrite(text.data(), 1, text.size(), stdout);
                                        std::fflush(stdout);
                                      }};
  return eeprom_tool::RunEepromConsole(args, context);
}
