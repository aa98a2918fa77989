#include "platform/bridge_device.h"

#include <windows.h>

namespace platform {
namespace {

class Win32BridgeHandle final : public BridgeHandle {
 public:
  explicit Win32BridgeHandle(HANDLE handle) : handle_(handle) {}
  ~Win32BridgeHandle() override { CloseHandle(handle_); }
  Win32BridgeHandle(const Win32BridgeHandle&) = delete;
  Win32BridgeHandle& operator=(const Win32BridgeHandle&) = delete;

  bool Control(uint32_t code, const uint8_t* in, size_t inSize, uint8_t* out,
               size_t outSize) override {
    // Synchronous calls need somewhere to put the byte count, even though it is not used.
    DWORD returned = 0;
    return DeviceIoControl(handle_, code, const_cast<uint8_t*>(in), static_cast<DWORD>(inSize), out,
                           static_cast<DWORD>(outSize), &returned, nullptr) != FALSE;
  }

 private:
  HANDLE handle_;
};

class Win32BridgeDevice final : public BridgeDevice {
 public:
  explicit Win32BridgeDevice(std::string path) : path_(std::move(path)) {}

  std::unique_ptr<BridgeHandle> Open() override {
    HANDLE handle = CreateFileA(path_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      return nullptr;
    }
    return std::make_unique<Win32BridgeHandle>(handle);
  }

 private:
  std::string path_;
};

}  // namespace

std::unique_ptr<BridgeDevice> MakeSystemBridgeDevice(const std::string& path) {
  return std::make_unique<Win32BridgeDevice>(path);
}

}  // namespace platform
