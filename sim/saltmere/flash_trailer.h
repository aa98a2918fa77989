// Where a Saltmere flash image keeps what the chip reports about itself. The last 64 bytes of an
// image are its signature block, laid out as the image files' trailers (counted back from the
// end E):
//   E-32..E-27  name, six ASCII characters       E-26  hardware revision
//   E-20..E-18  version bits 0-7, 8-15, 16-23    E-16..E-13  signature ("WRNL", "TLMT", "CRBL")
//   E-12        Sig[4] (0xBC: Talmont image carries boot code)
//   E-10        Sig[6] (0xBC: Wrenlo or Corbelle image carries boot code)
// Fenn images: signature "FENN" at E-8..E-5, Sig[4] E-4, Sig[6] E-2 (0xBC: boot code), boot
// version at E-12 (minor) and E-11 (major). An image that carries boot code ends with it; its
// application's signature block then ends 8192 bytes further back, and E-20/E-19 hold the boot
// code's version (minor, major).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

enum class ChipKind { kWrenlo, kCorbelle, kFenn, kTalmont };

inline constexpr size_t kSignatureBlockBytes = 64;
inline constexpr size_t kBootCodeAreaBytes = 8192;  // the application's block lies this far back
inline constexpr uint8_t kBootCodeMark = 0xBC;

// The ten identification bytes (DPCD 0x503 to 0x50C): name, hw, version bits 8-15, 0-7, 16-23.
using Identification = std::array<uint8_t, 10>;

struct ChipIdentity {
  std::string name;  // six characters
  uint8_t hwRevision = 0;
  uint32_t version = 0;  // 24 bits

  Identification Bytes() const;
};

// What a chip of `kind` whose flash holds `flash` reports: the application's identity when the
// image is valid, the boot code's when the image carries boot code but no application, the
// internal ROM's (`romHwRevision`) when the flash holds no valid image.
ChipIdentity IdentityFromFlash(ChipKind kind, const std::vector<uint8_t>& flash,
                               uint8_t romHwRevision);

// The four signature characters of a kind ("WRNL", "CRBL", "FENN", "TLMT").
const char* SignatureOf(ChipKind kind);

// An image of `size` bytes (0xFF filler with a little code-like content) whose trailer carries
// `app`. With `bootVersion` non-zero the image ends with boot code of that version (major << 8 |
// minor) and the application's block moves 8192 bytes back.
struct ImageRecipe {
  ChipKind kind = ChipKind::kWrenlo;
  size_t size = 16384;
  ChipIdentity app;
  uint16_t bootVersion = 0;
};
std::vector<uint8_t> MakeFlashImage(const ImageRecipe& recipe);

}  // namespace sim
