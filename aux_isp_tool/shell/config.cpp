#include "aux_isp_tool/shell/config.h"

#include <cstdint>
#include <cwctype>
#include <vector>

namespace peloisp {
namespace {

constexpr int kAbsent = -1;
constexpr size_t kSectionNamesChars = 2048;
constexpr size_t kValueChars = 512;
constexpr size_t kMaxPathChars = 511;

constexpr int32_t kDefaultDdc2biAddr = 0x6E;
constexpr uint16_t kDefaultRamAddr = 0x1800;
constexpr uint32_t kDefaultFlashStart = 0x400000;
constexpr uint32_t kDefaultIspDrvRunDelay = 800;
constexpr uint32_t kDefaultNextIspDelay = 1000;
// Addresses up to 128 and delays up to 50 ms are taken as unset (compared unsigned).
constexpr uint32_t kMaxUnsetAddress = 128;
constexpr uint32_t kMaxUnsetDelay = 50;

bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(b[i]))) {
      return false;
    }
  }
  return true;
}

class ConfigReader {
 public:
  ConfigReader(const platform::ProfileFile& profile, std::wstring path, std::wstring folder)
      : profile_(profile), path_(std::move(path)), folder_(std::move(folder)) {}

  int Int(const wchar_t* key) const {
    return profile_.ReadInt(path_, kConfigSection, key, kAbsent);
  }

  // A path value, relative to the executable's folder. Absent when the key is missing or empty,
  // or when folder and value together would not fit the stored path.
  bool Path(const wchar_t* key, std::wstring& path) const {
    const std::wstring value = profile_.ReadString(path_, kConfigSection, key, L"", kValueChars);
    if (value.empty() || folder_.size() + value.size() > kMaxPathChars) {
      return false;
    }
    path = folder_ + value;
    return true;
  }

 private:
  const platform::ProfileFile& profile_;
  std::wstring path_;
  std::wstring folder_;
};

// An integer key whose values up to `maxUnset` (unsigned) mean "use the fallback".
uint32_t Above(int value, uint32_t maxUnset, uint32_t fallback) {
  const auto raw = static_cast<uint32_t>(value);
  return (value == kAbsent || raw <= maxUnset) ? fallback : raw;
}

int32_t Ddc2biAddr(int value, int32_t fallback) {
  return (value == kAbsent || value == 0) ? fallback : value;
}

void ReadDeviceSelection(const ConfigReader& ini, IspContext& context) {
  context.backendSelection = 0;
  context.deviceId = 0;
  const struct {
    const wchar_t* key;
    int selection;
  } keys[] = {
      {L"IntelLegacyDeviceId", 4},
      {L"DeviceID", 3},
      {L"NvidiaDeviceId", 1},
      {L"AmdDeviceId", 2},
  };
  // The first key present decides; the later ones are not read.
  for (const auto& entry : keys) {
    const int value = ini.Int(entry.key);
    if (value != kAbsent) {
      context.backendSelection = entry.selection;
      context.deviceId = value;
      return;
    }
  }
}

void ReadFirmwarePath(const ConfigReader& ini, const wchar_t* key, std::wstring& path,
                      bool& configured) {
  if (ini.Path(key, path)) {
    configured = true;
  }
}

}  // namespace

std::wstring ExecutableFolder(const std::wstring& executablePath) {
  const size_t cut = executablePath.find_last_of(L"\\/");
  if (cut == std::wstring::npos) {
    return {};
  }
  return executablePath.substr(0, cut + 1);
}

bool HasFirmwareUpdateSection(const platform::ProfileFile& profile, const std::wstring& path) {
  const std::vector<std::wstring> names = profile.SectionNames(path, kSectionNamesChars);
  for (const std::wstring& name : names) {
    if (name.empty()) {
      return false;
    }
    if (SameIgnoringCase(name, kConfigSection)) {
      return true;
    }
  }
  return false;
}

