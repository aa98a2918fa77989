#include "sim/saltmere/dock_files.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

namespace sim {
namespace {

constexpr const char* kSections[] = {"display_host", "display_port1", "display_port2"};

std::optional<ChipKind> KindFromText(const std::string& text) {
  if (text == "wrenlo") {
    return ChipKind::kWrenlo;
  }
  if (text == "corbelle") {
    return ChipKind::kCorbelle;
  }
  if (text == "fenn") {
    return ChipKind::kFenn;
  }
  if (text == "talmont") {
    return ChipKind::kTalmont;
  }
  return std::nullopt;
}

// A byte value written in decimal or with 0x.
std::optional<uint8_t> ByteFromText(const std::string& text, uint8_t fallback) {
  if (text.empty()) {
    return fallback;
  }
  char* end = nullptr;
  const unsigned long value = std::strtoul(text.c_str(), &end, 0);
  if (end != text.c_str() + text.size() || text[0] == '-' || value > 0xFF) {
    return std::nullopt;
  }
  return static_cast<uint8_t>(value);
}

bool SafeFileName(const std::string& name) {
  return !name.empty() && name.find_first_of("/\\:") == std::string::npos && name != "." &&
         name != "..";
}

std::optional<ChipConfig> LoadChip(const DockState& state, const std::string& section,
                                   const std::filesystem::path& folder, std::string& error) {
  const auto kind = KindFromText(state.Get(section, "kind"));
  const auto address = ByteFromText(state.Get(section, "address"), 0x6E);
  const auto hw = ByteFromText(state.Get(section, "hw"), 0x11);
  const std::string flash = state.Get(section, "flash");
  if (!kind || !address || !hw || !SafeFileName(flash)) {
    error = "[" + section + "] needs kind, a byte address and hw, and a flash file name";
    return std::nullopt;
  }
  std::ifstream in(folder / flash, std::ios::binary);
  if (!in) {
    error = "cannot read " + (folder / flash).string();
    return std::nullopt;
  }
  ChipConfig config;
  config.kind = *kind;
  config.i2cAddress = *address;
  config.romHwRevision = *hw;
  config.flash.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return config;
}

}  // namespace

std::optional<DockConfig> LoadDisplayChips(const DockState& state,
                                           const std::filesystem::path& folder,
                                           std::string& error) {
  if (state.Get(kSections[0], "kind").empty()) {
    error = "no [display_host] in the dock state";
    return std::nullopt;
  }
  auto host = LoadChip(state, kSections[0], folder, error);
  if (!host) {
    return std::nullopt;
  }
  DockConfig config{std::move(*host), std::nullopt, std::nullopt};
  std::optional<ChipConfig>* ports[] = {&config.port1, &config.port2};
  for (int i = 0; i < 2; ++i) {
    if (state.Get(kSections[i + 1], "kind").empty()) {
      continue;
    }
    auto port = LoadChip(state, kSections[i + 1], folder, error);
    if (!port) {
      return std::nullopt;
    }
    *ports[i] = std::move(*port);
  }
  return config;
}

void ApplyDisplayFaults(const DockState& state, SaltmereDock& dock) {
  for (int port = 1; port <= 2; ++port) {
    if (SaltmereChip* chip = dock.Port(port)) {
      chip->Faults().unselectable = state.Get(kSections[port], "unselectable") == "1";
    }
  }
}

bool SaveDisplayFlash(const DockState& state, const std::filesystem::path& folder,
                      SaltmereDock& dock) {
  SaltmereChip* chips[] = {&dock.Host(), dock.Port(1), dock.Port(2)};
  bool saved = true;
  for (int i = 0; i < 3; ++i) {
    const std::string name = state.Get(kSections[i], "flash");
    if (chips[i] == nullptr || !SafeFileName(name)) {
      continue;
    }
    const std::filesystem::path file = folder / name;
    std::filesystem::path temporary = file;
    temporary += ".new";
    {
      std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
      const auto& flash = chips[i]->Flash();
      out.write(reinterpret_cast<const char*>(flash.data()),
                static_cast<std::streamsize>(flash.size()));
      if (!out.flush()) {
        saved = false;
        continue;
      }
    }
    std::error_code error;
    std::filesystem::rename(temporary, file, error);
    saved = saved && !error;
  }
  return saved;
}

}  // namespace sim
