// The bridge model behind the product's BridgeDevice seam, for in-process tests: counts opens
// and closes, and can be told that the device is absent.
#pragma once

#include "platform/bridge_device.h"
#include "sim/torv_bridge/torv_bridge.h"

#include <memory>

namespace sim {

class SimBridgeDevice final : public platform::BridgeDevice {
 public:
  explicit SimBridgeDevice(TorvBridge& bridge) : bridge_(bridge) {}

  std::unique_ptr<platform::BridgeHandle> Open() override {
    ++opens_;
    if (absent_) {
      return nullptr;
    }
    ++openHandles_;
    return std::make_unique<Handle>(*this);
  }

  void SetAbsent(bool absent) { absent_ = absent; }
  int Opens() const { return opens_; }
  int OpenHandles() const { return openHandles_; }

 private:
  class Handle final : public platform::BridgeHandle {
   public:
    explicit Handle(SimBridgeDevice& device) : device_(device) {}
    ~Handle() override { --device_.openHandles_; }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool Control(uint32_t code, const uint8_t* in, size_t inSize, uint8_t* out,
                 size_t outSize) override {
      size_t returned = 0;
      return device_.bridge_.Handle(code, in, inSize, out, outSize, &returned);
    }

   private:
    SimBridgeDevice& device_;
  };

  TorvBridge& bridge_;
  bool absent_ = false;
  int opens_ = 0;
  int openHandles_ = 0;
};

}  // namespace sim
