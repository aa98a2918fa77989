#include "dock_utility/orchestration/device_lookup.h"

#include "dock_utility/orchestration/testing/fake_devices.h"
#include "dock_utility/orchestration/testing/scratch_folder.h"
#include "dock_utility/orchestration/testing/working_folder.h"

#include <gtest/gtest.h>

namespace quaylin {
namespace {

using platform::UsbDeviceSet;
using testing::FakeNetAdapters;
using testing::FakeUsbDevices;
using testing::ScratchFolder;
using testing::WorkingFolder;

TEST(InstanceId, FieldsComeFromFixedCharacterPositions) {
  struct Case {
    const wchar_t* id;
    size_t shift;
    const char* vid;
    const char* pid;
    const char* serial;
  } cases[] = {
      {L"USB\\VID_04b4&PID_6506\\12345678", 0, "04b4", "6506", "12345678"},
      {L"USB\\VID_04B4&PID_6506\\ABCDEFGHIJKLMNOPQRST", 0, "04B4", "6506", "ABCDEFGHIJKLMNO"},
      {L"USB\\VID_04B4&PID_6506\\", 0, "04B4", "6506", ""},
      {L"USB\\VID_04B4&PID_6506", 0, "04B4", "6506", ""},
      {L"USB\\VID_04", 0, "04", "", ""},
      // An interface of a composite device: only positions are looked at.
      {L"USB\\VID_04B4&PID_6506&MI_00\\6&1a2b&0&0000", 0, "04B4", "6506", "MI_00\\6&1a2b&0&"},
      {L"USB\\VID_047D&PID_8023\\5&2c2f29b4&0&1", 0, "047D", "8023", "5&2c2f29b4&0&1"},
      // Wide characters are narrowed to their low byte.
      {L"USB\\VID_04B4&PID_6506\\\u0141BC", 0, "04B4", "6506", "ABC"},
      // The hub interface pass reads every field four characters further on.
      {L"HUB\\USB\\VID_2188&PID_3312\\QM000042", 4, "2188", "3312", "QM000042"},
      {L"USB\\VID_2188&PID_3312\\QM000042", 4, "&PID", "\\QM0", "0042"},
  };
  for (const Case& c : cases) {
    const InstanceIdFields fields = ParseInstanceId(c.id, c.shift);
    EXPECT_EQ(fields.vid, c.vid) << c.id;
    EXPECT_EQ(fields.pid, c.pid) << c.id;
    EXPECT_EQ(fields.serial, c.serial) << c.id;
  }
}

TEST(InstanceId, LeadingUnderscoresAreSkippedAndNineCharactersMoveToTheFront) {
  struct Case {
    const wchar_t* window;
    const char* serial;
  } cases[] = {
      // Positions 9 to 14 keep what the window held there.
      {L"___ABCDEFGHIJKLMNOPQ", "ABCDEFGHIGHIJKL"},
      {L"_123456789", "1234567899"},
      {L"_12345", "12345"},
      {L"__", ""},
      // At most twelve are skipped.
      {L"_____________X", "_X"},
  };
  for (const Case& c : cases) {
    const std::wstring id = std::wstring(L"USB\\VID_04B4&PID_6506\\") + c.window;
    EXPECT_EQ(ParseInstanceId(id, 0).serial, c.serial) << c.window;
  }
}

TEST(FindUsbDevice, FirstMatchIgnoringLetterCaseWins) {
  FakeUsbDevices usb;
  usb.Attach(L"USB\\VID_14B0&PID_0102\\OTHER");
  usb.Attach(L"USB\\VID_04b4&PID_6506\\FIRST123");
  usb.Attach(L"USB\\VID_04B4&PID_6506\\SECOND45");
  usb.Attach(UsbDeviceSet::kHubInterface, L"HUB\\USB\\VID_04B4&PID_6506\\HUBPASS");
  const UsbDeviceRecord record = FindUsbDevice(usb, "04B4", "6506");
  EXPECT_EQ(record.found, 1);
  EXPECT_EQ(record.vidText, "04b4");
  EXPECT_EQ(record.pidText, "6506");
  EXPECT_EQ(record.serialText, "FIRST123");
  EXPECT_EQ(usb.Listings(), 1);  // the hub pass is only made when the first finds nothing
}

TEST(FindUsbDevice, EmptySerialGivesTheFallbackText) {
  FakeUsbDevices usb;
  usb.Attach(L"USB\\VID_04B4&PID_6506\\");
  usb.Attach(L"USB\\VID_047D&PID_8023\\__");
  EXPECT_EQ(FindUsbDevice(usb, "04B4", "6506").serialText, "A23456789012345");
  EXPECT_EQ(FindUsbDevice(usb, "047d", "8023").serialText, "A23456789012345");
}

TEST(FindUsbDevice, HubInterfacePassReadsFourCharactersFurtherOn) {
  FakeUsbDevices usb;
  usb.Attach(L"USB\\VID_2188&PID_3313\\NOTTHISONE");
  usb.Attach(UsbDeviceSet::kHubInterface, L"HUB\\USB\\VID_2188&PID_3312\\QM000042");
  const UsbDeviceRecord record = FindUsbDevice(usb, "2188", "3312");
  EXPECT_EQ(record.found, 1);
  EXPECT_EQ(record.serialText, "QM000042");
  EXPECT_EQ(usb.Listings(), 2);
}

TEST(FindUsbDevice, NoDeviceSetMeansNoDeviceAndTheProgramGoesOn) {
  FakeUsbDevices usb;
  usb.Unavailable(UsbDeviceSet::kUsbEnumerator);
  usb.Attach(UsbDeviceSet::kHubInterface, L"HUB\\USB\\VID_04B4&PID_6506\\HUBPASS");
  EXPECT_EQ(FindUsbDevice(usb, "04B4", "6506").found, 1);

  usb.Unavailable(UsbDeviceSet::kHubInterface);
  const UsbDeviceRecord record = FindUsbDevice(usb, "04B4", "6506");
  EXPECT_EQ(record.found, 0);
  EXPECT_EQ(record.serialText, "");
}

TEST(FindUsbDevice, NoMatchLeavesTheRecordEmpty) {
  FakeUsbDevices usb;
  usb.Attach(L"USB\\VID_04B4&PID_6507\\SER");
  usb.Attach(L"USB\\VID_04B5&PID_6506\\SER");
  const UsbDeviceRecord record = FindUsbDevice(usb, "04B4", "6506");
  EXPECT_EQ(record.found, 0);
  EXPECT_EQ(record.vidText, "");
}

class PresenceCheck : public ::testing::Test {
 protected:
  void Configure(const std::string& brand) {
    cwd_.Write("Setup/setting.ini", "[Customer]\r\nCustomer_Name=" + brand + "\r\n");
  }

