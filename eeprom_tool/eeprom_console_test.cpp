#include "eeprom_tool/eeprom_console.h"

#include "eeprom_tool/srom_image.h"
#include "sim/clock/virtual_clock.h"
#include "sim/torv_bridge/sim_bridge_device.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace eeprom_tool {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

const std::string kAsterisks(102, '*');
const std::string kUsage = kAsterisks + "\n" +
                           "\tMiraton Torv EEPROM Console Tool\n"
                           "\n"
                           "\t[Usage] : Torv_EEPROM_Console [-m] <MAC address> [-s] <Serial "
                           "number> [-f] <filename> [-p]\n"
                           "\n"
                           "\t-m\tSpecify the MAC address\n"
                           "\t-s\tSpecify the serial number\n"
                           "\t-f\tSpecify a file name of SROM data\n"
                           "\t-p\tProgram the EEPROM\n"
                           "\n"
                           "\tFor example:\n"
                           "\tTorv_EEPROM_Console -m 000EC6F9D000 -s 00000000000001 -f SROM.dat "
                           "-p\n"
                           "\n" +
                           kAsterisks + "\n";

// The image in the file: MAC 00 0E C6 F9 D0 FF, serial "00000000000001".
SromImage FileImage() {
  SromImage image{};
  for (size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<uint8_t>(0x30 + i % 64);
  }
  const Bytes mac = {0x00, 0x0E, 0xC6, 0xF9, 0xD0, 0xFF};
  std::copy(mac.begin(), mac.end(), image.begin());
  image[10] = SromChecksum(image);
  const std::string serial = "00000000000001";
  std::copy(serial.begin(), serial.end(), image.begin() + kSerialOffset);
  return image;
}

// The bridge's EEPROM before the run: MAC 00 0E C6 11 22 33, serial "BRIDGE00000007".
SromImage BridgeImage() {
  SromImage image{};
  for (size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<uint8_t>(i * 3);
  }
  const Bytes mac = {0x00, 0x0E, 0xC6, 0x11, 0x22, 0x33};
  std::copy(mac.begin(), mac.end(), image.begin());
  const std::string serial = "BRIDGE00000007";
  std::copy(serial.begin(), serial.end(), image.begin() + kSerialOffset);
  return image;
}

SromImage With(SromImage image, const Bytes& mac, const std::string& serial) {
  std::copy(mac.begin(), mac.end(), image.begin());
  std::copy(serial.begin(), serial.end(), image.begin() + kSerialOffset);
  return image;
}

class EepromConsoleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("eeprom_console_" +
            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(dir_);
    file_ = (dir_ / "SROM.dat").string();
    ASSERT_TRUE(SaveSromFile(file_, FileImage()));
    bridge_.SetEeprom(BridgeImage().data());
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  // Runs the tool; "{file}" in an argument stands for the image file's path.
  std::string Run(std::vector<std::string> args) {
    for (std::string& arg : args) {
      const size_t at = arg.find("{file}");
      if (at != std::string::npos) {
        arg.replace(at, 6, file_);
      }
    }
    std::string output;
    ConsoleContext context{device_, clock_, [&output](std::string_view text) { output += text; }};
    EXPECT_EQ(RunEepromConsole(args, context), 0);
    EXPECT_EQ(device_.OpenHandles(), 0);
    return output;
  }

  SromImage Eeprom() const {
    SromImage image{};
    std::copy(bridge_.Eeprom(), bridge_.Eeprom() + image.size(), image.begin());
    return image;
  }
  SromImage FileNow() const {
    SromImage image{};
    EXPECT_EQ(ReadSromFile(file_, image), "Success");
    return image;
  }

  fs::path dir_;
  std::string file_;
  sim::TorvBridge bridge_;
  sim::SimBridgeDevice device_{bridge_};
  sim::VirtualClock clock_;
};

