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
  Win32ProcessRunner() = default;
  Win32ProcessRunner(const Win32ProcessRunner&) = delete;
  Win32ProcessRunner& operator=(const Win32ProcessRunner&) = delete;
  // An outliving child is left running; only our handle to it is given up.
  ~Win32ProcessRunner() override {
    if (outliving_ != nullptr) {
      CloseHandle(outliving_);
    }
  }

  void WaitForOutlivingChild() override {
    if (outliving_ != nullptr) {
      WaitForSingleObject(outliving_, INFINITE);
      CloseHandle(outliving_);
      outliving_ = nullptr;
    }
  }

  ProcessRunResult Run(const std::wstring& commandLine, uint32_t timeoutMs) override {
    WaitForOutlivingChild();
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
    CloseHandle(process.hThread);
    const bool ended = wait == WAIT_OBJECT_0;
    if (ended) {
      CloseHandle(process.hProcess);
    } else {
      outliving_ = process.hProcess;  // waited for before the next command starts
    }
    return {true, ended};
  }

 private:
  HANDLE outliving_ = nullptr;
};

}  // namespace

std::unique_ptr<ProcessRunner> MakeSystemProcessRunner() {
  return std::make_unique<Win32ProcessRunner>();
}

}  // namespace platform
