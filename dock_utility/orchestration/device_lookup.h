// Finding the dock's USB devices by the IDs Windows gives them, the two presence checks, and the
// Ethernet bridge's MAC address.
#pragma once

#include "platform/net_adapters.h"
#include "platform/profile_file.h"
#include "platform/usb_devices.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace quaylin {

struct UsbDeviceRecord {
  std::string vidText;     // 4 characters as written in the instance ID
  std::string pidText;     // 4 characters as written in the instance ID
  std::string serialText;  // at most 15 characters
  int32_t found = 0;       // 1 when a matching device was seen
};

inline constexpr char kFallbackSerial[] = "A23456789012345";
inline constexpr size_t kSerialMaxChars = 15;

// What the character positions of one instance ID give. `shift` moves every position on: 0 for
// the USB enumerator's IDs, 4 for the hub interface pass.
struct InstanceIdFields {
  std::string vid;
  std::string pid;
  std::string serial;  // empty when the ID holds none
};
InstanceIdFields ParseInstanceId(const std::wstring& instanceId, size_t shift);

inline constexpr size_t kHubInterfacePassShift = 4;

// The first present device with that VID and PID (letter case ignored), from the USB enumerator
// and, failing that, from the devices with the USB hub interface. A set the system cannot give
// counts as holding no device.
UsbDeviceRecord FindUsbDevice(const platform::UsbDevices& devices, const std::string& vid,
                              const std::string& pid);

// 1 when the configured brand's detection device is attached, else 0.
int FindDockDevice(const platform::ProfileFile& profile, const platform::UsbDevices& devices);

// The found flag; `brandCode` and `variant` receive the brand row's values when it is 1 and 0
// otherwise.
int IdentifyDockCustomer(const platform::ProfileFile& profile, const platform::UsbDevices& devices,
                         uint8_t& brandCode, uint8_t& variant);

inline constexpr char kBridgeVid[] = "04B4";
inline constexpr char kBridgePid[] = "3610";
inline constexpr char kBridgeAdapterDescription[] =
    "Miraton Torv SuperSpeed to Gigabit Ethernet Bridge Controller";

// 12 upper-case hex digits of the first adapter whose description begins with the bridge's;
// empty when no adapter does or the list cannot be read, so no other adapter's address is ever
// taken for the bridge's.
std::string GetBridgeMacAddress(const platform::NetAdapters& adapters);

}  // namespace quaylin
