// Runs console commands through cmd.exe and reads their redirected report, ch_device.txt in the
// user's temporary folder.
#pragma once

#include "dock_utility/orchestration/result_codes.h"
#include "platform/process_runner.h"
#include "platform/temp_directory.h"
#include "platform/text_file.h"

#include <cstdint>
#include <string>

namespace quaylin {

inline constexpr wchar_t kReportFileName[] = L"ch_device.txt";
// Ends every command whose output is judged. The target is quoted: the temporary folder's path
// may hold blanks (a user name such as "Ann Lee").
inline constexpr wchar_t kReportRedirection[] = L"> \"%Temp%\\ch_device.txt\"";
inline constexpr wchar_t kReportOpenErrorText[] = L"Open File Error";
inline constexpr wchar_t kReportLineMissingText[] = L"Error !!!";

class CommandRunner {
 public:
  CommandRunner(platform::ProcessRunner& processes, const platform::TempDirectory& temp)
      : processes_(processes), temp_(temp) {}

  // Starts the command and returns when it has ended or `timeoutMs` has passed. A child left
  // running by an earlier command is waited for first, and a command that ends in
  // kReportRedirection starts on a deleted report, so an old report is never judged as its own:
  // when the old report cannot be deleted, the readers treat the report as one that cannot be
  // opened until a later redirected command starts on a cleared one.
  void RunCommand(const std::wstring& command, uint32_t timeoutMs);

  // UPD_OK when some report line begins with `literal`, UPD_ERR_NO_SUCCESS_LINE when none does,
  // UPD_ERR_REPORT_OPEN when the report cannot be opened.
  UpdResult FindReportLine(const std::string& literal) const;

  // The first line beginning with `prefix` after the first line beginning with `header`, as wide
  // text; "Error !!!" when there is none, "Open File Error" when the report cannot be opened.
  std::wstring FindReportSectionLine(const std::string& header, const std::string& prefix) const;

  // Empty when the system names no temporary folder: no other file is ever taken for the report.
  std::wstring ReportPath() const;

 private:
  platform::FilePtr OpenReport() const;

  platform::ProcessRunner& processes_;
  const platform::TempDirectory& temp_;
  bool reportCleared_ = true;  // false while an earlier command's report is still in place
};

}  // namespace quaylin
