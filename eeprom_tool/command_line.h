// The tool's command line: arguments joined and split into at most 8 tokens, options matched
// as whole tokens.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace eeprom_tool {

inline constexpr size_t kMaxTokens = 8;

// Joins the arguments, each followed by one space, and splits the result at every space into
// at most 8 tokens (two spaces in a row give an empty token). Tokens past the eighth are
// dropped.
std::vector<std::string> SplitCommandTokens(const std::vector<std::string>& args);

struct CommandOptions {
  std::string mac;
  std::string serial;
  std::string file;
  // "-f" was there, even with an empty value: the image must then come from a file, never
  // from the EEPROM the user did not mean to copy.
  bool fileGiven = false;
  bool program = false;
};

enum class ParseOutcome { kRun, kHelp, kInvalidMac, kInvalidSerial };

// Walks the tokens in order. An option takes the next token as its value whatever it holds
// (empty when there is none) and the MAC address and serial number are checked as soon as
// they are taken; a help token counts only in the first position.
ParseOutcome ParseCommandTokens(const std::vector<std::string>& tokens, CommandOptions& options);

}  // namespace eeprom_tool
