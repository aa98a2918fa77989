// Needs the devices scripts/lib/prepare-wine-tests.d/20-dock-usb-devices.sh attaches to the
// prefix.
#include "platform/usb_devices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>

namespace platform {
namespace {

std::wstring Upper(std::wstring text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
  return text;
}

bool Contains(const std::vector<std::wstring>& ids, const std::wstring& wanted) {
  return std::any_of(ids.begin(), ids.end(),
                     [&](const std::wstring& id) { return Upper(id) == Upper(wanted); });
}

TEST(Win32UsbDevices, ListsTheAttachedDevicesOfTheUsbEnumerator) {
  auto devices = MakeSystemUsbDevices();
  std::vector<std::wstring> ids;
  ASSERT_TRUE(devices->ListInstanceIds(UsbDeviceSet::kUsbEnumerator, ids));
  EXPECT_TRUE(Contains(ids, L"USB\\VID_047D&PID_8023\\5&2c2f29b4&0&1"));
  EXPECT_TRUE(Contains(ids, L"USB\\VID_04B4&PID_3610\\000EC6000000A1"));
  for (const std::wstring& id : ids) {
    EXPECT_EQ(Upper(id.substr(0, 4)), L"USB\\") << id;
  }
}

TEST(Win32UsbDevices, HubInterfaceSetIsObtained) {
  auto devices = MakeSystemUsbDevices();
  std::vector<std::wstring> ids{L"stale"};
  ASSERT_TRUE(devices->ListInstanceIds(UsbDeviceSet::kHubInterface, ids));
  EXPECT_FALSE(Contains(ids, L"stale"));
}

}  // namespace
}  // namespace platform
