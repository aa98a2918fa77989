// What the engine prints and logs, seen from below the shell: the shell's status output stands
// behind it at run time, a recorder in tests.
#pragma once

#include <string_view>

namespace peloisp {

class EngineOutput {
 public:
  virtual void PrintConsole(std::wstring_view text) = 0;
  virtual void WriteLog(std::wstring_view text) = 0;
  // The FAILED banner, then the text as a notice.
  virtual void ShowErrorBox(std::wstring_view text) = 0;

 protected:
  ~EngineOutput() = default;
};

}  // namespace peloisp
