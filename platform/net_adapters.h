// The network adapters of the machine, in the system's order.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

struct NetAdapter {
  std::string description;           // narrow text as the system gives it
  std::array<uint8_t, 6> address{};  // the first six bytes of the hardware address
};

class NetAdapters {
 public:
  virtual ~NetAdapters() = default;

  // False when the adapter list cannot be read.
  virtual bool List(std::vector<NetAdapter>& adapters) const = 0;
};

// Windows: GetAdaptersInfo. Elsewhere: the interfaces in /sys/class/net in name order, each
// described by its interface name (as Wine does), with the address from its "address" file.
std::unique_ptr<NetAdapters> MakeSystemNetAdapters();

}  // namespace platform
