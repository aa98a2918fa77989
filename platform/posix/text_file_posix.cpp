#include "platform/text_file.h"

#include "platform/text_codec.h"

namespace platform {

FilePtr OpenTextForSharedRead(const std::wstring& path) {
  return FilePtr(std::fopen(WideToUtf8(path).c_str(), "r"));
}

}  // namespace platform
