// The one per-run record of PeloISP: the graphics backends and the active one, the chip being
// talked to, the DPCD command window's layout, the image buffers and the boot-code decisions.
#pragma once

#include "aux_isp_tool/gfx/gfx_lib.h"
#include "aux_isp_tool/gfx/gfx_lib_amd.h"
#include "aux_isp_tool/gfx/gfx_lib_intel.h"
#include "aux_isp_tool/gfx/gfx_lib_intel_skylake.h"
#include "aux_isp_tool/gfx/gfx_lib_nvidia.h"
#include "aux_isp_tool/isp/wrenlo_control_delegate.h"
#include "platform/clock.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace peloisp {

// Chip type codes, on board and in an image trailer.
inline constexpr int kChipWrenlo = 0;
inline constexpr int kChipWrenloApp = 1;  // running application or boot code
inline constexpr int kChipWrenloRom = 2;  // running its internal ROM
inline constexpr int kChipTalmont = 4;
inline constexpr int kChipCorbelle = 5;
inline constexpr int kChipFenn = 6;
inline constexpr int kChipUnrecognisedImage = 254;
inline constexpr int kChipNone = 255;
inline constexpr int kChipNoAnswer = -1;

class IspContext {
 public:
  // Waits on the system clock.
  IspContext();
  // Waits on `clock`, which must outlive the context.
  explicit IspContext(platform::Clock& clock);
  // Frees the buffers and texts, then ends the backends: AMD, NVIDIA, Intel LS-PCON, Intel.
  ~IspContext();
  IspContext(const IspContext&) = delete;
  IspContext& operator=(const IspContext&) = delete;

  platform::Clock& Clock() const { return *clock_; }

  GfxLib* activeBackend = nullptr;
  GfxLibIntel intel;
  GfxLibIntelSkylake intelLsPcon;
  GfxLibNvidia nvidia;
  GfxLibAmd amd;
  WrenloControlDelegate* progress = nullptr;  // not owned

  std::array<uint8_t, 512> reply{};    // DDC replies and DPCD reads
  std::array<uint8_t, 528> message{};  // built DDC messages, identification, one flash block

  std::vector<uint8_t> driverImage;
  int32_t driverLength = 0;
  const uint8_t* driverData = nullptr;  // start of the driver code inside driverImage
  std::vector<uint8_t> firmwareImage;
  int32_t firmwareLength = 0;
  std::vector<uint8_t> bootCode;
  uint16_t bootCodeFileSize = 0;

  int32_t windowAddress = 0;
  int32_t windowBase = 0x20000;
  uint16_t windowSize = 512;
  int32_t replyAddress = 0x10000;
  uint16_t replySize = 128;
  int32_t firstHalfEnd = 0x200FF;  // windowBase + windowSize / 2 - 1
  int32_t lastByte = 0x201FF;      // windowBase + windowSize - 1

  uint32_t fileVersion = 0;  // 24 bits used
  int backendSelection = 0;  // 0 automatic, 1 NVIDIA, 2 AMD, 3 Intel LS-PCON, 4 Intel
  int32_t deviceId = 0;
  int32_t i2cAddress = 0x6E;
  uint32_t flashStart = 0x400000;
  uint16_t ramWriteAddr = 0x1800;
  uint16_t runAtAddr = 0x1800;
  uint32_t onBoardVersion = 0;
  int onBoardChipType = kChipWrenlo;
  int fileChipType = kChipNoAnswer;
  uint16_t appBootVersion = 0;
  uint16_t extBootVersion = 0;
  uint16_t chosenBootVersion = 0;
  bool progBootCode = false;
  bool keepBoot = false;
  bool updateBoot = false;
  std::wstring driverPath;
  std::wstring firmwarePath;
  std::wstring bootCodePath;
  std::wstring adapterLabel;

 private:
  std::unique_ptr<platform::Clock> ownedClock_;
  platform::Clock* clock_;
};

// True when the active backend is NVIDIA's or AMD's: several protocol steps pause longer there.
bool IsSlowBackend(const IspContext& context);

// Picks and connects one backend (selection, device id and I2C address from the context);
// writes the active backend, device id and adapter label into the context and the whole report
// into `message`. 0 connected, 1 initialised but not connected, 2 none initialised, 3 given up.
int SelectBackend(std::wstring& message, IspContext& context);

}  // namespace peloisp
