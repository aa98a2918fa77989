#include "eeprom_tool/mac_serial.h"

#include <gtest/gtest.h>

#include <vector>

namespace eeprom_tool {
namespace {

TEST(ValidateMacAddress, AcceptsTwelveHexDigitsWithAnEvenFirstOctet) {
  struct Case {
    const char* text;
    bool valid;
  };
  const std::vector<Case> cases = {
      {"000EC6F9D000", true},
      {"000ec6f9d000", true},
      {"FEFFFFFFFFFF", true},
      {"010EC6F9D000", false},
      {"0F0EC6F9D000", false},
      {"0b0EC6F9D000", false},
      {"000EC6F9D00", false},
      {"000EC6F9D0000", false},
      {"000EC6F9D00G", false},
      {"000EC6F9D00 ", false},
      {"", false},
      {"0x0EC6F9D000", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ValidateMacAddress(c.text), c.valid) << c.text;
  }
}

TEST(ValidateSerialNumber, AcceptsFourteenHexDigits) {
  struct Case {
    const char* text;
    bool valid;
  };
  const std::vector<Case> cases = {
      {"00000000000001", true},   {"0000000000000a", true},
      {"ABCDEFabcdef99", true},   {"0000000000001", false},
      {"000000000000001", false}, {"0000000000000g", false},
      {"0000000000000:", false},  {"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ValidateSerialNumber(c.text), c.valid) << c.text;
  }
}

TEST(HexPairToByte, TakesLettersInEitherCase) {
  EXPECT_EQ(HexPairToByte('0', '0'), 0x00);
  EXPECT_EQ(HexPairToByte('c', '6'), 0xC6);
  EXPECT_EQ(HexPairToByte('C', 'f'), 0xCF);
  EXPECT_EQ(HexPairToByte('F', 'F'), 0xFF);
}

SromImage WithMac(std::vector<uint8_t> mac) {
  SromImage image{};
  image.fill(0x77);
  std::copy(mac.begin(), mac.end(), image.begin());
  return image;
}

TEST(IncrementMacAddress, CarriesTowardsTheFirstOctetAndKeepsItEven) {
  struct Case {
    std::vector<uint8_t> before;
    std::vector<uint8_t> after;
  };
  const std::vector<Case> cases = {
      {{0x00, 0x0E, 0xC6, 0xF9, 0xD0, 0x00}, {0x00, 0x0E, 0xC6, 0xF9, 0xD0, 0x01}},
      {{0x00, 0x0E, 0xC6, 0xF9, 0xD0, 0xFF}, {0x00, 0x0E, 0xC6, 0xF9, 0xD1, 0x00}},
      {{0x00, 0x0E, 0xFF, 0xFF, 0xFF, 0xFF}, {0x00, 0x0F, 0x00, 0x00, 0x00, 0x00}},
      {{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, {0x02, 0x00, 0x00, 0x00, 0x00, 0x00}},
      {{0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00}},
  };
  for (const Case& c : cases) {
    SromImage image = WithMac(c.before);
    IncrementMacAddress(image);
    const SromImage expected = WithMac(c.after);
    EXPECT_EQ(image, expected) << testing::PrintToString(c.before);
  }
}

SromImage WithSerial(const std::string& serial) {
  SromImage image{};
  image.fill(0x55);
  PutSerialNumber(serial, image);
  return image;
}

TEST(IncrementSerialNumber, CountsBytesNotDecimalDigits) {
  struct Case {
    std::string before;
    std::string after;
  };
  const std::vector<Case> cases = {
      {"00000000000001", "00000000000002"},
      {"00000000000009", "0000000000000:"},
      {"0000000000000a", "0000000000000b"},
      {"0000000000000\xFF", std::string("0000000000001") + '\0'},
      {std::string("0") + std::string(13, '\xFF'), std::string("1") + std::string(13, '\0')},
  };
  for (const Case& c : cases) {
    SromImage image = WithSerial(c.before);
    EXPECT_TRUE(IncrementSerialNumber(image));
    EXPECT_EQ(image, WithSerial(c.after)) << c.before;
  }
}

TEST(IncrementSerialNumber, ReportsAFullSerialNumberAndLeavesItAlone) {
  SromImage image = WithSerial(std::string(14, '\xFF'));
  const SromImage before = image;
  EXPECT_FALSE(IncrementSerialNumber(image));
  EXPECT_EQ(image, before);
}

}  // namespace
}  // namespace eeprom_tool
