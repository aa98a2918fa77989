#include "aux_isp_tool/shell/tool_entry.h"

#include "aux_isp_tool/isp/testing/sim_engine_fixture.h"
#include "aux_isp_tool/shell/status_output.h"
#include "aux_isp_tool/shell/testing/scratch_folder.h"
#include "aux_isp_tool/shell/testing/sim_backends.h"
#include "sim/clock/virtual_clock.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

namespace peloisp {
namespace {

using testing::ScratchFolder;
using testing::SimBackends;

// Standard output as one byte stream, attribute changes shown as {XX}.
class RecordingConsole final : public platform::Console {
 public:
  void WriteWide(std::wstring_view text) override {
    for (wchar_t c : text) {
      bytes += static_cast<char>(c);
    }
  }
  void WriteNarrow(std::string_view text) override { bytes += text; }
  void SetTextAttribute(uint16_t attribute) override {
    char marker[8];
    std::snprintf(marker, sizeof marker, "{%02X}", attribute);
    bytes += marker;
  }
  std::string bytes;
};

class MemoryLog final : public platform::LogFile {
 public:
  bool Append(const std::wstring& path, std::string_view text) override {
    files[path] += text;
    return true;
  }
  bool Remove(const std::wstring& path) override { return files.erase(path) > 0; }
  std::map<std::wstring, std::string> files;
};

class FixedExecutablePath final : public platform::ExecutablePath {
 public:
  explicit FixedExecutablePath(std::wstring path) : path_(std::move(path)) {}
  bool FullPath(std::wstring& path) const override {
    path = path_;
    return !path_.empty();
  }

 private:
  std::wstring path_;
};

constexpr char kBanner[] = "Saltmere AUX-ISP Tool (console) v3.5\r\n";
constexpr char kNow[] = "Thu Dec 10 13:00:00 2026";
constexpr char kDateBlock[] =
    "====================================\r\n"
    "Thu Dec 10 13:00:00 2026"
    "\r\n====================================\r\n";
constexpr char kGfxReport[] =
    "Gfx Selection = 0\r\n"
    "Graphics adapter initialization - NVIDIA: failed!\r\n"
    "Graphics adapter initialization - AMD: failed!\r\n"
    "Graphics adapter initialization - Intel (LS-PCON): done!\r\n"
    "Display 0xD: OK\r\n";
constexpr char kAdapterLine[] = "Graphics adapter: Intel (LS-PCON): 0x0D\r\n";
constexpr char kUsage[] =
    "PeloISP.exe [command-option]\r\n\r\n"
    "Command-option:\r\n"
    "  -ChipInfo         Display chip version, F/W version and chip serial number.\r\n"
    "  -Run              Run ISP process based on \"config.ini\" file.\r\n\r\n"
    "Command-option is not case-sensitive.\r\n\r\n";

class ToolEntryTest : public ::testing::Test {
 protected:
  ToolEntryTest()
      : dock(testing::DefaultDock()),
        backends(dock),
        executable(folder.FolderText() + L"PeloISP.exe"),
        profile(platform::MakeSystemProfileFile()) {}

  void WriteConfig(const std::string& keys) {
    folder.Write("Config.ini", "[Firmware Update]\r\n" + keys);
  }

  void Run(std::vector<std::wstring> args) {
    const ToolEnvironment env{
        console,
        log,
        clock,
        executable,
        *profile,
        [this](std::wstring& m, IspContext& c) { return backends.Select(m, c); },
        [] { return std::string(kNow); }};
    EXPECT_EQ(RunTool(args, env), 0);
  }

  std::string Log() { return log.files[kLogFileName]; }

