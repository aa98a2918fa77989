#include "dock_utility/ui/main_dialog.h"

#include "dock_utility/ui/testing/fake_view.h"
#include "dock_utility/ui/testing/scripted_dock.h"
#include "sim/clock/virtual_clock.h"

#include <gtest/gtest.h>

namespace quaylin::ui {
namespace {

using testing::FakeView;
using testing::ScriptedDock;
using Lines = std::vector<std::wstring>;

const DisplayVersionLines kDisplay = {L"  Host   Device: Talmont App: Tm7730 0.60.2",
                                      L"  Port#2 Device: Wrenlo App: WL4410 1.51"};
const DisplayVersionLines kDisplayFailed = {L"Error !!!", L"Error !!!"};
const ChipVersionLines kChips = {L"\tVersion: 0.1.0.15", L"\tApplication Version: Q1.0.1.44",
                                 L"\tApplication Version: Q1.0.1.44", L"\tVersion: 0.0.50.183",
                                 L"\tVersion: 0.0.35.183"};

class VersionCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    dock_.ScriptDisplayLines({kDisplay});
    dock_.ScriptChipLines(kChips);
    dock_.SetBrand(1, 2);
  }

  FakeView view_;
  ScriptedDock dock_;
  sim::VirtualClock clock_;
  MainDialog dialog_{view_, dock_, clock_};
};

TEST_F(VersionCheck, PlainModeShowsOnlyTheStartTheEndAndThePackage) {
  dialog_.OnCheckVersion();

  EXPECT_EQ(view_.LogLines(),
            (Lines{L"Start checking firmware version", L"Finished", L"F/W Version: 01.01.02.00"}));
  EXPECT_EQ(view_.CheckButtonStates(), (std::vector<bool>{false, true}));
  EXPECT_FALSE(dialog_.CheckRunning());
  EXPECT_TRUE(clock_.Sleeps().empty());
  EXPECT_EQ(dialog_.ChipLines().upstreamHubLine, kChips.upstreamHubLine);
}

TEST_F(VersionCheck, DetailModeShowsEveryLineAsQueried) {
  dialog_.ToggleDetailMode();
  dialog_.OnCheckVersion();

  EXPECT_EQ(
      view_.LogLines(),
      (Lines{L"1. Get Saltmere f/w version, Waiting......", L"Saltmere F/W Version:",
             kDisplay.hostLine, kDisplay.port2Line, L"2. Get Miraton versions, wait......",
             L"BILLBOARD VERSION INFO", kChips.billboardLine, L"UPSTREAM ORLX VERSION INFO",
             kChips.upstreamPdLine, L"DOWNSTREAM ORLX VERSION INFO", kChips.downstreamPdLine,
             L"UPSTREAM RQ9 VERSION INFO", kChips.upstreamHubLine, L"DOWNSTREAM RQ9 VERSION INFO",
             kChips.downstreamHubLine, L"Finished", L"F/W Version: 01.01.02.00"}));
}

TEST_F(VersionCheck, ADisplayControllerThatAnswersLateIsReadOnceMore) {
  dock_.ScriptDisplayLines({kDisplayFailed, kDisplay});
  dialog_.OnCheckVersion();

  EXPECT_EQ(view_.LogLines().back(), L"F/W Version: 01.01.02.00");
  EXPECT_EQ(clock_.Sleeps(), (std::vector<uint32_t>{600}));
  EXPECT_EQ(dock_.Calls(),
            (std::vector<std::string>{ScriptedDock::kQueryDisplay, ScriptedDock::kQueryChips,
                                      ScriptedDock::kIdentify, ScriptedDock::kQueryDisplay,
                                      ScriptedDock::kIdentify}));
}

TEST_F(VersionCheck, NoMatchAfterTheRetryIsUnknown) {
  struct Case {
    const char* name;
    int found;
    DisplayVersionLines display;
  };
  const Case cases[] = {
      {"display query keeps failing", 1, kDisplayFailed},
      {"brand's dock not attached", 0, kDisplay},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeView view;
    ScriptedDock dock;
    sim::VirtualClock clock;
    MainDialog dialog(view, dock, clock);
    dock.ScriptDisplayLines({c.display});
    dock.ScriptChipLines(kChips);
    dock.SetBrand(c.found, 1);
    dialog.ToggleDetailMode();
    dialog.OnCheckVersion();

    EXPECT_EQ(view.LogLines().back(), L"F/W Version: Uknown Version");
    EXPECT_EQ(dock.Count(ScriptedDock::kQueryDisplay), 2);
    EXPECT_EQ(dock.Count(ScriptedDock::kQueryChips), 1);
    EXPECT_EQ(clock.Sleeps(), (std::vector<uint32_t>{600}));
  }
}

TEST_F(VersionCheck, F2WhileCheckingChangesTheMessagesThatFollow) {
  dock_.OnCall(ScriptedDock::kQueryChips, [&] { dialog_.ToggleDetailMode(); });
  dialog_.OnCheckVersion();
  const Lines lines = view_.LogLines();
  ASSERT_EQ(lines.size(), 13u);
  EXPECT_EQ(lines[0], L"Start checking firmware version");
  EXPECT_EQ(lines[1], L"BILLBOARD VERSION INFO");
}

}  // namespace
}  // namespace quaylin::ui
