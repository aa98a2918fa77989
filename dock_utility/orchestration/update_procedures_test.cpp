#include "dock_utility/orchestration/update_procedures.h"

#include "dock_utility/orchestration/testing/fake_devices.h"
#include "dock_utility/orchestration/testing/scratch_folder.h"
#include "dock_utility/orchestration/testing/scripted_process_runner.h"
#include "dock_utility/orchestration/testing/working_folder.h"

#include <gtest/gtest.h>

namespace quaylin {
namespace {

using testing::FakeNetAdapters;
using testing::FakeUsbDevices;
using testing::RecordedCommand;
using testing::ScratchFolder;
using testing::ScriptedProcessRunner;
using testing::WorkingFolder;
using Commands = std::vector<RecordedCommand>;

// Row 1's and row 3's detection devices; row 3's carries a generated instance part.
const wchar_t kRow1Device[] = L"USB\\VID_04B4&PID_6506\\SER0001";
const wchar_t kRow3Device[] = L"USB\\VID_047D&PID_8023\\5&2c2f29b4&0&1";
const wchar_t kBridgeDevice[] = L"USB\\VID_04B4&PID_3610\\BRIDGE01";
const char kBridgeDescription[] = "Miraton Torv SuperSpeed to Gigabit Ethernet Bridge Controller";

const char kSettings[] =
    "[Billboard]\r\nFW FILE NAME=bb_v15\r\n"
    "[US_Rq9]\r\nFW FILE NAME=v50\r\n"
    "[DS_Rq9]\r\nFW FILE NAME=v35\r\n"
    "[US_ORLX]\r\nFW FILE NAME=usq44\r\n"
    "[DS_ORLX]\r\nFW FILE NAME=dsq31\r\n"
    "[Torv]\r\nFW FILE NAME=v7\r\n";

const wchar_t kDeleteLog[] = L"cmd.exe /c del PeloAuxISPTool.log";
const wchar_t kDeleteImage[] = L"cmd.exe /c del .\\Setup\\Torv\\SROM.dat";

class UpdateProcedures : public ::testing::Test {
 protected:
  void Configure(const std::string& brand, const std::string& more = kSettings) {
    cwd_.Write("Setup/setting.ini", "[Customer]\r\nCustomer_Name=" + brand + "\r\n" + more);
  }

