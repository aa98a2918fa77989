#include "sim/fw_updater/fw_updater.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace sim {
namespace {

namespace fs = std::filesystem;

class FwUpdaterStandIn : public ::testing::Test {
 protected:
  FwUpdaterStandIn() {
    folder_ = fs::temp_directory_path() /
              ("fw_updater_" +
               std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(folder_);
    state_.Set("dock", "present", "1");
    state_.Set("billboard", "version", "0.1.0.15");
    state_.Set("upstream_hub", "version", "0.0.40.183");
    state_.Set("downstream_hub", "version", "0.0.35.183");
    state_.Set("upstream_pd", "version", "Q1.0.1.31");
    state_.Set("downstream_pd", "version", "Q1.0.1.31");
  }
  ~FwUpdaterStandIn() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  std::string Image(const std::string& name, const std::string& firstLine) {
    const fs::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << firstLine << "\npayload\n";
    return path.string();
  }

  std::string Run(std::vector<std::string> args) {
    args.insert(args.end(), {"-pid", "5217", "-fupid", "5218"});
    std::ostringstream out;
    RunFwUpdater(args, state_, out);
    return out.str();
  }

  fs::path folder_;
  DockState state_;
};

TEST_F(FwUpdaterStandIn, VersionReportListsFiveSections) {
  EXPECT_EQ(Run({"-v"}),
            "quaylin_fw_update (simulated dock)\n"
            "BILLBOARD VERSION INFO\n\tVersion: 0.1.0.15\n"
            "UPSTREAM ORLX VERSION INFO\n\tApplication Version: Q1.0.1.31\n"
            "DOWNSTREAM-1 ORLX VERSION INFO\n\tApplication Version: Q1.0.1.31\n"
            "UPSTREAM RQ9 VERSION INFO\n\tVersion: 0.0.40.183\n"
            "DOWNSTREAM RQ9 VERSION INFO\n\tVersion: 0.0.35.183\n");
}

TEST_F(FwUpdaterStandIn, HubUpdateTakesTheImageVersionAndRecordsIdentifiers) {
  const std::string image = Image("hub.bin", "SIMFW hub 0.0.50.183");
  const std::string report = Run({"-hfu", image, "-hvidu", "17EF", "-h30pidu", "3060", "-h20pidu",
                                  "3061", "-hsnu", "5&2c2f29b4&0&1"});
  EXPECT_NE(report.find("\nUpstream RQ9 user defined configuration update"), std::string::npos);
  EXPECT_EQ(state_.Get("upstream_hub", "version"), "0.0.50.183");
  EXPECT_EQ(state_.Get("upstream_hub", "serial"), "5&2c2f29b4&0&1");
  EXPECT_EQ(state_.Get("upstream_hub", "vid"), "17EF");
  EXPECT_EQ(state_.Get("last_call", "arg10"), "5&2c2f29b4&0&1");
  EXPECT_EQ(state_.Get("downstream_hub", "version"), "0.0.35.183");
}

TEST_F(FwUpdaterStandIn, EachUpdateOptionPrintsItsSuccessLine) {
  struct Case {
    const char* option;
    const char* kind;
    const char* section;
    const char* successLine;
  };
  const Case cases[] = {
      {"-bf", "billboard", "billboard", "Billboard Firmware Update Procedure"},
      {"-cfu", "pd", "upstream_pd", "Upstream Orlx Firmware Update Procedure"},
      {"-cfd1", "pd", "downstream_pd", "Downstream-1 Orlx Firmware Update Procedure"},
  };
  for (const Case& c : cases) {
    const std::string image = Image("image.bin", std::string("SIMFW ") + c.kind + " 9.9");
    const std::string report = Run({c.option, image});
    EXPECT_NE(report.find(std::string("\n") + c.successLine), std::string::npos) << c.option;
    EXPECT_EQ(state_.Get(c.section, "version"), "9.9") << c.option;
  }
}

TEST_F(FwUpdaterStandIn, FailuresPrintNoSuccessLineAndChangeNothing) {
  const std::string pdImage = Image("pd.bin", "SIMFW pd Q9");
  const std::string notAnImage = Image("text.bin", "hello");
  struct Case {
    const char* name;
    std::vector<std::string> args;
  };
  const Case cases[] = {
      {"missing image", {"-cfu", (folder_ / "absent.bin").string()}},
      {"image of another kind", {"-bf", pdImage}},
      {"not an image", {"-cfu", notAnImage}},
      {"hub without serial",
       {"-hfd1", Image("h.bin", "SIMFW hub 1"), "-hvidd1", "17EF", "-h30pidd1", "3060", "-h20pidd1",
        "3061"}},
      {"hub id not hexadecimal",
       {"-hfu", Image("h.bin", "SIMFW hub 1"), "-hvidu", "17G1", "-h30pidu", "3060", "-h20pidu",
        "3061", "-hsnu", "X"}},
      {"unknown option", {"-cfu", pdImage, "-zz"}},
  };
  for (const Case& c : cases) {
    const std::string report = Run(c.args);
    EXPECT_NE(report.find("Error: "), std::string::npos) << c.name;
    EXPECT_EQ(report.find("Procedure"), std::string::npos) << c.name;
    EXPECT_EQ(report.find("configuration update"), std::string::npos) << c.name;
  }
  EXPECT_EQ(state_.Get("upstream_pd", "version"), "Q1.0.1.31");
  EXPECT_EQ(state_.Get("billboard", "version"), "0.1.0.15");
  EXPECT_EQ(state_.Get("downstream_hub", "version"), "0.0.35.183");
}

TEST_F(FwUpdaterStandIn, AbsentDockOrWrongIdsGiveNoVersions) {
  std::ostringstream out;
  RunFwUpdater({"-v", "-pid", "5217", "-fupid", "9999"}, state_, out);
  EXPECT_EQ(out.str().find("VERSION INFO"), std::string::npos);

  state_.Set("dock", "present", "0");
  EXPECT_EQ(Run({"-v"}).find("VERSION INFO"), std::string::npos);
}

TEST_F(FwUpdaterStandIn, StateSurvivesSaveAndLoad) {
  const fs::path file = folder_ / "dock" / "dock.ini";
  ASSERT_TRUE(state_.Save(file));
  DockState loaded;
  ASSERT_TRUE(loaded.Load(file));
  EXPECT_EQ(loaded.Get("upstream_pd", "version"), "Q1.0.1.31");
  EXPECT_FALSE(loaded.Load(folder_ / "missing.ini"));
}

}  // namespace
}  // namespace sim
