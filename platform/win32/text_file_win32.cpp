#include "platform/text_file.h"

#include <windows.h>

#include <share.h>
#include <stdio.h>

namespace platform {

FilePtr OpenTextForSharedRead(const std::wstring& path) {
  return FilePtr(_wfsopen(path.c_str(), L"rt", _SH_DENYNO));
}

bool DeleteFileIfPresent(const std::wstring& path) {
  if (DeleteFileW(path.c_str())) {
    return true;
  }
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace platform
