// The console's progress counter: four characters overwritten in place.
#pragma once

#include "aux_isp_tool/isp/wrenlo_control_delegate.h"
#include "aux_isp_tool/shell/status_output.h"

namespace peloisp {

class StatusUpdater final : public WrenloControlDelegate {
 public:
  explicit StatusUpdater(StatusOutput& output) : output_(output) {}

  // Four backspaces, then the percent right-aligned in three places and "%".
  void ReportProgress(int done, int total) override;

 private:
  StatusOutput& output_;
};

}  // namespace peloisp
