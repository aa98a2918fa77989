#include "sim/saltmere/flash_trailer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace sim {
namespace {

using ::testing::ElementsAre;

TEST(FlashTrailerTest, ApplicationTrailerSitsWhereTheImageFilesKeepIt) {
  const ChipIdentity app{"WL4410", 0x11, 0x030102};
  const auto image = MakeFlashImage({ChipKind::kWrenlo, 16384, app, 0});
  const size_t e = image.size();
  EXPECT_EQ(image[e - 20], 0x02);
  EXPECT_EQ(image[e - 19], 0x01);
  EXPECT_EQ(image[e - 18], 0x03);
  EXPECT_EQ(std::string(image.begin() + (e - 16), image.begin() + (e - 12)), "WRNL");
  const ChipIdentity got = IdentityFromFlash(ChipKind::kWrenlo, image, 0x20);
  EXPECT_EQ(got.name, "WL4410");
  EXPECT_EQ(got.hwRevision, 0x11);
  EXPECT_EQ(got.version, 0x030102u);
  // Name, hw, version bits 8-15, 0-7, 16-23.
  EXPECT_THAT(got.Bytes(), ElementsAre('W', 'L', '4', '4', '1', '0', 0x11, 0x01, 0x02, 0x03));
}

TEST(FlashTrailerTest, ImageWithBootCodeReportsTheApplicationEightKiloBytesBack) {
  struct Case {
    ChipKind kind;
    size_t flagBack;  // Sig[4] for Talmont, Sig[6] otherwise
  };
  for (const Case c :
       {Case{ChipKind::kWrenlo, 10}, Case{ChipKind::kCorbelle, 10}, Case{ChipKind::kTalmont, 12}}) {
    const auto image = MakeFlashImage({c.kind, 32768, {"Tm7730", 0x21, 0x001234}, 0x0105});
    const size_t e = image.size();
    EXPECT_EQ(image[e - c.flagBack], kBootCodeMark);
    EXPECT_EQ(image[e - 20], 0x05);  // boot code minor, major
    EXPECT_EQ(image[e - 19], 0x01);
    EXPECT_EQ(image[e - 8212], 0x34);  // the application's version
    EXPECT_EQ(image[e - 8211], 0x12);
    const ChipIdentity got = IdentityFromFlash(c.kind, image, 0);
    EXPECT_EQ(got.name, "Tm7730");
    EXPECT_EQ(got.version, 0x001234u);
  }
}

TEST(FlashTrailerTest, FennKeepsItsBootVersionInItsOwnPlaces) {
  const auto image = MakeFlashImage({ChipKind::kFenn, 16384, {"DV1234", 0x11, 0x0203}, 0x0104});
  const size_t e = image.size();
  EXPECT_EQ(std::string(image.begin() + (e - 8), image.begin() + (e - 4)), "FENN");
  EXPECT_EQ(image[e - 2], kBootCodeMark);
  EXPECT_EQ(image[e - 12], 0x04);
  EXPECT_EQ(image[e - 11], 0x01);
  EXPECT_EQ(IdentityFromFlash(ChipKind::kFenn, image, 0).name, "DV1234");
}

TEST(FlashTrailerTest, WithoutAValidApplicationTheChipRunsBootCodeOrRom) {
  // Erased flash: the internal ROM answers, with the chip's own hardware revision.
  const std::vector<uint8_t> erased(16384, 0xFF);
  const ChipIdentity rom = IdentityFromFlash(ChipKind::kTalmont, erased, 0x31);
  EXPECT_EQ(rom.name.substr(0, 5), "TLMTG");
  EXPECT_EQ(rom.hwRevision, 0x31);
  // Boot code written but the application area still erased.
  auto image = MakeFlashImage({ChipKind::kWrenlo, 16384, {"WL4410", 0x11, 0x1}, 0x0102});
  std::fill(image.begin() + (16384 - 8192 - 64), image.begin() + (16384 - 8192), 0xFF);
  const ChipIdentity boot = IdentityFromFlash(ChipKind::kWrenlo, image, 0x11);
  EXPECT_EQ(boot.name, "WRNLBC");
  EXPECT_EQ(boot.version, 0x0102u);
  // A flash too small to hold a trailer is not read past its start.
  EXPECT_EQ(IdentityFromFlash(ChipKind::kWrenlo, std::vector<uint8_t>(10, 0), 1).name, "WRNLRM");
}

}  // namespace
}  // namespace sim
