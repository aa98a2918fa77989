// The EEPROM procedure with the real Torv_EEPROM_Console against the simulated bridge driver the
// prefix's services load (20-torv-driver.sh), and the bridge attached by 20-dock-usb-devices.sh.
#include "dock_utility/orchestration/testing/fake_devices.h"
#include "dock_utility/orchestration/update_procedures.h"
#include "tests/e2e/e2e_fixture.h"

namespace quaylin::e2e {
namespace {

class BridgeEepromOnTheRealTool : public WorkingFolderTest {
 protected:
  std::unique_ptr<platform::ProfileFile> profile_ = platform::MakeSystemProfileFile();
  std::unique_ptr<platform::UsbDevices> usb_ = platform::MakeSystemUsbDevices();
  testing::FakeNetAdapters adapters_;
  std::unique_ptr<platform::ProcessRunner> processes_ = platform::MakeSystemProcessRunner();
  std::unique_ptr<platform::TempDirectory> tempDir_ = platform::MakeSystemTempDirectory();
  CommandRunner runner_{*processes_, *tempDir_};
};

TEST_F(BridgeEepromOnTheRealTool, ProgramsTheBridgesMacAndSerial) {
  Install(WIDEN(EEPROM_CONSOLE_PATH), "Setup/Torv/Torv_EEPROM_Console.exe");
  Install(WIDEN(EEPROM_IMAGE_PATH), "Setup/Torv/SROM for VEL v7.dat");
  WriteFile("Setup/setting.ini",
            "[Customer]\r\nCustomer_Name=Velloran\r\n[Torv]\r\nFW FILE NAME=v7\r\n");
  adapters_.Add("Miraton Torv SuperSpeed to Gigabit Ethernet Bridge Controller",
                {0x00, 0x0e, 0xc6, 0xab, 0x0c, 0xde});

  EXPECT_EQ(UpdateEthernetBridgeEeprom({*profile_, *usb_, adapters_, runner_}), UPD_OK);
  // The tool saves what it programmed: the MAC in bytes 0 to 5, the bridge's serial as
  // characters in bytes 76 to 89.
  const std::string image = ReadAll(work_.Folder() / "Setup/Torv/SROM.dat");
  EXPECT_EQ(image.substr(0, 18), "00 0E C6 AB 0C DE ");
  EXPECT_NE(image.find("30 30 30 45 \r\n43 36 30 30 30 30 30 30 41 31 "), std::string::npos)
      << image;
}

}  // namespace
}  // namespace quaylin::e2e
