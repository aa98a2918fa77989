// torv_sim_ctl: the simulated bridge driver from the command line, for demos and by hand.
//   torv_sim_ctl reset | dump | absent | present
#include "sim/torv_driver/sim_bridge_control.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  const std::string command = argc == 2 ? argv[1] : "";
  sim::SimBridgeControl control;
  bool ok = false;
  if (command == "reset") {
    ok = control.Reset();
  } else if (command == "absent" || command == "present") {
    ok = control.SetPresent(command == "present");
  } else if (command == "dump") {
    sim::SimBridgeControl::Eeprom eeprom{};
    ok = control.GetEeprom(eeprom);
    for (size_t i = 0; ok && i < eeprom.size(); ++i) {
      std::printf("%02X%s", eeprom[i], i % 16 == 15 ? "\n" : " ");
    }
  } else {
    std::fprintf(stderr, "usage: torv_sim_ctl reset | dump | absent | present\n");
    return 2;
  }
  if (!ok) {
    std::fprintf(stderr, "torv_sim_ctl: the simulated bridge driver did not answer\n");
    return 1;
  }
  return 0;
}