TEST_F(EepromConsoleTest, CommandLines) {
  const Bytes kGivenMac = {0x00, 0x0E, 0xC6, 0xF9, 0xD0, 0x00};
  const Bytes kNextMac = {0x00, 0x0E, 0xC6, 0xF9, 0xD1, 0x00};
  struct Case {
    const char* what;
    std::vector<std::string> args;
    std::string output;
    std::vector<uint32_t> sleeps;
    bool written;        // the EEPROM was written ...
    SromImage eeprom{};  // ... with this image, and with "-f" the file holds it too
  };
  const std::vector<Case> cases = {
      {"no arguments", {}, "", {}, false},
      {"help", {"help"}, kUsage, {}, false},
      {"HELP", {"HELP"}, kUsage, {}, false},
      {"?", {"?"}, kUsage, {}, false},
      {"/?", {"/?", "-p"}, kUsage, {}, false},
      {"-? before a bad MAC address", {"-?", "-m", "1"}, kUsage, {}, false},
      {"help only counts first", {"-p", "help"}, "", {1000}, false},
      {"Help is no help token", {"Help"}, "", {1000}, false},
      {"group MAC address", {"-m", "010EC6F9D000"}, "Invalid MAC address\n\n", {}, false},
      {"11-digit MAC address", {"-m", "000EC6F9D00"}, "Invalid MAC address\n\n", {}, false},
      {"13-digit MAC address", {"-M", "000EC6F9D0000"}, "Invalid MAC address\n\n", {}, false},
      {"MAC address missing", {"-p", "-m"}, "Invalid MAC address\n\n", {}, false},
      {"bad serial", {"-s", "0000000000000g"}, "Invalid Serial Number format\n\n", {}, false},
      {"checked in order", {"-S", "1", "-m", "1"}, "Invalid Serial Number format\n\n", {}, false},
      {"options are whole tokens", {"-m000EC6F9D000", "-px"}, "", {1000}, false},
      {"read without -p prints nothing", {"-m", "000ec6f9d000"}, "", {1000}, false},
      {"-p without -f, -m or -s is ignored", {"-p"}, "", {1000}, false},
      {"-P is not -p", {"-m", "000EC6F9D000", "-P"}, "", {1000}, false},
      {"MAC into the bridge's image",
       {"-m", "000ec6f9d000", "-p"},
       "Programming Succeeded!\n",
       {1000, 500, 1500},
       true,
       With(BridgeImage(), kGivenMac, "BRIDGE00000007")},
      {"serial into the bridge's image, as typed",
       {"-p", "-s", "0000000000000a"},
       "Programming Succeeded!\n",
       {1000, 500, 1500},
       true,
       With(BridgeImage(), {0x00, 0x0E, 0xC6, 0x11, 0x22, 0x33}, "0000000000000a")},
      {"one argument holding spaces",
       {"-m 000EC6F9D000 -s 00000000000005 -p"},
       "Programming Succeeded!\n",
       {1000, 500, 1500},
       true,
       With(BridgeImage(), kGivenMac, "00000000000005")},
      {"a later option replaces the earlier",
       {"-s", "00000000000005", "-s", "00000000000006", "-p", "-m", "000EC6F9D000"},
       "Programming Succeeded!\n",
       {1000, 500, 1500},
       true,
       With(BridgeImage(), kGivenMac, "00000000000006")},
      {"the ninth token is dropped",
       {"-p", "x", "x", "x", "x", "x", "x", "-m", "000EC6F9D000"},
       "Invalid MAC address\n\n",
       {},
       false},
      {"file: both incremented",
       {"-f", "{file}", "-p"},
       "Programming Succeeded!\n",
       {1000, 500, 1500},
       true,
       With(FileImage(), kNextMac, "00000000000002")},
      {"file with MAC and serial given",
       {"-F", "{file}", "-m", "000EC6F9D000", "-s", "ABCDEF01234567", "-p"},
       "Programming Succeeded!\n",
       {1000, 500, 1500},
       true,
       With(FileImage(), kGivenMac, "ABCDEF01234567")},
      {"file without -p writes nothing", {"-f", "{file}"}, "", {1000}, false},
      {"the file name is the next token", {"-f", "-p"}, "File cannot be opened.\n", {1000}, false},
      {"empty file name", {"-f", "", "-p"}, "File cannot be opened.\n", {1000}, false},
      {"file name missing",
       {"-m", "000EC6F9D000", "-p", "-f"},
       "File cannot be opened.\n",
       {1000},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    const std::string output = Run(c.args);
    EXPECT_EQ(output, c.output);
    EXPECT_EQ(clock_.Sleeps(), c.sleeps);
    EXPECT_EQ(bridge_.EepromWrites(), c.written ? 1u : 0u);
    if (c.written) {
      EXPECT_EQ(Eeprom(), c.eeprom);
      const bool withFile = c.args.size() > 1 && (c.args[0] == "-f" || c.args[0] == "-F");
      EXPECT_EQ(FileNow(), withFile ? c.eeprom : FileImage());
    } else {
      EXPECT_EQ(Eeprom(), BridgeImage());
      EXPECT_EQ(FileNow(), FileImage());
    }
    TearDown();
    clock_.ClearRecords();
    bridge_.ClearCounters();
  }
}

TEST_F(EepromConsoleTest, FileProblemsEndTheRunBeforeTheEeprom) {
  const SromImage full =
      With(FileImage(), {0x00, 0x0E, 0xC6, 0xF9, 0xD0, 0x00}, std::string(14, '\xFF'));
  struct Case {
    const char* what;
    std::string content;  // the file's text; empty for no file at all
    std::vector<std::string> extra;
    std::string output;
  };
  const std::vector<Case> cases = {
      {"no file", "", {}, "File cannot be opened.\n"},
      {"odd first byte", "01 02", {}, "Wrong First Byte Data Format in SROM.dat\n"},
      {"short file", "00 0E C6", {}, "Wrong SROM file with missing data!\n"},
      {"serial full", FormatSromText(full), {}, "Serial Number Full!\n"},
      {"serial full, MAC given",
       FormatSromText(full),
       {"-m", "000EC6F9D000"},
       "Serial Number Full!\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(file_);
    if (!c.content.empty()) {
      std::ofstream(file_, std::ios::binary) << c.content;
    }
    std::vector<std::string> args = {"-f", "{file}", "-p"};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    EXPECT_EQ(Run(args), c.output);
    EXPECT_EQ(bridge_.EepromWrites(), 0u);
    EXPECT_EQ(device_.Opens(), 0);
  }
}

TEST_F(EepromConsoleTest, AFullSerialNumberIsNoProblemWhenOneIsGiven) {
  const SromImage full = With(FileImage(), {}, std::string(14, '\xFF'));
  ASSERT_TRUE(SaveSromFile(file_, full));
  EXPECT_EQ(Run({"-f", "{file}", "-s", "00000000000001", "-p"}), "Programming Succeeded!\n");
  EXPECT_EQ(Eeprom(), With(FileImage(), {0x00, 0x0E, 0xC6, 0xF9, 0xD1, 0x00}, "00000000000001"));
}

TEST_F(EepromConsoleTest, BridgeFailuresArePrintedAndNothingIsSaved) {
  struct Case {
    const char* what;
    std::vector<std::string> args;
    bool absent;
    sim::TorvBridge::Call fault;
    std::string output;
    std::vector<uint32_t> sleeps;
  };
  using B = sim::TorvBridge;
  const std::vector<Case> cases = {
      {"read, absent",
       {"-m", "000EC6F9D000", "-p"},
       true,
       B::kCallCount,
       "Failed to open device!\n",
       {1000}},
      {"read, control call fails",
       {"-m", "000EC6F9D000", "-p"},
       false,
       B::kCallRegRead,
       "EEPROM Read Failed!\n",
       {1000}},
      {"write, absent",
       {"-f", "{file}", "-p"},
       true,
       B::kCallCount,
       "Open Device Failed!\n",
       {1000, 500}},
      {"write, control call fails",
       {"-f", "{file}", "-p"},
       false,
       B::kCallEepromWrite,
       "EEPROM Write Failed!\n",
       {1000, 500}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    device_.SetAbsent(c.absent);
    if (c.fault != B::kCallCount) {
      bridge_.SetFault(c.fault, 0);
    }
    EXPECT_EQ(Run(c.args), c.output);
    EXPECT_EQ(clock_.Sleeps(), c.sleeps);
    EXPECT_EQ(Eeprom(), BridgeImage());
    EXPECT_EQ(FileNow(), FileImage());
    TearDown();
    clock_.ClearRecords();
    bridge_.ClearFaults();
  }
}

TEST_F(EepromConsoleTest, ProgrammingRunsContinueFromTheSavedFile) {
  const std::vector<std::string> args = {"-f", "{file}", "-p"};
  ASSERT_EQ(Run(args), "Programming Succeeded!\n");
  const SromImage first = Eeprom();
  ASSERT_EQ(Run(args), "Programming Succeeded!\n");
  EXPECT_EQ(Eeprom(), With(FileImage(), {0x00, 0x0E, 0xC6, 0xF9, 0xD1, 0x01}, "00000000000003"));
  EXPECT_NE(Eeprom(), first);
  EXPECT_EQ(FileNow(), Eeprom());
}

#ifndef _WIN32
// Makes every file write past `bytes` fail (as a full disk would), whatever the user's rights.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }

 private:
  rlimit saved_{};
  void (*previous_)(int) = nullptr;
};

TEST_F(EepromConsoleTest, AFileThatCannotBeUpdatedIsReportedAfterTheSuccessLine) {
  std::string output;
  {
    FileSizeLimit limit(100);
    output = Run({"-f", "{file}", "-p"});
  }
  EXPECT_EQ(output, "Programming Succeeded!\nSROM file \"" + file_ + "\" could not be updated!\n");
  EXPECT_EQ(bridge_.EepromWrites(), 1u);
  // What is left of the file is refused, so no next run starts from stale values unnoticed.
  SromImage image{};
  EXPECT_NE(ReadSromFile(file_, image), "Success");
}
#endif

}  // namespace
}  // namespace eeprom_tool
