#include "platform/text_codec.h"

#include <windows.h>

#include <climits>

namespace platform {

std::wstring AnsiToWide(std::string_view bytes) {
  if (bytes.empty() || bytes.size() > static_cast<size_t>(INT_MAX)) {
    return {};
  }
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(CP_THREAD_ACP, 0, bytes.data(), size, nullptr, 0);
  if (length <= 0) {
    return {};
  }
  std::wstring text(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_THREAD_ACP, 0, bytes.data(), size, text.data(), length);
  return text;
}

}  // namespace platform
