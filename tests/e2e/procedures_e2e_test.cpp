// The update procedures against the real cmd.exe, the real settings reader and the USB devices
// attached to the prefix by scripts/lib/prepare-wine-tests.d/20-dock-usb-devices.sh (a
// "Velloran" dock whose detection device has the generated instance part 5&2C2F29B4&0&1, and
// the Ethernet bridge 000EC6000000A1), with the stand-in tools laid out in .\Setup\.
#include "dock_utility/orchestration/update_procedures.h"
#include "dock_utility/orchestration/testing/fake_devices.h"
#include "tests/e2e/e2e_fixture.h"

namespace quaylin::e2e {
namespace {

const char kDock[] =
    "[dock]\npresent=1\n"
    "[billboard]\nversion=0.1.0.15\n"
    "[upstream_hub]\nversion=0.0.50.183\n"
    "[downstream_hub]\nversion=0.0.35.183\n"
    "[upstream_pd]\nversion=Q1.0.1.44\n"
    "[downstream_pd]\nversion=Q1.0.1.31\n";

class ProceduresOnStandIns : public WorkingFolderTest {
 protected:
  void SetUp() override {
    WorkingFolderTest::SetUp();
    Install(WIDEN(FW_UPDATER_PATH), "Setup/System/quaylin_fw_update.exe");
    Install(WIDEN(STAND_IN_PELOISP_PATH), "Setup/Salt/PeloISP.exe");
    Install(WIDEN(STAND_IN_EEPROM_PATH), "Setup/Torv/Torv_EEPROM_Console.exe");
    WriteFile("sim_dock/dock.ini", kDock);
  }

  void Configure(const std::string& brand, const std::string& more) {
    WriteFile("Setup/setting.ini", "[Customer]\r\nCustomer_Name=" + brand + "\r\n" + more);
  }

  std::wstring DockValue(const wchar_t* section, const wchar_t* key) const {
    return profile_->ReadString((work_.Folder() / "sim_dock" / "dock.ini").wstring(), section, key,
                                L"", 255);
  }

