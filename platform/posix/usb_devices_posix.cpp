#include "platform/usb_devices.h"

namespace platform {
namespace {

class PosixUsbDevices final : public UsbDevices {
 public:
  bool ListInstanceIds(UsbDeviceSet, std::vector<std::wstring>& instanceIds) const override {
    instanceIds.clear();
    return true;
  }
};

}  // namespace

std::unique_ptr<UsbDevices> MakeSystemUsbDevices() {
  return std::make_unique<PosixUsbDevices>();
}

}  // namespace platform
