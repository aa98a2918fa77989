// Putting outside values (settings, serial numbers) into cmd.exe command lines.
#pragma once

#include <optional>
#include <string>

namespace quaylin {

// False for a value cmd.exe cannot be given safely: one holding '%' (variable expansion, which
// no caret stops), '"' (quoting) or a control character (a line end would end the command).
bool IsSafeCommandValue(const std::wstring& value);

// The value with each of cmd.exe's operators & | < > ^ preceded by '^', so the tool receives the
// text unchanged; none when the value is not safe. Blanks stay as they are.
std::optional<std::wstring> EscapeForCommandLine(const std::wstring& value);

}  // namespace quaylin
