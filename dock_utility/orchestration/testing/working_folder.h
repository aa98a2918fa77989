// Makes a folder the process's working folder for one test (the product's paths are relative
// to it), and lays files out below it.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace quaylin::testing {

class WorkingFolder {
 public:
  explicit WorkingFolder(const std::filesystem::path& folder)
      : folder_(folder), previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder_);
  }
  ~WorkingFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
  }
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

  // Writes `bytes` to `relative` ("Setup/setting.ini"), creating its folders.
  void Write(const std::string& relative, const std::string& bytes) const {
    const std::filesystem::path path = folder_ / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  }

  const std::filesystem::path& Folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
  std::filesystem::path previous_;
};

}  // namespace quaylin::testing
