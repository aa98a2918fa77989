// The full path of the running program, from which the console tools find their own files.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace platform {

class ExecutablePath {
 public:
  virtual ~ExecutablePath() = default;

  // Longest path accepted, in characters (the product reads it into a 512-character buffer).
  static constexpr size_t kMaxChars = 511;

  // The program's full path into `path`. False when the system cannot tell or the path is
  // longer than kMaxChars (a cut path would name another folder).
  virtual bool FullPath(std::wstring& path) const = 0;
};

std::unique_ptr<ExecutablePath> MakeSystemExecutablePath();

}  // namespace platform
