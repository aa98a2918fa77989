// The built program as a caller runs it: its output, line ends included, must be exactly the
// expected bytes, which are the same files for every build.
#include "eeprom_tool/program_output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  return eeprom_tool::ReadFileBytes(path);
}

std::string TestData(const std::string& name) {
  return (fs::path(EEPROM_TESTDATA_DIR) / name).string();
}

std::string RunProgram(const std::string& args) {
  return eeprom_tool::RunProgramOutput(EEPROM_CONSOLE_PATH, args);
}

TEST(EepromConsoleProgram, PrintsTheExpectedBytes) {
  struct Case {
    std::string args;
    const char* expected;  // file in the test data; null for no output at all
  };
  const std::vector<Case> cases = {
      {"", nullptr},
      {"help", "usage.out"},
      {"/? -m 1", "usage.out"},
      {"-m 010EC6F9D000 -p", "invalid_mac.out"},
      {"-m 000EC6F9D000 -s 0000000000001", "invalid_serial.out"},
      {"-f no_such_SROM.dat -p", "file_cannot_be_opened.out"},
      {"-f " + TestData("odd_first_byte.dat") + " -p", "wrong_first_byte.out"},
      {"-f " + TestData("bad_checksum.dat") + " -p", "wrong_checksum.out"},
      {"-f " + TestData("short.dat") + " -p", "missing_data.out"},
      {"-f " + TestData("full_serial.dat") + " -p", "serial_full.out"},
  };
  for (const Case& c : cases) {
    const std::string expected = c.expected ? ReadAll(TestData(c.expected)) : std::string();
    if (c.expected) {
      ASSERT_FALSE(expected.empty()) << c.expected;
    }
    EXPECT_EQ(RunProgram(c.args), expected) << c.args;
  }
}

#ifndef _WIN32
// Linux has no bridge driver: the tool says so, as it does where the driver is missing.
TEST(EepromConsoleProgram, WithoutABridgeDriverTheOpenFails) {
  EXPECT_EQ(RunProgram("-m 000EC6F9D000 -p"), "Failed to open device!\n");
  EXPECT_EQ(RunProgram("-f " + TestData("valid.dat") + " -p"), "Open Device Failed!\n");
}
#endif

}  // namespace
