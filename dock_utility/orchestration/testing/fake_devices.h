// Device and adapter lists for tests: the instance IDs and adapters a test attaches.
#pragma once

#include "platform/net_adapters.h"
#include "platform/usb_devices.h"

#include <map>
#include <string>
#include <vector>

namespace quaylin::testing {

class FakeUsbDevices final : public platform::UsbDevices {
 public:
  void Attach(platform::UsbDeviceSet set, const std::wstring& instanceId) {
    sets_[set].push_back(instanceId);
  }
  void Attach(const std::wstring& instanceId) {
    Attach(platform::UsbDeviceSet::kUsbEnumerator, instanceId);
  }
  // The system gives no device information set for `set`.
  void Unavailable(platform::UsbDeviceSet set) { unavailable_[set] = true; }

  bool ListInstanceIds(platform::UsbDeviceSet set,
                       std::vector<std::wstring>& instanceIds) const override {
    ++listings_;
    instanceIds.clear();
    if (unavailable_.count(set) != 0) {
      return false;
    }
    auto attached = sets_.find(set);
    if (attached != sets_.end()) {
      instanceIds = attached->second;
    }
    return true;
  }

  int Listings() const { return listings_; }

 private:
  std::map<platform::UsbDeviceSet, std::vector<std::wstring>> sets_;
  std::map<platform::UsbDeviceSet, bool> unavailable_;
  mutable int listings_ = 0;
};

class FakeNetAdapters final : public platform::NetAdapters {
 public:
  void Add(const std::string& description, std::array<uint8_t, 6> address) {
    adapters_.push_back({description, address});
  }
  void Unreadable() { readable_ = false; }

  bool List(std::vector<platform::NetAdapter>& adapters) const override {
    adapters = readable_ ? adapters_ : std::vector<platform::NetAdapter>{};
    return readable_;
  }

 private:
  std::vector<platform::NetAdapter> adapters_;
  bool readable_ = true;
};

}  // namespace quaylin::testing
