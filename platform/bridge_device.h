// The Torv bridge's driver device: opened for one operation, then control calls on it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// One open handle of the device; closing it is the destructor's job, so every path closes it.
class BridgeHandle {
 public:
  virtual ~BridgeHandle() = default;

  // Sends one control code with `inSize` bytes in and room for `outSize` bytes out. True when
  // the driver reports success; the returned byte count is not looked at.
  virtual bool Control(uint32_t code, const uint8_t* in, size_t inSize, uint8_t* out,
                       size_t outSize) = 0;
};

class BridgeDevice {
 public:
  virtual ~BridgeDevice() = default;

  // Null when the device cannot be opened (no driver, no bridge).
  virtual std::unique_ptr<BridgeHandle> Open() = 0;
};

// The operating system's device at `path` (the bridge driver's "\\.\TORVDEV01" on Windows;
// Linux has no such device, so opening it fails there).
std::unique_ptr<BridgeDevice> MakeSystemBridgeDevice(const std::string& path);

}  // namespace platform
