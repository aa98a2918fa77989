#include "platform/log_file.h"

#include <windows.h>

namespace platform {
namespace {

class Win32LogFile final : public LogFile {
 public:
  bool Append(const std::wstring& path, std::string_view bytes) override {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      return false;
    }
    bool ok = SetFilePointer(file, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER ||
              GetLastError() == NO_ERROR;
    const char* data = bytes.data();
    size_t left = bytes.size();
    while (ok && left > 0) {
      const DWORD chunk = left > 0x10000 ? 0x10000 : static_cast<DWORD>(left);
      DWORD written = 0;
      ok = WriteFile(file, data, chunk, &written, nullptr) && written > 0;
      data += written;
      left -= written;
    }
    CloseHandle(file);
    return ok;
  }

  bool Remove(const std::wstring& path) override { return DeleteFileW(path.c_str()) != 0; }
};

}  // namespace

std::unique_ptr<LogFile> MakeSystemLogFile() {
  return std::make_unique<Win32LogFile>();
}

}  // namespace platform
