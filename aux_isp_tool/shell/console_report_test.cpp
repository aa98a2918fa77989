#include "aux_isp_tool/shell/status_output.h"
#include "aux_isp_tool/shell/testing/scratch_folder.h"
#include "platform/process_runner.h"

#include <gtest/gtest.h>

#include <string>

#define WIDEN2(text) L##text
#define WIDEN(text) WIDEN2(text)

namespace peloisp {
namespace {

using testing::ScratchFolder;

// The report the dock-update GUI reads: exactly the characters printed, backspaces included,
// and no attribute codes.
TEST(ConsoleReport, RedirectedRunHoldsExactlyThePrintedBytes) {
  ScratchFolder folder;
  const std::wstring report = folder.File("ch_device.txt");
  const std::wstring program = WIDEN(STATUS_OUTPUT_DEMO_PATH);
  ASSERT_EQ(program.find(L' '), std::wstring::npos);
  ASSERT_EQ(report.find(L' '), std::wstring::npos);
#ifdef _WIN32
  const std::wstring command = L"cmd.exe /c " + program + L" > " + report;
#else
  const std::wstring command = L"'" + program + L"' > '" + report + L"'";
#endif
  const platform::ProcessRunResult run = platform::MakeSystemProcessRunner()->Run(command, 60000);
  ASSERT_TRUE(run.started && run.ended);

  const std::string expected = std::string(
                                   "Saltmere AUX-ISP Tool (console) v3.5\r\n"
                                   "[Chip Information]\r\n"
                                   "narrow between wide\r\n"
                                   "Loading ISP driver......   0%"
                                   "\b\b\b\b  0%"
                                   "\b\b\b\b 50%"
                                   "\b\b\b\b100%"
                                   " [done!]\r\n"
                                   "Graphics adapter initialization failed!\r\n") +
                               kFailedBanner +
                               "ISP initialization failed!\r\n"
                               "ISP completed!\r\n";
  EXPECT_EQ(folder.Read("ch_device.txt"), expected);
}

}  // namespace
}  // namespace peloisp
