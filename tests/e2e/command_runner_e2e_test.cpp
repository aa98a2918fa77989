// The real runner and readers against the real cmd.exe, and the version query against the
// stand-in updater laid out in .\Setup\System\.
#include "dock_utility/orchestration/command_runner.h"
#include "dock_utility/orchestration/version_queries.h"
#include "tests/e2e/e2e_fixture.h"

#include <chrono>
#include <thread>

namespace quaylin::e2e {
namespace {

class RealCommandRunner : public WorkingFolderTest {
 protected:
  std::unique_ptr<platform::ProcessRunner> processes_ = platform::MakeSystemProcessRunner();
  std::unique_ptr<platform::TempDirectory> tempDir_ = platform::MakeSystemTempDirectory();
  CommandRunner runner_{*processes_, *tempDir_};
};

TEST_F(RealCommandRunner, ReadsBackWhatCmdRedirectedIntoTheReport) {
  EXPECT_EQ(runner_.ReportPath(), temp_.wstring() + L"\\ch_device.txt");
  runner_.RunCommand(
      L"cmd.exe /c echo header> %Temp%\\ch_device.txt& echo ISP completed!>> %Temp%\\ch_device.txt"
      L"& echo SECTION>> %Temp%\\ch_device.txt& echo   value one>> %Temp%\\ch_device.txt",
      60000);
  EXPECT_EQ(runner_.FindReportLine("ISP completed!"), UPD_OK);
  EXPECT_EQ(runner_.FindReportLine("ISP failed"), UPD_ERR_NO_SUCCESS_LINE);
  EXPECT_EQ(runner_.FindReportSectionLine("SECTION", "  value"), L"  value one");
}

TEST_F(RealCommandRunner, MissingReportIsAnOpenFailure) {
  std::filesystem::remove(ReportFile());
  runner_.RunCommand(L"cmd.exe /c echo not redirected", 60000);
  EXPECT_EQ(runner_.FindReportLine("ISP completed!"), UPD_ERR_REPORT_OPEN);
  EXPECT_EQ(runner_.FindReportSectionLine("A", "B"), L"Open File Error");
}

TEST_F(RealCommandRunner, ReturnsAtTheLimitWhileTheToolGoesOn) {
  std::wstring command = L"cmd.exe /c ";
  command += WIDEN(SIM_SLEEP_PATH);
  command += L" 4000 %Temp%\\ch_device.txt ISP completed!";
  const auto start = std::chrono::steady_clock::now();
  runner_.RunCommand(command, 500);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(500));
  EXPECT_LT(waited, std::chrono::milliseconds(3500));
  // Judged at the limit: the success line is not there yet.
  EXPECT_EQ(runner_.FindReportLine("ISP"), UPD_ERR_REPORT_OPEN);
  // The child was not stopped: its line arrives later.
  UpdResult late = UPD_ERR_REPORT_OPEN;
  for (int i = 0; i < 200 && late != UPD_OK; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    late = runner_.FindReportLine("ISP");
  }
  EXPECT_EQ(late, UPD_OK);
}

class VersionQueryOnStandIn : public RealCommandRunner {
 protected:
  void SetUp() override {
    RealCommandRunner::SetUp();
    Install(WIDEN(FW_UPDATER_PATH), "Setup/System/quaylin_fw_update.exe");
  }
};

TEST_F(VersionQueryOnStandIn, HubAndPdQueryReadsFiveLinesFromTheUpdater) {
  WriteFile("sim_dock/dock.ini",
            "[dock]\npresent=1\n"
            "[billboard]\nversion=0.1.0.15\n"
            "[upstream_hub]\nversion=0.0.50.183\n"
            "[downstream_hub]\nversion=0.0.35.183\n"
            "[upstream_pd]\nversion=Q1.0.1.44\n"
            "[downstream_pd]\nversion=Q1.0.1.31\n");
  ChipVersionLines lines;
  QueryHubAndPdVersions(runner_, lines);
  EXPECT_EQ(lines.billboardLine, L"\tVersion: 0.1.0.15");
  EXPECT_EQ(lines.upstreamHubLine, L"\tVersion: 0.0.50.183");
  EXPECT_EQ(lines.downstreamHubLine, L"\tVersion: 0.0.35.183");
  EXPECT_EQ(lines.upstreamPdLine, L"\tApplication Version: Q1.0.1.44");
  EXPECT_EQ(lines.downstreamPdLine, L"\tApplication Version: Q1.0.1.31");
}

TEST_F(VersionQueryOnStandIn, AbsentDockLeavesErrorLines) {
  WriteFile("sim_dock/dock.ini", "[dock]\npresent=0\n");
  ChipVersionLines lines;
  QueryHubAndPdVersions(runner_, lines);
  EXPECT_EQ(lines.billboardLine, L"Error !!!");
  EXPECT_EQ(lines.downstreamPdLine, L"Error !!!");
}

TEST_F(VersionQueryOnStandIn, DisplayQueryWithoutTheToolReadsErrorLines) {
  // No .\Setup\Salt\PeloISP.exe: cmd.exe creates an empty report and complains on stderr.
  DisplayVersionLines lines;
  QueryDisplayControllerVersion(runner_, lines);
  EXPECT_EQ(lines.hostLine, L"Error !!!");
  EXPECT_EQ(lines.port2Line, L"Error !!!");
}

}  // namespace
}  // namespace quaylin::e2e

