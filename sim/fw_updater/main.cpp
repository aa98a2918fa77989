// quaylin_fw_update stand-in: see fw_updater.h and README.md.
#include "sim/fw_updater/fw_updater.h"

#include <iostream>

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const std::filesystem::path file = sim::DockStateFile();
  sim::DockState state;
  const bool attached = state.Load(file);  // no state file: no dock attached
  sim::RunFwUpdater(args, state, std::cout);
  std::cout.flush();
  if (attached && !state.Save(file)) {
    std::cout << "Error: cannot write the dock state " << file.string() << "\n";
  }
  return 0;
}
