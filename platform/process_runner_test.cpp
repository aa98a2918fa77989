#include "platform/process_runner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#define WIDEN2(x) L##x
#define WIDEN(x) WIDEN2(x)

namespace platform {
namespace {

namespace fs = std::filesystem;

fs::path ScratchPath(const std::string& name) {
  return fs::temp_directory_path() /
         (name + "_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A command that runs the sleeping stand-in: waits `ms`, then appends `text` to `file`.
std::wstring SleeperCommand(int ms, const fs::path& file, const std::wstring& text) {
  std::wstring command;
#ifdef _WIN32
  command = L"cmd.exe /c ";
#endif
  command += WIDEN(SIM_SLEEP_PATH);
  command += L" " + std::to_wstring(ms) + L" " + file.wstring() + L" " + text;
  return command;
}

TEST(ProcessRunner, WaitsForACommandThatEndsInTime) {
  const fs::path out = ScratchPath("runner_done");
  auto runner = MakeSystemProcessRunner();
  const ProcessRunResult result = runner->Run(SleeperCommand(0, out, L"done"), 30000);
  EXPECT_TRUE(result.started);
  EXPECT_TRUE(result.ended);
  EXPECT_EQ(ReadAll(out), "done\n");
  fs::remove(out);
}

TEST(ProcessRunner, ReturnsAtTheLimitAndLeavesTheChildRunning) {
  const fs::path out = ScratchPath("runner_late");
  auto runner = MakeSystemProcessRunner();
  const auto start = std::chrono::steady_clock::now();
  const ProcessRunResult result = runner->Run(SleeperCommand(3000, out, L"late"), 300);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_TRUE(result.started);
  EXPECT_FALSE(result.ended);
  EXPECT_GE(waited, std::chrono::milliseconds(300));
  EXPECT_LT(waited, std::chrono::milliseconds(2500));
  EXPECT_FALSE(fs::exists(out));

  // Not stopped: it finishes its work after the runner has returned.
  for (int i = 0; i < 200 && ReadAll(out).empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_EQ(ReadAll(out), "late\n");
  fs::remove(out);
}

TEST(ProcessRunner, NeverStartsACommandBesideAChildThatOutlivedItsLimit) {
  const fs::path out = ScratchPath("runner_order");
  auto runner = MakeSystemProcessRunner();
  EXPECT_FALSE(runner->Run(SleeperCommand(1500, out, L"first"), 100).ended);

  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(runner->Run(SleeperCommand(0, out, L"second"), 30000).ended);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
  EXPECT_EQ(ReadAll(out), "first\nsecond\n");
  fs::remove(out);
}

#ifdef _WIN32
TEST(ProcessRunner, RunsTheSystemInterpreterNotOneInTheProgramFolder) {
  // The build plants a cmd.exe next to this test program: the first place the search order
  // looks. It leaves a marker in %TEMP% if it runs.
  const char* temp = std::getenv("TEMP");
  ASSERT_NE(temp, nullptr);
  const fs::path marker = fs::path(temp) / "planted_cmd_ran.txt";
  fs::remove(marker);
  ASSERT_TRUE(fs::exists(fs::path(WIDEN(PLANTED_CMD_PATH))));

  const fs::path out = ScratchPath("runner_real_cmd");
  auto runner = MakeSystemProcessRunner();
  runner->Run(L"cmd.exe /c echo real> " + out.wstring(), 30000);
  EXPECT_EQ(ReadAll(out), "real\r\n");
  EXPECT_FALSE(fs::exists(marker));
  fs::remove(out);
}
#endif

}  // namespace
}  // namespace platform