  std::unique_ptr<platform::ProfileFile> profile_ = platform::MakeSystemProfileFile();
  std::unique_ptr<platform::UsbDevices> usb_ = platform::MakeSystemUsbDevices();
  std::unique_ptr<platform::NetAdapters> systemAdapters_ = platform::MakeSystemNetAdapters();
  testing::FakeNetAdapters bridgeAdapter_;
  std::unique_ptr<platform::ProcessRunner> processes_ = platform::MakeSystemProcessRunner();
  std::unique_ptr<platform::TempDirectory> tempDir_ = platform::MakeSystemTempDirectory();
  CommandRunner runner_{*processes_, *tempDir_};
  DockServices dock_{*profile_, *usb_, bridgeAdapter_, runner_};
};

// The generated serial and a file name holding '&' reach the updater unchanged through cmd.exe.
TEST_F(ProceduresOnStandIns, HubUpdatesPassIdentifiersAndTheGeneratedSerialIntact) {
  Configure("Velloran", "[US_Rq9]\r\nFW FILE NAME=v51&co\r\n[DS_Rq9]\r\nFW FILE NAME=v36\r\n");
  WriteFile("Setup/System/firmware/US_RQ9/pd_us_with_settings_vel_v51&co.bin",
            "SIMFW hub 0.0.51.1\n");
  WriteFile("Setup/System/firmware/DS_RQ9/pd_ds_with_settings_vel_v36.bin", "SIMFW hub 0.0.36.2\n");

  EXPECT_EQ(UpdateUpstreamHubFirmware(dock_), UPD_OK);
  EXPECT_EQ(DockValue(L"upstream_hub", L"version"), L"0.0.51.1");
  EXPECT_EQ(DockValue(L"upstream_hub", L"vid"), L"047D");
  EXPECT_EQ(DockValue(L"upstream_hub", L"pid30"), L"8022");
  EXPECT_EQ(DockValue(L"upstream_hub", L"pid20"), L"8021");
  // Windows gives instance IDs in upper case.
  EXPECT_EQ(DockValue(L"upstream_hub", L"serial"), L"5&2C2F29B4&0&1");
  EXPECT_EQ(DockValue(L"last_call", L"arg2"),
            L".\\Setup\\System\\firmware\\US_RQ9\\pd_us_with_settings_vel_v51&co.bin");

  EXPECT_EQ(UpdateDownstreamHubFirmware(dock_), UPD_OK);
  EXPECT_EQ(DockValue(L"downstream_hub", L"version"), L"0.0.36.2");
  EXPECT_EQ(DockValue(L"downstream_hub", L"pid30"), L"8024");
  EXPECT_EQ(DockValue(L"downstream_hub", L"serial"), L"5&2C2F29B4&0&1");
  EXPECT_EQ(DockValue(L"last_call", L"argc"), L"14");
}

TEST_F(ProceduresOnStandIns, ImageUpdatesReachTheirChips) {
  Configure("velloran",  // relaxed comparison for these
            "[Billboard]\r\nFW FILE NAME=bb16\r\n[US_ORLX]\r\nFW FILE NAME=us45\r\n"
            "[DS_ORLX]\r\nFW FILE NAME=ds32\r\n");
  WriteFile("Setup/System/firmware/billboard/bb16.img", "SIMFW billboard 0.1.0.16\n");
  WriteFile("Setup/System/firmware/US_ORL1/us45.orlfw", "SIMFW pd Q1.0.1.45\n");
  WriteFile("Setup/System/firmware/DS_ORL1/ds32.orlfw", "SIMFW pd Q1.0.1.32\n");

  EXPECT_EQ(UpdateBillboardFirmware(dock_), UPD_OK);
  EXPECT_EQ(UpdateUpstreamPdFirmware(dock_), UPD_OK);
  EXPECT_EQ(UpdateDownstreamPdFirmware(dock_), UPD_OK);
  EXPECT_EQ(DockValue(L"billboard", L"version"), L"0.1.0.16");
  EXPECT_EQ(DockValue(L"upstream_pd", L"version"), L"Q1.0.1.45");
  EXPECT_EQ(DockValue(L"downstream_pd", L"version"), L"Q1.0.1.32");

  // A missing image: the updater's report decides.
  std::filesystem::remove(work_.Folder() / "Setup/System/firmware/DS_ORL1/ds32.orlfw");
  EXPECT_EQ(UpdateDownstreamPdFirmware(dock_), UPD_ERR_NO_SUCCESS_LINE);
}

TEST_F(ProceduresOnStandIns, AbsentDockRunsNoUpdater) {
  Configure("BRENN", "[US_Rq9]\r\nFW FILE NAME=v51\r\n[Billboard]\r\nFW FILE NAME=bb16\r\n");
  EXPECT_EQ(UpdateUpstreamHubFirmware(dock_), UPD_ERR_DOCK_NOT_FOUND);
  EXPECT_EQ(UpdateBillboardFirmware(dock_), UPD_ERR_DOCK_NOT_FOUND);
  EXPECT_EQ(DockValue(L"last_call", L"argc"), L"");
}

TEST_F(ProceduresOnStandIns, DisplayUpdateJudgesTheToolAndDeletesItsLog) {
  Configure("Velloran", "");
  EXPECT_EQ(UpdateDisplayControllerFirmware(dock_), UPD_OK);
  EXPECT_FALSE(std::filesystem::exists(work_.Folder() / "PeloAuxISPTool.log"));

  WriteFile("stand_in_tool_fails", "");
  EXPECT_EQ(UpdateDisplayControllerFirmware(dock_), UPD_ERR_NO_SUCCESS_LINE);
  EXPECT_FALSE(std::filesystem::exists(work_.Folder() / "PeloAuxISPTool.log"));

  WriteFile("PeloAuxISPTool.log", "old log\r\n");
  Configure("Dovik", "");
  EXPECT_EQ(UpdateDisplayControllerFirmware(dock_), UPD_ERR_DISPLAY_DOCK_NOT_FOUND);
  EXPECT_FALSE(std::filesystem::exists(work_.Folder() / "PeloAuxISPTool.log"));
}

TEST_F(ProceduresOnStandIns, BridgeEepromCopiesTheBrandImageAndProgramsIt) {
  bridgeAdapter_.Add("Miraton Torv SuperSpeed to Gigabit Ethernet Bridge Controller",
                     {0x00, 0x0e, 0xc6, 0xab, 0x0c, 0xde});
  Configure("Velloran", "[Torv]\r\nFW FILE NAME=v7 & co\r\n");
  WriteFile("Setup/Torv/SROM for VEL v7 & co.dat", "SROM image of VEL\r\n");
  WriteFile("Setup/Torv/SROM.dat", "stale image\r\n");

  EXPECT_EQ(UpdateEthernetBridgeEeprom(dock_), UPD_OK);
  EXPECT_EQ(ReadAll(work_.Folder() / "Setup/Torv/SROM.dat"), "SROM image of VEL\r\n");
  EXPECT_EQ(ReadAll(work_.Folder() / "stand_in_eeprom_args.txt"),
            "-m\n000EC6AB0CDE\n-s\n000EC6000000A1\n-f\n.\\Setup\\Torv\\SROM.dat\n-p\n");

  // Without a brand row nothing is copied: the tool runs on a missing image and fails.
  Configure("Nobody", "[Torv]\r\nFW FILE NAME=v7 & co\r\n");
  EXPECT_EQ(UpdateEthernetBridgeEeprom(dock_), UPD_ERR_NO_SUCCESS_LINE);
  EXPECT_FALSE(std::filesystem::exists(work_.Folder() / "Setup/Torv/SROM.dat"));
}

// The machine's real adapters hold no bridge: no address is burnt into it.
TEST_F(ProceduresOnStandIns, BridgeEepromWithoutTheBridgesAdapterStartsNoTool) {
  Configure("Velloran", "[Torv]\r\nFW FILE NAME=v7\r\n");
  WriteFile("Setup/Torv/SROM for VEL v7.dat", "SROM image of VEL\r\n");
  DockServices dock{*profile_, *usb_, *systemAdapters_, runner_};
  EXPECT_EQ(UpdateEthernetBridgeEeprom(dock), UPD_ERR_DOCK_NOT_FOUND);
  EXPECT_TRUE(std::filesystem::exists(work_.Folder() / "Setup/Torv/SROM.dat"));
  EXPECT_FALSE(std::filesystem::exists(work_.Folder() / "stand_in_eeprom_args.txt"));
}

}  // namespace
}  // namespace quaylin::e2e
