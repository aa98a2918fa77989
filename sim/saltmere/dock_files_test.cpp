#include "sim/saltmere/dock_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>

namespace sim {
namespace {

class DockFilesTest : public ::testing::Test {
 protected:
  DockFilesTest() {
    folder = std::filesystem::temp_directory_path() /
             ("saltmere_dock_" +
              std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::create_directories(folder);
  }
  ~DockFilesTest() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  void WriteImage(const std::string& name, const std::vector<uint8_t>& image) {
    std::ofstream out(folder / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(image.data()),
              static_cast<std::streamsize>(image.size()));
  }
  std::vector<uint8_t> ReadImage(const std::string& name) {
    std::ifstream in(folder / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  std::filesystem::path folder;
  DockState state;
  std::string error;
};

TEST_F(DockFilesTest, ChipsComeFromTheStateAndTheirFlashGoesBack) {
  WriteImage("host.bin", MakeFlashImage({ChipKind::kTalmont, 4096, {"Tm7730", 0x21, 0x014123}, 0}));
  WriteImage("p2.bin", MakeFlashImage({ChipKind::kWrenlo, 4096, {"WL4410", 0x11, 0x010203}, 0}));
  state.Set("display_host", "kind", "talmont");
  state.Set("display_host", "flash", "host.bin");
  state.Set("display_port2", "kind", "wrenlo");
  state.Set("display_port2", "address", "0x70");
  state.Set("display_port2", "flash", "p2.bin");
  state.Set("display_port2", "unselectable", "1");

  auto config = LoadDisplayChips(state, folder, error);
  ASSERT_TRUE(config.has_value()) << error;
  SaltmereDock dock(std::move(*config));
  ApplyDisplayFaults(state, dock);
  EXPECT_EQ(dock.Host().Identity().name, "Tm7730");
  EXPECT_EQ(dock.Port(1), nullptr);
  ASSERT_NE(dock.Port(2), nullptr);
  EXPECT_EQ(dock.Port(2)->I2cAddress(), 0x70);
  EXPECT_TRUE(dock.Port(2)->Faults().unselectable);

  dock.Port(2)->MutableFlash()[0] = 0x00;
  ASSERT_TRUE(SaveDisplayFlash(state, folder, dock));
  EXPECT_EQ(ReadImage("p2.bin")[0], 0x00);
  EXPECT_EQ(ReadImage("host.bin"), dock.Host().Flash());
}

TEST_F(DockFilesTest, UnusableStatesAreRefusedWithAReason) {
  EXPECT_FALSE(LoadDisplayChips(state, folder, error));
  EXPECT_NE(error.find("display_host"), std::string::npos);

  const struct {
    const char* key;
    const char* value;
  } bad[] = {{"kind", "wrenloo"},
             {"address", "0x170"},
             {"flash", "../host.bin"},
             {"flash", "missing.bin"},
             {"hw", "x"}};
  WriteImage("host.bin", std::vector<uint8_t>(64, 0xFF));
  for (const auto& b : bad) {
    DockState s;
    s.Set("display_host", "kind", "wrenlo");
    s.Set("display_host", "flash", "host.bin");
    s.Set("display_host", b.key, b.value);
    error.clear();
    EXPECT_FALSE(LoadDisplayChips(s, folder, error)) << b.key << "=" << b.value;
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace sim
