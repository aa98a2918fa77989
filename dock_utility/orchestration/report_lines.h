// Reading the report file line by line, the way the report readers see it.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace quaylin {

// Lines are read into a buffer of 10000 bytes: a line holds at most 9999 bytes. A longer line
// stays one line: its first 9999 bytes are examined and the rest is skipped, so a later piece
// of it is never taken for the start of a line.
inline constexpr size_t kReportLineBufferSize = 10000;
inline constexpr size_t kReportLineMaxBytes = kReportLineBufferSize - 1;

class ReportLineReader {
 public:
  explicit ReportLineReader(std::FILE* file) : file_(file) {}

  // The next line without its line end (a carriage return before the line feed is not part of
  // the line); false once the file has no more lines. The last line counts even without a line
  // end.
  bool Next(std::string& line);

 private:
  std::FILE* file_;
};

// True when `line` begins with the bytes of `literal` (case counts; a shorter line never does).
bool LineBeginsWith(const std::string& line, const std::string& literal);

}  // namespace quaylin
