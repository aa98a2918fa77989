// The engine's output through the tool's status output (console and log).
#pragma once

#include "aux_isp_tool/isp/engine_output.h"
#include "aux_isp_tool/shell/status_output.h"

namespace peloisp {

class StatusEngineOutput final : public EngineOutput {
 public:
  explicit StatusEngineOutput(StatusOutput& output) : output_(output) {}

  void PrintConsole(std::wstring_view text) override { output_.PrintConsole(text); }
  void WriteLog(std::wstring_view text) override { output_.WriteLog(text); }
  void ShowErrorBox(std::wstring_view text) override { output_.ShowErrorBox(text); }

 private:
  StatusOutput& output_;
};

}  // namespace peloisp
