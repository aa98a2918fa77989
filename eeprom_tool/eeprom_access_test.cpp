#include "eeprom_tool/eeprom_access.h"

#include "sim/clock/virtual_clock.h"
#include "sim/torv_bridge/sim_bridge_device.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace eeprom_tool {
namespace {

using sim::TorvBridge;

class EepromAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (size_t i = 0; i < contents_.size(); ++i) {
      contents_[i] = static_cast<uint8_t>(0xFF - i);
    }
    bridge_.SetEeprom(contents_.data());
  }

  SromImage contents_{};
  TorvBridge bridge_;
  sim::SimBridgeDevice device_{bridge_};
  sim::VirtualClock clock_;
};

TEST_F(EepromAccessTest, ReadsEveryWordThroughTheRegisters) {
  bridge_.SetBusyReads(3);
  SromImage image{};
  EXPECT_EQ(ReadEepromImage(device_, image), "Success");
  EXPECT_EQ(image, contents_);
  EXPECT_EQ(bridge_.Calls(TorvBridge::kCallRegWrite), 128u * 2);
  EXPECT_EQ(bridge_.Calls(TorvBridge::kCallRegRead), 128u * (4 + 2));
  EXPECT_EQ(device_.Opens(), 1);
  EXPECT_EQ(device_.OpenHandles(), 0);
  EXPECT_TRUE(clock_.Sleeps().empty());  // the poll has no pause
}

TEST_F(EepromAccessTest, BusyPollGivesUpAfterAThousandReads) {
  struct Case {
    uint32_t busyReads;
    const char* result;
  };
  // Clear on read 1000 still counts; busy through all 1000 does not.
  const std::vector<Case> cases = {{999, "Success"}, {1000, "EEPROM Read Failed!"}};
  for (const Case& c : cases) {
    TorvBridge bridge;
    bridge.SetEeprom(contents_.data());
    bridge.SetBusyReads(c.busyReads);
    sim::SimBridgeDevice device(bridge);
    SromImage image{};
    EXPECT_EQ(ReadEepromImage(device, image), c.result) << c.busyReads;
    EXPECT_EQ(device.OpenHandles(), 0);
    if (c.busyReads == 1000) {
      EXPECT_EQ(bridge.Calls(TorvBridge::kCallRegRead), 1000u);  // no data read follows
    }
  }
}

TEST_F(EepromAccessTest, AFailedControlCallEndsTheReadAndClosesTheDevice) {
  struct Case {
    TorvBridge::Call call;
    uint32_t okCalls;
    size_t bytesKept;  // image bytes filled before the failure
  };
  const std::vector<Case> cases = {
      {TorvBridge::kCallRegWrite, 0, 0},    // the word index
      {TorvBridge::kCallRegWrite, 1, 0},    // the read command
      {TorvBridge::kCallRegRead, 0, 0},     // the poll
      {TorvBridge::kCallRegRead, 1, 0},     // the low byte
      {TorvBridge::kCallRegRead, 2, 0},     // the high byte
      {TorvBridge::kCallRegWrite, 10, 10},  // the sixth word's index
  };
  for (const Case& c : cases) {
    TorvBridge bridge;
    bridge.SetEeprom(contents_.data());
    bridge.SetFault(c.call, c.okCalls);
    sim::SimBridgeDevice device(bridge);
    SromImage image{};
    image.fill(0x11);
    EXPECT_EQ(ReadEepromImage(device, image), "EEPROM Read Failed!");
    EXPECT_EQ(device.OpenHandles(), 0);
    for (size_t i = 0; i < image.size(); ++i) {
      ASSERT_EQ(image[i], i < c.bytesKept ? contents_[i] : 0x11) << i;
    }
  }
}

TEST_F(EepromAccessTest, ReadOfAnAbsentDeviceFailsToOpen) {
  device_.SetAbsent(true);
  SromImage image{};
  EXPECT_EQ(ReadEepromImage(device_, image), "Failed to open device!");
  EXPECT_EQ(bridge_.Calls(TorvBridge::kCallRegWrite), 0u);
}

TEST_F(EepromAccessTest, WritesTheWholeImageHalfASecondAfterTheOpen) {
  SromImage image{};
  image.fill(0x42);
  EXPECT_EQ(WriteEepromImage(device_, clock_, image), "Programming Succeeded!");
  EXPECT_EQ(bridge_.EepromWrites(), 1u);
  EXPECT_TRUE(std::equal(image.begin(), image.end(), bridge_.Eeprom()));
  EXPECT_EQ(clock_.Sleeps(), std::vector<uint32_t>{500});
  EXPECT_EQ(device_.OpenHandles(), 0);
}

TEST_F(EepromAccessTest, WriteWaitsEvenWhenTheOpenFails) {
  device_.SetAbsent(true);
  EXPECT_EQ(WriteEepromImage(device_, clock_, SromImage{}), "Open Device Failed!");
  EXPECT_EQ(clock_.Sleeps(), std::vector<uint32_t>{500});
  EXPECT_DOUBLE_EQ(clock_.NowMs(), 500.0);
}

TEST_F(EepromAccessTest, AFailedWriteCallIsReportedAndClosesTheDevice) {
  bridge_.SetFault(TorvBridge::kCallEepromWrite, 0);
  EXPECT_EQ(WriteEepromImage(device_, clock_, SromImage{}), "EEPROM Write Failed!");
  EXPECT_EQ(device_.OpenHandles(), 0);
  EXPECT_EQ(bridge_.Eeprom()[0], contents_[0]);
}

}  // namespace
}  // namespace eeprom_tool
