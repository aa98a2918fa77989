#include "aux_isp_tool/isp/chip_identification.h"

#include "aux_isp_tool/isp/testing/sim_engine_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

namespace peloisp {
namespace {

using sim::ChipKind;
using testing::SimChip;

ChipIdentification Id(const char* name, uint8_t hw, uint8_t b7, uint8_t b8, uint8_t b9) {
  ChipIdentification id;
  std::memcpy(id.name.data(), name, std::min<size_t>(6, std::strlen(name)));
  id.hw = hw;
  id.version = static_cast<uint32_t>(b9) << 16 | static_cast<uint32_t>(b7) << 8 | b8;
  return id;
}

TEST(ChipVersionTextTest, EveryRowOfTheTable) {
  struct Case {
    ChipIdentification id;
    int type;
    const wchar_t* text;
    int typeAfter;
  };
  const Case cases[] = {
      // Identification bytes 7, 8, 9 = 02 03 01 give v = 66051.
      {Id("WL4410", 0x11, 0x02, 0x03, 0x01), 0, L"Wrenlo App: WL4410 v2.03.01  (cut1.1)", 1},
      {Id("WL4400", 0x11, 0x02, 0x03, 0x00), 0, L"Wrenlo App: WL4400 v2.03  (cut1.1)", 0},
      {Id("WRNLBC", 0x11, 0x02, 0x03, 0x01), 0, L"Wrenlo Boot-code: v2.3  (cut1.0)", 1},
      {Id("WRNLRM", 0x20, 0x01, 0x00, 0x00), 0, L"Wrenlo iROM: v1.0  (cut2.-1)", 2},
      {Id("TLMTG1", 0x21, 0x41, 0x23, 0x01), 4, L"Talmont iROM: v321.35", 4},
      {Id("TLMTBC", 0x21, 0x01, 0x05, 0x00), 4, L"Talmont Boot-code: v1.5", 4},
      // v = 82211 (bytes 01 41 23 as bits 16-23, 8-15, 0-7) and v = 16675.
      {Id("Tm7730", 0x21, 0x41, 0x23, 0x01), 4, L"Talmont App: Tm7730 v1.09.3.1  (HWver=0x21)", 4},
      {Id("Tm7730", 0x21, 0x41, 0x23, 0x00), 4, L"Talmont App: Tm7730 v1.9.3  (HWver=0x21)", 4},
      {Id("DVgaBC", 0x11, 0x01, 0x02, 0x00), 6, L"DP2VGA Boot-code: v1.2  (cut-3.-4)", 6},
      {Id("DV1234", 0x11, 0x01, 0x2A, 0x00), 6, L"DP2VGA: DV1234 v1.2A  (cut-3.-4)", 6},
      {Id("CRBLBC", 0x22, 0x01, 0x02, 0x00), 5, L"Corbelle: Boot-code v1.02  (cut2.1)", 5},
      {Id("CB1000", 0x22, 0x03, 0x04, 0x00), 5, L"Corbelle: CB1000 v3.04  (cut2.1)", 5},
      {Id("XYZ123", 0x05, 0x02, 0x03, 0x01), 255, L"XYZ123 FW Ver=0x010203  (HWver=0x05)", 255},
      {Id("WL4410", 0x11, 0x02, 0x03, 0x01), 1, L"WL4410 FW Ver=0x010203  (HWver=0x11)", 1},
      // Version 0 leaves two blanks between the name and the cut text.
      {Id("WL4410", 0x11, 0, 0, 0), 0, L"Wrenlo App: WL4410   (cut1.1)", 1},
      // A name with a zero byte ends there.
      {Id("AB", 0x01, 0x00, 0x01, 0x00), 255, L"AB FW Ver=0x000001  (HWver=0x01)", 255},
  };
  for (const Case& c : cases) {
    int type = c.type;
    EXPECT_EQ(ChipVersionText(c.id, type), c.text);
    EXPECT_EQ(type, c.typeAfter) << static_cast<int>(c.id.hw);
  }
}

TEST(FormatVersionNumberTest, ZeroIsEmptyForEveryType) {
  for (int type : {-1, 0, 1, 2, 4, 5, 6, 254, 255}) {
    EXPECT_EQ(FormatVersionNumber(0, type), L"") << type;
  }
  EXPECT_EQ(FormatVersionNumber(0x0102, 2), L"v1.02");
  EXPECT_EQ(FormatVersionNumber(0x010203, 1), L"v2.03.01");
}

class ChipIdentificationTest : public testing::SimEngineTest {};

TEST_F(ChipIdentificationTest, QueryChipTypeByRegisters) {
  struct Case {
    ChipKind kind;
    int type;
    size_t messages;  // the second register is read only when the first does not decide
  };
  for (const Case c : {Case{ChipKind::kWrenlo, 0, 1}, Case{ChipKind::kCorbelle, 5, 1},
                       Case{ChipKind::kFenn, 6, 2}, Case{ChipKind::kTalmont, 4, 2}}) {
    sim::SaltmereDock one{{SimChip(c.kind, "ABCDEF", 1, 1), std::nullopt, std::nullopt}};
    sim::SimGfxLib oneGfx(one);
    context.activeBackend = &oneGfx;
    EXPECT_EQ(QueryChipType(context, output), c.type);
    EXPECT_EQ(one.I2cMessages().size(), c.messages);
  }
  context.activeBackend = &gfx;
  dock.Host().SetRegister(0x8002, 0x1100);
  EXPECT_EQ(QueryChipType(context, output), 255);
  dock.Host().Faults().noAnswer = true;
  EXPECT_EQ(QueryChipType(context, output), -1);
}

TEST_F(ChipIdentificationTest, IdentificationFromDpcdOrElseChipMemory) {
  int type = 4;
  std::wstring text;
  FormatChipVersion(context, output, text, type);
  EXPECT_EQ(text, L"Talmont App: Tm7730 v1.09.3.1  (HWver=0x21)");
  EXPECT_EQ(context.onBoardVersion, 82211u);
  EXPECT_TRUE(dock.I2cMessages().empty()) << "the DPCD read was enough";

  dock.Host().Faults().failDpcdIdentification = true;
  text.clear();
  FormatChipVersion(context, output, text, type);
  EXPECT_EQ(text, L"Talmont App: Tm7730 v1.09.3.1  (HWver=0x21)");
  ASSERT_EQ(dock.I2cMessages().size(), 1u);
  EXPECT_EQ(dock.I2cMessages()[0].bytes[6], 0x52);

  dock.Host().Faults().wrongReplyCodes = 1;
  FormatChipVersion(context, output, text, type);
  EXPECT_EQ(text, L"N/A");
  EXPECT_EQ(context.onBoardVersion, 0u);
  EXPECT_EQ(type, 4);
}

TEST_F(ChipIdentificationTest, ShowCurrentVersionStoresTheTypeItFound) {
  ShowCurrentVersion(context, output);
  EXPECT_EQ(context.onBoardChipType, 4);
  const std::wstring line =
      L"Current Firmware Version: Talmont App: Tm7730 v1.09.3.1  (HWver=0x21)\r\n";
  EXPECT_EQ(output.console, line);
  EXPECT_EQ(output.log, line);
}

class ShowChipInfoTest : public testing::SimEngineTest {
 protected:
  ShowChipInfoTest()
      : SimEngineTest({SimChip(ChipKind::kTalmont, "Tm7730", 0x21, 0x014123), std::nullopt,
                       SimChip(ChipKind::kWrenlo, "WL4410", 0x11, 0x010203, 0x70)}) {
    settings.port2Addr = 0x70;
  }
  RunSettings settings;
};

TEST_F(ShowChipInfoTest, HostOnly) {
  ShowChipInfo(context, output, settings);
  const std::wstring report =
      L"Current on-board F/W Version: Talmont App: Tm7730 v1.09.3.1  (HWver=0x21)\r\n";
  EXPECT_EQ(output.console, report);
  EXPECT_EQ(output.log, report);
}

TEST_F(ShowChipInfoTest, HostAndPortsPrintTheLinesTheGuiLooksFor) {
  settings.port1Configured = true;
  settings.port2Configured = true;
  ShowChipInfo(context, output, settings);
  const std::wstring report =
      L"Current on-board F/W Version:\r\n"
      L"  Host   Device: Talmont App: Tm7730 v1.09.3.1  (HWver=0x21)\r\n"
      L"  Port#1 Device: Failed to get connection\r\n"
      L"  Port#2 Device: Wrenlo App: WL4410 v2.03.01  (cut1.1)\r\n";
  EXPECT_EQ(output.console, report);
  EXPECT_EQ(output.log, report);
  EXPECT_EQ(context.i2cAddress, 0x6E);
  EXPECT_EQ(dock.Route(), 0) << "Port#2 released";
  EXPECT_FALSE(dock.Port(2)->Commands().empty()) << "the port chip was asked at its own address";
}

TEST_F(ShowChipInfoTest, HostNotAnswering) {
  settings.port2Configured = true;
  dock.Host().Faults().noAnswer = true;
  ShowChipInfo(context, output, settings);
  EXPECT_EQ(output.console, L"<FAILED>System connection failed!\r\n");
  EXPECT_EQ(output.log, L"System connection failed!\r\n");
}

}  // namespace
}  // namespace peloisp
