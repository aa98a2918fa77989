// printf-style formatting of the tool's ASCII texts into wide strings, the same on every
// compiler (a wide format's %s means different things to MSVC and to C-standard printf).
#pragma once

#include <string>

namespace peloisp {

// Formats with the narrow printf rules and widens the result; ASCII texts only.
std::wstring FormatText(const char* format, ...);

}  // namespace peloisp
