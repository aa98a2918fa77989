// The engine against the chip model in one process, on the virtual clock.
#pragma once

#include "aux_isp_tool/isp/isp_context.h"
#include "aux_isp_tool/isp/testing/recording_output.h"
#include "sim/clock/virtual_clock.h"
#include "sim/saltmere/saltmere_dock.h"
#include "sim/saltmere_gfx/sim_gfx_lib.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace peloisp::testing {

inline sim::ChipConfig SimChip(sim::ChipKind kind, const std::string& name, uint8_t hw,
                               uint32_t version, uint8_t address = 0x6E) {
  sim::ChipConfig config;
  config.kind = kind;
  config.i2cAddress = address;
  config.flash = sim::MakeFlashImage({kind, 0x20000, {name, hw, version}, 0});
  return config;
}

// A Talmont host with a Wrenlo at Port#2 unless a test builds its own dock.
inline sim::DockConfig DefaultDock() {
  return {SimChip(sim::ChipKind::kTalmont, "Tm7730", 0x21, 0x014123), std::nullopt,
          SimChip(sim::ChipKind::kWrenlo, "WL4410", 0x11, 0x010203)};
}

class SimEngineTest : public ::testing::Test {
 protected:
  explicit SimEngineTest(sim::DockConfig config = DefaultDock())
      : dock(std::move(config)), gfx(dock) {
    context.activeBackend = &gfx;
    context.deviceId = 1;
  }

  // Reply reads started (each begins with a two-byte read with the middle-of-transaction bit).
  size_t ReplyReads() const {
    size_t reads = 0;
    for (const auto& request : dock.Trace()) {
      if (request.kind == sim::AuxRequest::Kind::kI2cRead && request.mot &&
          request.data.size() == 2) {
        ++reads;
      }
    }
    return reads;
  }

  sim::VirtualClock clock;
  IspContext context{clock};
  sim::SaltmereDock dock;
  sim::SimGfxLib gfx;
  RecordingOutput output;
};

}  // namespace peloisp::testing
