// Which display controller answers at an I2C address and what it runs: the chip type from two
// register reads, the identification block (DPCD first, chip memory second) and the one line of
// text per chip that the dock-update GUI matches by its beginning.
#pragma once

#include "aux_isp_tool/isp/engine_output.h"
#include "aux_isp_tool/isp/isp_context.h"
#include "aux_isp_tool/isp/run_settings.h"

#include <array>
#include <cstdint>
#include <string>

namespace peloisp {

inline constexpr uint16_t kRegChipId = 0xC802;
inline constexpr uint16_t kRegChipIdAlt = 0x8002;
inline constexpr uint32_t kDpcdIdentification = 0x503;
inline constexpr uint32_t kMemoryIdentification = 0x1B503;
inline constexpr int kIdentificationBytes = 10;

struct ChipIdentification {
  std::array<uint8_t, 6> name{};  // six ASCII characters
  uint8_t hw = 0;
  uint32_t version = 0;  // (byte 9 << 16) | (byte 7 << 8) | byte 8
};

// The type code of the chip at the context's i2cAddress; -1 when it does not answer.
int QueryChipType(IspContext& context, EngineOutput& output);

// The ten bytes at DPCD 0x503, or the same bytes from chip memory at 0x1B503.
bool ReadIdentification(IspContext& context, EngineOutput& output, ChipIdentification& id);

// The version as the chip type writes it; empty for 0.
std::wstring FormatVersionNumber(uint32_t v, int type);

// The chip's line for `type` (which may become 1 or 2 for a Wrenlo); "N/A" when the
// identification cannot be read. Sets onBoardVersion.
void FormatChipVersion(IspContext& context, EngineOutput& output, std::wstring& text, int& type);
// The same line from identification bytes already read; no device traffic.
std::wstring ChipVersionText(const ChipIdentification& id, int& type);

// -ChipInfo: the host's line, then each configured port's, printed and logged as one report.
void ShowChipInfo(IspContext& context, EngineOutput& output, const RunSettings& settings);

// "Current Firmware Version: ..." at the start of a device's update; stores the type it found
// in onBoardChipType.
void ShowCurrentVersion(IspContext& context, EngineOutput& output);

}  // namespace peloisp