namespace quaylin::e2e {
namespace {

const wchar_t kRedirect[] = L" > \"%Temp%\\ch_device.txt\"";

TEST_F(VersionQueryOnStandIn, TemporaryFolderWithABlankStillReceivesTheReport) {
  UseTemporaryFolders(work_.Folder() / "Users" / "Ann Lee" / "Temp",
                      work_.Folder() / "Users" / "Ann Lee" / "Temp");
  WriteFile("sim_dock/dock.ini", "[dock]\npresent=1\n[upstream_pd]\nversion=Q1.0.1.44\n");
  ChipVersionLines lines;
  QueryHubAndPdVersions(runner_, lines);
  EXPECT_EQ(lines.upstreamPdLine, L"\tApplication Version: Q1.0.1.44");
  EXPECT_TRUE(std::filesystem::exists(ReportFile()));
}

TEST_F(RealCommandRunner, ReaderLooksWhereCmdWroteWhenTempAndTmpDiffer) {
  UseTemporaryFolders(work_.Folder() / "temp-variable", work_.Folder() / "tmp-variable");
  runner_.RunCommand(std::wstring(L"cmd.exe /c echo ISP completed!") + kRedirect, 60000);
  EXPECT_TRUE(std::filesystem::exists(work_.Folder() / "temp-variable" / "ch_device.txt"));
  EXPECT_EQ(runner_.FindReportLine("ISP completed!"), UPD_OK);
}

TEST_F(RealCommandRunner, AnOldSuccessIsNotJudgedAsTheNewCommands) {
  WriteFile("Temp/ch_device.txt", "ISP completed!\r\n");
  // The tool is missing: cmd.exe starts, complains on stderr and writes nothing of its own.
  runner_.RunCommand(std::wstring(L"cmd.exe /c .\\Setup\\Salt\\PeloISP.exe -Run ") + kRedirect,
                     60000);
  EXPECT_NE(runner_.FindReportLine("ISP completed!"), UPD_OK);
}

TEST_F(RealCommandRunner, AnOldSuccessThatCannotBeDeletedIsNotJudgedEither) {
  WriteFile("Temp/ch_device.txt", "ISP completed!\r\n");
  const std::filesystem::perms writable = std::filesystem::perms::owner_write |
                                          std::filesystem::perms::group_write |
                                          std::filesystem::perms::others_write;
  std::filesystem::permissions(ReportFile(), writable, std::filesystem::perm_options::remove);
  runner_.RunCommand(std::wstring(L"cmd.exe /c .\\Setup\\Salt\\PeloISP.exe -Run ") + kRedirect,
                     60000);
  const bool stillThere = std::filesystem::exists(ReportFile());
  const UpdResult result = runner_.FindReportLine("ISP completed!");
  std::filesystem::permissions(ReportFile(), writable, std::filesystem::perm_options::add);
  EXPECT_TRUE(stillThere);  // the read-only report resisted the delete
  EXPECT_EQ(result, UPD_ERR_REPORT_OPEN);
}

TEST_F(RealCommandRunner, NextCommandWaitsForAToolThatOutlivedItsLimit) {
  std::wstring slow = L"cmd.exe /c ";
  slow += WIDEN(SIM_SLEEP_PATH);
  slow += L" 2000 %Temp%\\ch_device.txt late output of the first tool";
  runner_.RunCommand(slow, 200);

  const auto start = std::chrono::steady_clock::now();
  runner_.RunCommand(std::wstring(L"cmd.exe /c echo ISP completed!") + kRedirect, 60000);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
  // The first tool had ended before the report was cleared for the second (cmd.exe's echo
  // keeps the blank before the redirection).
  EXPECT_EQ(ReadAll(ReportFile()), "ISP completed! \r\n");
}

}  // namespace
}  // namespace quaylin::e2e
