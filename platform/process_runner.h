// Starting a command-interpreter command line as a child process without a window.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

struct ProcessRunResult {
  bool started = false;  // the child process was created
  bool ended = false;    // it ended within the time limit
};

class ProcessRunner {
 public:
  virtual ~ProcessRunner() = default;

  // Runs `commandLine` (a command for the system's command interpreter, e.g. "cmd.exe /c ...")
  // and waits up to `timeoutMs` for it to end. A child that outlives the limit keeps running:
  // it is never stopped, because it may be writing a chip's flash. Run never starts a command
  // beside such a child: it first waits for it to end.
  virtual ProcessRunResult Run(const std::wstring& commandLine, uint32_t timeoutMs) = 0;

  // Waits, without a limit, for a child that outlived its limit in an earlier Run to end;
  // returns at once when there is none.
  virtual void WaitForOutlivingChild() {}
};

// The operating system's runner (CreateProcessW on Windows, fork/exec of /bin/sh elsewhere).
std::unique_ptr<ProcessRunner> MakeSystemProcessRunner();

}  // namespace platform
