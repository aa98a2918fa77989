#include "platform/executable_path.h"

#include <windows.h>

namespace platform {
namespace {

class Win32ExecutablePath final : public ExecutablePath {
 public:
  bool FullPath(std::wstring& path) const override {
    wchar_t buffer[kMaxChars + 1] = {};
    const DWORD length = GetModuleFileNameW(nullptr, buffer, kMaxChars + 1);
    // A length equal to the buffer size means the path was cut.
    if (length == 0 || length > kMaxChars) {
      return false;
    }
    path.assign(buffer, length);
    return true;
  }
};

}  // namespace

std::unique_ptr<ExecutablePath> MakeSystemExecutablePath() {
  return std::make_unique<Win32ExecutablePath>();
}

}  // namespace platform
