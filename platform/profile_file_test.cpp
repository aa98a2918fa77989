// Runs in both builds: the native reader must agree with GetPrivateProfile* as Windows runs it.
#include "platform/profile_file.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

namespace platform {
namespace {

namespace fs = std::filesystem;

class ProfileFileTest : public ::testing::Test {
 protected:
  ProfileFileTest()
      : folder_(fs::temp_directory_path() /
                ("profile_" +
                 std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()))),
        profile_(MakeSystemProfileFile()) {
    fs::create_directories(folder_);
  }
  ~ProfileFileTest() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  // Writes the file and returns its full path.
  std::wstring Write(const std::string& name, const std::string& bytes) {
    const fs::path path = folder_ / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path.wstring();
  }

  std::wstring Read(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                    size_t bufferChars = 255) {
    return profile_->ReadString(path, section, key, L"dflt", bufferChars);
  }

  fs::path folder_;
  std::unique_ptr<ProfileFile> profile_;
};

constexpr char kSettings[] =
    "; settings of the test\r\n"
    "[Customer]\r\n"
    "Customer_Name=BRENN\r\n"
    "  Spaced Key   =   value with blanks   \r\n"
    "Quoted=\"  kept inside  \"\r\n"
    "Twice=first\r\n"
    "Twice=second\r\n"
    "NoEquals\r\n"
    "Empty=\r\n"
    "[US_Rq9]\n"
    "FW FILE NAME=v1.2 build 7\n"
    "[customer]\n"
    "OnlyInSecond=x\n";

TEST_F(ProfileFileTest, ReadsValuesTheWayTheProfileFunctionsDo) {
  const std::wstring path = Write("setting.ini", kSettings);
  struct Case {
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* expected;
  } cases[] = {
      {L"Customer", L"Customer_Name", L"BRENN"},
      {L"CUSTOMER", L"customer_name", L"BRENN"},  // names ignore letter case
      {L"Customer", L"Spaced Key", L"value with blanks"},
      {L"Customer", L"Quoted", L"  kept inside  "},
      {L"Customer", L"Twice", L"first"},
      {L"Customer", L"Empty", L""},
      {L"Customer", L"NoEquals", L"dflt"},
      {L"Customer", L"Missing", L"dflt"},
      {L"Customer", L"OnlyInSecond", L"dflt"},  // only the first section of a name is read
      {L"US_Rq9", L"FW FILE NAME", L"v1.2 build 7"},
      {L"Nowhere", L"Customer_Name", L"dflt"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Read(path, c.section, c.key), c.expected) << c.section << L"/" << c.key;
  }
}

// Notepad saves "Unicode" as UTF-16LE with a byte-order mark.
TEST_F(ProfileFileTest, ReadsUtf16FilesWithByteOrderMark) {
  const std::wstring text = L"[Customer]\r\nCustomer_Name=Dovik \u00C5\u4E2D\r\n";
  std::string bytes = "\xFF\xFE";
  for (const wchar_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>((c >> 8) & 0xFF);
  }
  const std::wstring path = Write("utf16.ini", bytes);
  EXPECT_EQ(Read(path, L"customer", L"Customer_Name"), L"Dovik \u00C5\u4E2D");
}

TEST_F(ProfileFileTest, MissingFileGivesTheDefaultWithoutTrailingBlanks) {
  const std::wstring missing = (folder_ / "absent.ini").wstring();
  EXPECT_EQ(Read(missing, L"Customer", L"Customer_Name"), L"dflt");
  EXPECT_EQ(profile_->ReadString(missing, L"a", L"b", L"x  ", 255), L"x");
  EXPECT_EQ(profile_->ReadString(missing, L"a", L"b", L"", 255), L"");
}

TEST_F(ProfileFileTest, ValueIsCutToOneLessThanTheBuffer) {
  const std::string longValue(300, 'v');
  const std::wstring path = Write("long.ini", "[Billboard]\nFW FILE NAME=" + longValue + "\n");
  EXPECT_EQ(Read(path, L"Billboard", L"FW FILE NAME"), std::wstring(254, L'v'));
  EXPECT_EQ(Read(path, L"Billboard", L"FW FILE NAME", 4), L"vvv");
  EXPECT_EQ(profile_->ReadString(path, L"Billboard", L"Missing", L"default", 4), L"def");
}

TEST_F(ProfileFileTest, ReadsIntegersLikeGetPrivateProfileInt) {
  const std::wstring path = Write("int.ini",
                                  "[Firmware Update]\n"
                                  "Dec=42\nNeg=-7\nPlus=+3\nHex=0x1F\nTrail=12abc\n"
                                  "Word=abc\nEmpty=\nBlank=   9   \n");
  struct Case {
    const wchar_t* key;
    int expected;
  } cases[] = {
      {L"Dec", 42}, {L"Neg", -7},   {L"Plus", 3},  {L"Hex", 31},     {L"Trail", 12},
      {L"Word", 0}, {L"Empty", 55}, {L"Blank", 9}, {L"Missing", 55},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(profile_->ReadInt(path, L"Firmware Update", c.key, 55), c.expected) << c.key;
  }
  EXPECT_EQ(profile_->ReadInt((folder_ / "absent.ini").wstring(), L"x", L"y", -3), -3);
}

TEST_F(ProfileFileTest, SectionNamesInFileOrderCutToTheBuffer) {
  const std::wstring path = Write("names.ini", "[alpha]\na=1\n[bravo]\n[charlie]\nc=3\n");
  EXPECT_EQ(profile_->SectionNames(path, 1024),
            (std::vector<std::wstring>{L"alpha", L"bravo", L"charlie"}));
  // "alpha\0" takes 6 places, so a buffer of 10 leaves room for two characters of "bravo".
  EXPECT_EQ(profile_->SectionNames(path, 10), (std::vector<std::wstring>{L"alpha", L"br"}));
  EXPECT_TRUE(profile_->SectionNames((folder_ / "absent.ini").wstring(), 1024).empty());
}

// ".\Setup\setting.ini" is found relative to the working folder; a bare name is not looked up
// there (Windows reads it from its own folder).
TEST_F(ProfileFileTest, RelativePathIsTakenFromTheWorkingFolder) {
  Write("Setup/setting.ini", "[Customer]\nCustomer_Name=Dovik\n");
  Write("bare.ini", "[Customer]\nCustomer_Name=Ostrel\n");
  const fs::path previous = fs::current_path();
  fs::current_path(folder_);
  const std::wstring relative = Read(L".\\Setup\\setting.ini", L"Customer", L"Customer_Name");
  const std::wstring bare = Read(L"bare.ini", L"Customer", L"Customer_Name");
  fs::current_path(previous);
  EXPECT_EQ(relative, L"Dovik");
  EXPECT_EQ(bare, L"dflt");
}

}  // namespace
}  // namespace platform
