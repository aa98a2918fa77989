#include "sim/fw_updater/fw_updater.h"

#include <cctype>
#include <fstream>
#include <optional>
#include <sstream>

namespace sim {
namespace {

struct HubOptions {
  const char* vid;
  const char* pid30;
  const char* pid20;
  const char* serial;
};

struct Component {
  const char* option;       // operation option, followed by the image path
  const char* section;      // dock.ini section
  const char* imageKind;    // kind an image must name
  const char* successLine;  // printed when the update is done
  std::optional<HubOptions> hub;
};

const Component kComponents[] = {
    {"-bf", "billboard", "billboard", "Billboard Firmware Update Procedure Completed", {}},
    {"-hfu", "upstream_hub", "hub", "Upstream RQ9 user defined configuration update Completed",
     HubOptions{"-hvidu", "-h30pidu", "-h20pidu", "-hsnu"}},
    {"-hfd1", "downstream_hub", "hub", "Downstream RQ9 user defined configuration update Completed",
     HubOptions{"-hvidd1", "-h30pidd1", "-h20pidd1", "-hsnd1"}},
    {"-cfu", "upstream_pd", "pd", "Upstream Orlx Firmware Update Procedure Completed", {}},
    {"-cfd1", "downstream_pd", "pd", "Downstream-1 Orlx Firmware Update Procedure Completed", {}},
};

struct VersionSection {
  const char* header;
  const char* section;
  const char* prefix;
};

const VersionSection kVersionReport[] = {
    {"BILLBOARD VERSION INFO", "billboard", "\tVersion: "},
    {"UPSTREAM ORLX VERSION INFO", "upstream_pd", "\tApplication Version: "},
    {"DOWNSTREAM-1 ORLX VERSION INFO", "downstream_pd", "\tApplication Version: "},
    {"UPSTREAM RQ9 VERSION INFO", "upstream_hub", "\tVersion: "},
    {"DOWNSTREAM RQ9 VERSION INFO", "downstream_hub", "\tVersion: "},
};

class Options {
 public:
  explicit Options(const std::vector<std::string>& args) : args_(args) {}

  // The value after `name`; nullopt when the option is absent or has no value.
  std::optional<std::string> Value(const std::string& name) const {
    for (size_t i = 0; i + 1 < args_.size(); ++i) {
      if (args_[i] == name) {
        return args_[i + 1];
      }
    }
    return std::nullopt;
  }
  bool Has(const std::string& name) const {
    for (const std::string& arg : args_) {
      if (arg == name) {
        return true;
      }
    }
    return false;
  }

 private:
  const std::vector<std::string>& args_;
};

bool IsFourHexDigits(const std::string& text) {
  if (text.size() != 4) {
    return false;
  }
  for (const char c : text) {
    if (std::isxdigit(static_cast<unsigned char>(c)) == 0) {
      return false;
    }
  }
  return true;
}

// Reads "SIMFW <kind> <version>" from the image's first line.
bool ReadImage(const std::string& path, const std::string& kind, std::string& version,
               std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "image file not found: " + path;
    return false;
  }
  std::string line;
  std::getline(in, line);
  std::istringstream fields(line);
  std::string magic;
  std::string imageKind;
  fields >> magic >> imageKind >> version;
  if (magic != kImageMagic || version.empty()) {
    error = "not a firmware image: " + path;
    return false;
  }
  if (imageKind != kind) {
    error = "image " + path + " is for a " + imageKind + ", not a " + kind;
    return false;
  }
  return true;
}

void RecordCall(const std::vector<std::string>& args, DockState& state) {
  state.ClearSection("last_call");
  state.Set("last_call", "argc", std::to_string(args.size()));
  for (size_t i = 0; i < args.size(); ++i) {
    state.Set("last_call", "arg" + std::to_string(i + 1), args[i]);
  }
}

bool Fail(std::ostream& out, const std::string& error) {
  out << "Error: " << error << "\n";
  out << "Update failed\n";
  return false;
}

bool Update(const Component& component, const Options& options, DockState& state,
            std::ostream& out) {
  const std::optional<std::string> image = options.Value(component.option);
  if (!image) {
    return Fail(out, std::string(component.option) + " needs an image file");
  }
  std::string version;
  std::string error;
  if (!ReadImage(*image, component.imageKind, version, error)) {
    return Fail(out, error);
  }
  if (component.hub) {
    const HubOptions& hub = *component.hub;
    for (const char* id : {hub.vid, hub.pid30, hub.pid20}) {
      const std::optional<std::string> value = options.Value(id);
      if (!value || !IsFourHexDigits(*value)) {
        return Fail(out, std::string(id) + " needs 4 hexadecimal digits");
      }
    }
    const std::optional<std::string> serial = options.Value(hub.serial);
    if (!serial || serial->empty()) {
      return Fail(out, std::string(hub.serial) + " needs the dock's serial number");
    }
    state.Set(component.section, "vid", *options.Value(hub.vid));
    state.Set(component.section, "pid30", *options.Value(hub.pid30));
    state.Set(component.section, "pid20", *options.Value(hub.pid20));
    state.Set(component.section, "serial", *serial);
  }
  out << "Updating " << component.section << " with " << *image << "\n";
  state.Set(component.section, "version", version);
  out << component.successLine << "\n";
  return true;
}

void PrintVersions(const DockState& state, std::ostream& out) {
  for (const VersionSection& section : kVersionReport) {
    out << section.header << "\n";
    out << section.prefix << state.Get(section.section, "version", "unknown") << "\n";
  }
}

}  // namespace

void RunFwUpdater(const std::vector<std::string>& args, DockState& state, std::ostream& out) {
  RecordCall(args, state);
  out << "quaylin_fw_update (simulated dock)\n";
  const Options options(args);

  std::vector<std::string> known = {"-v", "-pid", "-fupid"};
  for (const Component& component : kComponents) {
    known.push_back(component.option);
    if (component.hub) {
      known.insert(known.end(), {component.hub->vid, component.hub->pid30, component.hub->pid20,
                                 component.hub->serial});
    }
  }
  for (size_t i = 0; i < args.size(); ++i) {
    bool isKnown = false;
    for (const std::string& name : known) {
      isKnown = isKnown || args[i] == name;
    }
    if (!isKnown) {
      Fail(out, "unknown option " + args[i]);
      return;
    }
    if (args[i] != "-v") {
      ++i;  // skip the option's value
    }
  }
  if (options.Value("-pid") != "5217" || options.Value("-fupid") != "5218") {
    Fail(out, "-pid 5217 -fupid 5218 expected");
    return;
  }
  if (state.Get("dock", "present") != "1") {
    Fail(out, "no dock found");
    return;
  }

  int operations = options.Has("-v") ? 1 : 0;
  for (const Component& component : kComponents) {
    operations += options.Has(component.option) ? 1 : 0;
  }
  if (operations != 1) {
    Fail(out, "exactly one of -v, -bf, -hfu, -hfd1, -cfu, -cfd1 expected");
    return;
  }
  if (options.Has("-v")) {
    PrintVersions(state, out);
    return;
  }
  for (const Component& component : kComponents) {
    if (options.Has(component.option)) {
      Update(component, options, state, out);
    }
  }
}

}  // namespace sim
