#include "dock_utility/orchestration/device_lookup.h"

#include "dock_utility/orchestration/brand_table.h"
#include "dock_utility/orchestration/settings.h"

#include <cstdio>
#include <vector>

namespace quaylin {
namespace {

// Instance ID positions for the USB enumerator pass: USB\VID_vvvv&PID_pppp\serial.
constexpr size_t kVidPosition = 8;
constexpr size_t kPidPosition = 17;
constexpr size_t kIdDigits = 4;
constexpr size_t kSerialPosition = 22;
constexpr size_t kSerialWindowChars = 20;

// Leading underscores of a serial window: at most this many are skipped, and this many
// characters after them are moved to the front.
constexpr size_t kMaxSkippedUnderscores = 12;
constexpr size_t kMovedChars = 9;

constexpr char kNoUsbSetMessage[] = "No_Found_Any_USB_Device\n";
constexpr char kNoHubSetMessage[] = "No USB found.\n";

// The ID's character at `position` narrowed to its low byte; 0 past the end.
char NarrowAt(const std::wstring& id, size_t position) {
  return position < id.size() ? static_cast<char>(id[position] & 0xFF) : '\0';
}

// The characters from `position` up to `count` of them or the first empty one.
std::string TextAt(const std::wstring& id, size_t position, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) {
    const char c = NarrowAt(id, position + i);
    if (c == '\0') {
      break;
    }
    text += c;
  }
  return text;
}

std::string UpToFirstEmpty(const char* chars, size_t count) {
  std::string text;
  for (size_t i = 0; i < count && chars[i] != '\0'; ++i) {
    text += chars[i];
  }
  return text;
}

std::string SerialFromWindow(const std::wstring& id, size_t position) {
  char window[kSerialWindowChars] = {};
  for (size_t i = 0; i < kSerialWindowChars; ++i) {
    window[i] = NarrowAt(id, position + i);
  }
  if (window[0] != '_') {
    return UpToFirstEmpty(window, kSerialMaxChars);
  }
  size_t skipped = 0;
  while (skipped < kMaxSkippedUnderscores && window[skipped] == '_') {
    ++skipped;
  }
  // The nine characters after the underscores go to the front; positions 9 to 14 keep what the
  // window held there.
  char text[kSerialMaxChars] = {};
  for (size_t i = 0; i < kMovedChars; ++i) {
    const size_t from = skipped + i;
    text[i] = from < kSerialWindowChars ? window[from] : '\0';
  }
  for (size_t i = kMovedChars; i < kSerialMaxChars; ++i) {
    text[i] = window[i];
  }
  return UpToFirstEmpty(text, kSerialMaxChars);
}

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) {
      return false;
    }
  }
  return true;
}

bool SearchPass(const platform::UsbDevices& devices, platform::UsbDeviceSet set, size_t shift,
                const char* noSetMessage, const std::string& vid, const std::string& pid,
                UsbDeviceRecord& record) {
  std::vector<std::wstring> ids;
  if (!devices.ListInstanceIds(set, ids)) {
    // Without a device list the dock counts as absent; the callers report that.
    std::fputs(noSetMessage, stdout);
    return false;
  }
  for (const std::wstring& id : ids) {
    InstanceIdFields fields = ParseInstanceId(id, shift);
    if (SameIgnoringCase(fields.vid, vid) && SameIgnoringCase(fields.pid, pid)) {
      record.vidText = fields.vid;
      record.pidText = fields.pid;
      record.serialText = fields.serial.empty() ? kFallbackSerial : fields.serial;
      record.found = 1;
      return true;
    }
  }
  return false;
}

const BrandProfile* ConfiguredBrand(const platform::ProfileFile& profile) {
  CIniReader reader(profile);
  reader.SetFilePath(kSettingsPath);
  return SelectBrand(reader.ReadString(kCustomerSection, kCustomerNameKey), BrandMatch::kExact);
}

}  // namespace

InstanceIdFields ParseInstanceId(const std::wstring& instanceId, size_t shift) {
  InstanceIdFields fields;
  fields.vid = TextAt(instanceId, kVidPosition + shift, kIdDigits);
  fields.pid = TextAt(instanceId, kPidPosition + shift, kIdDigits);
  fields.serial = SerialFromWindow(instanceId, kSerialPosition + shift);
  return fields;
}

UsbDeviceRecord FindUsbDevice(const platform::UsbDevices& devices, const std::string& vid,
                              const std::string& pid) {
  UsbDeviceRecord record;
  if (SearchPass(devices, platform::UsbDeviceSet::kUsbEnumerator, 0, kNoUsbSetMessage, vid, pid,
                 record)) {
    return record;
  }
  SearchPass(devices, platform::UsbDeviceSet::kHubInterface, kHubInterfacePassShift,
             kNoHubSetMessage, vid, pid, record);
  return record;
}

int FindDockDevice(const platform::ProfileFile& profile, const platform::UsbDevices& devices) {
  const BrandProfile* brand = ConfiguredBrand(profile);
  if (brand == nullptr) {
    return 0;
  }
  return FindUsbDevice(devices, brand->detectionVid, brand->detectionPid).found;
}

int IdentifyDockCustomer(const platform::ProfileFile& profile, const platform::UsbDevices& devices,
                         uint8_t& brandCode, uint8_t& variant) {
  brandCode = 0;
  variant = 0;
  const BrandProfile* brand = ConfiguredBrand(profile);
  if (brand == nullptr) {
    return 0;
  }
  const int found = FindUsbDevice(devices, brand->detectionVid, brand->detectionPid).found;
  if (found == 1) {
    brandCode = brand->brandCode;
    variant = brand->variant;
  }
  return found;
}

std::string GetBridgeMacAddress(const platform::NetAdapters& adapters) {
  std::vector<platform::NetAdapter> list;
  if (!adapters.List(list)) {
    return {};
  }
  const std::string bridge = kBridgeAdapterDescription;
  for (const platform::NetAdapter& adapter : list) {
    if (adapter.description.compare(0, bridge.size(), bridge) == 0) {
      char text[20] = {};
      std::snprintf(text, sizeof(text), "%02X%02X%02X%02X%02X%02X", adapter.address[0],
                    adapter.address[1], adapter.address[2], adapter.address[3], adapter.address[4],
                    adapter.address[5]);
      return text;
    }
  }
  return {};
}

}  // namespace quaylin
