// The stand-in for the outside updater quaylin_fw_update: accepts its options, keeps the
// billboard, hub and PD-controller versions of a simulated dock, and prints the report lines
// that quaylin reads.
#pragma once

#include "sim/fw_updater/dock_state.h"

#include <ostream>
#include <string>
#include <vector>

namespace sim {

// The first line of an image file this stand-in accepts: "SIMFW <kind> <version>", kind one of
// billboard, hub, pd.
inline constexpr char kImageMagic[] = "SIMFW";

// Runs one call (`args` without the program name) against `state` and prints the report on
// `out`. Every call is recorded in the state's [last_call] section, argument by argument.
void RunFwUpdater(const std::vector<std::string>& args, DockState& state, std::ostream& out);

}  // namespace sim
