#include "aux_isp_tool/isp/isp_context.h"

#include "sim/clock/virtual_clock.h"

#include <gtest/gtest.h>

namespace peloisp {
namespace {

TEST(IspContext, NewContextHasTheDefaultWindowAndChipValues) {
  sim::VirtualClock clock;
  const IspContext context(clock);
  EXPECT_EQ(context.activeBackend, nullptr);
  EXPECT_EQ(context.progress, nullptr);
  EXPECT_EQ(context.windowAddress, 0);
  EXPECT_EQ(context.windowBase, 0x20000);
  EXPECT_EQ(context.windowSize, 512);
  EXPECT_EQ(context.replyAddress, 0x10000);
  EXPECT_EQ(context.replySize, 128);
  EXPECT_EQ(context.firstHalfEnd, context.windowBase + context.windowSize / 2 - 1);
  EXPECT_EQ(context.lastByte, context.windowBase + context.windowSize - 1);
  EXPECT_EQ(context.i2cAddress, 0x6E);
  EXPECT_EQ(context.flashStart, 0x400000u);
  EXPECT_EQ(context.ramWriteAddr, 0x1800);
  EXPECT_EQ(context.runAtAddr, 0x1800);
  EXPECT_EQ(context.backendSelection, 0);
  EXPECT_EQ(context.deviceId, 0);
  EXPECT_EQ(context.onBoardChipType, 0);
  EXPECT_EQ(context.fileChipType, -1);
  EXPECT_EQ(context.driverData, nullptr);
  EXPECT_EQ(context.driverLength, 0);
  EXPECT_EQ(context.firmwareLength, 0);
  EXPECT_EQ(context.bootCodeFileSize, 0);
  EXPECT_FALSE(context.progBootCode || context.keepBoot || context.updateBoot);
  EXPECT_EQ(context.intel.maxReply, 132);
  EXPECT_EQ(context.nvidia.maxReply, 131);
  EXPECT_EQ(&context.Clock(), &clock);
}

TEST(IspContext, SlowBackendsAreNvidiaAndAmd) {
  IspContext context;
  const struct {
    GfxLib* active;
    bool slow;
  } cases[] = {{nullptr, false},
               {&context.intel, false},
               {&context.intelLsPcon, false},
               {&context.nvidia, true},
               {&context.amd, true}};
  for (const auto& c : cases) {
    context.activeBackend = c.active;
    EXPECT_EQ(IsSlowBackend(context), c.slow);
  }
}

// A PC without any of the three vendors' drivers.
TEST(IspContext, SelectBackendWithoutVendorDrivers) {
  IspContext automatic;
  std::wstring message;
  EXPECT_EQ(SelectBackend(message, automatic), 2);
  EXPECT_EQ(message,
            L"Gfx Selection = 0\r\n"
            L"Graphics adapter initialization - NVIDIA: failed! (Library not found)\r\n"
            L"Graphics adapter initialization - AMD: Loading DLL failed!\r\n"
            L"Graphics adapter initialization - Intel (LS-PCON): failed! (-2147221164)\r\n");
  EXPECT_EQ(automatic.adapterLabel, L"N/A");
  EXPECT_EQ(automatic.activeBackend, &automatic.intelLsPcon);

  IspContext intel;
  intel.backendSelection = 4;
  intel.deviceId = 5;
  message.clear();
  EXPECT_EQ(SelectBackend(message, intel), 2);
  EXPECT_EQ(message,
            L"Gfx Selection = 4\r\n"
            L"Graphics adapter initialization - Intel: failed! (-2147221164)\r\n");
  EXPECT_EQ(intel.adapterLabel, L"Intel: failed");
  EXPECT_EQ(intel.activeBackend, &intel.intel);
  EXPECT_EQ(intel.deviceId, 5);
}

}  // namespace
}  // namespace peloisp
