#include "platform/net_adapters.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace platform {
namespace {

// "aa:bb:cc:dd:ee:ff" into six bytes; false for anything else.
bool ParseAddress(const std::string& text, std::array<uint8_t, 6>& address) {
  unsigned bytes[6] = {};
  char tail = 0;
  if (std::sscanf(text.c_str(), "%2x:%2x:%2x:%2x:%2x:%2x%c", &bytes[0], &bytes[1], &bytes[2],
                  &bytes[3], &bytes[4], &bytes[5], &tail) != 6) {
    return false;
  }
  for (size_t i = 0; i < address.size(); ++i) {
    address[i] = static_cast<uint8_t>(bytes[i]);
  }
  return true;
}

class PosixNetAdapters final : public NetAdapters {
 public:
  bool List(std::vector<NetAdapter>& adapters) const override {
    adapters.clear();
    std::error_code error;
    std::filesystem::directory_iterator entries("/sys/class/net", error);
    if (error) {
      return false;
    }
    for (const auto& entry : entries) {
      std::ifstream in(entry.path() / "address");
      std::string text;
      NetAdapter adapter;
      if (!std::getline(in, text) || !ParseAddress(text, adapter.address)) {
        continue;
      }
      adapter.description = entry.path().filename().string();
      adapters.push_back(adapter);
    }
    std::sort(adapters.begin(), adapters.end(), [](const NetAdapter& a, const NetAdapter& b) {
      return a.description < b.description;
    });
    return true;
  }
};

}  // namespace

std::unique_ptr<NetAdapters> MakeSystemNetAdapters() {
  return std::make_unique<PosixNetAdapters>();
}

}  // namespace platform
