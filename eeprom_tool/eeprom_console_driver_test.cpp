// The real device path: the product's BridgeDevice seam and the built program against the
// simulated bridge driver installed in the prefix. Windows build only; the tests share the
// driver's state, so they run one at a time.
#include "eeprom_tool/eeprom_access.h"
#include "eeprom_tool/mac_serial.h"
#include "eeprom_tool/program_output.h"
#include "eeprom_tool/srom_image.h"
#include "eeprom_tool/torv_driver_interface.h"
#include "sim/clock/virtual_clock.h"
#include "sim/torv_driver/sim_bridge_control.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <vector>

namespace eeprom_tool {
namespace {

namespace fs = std::filesystem;

SromImage BridgeImage() {
  SromImage image{};
  for (size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<uint8_t>(i * 5 + 1);
  }
  image[0] = 0x00;
  PutMacAddress("000EC6112233", image);
  PutSerialNumber("BRIDGE00000007", image);
  return image;
}

class DriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(control_.Reset()) << "the simulated bridge driver is not installed";
    ASSERT_TRUE(control_.SetEeprom(BridgeImage()));
    dir_ = fs::temp_directory_path() /
           ("eeprom_driver_" +
            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    control_.Reset();
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  SromImage Eeprom() {
    SromImage image{};
    EXPECT_TRUE(control_.GetEeprom(image));
    return image;
  }
  sim::SimBridgeCounts Counts() {
    sim::SimBridgeCounts counts;
    EXPECT_TRUE(control_.GetCounts(counts));
    return counts;
  }
  std::string Run(const std::string& args) { return RunProgramOutput(EEPROM_CONSOLE_PATH, args); }

  sim::SimBridgeControl control_;
  fs::path dir_;
};

TEST_F(DriverTest, SeamReadsTheEepromThroughTheRegisters) {
  ASSERT_TRUE(control_.SetBusyReads(2));
  const auto device = platform::MakeSystemBridgeDevice(torv::kDevicePath);
  SromImage image{};
  EXPECT_EQ(ReadEepromImage(*device, image), "Success");
  EXPECT_EQ(image, BridgeImage());
  const sim::SimBridgeCounts counts = Counts();
  EXPECT_EQ(counts.regWriteCalls, 128u * 2);
  EXPECT_EQ(counts.regReadCalls, 128u * (3 + 2));
}

TEST_F(DriverTest, SeamReadFailures) {
  const auto device = platform::MakeSystemBridgeDevice(torv::kDevicePath);
  SromImage image{};
  ASSERT_TRUE(control_.SetBusyReads(1000));
  EXPECT_EQ(ReadEepromImage(*device, image), "EEPROM Read Failed!");
  EXPECT_EQ(Counts().regReadCalls, 1000u);
  ASSERT_TRUE(control_.SetBusyReads(0));
  ASSERT_TRUE(control_.SetFault(2, 10));
  EXPECT_EQ(ReadEepromImage(*device, image), "EEPROM Read Failed!");
}

TEST_F(DriverTest, SeamWritesTheWholeImage) {
  const auto device = platform::MakeSystemBridgeDevice(torv::kDevicePath);
  sim::VirtualClock clock;
  SromImage image{};
  image.fill(0x5C);
  EXPECT_EQ(WriteEepromImage(*device, clock, image), "Programming Succeeded!");
  EXPECT_EQ(Eeprom(), image);
  ASSERT_TRUE(control_.SetFault(0, 0));
  EXPECT_EQ(WriteEepromImage(*device, clock, SromImage{}), "EEPROM Write Failed!");
  EXPECT_EQ(Eeprom(), image);
}

TEST_F(DriverTest, WithoutTheDeviceBothPathsFailToOpen) {
  ASSERT_TRUE(control_.SetPresent(false));
  EXPECT_EQ(platform::MakeSystemBridgeDevice(torv::kDevicePath)->Open(), nullptr);
  EXPECT_EQ(Run("-m 000EC6F9D000 -p"), "Failed to open device!\n");
  EXPECT_EQ(Run("-f " + (fs::path(EEPROM_TESTDATA_DIR) / "valid.dat").string() + " -p"),
            "Open Device Failed!\n");
  ASSERT_TRUE(control_.SetPresent(true));
  EXPECT_NE(platform::MakeSystemBridgeDevice(torv::kDevicePath)->Open(), nullptr);
  EXPECT_EQ(Counts().eepromWrites, 0u);
}

TEST_F(DriverTest, ProgramWritesTheBridgeAndContinuesFromTheSavedFile) {
  const fs::path file = dir_ / "SROM.dat";
  fs::copy_file(fs::path(EEPROM_TESTDATA_DIR) / "valid.dat", file);
  SromImage expected{};
  ASSERT_EQ(ReadSromFile(file.string(), expected), "Success");
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE(run);
    IncrementMacAddress(expected);
    ASSERT_TRUE(IncrementSerialNumber(expected));
    EXPECT_EQ(Run("-f " + file.string() + " -p"), "Programming Succeeded!\n");
    EXPECT_EQ(Eeprom(), expected);
    EXPECT_EQ(ReadFileBytes(file), FormatSromText(expected));
  }
  EXPECT_EQ(Counts().eepromWrites, 2u);
  EXPECT_EQ(Counts().regReadCalls, 0u);  // the file path never reads the EEPROM
}

TEST_F(DriverTest, ProgramPutsGivenValuesIntoTheBridgesOwnImage) {
  EXPECT_EQ(Run("-m 000ec6f9d000 -s 0000000000000a -p"), "Programming Succeeded!\n");
  SromImage expected = BridgeImage();
  PutMacAddress("000ec6f9d000", expected);
  PutSerialNumber("0000000000000a", expected);
  EXPECT_EQ(Eeprom(), expected);
}

TEST_F(DriverTest, ProgramWithNothingToChangeOnlyReads) {
  EXPECT_EQ(Run("-p"), "");
  EXPECT_EQ(Counts().regReadCalls, 128u * 3);
  EXPECT_EQ(Counts().eepromWrites, 0u);
  EXPECT_EQ(Eeprom(), BridgeImage());
}

}  // namespace
}  // namespace eeprom_tool