  ScratchFolder folder_;
  WorkingFolder cwd_{folder_.Folder()};
  std::unique_ptr<platform::ProfileFile> profile_ = platform::MakeSystemProfileFile();
  FakeUsbDevices usb_;
  FakeNetAdapters adapters_;
  ScriptedProcessRunner processes_{folder_};
  CommandRunner runner_{processes_, folder_};
  DockServices dock_{*profile_, usb_, adapters_, runner_};
};

struct ProcedureCase {
  const char* name;
  UpdResult (*procedure)(const DockServices&);
  bool exactBrand;
  const char* successLine;
  uint32_t timeoutMs;
  const wchar_t* row1Command;
  const wchar_t* row3Command;
  UpdResult notFound;
};

const ProcedureCase kProcedures[] = {
    {"billboard", UpdateBillboardFirmware, false, "Billboard Firmware Update Procedure", 300000,
     L"cmd.exe /c .\\Setup\\System\\quaylin_fw_update.exe -bf "
     L".\\Setup\\System\\firmware\\billboard\\bb_v15.img -pid 5217 -fupid 5218  > "
     L"\"%Temp%\\ch_device.txt\"",
     nullptr, UPD_ERR_DOCK_NOT_FOUND},
    {"upstream hub", UpdateUpstreamHubFirmware, true,
     "Upstream RQ9 user defined configuration update", 300000,
     L"cmd.exe /c .\\Setup\\System\\quaylin_fw_update.exe -hfu "
     L".\\Setup\\System\\firmware\\US_RQ9\\brennpd_us_with_settings_v50.bin -hvidu 04b4 "
     L"-h30pidu 6508 -h20pidu 650a -hsnu SER0001 -pid 5217 -fupid 5218  > "
     L"\"%Temp%\\ch_device.txt\"",
     L"cmd.exe /c .\\Setup\\System\\quaylin_fw_update.exe -hfu "
     L".\\Setup\\System\\firmware\\US_RQ9\\pd_us_with_settings_vel_v50.bin -hvidu 047D "
     L"-h30pidu 8022 -h20pidu 8021 -hsnu 5^&2c2f29b4^&0^&1 -pid 5217 -fupid 5218  > "
     L"\"%Temp%\\ch_device.txt\"",
     UPD_ERR_DOCK_NOT_FOUND},
    {"downstream hub", UpdateDownstreamHubFirmware, true,
     "Downstream RQ9 user defined configuration update", 180000,
     L"cmd.exe /c .\\Setup\\System\\quaylin_fw_update.exe -hfd1 "
     L".\\Setup\\System\\firmware\\DS_RQ9\\brennpd_ds_with_settings_v35.bin -hvidd1 04b4 "
     L"-h30pidd1 6504 -h20pidd1 6506 -hsnd1 SER0001 -pid 5217 -fupid 5218  > "
     L"\"%Temp%\\ch_device.txt\"",
     L"cmd.exe /c .\\Setup\\System\\quaylin_fw_update.exe -hfd1 "
     L".\\Setup\\System\\firmware\\DS_RQ9\\pd_ds_with_settings_vel_v35.bin -hvidd1 047D "
     L"-h30pidd1 8024 -h20pidd1 8023 -hsnd1 5^&2c2f29b4^&0^&1 -pid 5217 -fupid 5218  > "
     L"\"%Temp%\\ch_device.txt\"",
     UPD_ERR_DOCK_NOT_FOUND},
    {"upstream pd", UpdateUpstreamPdFirmware, false, "Upstream Orlx Firmware Update Procedure",
     300000,
     L"cmd.exe /c .\\Setup\\System\\quaylin_fw_update.exe -cfu "
     L".\\Setup\\System\\firmware\\US_ORL1\\usq44.orlfw -pid 5217 -fupid 5218 > "
     L"\"%Temp%\\ch_device.txt\"",
     nullptr, UPD_ERR_DOCK_NOT_FOUND},
    {"downstream pd", UpdateDownstreamPdFirmware, false,
     "Downstream-1 Orlx Firmware Update Procedure", 300000,
     L"cmd.exe /c .\\Setup\\System\\quaylin_fw_update.exe -cfd1 "
     L".\\Setup\\System\\firmware\\DS_ORL1\\dsq31.orlfw -pid 5217 -fupid 5218 > "
     L"\"%Temp%\\ch_device.txt\"",
     nullptr, UPD_ERR_DOCK_NOT_FOUND},
    {"display", UpdateDisplayControllerFirmware, false, "ISP completed!", 600000,
     L"cmd.exe /c .\\Setup\\Salt\\PeloISP.exe -Run  > \"%Temp%\\ch_device.txt\"", nullptr,
     UPD_ERR_DISPLAY_DOCK_NOT_FOUND},
};

// What a procedure runs besides its tool: the display controller's log deletion.
Commands Expected(const ProcedureCase& c, const wchar_t* command) {
  Commands expected;
  if (command != nullptr) {
    expected.push_back({command, c.timeoutMs});
  }
  if (c.procedure == UpdateDisplayControllerFirmware) {
    expected.push_back({kDeleteLog, 60000});
  }
  return expected;
}

TEST_F(UpdateProcedures, RunTheirFullCommandForRowOneAndRowThree) {
  for (const ProcedureCase& c : kProcedures) {
    for (const bool row3 : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (row3 ? " row 3" : " row 1"));
      Configure(row3 ? "Velloran" : "BRENN");
      FakeUsbDevices usb;
      usb.Attach(row3 ? kRow3Device : kRow1Device);
      ScriptedProcessRunner processes(folder_);
      CommandRunner runner(processes, folder_);
      const wchar_t* command = row3 && c.row3Command != nullptr ? c.row3Command : c.row1Command;
      processes.ReportFor(command, std::string("stand-in\r\n") + c.successLine + " done\r\n");

      EXPECT_EQ(c.procedure({*profile_, usb, adapters_, runner}), UPD_OK);
      EXPECT_EQ(processes.Commands(), Expected(c, command));
    }
  }
}

TEST_F(UpdateProcedures, JudgeOnlyALineBeginningWithTheSuccessText) {
  for (const ProcedureCase& c : kProcedures) {
    SCOPED_TRACE(c.name);
    Configure("BRENN");
    FakeUsbDevices usb;
    usb.Attach(kRow1Device);
    ScriptedProcessRunner processes(folder_);
    CommandRunner runner(processes, folder_);
    processes.ReportFor(c.row1Command, std::string(" ") + c.successLine + "\r\nError: failed\r\n");
    EXPECT_EQ(c.procedure({*profile_, usb, adapters_, runner}), UPD_ERR_NO_SUCCESS_LINE);
  }
}

TEST_F(UpdateProcedures, AbsentDockOrUnknownBrandRunNothing) {
  for (const ProcedureCase& c : kProcedures) {
    SCOPED_TRACE(c.name);
    // Quotes keep the blank that the settings reader would trim otherwise.
    for (const char* brand : {"Velloran", "Nobody", "\"BRENN \"", ""}) {
      Configure(brand);
      FakeUsbDevices usb;
      usb.Attach(kRow1Device);  // row 3's device is the one missing
      ScriptedProcessRunner processes(folder_);
      CommandRunner runner(processes, folder_);
      EXPECT_EQ(c.procedure({*profile_, usb, adapters_, runner}), c.notFound) << brand;
      EXPECT_EQ(processes.Commands(), Expected(c, nullptr)) << brand;
    }
  }
}

TEST_F(UpdateProcedures, LowerCaseBrandProceedsOnlyWhereTheComparisonIsRelaxed) {
  for (const ProcedureCase& c : kProcedures) {
    SCOPED_TRACE(c.name);
    Configure("brenn");
    FakeUsbDevices usb;
    usb.Attach(kRow1Device);
    ScriptedProcessRunner processes(folder_);
    CommandRunner runner(processes, folder_);
    processes.ReportFor(c.row1Command, c.successLine);
    const UpdResult result = c.procedure({*profile_, usb, adapters_, runner});
    if (c.exactBrand) {
      EXPECT_EQ(result, UPD_ERR_DOCK_NOT_FOUND);
      EXPECT_TRUE(processes.Commands().empty());
    } else {
      EXPECT_EQ(result, UPD_OK);
      EXPECT_EQ(processes.Commands(), Expected(c, c.row1Command));
    }
  }
}

TEST_F(UpdateProcedures, FileNameIsCutTo254CharactersAndPassedWithItsBlanks) {
  const std::string longName(300, 'n');
  usb_.Attach(kRow1Device);
  Configure("BRENN", "[Billboard]\r\nFW FILE NAME=" + longName + "\r\n");
  UpdateBillboardFirmware(dock_);
  Configure("BRENN", "[Billboard]\r\nFW FILE NAME=bb with blanks & more\r\n");
  UpdateBillboardFirmware(dock_);

  const std::wstring prefix =
      L"cmd.exe /c .\\Setup\\System\\quaylin_fw_update.exe -bf .\\Setup\\System\\firmware\\"
      L"billboard\\";
  const std::wstring suffix = L".img -pid 5217 -fupid 5218  > \"%Temp%\\ch_device.txt\"";
  ASSERT_EQ(processes_.Commands().size(), 2u);
  EXPECT_EQ(processes_.Commands()[0].command, prefix + std::wstring(254, L'n') + suffix);
  EXPECT_EQ(processes_.Commands()[1].command, prefix + L"bb with blanks ^& more" + suffix);
}

TEST_F(UpdateProcedures, ValuesThatCannotBePassedSafelyRunNothing) {
  usb_.Attach(kRow1Device);
  struct Case {
    const char* section;
    UpdResult (*procedure)(const DockServices&);
  } cases[] = {
      {"Billboard", UpdateBillboardFirmware},  {"US_Rq9", UpdateUpstreamHubFirmware},
      {"DS_Rq9", UpdateDownstreamHubFirmware}, {"US_ORLX", UpdateUpstreamPdFirmware},
      {"DS_ORLX", UpdateDownstreamPdFirmware}, {"Torv", UpdateEthernetBridgeEeprom},
  };
  for (const Case& c : cases) {
    for (const char* value : {"v%PATH%", "v\"x", "v\x01"}) {
      Configure("BRENN", std::string("[") + c.section + "]\r\nFW FILE NAME=" + value + "\r\n");
      EXPECT_EQ(c.procedure(dock_), UPD_ERR_BAD_SETTING) << c.section << " " << value;
    }
  }
  EXPECT_TRUE(processes_.Commands().empty());
}

TEST_F(UpdateProcedures, HubSerialThatCannotBePassedSafelyRunsNothing) {
  Configure("BRENN");
  usb_.Attach(L"USB\\VID_04B4&PID_6506\\SER%PATH%");
  EXPECT_EQ(UpdateUpstreamHubFirmware(dock_), UPD_ERR_BAD_SETTING);
  EXPECT_EQ(UpdateDownstreamHubFirmware(dock_), UPD_ERR_BAD_SETTING);
  EXPECT_TRUE(processes_.Commands().empty());
}

class BridgeEeprom : public UpdateProcedures {
 protected:
  static constexpr wchar_t kTool[] =
      L"cmd.exe /c .\\Setup\\Torv\\Torv_EEPROM_Console.exe -m 000EC6AB0CDE -s BRIDGE01 -f "
      L".\\Setup\\Torv\\SROM.dat -p > \"%Temp%\\ch_device.txt\"";

