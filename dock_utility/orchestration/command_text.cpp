#include "dock_utility/orchestration/command_text.h"

namespace quaylin {

bool IsSafeCommandValue(const std::wstring& value) {
  for (const wchar_t c : value) {
    if (c == L'%' || c == L'"' || c < 0x20 || c == 0x7F) {
      return false;
    }
  }
  return true;
}

std::optional<std::wstring> EscapeForCommandLine(const std::wstring& value) {
  if (!IsSafeCommandValue(value)) {
    return std::nullopt;
  }
  std::wstring escaped;
  escaped.reserve(value.size());
  for (const wchar_t c : value) {
    if (c == L'&' || c == L'|' || c == L'<' || c == L'>' || c == L'^') {
      escaped += L'^';
    }
    escaped += c;
  }
  return escaped;
}

}  // namespace quaylin
