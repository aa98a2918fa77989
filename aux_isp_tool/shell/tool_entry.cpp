#include "aux_isp_tool/shell/tool_entry.h"

#include "aux_isp_tool/gfx/format_text.h"
#include "aux_isp_tool/isp/chip_identification.h"
#include "aux_isp_tool/isp/run_settings.h"
#include "aux_isp_tool/shell/config.h"
#include "aux_isp_tool/shell/status_engine_output.h"
#include "aux_isp_tool/shell/status_output.h"
#include "aux_isp_tool/shell/status_updater.h"

#include <ctime>
#include <cwctype>

namespace peloisp {
namespace {

constexpr wchar_t kToolName[] = L"Saltmere AUX-ISP Tool";
constexpr wchar_t kToolKind[] = L" (console) v";
constexpr wchar_t kToolVersion[] = L"3.5";
constexpr wchar_t kLogSeparator[] = L"====================================\r\n";
constexpr size_t kTimeChars = 128;  // "%c" text, at most 127 characters

constexpr wchar_t kOptionChipInfo[] = L"-ChipInfo";
constexpr wchar_t kOptionFullErase[] = L"-FullErase";
constexpr wchar_t kOptionRun[] = L"-Run";

constexpr wchar_t kNotDeleteLogKey[] = L"NotDeleteLogFile";

bool SameIgnoringCase(const std::wstring& a, const wchar_t* b) {
  const std::wstring other = b;
  if (a.size() != other.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::towlower(static_cast<wint_t>(a[i])) != std::towlower(static_cast<wint_t>(other[i]))) {
      return false;
    }
  }
  return true;
}

std::wstring Widen(const std::string& text) {
  std::wstring wide;
  for (char c : text) {
    wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
  }
  return wide;
}

// Each run starts a fresh log unless Config.ini keeps the previous one (NotDeleteLogFile=1).
void PrepareLog(const ToolEnvironment& env, const std::wstring& logName) {
  std::wstring own;
  bool keep = false;
  if (env.executable.FullPath(own)) {
    const std::wstring folder = ExecutableFolder(own);
    if (!folder.empty()) {
      keep =
          env.profile.ReadInt(folder + kConfigFileName, kConfigSection, kNotDeleteLogKey, -1) == 1;
    }
  }
  if (!keep) {
    env.log.Remove(logName);
  }
}

void ShowUsage(StatusOutput& output, const std::vector<std::wstring>& args) {
  const std::wstring program = args.empty() ? std::wstring() : args[0];
  output.PrintConsole(program + L" [command-option]\r\n\r\n");
  output.PrintConsole(L"Command-option:\r\n");
  output.PrintConsole(
      L"  -ChipInfo         Display chip version, F/W version and chip serial number.\r\n");
  output.PrintConsole(L"  -Run              Run ISP process based on \"config.ini\" file.\r\n\r\n");
  output.PrintConsole(L"Command-option is not case-sensitive.\r\n\r\n");
}

}  // namespace

int ModeFromArguments(const std::vector<std::wstring>& args) {
  if (args.size() != 2) {
    return kModeNone;
  }
  if (SameIgnoringCase(args[1], kOptionChipInfo)) {
    return kModeChipInfo;
  }
  if (SameIgnoringCase(args[1], kOptionFullErase)) {
    return kModeFullErase;
  }
  if (SameIgnoringCase(args[1], kOptionRun)) {
    return kModeRunRequested;
  }
  return kModeNone;
}

std::string LocalTimeText() {
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  char text[kTimeChars] = {};
  if (local == nullptr || std::strftime(text, sizeof text, "%c", local) == 0) {
    return {};
  }
  return text;
}

SystemToolEnvironment::SystemToolEnvironment()
    : console(platform::MakeSystemConsole()),
      log(platform::MakeSystemLogFile()),
      clock(platform::MakeSystemClock()),
      executable(platform::MakeSystemExecutablePath()),
      profile(platform::MakeSystemProfileFile()) {}

ToolEnvironment SystemToolEnvironment::Environment() {
  return {
      *console,
      *log,
      *clock,
      *executable,
      *profile,
      [](std::wstring& message, IspContext& context) { return SelectBackend(message, context); },
      LocalTimeText};
}

int RunTool(const std::vector<std::wstring>& args, const ToolEnvironment& env) {
  // The context lives for the whole run; leaving this scope on any path tears it down.
  IspContext context(env.clock);
  RunSettings settings;
  StatusOutput output(env.console, env.log);
  StatusUpdater updater(output);
  StatusEngineOutput engineOutput(output);
  std::wstring message;

  output.SetLogFileName(kLogFileName);
  PrepareLog(env, kLogFileName);

  const std::wstring banner = std::wstring(kToolName) + kToolKind + kToolVersion + L"\r\n";
  output.PrintConsole(banner);
  output.WriteLog(banner);

  output.WriteLog(kLogSeparator);
  std::string now = env.localTime ? env.localTime() : std::string();
  if (now.size() >= kTimeChars) {
    now.resize(kTimeChars - 1);
  }
  output.WriteLog(Widen(now));
  output.WriteLog(std::wstring(L"\r\n") + kLogSeparator);

  message.clear();
  const ConfigSources sources{env.executable, env.profile};
  if (!LoadConfig(context, settings, message, sources)) {
    output.ShowNotice(message);
    output.WriteLog(message);
    return 0;
  }

  message.clear();
  const int selected = env.selectBackend ? env.selectBackend(message, context) : 2;
  output.WriteLog(message);
  if (selected == 0) {
    const std::wstring line = L"Graphics adapter: " + context.adapterLabel + L"\r\n";
    output.PrintConsole(line);
    output.WriteLog(line);
  } else {
    const wchar_t* line = selected == 2
                              ? L"Graphics adapter initialization failed!\r\n"
                              : L"Graphics adapter initialization done but connection failed!\r\n";
    output.WriteLog(line);
    output.ShowNotice(line);
  }

  message.clear();
  const int mode = ModeFromArguments(args);
  if (args.size() == 2) {
    if (mode == kModeChipInfo) {
      message = L"[Chip Information]\r\n";
    } else if (mode == kModeFullErase) {
      message = L"[SPI Flash: Full Erase]\r\n";
    }
    output.PrintConsole(message);
    output.WriteLog(message);
  }

  switch (mode) {
    case kModeChipInfo:
      context.progress = &updater;
      ShowChipInfo(context, engineOutput, settings);
      break;
    case kModeRunRequested:
    case kModeFullErase: {
      // The update and erase procedures are not part of this build: say so, never succeed.
      const wchar_t* notice = mode == kModeFullErase
                                  ? L"Full erase is not available in this build.\r\n"
                                  : L"ISP update is not available in this build.\r\n";
      output.ShowNotice(notice);
      output.WriteLog(notice);
      break;
    }
    default:
      ShowUsage(output, args);
      break;
  }
  context.progress = nullptr;
  return 0;
}

}  // namespace peloisp
