#include "dock_utility/orchestration/command_runner.h"

#include "dock_utility/orchestration/report_lines.h"
#include "dock_utility/orchestration/testing/scratch_folder.h"
#include "dock_utility/orchestration/testing/scripted_process_runner.h"
#include "dock_utility/orchestration/testing/working_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace quaylin {
namespace {

using testing::ScratchFolder;
using testing::ScriptedProcessRunner;

class ReportReaders : public ::testing::Test {
 protected:
  ScratchFolder temp_;
  ScriptedProcessRunner processes_{temp_};
  CommandRunner runner_{processes_, temp_};
};

struct LineCase {
  const char* name;
  std::string report;
  std::string literal;
  UpdResult expected;
};

TEST_F(ReportReaders, FindReportLineJudgesOnlyTheStartOfEachLine) {
  const LineCase cases[] = {
      {"last line without line end", "x\nISP completed!", "ISP completed!", UPD_OK},
      {"crlf line ends", "a\r\nISP completed!\r\nb\r\n", "ISP completed!", UPD_OK},
      {"indented by one blank", " ISP completed!\n", "ISP completed!", UPD_ERR_NO_SUCCESS_LINE},
      {"later in the line", "result: ISP completed!\n", "ISP completed!", UPD_ERR_NO_SUCCESS_LINE},
      {"letter case counts", "isp completed!\n", "ISP completed!", UPD_ERR_NO_SUCCESS_LINE},
      {"line shorter than literal", "ISP comp\n", "ISP completed!", UPD_ERR_NO_SUCCESS_LINE},
      {"literal followed by more text", "ISP completed! (2 devices)\n", "ISP completed!", UPD_OK},
      {"empty report", "", "ISP completed!", UPD_ERR_NO_SUCCESS_LINE},
      {"empty lines before", "\n\n\nProgramming Succeeded!\n", "Programming", UPD_OK},
  };
  for (const LineCase& c : cases) {
    temp_.Write("ch_device.txt", c.report);
    EXPECT_EQ(runner_.FindReportLine(c.literal), c.expected) << c.name;
  }
}

struct SectionCase {
  const char* name;
  std::string report;
  std::wstring expected;
};

TEST_F(ReportReaders, FindReportSectionLineScansHeaderThenPrefix) {
  const std::string header = "UPSTREAM RQ9 VERSION INFO";
  const std::string prefix = "\tVersion";
  const SectionCase cases[] = {
      {"line right after header", "UPSTREAM RQ9 VERSION INFO\n\tVersion: 0.0.50.183\n",
       L"\tVersion: 0.0.50.183"},
      {"crlf line end not part of the line", "UPSTREAM RQ9 VERSION INFO\r\n\tVersion: 1\r\n",
       L"\tVersion: 1"},
      {"empty report", "", L"Error !!!"},
      {"prefix only before header", "\tVersion: 9\nUPSTREAM RQ9 VERSION INFO\nother\n",
       L"Error !!!"},
      {"taken from a later section",
       "UPSTREAM RQ9 VERSION INFO\n\tBuild: x\nDOWNSTREAM RQ9 VERSION INFO\n\tVersion: 2\n",
       L"\tVersion: 2"},
      {"first header starts the search",
       "UPSTREAM RQ9 VERSION INFO\nx\nUPSTREAM RQ9 VERSION INFO\n\tVersion: 3\n", L"\tVersion: 3"},
      {"header line is not tested against the prefix", "UPSTREAM RQ9 VERSION INFO\n", L"Error !!!"},
      {"last line without line end", "UPSTREAM RQ9 VERSION INFO\n\tVersion: 4", L"\tVersion: 4"},
      {"prefix must start the line", "UPSTREAM RQ9 VERSION INFO\n \tVersion: 5\n", L"Error !!!"},
  };
  for (const SectionCase& c : cases) {
    temp_.Write("ch_device.txt", c.report);
    EXPECT_EQ(runner_.FindReportSectionLine(header, prefix), c.expected) << c.name;
  }
}

TEST_F(ReportReaders, MissingReportIsAnOpenFailure) {
  temp_.Remove("ch_device.txt");
  EXPECT_EQ(runner_.FindReportLine("ISP completed!"), UPD_ERR_REPORT_OPEN);
  EXPECT_EQ(runner_.FindReportSectionLine("A", "B"), L"Open File Error");
}

TEST_F(ReportReaders, OverlongLineStaysOneLineAndReadingFinishes) {
  // The tail of an overlong line must not be taken for the start of a line.
  const std::string tail = "ISP completed!";
  const std::string longLine = std::string(kReportLineMaxBytes, 'x') + tail;
  temp_.Write("ch_device.txt", longLine + "\n");
  EXPECT_EQ(runner_.FindReportLine(tail), UPD_ERR_NO_SUCCESS_LINE);

  // The first 9999 bytes of it are examined, and the lines after it are still read.
  temp_.Write("ch_device.txt", "H\n" + std::string(20000, 'P') + "\nH2\nPx\n");
  EXPECT_EQ(runner_.FindReportLine("PPPP"), UPD_OK);
  EXPECT_EQ(runner_.FindReportLine("H2"), UPD_OK);
  const std::wstring found = runner_.FindReportSectionLine("H", "P");
  EXPECT_EQ(found, std::wstring(kReportLineMaxBytes, L'P'));
}

TEST_F(ReportReaders, FoundLineKeepsEveryByte) {
  temp_.Write("ch_device.txt", "HDR\n\tVersion \xE9t\xE9\n");
  const std::wstring line = runner_.FindReportSectionLine("HDR", "\tVersion");
  ASSERT_EQ(line.size(), 12u);
  EXPECT_EQ(line.substr(0, 9), L"\tVersion ");
}

TEST_F(ReportReaders, ReportPathIsInTheTemporaryFolder) {
  EXPECT_EQ(runner_.ReportPath(), temp_.Path() + L"ch_device.txt");
}

}  // namespace
}  // namespace quaylin

