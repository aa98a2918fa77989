// Prints a fixed run of status output (banner, step with progress, notice, FAILED banner,
// success), so that a test can check the bytes of a report redirected by the command
// interpreter.
#include "aux_isp_tool/shell/status_output.h"
#include "aux_isp_tool/shell/status_updater.h"

int main() {
  peloisp::StatusOutput output;
  peloisp::StatusUpdater progress(output);
  output.PrintConsole(L"Saltmere AUX-ISP Tool (console) v3.5\r\n");
  output.PrintConsole(L"[Chip Information]\r\n");
  output.PrintConsoleNarrow("narrow between wide\r\n");
  output.PrintConsole(L"Loading ISP driver......   0%");
  progress.ReportProgress(1, 200);
  progress.ReportProgress(5, 10);
  progress.ReportProgress(30, 30);
  output.PrintConsole(L" [done!]\r\n");
  output.ShowNotice(L"Graphics adapter initialization failed!\r\n");
  output.ShowErrorBox(L"ISP initialization failed!\r\n");
  output.ShowSuccess(L"ISP completed!\r\n");
  return 0;
}
