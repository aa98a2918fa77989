#include "platform/net_adapters.h"

#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>

#include <cstring>
#include <vector>

namespace platform {
namespace {

// The first call's buffer: room for one adapter record.
constexpr ULONG kFirstBufferBytes = 648;

class Win32NetAdapters final : public NetAdapters {
 public:
  bool List(std::vector<NetAdapter>& adapters) const override {
    adapters.clear();
    ULONG size = kFirstBufferBytes;
    std::vector<unsigned char> buffer(size);
    DWORD status = GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size);
    if (status != ERROR_SUCCESS) {
      // Once more with the size the first call reported.
      if (size <= kFirstBufferBytes) {
        return false;
      }
      buffer.assign(size, 0);
      status = GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data()), &size);
      if (status != ERROR_SUCCESS) {
        return false;
      }
    }
    for (const IP_ADAPTER_INFO* info = reinterpret_cast<const IP_ADAPTER_INFO*>(buffer.data());
         info != nullptr; info = info->Next) {
      NetAdapter adapter;
      adapter.description.assign(info->Description,
                                 strnlen(info->Description, sizeof(info->Description)));
      std::memcpy(adapter.address.data(), info->Address, adapter.address.size());
      adapters.push_back(adapter);
    }
    return true;
  }
};

}  // namespace

std::unique_ptr<NetAdapters> MakeSystemNetAdapters() {
  return std::make_unique<Win32NetAdapters>();
}

}  // namespace platform
