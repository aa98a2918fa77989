// The simulated dock's state, shared by every process of a run: a small INI file, dock.ini,
// in the folder named by SIM_DOCK_DIR (else "sim_dock" under the working folder).
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace sim {

class DockState {
 public:
  // Reads `file`; false (and an empty state) when it cannot be read.
  bool Load(const std::filesystem::path& file);
  // Writes the whole state to a temporary file beside `file`, then replaces `file` with it, so a
  // reader never sees half a state.
  bool Save(const std::filesystem::path& file) const;

  std::string Get(const std::string& section, const std::string& key,
                  const std::string& fallback = {}) const;
  void Set(const std::string& section, const std::string& key, const std::string& value);
  void ClearSection(const std::string& section);

 private:
  // Sections and keys in file order.
  std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> sections_;
};

// Where this process finds the dock: $SIM_DOCK_DIR/dock.ini, else sim_dock/dock.ini.
std::filesystem::path DockStateFile();

}  // namespace sim
