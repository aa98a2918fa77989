#include "eeprom_tool/eeprom_console.h"

#include "eeprom_tool/command_line.h"
#include "eeprom_tool/eeprom_access.h"
#include "eeprom_tool/mac_serial.h"
#include "eeprom_tool/srom_image.h"

namespace eeprom_tool {
namespace {

constexpr uint32_t kStartWaitMs = 1000;
constexpr uint32_t kAfterProgrammingWaitMs = 1500;

const char* const kUsageLines[] = {
    "******************************************************************************************"
    "************",
    "\tMiraton Torv EEPROM Console Tool",
    "",
    "\t[Usage] : Torv_EEPROM_Console [-m] <MAC address> [-s] <Serial number> [-f] <filename> "
    "[-p]",
    "",
    "\t-m\tSpecify the MAC address",
    "\t-s\tSpecify the serial number",
    "\t-f\tSpecify a file name of SROM data",
    "\t-p\tProgram the EEPROM",
    "",
    "\tFor example:",
    "\tTorv_EEPROM_Console -m 000EC6F9D000 -s 00000000000001 -f SROM.dat -p",
    "",
    "******************************************************************************************"
    "************",
};

void PrintLine(ConsoleContext& context, std::string_view line) {
  context.print(std::string(line) + "\n");
}

}  // namespace

int RunEepromConsole(const std::vector<std::string>& args, ConsoleContext& context) {
  if (args.empty()) {
    return 0;
  }
  CommandOptions options;
  switch (ParseCommandTokens(SplitCommandTokens(args), options)) {
    case ParseOutcome::kRun:
      break;
    case ParseOutcome::kHelp:
      for (const char* line : kUsageLines) {
        PrintLine(context, line);
      }
      return 0;
    case ParseOutcome::kInvalidMac:
      PrintLine(context, "Invalid MAC address\n");
      return 0;
    case ParseOutcome::kInvalidSerial:
      PrintLine(context, "Invalid Serial Number format\n");
      return 0;
  }

  context.clock.Sleep(kStartWaitMs);

  SromImage image{};
  if (options.fileGiven) {
    const std::string read = ReadSromFile(options.file, image);
    if (read != kSuccess) {
      PrintLine(context, read);
      return 0;
    }
    if (!options.mac.empty()) {
      PutMacAddress(options.mac, image);
    } else {
      IncrementMacAddress(image);
    }
    if (!options.serial.empty()) {
      PutSerialNumber(options.serial, image);
    } else if (!IncrementSerialNumber(image)) {
      PrintLine(context, "Serial Number Full!");
      return 0;
    }
  } else {
    const std::string read = ReadEepromImage(context.device, image);
    if (read != kSuccess) {
      PrintLine(context, read);
      return 0;
    }
    if (!options.mac.empty()) {
      PutMacAddress(options.mac, image);
    }
    if (!options.serial.empty()) {
      PutSerialNumber(options.serial, image);
    }
    if (options.mac.empty() && options.serial.empty()) {
      options.program = false;  // nothing to change
    }
  }

  if (options.program) {
    const std::string written = WriteEepromImage(context.device, context.clock, image);
    PrintLine(context, written);
    if (written == kProgrammingSucceeded) {
      context.clock.Sleep(kAfterProgrammingWaitMs);
      // Unnoticed, a stale file would make the next run program the same MAC address and
      // serial number into the next bridge.
      if (options.fileGiven && !SaveSromFile(options.file, image)) {
        PrintLine(context, "SROM file \"" + options.file + "\" could not be updated!");
      }
    }
  }
  return 0;
}

}  // namespace eeprom_tool
