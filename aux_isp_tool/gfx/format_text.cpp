#include "aux_isp_tool/gfx/format_text.h"

#include <cstdarg>
#include <cstdio>

namespace peloisp {

std::wstring FormatText(const char* format, ...) {
  char buffer[1024];
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  if (length <= 0) {
    return {};
  }
  const size_t size =
      static_cast<size_t>(length) < sizeof buffer ? static_cast<size_t>(length) : sizeof buffer - 1;
  std::wstring text;
  text.reserve(size);
  for (size_t i = 0; i < size; ++i) {
    text += static_cast<wchar_t>(static_cast<unsigned char>(buffer[i]));
  }
  return text;
}

}  // namespace peloisp
