// A working folder laid out like the user's, with a temporary folder of its own: TEMP and TMP
// point into it, so the real cmd.exe writes this test's report and no other's.
#pragma once

#include "dock_utility/orchestration/testing/scratch_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// Paths of built programs arrive as narrow string literals from the build.
#define WIDEN2(x) L##x
#define WIDEN(x) WIDEN2(x)

namespace quaylin::e2e {

inline std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class WorkingFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    temp_ = work_.Folder() / "Temp";
    std::filesystem::create_directories(temp_);
    const std::wstring temp = temp_.wstring() + L"\\";
    SaveAndSet(L"TEMP", temp, savedTemp_);
    SaveAndSet(L"TMP", temp, savedTmp_);
    _wputenv_s(L"SIM_DOCK_DIR", L"");
    std::filesystem::current_path(work_.Folder());
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    _wputenv_s(L"TEMP", savedTemp_.c_str());
    _wputenv_s(L"TMP", savedTmp_.c_str());
  }

  // Copies a built program into the working folder, e.g. to Setup\System\x.exe.
  void Install(const std::filesystem::path& program, const std::filesystem::path& target) {
    const std::filesystem::path destination = work_.Folder() / target;
    std::filesystem::create_directories(destination.parent_path());
    std::filesystem::copy_file(program, destination,
                               std::filesystem::copy_options::overwrite_existing);
  }

  void WriteFile(const std::filesystem::path& relative, const std::string& bytes) {
    const std::filesystem::path path = work_.Folder() / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  }

  // Points TEMP and TMP at folders of their own (created), as a user's profile may.
  void UseTemporaryFolders(const std::filesystem::path& temp, const std::filesystem::path& tmp) {
    std::filesystem::create_directories(temp);
    std::filesystem::create_directories(tmp);
    _wputenv_s(L"TEMP", (temp.wstring() + L"\\").c_str());
    _wputenv_s(L"TMP", (tmp.wstring() + L"\\").c_str());
    temp_ = temp;
  }

  std::filesystem::path ReportFile() const { return temp_ / "ch_device.txt"; }

  testing::ScratchFolder work_;
  std::filesystem::path temp_;

 private:
  static void SaveAndSet(const wchar_t* name, const std::wstring& value, std::wstring& saved) {
    const wchar_t* old = _wgetenv(name);
    saved = old != nullptr ? old : L"";
    _wputenv_s(name, value.c_str());
  }

  std::filesystem::path previous_;
  std::wstring savedTemp_;
  std::wstring savedTmp_;
};

}  // namespace quaylin::e2e
