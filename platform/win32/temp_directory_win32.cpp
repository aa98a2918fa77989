#include "platform/temp_directory.h"

#include <windows.h>

namespace platform {
namespace {

class Win32TempDirectory final : public TempDirectory {
 public:
  std::wstring Path() const override {
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetTempPathW(MAX_PATH, buffer);
    if (length == 0 || length >= MAX_PATH) {
      return {};
    }
    return std::wstring(buffer, length);
  }
};

}  // namespace

std::unique_ptr<TempDirectory> MakeSystemTempDirectory() {
  return std::make_unique<Win32TempDirectory>();
}

}  // namespace platform
