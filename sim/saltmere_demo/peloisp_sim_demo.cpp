// Runs PeloISP's entry in this process against a simulated dock: a Talmont host with a Wrenlo
// at Port#2 and no Port#1 chip. Config.ini is read from the given folder (one naming the host
// and both ports is written there when it has none); the log goes to the working directory.
//   peloisp_sim_demo <folder> [option]     option defaults to -ChipInfo
#include "aux_isp_tool/shell/testing/sim_backends.h"
#include "aux_isp_tool/shell/tool_entry.h"
#include "sim/saltmere/saltmere_dock.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

sim::ChipConfig Chip(sim::ChipKind kind, const char* name, uint8_t hw, uint32_t version) {
  sim::ChipConfig config;
  config.kind = kind;
  config.flash = sim::MakeFlashImage({kind, 0x40000, {name, hw, version}, 0});
  return config;
}

class FolderExecutablePath final : public platform::ExecutablePath {
 public:
  explicit FolderExecutablePath(std::wstring folder) : folder_(std::move(folder)) {}
  bool FullPath(std::wstring& path) const override {
    path = folder_ + L"PeloISP.exe";
    return true;
  }

 private:
  std::wstring folder_;
};

std::wstring Widen(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

int Demo(std::string folder, const std::wstring& option) {
  if (folder.empty() || (folder.back() != '/' && folder.back() != '\\')) {
    folder += '/';
  }
  const std::string config = folder + "Config.ini";
  if (!std::ifstream(config)) {
    std::ofstream(config, std::ios::binary)
        << "[Firmware Update]\r\nFWFilePath=host.bin\r\nFWFilePathP1=port1.bin\r\n"
           "FWFilePathP2=port2.bin\r\n";
  }
  sim::SaltmereDock dock({Chip(sim::ChipKind::kTalmont, "Tm7730", 0x21, 0x014123), std::nullopt,
                          Chip(sim::ChipKind::kWrenlo, "WL4410", 0x11, 0x010203)});
  peloisp::testing::SimBackends backends(dock);
  peloisp::SystemToolEnvironment system;
  const FolderExecutablePath executable(Widen(folder));
  peloisp::ToolEnvironment env = system.Environment();
  const peloisp::ToolEnvironment demo{
      env.console,
      env.log,
      env.clock,
      executable,
      env.profile,
      [&backends](std::wstring& m, peloisp::IspContext& c) { return backends.Select(m, c); },
      env.localTime};
  return peloisp::RunTool({L"PeloISP.exe", option}, demo);
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  std::string folder;
  for (const wchar_t* c = argc > 1 ? argv[1] : L"."; *c != 0; ++c) {
    folder += static_cast<char>(*c);
  }
  return Demo(folder, argc > 2 ? argv[2] : L"-ChipInfo");
}
#else
int main(int argc, char** argv) {
  return Demo(argc > 1 ? argv[1] : ".", argc > 2 ? Widen(argv[2]) : L"-ChipInfo");
}
#endif
