// A process runner for tests: records each command and its limit, and plays the child's part by
// writing the report the test scripted for that command (or leaving the folder untouched).
#pragma once

#include "dock_utility/orchestration/testing/scratch_folder.h"
#include "platform/process_runner.h"

#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace quaylin::testing {

struct RecordedCommand {
  std::wstring command;
  uint32_t timeoutMs = 0;
  bool operator==(const RecordedCommand&) const = default;
};

// Readable failure messages.
inline void PrintTo(const RecordedCommand& recorded, std::ostream* out) {
  *out << "{\"";
  for (const wchar_t c : recorded.command) {
    *out << (c < 0x80 ? static_cast<char>(c) : '?');
  }
  *out << "\", " << recorded.timeoutMs << "}";
}

class ScriptedProcessRunner final : public platform::ProcessRunner {
 public:
  explicit ScriptedProcessRunner(const ScratchFolder& temp) : temp_(temp) {}

  // The next run of `command` writes `report` as ch_device.txt.
  void ReportFor(const std::wstring& command, const std::string& report) {
    reports_[command].push_back(report);
  }

  platform::ProcessRunResult Run(const std::wstring& commandLine, uint32_t timeoutMs) override {
    commands_.push_back({commandLine, timeoutMs});
    auto scripted = reports_.find(commandLine);
    if (scripted != reports_.end() && !scripted->second.empty()) {
      temp_.Write("ch_device.txt", scripted->second.front());
      scripted->second.erase(scripted->second.begin());
    }
    return {true, true};
  }

  const std::vector<RecordedCommand>& Commands() const { return commands_; }

 private:
  const ScratchFolder& temp_;
  std::map<std::wstring, std::vector<std::string>> reports_;
  std::vector<RecordedCommand> commands_;
};

}  // namespace quaylin::testing
