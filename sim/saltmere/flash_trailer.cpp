#include "sim/saltmere/flash_trailer.h"

#include <cstring>

namespace sim {
namespace {

// Offsets counted back from the end of a signature block.
constexpr size_t kNameBack = 32;
constexpr size_t kNameBytes = 6;
constexpr size_t kHwBack = 26;
constexpr size_t kVersionBack = 20;
constexpr size_t kSignatureBack = 16;
constexpr size_t kSig4Back = 12;
constexpr size_t kSig6Back = 10;
constexpr size_t kFennSignatureBack = 8;
constexpr size_t kFennSig6Back = 2;
constexpr size_t kFennBootVersionBack = 12;

const char* RomNameOf(ChipKind kind) {
  switch (kind) {
    case ChipKind::kWrenlo:
      return "WRNLRM";
    case ChipKind::kCorbelle:
      return "CRBLRM";
    case ChipKind::kFenn:
      return "DVgaRM";
    case ChipKind::kTalmont:
      return "TLMTG1";
  }
  return "??????";
}

const char* BootNameOf(ChipKind kind) {
  switch (kind) {
    case ChipKind::kWrenlo:
      return "WRNLBC";
    case ChipKind::kCorbelle:
      return "CRBLBC";
    case ChipKind::kFenn:
      return "DVgaBC";
    case ChipKind::kTalmont:
      return "TLMTBC";
  }
  return "??????";
}

bool HasSignature(ChipKind kind, const std::vector<uint8_t>& flash) {
  const size_t back = kind == ChipKind::kFenn ? kFennSignatureBack : kSignatureBack;
  if (flash.size() < kSignatureBlockBytes) {
    return false;
  }
  return std::memcmp(&flash[flash.size() - back], SignatureOf(kind), 4) == 0;
}

bool CarriesBootCode(ChipKind kind, const std::vector<uint8_t>& flash) {
  const size_t end = flash.size();
  switch (kind) {
    case ChipKind::kTalmont:
      return flash[end - kSig4Back] == kBootCodeMark;
    case ChipKind::kFenn:
      return flash[end - kFennSig6Back] == kBootCodeMark;
    default:
      return flash[end - kSig6Back] == kBootCodeMark;
  }
}

uint16_t BootVersionOf(ChipKind kind, const std::vector<uint8_t>& flash) {
  const size_t end = flash.size();
  const size_t back = kind == ChipKind::kFenn ? kFennBootVersionBack : kVersionBack;
  return static_cast<uint16_t>(flash[end - back] | flash[end - back + 1] << 8);
}

bool NameIsBlank(const std::vector<uint8_t>& flash, size_t blockEnd) {
  for (size_t i = 0; i < kNameBytes; ++i) {
    if (flash[blockEnd - kNameBack + i] != 0xFF) {
      return false;
    }
  }
  return true;
}

ChipIdentity ReadBlock(const std::vector<uint8_t>& flash, size_t blockEnd) {
  ChipIdentity identity;
  identity.name.assign(reinterpret_cast<const char*>(&flash[blockEnd - kNameBack]), kNameBytes);
  identity.hwRevision = flash[blockEnd - kHwBack];
  const size_t v = blockEnd - kVersionBack;
  identity.version = flash[v] | flash[v + 1] << 8 | flash[v + 2] << 16;
  return identity;
}

void WriteBlock(std::vector<uint8_t>& image, size_t blockEnd, ChipKind kind,
                const ChipIdentity& identity) {
  std::string name = identity.name;
  name.resize(kNameBytes, ' ');
  std::memcpy(&image[blockEnd - kNameBack], name.data(), kNameBytes);
  image[blockEnd - kHwBack] = identity.hwRevision;
  const size_t v = blockEnd - kVersionBack;
  image[v] = identity.version & 0xFF;
  image[v + 1] = (identity.version >> 8) & 0xFF;
  image[v + 2] = (identity.version >> 16) & 0xFF;
  const size_t back = kind == ChipKind::kFenn ? kFennSignatureBack : kSignatureBack;
  std::memcpy(&image[blockEnd - back], SignatureOf(kind), 4);
}

}  // namespace

Identification ChipIdentity::Bytes() const {
  Identification bytes{};
  for (size_t i = 0; i < kNameBytes && i < name.size(); ++i) {
    bytes[i] = static_cast<uint8_t>(name[i]);
  }
  bytes[6] = hwRevision;
  bytes[7] = (version >> 8) & 0xFF;
  bytes[8] = version & 0xFF;
  bytes[9] = (version >> 16) & 0xFF;
  return bytes;
}

const char* SignatureOf(ChipKind kind) {
  switch (kind) {
    case ChipKind::kWrenlo:
      return "WRNL";
    case ChipKind::kCorbelle:
      return "CRBL";
    case ChipKind::kFenn:
      return "FENN";
    case ChipKind::kTalmont:
      return "TLMT";
  }
  return "????";
}

ChipIdentity IdentityFromFlash(ChipKind kind, const std::vector<uint8_t>& flash,
                               uint8_t romHwRevision) {
  if (!HasSignature(kind, flash)) {
    return {RomNameOf(kind), romHwRevision, 0x0100};
  }
  // Fenn images keep the application's block at the end even when they carry boot code.
  if (kind == ChipKind::kFenn || !CarriesBootCode(kind, flash)) {
    return ReadBlock(flash, flash.size());
  }
  if (flash.size() < kBootCodeAreaBytes + kSignatureBlockBytes ||
      NameIsBlank(flash, flash.size() - kBootCodeAreaBytes)) {
    return {BootNameOf(kind), romHwRevision, BootVersionOf(kind, flash)};
  }
  return ReadBlock(flash, flash.size() - kBootCodeAreaBytes);
}

std::vector<uint8_t> MakeFlashImage(const ImageRecipe& recipe) {
  std::vector<uint8_t> image(recipe.size, 0xFF);
  // Some code at the start, so the image is not blank.
  for (size_t i = 0; i < image.size() && i < 256; ++i) {
    image[i] = static_cast<uint8_t>(i * 7 + 3);
  }
  const size_t end = image.size();
  if (end < kSignatureBlockBytes) {
    return image;
  }
  const bool withBoot = recipe.bootVersion != 0 && end >= kBootCodeAreaBytes + kSignatureBlockBytes;
  if (!withBoot) {
    WriteBlock(image, end, recipe.kind, recipe.app);
    return image;
  }
  if (recipe.kind == ChipKind::kFenn) {
    WriteBlock(image, end, recipe.kind, recipe.app);
    image[end - kFennBootVersionBack] = recipe.bootVersion & 0xFF;
    image[end - kFennBootVersionBack + 1] = recipe.bootVersion >> 8;
    image[end - kFennSig6Back] = kBootCodeMark;
    return image;
  }
  WriteBlock(image, end - kBootCodeAreaBytes, recipe.kind, recipe.app);
  // The boot code's own block at the end: its version replaces the application's.
  WriteBlock(image, end, recipe.kind, {"", 0, recipe.bootVersion});
  image[end - (recipe.kind == ChipKind::kTalmont ? kSig4Back : kSig6Back)] = kBootCodeMark;
  return image;
}

}  // namespace sim
