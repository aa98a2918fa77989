// Config.ini, next to the executable: section "Firmware Update" fills the run's settings and
// the ISP context once at start.
#pragma once

#include "aux_isp_tool/isp/isp_context.h"
#include "aux_isp_tool/isp/run_settings.h"
#include "platform/executable_path.h"
#include "platform/profile_file.h"

#include <string>

namespace peloisp {

inline constexpr wchar_t kConfigFileName[] = L"Config.ini";
inline constexpr wchar_t kConfigSection[] = L"Firmware Update";
inline constexpr wchar_t kConfigMissingMessage[] =
    L"Please ensure that Config.ini is present and is not corrupted.\r\n";
inline constexpr wchar_t kOwnPathMessage[] = L"General file access failure.\r\n";

struct ConfigSources {
  const platform::ExecutablePath& executable;
  const platform::ProfileFile& profile;
};

// Fills `settings` and the context from the file; false with the reason in `message` when the
// executable's folder is unknown or the file has no "Firmware Update" section.
bool LoadConfig(IspContext& context, RunSettings& settings, std::wstring& message,
                const ConfigSources& sources);
// The same through the system's executable path and profile reader.
bool LoadConfig(IspContext& context, RunSettings& settings, std::wstring& message);

// True when the file has a section named "Firmware Update" in any letter case.
bool HasFirmwareUpdateSection(const platform::ProfileFile& profile, const std::wstring& path);

// The folder of `executablePath` with its trailing separator; empty when it has none.
std::wstring ExecutableFolder(const std::wstring& executablePath);

}  // namespace peloisp
