#include "platform/process_runner.h"

#include "platform/text_codec.h"

#include <cerrno>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <vector>

namespace platform {
namespace {

// Runs the command line through /bin/sh, for the native tests of the code above the seam. A
// child that outlives its limit keeps running; it is reaped later, so no zombie stays behind.
class PosixProcessRunner final : public ProcessRunner {
 public:
  ~PosixProcessRunner() override { ReapFinished(); }

  ProcessRunResult Run(const std::wstring& commandLine, uint32_t timeoutMs) override {
    ReapFinished();
    const std::string command = WideToUtf8(commandLine);
    const pid_t child = fork();
    if (child < 0) {
      return {};
    }
    if (child == 0) {
      execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    for (;;) {
      int status = 0;
      const pid_t done = waitpid(child, &status, WNOHANG);
      if (done == child || (done < 0 && errno != EINTR)) {
        return {true, true};
      }
      timespec now{};
      clock_gettime(CLOCK_MONOTONIC, &now);
      const long long elapsedMs =
          (now.tv_sec - start.tv_sec) * 1000LL + (now.tv_nsec - start.tv_nsec) / 1000000LL;
      if (elapsedMs >= timeoutMs) {
        outliving_.push_back(child);
        return {true, false};
      }
      const timespec pause{0, 2 * 1000 * 1000};
      nanosleep(&pause, nullptr);
    }
  }

 private:
  void ReapFinished() {
    std::vector<pid_t> running;
    for (const pid_t pid : outliving_) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == 0) {
        running.push_back(pid);
      }
    }
    outliving_.swap(running);
  }

  std::vector<pid_t> outliving_;
};

}  // namespace

std::unique_ptr<ProcessRunner> MakeSystemProcessRunner() {
  return std::make_unique<PosixProcessRunner>();
}

}  // namespace platform
