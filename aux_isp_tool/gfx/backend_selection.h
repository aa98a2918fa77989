// Picking and connecting one graphics backend at start-up.
#pragma once

#include "aux_isp_tool/gfx/gfx_lib.h"

#include <cstdint>
#include <string>

namespace peloisp {

// Config.ini's backend selection.
inline constexpr int kSelectAutomatic = 0;
inline constexpr int kSelectNvidia = 1;
inline constexpr int kSelectAmd = 2;
inline constexpr int kSelectIntelLsPcon = 3;
inline constexpr int kSelectIntel = 4;

// SelectBackend's results.
inline constexpr int kBackendConnected = 0;
inline constexpr int kBackendNotConnected = 1;  // some backend initialised, none connected
inline constexpr int kBackendNoneInitialised = 2;
inline constexpr int kBackendGaveUp = 3;  // a Connect gave up graphics altogether

struct BackendSet {
  GfxLib& nvidia;
  GfxLib& amd;
  GfxLib& intelLsPcon;
  GfxLib& intel;
};

// The context's part in the selection: read are the selection, device id and I2C address;
// written the active backend, the device id and the adapter label.
struct BackendChoice {
  int& backendSelection;
  int32_t& deviceId;
  int32_t& i2cAddress;
  GfxLib*& activeBackend;
  std::wstring& adapterLabel;
};

// Appends the whole report (selection, each Init and Connect text) to `message`.
int SelectBackend(std::wstring& message, const BackendSet& backends, const BackendChoice& choice);

// The label's device-id suffix: "0x%02X" below 16, "0x%X" otherwise.
std::wstring DeviceIdSuffix(int32_t deviceId);

}  // namespace peloisp
