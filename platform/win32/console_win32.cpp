#include "platform/console.h"

#include <windows.h>

#include <climits>
#include <string>

namespace platform {
namespace {

// Direct handle writes: nothing is buffered, and the C runtime's text mode cannot turn the
// texts' own "\r\n" into "\r\r\n".
void WriteAll(HANDLE out, const char* data, size_t size) {
  while (size > 0) {
    const DWORD chunk = size > 0x10000 ? 0x10000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(out, data, chunk, &written, nullptr) || written == 0) {
      return;
    }
    data += written;
    size -= written;
  }
}

class Win32Console final : public Console {
 public:
  void WriteWide(std::wstring_view text) override {
    if (text.empty() || text.size() > static_cast<size_t>(INT_MAX)) {
      return;
    }
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) {
      return;
    }
    DWORD mode = 0;
    if (GetConsoleMode(out, &mode)) {
      DWORD written = 0;
      WriteConsoleW(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
      return;
    }
    // Redirected: one byte per character of the ASCII texts, in the ANSI code page otherwise.
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) {
      return;
    }
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    WriteAll(out, bytes.data(), bytes.size());
  }

  void WriteNarrow(std::string_view bytes) override {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) {
      return;
    }
    WriteAll(out, bytes.data(), bytes.size());
  }

  void SetTextAttribute(uint16_t attribute) override {
    SetConsoleTextAttribute(GetStdHandle(STD_OUTPUT_HANDLE), attribute);
  }
};

}  // namespace

std::unique_ptr<Console> MakeSystemConsole() {
  return std::make_unique<Win32Console>();
}

}  // namespace platform