  void AttachBridge(const wchar_t* device = kBridgeDevice) {
    usb_.Attach(device);
    adapters_.Add("Other Adapter", {0x10, 0x20, 0x30, 0x40, 0x50, 0x60});
    adapters_.Add(kBridgeDescription, {0x00, 0x0e, 0xc6, 0xab, 0x0c, 0xde});
  }
};

TEST_F(BridgeEeprom, DeletesCopiesTheBrandImageAndProgramsTheBridge) {
  struct Case {
    const char* brand;
    const char* file;
    const wchar_t* copy;
  } cases[] = {
      {"BRENN", "v7",
       L"cmd.exe /c copy .\\Setup\\Torv\\\"SROM for BRENN v7.dat\" .\\Setup\\Torv\\SROM.dat"},
      // Inside the quotes the operators are literal: nothing is escaped there.
      {"Velloran_NonPD", "v7 & more",
       L"cmd.exe /c copy .\\Setup\\Torv\\\"SROM for VEL NonPD v7 & more.dat\" "
       L".\\Setup\\Torv\\SROM.dat"},
      {"velloran", "v8",
       L"cmd.exe /c copy .\\Setup\\Torv\\\"SROM for VEL v8.dat\" .\\Setup\\Torv\\SROM.dat"},
  };
  AttachBridge();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.brand);
    Configure(c.brand, std::string("[Torv]\r\nFW FILE NAME=") + c.file + "\r\n");
    ScriptedProcessRunner processes(folder_);
    CommandRunner runner(processes, folder_);
    processes.ReportFor(kTool, "Writing\r\nProgramming Succeeded!\r\n");
    EXPECT_EQ(UpdateEthernetBridgeEeprom({*profile_, usb_, adapters_, runner}), UPD_OK);
    EXPECT_EQ(processes.Commands(),
              (Commands{{kDeleteImage, 300000}, {c.copy, 300000}, {kTool, 300000}}));
  }
}

