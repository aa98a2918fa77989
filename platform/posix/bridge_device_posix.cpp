#include "platform/bridge_device.h"

namespace platform {
namespace {

// Linux has no Torv bridge driver and no device namespace like "\\.\": there is nothing to
// open, so every open fails the way an absent device does on Windows.
class PosixBridgeDevice final : public BridgeDevice {
 public:
  std::unique_ptr<BridgeHandle> Open() override { return nullptr; }
};

}  // namespace

std::unique_ptr<BridgeDevice> MakeSystemBridgeDevice(const std::string&) {
  return std::make_unique<PosixBridgeDevice>();
}

}  // namespace platform
