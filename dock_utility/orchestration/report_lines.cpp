#include "dock_utility/orchestration/report_lines.h"

namespace quaylin {

bool ReportLineReader::Next(std::string& line) {
  line.clear();
  bool readAny = false;
  bool cut = false;
  for (;;) {
    const int c = std::fgetc(file_);
    if (c == EOF) {
      break;
    }
    readAny = true;
    if (c == '\n') {
      break;
    }
    if (line.size() < kReportLineMaxBytes) {
      line += static_cast<char>(c);
    } else {
      cut = true;
    }
  }
  if (!cut && !line.empty() && line.back() == '\r') {
    line.pop_back();
  }
  return readAny;
}

bool LineBeginsWith(const std::string& line, const std::string& literal) {
  return line.size() >= literal.size() && line.compare(0, literal.size(), literal) == 0;
}

}  // namespace quaylin
