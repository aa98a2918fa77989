#include "platform/text_codec.h"

namespace platform {

std::wstring AnsiToWide(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (const char byte : bytes) {
    text += static_cast<wchar_t>(static_cast<unsigned char>(byte));
  }
  return text;
}

}  // namespace platform
