// The user's temporary folder, where redirected command output is written.
#pragma once

#include <memory>
#include <string>

namespace platform {

class TempDirectory {
 public:
  virtual ~TempDirectory() = default;
  // The folder with its trailing separator ("C:\Users\x\AppData\Local\Temp\"); empty when
  // the system cannot tell. On Windows it is the folder cmd.exe expands %Temp% to: the TEMP
  // variable when set, else GetTempPathW.
  virtual std::wstring Path() const = 0;
};

std::unique_ptr<TempDirectory> MakeSystemTempDirectory();

}  // namespace platform
