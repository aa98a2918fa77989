// quaylin's settings file .\Setup\setting.ini: the brand and one firmware file name per chip.
#pragma once

#include "platform/profile_file.h"

#include <cstddef>
#include <string>

namespace quaylin {

inline constexpr wchar_t kSettingsPath[] = L".\\Setup\\setting.ini";
inline constexpr wchar_t kCustomerSection[] = L"Customer";
inline constexpr wchar_t kCustomerNameKey[] = L"Customer_Name";
inline constexpr wchar_t kFirmwareFileKey[] = L"FW FILE NAME";

inline constexpr wchar_t kBillboardSection[] = L"Billboard";
inline constexpr wchar_t kUpstreamHubSection[] = L"US_Rq9";
inline constexpr wchar_t kDownstreamHubSection[] = L"DS_Rq9";
inline constexpr wchar_t kUpstreamPdSection[] = L"US_ORLX";
inline constexpr wchar_t kDownstreamPdSection[] = L"DS_ORLX";
inline constexpr wchar_t kBridgeSection[] = L"Torv";

// Values are read into 255 characters, so they hold at most 254.
inline constexpr size_t kSettingBufferChars = 255;

// One instance per procedure call; holds no open file.
class CIniReader {
 public:
  explicit CIniReader(const platform::ProfileFile& profile) : profile_(profile) {}

  void SetFilePath(const std::wstring& path) { filePath_ = path; }

  // The value, or empty text when the file, section or key is missing.
  std::wstring ReadString(const std::wstring& section, const std::wstring& key) const {
    return profile_.ReadString(filePath_, section, key, L"", kSettingBufferChars);
  }

 private:
  const platform::ProfileFile& profile_;
  std::wstring filePath_;
};

}  // namespace quaylin
