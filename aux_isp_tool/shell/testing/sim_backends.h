// The four backend slots over one simulated dock, for running the tool's entry in-process: the
// NVIDIA and AMD slots find no driver, the LS-PCON slot reaches the dock at device number 13
// (or finds no driver, or no display that answers), and the product's own selection picks.
#pragma once

#include "aux_isp_tool/gfx/backend_selection.h"
#include "aux_isp_tool/isp/isp_context.h"
#include "sim/saltmere_gfx/sim_gfx_lib.h"

#include <string>

namespace peloisp::testing {

class SimBackends {
 public:
  static constexpr int32_t kDockDisplay = 13;

  enum class Dock { kReachable, kNoDriver, kNoConnection };

  explicit SimBackends(sim::SaltmereDock& dock, Dock reach = Dock::kReachable)
      : nvidia_(dock, Failing(L"NVIDIA")),
        amd_(dock, Failing(L"AMD")),
        lsPcon_(dock, LsPcon(reach)),
        intel_(dock, Failing(L"Intel")) {}

  int Select(std::wstring& message, IspContext& context) {
    ++selections;
    const BackendSet set{nvidia_, amd_, lsPcon_, intel_};
    const BackendChoice choice{context.backendSelection, context.deviceId, context.i2cAddress,
                               context.activeBackend, context.adapterLabel};
    return SelectBackend(message, set, choice);
  }

  int selections = 0;

 private:
  static sim::SimGfxLib::Options Failing(const wchar_t* name) {
    sim::SimGfxLib::Options options;
    options.name = name;
    options.initResult = kGfxInitFailed;
    return options;
  }
  static sim::SimGfxLib::Options LsPcon(Dock reach) {
    if (reach == Dock::kNoDriver) {
      return Failing(L"Intel (LS-PCON)");
    }
    sim::SimGfxLib::Options options;
    options.name = L"Intel (LS-PCON)";
    options.deviceId = kDockDisplay;
    options.maxReply = 131;
    options.connectResult = reach == Dock::kNoConnection ? 1 : 0;
    return options;
  }

  sim::SimGfxLib nvidia_;
  sim::SimGfxLib amd_;
  sim::SimGfxLib lsPcon_;
  sim::SimGfxLib intel_;
};

}  // namespace peloisp::testing
