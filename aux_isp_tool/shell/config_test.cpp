#include "aux_isp_tool/shell/config.h"

#include "aux_isp_tool/shell/testing/scratch_folder.h"
#include "sim/clock/virtual_clock.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace peloisp {
namespace {

using testing::ScratchFolder;

class FixedExecutablePath final : public platform::ExecutablePath {
 public:
  explicit FixedExecutablePath(std::wstring path, bool known = true)
      : path_(std::move(path)), known_(known) {}
  bool FullPath(std::wstring& path) const override {
    path = path_;
    return known_;
  }

 private:
  std::wstring path_;
  bool known_;
};

// Config.ini in a scratch folder, read through the system's profile reader: the same table
// runs on the Windows reader under Wine and on the native one.
class ConfigFile : public ::testing::Test {
 protected:
  ScratchFolder folder_;
  FixedExecutablePath exe_{folder_.FolderText() + L"PeloISP.exe"};
  std::unique_ptr<platform::ProfileFile> profile_ = platform::MakeSystemProfileFile();
  sim::VirtualClock clock_;

  bool Load(const std::string& ini, IspContext& context, RunSettings& settings,
            std::wstring& message) {
    folder_.Write("Config.ini", ini);
    return LoadConfig(context, settings, message, ConfigSources{exe_, *profile_});
  }
};

using Check = std::function<void(const RunSettings&, const IspContext&, const std::wstring&)>;

struct ConfigCase {
  const char* name;
  std::string keys;  // lines of the "Firmware Update" section
  Check check;
};

TEST_F(ConfigFile, KeysRulesAndDefaults) {
  const ConfigCase cases[] = {
      {"no keys: every default", "",
       [](const RunSettings& s, const IspContext& c, const std::wstring&) {
         EXPECT_EQ(s.hostAddr, 0x6E);
         EXPECT_EQ(s.port1Addr, 0x6E);
         EXPECT_EQ(s.port2Addr, 0x6E);
         EXPECT_EQ(s.hostRamWriteAddr, 0x1800);
         EXPECT_EQ(s.port2RamWriteAddr, 0x1800);
         EXPECT_EQ(s.hostRunAtAddr, 0x1800);
         EXPECT_EQ(s.port1RunAtAddr, 0x1800);
         EXPECT_EQ(s.hostFlashStart, 0x400000u);
         EXPECT_EQ(s.port2FlashStart, 0x400000u);
         EXPECT_EQ(s.ispDrvRunDelay, 800u);
         EXPECT_EQ(s.nextIspDelay, 1000u);
         EXPECT_TRUE(s.fwComparison);
         EXPECT_TRUE(s.runResetOne);
         EXPECT_FALSE(s.notDeleteLogFile);
         EXPECT_FALSE(s.debugMode);
         EXPECT_FALSE(s.hostConfigured || s.port1Configured || s.port2Configured);
         EXPECT_FALSE(s.hostProgBoot || s.port1ProgBoot || s.port2ProgBoot);
         EXPECT_TRUE(s.hostDriverPath.empty() && s.port1DriverPath.empty());
         EXPECT_TRUE(s.hostBootPath.empty() && s.port2BootPath.empty());
         EXPECT_EQ(c.backendSelection, 0);
         EXPECT_EQ(c.deviceId, 0);
         EXPECT_EQ(c.i2cAddress, 0x6E);
         EXPECT_TRUE(c.firmwarePath.empty());
       }},
      {"Ddc2biAddr 0 is the default, and so is an absent port address",
       "Ddc2biAddr=0\r\nDdc2biAddrP2=0\r\n",
       [](const RunSettings& s, const IspContext& c, const std::wstring&) {
         EXPECT_EQ(s.hostAddr, 0x6E);
         EXPECT_EQ(s.port1Addr, 0x6E);
         EXPECT_EQ(s.port2Addr, 0x6E);
         EXPECT_EQ(c.i2cAddress, 0x6E);
       }},
      {"port addresses fall back to the host's",
       "Ddc2biAddr=106\r\nDdc2biAddrP1=-1\r\nDdc2biAddrP2=0\r\n",
       [](const RunSettings& s, const IspContext& c, const std::wstring&) {
         EXPECT_EQ(s.hostAddr, 106);
         EXPECT_EQ(s.port1Addr, 106);
         EXPECT_EQ(s.port2Addr, 106);
         EXPECT_EQ(c.i2cAddress, 106);
       }},
      {"addresses up to 128 are unset; larger ones keep 16 bits",
       "RamWriteAddr=128\r\nRunAtAddr=129\r\nRunAtAddrP1=128\r\nRunAtAddrP2=70000\r\n"
       "RamWriteAddrP1=4096\r\n",
       [](const RunSettings& s, const IspContext& c, const std::wstring&) {
         EXPECT_EQ(s.hostRamWriteAddr, 0x1800);
         EXPECT_EQ(s.port1RamWriteAddr, 4096);
         EXPECT_EQ(s.port2RamWriteAddr, 0x1800);
         EXPECT_EQ(s.hostRunAtAddr, 129);
         EXPECT_EQ(s.port1RunAtAddr, 129);  // the host value just read
         EXPECT_EQ(s.port2RunAtAddr, 4464);
         EXPECT_EQ(c.ramWriteAddr, 0x1800);
         EXPECT_EQ(c.runAtAddr, 129);
       }},
      {"flash start", "FlashStartAddr=5242880\r\nFlashStartAddrP1=128\r\nFlashStartAddrP2=129\r\n",
       [](const RunSettings& s, const IspContext& c, const std::wstring&) {
         EXPECT_EQ(s.hostFlashStart, 5242880u);
         EXPECT_EQ(s.port1FlashStart, 5242880u);
         EXPECT_EQ(s.port2FlashStart, 129u);
         EXPECT_EQ(c.flashStart, 5242880u);
       }},
      {"a negative value other than -1 is a large unsigned one",
       "RamWriteAddr=-2\r\nNextIspDelay=-3\r\n",
       [](const RunSettings& s, const IspContext&, const std::wstring&) {
         EXPECT_EQ(s.hostRamWriteAddr, 0xFFFE);
         EXPECT_EQ(s.nextIspDelay, 0xFFFFFFFDu);
       }},
      {"delays up to 50 ms are unset", "IspDrvRunDelay=50\r\nNextIspDelay=51\r\n",
       [](const RunSettings& s, const IspContext&, const std::wstring&) {
         EXPECT_EQ(s.ispDrvRunDelay, 800u);
         EXPECT_EQ(s.nextIspDelay, 51u);
       }},
      {"flags: nonzero keeps the first two on, only 1 sets the others",
       "FwComparison=0\r\nRunResetOne=2\r\nNotDeleteLogFile=2\r\nDebugMode=1\r\n",
       [](const RunSettings& s, const IspContext&, const std::wstring&) {
         EXPECT_FALSE(s.fwComparison);
         EXPECT_TRUE(s.runResetOne);
         EXPECT_FALSE(s.notDeleteLogFile);
         EXPECT_TRUE(s.debugMode);
       }},
      {"flags the other way", "FwComparison=2\r\nRunResetOne=0\r\nNotDeleteLogFile=1\r\n",
       [](const RunSettings& s, const IspContext&, const std::wstring&) {
         EXPECT_TRUE(s.fwComparison);
         EXPECT_FALSE(s.runResetOne);
         EXPECT_TRUE(s.notDeleteLogFile);
       }},
      {"paths are taken relative to the executable's folder",
       "FWFilePath=fw\\host.bin\r\nDriverFilePath=drv.bin\r\nDriverFilePathP2=drv2.bin\r\n",
       [](const RunSettings& s, const IspContext& c, const std::wstring& folder) {
         EXPECT_EQ(s.hostFwPath, folder + L"fw\\host.bin");
         EXPECT_TRUE(s.hostConfigured);
         EXPECT_EQ(c.firmwarePath, folder + L"fw\\host.bin");
         EXPECT_EQ(s.hostDriverPath, folder + L"drv.bin");
         EXPECT_EQ(c.driverPath, folder + L"drv.bin");
         EXPECT_EQ(s.port1DriverPath, folder + L"drv.bin");
         EXPECT_EQ(s.port2DriverPath, folder + L"drv2.bin");
       }},
      {"FWFilePathP1 overrides FWFileP1",
       "FWFilePathP1=b.bin\r\nFWFileP1=a.bin\r\nFWFileP2=c.bin\r\n",
       [](const RunSettings& s, const IspContext& c, const std::wstring& folder) {
         EXPECT_EQ(s.port1FwPath, folder + L"b.bin");
         EXPECT_TRUE(s.port1Configured);
         EXPECT_EQ(s.port2FwPath, folder + L"c.bin");
         EXPECT_TRUE(s.port2Configured);
         EXPECT_FALSE(s.hostConfigured);
         EXPECT_TRUE(c.firmwarePath.empty());
         EXPECT_TRUE(s.port1DriverPath.empty());  // no driver keys at all
       }},
      {"an empty value is absent", "FWFilePath=\r\nDriverFilePath=\r\n",
       [](const RunSettings& s, const IspContext&, const std::wstring&) {
         EXPECT_FALSE(s.hostConfigured);
         EXPECT_TRUE(s.hostDriverPath.empty());
       }},
      {"boot code",
       "ProgBootCode=1\r\nProgBootCodeP1=2\r\nProgBootCodeP2=1\r\nBootCodeFilePathP2=boot.bin\r\n",
       [](const RunSettings& s, const IspContext&, const std::wstring& folder) {
         EXPECT_TRUE(s.hostProgBoot);
         EXPECT_FALSE(s.port1ProgBoot);
         EXPECT_TRUE(s.port2ProgBoot);
         EXPECT_TRUE(s.hostBootPath.empty());
         EXPECT_EQ(s.port2BootPath, folder + L"boot.bin");
       }},
      {"Intel legacy id wins over the other device keys",
       "NvidiaDeviceId=7\r\nIntelLegacyDeviceId=5\r\nDeviceID=13\r\n",
       [](const RunSettings&, const IspContext& c, const std::wstring&) {
         EXPECT_EQ(c.backendSelection, 4);
         EXPECT_EQ(c.deviceId, 5);
       }},
      {"DeviceID selects LS-PCON before NVIDIA and AMD",
       "AmdDeviceId=9\r\nDeviceID=13\r\nNvidiaDeviceId=7\r\n",
       [](const RunSettings&, const IspContext& c, const std::wstring&) {
         EXPECT_EQ(c.backendSelection, 3);
         EXPECT_EQ(c.deviceId, 13);
       }},
      {"NVIDIA before AMD; -1 counts as absent",
       "IntelLegacyDeviceId=-1\r\nAmdDeviceId=9\r\nNvidiaDeviceId=0\r\n",
       [](const RunSettings&, const IspContext& c, const std::wstring&) {
         EXPECT_EQ(c.backendSelection, 1);
         EXPECT_EQ(c.deviceId, 0);
       }},
      {"AMD alone", "AmdDeviceId=65537\r\n",
       [](const RunSettings&, const IspContext& c, const std::wstring&) {
         EXPECT_EQ(c.backendSelection, 2);
         EXPECT_EQ(c.deviceId, 65537);
       }},
      {"key names in any letter case, blanks around the value",
       "ramwriteaddr = 129 \r\nFWFILEPATH = fw.bin \r\n",
       [](const RunSettings& s, const IspContext&, const std::wstring& folder) {
         EXPECT_EQ(s.hostRamWriteAddr, 129);
         EXPECT_EQ(s.hostFwPath, folder + L"fw.bin");
       }},
  };
  for (const ConfigCase& c : cases) {
    IspContext context(clock_);
    RunSettings settings;
    std::wstring message = L"untouched";
    ASSERT_TRUE(Load("[Firmware Update]\r\n" + c.keys, context, settings, message)) << c.name;
    EXPECT_EQ(message, L"untouched") << c.name;
    SCOPED_TRACE(c.name);
    c.check(settings, context, folder_.FolderText());
  }
}

TEST_F(ConfigFile, PathThatWouldNotFitIsAbsent) {
  // Folder plus value may hold 511 characters.
  const size_t folderChars = folder_.FolderText().size();
  ASSERT_LT(folderChars, 400u);
  const std::string fits(511 - folderChars, 'f');
  const std::string tooLong(512 - folderChars, 'g');
  IspContext context(clock_);
  RunSettings settings;
  std::wstring message;
  ASSERT_TRUE(Load("[Firmware Update]\r\nFWFilePath=" + fits + "\r\nFWFileP1=" + tooLong +
                       "\r\nDriverFilePath=" + tooLong + "\r\n",
                   context, settings, message));
  EXPECT_TRUE(settings.hostConfigured);
  EXPECT_EQ(settings.hostFwPath.size(), 511u);
  EXPECT_FALSE(settings.port1Configured);
  EXPECT_TRUE(settings.port1FwPath.empty());
  EXPECT_TRUE(settings.hostDriverPath.empty());
}

TEST_F(ConfigFile, SectionMustBePresentInAnyLetterCase) {
  const struct {
    const char* name;
    const char* ini;  // nullptr: no file
    bool accepted;
  } cases[] = {
      {"no file", nullptr, false},
      {"empty file", "", false},
      {"other section only", "[Firmware Updates]\r\nDdc2biAddr=106\r\n", false},
      {"letter case differs", "[firmware UPDATE]\r\nDdc2biAddr=106\r\n", true},
      {"after other sections", "[General]\r\nx=1\r\n[Firmware Update]\r\nDdc2biAddr=106\r\n", true},
      {"keys without any section", "Ddc2biAddr=106\r\n", false},
  };
  for (const auto& c : cases) {
    ScratchFolder folder;
    FixedExecutablePath exe(folder.FolderText() + L"PeloISP.exe");
    if (c.ini != nullptr) {
      folder.Write("Config.ini", c.ini);
    }
    EXPECT_EQ(HasFirmwareUpdateSection(*profile_, folder.File("Config.ini")), c.accepted) << c.name;
    IspContext context(clock_);
    RunSettings settings;
    settings.hostAddr = 1;  // left alone on failure
    std::wstring message;
    EXPECT_EQ(LoadConfig(context, settings, message, ConfigSources{exe, *profile_}), c.accepted)
        << c.name;
    if (c.accepted) {
      EXPECT_EQ(settings.hostAddr, 106) << c.name;
    } else {
      EXPECT_EQ(message, L"Please ensure that Config.ini is present and is not corrupted.\r\n")
          << c.name;
      EXPECT_EQ(settings.hostAddr, 1) << c.name;
    }
  }
}

TEST_F(ConfigFile, UnknownOwnPathIsAGeneralFileAccessFailure) {
  folder_.Write("Config.ini", "[Firmware Update]\r\n");
  const FixedExecutablePath unknown(folder_.FolderText() + L"PeloISP.exe", false);
  const FixedExecutablePath noFolder(L"PeloISP.exe");
  for (const platform::ExecutablePath* exe :
       {static_cast<const platform::ExecutablePath*>(&unknown),
        static_cast<const platform::ExecutablePath*>(&noFolder)}) {
    IspContext context(clock_);
    RunSettings settings;
    std::wstring message;
    EXPECT_FALSE(LoadConfig(context, settings, message, ConfigSources{*exe, *profile_}));
    EXPECT_EQ(message, L"General file access failure.\r\n");
  }
  EXPECT_EQ(ExecutableFolder(L"C:\\Tools\\Salt\\PeloISP.exe"), L"C:\\Tools\\Salt\\");
}

TEST(ExecutablePath, SystemReportsTheRunningTestProgram) {
  std::wstring path;
  ASSERT_TRUE(platform::MakeSystemExecutablePath()->FullPath(path));
  EXPECT_NE(path.find(L"peloisp_shell_tests"), std::wstring::npos);
  EXPECT_FALSE(ExecutableFolder(path).empty());
}

}  // namespace
}  // namespace peloisp
