// How the engine reports the progress of a long step (ISP driver download, flash ID wait,
// erase, write).
#pragma once

namespace peloisp {

class WrenloControlDelegate {
 public:
  virtual void ReportProgress(int done, int total) = 0;

 protected:
  ~WrenloControlDelegate() = default;
};

}  // namespace peloisp
