#include "platform/text_file.h"

#include "platform/text_codec.h"

#include <cerrno>
#include <unistd.h>

namespace platform {

FilePtr OpenTextForSharedRead(const std::wstring& path) {
  return FilePtr(std::fopen(WideToUtf8(path).c_str(), "r"));
}

bool DeleteFileIfPresent(const std::wstring& path) {
  return unlink(WideToUtf8(path).c_str()) == 0 || errno == ENOENT;
}

}  // namespace platform
