// The console tools' log: every line is appended by opening, writing and closing the file, so
// that the log is complete up to the last line even if the process is killed.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace platform {

class LogFile {
 public:
  virtual ~LogFile() = default;

  // Opens `path` for reading and writing, shared with other readers and writers, creating it
  // when it does not exist; writes `bytes` at its end and closes it. False when it cannot be
  // opened or written.
  virtual bool Append(const std::wstring& path, std::string_view bytes) = 0;

  // Deletes the file; false when it did not exist or could not be deleted.
  virtual bool Remove(const std::wstring& path) = 0;
};

std::unique_ptr<LogFile> MakeSystemLogFile();

}  // namespace platform
