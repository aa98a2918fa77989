// Standard output of the console tools: wide and narrow texts in call order, and the console's
// text attributes (colours).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace platform {

class Console {
 public:
  virtual ~Console() = default;

  // Writes the text to standard output at once (nothing is held back), so that wide and narrow
  // writes reach a redirected report in call order. Line ends are written as given.
  virtual void WriteWide(std::wstring_view text) = 0;
  virtual void WriteNarrow(std::string_view bytes) = 0;

  // Sets the text attribute of the console behind standard output (low nibble foreground, high
  // nibble background). Changes nothing when standard output is not a console.
  virtual void SetTextAttribute(uint16_t attribute) = 0;
};

std::unique_ptr<Console> MakeSystemConsole();

}  // namespace platform