namespace quaylin {
namespace {

// Records what the runner asks of the process seam, and whether the report existed then.
class OrderRecordingProcesses final : public platform::ProcessRunner {
 public:
  explicit OrderRecordingProcesses(const testing::ScratchFolder& temp) : temp_(temp) {}

  platform::ProcessRunResult Run(const std::wstring& commandLine, uint32_t) override {
    events.push_back(L"run " + commandLine + (ReportPresent() ? L" (old report)" : L""));
    return {false, false};  // as if the child could not be created
  }
  void WaitForOutlivingChild() override {
    events.push_back(std::wstring(L"wait") + (ReportPresent() ? L" (old report)" : L""));
  }

  std::vector<std::wstring> events;

 private:
  bool ReportPresent() const { return std::filesystem::exists(temp_.Folder() / "ch_device.txt"); }
  const testing::ScratchFolder& temp_;
};

class RunCommandOrder : public ::testing::Test {
 protected:
  testing::ScratchFolder temp_;
  OrderRecordingProcesses processes_{temp_};
  CommandRunner runner_{processes_, temp_};
};

TEST_F(RunCommandOrder, WaitsForTheEarlierChildThenClearsTheReportThenStarts) {
  temp_.Write("ch_device.txt", "ISP completed!\n");
  const std::wstring command =
      L"cmd.exe /c .\\Setup\\Salt\\PeloISP.exe -Run > \"%Temp%\\ch_device.txt\"";
  runner_.RunCommand(command, 600000);
  EXPECT_EQ(processes_.events,
            (std::vector<std::wstring>{L"wait (old report)", L"run " + command}));
  // A command that could not start is judged on a missing report, not on the old one.
  EXPECT_EQ(runner_.FindReportLine("ISP completed!"), UPD_ERR_REPORT_OPEN);
}

TEST_F(RunCommandOrder, AReportThatCannotBeClearedIsNeverJudged) {
  // Something the delete cannot remove stands where the report goes; whatever is read there
  // afterwards is not the new command's output.
  std::filesystem::create_directories(temp_.Folder() / "ch_device.txt" / "held");
  runner_.RunCommand(L"cmd.exe /c .\\Setup\\Salt\\PeloISP.exe -Run  > \"%Temp%\\ch_device.txt\"",
                     600000);
  EXPECT_EQ(runner_.FindReportLine("ISP completed!"), UPD_ERR_REPORT_OPEN);
  EXPECT_EQ(runner_.FindReportSectionLine("A", "B"), L"Open File Error");
  // A command without redirection does not make the old report usable again.
  runner_.RunCommand(L"cmd.exe /c del PeloAuxISPTool.log", 60000);
  EXPECT_EQ(runner_.FindReportLine("ISP completed!"), UPD_ERR_REPORT_OPEN);

  // Once the report can be cleared again, the next report is read as usual.
  std::filesystem::remove_all(temp_.Folder() / "ch_device.txt");
  runner_.RunCommand(L"cmd.exe /c x > \"%Temp%\\ch_device.txt\"", 60000);
  temp_.Write("ch_device.txt", "ISP completed!\n");
  EXPECT_EQ(runner_.FindReportLine("ISP completed!"), UPD_OK);
}

// A temporary folder the system cannot name.
class NoTempDirectory final : public platform::TempDirectory {
 public:
  std::wstring Path() const override { return {}; }
};

TEST_F(RunCommandOrder, WithoutATemporaryFolderNoOtherFileIsTakenForTheReport) {
  // A file of that name in the working folder is neither judged nor deleted.
  testing::WorkingFolder cwd{temp_.Folder()};
  temp_.Write("ch_device.txt", "ISP completed!\n");
  NoTempDirectory noTemp;
  CommandRunner runner{processes_, noTemp};
  runner.RunCommand(L"cmd.exe /c x > \"%Temp%\\ch_device.txt\"", 60000);
  EXPECT_TRUE(std::filesystem::exists(temp_.Folder() / "ch_device.txt"));
  EXPECT_EQ(runner.FindReportLine("ISP completed!"), UPD_ERR_REPORT_OPEN);
  EXPECT_EQ(runner.FindReportSectionLine("A", "B"), L"Open File Error");
}

TEST_F(RunCommandOrder, CommandsWithoutRedirectionLeaveTheReportAlone) {
  temp_.Write("ch_device.txt", "ISP completed!\n");
  runner_.RunCommand(L"cmd.exe /c del PeloAuxISPTool.log", 60000);
  EXPECT_EQ(processes_.events,
            (std::vector<std::wstring>{L"wait (old report)",
                                       L"run cmd.exe /c del PeloAuxISPTool.log (old report)"}));
  EXPECT_EQ(runner_.FindReportLine("ISP completed!"), UPD_OK);
}

}  // namespace
}  // namespace quaylin
