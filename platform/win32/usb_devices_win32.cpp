#include "platform/usb_devices.h"

#include <windows.h>
#include <setupapi.h>

namespace platform {
namespace {

// The USB hub device interface class.
constexpr GUID kUsbHubInterfaceClass = {
    0xF18A0E88, 0xC30C, 0x11D0, {0x88, 0x15, 0x00, 0xA0, 0xC9, 0x06, 0xBE, 0xD8}};

constexpr DWORD kInstanceIdChars = 260;

// A set whose members keep failing with errors other than "no more items" must not hold the
// look-up forever.
constexpr DWORD kMaxMemberIndex = 0x10000;

class Win32UsbDevices final : public UsbDevices {
 public:
  bool ListInstanceIds(UsbDeviceSet set, std::vector<std::wstring>& instanceIds) const override {
    instanceIds.clear();
    const HDEVINFO devices =
        set == UsbDeviceSet::kUsbEnumerator
            ? SetupDiGetClassDevsW(nullptr, L"USB", nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES)
            : SetupDiGetClassDevsW(&kUsbHubInterfaceClass, nullptr, nullptr,
                                   DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (devices == INVALID_HANDLE_VALUE) {
      return false;
    }
    for (DWORD index = 0; index < kMaxMemberIndex; ++index) {
      SP_DEVINFO_DATA member = {};
      member.cbSize = sizeof(member);
      if (!SetupDiEnumDeviceInfo(devices, index, &member)) {
        if (GetLastError() == ERROR_NO_MORE_ITEMS) {
          break;
        }
        continue;
      }
      wchar_t id[kInstanceIdChars] = {};
      if (!SetupDiGetDeviceInstanceIdW(devices, &member, id, kInstanceIdChars, nullptr)) {
        continue;
      }
      id[kInstanceIdChars - 1] = L'\0';
      instanceIds.emplace_back(id);
    }
    SetupDiDestroyDeviceInfoList(devices);
    return true;
  }
};

}  // namespace

std::unique_ptr<UsbDevices> MakeSystemUsbDevices() {
  return std::make_unique<Win32UsbDevices>();
}

}  // namespace platform
