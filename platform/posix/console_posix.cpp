#include "platform/console.h"

#include "platform/text_codec.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace platform {
namespace {

void WriteAll(const char* data, size_t size) {
  while (size > 0) {
    const ssize_t written = write(STDOUT_FILENO, data, size);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
}

// Console colour bits are blue 1, green 2, red 4, intensity 8; ANSI counts red 1, green 2,
// blue 4.
int AnsiColour(unsigned nibble) {
  return ((nibble & 4) ? 1 : 0) | (nibble & 2) | ((nibble & 1) ? 4 : 0);
}

class PosixConsole final : public Console {
 public:
  void WriteWide(std::wstring_view text) override {
    const std::string bytes = WideToUtf8(text);
    WriteAll(bytes.data(), bytes.size());
  }

  void WriteNarrow(std::string_view bytes) override { WriteAll(bytes.data(), bytes.size()); }

  // ANSI colours only on a terminal: a redirected report holds the characters alone.
  void SetTextAttribute(uint16_t attribute) override {
    if (isatty(STDOUT_FILENO) == 0) {
      return;
    }
    if (attribute == 7) {
      WriteAll("\x1b[0m", 4);
      return;
    }
    const unsigned fg = attribute & 0x0F;
    const unsigned bg = (attribute >> 4) & 0x0F;
    char sequence[32];
    const int length = std::snprintf(sequence, sizeof sequence, "\x1b[0;%d;%dm",
                                     ((fg & 8) ? 90 : 30) + AnsiColour(fg),
                                     ((bg & 8) ? 100 : 40) + AnsiColour(bg));
    if (length > 0) {
      WriteAll(sequence, static_cast<size_t>(length));
    }
  }
};

}  // namespace

std::unique_ptr<Console> MakeSystemConsole() {
  return std::make_unique<PosixConsole>();
}

}  // namespace platform
