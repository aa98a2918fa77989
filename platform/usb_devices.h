// The present USB device nodes, as the device-installation interface lists them.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace platform {

enum class UsbDeviceSet {
  kUsbEnumerator,  // every present device of the "USB" enumerator
  kHubInterface,   // every present device exposing the USB hub device interface
};

class UsbDevices {
 public:
  virtual ~UsbDevices() = default;

  // The instance IDs of the set's members in enumeration order (members whose ID cannot be read
  // are left out). False when the system gives no device information set at all.
  virtual bool ListInstanceIds(UsbDeviceSet set, std::vector<std::wstring>& instanceIds) const = 0;
};

// Windows: SetupDiGetClassDevsW. Elsewhere there are no Windows device nodes: every set is
// obtained and empty, so no dock is ever seen attached.
std::unique_ptr<UsbDevices> MakeSystemUsbDevices();

}  // namespace platform
