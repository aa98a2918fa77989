#include "eeprom_tool/srom_image.h"

#include <cstdio>
#include <memory>

namespace eeprom_tool {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

int HexDigit(int c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  if (c >= 'A' && c <= 'F') {
    return c - 'A' + 10;
  }
  return -1;
}

bool IsSpace(int c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

enum class ValueRead { kValue, kEnd, kNotHex };

// Reads the next white-space separated value; it must be one or two hexadecimal digits.
ValueRead ReadHexValue(std::FILE* file, uint8_t& value) {
  int c = std::fgetc(file);
  while (c != EOF && IsSpace(c)) {
    c = std::fgetc(file);
  }
  if (c == EOF) {
    return ValueRead::kEnd;
  }
  int result = 0;
  int digits = 0;
  while (c != EOF && !IsSpace(c)) {
    const int digit = HexDigit(c);
    if (digit < 0 || ++digits > 2) {
      return ValueRead::kNotHex;
    }
    result = result * 16 + digit;
    c = std::fgetc(file);
  }
  value = static_cast<uint8_t>(result);
  return ValueRead::kValue;
}

}  // namespace

uint8_t SromChecksum(const SromImage& image) {
  unsigned sum = 0;
  for (size_t i = kChecksumFirst; i <= kChecksumLast; ++i) {
    sum += image[i];
    if (sum > 0xFF) {
      sum = (sum & 0xFF) + 1;
    }
  }
  return static_cast<uint8_t>(0xFF - sum);
}

std::string ReadSromFile(const std::string& file, SromImage& image) {
  if (!FilePtr(std::fopen(file.c_str(), "rb"))) {
    return "File cannot be opened.";
  }
  FilePtr text(std::fopen(file.c_str(), "r"));
  if (!text) {
    return "Filename \"" + file + "\" does not exist\n";
  }
  SromImage loaded{};
  for (size_t i = 0; i < kSromSize; ++i) {
    switch (ReadHexValue(text.get(), loaded[i])) {
      case ValueRead::kValue:
        break;
      case ValueRead::kEnd:
        // The missing bytes would be burnt into the EEPROM as whatever they happen to be.
        return "Wrong SROM file with missing data!";
      case ValueRead::kNotHex:
        return "Wrong SROM file with non-hexadecimal data!";
    }
    if (i == 0 && (loaded[0] & 0x01) != 0) {
      return "Wrong First Byte Data Format in SROM.dat";
    }
    if (i == kChecksumOffset && loaded[kChecksumOffset] != SromChecksum(loaded)) {
      return "Wrong SROM file with Checksum data!";
    }
  }
  image = loaded;
  return kSuccess;
}

std::string FormatSromText(const SromImage& image) {
  std::string text;
  text.reserve(kSromSize * 3 + 2 * (kSromSize / 16));
  for (size_t i = 0; i < kSromSize; ++i) {
    char value[4];
    std::snprintf(value, sizeof value, "%02X ", image[i]);
    text += value;
    if (i % 16 == 15) {
      text += "\r\n";
    }
  }
  return text;
}

bool SaveSromFile(const std::string& file, const SromImage& image) {
  const std::string text = FormatSromText(image);
  // Binary mode: the CR LF bytes go out as they are.
  std::FILE* out = std::fopen(file.c_str(), "wb");
  if (out == nullptr) {
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  const bool closed = std::fclose(out) == 0;
  return written && closed;
}

}  // namespace eeprom_tool
