// PeloISP's entry: one task per process, chosen by one command option; every result is a line
// of console text, and the exit status is always 0.
#pragma once

#include "aux_isp_tool/isp/isp_context.h"
#include "platform/clock.h"
#include "platform/console.h"
#include "platform/executable_path.h"
#include "platform/log_file.h"
#include "platform/profile_file.h"

#include <functional>
#include <string>
#include <vector>

namespace peloisp {

// Run modes.
inline constexpr int kModeNone = 0;
inline constexpr int kModeRunRequested = 1;
inline constexpr int kModeRunConfirmed = 2;
inline constexpr int kModeChipInfo = 7;
inline constexpr int kModeFullErase = 8;

// The mode an argument list selects: exactly one option, compared without regard to case.
int ModeFromArguments(const std::vector<std::wstring>& args);

struct ToolEnvironment {
  platform::Console& console;
  platform::LogFile& log;
  platform::Clock& clock;
  const platform::ExecutablePath& executable;
  const platform::ProfileFile& profile;
  // Picks and connects the graphics channel (SelectBackend's results and report).
  std::function<int(std::wstring& message, IspContext& context)> selectBackend;
  // The local date and time as "%c" writes it.
  std::function<std::string()> localTime;
};

// The system's console, log, clock, own path, profile reader, backends and time. Kept alive by
// the caller for the duration of RunTool.
struct SystemToolEnvironment {
  SystemToolEnvironment();
  ToolEnvironment Environment();

  std::unique_ptr<platform::Console> console;
  std::unique_ptr<platform::LogFile> log;
  std::unique_ptr<platform::Clock> clock;
  std::unique_ptr<platform::ExecutablePath> executable;
  std::unique_ptr<platform::ProfileFile> profile;
};

// `args[0]` is the program's first command-line word as invoked. Returns 0.
int RunTool(const std::vector<std::wstring>& args, const ToolEnvironment& environment);

// The "%c" form of the current local time, at most 127 characters.
std::string LocalTimeText();

}  // namespace peloisp
