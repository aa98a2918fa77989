// The real program as a process, its output redirected as the dock-update GUI redirects it.
// The machine running the tests has none of the three graphics drivers, so every chip access
// fails honestly.
#include "aux_isp_tool/shell/status_output.h"
#include "aux_isp_tool/shell/testing/scratch_folder.h"
#include "platform/process_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#define WIDEN2(text) L##text
#define WIDEN(text) WIDEN2(text)

namespace peloisp {
namespace {

using testing::ScratchFolder;

constexpr char kBanner[] = "Saltmere AUX-ISP Tool (console) v3.5\r\n";

#ifdef _WIN32
constexpr char kProgramWord[] = "PeloISP.exe";
#else
constexpr char kProgramWord[] = "./PeloISP";
#endif

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

class PeloIspProgram : public ::testing::Test {
 protected:
  PeloIspProgram() {
    const std::filesystem::path program(WIDEN(PELOISP_PATH));
    std::filesystem::copy_file(program, folder.Folder() / program.filename());
  }

  // Runs the copy in the scratch folder (Config.ini beside it, the log in it); the report.
  std::string Run(const std::string& arguments) {
    const std::wstring dir = folder.Folder().wstring();
    std::wstring word(kProgramWord, kProgramWord + sizeof kProgramWord - 1);
    std::wstring args(arguments.begin(), arguments.end());
#ifdef _WIN32
    const std::wstring command =
        L"cmd.exe /c cd /d " + dir + L" && " + word + L" " + args + L" > report.txt";
#else
    const std::wstring command = L"cd '" + dir + L"' && " + word + L" " + args + L" > report.txt";
#endif
    const auto run = platform::MakeSystemProcessRunner()->Run(command, 60000);
    EXPECT_TRUE(run.started && run.ended);
    return folder.Read("report.txt");
  }

  ScratchFolder folder;
};

TEST_F(PeloIspProgram, WithoutConfigIniTheRunEndsAfterTheBanner) {
  const std::string message = "Please ensure that Config.ini is present and is not corrupted.\r\n";
  EXPECT_EQ(Run("-ChipInfo"), std::string(kBanner) + message);
  const std::string log = folder.Read("PeloAuxISPTool.log");
  EXPECT_EQ(log.rfind(std::string(kBanner) + "====================================\r\n", 0), 0u);
  EXPECT_TRUE(EndsWith(log, "\r\n====================================\r\n" + message));
}

TEST_F(PeloIspProgram, ChipInfoWithoutAGraphicsDriverFailsAfterItsHeader) {
  folder.Write("Config.ini", "[Firmware Update]\r\nNotDeleteLogFile=1\r\nFWFilePath=fw.bin\r\n");
  folder.Write("PeloAuxISPTool.log", "previous run\r\n");
  const std::string report = Run("-CHIPINFO");
  EXPECT_EQ(report.rfind(kBanner, 0), 0u);
  const size_t header = report.find("[Chip Information]\r\n");
  ASSERT_NE(header, std::string::npos);
  EXPECT_TRUE(EndsWith(report, std::string(kFailedBanner) + "System connection failed!\r\n"));
  EXPECT_EQ(report.find("Current on-board F/W Version:"), std::string::npos);
  const std::string log = folder.Read("PeloAuxISPTool.log");
  EXPECT_EQ(log.rfind(std::string("previous run\r\n") + kBanner, 0), 0u);
  EXPECT_TRUE(EndsWith(log, "[Chip Information]\r\nSystem connection failed!\r\n"));
}

TEST_F(PeloIspProgram, UsageNamesTheProgramAsInvoked) {
  folder.Write("Config.ini", "[Firmware Update]\r\n");
  const std::string report = Run("ChipInfo");
  EXPECT_TRUE(EndsWith(report, std::string(kProgramWord) +
                                   " [command-option]\r\n\r\nCommand-option:\r\n"
                                   "  -ChipInfo         Display chip version, F/W version and chip "
                                   "serial number.\r\n"
                                   "  -Run              Run ISP process based on \"config.ini\" "
                                   "file.\r\n\r\n"
                                   "Command-option is not case-sensitive.\r\n\r\n"))
      << report;
  EXPECT_EQ(folder.Read("PeloAuxISPTool.log").find("Command-option"), std::string::npos);
}

}  // namespace
}  // namespace peloisp
