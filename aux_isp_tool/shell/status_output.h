// PeloISP's two report channels: standard output (which the dock-update GUI redirects into a
// report file and searches) and the log file. Every text carries its own line ends.
#pragma once

#include "platform/console.h"
#include "platform/log_file.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace peloisp {

inline constexpr uint16_t kAttrNormal = 7;
inline constexpr uint16_t kAttrFailedBanner = 0x0C;
inline constexpr uint16_t kAttrNotice = 0xE9;
inline constexpr uint16_t kAttrSuccess = 0xA9;

// The UTF-8 form of one log text, its terminating zero included, must fit this.
inline constexpr size_t kLogTextBytes = 2048;

inline constexpr wchar_t kLogFileName[] = L"PeloAuxISPTool.log";

class StatusOutput {
 public:
  // Standard output and the file system.
  StatusOutput();
  // Both must outlive the output.
  StatusOutput(platform::Console& console, platform::LogFile& log);

  void PrintConsole(std::wstring_view text);
  void PrintConsoleNarrow(std::string_view text);
  void ShowNotice(std::wstring_view text);
  // The FAILED banner, then the text as a notice.
  void ShowErrorBox(std::wstring_view text);
  void ShowSuccess(std::wstring_view text);

  void SetLogFileName(std::wstring name) { logFileName_ = std::move(name); }
  const std::wstring& LogFileName() const { return logFileName_; }
  // Appends the text as UTF-8; a text whose UTF-8 form does not fit kLogTextBytes is not
  // logged at all, and an unwritable log loses only this line.
  void WriteLog(std::wstring_view text);

 private:
  std::unique_ptr<platform::Console> ownedConsole_;
  std::unique_ptr<platform::LogFile> ownedLog_;
  platform::Console& console_;
  platform::LogFile& log_;
  std::wstring logFileName_;
};

// The eleven lines of the FAILED banner, each ending "\r\n".
extern const char kFailedBanner[];

}  // namespace peloisp
