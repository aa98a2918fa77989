#include "eeprom_tool/mac_serial.h"

#include <string_view>

namespace eeprom_tool {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";
// Second digits that make the first octet odd: a group address.
constexpr std::string_view kGroupBitDigits = "13579BDF";

char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool AllHexDigits(const std::string& text) {
  for (char c : text) {
    if (kHexDigits.find(Upper(c)) == std::string_view::npos) {
      return false;
    }
  }
  return true;
}

uint8_t DigitValue(char c) {
  const size_t value = kHexDigits.find(Upper(c));
  return value == std::string_view::npos ? 0 : static_cast<uint8_t>(value);
}

}  // namespace

bool ValidateMacAddress(const std::string& text) {
  return text.size() == 2 * kMacSize && AllHexDigits(text) &&
         kGroupBitDigits.find(Upper(text[1])) == std::string_view::npos;
}

bool ValidateSerialNumber(const std::string& text) {
  return text.size() == kSerialSize && AllHexDigits(text);
}

uint8_t HexPairToByte(char high, char low) {
  return static_cast<uint8_t>(DigitValue(high) * 16 + DigitValue(low));
}

void PutMacAddress(const std::string& mac, SromImage& image) {
  for (size_t i = 0; i < kMacSize && 2 * i + 1 < mac.size(); ++i) {
    image[kMacOffset + i] = HexPairToByte(mac[2 * i], mac[2 * i + 1]);
  }
}

void PutSerialNumber(const std::string& serial, SromImage& image) {
  for (size_t i = 0; i < kSerialSize && i < serial.size(); ++i) {
    image[kSerialOffset + i] = static_cast<uint8_t>(serial[i]);
  }
}

void IncrementMacAddress(SromImage& image) {
  for (size_t i = kMacOffset + kMacSize - 1; i > kMacOffset; --i) {
    if (image[i] != 0xFF) {
      ++image[i];
      return;
    }
    image[i] = 0x00;
  }
  image[kMacOffset] = static_cast<uint8_t>((image[kMacOffset] & 0xFE) + 2);
}

bool IncrementSerialNumber(SromImage& image) {
  for (size_t i = kSerialOffset + kSerialSize; i-- > kSerialOffset;) {
    if (image[i] != 0xFF) {
      ++image[i];
      for (size_t j = i + 1; j < kSerialOffset + kSerialSize; ++j) {
        image[j] = 0x00;
      }
      return true;
    }
  }
  return false;
}

}  // namespace eeprom_tool