bool LoadConfig(IspContext& context, RunSettings& settings, std::wstring& message,
                const ConfigSources& sources) {
  std::wstring executable;
  if (!sources.executable.FullPath(executable)) {
    message = kOwnPathMessage;
    return false;
  }
  const std::wstring folder = ExecutableFolder(executable);
  if (folder.empty()) {
    message = kOwnPathMessage;
    return false;
  }
  const std::wstring configPath = folder + kConfigFileName;
  if (!HasFirmwareUpdateSection(sources.profile, configPath)) {
    message = kConfigMissingMessage;
    return false;
  }
  const ConfigReader ini(sources.profile, configPath, folder);
  RunSettings s;

  ReadDeviceSelection(ini, context);

  s.hostAddr = Ddc2biAddr(ini.Int(L"Ddc2biAddr"), kDefaultDdc2biAddr);
  s.port1Addr = Ddc2biAddr(ini.Int(L"Ddc2biAddrP1"), s.hostAddr);
  s.port2Addr = Ddc2biAddr(ini.Int(L"Ddc2biAddrP2"), s.hostAddr);

  // Load and start addresses are 16-bit: a larger value keeps its low 16 bits.
  s.hostRamWriteAddr =
      static_cast<uint16_t>(Above(ini.Int(L"RamWriteAddr"), kMaxUnsetAddress, kDefaultRamAddr));
  s.port1RamWriteAddr = static_cast<uint16_t>(
      Above(ini.Int(L"RamWriteAddrP1"), kMaxUnsetAddress, s.hostRamWriteAddr));
  s.port2RamWriteAddr = static_cast<uint16_t>(
      Above(ini.Int(L"RamWriteAddrP2"), kMaxUnsetAddress, s.hostRamWriteAddr));

  s.hostRunAtAddr =
      static_cast<uint16_t>(Above(ini.Int(L"RunAtAddr"), kMaxUnsetAddress, kDefaultRamAddr));
  s.port1RunAtAddr =
      static_cast<uint16_t>(Above(ini.Int(L"RunAtAddrP1"), kMaxUnsetAddress, s.hostRunAtAddr));
  s.port2RunAtAddr =
      static_cast<uint16_t>(Above(ini.Int(L"RunAtAddrP2"), kMaxUnsetAddress, s.hostRunAtAddr));

  s.hostFlashStart = Above(ini.Int(L"FlashStartAddr"), kMaxUnsetAddress, kDefaultFlashStart);
  s.port1FlashStart = Above(ini.Int(L"FlashStartAddrP1"), kMaxUnsetAddress, s.hostFlashStart);
  s.port2FlashStart = Above(ini.Int(L"FlashStartAddrP2"), kMaxUnsetAddress, s.hostFlashStart);

  s.ispDrvRunDelay = Above(ini.Int(L"IspDrvRunDelay"), kMaxUnsetDelay, kDefaultIspDrvRunDelay);
  s.nextIspDelay = Above(ini.Int(L"NextIspDelay"), kMaxUnsetDelay, kDefaultNextIspDelay);

  // Absent (-1) counts as on for the first two; the others need exactly 1.
  s.fwComparison = ini.Int(L"FwComparison") != 0;
  s.runResetOne = ini.Int(L"RunResetOne") != 0;
  s.notDeleteLogFile = ini.Int(L"NotDeleteLogFile") == 1;
  s.debugMode = ini.Int(L"DebugMode") == 1;

  ReadFirmwarePath(ini, L"FWFilePath", s.hostFwPath, s.hostConfigured);
  ReadFirmwarePath(ini, L"FWFileP1", s.port1FwPath, s.port1Configured);
  ReadFirmwarePath(ini, L"FWFilePathP1", s.port1FwPath, s.port1Configured);
  ReadFirmwarePath(ini, L"FWFileP2", s.port2FwPath, s.port2Configured);
  ReadFirmwarePath(ini, L"FWFilePathP2", s.port2FwPath, s.port2Configured);

  ini.Path(L"DriverFilePath", s.hostDriverPath);
  if (!ini.Path(L"DriverFilePathP1", s.port1DriverPath)) {
    s.port1DriverPath = s.hostDriverPath;
  }
  if (!ini.Path(L"DriverFilePathP2", s.port2DriverPath)) {
    s.port2DriverPath = s.hostDriverPath;
  }

  s.hostProgBoot = ini.Int(L"ProgBootCode") == 1;
  s.port1ProgBoot = ini.Int(L"ProgBootCodeP1") == 1;
  s.port2ProgBoot = ini.Int(L"ProgBootCodeP2") == 1;

  ini.Path(L"BootCodeFilePath", s.hostBootPath);
  ini.Path(L"BootCodeFilePathP1", s.port1BootPath);
  ini.Path(L"BootCodeFilePathP2", s.port2BootPath);

  context.i2cAddress = s.hostAddr;
  context.ramWriteAddr = s.hostRamWriteAddr;
  context.runAtAddr = s.hostRunAtAddr;
  context.flashStart = s.hostFlashStart;
  context.driverPath = s.hostDriverPath;
  if (s.hostConfigured) {
    context.firmwarePath = s.hostFwPath;
  }
  settings = std::move(s);
  return true;
}

bool LoadConfig(IspContext& context, RunSettings& settings, std::wstring& message) {
  const std::unique_ptr<platform::ExecutablePath> executable = platform::MakeSystemExecutablePath();
  const std::unique_ptr<platform::ProfileFile> profile = platform::MakeSystemProfileFile();
  return LoadConfig(context, settings, message, ConfigSources{*executable, *profile});
}

}  // namespace peloisp
