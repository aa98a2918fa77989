#include "platform/process_runner.h"

#include "platform/text_codec.h"

#include <cerrno>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace platform {
namespace {

// Runs the command line through /bin/sh, for the native tests of the code above the seam. A
// child that outlives its limit keeps running and is waited for before the next command.
class PosixProcessRunner final : public ProcessRunner {
 public:
  void WaitForOutlivingChild() override {
    if (outliving_ > 0) {
      int status = 0;
      while (waitpid(outliving_, &status, 0) < 0 && errno == EINTR) {
      }
      outliving_ = 0;
    }
  }

  ProcessRunResult Run(const std::wstring& commandLine, uint32_t timeoutMs) override {
    WaitForOutlivingChild();
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
        outliving_ = child;
        return {true, false};
      }
      const timespec pause{0, 2 * 1000 * 1000};
      nanosleep(&pause, nullptr);
    }
  }

 private:
  pid_t outliving_ = 0;
};

}  // namespace

std::unique_ptr<ProcessRunner> MakeSystemProcessRunner() {
  return std::make_unique<PosixProcessRunner>();
}

}  // namespace platform
