// Conversions between the product's wide texts and narrow bytes.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Bytes in the thread's ANSI code page (Windows) to wide text. Elsewhere bytes are taken as
// Latin-1, one character per byte, so no byte is ever lost.
std::wstring AnsiToWide(std::string_view bytes);

// UTF-8 <-> wide text; invalid sequences become U+FFFD.
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view bytes);

}  // namespace platform
