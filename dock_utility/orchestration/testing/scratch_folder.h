// A fresh folder for one test, removed afterwards; doubles as the temporary folder seam.
#pragma once

#include "platform/temp_directory.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

namespace quaylin::testing {

class ScratchFolder final : public platform::TempDirectory {
 public:
  ScratchFolder() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("dock_test_" + std::to_string(stamp) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() override {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Folder() const { return path_; }

  std::wstring Path() const override {
    std::wstring text = path_.wstring();
    text += static_cast<wchar_t>(std::filesystem::path::preferred_separator);
    return text;
  }

  // Writes `bytes` exactly as given (binary), so line ends are the test's choice.
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out << bytes;
  }

  void Remove(const std::string& name) const {
    std::error_code ignored;
    std::filesystem::remove(path_ / name, ignored);
  }

 private:
  std::filesystem::path path_;
};

}  // namespace quaylin::testing
