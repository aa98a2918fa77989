// Result codes of quaylin's procedures; the dialog shows any code but UPD_OK as
// "Failed! Error:0x%08x".
#pragma once

#include <cstdint>

namespace quaylin {

using UpdResult = uint32_t;

inline constexpr UpdResult UPD_OK = 1;
inline constexpr UpdResult UPD_ERR_REPORT_OPEN = 0xF0000002;
inline constexpr UpdResult UPD_ERR_NO_SUCCESS_LINE = 0xF1000001;
inline constexpr UpdResult UPD_ERR_DOCK_NOT_FOUND = 0xF2000001;
// A value from setting.ini or a device serial that cannot be put on a command line safely.
inline constexpr UpdResult UPD_ERR_BAD_SETTING = 0xF3000001;
inline constexpr UpdResult UPD_ERR_DISPLAY_DOCK_NOT_FOUND = 0xF5000001;

}  // namespace quaylin
