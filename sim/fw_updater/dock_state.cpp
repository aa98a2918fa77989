#include "sim/fw_updater/dock_state.h"

#include <cstdlib>
#include <fstream>
#include <system_error>

namespace sim {
namespace {

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) {
    return {};
  }
  const size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

}  // namespace

bool DockState::Load(const std::filesystem::path& file) {
  sections_.clear();
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    return false;
  }
  std::string line;
  std::string section;
  while (std::getline(in, line)) {
    line = Trim(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') {
      continue;
    }
    if (line.front() == '[' && line.back() == ']') {
      section = Trim(line.substr(1, line.size() - 2));
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string::npos || section.empty()) {
      continue;
    }
    Set(section, Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)));
  }
  return true;
}

bool DockState::Save(const std::filesystem::path& file) const {
  std::error_code error;
  if (file.has_parent_path()) {
    std::filesystem::create_directories(file.parent_path(), error);
  }
  std::filesystem::path temporary = file;
  temporary += ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    for (const auto& [name, keys] : sections_) {
      out << '[' << name << "]\n";
      for (const auto& [key, value] : keys) {
        out << key << '=' << value << '\n';
      }
    }
    if (!out.flush()) {
      return false;
    }
  }
  std::filesystem::rename(temporary, file, error);
  return !error;
}

std::string DockState::Get(const std::string& section, const std::string& key,
                           const std::string& fallback) const {
  for (const auto& [name, keys] : sections_) {
    if (name == section) {
      for (const auto& [k, value] : keys) {
        if (k == key) {
          return value;
        }
      }
    }
  }
  return fallback;
}

void DockState::Set(const std::string& section, const std::string& key, const std::string& value) {
  for (auto& [name, keys] : sections_) {
    if (name == section) {
      for (auto& [k, v] : keys) {
        if (k == key) {
          v = value;
          return;
        }
      }
      keys.emplace_back(key, value);
      return;
    }
  }
  sections_.push_back({section, {{key, value}}});
}

void DockState::ClearSection(const std::string& section) {
  for (auto& [name, keys] : sections_) {
    if (name == section) {
      keys.clear();
    }
  }
}

std::filesystem::path DockStateFile() {
  const char* folder = std::getenv("SIM_DOCK_DIR");
  const std::filesystem::path base =
      (folder != nullptr && *folder != '\0') ? std::filesystem::path(folder) : "sim_dock";
  return base / "dock.ini";
}

}  // namespace sim
