#include "dock_utility/orchestration/command_runner.h"

#include "dock_utility/orchestration/report_lines.h"
#include "platform/text_codec.h"

namespace quaylin {

void CommandRunner::RunCommand(const std::wstring& command, uint32_t timeoutMs) {
  // Never two children at once: one may still be writing a chip's flash or this report.
  processes_.WaitForOutlivingChild();
  if (command.ends_with(kReportRedirection)) {
    const std::wstring report = ReportPath();
    reportCleared_ = !report.empty() && platform::DeleteFileIfPresent(report);
  }
  processes_.Run(command, timeoutMs);
}

std::wstring CommandRunner::ReportPath() const {
  const std::wstring folder = temp_.Path();
  return folder.empty() ? std::wstring() : folder + kReportFileName;
}

platform::FilePtr CommandRunner::OpenReport() const {
  const std::wstring report = ReportPath();
  if (!reportCleared_ || report.empty()) {
    return nullptr;
  }
  return platform::OpenTextForSharedRead(report);
}

UpdResult CommandRunner::FindReportLine(const std::string& literal) const {
  const platform::FilePtr file = OpenReport();
  if (!file) {
    return UPD_ERR_REPORT_OPEN;
  }
  ReportLineReader lines(file.get());
  std::string line;
  while (lines.Next(line)) {
    if (LineBeginsWith(line, literal)) {
      return UPD_OK;
    }
  }
  return UPD_ERR_NO_SUCCESS_LINE;
}

std::wstring CommandRunner::FindReportSectionLine(const std::string& header,
                                                  const std::string& prefix) const {
  const platform::FilePtr file = OpenReport();
  if (!file) {
    return kReportOpenErrorText;
  }
  ReportLineReader lines(file.get());
  std::string line;
  bool inSection = false;
  while (lines.Next(line)) {
    if (!inSection) {
      // The header line itself is never taken as the prefix line.
      inSection = LineBeginsWith(line, header);
    } else if (LineBeginsWith(line, prefix)) {
      return platform::AnsiToWide(line);
    }
  }
  return kReportLineMissingText;
}

}  // namespace quaylin
