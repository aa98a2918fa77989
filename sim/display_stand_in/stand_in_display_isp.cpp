// Stand-in PeloISP: see README.md beside this file.
#include "sim/fw_updater/dock_state.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

void AppendToolLog(const char* line) {
  std::FILE* log = std::fopen("PeloAuxISPTool.log", "ab");
  if (log != nullptr) {
    std::fprintf(log, "%s\r\n", line);
    std::fclose(log);
  }
}

bool ReadImage(const std::filesystem::path& file, std::string& host, std::string& port2) {
  std::ifstream in(file);
  std::string magic;
  std::string kind;
  if (!(in >> magic >> kind >> host >> port2)) {
    return false;
  }
  return magic == "SIMFW" && kind == "display";
}

int ChipInfo(const sim::DockState& dock) {
  AppendToolLog("stand-in PeloISP -ChipInfo");
  std::printf("Current on-board F/W Version:\r\n");
  std::printf("  Host   Device: Talmont App: Tm7730 v%s  (cut1.0)\r\n",
              dock.Get("display", "host", "0.0").c_str());
  std::printf("  Port#2 Device: Wrenlo App: WL4410 v%s  (cut1.1)\r\n",
              dock.Get("display", "port2", "0.0").c_str());
  return 0;
}

int Run(sim::DockState& dock, const std::filesystem::path& stateFile,
        const std::filesystem::path& image) {
  AppendToolLog("stand-in PeloISP -Run");
  std::printf("Updating host device ...\r\n");
  const int runs = std::atoi(dock.Get("display", "runs", "0").c_str());
  dock.Set("display", "runs", std::to_string(runs + 1));
  const int failRuns = std::atoi(dock.Get("display", "fail_runs", "0").c_str());
  if (failRuns > 0) {
    dock.Set("display", "fail_runs", std::to_string(failRuns - 1));
    dock.Save(stateFile);
    std::printf("ISP failed!\r\n");
    return 0;
  }
  std::string host;
  std::string port2;
  if (!ReadImage(image, host, port2)) {
    dock.Save(stateFile);
    std::printf("Firmware file not found\r\nISP failed!\r\n");
    return 0;
  }
  dock.Set("display", "host", host);
  dock.Set("display", "port2", port2);
  if (!dock.Save(stateFile)) {
    std::printf("ISP failed!\r\n");
    return 0;
  }
  std::printf("ISP completed!\r\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path stateFile = sim::DockStateFile();
  sim::DockState dock;
  if (!dock.Load(stateFile) || dock.Get("dock", "present") != "1") {
    AppendToolLog("stand-in PeloISP: no dock");
    std::printf("No dock found\r\n");
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "-ChipInfo") == 0) {
    return ChipInfo(dock);
  }
  if (argc == 2 && std::strcmp(argv[1], "-Run") == 0) {
    const std::filesystem::path image =
        std::filesystem::absolute(argv[0]).parent_path() / "display.simfw";
    return Run(dock, stateFile, image);
  }
  std::printf("Stand-in PeloISP supports -ChipInfo and -Run\r\n");
  return 0;
}
