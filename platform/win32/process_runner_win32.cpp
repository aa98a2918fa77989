#include "platform/process_runner.h"

#include <windows.h>

#include <vector>

namespace platform {
namespace {

// The system's own interpreter, never one found through the search order (which starts in the
// program's folder, where a planted cmd.exe would run with the user's rights).
std::wstring SystemCommandInterpreter() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) {
    return {};
  }
  std::wstring path(folder, length);
  if (path.back() != L'\\') {
    path += L'\\';
  }
  return path + L"cmd.exe";
}

class Win32ProcessRunner final : public ProcessRunner {
 public:
  ProcessRunResult Run(const std::wstring& commandLine, uint32_t timeoutMs) override {
    const std::wstring interpreter = SystemCommandInterpreter();
    if (interpreter.empty()) {
      return {};
    }
    // CreateProcessW may write into the command text: hand it a private copy.
    std::vector<wchar_t> text(commandLine.begin(), commandLine.end());
    text.push_back(L'\0');

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    GetStartupInfoW(&startup);

    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(interpreter.c_str(), text.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &process)) {
      return {};
    }
    const DWORD wait = WaitForSingleObject(process.hProcess, timeoutMs);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);  // read, never judged: callers read the report
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return {true, wait == WAIT_OBJECT_0};
  }
};

}  // namespace

std::unique_ptr<ProcessRunner> MakeSystemProcessRunner() {
  return std::make_unique<Win32ProcessRunner>();
}

}  // namespace platform