  ScratchFolder folder_;
  WorkingFolder cwd_{folder_.Folder()};
  std::unique_ptr<platform::ProfileFile> profile_ = platform::MakeSystemProfileFile();
  FakeUsbDevices usb_;
};

TEST_F(PresenceCheck, IdentifiesBrandCodeAndVariantOfTheAttachedDock) {
  struct Case {
    const char* brand;
    const wchar_t* device;
    uint8_t code;
    uint8_t variant;
  } cases[] = {
      {"Velloran_NonPD", L"USB\\VID_047D&PID_801D\\VNP00001", 5, 2},
      {"Velloran", L"USB\\VID_047D&PID_8023\\VEL00001", 5, 1},
      {"BRENN", L"USB\\VID_04B4&PID_6506\\BR000001", 1, 1},
      {"Ostrel", L"USB\\VID_04B4&PID_6506\\OS000001", 2, 1},
      {"Dovik", L"USB\\VID_04B4&PID_6506\\DV000001", 6, 1},
      {"Brivane", L"USB\\VID_14B0&PID_0102\\BV000001", 3, 1},
      {"Quenmar", L"USB\\VID_2188&PID_3312\\QM000001", 4, 1},
  };
  for (const Case& c : cases) {
    Configure(c.brand);
    FakeUsbDevices usb;
    usb.Attach(c.device);
    uint8_t code = 99;
    uint8_t variant = 99;
    EXPECT_EQ(IdentifyDockCustomer(*profile_, usb, code, variant), 1) << c.brand;
    EXPECT_EQ(code, c.code) << c.brand;
    EXPECT_EQ(variant, c.variant) << c.brand;
    EXPECT_EQ(FindDockDevice(*profile_, usb), 1) << c.brand;
  }
}

TEST_F(PresenceCheck, AbsentDockOrUnknownBrandGiveZero) {
  usb_.Attach(L"USB\\VID_04B4&PID_6506\\BR000001");
  uint8_t code = 99;
  uint8_t variant = 99;

  Configure("Velloran");  // its device is not the one attached
  EXPECT_EQ(IdentifyDockCustomer(*profile_, usb_, code, variant), 0);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(variant, 0);
  EXPECT_EQ(FindDockDevice(*profile_, usb_), 0);

  const int listingsBefore = usb_.Listings();
  for (const char* brand : {"brenn", "\"BRENN \"", ""}) {  // exact comparison: no row
    Configure(brand);
    code = 99;
    EXPECT_EQ(IdentifyDockCustomer(*profile_, usb_, code, variant), 0) << brand;
    EXPECT_EQ(code, 0);
    EXPECT_EQ(FindDockDevice(*profile_, usb_), 0) << brand;
  }
  EXPECT_EQ(usb_.Listings(), listingsBefore);  // no look-up without a row

  std::filesystem::remove(cwd_.Folder() / "Setup" / "setting.ini");
  EXPECT_EQ(FindDockDevice(*profile_, usb_), 0);
}

TEST(BridgeMacAddress, TakesOnlyTheBridgesOwnAdapter) {
  const std::string bridge = "Miraton Torv SuperSpeed to Gigabit Ethernet Bridge Controller";
  {
    FakeNetAdapters adapters;
    adapters.Add("Other Gigabit Adapter", {0x10, 0x20, 0x30, 0x40, 0x50, 0x60});
    adapters.Add(bridge + " #2", {0x00, 0x0e, 0xc6, 0xab, 0x0c, 0xde});
    adapters.Add(bridge, {0x11, 0x11, 0x11, 0x11, 0x11, 0x11});
    adapters.Add("Last Adapter", {0xff, 0xff, 0xff, 0xff, 0xff, 0xfe});
    EXPECT_EQ(GetBridgeMacAddress(adapters), "000EC6AB0CDE");
  }
  {
    // Without the bridge no other adapter's address may be burnt into it.
    FakeNetAdapters adapters;
    adapters.Add("Other Gigabit Adapter", {0x10, 0x20, 0x30, 0x40, 0x50, 0x60});
    adapters.Add("Miraton Torv SuperSpeed", {0x10, 0x20, 0x30, 0x40, 0x50, 0x61});
    EXPECT_EQ(GetBridgeMacAddress(adapters), "");
  }
  {
    FakeNetAdapters adapters;
    adapters.Add(bridge, {1, 2, 3, 4, 5, 6});
    adapters.Unreadable();
    EXPECT_EQ(GetBridgeMacAddress(adapters), "");
  }
}

}  // namespace
}  // namespace quaylin
