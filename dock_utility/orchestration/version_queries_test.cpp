#include "dock_utility/orchestration/version_queries.h"

#include "dock_utility/orchestration/testing/scratch_folder.h"
#include "dock_utility/orchestration/testing/scripted_process_runner.h"

#include <gtest/gtest.h>

namespace quaylin {
namespace {

using testing::RecordedCommand;
using testing::ScratchFolder;
using testing::ScriptedProcessRunner;

const wchar_t kHubPd[] =
    L"cmd.exe /c .\\Setup\\System\\quaylin_fw_update.exe -v -pid 5217 -fupid 5218  > "
    L"\"%Temp%\\ch_device.txt\"";
const wchar_t kChipInfo[] =
    L"cmd.exe /c .\\Setup\\Salt\\PeloISP.exe -ChipInfo > \"%Temp%\\ch_device.txt\"";

const char kFullReport[] =
    "Stand-in report\r\n"
    "BILLBOARD VERSION INFO\r\n"
    "\tVersion: 0.1.0.15\r\n"
    "UPSTREAM ORLX VERSION INFO\r\n"
    "\tBoot Version: B1\r\n"
    "\tApplication Version: Q1.0.1.44\r\n"
    "DOWNSTREAM-1 ORLX VERSION INFO\r\n"
    "\tApplication Version: Q1.0.1.31\r\n"
    "UPSTREAM RQ9 VERSION INFO\r\n"
    "\tVersion: 0.0.50.183\r\n"
    "DOWNSTREAM RQ9 VERSION INFO\r\n"
    "\tVersion: 0.0.35.183\r\n";

class VersionQueries : public ::testing::Test {
 protected:
  ScratchFolder temp_;
  ScriptedProcessRunner processes_{temp_};
  CommandRunner runner_{processes_, temp_};
};

TEST_F(VersionQueries, HubAndPdQueryRunsTheUpdaterOnceAndFillsEveryLine) {
  processes_.ReportFor(kHubPd, kFullReport);
  ChipVersionLines lines;
  QueryHubAndPdVersions(runner_, lines);

  ASSERT_EQ(processes_.Commands(), (std::vector<RecordedCommand>{{kHubPd, 60000}}));
  EXPECT_EQ(lines.billboardLine, L"\tVersion: 0.1.0.15");
  EXPECT_EQ(lines.upstreamPdLine, L"\tApplication Version: Q1.0.1.44");
  EXPECT_EQ(lines.downstreamPdLine, L"\tApplication Version: Q1.0.1.31");
  EXPECT_EQ(lines.upstreamHubLine, L"\tVersion: 0.0.50.183");
  EXPECT_EQ(lines.downstreamHubLine, L"\tVersion: 0.0.35.183");
}

TEST_F(VersionQueries, HubAndPdQueryToleratesOrderAndMissingSections) {
  // Sections in another order; the billboard section lacks its line and borrows the next one.
  processes_.ReportFor(kHubPd,
                       "DOWNSTREAM RQ9 VERSION INFO\n\tVersion: D\n"
                       "BILLBOARD VERSION INFO\n\tNo version\n"
                       "UPSTREAM RQ9 VERSION INFO\n\tVersion: U\n"
                       "UPSTREAM ORLX VERSION INFO\n\tApplication Version: P\n");
  ChipVersionLines lines;
  lines.downstreamPdLine = L"stale";
  QueryHubAndPdVersions(runner_, lines);
  EXPECT_EQ(lines.billboardLine, L"\tVersion: U");
  EXPECT_EQ(lines.downstreamHubLine, L"\tVersion: D");
  EXPECT_EQ(lines.upstreamHubLine, L"\tVersion: U");
  EXPECT_EQ(lines.upstreamPdLine, L"\tApplication Version: P");
  EXPECT_EQ(lines.downstreamPdLine, L"Error !!!");
}

TEST_F(VersionQueries, HubAndPdQueryWithoutReportReadsOpenFileError) {
  ChipVersionLines lines;
  QueryHubAndPdVersions(runner_, lines);
  for (const std::wstring* line :
       {&lines.billboardLine, &lines.upstreamPdLine, &lines.downstreamPdLine,
        &lines.upstreamHubLine, &lines.downstreamHubLine}) {
    EXPECT_EQ(*line, L"Open File Error");
  }
}

TEST_F(VersionQueries, DisplayQueryRunsChipInfoThenDeletesTheToolLog) {
  processes_.ReportFor(kChipInfo,
                       "PeloISP banner\r\n"
                       "  Port#2 Device: Wrenlo App: WL4410 before header\r\n"
                       "Current on-board F/W Version:\r\n"
                       "  Host   Device: Talmont App: Tm7730 Ver: 0.60.3.1\r\n"
                       "  Port#2 Device: Wrenlo App: WL4410 Ver: 1.54\r\n");
  DisplayVersionLines lines;
  QueryDisplayControllerVersion(runner_, lines);

  ASSERT_EQ(processes_.Commands(),
            (std::vector<RecordedCommand>{{kChipInfo, 60000},
                                          {L"cmd.exe /c del PeloAuxISPTool.log", 60000}}));
  EXPECT_EQ(lines.hostLine, L"  Host   Device: Talmont App: Tm7730 Ver: 0.60.3.1");
  EXPECT_EQ(lines.port2Line, L"  Port#2 Device: Wrenlo App: WL4410 Ver: 1.54");
}

TEST_F(VersionQueries, DisplayQueryMatchesPrefixesInFull) {
  processes_.ReportFor(kChipInfo,
                       "Current on-board F/W Version:\n"
                       "  Host  Device: Talmont App: Tm7730 Ver: 0.57\n"  // one blank short
                       "  Host   Device: Talmont App: Tm7730 Ver: 0.60.2\n"
                       "  Port#2 Device: Failed to get connection\n");
  DisplayVersionLines lines;
  QueryDisplayControllerVersion(runner_, lines);
  EXPECT_EQ(lines.hostLine, L"  Host   Device: Talmont App: Tm7730 Ver: 0.60.2");
  EXPECT_EQ(lines.port2Line, L"Error !!!");
}

}  // namespace
}  // namespace quaylin
