// An EngineOutput that keeps what the engine printed and logged, in order.
#pragma once

#include "aux_isp_tool/isp/engine_output.h"

#include <string>

namespace peloisp::testing {

class RecordingOutput final : public EngineOutput {
 public:
  void PrintConsole(std::wstring_view text) override { console += text; }
  void WriteLog(std::wstring_view text) override { log += text; }
  void ShowErrorBox(std::wstring_view text) override {
    console += L"<FAILED>";
    console += text;
  }

  std::wstring console;
  std::wstring log;
};

}  // namespace peloisp::testing
