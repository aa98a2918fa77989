// For the tests that run the built program: its standard output as bytes.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace eeprom_tool {

inline std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs `program` with `args` through the system's command interpreter and returns what it
// wrote on its standard output.
inline std::string RunProgramOutput(const std::string& program, const std::string& args) {
  namespace fs = std::filesystem;
  const fs::path out =
      fs::temp_directory_path() /
      ("eeprom_console_out_" +
       std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + ".txt");
  const std::string command = "\"" + program + "\" " + args + " > \"" + out.string() + "\"";
#ifdef _WIN32
  // cmd.exe drops the outer quotes of its /c line.
  const int rc = std::system(("\"" + command + "\"").c_str());
#else
  const int rc = std::system(command.c_str());
#endif
  EXPECT_EQ(rc, 0) << command;
  const std::string output = ReadFileBytes(out);
  std::error_code ignored;
  fs::remove(out, ignored);
  return output;
}

}  // namespace eeprom_tool
