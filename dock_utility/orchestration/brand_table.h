// The seven brands a dock is sold under, in the order every look-up tests them.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace quaylin {

struct HubIdentifiers {
  const wchar_t* imagePrefix;
  const wchar_t* vid;
  const wchar_t* pid30;
  const wchar_t* pid20;
};

struct BrandProfile {
  const wchar_t* customerName;
  uint8_t brandCode;
  uint8_t variant;
  const char* detectionVid;
  const char* detectionPid;
  const wchar_t* eepromImageWord;
  HubIdentifiers upstreamHub;
  HubIdentifiers downstreamHub;
};

std::span<const BrandProfile> BrandTable();

enum class BrandMatch {
  kExact,    // character for character, letter case counting
  kRelaxed,  // ASCII letter case ignored
};

// The first row whose name matches the whole value; null when none does. No blanks are trimmed.
const BrandProfile* SelectBrand(const std::wstring& customerName, BrandMatch match);

}  // namespace quaylin
