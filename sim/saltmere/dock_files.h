// The display-controller chips of a dock kept in the dock's state folder, so that a chain of
// processes (check, update, check again) sees one dock. dock.ini describes them:
//   [display_host] / [display_port1] / [display_port2]
//   kind=wrenlo|corbelle|fenn|talmont   address=0x6E   flash=<file in the folder>
//   hw=0x11 (the internal ROM's revision)   unselectable=1 (a port the router cannot select)
// The flash images are binary files beside dock.ini. No [display_host] means no chip set.
#pragma once

#include "sim/fw_updater/dock_state.h"
#include "sim/saltmere/saltmere_dock.h"

#include <filesystem>
#include <optional>
#include <string>

namespace sim {

// The chip set the state describes; nothing (and the reason in `error`) when the state has no
// host chip or a section or flash file cannot be used.
std::optional<DockConfig> LoadDisplayChips(const DockState& state,
                                           const std::filesystem::path& folder, std::string& error);

// Marks the ports the state calls unselectable.
void ApplyDisplayFaults(const DockState& state, SaltmereDock& dock);

// Writes every chip's flash back to its file, each replaced whole (never half written).
bool SaveDisplayFlash(const DockState& state, const std::filesystem::path& folder,
                      SaltmereDock& dock);

}  // namespace sim
