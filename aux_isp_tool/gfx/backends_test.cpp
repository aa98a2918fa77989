#include "aux_isp_tool/gfx/gfx_lib_amd.h"
#include "aux_isp_tool/gfx/gfx_lib_intel.h"
#include "aux_isp_tool/gfx/gfx_lib_intel_skylake.h"
#include "aux_isp_tool/gfx/gfx_lib_nvidia.h"

#include <gtest/gtest.h>

#include <string>

namespace peloisp {
namespace {

struct InitCase {
  GfxLib* backend;
  int32_t maxReply;
  uint16_t chunkDelayUs;
  int32_t initResult;
  const wchar_t* initLine;
};

// On a PC without the vendors' drivers each backend reports its own failure line.
TEST(Backends, ConstructionValuesAndInitWithoutTheVendorDriver) {
  GfxLibIntel intel;
  GfxLibIntelSkylake lsPcon;
  GfxLibNvidia nvidia;
  GfxLibAmd amd;
  const InitCase cases[] = {
      {&intel, 132, 0, 1001, L"Graphics adapter initialization - Intel: failed! (-2147221164)\r\n"},
      {&lsPcon, 131, 0, 1001,
       L"Graphics adapter initialization - Intel (LS-PCON): failed! (-2147221164)\r\n"},
      {&nvidia, 131, 700, 1001,
       L"Graphics adapter initialization - NVIDIA: failed! (Library not found)\r\n"},
      {&amd, 131, 700, 1004, L"Graphics adapter initialization - AMD: Loading DLL failed!\r\n"},
  };
  for (const InitCase& c : cases) {
    EXPECT_EQ(c.backend->maxReply, c.maxReply) << c.initLine;
    EXPECT_EQ(c.backend->chunkDelayUs, c.chunkDelayUs) << c.initLine;
    EXPECT_EQ(c.backend->noRetryAddress, 0x20000u) << c.initLine;
    std::wstring message = L"previous text";
    EXPECT_EQ(c.backend->Init(message), c.initResult) << c.initLine;
    EXPECT_EQ(message, c.initLine);

    // Refused arguments come first; otherwise the transfer fails without a driver.
    uint8_t data[4] = {};
    int32_t length = 0;
    std::wstring detail;
    EXPECT_EQ(c.backend->I2cWrite(0, 0x6E, data, 0), kGfxBadArgument);
    EXPECT_EQ(c.backend->I2cWrite(0, 0x6E, nullptr, 4), kGfxBadArgument);
    EXPECT_EQ(c.backend->AuxWrite(0, 0x20000, data, 0), kGfxBadArgument);
    EXPECT_EQ(c.backend->AuxRead(0, 0x20000, nullptr, 4), kGfxBadArgument);
    EXPECT_EQ(c.backend->I2cReadReply(0, 0x6E, nullptr, 9, &length, detail), kGfxBadArgument);
    EXPECT_EQ(c.backend->I2cReadReply(0, 0x6E, data, 4, nullptr, detail), kGfxBadArgument);
    EXPECT_NE(c.backend->I2cWrite(0, 0x6E, data, 4), 0);
    EXPECT_NE(c.backend->AuxRead(0, 0x20000, data, 4), 0);
    int32_t id = 0;
    std::wstring connectText = L"x";
    const int32_t connected = c.backend->Connect(id, 0x6E, connectText);
    EXPECT_NE(connected, 0);
    EXPECT_NE(connected, kConnectGiveUp);
  }
  EXPECT_EQ(intel.I2cWrite(0, 0x6E, reinterpret_cast<const uint8_t*>("abcd"), 4),
            kGfxNoComInterface);
}

}  // namespace
}  // namespace peloisp
