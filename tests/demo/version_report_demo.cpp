// Demo harness: runs quaylin's two version queries through the real command runner in the
// working folder and prints the lines the dialog would compare with the expected versions.
#include "dock_utility/orchestration/version_queries.h"

#include <cstdio>

namespace {

void Print(const char* label, const std::wstring& line) {
  std::printf("%-22s %ls\n", label, line.c_str());
}

}  // namespace

int main() {
  const auto processes = platform::MakeSystemProcessRunner();
  const auto temp = platform::MakeSystemTempDirectory();
  quaylin::CommandRunner runner(*processes, *temp);

  quaylin::ChipVersionLines chips;
  quaylin::QueryHubAndPdVersions(runner, chips);
  std::printf("Hubs, PD controllers and billboard (quaylin_fw_update -v):\n");
  Print("  billboard", chips.billboardLine);
  Print("  upstream RQ9 hub", chips.upstreamHubLine);
  Print("  downstream RQ9 hub", chips.downstreamHubLine);
  Print("  upstream ORLX PD", chips.upstreamPdLine);
  Print("  downstream ORLX PD", chips.downstreamPdLine);

  quaylin::DisplayVersionLines display;
  quaylin::QueryDisplayControllerVersion(runner, display);
  std::printf("Display controller (PeloISP -ChipInfo):\n");
  Print("  host", display.hostLine);
  Print("  port 2", display.port2Line);
  return 0;
}
