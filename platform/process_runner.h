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
  // it is never stopped, because it may be writing a chip's flash.
  virtual ProcessRunResult Run(const std::wstring& commandLine, uint32_t timeoutMs) = 0;
};

// The operating system's runner (CreateProcessW on Windows, fork/exec of /bin/sh elsewhere).
std::unique_ptr<ProcessRunner> MakeSystemProcessRunner();

}  // namespace platform