  ScratchFolder folder;
  sim::SaltmereDock dock;
  SimBackends backends;
  FixedExecutablePath executable;
  std::unique_ptr<platform::ProfileFile> profile;
  RecordingConsole console;
  MemoryLog log;
  sim::VirtualClock clock;
};

TEST(ModeFromArgumentsTest, OneOptionWithoutRegardToCase) {
  struct Case {
    std::vector<std::wstring> args;
    int mode;
  };
  const Case cases[] = {
      {{L"PeloISP", L"-ChipInfo"}, kModeChipInfo},
      {{L"PeloISP", L"-chipinfo"}, kModeChipInfo},
      {{L"PeloISP", L"-CHIPINFO"}, kModeChipInfo},
      {{L"PeloISP", L"-fullerase"}, kModeFullErase},
      {{L"PeloISP", L"-RUN"}, kModeRunRequested},
      {{L"PeloISP", L"ChipInfo"}, kModeNone},
      {{L"PeloISP", L"-ChipInfoX"}, kModeNone},
      {{L"PeloISP", L"-Ru"}, kModeNone},
      {{L"PeloISP", L"-ChipInfo", L"-ChipInfo"}, kModeNone},
      {{L"PeloISP"}, kModeNone},
      {{}, kModeNone},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ModeFromArguments(c.args), c.mode) << c.args.size();
  }
}

TEST_F(ToolEntryTest, ChipInfoOnTheModelConsoleAndLogDifferOnlyByTheDateBlock) {
  WriteConfig("FWFilePath=host.bin\r\nFWFilePathP2=port2.bin\r\n");
  Run({L"PeloISP.exe", L"-chipinfo"});
  const std::string report =
      "Current on-board F/W Version:\r\n"
      "  Host   Device: Talmont App: Tm7730 v1.09.3.1  (HWver=0x21)\r\n"
      "  Port#2 Device: Wrenlo App: WL4410 v2.03.01  (cut1.1)\r\n";
  EXPECT_EQ(console.bytes, std::string(kBanner) + kAdapterLine + "[Chip Information]\r\n" + report);
  EXPECT_EQ(Log(), std::string(kBanner) + kDateBlock + kGfxReport + kAdapterLine +
                       "[Chip Information]\r\n" + report);
  EXPECT_EQ(dock.Route(), 0);
}

TEST_F(ToolEntryTest, UsageForAnyOtherCommandLineReachesTheConsoleOnly) {
  WriteConfig("");
  const std::vector<std::wstring> lines[] = {{L"PeloISP.exe"},
                                             {L"PeloISP.exe", L"ChipInfo"},
                                             {L"PeloISP.exe", L"-ChipInfo", L"-ChipInfo"}};
  for (const auto& args : lines) {
    console.bytes.clear();
    log.files.clear();
    Run(args);
    EXPECT_EQ(console.bytes, std::string(kBanner) + kAdapterLine + kUsage);
    EXPECT_EQ(Log(), std::string(kBanner) + kDateBlock + kGfxReport + kAdapterLine);
  }
  EXPECT_TRUE(dock.I2cMessages().empty()) << "no chip procedure ran";
}

TEST_F(ToolEntryTest, MissingConfigurationEndsTheRunWithANotice) {
  Run({L"PeloISP.exe", L"-ChipInfo"});
  const std::string message = "Please ensure that Config.ini is present and is not corrupted.\r\n";
  EXPECT_EQ(console.bytes, std::string(kBanner) + "{E9}" + message + "{07}");
  EXPECT_EQ(Log(), std::string(kBanner) + kDateBlock + message);
  EXPECT_EQ(backends.selections, 0);
  EXPECT_TRUE(dock.Trace().empty());
}

TEST_F(ToolEntryTest, PreviousLogIsKeptOnlyWithNotDeleteLogFileOne) {
  struct Case {
    const char* keys;
    bool kept;
  };
  for (const Case c : {Case{"NotDeleteLogFile=1\r\n", true}, Case{"NotDeleteLogFile=2\r\n", false},
                       Case{"NotDeleteLogFile=0\r\n", false}, Case{"", false}}) {
    WriteConfig(c.keys);
    log.files.clear();
    log.files[kLogFileName] = "previous run\r\n";
    Run({L"PeloISP.exe", L"-ChipInfo"});
    const std::string logged = Log();
    EXPECT_EQ(logged.rfind("previous run\r\n" + std::string(kBanner), 0) == 0, c.kept) << c.keys;
    EXPECT_EQ(logged.rfind(kBanner, 0) == 0, !c.kept) << c.keys;
  }
}

TEST_F(ToolEntryTest, FailedBackendStillPrintsTheHeaderBeforeFailing) {
  struct Case {
    SimBackends::Dock reach;
    std::string line;
  };
  const Case cases[] = {
      {SimBackends::Dock::kNoDriver, "Graphics adapter initialization failed!\r\n"},
      {SimBackends::Dock::kNoConnection,
       "Graphics adapter initialization done but connection failed!\r\n"},
  };
  WriteConfig("");
  for (const Case& c : cases) {
    SimBackends failing(dock, c.reach);
    const ToolEnvironment env{
        console,
        log,
        clock,
        executable,
        *profile,
        [&failing](std::wstring& m, IspContext& ctx) { return failing.Select(m, ctx); },
        [] { return std::string(kNow); }};
    console.bytes.clear();
    log.files.clear();
    RunTool({L"PeloISP.exe", L"-ChipInfo"}, env);
    EXPECT_EQ(console.bytes, std::string(kBanner) + "{E9}" + c.line + "{07}" +
                                 "[Chip Information]\r\n{0C}" + kFailedBanner +
                                 "{E9}System connection failed!\r\n{07}");
    // The selection's report, then the failure line, in the log only once each.
    const std::string logged = Log();
    EXPECT_NE(logged.find("Gfx Selection = 0\r\n"), std::string::npos);
    EXPECT_TRUE(logged.size() > c.line.size() &&
                logged.find(c.line + "[Chip Information]\r\nSystem connection failed!\r\n") !=
                    std::string::npos)
        << logged;
  }
  EXPECT_TRUE(dock.I2cMessages().empty()) << "no transfer reached the dock";
}

TEST_F(ToolEntryTest, UpdateAndEraseSayTheyAreNotAvailableAndNeverSucceed) {
  WriteConfig("FWFilePath=host.bin\r\n");
  Run({L"PeloISP.exe", L"-FULLERASE"});
  EXPECT_EQ(console.bytes, std::string(kBanner) + kAdapterLine + "[SPI Flash: Full Erase]\r\n" +
                               "{E9}Full erase is not available in this build.\r\n{07}");
  console.bytes.clear();
  Run({L"PeloISP.exe", L"-Run"});
  EXPECT_EQ(console.bytes, std::string(kBanner) + kAdapterLine +
                               "{E9}ISP update is not available in this build.\r\n{07}");
  EXPECT_EQ(Log().find("ISP completed!"), std::string::npos);
  EXPECT_TRUE(dock.I2cMessages().empty());
}

}  // namespace
}  // namespace peloisp
