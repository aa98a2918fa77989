#include "eeprom_tool/command_line.h"

#include "eeprom_tool/mac_serial.h"

namespace eeprom_tool {
namespace {

bool IsHelpToken(const std::string& token) {
  return token == "?" || token == "/?" || token == "-?" || token == "HELP" || token == "help";
}

}  // namespace

std::vector<std::string> SplitCommandTokens(const std::vector<std::string>& args) {
  std::string joined;
  for (const std::string& arg : args) {
    joined += arg;
    joined += ' ';
  }
  std::vector<std::string> tokens;
  size_t start = 0;
  while (tokens.size() < kMaxTokens && start < joined.size()) {
    const size_t space = joined.find(' ', start);
    tokens.push_back(joined.substr(start, space - start));
    start = space + 1;
  }
  return tokens;
}

ParseOutcome ParseCommandTokens(const std::vector<std::string>& tokens, CommandOptions& options) {
  auto valueAfter = [&tokens](size_t& i) {
    ++i;
    return i < tokens.size() ? tokens[i] : std::string();
  };
  for (size_t i = 0; i < tokens.size(); ++i) {
    const std::string& token = tokens[i];
    if (token == "-m" || token == "-M") {
      options.mac = valueAfter(i);
      if (!ValidateMacAddress(options.mac)) {
        return ParseOutcome::kInvalidMac;
      }
    } else if (token == "-s" || token == "-S") {
      options.serial = valueAfter(i);
      if (!ValidateSerialNumber(options.serial)) {
        return ParseOutcome::kInvalidSerial;
      }
    } else if (token == "-f" || token == "-F") {
      options.file = valueAfter(i);
      options.fileGiven = true;
    } else if (token == "-p") {
      options.program = true;
    } else if (i == 0 && IsHelpToken(token)) {
      return ParseOutcome::kHelp;
    }
  }
  return ParseOutcome::kRun;
}

}  // namespace eeprom_tool
