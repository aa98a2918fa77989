#include "aux_isp_tool/shell/status_updater.h"

#include <cstdint>
#include <string>

namespace peloisp {

void StatusUpdater::ReportProgress(int done, int total) {
  if (total == 0) {
    return;
  }
  // 64-bit so that done * 100 cannot overflow.
  const int64_t percent = static_cast<int64_t>(done) * 100 / total;
  std::string counter = "\b\b\b\b";
  if (percent < 100) {
    counter += ' ';
  }
  if (percent < 10) {
    counter += ' ';
  }
  counter += std::to_string(percent);
  counter += '%';
  output_.PrintConsoleNarrow(counter);
}

}  // namespace peloisp
