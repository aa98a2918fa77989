#include "dock_utility/orchestration/update_procedures.h"

#include "dock_utility/orchestration/brand_table.h"
#include "dock_utility/orchestration/command_text.h"
#include "dock_utility/orchestration/device_lookup.h"
#include "dock_utility/orchestration/settings.h"

#include <optional>
#include <string>

namespace quaylin {
namespace {

struct ProcedureSettings {
  std::wstring customerName;
  std::wstring firmwareFile;
};

ProcedureSettings ReadSettings(const platform::ProfileFile& profile, const wchar_t* section) {
  CIniReader reader(profile);
  reader.SetFilePath(kSettingsPath);
  ProcedureSettings settings;
  settings.customerName = reader.ReadString(kCustomerSection, kCustomerNameKey);
  if (section != nullptr) {
    settings.firmwareFile = reader.ReadString(section, kFirmwareFileKey);
  }
  return settings;
}

// Serial texts are the low bytes of the instance ID's characters.
std::wstring Widen(const std::string& narrow) {
  std::wstring wide;
  for (const char c : narrow) {
    wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
  }
  return wide;
}

UpdResult RunAndJudge(CommandRunner& runner, const std::wstring& command, uint32_t timeoutMs,
                      const char* successText) {
  runner.RunCommand(command, timeoutMs);
  return runner.FindReportLine(successText);
}

// Billboard and PD controllers: one image path, no brand-specific text; the brand only decides
// which device must be present.
struct ImageUpdate {
  const wchar_t* section;
  const wchar_t* operation;  // " -bf " and the image folder
  const wchar_t* extension;
  const wchar_t* blanks;  // before the redirection: they differ between the commands
  uint32_t timeoutMs;
  const char* successText;
};

UpdResult RunImageUpdate(const DockServices& dock, const ImageUpdate& update) {
  const ProcedureSettings settings = ReadSettings(dock.profile, update.section);
  const BrandProfile* brand = SelectBrand(settings.customerName, BrandMatch::kRelaxed);
  if (brand == nullptr) {
    return UPD_ERR_DOCK_NOT_FOUND;
  }
  const std::optional<std::wstring> file = EscapeForCommandLine(settings.firmwareFile);
  if (!file) {
    return UPD_ERR_BAD_SETTING;
  }
  if (FindUsbDevice(dock.usb, brand->detectionVid, brand->detectionPid).found != 1) {
    return UPD_ERR_DOCK_NOT_FOUND;
  }
  const std::wstring command = std::wstring(kUpdaterCommand) + update.operation + *file +
                               update.extension + kUpdaterIds + update.blanks + kReportRedirection;
  return RunAndJudge(dock.runner, command, update.timeoutMs, update.successText);
}

struct HubUpdate {
  const wchar_t* section;
  const wchar_t* operation;  // " -hfu " and the image folder
  const HubIdentifiers BrandProfile::*identifiers;
  const wchar_t* vidOption;
  const wchar_t* pid30Option;
  const wchar_t* pid20Option;
  const wchar_t* serialOption;
  uint32_t timeoutMs;
  const char* successText;
};

UpdResult RunHubUpdate(const DockServices& dock, const HubUpdate& update) {
  const ProcedureSettings settings = ReadSettings(dock.profile, update.section);
  const BrandProfile* brand = SelectBrand(settings.customerName, BrandMatch::kExact);
  if (brand == nullptr) {
    return UPD_ERR_DOCK_NOT_FOUND;
  }
  const std::optional<std::wstring> file = EscapeForCommandLine(settings.firmwareFile);
  if (!file) {
    return UPD_ERR_BAD_SETTING;
  }
  const HubIdentifiers& hub = brand->*update.identifiers;
  const std::wstring identifiers = std::wstring(L".bin ") + update.vidOption + L" " + hub.vid +
                                   L" " + update.pid30Option + L" " + hub.pid30 + L" " +
                                   update.pid20Option + L" " + hub.pid20 + L" " +
                                   update.serialOption + L" ";
  const UsbDeviceRecord device = FindUsbDevice(dock.usb, brand->detectionVid, brand->detectionPid);
  if (device.found != 1) {
    return UPD_ERR_DOCK_NOT_FOUND;
  }
  // Devices without a USB serial number carry generated parts such as "5&2c2f29b4&0&1".
  const std::optional<std::wstring> serial = EscapeForCommandLine(Widen(device.serialText));
  if (!serial) {
    return UPD_ERR_BAD_SETTING;
  }
  const std::wstring command = std::wstring(kUpdaterCommand) + update.operation + hub.imagePrefix +
                               *file + identifiers + *serial + kUpdaterIds + L"  " +
                               kReportRedirection;
  return RunAndJudge(dock.runner, command, update.timeoutMs, update.successText);
}

}  // namespace

UpdResult UpdateBillboardFirmware(const DockServices& dock) {
  return RunImageUpdate(dock, {kBillboardSection, L" -bf .\\Setup\\System\\firmware\\billboard\\",
                               L".img", L"  ", kBillboardTimeoutMs, kBillboardSuccess});
}

UpdResult UpdateUpstreamHubFirmware(const DockServices& dock) {
  return RunHubUpdate(dock, {kUpstreamHubSection, L" -hfu .\\Setup\\System\\firmware\\US_RQ9\\",
                             &BrandProfile::upstreamHub, L"-hvidu", L"-h30pidu", L"-h20pidu",
                             L"-hsnu", kUpstreamHubTimeoutMs, kUpstreamHubSuccess});
}

UpdResult UpdateDownstreamHubFirmware(const DockServices& dock) {
  return RunHubUpdate(dock, {kDownstreamHubSection, L" -hfd1 .\\Setup\\System\\firmware\\DS_RQ9\\",
                             &BrandProfile::downstreamHub, L"-hvidd1", L"-h30pidd1", L"-h20pidd1",
                             L"-hsnd1", kDownstreamHubTimeoutMs, kDownstreamHubSuccess});
}

UpdResult UpdateUpstreamPdFirmware(const DockServices& dock) {
  return RunImageUpdate(dock, {kUpstreamPdSection, L" -cfu .\\Setup\\System\\firmware\\US_ORL1\\",
                               L".orlfw", L" ", kPdTimeoutMs, kUpstreamPdSuccess});
}

UpdResult UpdateDownstreamPdFirmware(const DockServices& dock) {
  return RunImageUpdate(
      dock, {kDownstreamPdSection, L" -cfd1 .\\Setup\\System\\firmware\\DS_ORL1\\", L".orlfw", L" ",
             kPdTimeoutMs, kDownstreamPdSuccess});
}

UpdResult UpdateDisplayControllerFirmware(const DockServices& dock) {
  const ProcedureSettings settings = ReadSettings(dock.profile, nullptr);
  UpdResult result = UPD_ERR_DISPLAY_DOCK_NOT_FOUND;
  const BrandProfile* brand = SelectBrand(settings.customerName, BrandMatch::kRelaxed);
  if (brand != nullptr &&
      FindUsbDevice(dock.usb, brand->detectionVid, brand->detectionPid).found == 1) {
    result = RunAndJudge(dock.runner, kDisplayUpdateCommand, kDisplayTimeoutMs, kDisplaySuccess);
  }
  // The tool's log goes whatever happened.
  dock.runner.RunCommand(L"cmd.exe /c del PeloAuxISPTool.log", kDisplayLogDeleteTimeoutMs);
  return result;
}

UpdResult UpdateEthernetBridgeEeprom(const DockServices& dock) {
  const ProcedureSettings settings = ReadSettings(dock.profile, kBridgeSection);
  const BrandProfile* brand = SelectBrand(settings.customerName, BrandMatch::kRelaxed);
  // Inside the quoted source name cmd.exe's operators are literal, so nothing is escaped there;
  // only what would break the quoting or expand is refused.
  if (brand != nullptr && !IsSafeCommandValue(settings.firmwareFile)) {
    return UPD_ERR_BAD_SETTING;
  }
  dock.runner.RunCommand(kDeleteBridgeImageCommand, kBridgeStepTimeoutMs);
  // Without a brand row there is no image to copy: the working image is deleted once more.
  const std::wstring copy = brand == nullptr
                                ? std::wstring(kDeleteBridgeImageCommand)
                                : std::wstring(L"cmd.exe /c copy .\\Setup\\Torv\\\"SROM for ") +
                                      brand->eepromImageWord + L" " + settings.firmwareFile +
                                      L".dat\" .\\Setup\\Torv\\SROM.dat";
  dock.runner.RunCommand(copy, kBridgeStepTimeoutMs);

  const UsbDeviceRecord bridge = FindUsbDevice(dock.usb, kBridgeVid, kBridgePid);
  if (bridge.found != 1) {
    return UPD_ERR_DOCK_NOT_FOUND;
  }
  // Without the bridge's own adapter there is no address to give it: never another adapter's.
  const std::string mac = GetBridgeMacAddress(dock.adapters);
  if (mac.empty()) {
    return UPD_ERR_DOCK_NOT_FOUND;
  }
  const std::optional<std::wstring> serial = EscapeForCommandLine(Widen(bridge.serialText));
  if (!serial) {
    return UPD_ERR_BAD_SETTING;
  }
  const std::wstring command = L"cmd.exe /c .\\Setup\\Torv\\Torv_EEPROM_Console.exe -m " +
                               Widen(mac) + L" -s " + *serial +
                               L" -f .\\Setup\\Torv\\SROM.dat -p " + kReportRedirection;
  return RunAndJudge(dock.runner, command, kBridgeStepTimeoutMs, kBridgeSuccess);
}

}  // namespace quaylin
