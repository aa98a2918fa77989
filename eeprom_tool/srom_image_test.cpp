#include "eeprom_tool/srom_image.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace eeprom_tool {
namespace {

namespace fs = std::filesystem;

class SromFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("srom_test_" +
            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string Write(const std::string& content) {
    const fs::path path = dir_ / "SROM.dat";
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }
  std::string ReadBack(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path dir_;
};

// A valid image: even first byte, byte 10 the checksum of bytes 6 to 9.
SromImage SampleImage() {
  SromImage image{};
  for (size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<uint8_t>(i * 7 + 2);
  }
  image[0] = 0x00;
  image[6] = 0x01;
  image[7] = 0x02;
  image[8] = 0x03;
  image[9] = 0x04;
  image[10] = 0xF5;
  return image;
}

// The image's values as text, `separator` between them.
std::string ValuesText(const SromImage& image, size_t count, const char* format,
                       const std::string& separator) {
  std::string text;
  for (size_t i = 0; i < count; ++i) {
    char value[8];
    std::snprintf(value, sizeof value, format, image[i]);
    text += value + separator;
  }
  return text;
}

TEST(SromChecksum, IsTheComplementOfTheEndAroundCarrySum) {
  struct Case {
    uint8_t bytes[4];
    uint8_t checksum;
  };
  const std::vector<Case> cases = {
      {{0x00, 0x00, 0x00, 0x00}, 0xFF},
      {{0x01, 0x02, 0x03, 0x04}, 0xF5},
      {{0xFF, 0xFF, 0xFF, 0xFF}, 0x00},
      {{0x80, 0x80, 0x00, 0x00}, 0xFE},  // 0x100 carries round to 0x01
  };
  for (const Case& c : cases) {
    SromImage image{};
    std::copy(std::begin(c.bytes), std::end(c.bytes), image.begin() + 6);
    EXPECT_EQ(SromChecksum(image), c.checksum);
  }
}

TEST_F(SromFileTest, AcceptsAnyWhiteSpaceAndOneOrTwoDigitsInEitherCase) {
  const SromImage sample = SampleImage();
  const std::vector<std::string> texts = {
      FormatSromText(sample),
      ValuesText(sample, 256, "%x", "\n"),
      ValuesText(sample, 256, "%02x", " \t "),
      ValuesText(sample, 256, "%X", "\r\n") + "trailing text is not read",
  };
  for (const std::string& text : texts) {
    SromImage image{};
    EXPECT_EQ(ReadSromFile(Write(text), image), "Success") << text.substr(0, 40);
    EXPECT_EQ(image, sample);
  }
}

TEST_F(SromFileTest, RefusesBadFilesWithoutTouchingTheImage) {
  const SromImage sample = SampleImage();
  const std::string good = ValuesText(sample, 256, "%02X", " ");
  SromImage badChecksum = sample;
  badChecksum[10] = 0xF4;
  std::string oddFirst = good;
  oddFirst.replace(0, 2, "01");
  struct Case {
    std::string content;
    std::string result;
  };
  const std::vector<Case> cases = {
      // Refused before value 1 is read, even though value 1 is not a number.
      {"01 zz", "Wrong First Byte Data Format in SROM.dat"},
      {oddFirst, "Wrong First Byte Data Format in SROM.dat"},
      {ValuesText(badChecksum, 256, "%02X", " "), "Wrong SROM file with Checksum data!"},
      {ValuesText(sample, 255, "%02X", " "), "Wrong SROM file with missing data!"},
      {"", "Wrong SROM file with missing data!"},
      {ValuesText(sample, 20, "%02X", " ") + "G1 " + good.substr(63),
       "Wrong SROM file with non-hexadecimal data!"},
      {ValuesText(sample, 20, "%02X", " ") + "100 " + good.substr(63),
       "Wrong SROM file with non-hexadecimal data!"},
      {ValuesText(sample, 20, "%02X", " ") + "0x1 " + good.substr(63),
       "Wrong SROM file with non-hexadecimal data!"},
      {ValuesText(sample, 255, "%02X", " ") + "-1", "Wrong SROM file with non-hexadecimal data!"},
  };
  for (const Case& c : cases) {
    SromImage image{};
    image.fill(0xAA);
    EXPECT_EQ(ReadSromFile(Write(c.content), image), c.result) << c.content.substr(0, 80);
    EXPECT_EQ(image[0], 0xAA) << c.content.substr(0, 80);
  }
}

TEST_F(SromFileTest, AMissingFileCannotBeOpened) {
  SromImage image{};
  EXPECT_EQ(ReadSromFile((dir_ / "absent.dat").string(), image), "File cannot be opened.");
}

TEST_F(SromFileTest, SavesSixteenLinesOfSixteenValuesWithCrLfBytes) {
  SromImage image{};
  for (size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<uint8_t>(i);
  }
  const std::string path = Write("old content that is longer than nothing");
  ASSERT_TRUE(SaveSromFile(path, image));
  const std::string text = ReadBack(path);
  ASSERT_EQ(text.size(), 16u * (16 * 3 + 2));
  EXPECT_EQ(text.substr(0, 50), "00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F \r\n");
  EXPECT_EQ(text.substr(15 * 50), "F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF \r\n");
}

TEST_F(SromFileTest, SavedFileReadsBackToTheSameImage) {
  const SromImage sample = SampleImage();
  const std::string path = Write("");
  ASSERT_TRUE(SaveSromFile(path, sample));
  SromImage image{};
  EXPECT_EQ(ReadSromFile(path, image), "Success");
  EXPECT_EQ(image, sample);
}

TEST_F(SromFileTest, SaveReportsAFileThatCannotBeWritten) {
  EXPECT_FALSE(SaveSromFile((dir_ / "no such folder" / "SROM.dat").string(), SampleImage()));
  EXPECT_FALSE(SaveSromFile(dir_.string(), SampleImage()));  // a folder, not a file
}

}  // namespace
}  // namespace eeprom_tool
