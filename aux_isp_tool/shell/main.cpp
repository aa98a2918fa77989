// PeloISP: shows the versions of the dock's display-controller chips and updates their flash.
#include "aux_isp_tool/shell/tool_entry.h"

#include <string>
#include <vector>

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  const std::vector<std::wstring> args(argv, argv + argc);
#else
int main(int argc, char** argv) {
  std::vector<std::wstring> args;
  for (int i = 0; i < argc; ++i) {
    std::wstring arg;
    for (const char* c = argv[i]; *c != '\0'; ++c) {
      arg += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    }
    args.push_back(arg);
  }
#endif
  peloisp::SystemToolEnvironment system;
  peloisp::RunTool(args, system.Environment());
  return 0;
}
