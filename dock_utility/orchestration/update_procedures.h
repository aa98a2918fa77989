// One procedure per programmable part of the dock: each reads the brand afresh, checks that the
// dock is attached, runs its tool through cmd.exe and judges the tool's report.
#pragma once

#include "dock_utility/orchestration/command_runner.h"
#include "dock_utility/orchestration/result_codes.h"
#include "platform/net_adapters.h"
#include "platform/profile_file.h"
#include "platform/usb_devices.h"

#include <cstdint>

namespace quaylin {

// The services every procedure reaches the system through.
struct DockServices {
  const platform::ProfileFile& profile;
  const platform::UsbDevices& usb;
  const platform::NetAdapters& adapters;
  CommandRunner& runner;
};

inline constexpr wchar_t kUpdaterCommand[] = L"cmd.exe /c .\\Setup\\System\\quaylin_fw_update.exe";
inline constexpr wchar_t kUpdaterIds[] = L" -pid 5217 -fupid 5218";

inline constexpr uint32_t kBillboardTimeoutMs = 300000;
inline constexpr uint32_t kUpstreamHubTimeoutMs = 300000;
inline constexpr uint32_t kDownstreamHubTimeoutMs = 180000;
inline constexpr uint32_t kPdTimeoutMs = 300000;
inline constexpr uint32_t kDisplayTimeoutMs = 600000;
inline constexpr uint32_t kDisplayLogDeleteTimeoutMs = 60000;
inline constexpr uint32_t kBridgeStepTimeoutMs = 300000;

inline constexpr char kBillboardSuccess[] = "Billboard Firmware Update Procedure";
inline constexpr char kUpstreamHubSuccess[] = "Upstream RQ9 user defined configuration update";
inline constexpr char kDownstreamHubSuccess[] = "Downstream RQ9 user defined configuration update";
inline constexpr char kUpstreamPdSuccess[] = "Upstream Orlx Firmware Update Procedure";
inline constexpr char kDownstreamPdSuccess[] = "Downstream-1 Orlx Firmware Update Procedure";
inline constexpr char kDisplaySuccess[] = "ISP completed!";
inline constexpr char kBridgeSuccess[] = "Programming";

inline constexpr wchar_t kDisplayUpdateCommand[] =
    L"cmd.exe /c .\\Setup\\Salt\\PeloISP.exe -Run  > \"%Temp%\\ch_device.txt\"";
inline constexpr wchar_t kDeleteBridgeImageCommand[] = L"cmd.exe /c del .\\Setup\\Torv\\SROM.dat";

// Every procedure returns UPD_OK, UPD_ERR_NO_SUCCESS_LINE, UPD_ERR_REPORT_OPEN, its dock-not-found
// code, or UPD_ERR_BAD_SETTING when a value it would put on the command line cannot be passed
// safely (then nothing, or nothing further, is run).
UpdResult UpdateBillboardFirmware(const DockServices& dock);
UpdResult UpdateUpstreamHubFirmware(const DockServices& dock);
UpdResult UpdateDownstreamHubFirmware(const DockServices& dock);
UpdResult UpdateUpstreamPdFirmware(const DockServices& dock);
UpdResult UpdateDownstreamPdFirmware(const DockServices& dock);
UpdResult UpdateDisplayControllerFirmware(const DockServices& dock);
UpdResult UpdateEthernetBridgeEeprom(const DockServices& dock);

}  // namespace quaylin