TEST_F(BridgeEeprom, TheToolsReportDecides) {
  AttachBridge();
  Configure("BRENN");
  processes_.ReportFor(kTool, "EEPROM Write Failed!\r\n");
  EXPECT_EQ(UpdateEthernetBridgeEeprom(dock_), UPD_ERR_NO_SUCCESS_LINE);
}

TEST_F(BridgeEeprom, WithoutABrandRowTheImageIsDeletedTwiceAndTheToolStillRuns) {
  AttachBridge();
  Configure("Nobody");
  processes_.ReportFor(kTool, "File not found\r\n");
  EXPECT_EQ(UpdateEthernetBridgeEeprom(dock_), UPD_ERR_NO_SUCCESS_LINE);
  EXPECT_EQ(processes_.Commands(),
            (Commands{{kDeleteImage, 300000}, {kDeleteImage, 300000}, {kTool, 300000}}));
}

TEST_F(BridgeEeprom, AbsentBridgeOrMissingAdapterStopsBeforeTheTool) {
  const wchar_t copy[] =
      L"cmd.exe /c copy .\\Setup\\Torv\\\"SROM for BRENN v7.dat\" .\\Setup\\Torv\\SROM.dat";
  Configure("BRENN");
  {
    SCOPED_TRACE("no bridge device");
    ScriptedProcessRunner processes(folder_);
    CommandRunner runner(processes, folder_);
    usb_.Attach(kRow1Device);
    adapters_.Add(kBridgeDescription, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(UpdateEthernetBridgeEeprom({*profile_, usb_, adapters_, runner}),
              UPD_ERR_DOCK_NOT_FOUND);
    EXPECT_EQ(processes.Commands(), (Commands{{kDeleteImage, 300000}, {copy, 300000}}));
  }
  {
    SCOPED_TRACE("bridge device without its adapter");
    FakeUsbDevices usb;
    usb.Attach(kBridgeDevice);
    FakeNetAdapters adapters;
    adapters.Add("Other Adapter", {0x10, 0x20, 0x30, 0x40, 0x50, 0x60});
    ScriptedProcessRunner processes(folder_);
    CommandRunner runner(processes, folder_);
    EXPECT_EQ(UpdateEthernetBridgeEeprom({*profile_, usb, adapters, runner}),
              UPD_ERR_DOCK_NOT_FOUND);
    EXPECT_EQ(processes.Commands(), (Commands{{kDeleteImage, 300000}, {copy, 300000}}));
  }
}

TEST_F(BridgeEeprom, GeneratedSerialIsEscapedForTheTool) {
  AttachBridge(L"USB\\VID_04B4&PID_3610\\6&3a1b&0&2");
  Configure("BRENN");
  UpdateEthernetBridgeEeprom(dock_);
  ASSERT_EQ(processes_.Commands().size(), 3u);
  EXPECT_EQ(processes_.Commands()[2].command,
            L"cmd.exe /c .\\Setup\\Torv\\Torv_EEPROM_Console.exe -m 000EC6AB0CDE -s 6^&3a1b^&0^&2 "
            L"-f .\\Setup\\Torv\\SROM.dat -p > \"%Temp%\\ch_device.txt\"");
}

}  // namespace
}  // namespace quaylin
