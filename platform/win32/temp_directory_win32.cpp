#include "platform/temp_directory.h"

#include <windows.h>

namespace platform {
namespace {

class Win32TempDirectory final : public TempDirectory {
 public:
  // Where cmd.exe puts %Temp%: the TEMP variable when it is set. GetTempPathW looks at TMP
  // first, and a report read from there while cmd.exe wrote it elsewhere would be missing or old.
  std::wstring Path() const override {
    wchar_t variable[MAX_PATH] = {};
    const DWORD variableLength = GetEnvironmentVariableW(L"TEMP", variable, MAX_PATH);
    if (variableLength > 0 && variableLength < MAX_PATH) {
      std::wstring path(variable, variableLength);
      if (path.back() != L'\\') {
        path += L'\\';
      }
      return path;
    }
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
