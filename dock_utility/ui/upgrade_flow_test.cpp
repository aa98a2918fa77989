#include "dock_utility/ui/main_dialog.h"

#include "dock_utility/ui/testing/fake_view.h"
#include "dock_utility/ui/testing/scripted_dock.h"
#include "sim/clock/virtual_clock.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

namespace quaylin::ui {
namespace {

using testing::FakeView;
using testing::ScriptedDock;
using Lines = std::vector<std::wstring>;
using Calls = std::vector<std::string>;

constexpr UpdResult kFail = UPD_ERR_NO_SUCCESS_LINE;

const Calls kAllChips = {ScriptedDock::kDisplay,       ScriptedDock::kFindDock,
                         ScriptedDock::kDownstreamHub, ScriptedDock::kUpstreamHub,
                         ScriptedDock::kDownstreamPd,  ScriptedDock::kUpstreamPd};

const Lines kPlainFinished = {L"Start Firmware upgrade", L"Firmware upgrade finished",
                              L"Please unplug and re-connect the USB-C cable"};

const Lines kDetailFinished = {
    L"Start Firmware upgrade",
    L"Check Miraton Drivers...",
    L"OK",
    L"Update Downstream RQ9 f/w, wait......",
    L"Downstream RQ9 f/w update OK",
    L"Update Upstream RQ9 f/w, wait......",
    L"Upstream RQ9 f/w update OK",
    L"Update Downstream ORLX f/w, wait......",
    L"Downstream ORLX f/w update OK",
    L"Update Upstream ORLX f/w, wait......",
    L"Upstream ORLX f/w update OK",
    L"***********************************",
    L"** Firmware update finished !!",
    L"** Please replug the power cord !!",
    L"***********************************",
};

class UpgradeFlow : public ::testing::Test {
 protected:
  // Runs the worker's body on this thread, so hooks and waits are deterministic.
  void Run() { dialog_.UpgradeThreadProc(); }

  void ExpectIncompleteAtZero() {
    EXPECT_EQ(view_.LogLines().back(), L"Firmware upgrade incomplete");
    EXPECT_EQ(view_.Positions().back(), 0);
    EXPECT_EQ(view_.Label(), L"0%");
    EXPECT_EQ(dialog_.ProgressState(), kIdle);
    EXPECT_FALSE(view_.TimerRunning());
  }

  FakeView view_;
  ScriptedDock dock_;
  sim::VirtualClock clock_;
  MainDialog dialog_{view_, dock_, clock_};
};

TEST_F(UpgradeFlow, EveryChipSucceedsInPlainAndDetailMode) {
  for (const bool detail : {false, true}) {
    SCOPED_TRACE(detail ? "detail" : "plain");
    FakeView view;
    ScriptedDock dock;
    sim::VirtualClock clock;
    MainDialog dialog(view, dock, clock);
    if (detail) {
      dialog.ToggleDetailMode();
    }
    dialog.UpgradeThreadProc();

    EXPECT_EQ(view.LogLines(), detail ? kDetailFinished : kPlainFinished);
    EXPECT_EQ(view.Positions(), (std::vector<int>{0, 5, 45, 55, 65, 80, 100, 100}));
    EXPECT_EQ(view.Label(), L"100%");
    EXPECT_EQ(dock.Calls(), kAllChips);
    EXPECT_EQ(clock.Sleeps(), (std::vector<uint32_t>{2000, 2000, 2000, 2000, 2000, 3000}));
    EXPECT_EQ(view.TimerEvents(), (std::vector<int>{2200, 0}));
    EXPECT_EQ(dialog.LastResult(), UPD_OK);
    EXPECT_EQ(dialog.ProgressState(), kIdle);
  }
}

TEST_F(UpgradeFlow, TimerCreepsBetweenStagesAndTheLabelTrailsEachStage) {
  std::vector<std::wstring> labelsAfterStage;
  // Three ticks while the display controller is updated, one while the downstream hub is.
  dock_.OnCall(ScriptedDock::kDisplay, [&] {
    for (int i = 0; i < 3; ++i) {
      dialog_.OnProgressTimer();
    }
  });
  dock_.OnCall(ScriptedDock::kFindDock, [&] { labelsAfterStage.push_back(view_.Label()); });
  dock_.OnCall(ScriptedDock::kDownstreamHub, [&] { dialog_.OnProgressTimer(); });
  dock_.OnCall(ScriptedDock::kUpstreamHub, [&] { labelsAfterStage.push_back(view_.Label()); });
  Run();

  // 5 + 3 ticks = 8 when the bar jumps to 45: the label keeps 8%; 46% after the next tick.
  EXPECT_EQ(labelsAfterStage, (std::vector<std::wstring>{L"8%", L"46%"}));
  EXPECT_EQ(view_.Label(), L"100%");
  // Ticks in the middle of the run keep the timer going; only the flow's end stops it.
  EXPECT_EQ(view_.TimerEvents(), (std::vector<int>{2200, 0}));
}

TEST_F(UpgradeFlow, DisplayFailureCancelledStopsBeforeTheDockChips) {
  dock_.Script(ScriptedDock::kDisplay, {UPD_ERR_DISPLAY_DOCK_NOT_FOUND});
  view_.Answer(MessageAnswer::kCancel);
  Run();

  EXPECT_EQ(view_.LogLines(), (Lines{L"Start Firmware upgrade", L"Failed! Error:0xf5000001",
                                     L"Firmware upgrade incomplete"}));
  EXPECT_EQ(view_.Questions(),
            (Lines{L"Failed: Saltmere f/w update failed! Continue to update Miraton firmware?"}));
  EXPECT_EQ(dock_.Calls(), (Calls{ScriptedDock::kDisplay}));
  EXPECT_TRUE(clock_.Sleeps().empty());
  EXPECT_EQ(dialog_.LastResult(), UPD_ERR_DISPLAY_DOCK_NOT_FOUND);
  ExpectIncompleteAtZero();
}

TEST_F(UpgradeFlow, DisplayFailurePassedOverKeepsTheRunIncompleteThoughTheDockChipsSucceed) {
  dock_.Script(ScriptedDock::kDisplay, {0x2A});
  view_.Answer(MessageAnswer::kOk);
  Run();

  EXPECT_EQ(dock_.Calls(), kAllChips);
  EXPECT_EQ(view_.LogLines(), (Lines{L"Start Firmware upgrade", L"Failed! Error:0x0000002a",
                                     L"Firmware upgrade incomplete"}));
  // OK goes on at once: no pause after the failed display controller.
  EXPECT_EQ(clock_.Sleeps(), (std::vector<uint32_t>{2000, 2000, 2000, 2000, 3000}));
  ExpectIncompleteAtZero();
}

TEST_F(UpgradeFlow, NoDockAfterTheDisplayControllerEndsIncomplete) {
  dock_.SetDockPresent(false);
  dialog_.ToggleDetailMode();
  Run();

  EXPECT_EQ(dock_.Calls(), (Calls{ScriptedDock::kDisplay, ScriptedDock::kFindDock}));
  EXPECT_EQ(view_.LogLines(),
            (Lines{L"Start Firmware upgrade", L"Check Miraton Drivers...",
                   L"Can't find active docking device.", L"Firmware upgrade incomplete"}));
  EXPECT_EQ(dialog_.LastResult(), UPD_ERR_DOCK_NOT_FOUND);
  ExpectIncompleteAtZero();
}

TEST_F(UpgradeFlow, AFailingHubStopsTheRunWithItsCode) {
  struct Case {
    const char* failing;
    Calls expectedCalls;
  };
  const Case cases[] = {
      {ScriptedDock::kDownstreamHub,
       {ScriptedDock::kDisplay, ScriptedDock::kFindDock, ScriptedDock::kDownstreamHub}},
      {ScriptedDock::kUpstreamHub,
       {ScriptedDock::kDisplay, ScriptedDock::kFindDock, ScriptedDock::kDownstreamHub,
        ScriptedDock::kUpstreamHub}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.failing);
    FakeView view;
    ScriptedDock dock;
    sim::VirtualClock clock;
    MainDialog dialog(view, dock, clock);
    dock.Script(c.failing, {UPD_ERR_REPORT_OPEN});
    dialog.UpgradeThreadProc();

    EXPECT_EQ(dock.Calls(), c.expectedCalls);
    EXPECT_EQ(view.LogLines(), (Lines{L"Start Firmware upgrade", L"Failed! Error:0xf0000002",
                                      L"Firmware upgrade incomplete"}));
    EXPECT_EQ(dialog.LastResult(), UPD_ERR_REPORT_OPEN);
    EXPECT_EQ(view.Positions().back(), 0);
    EXPECT_EQ(view.Label(), L"0%");
  }
}

TEST_F(UpgradeFlow, DownstreamPdSucceedsOnItsThirdAttemptAfterTwoHubReruns) {
  dock_.Script(ScriptedDock::kDownstreamPd, {kFail, kFail, UPD_OK});
  Run();

  EXPECT_EQ(dock_.Count(ScriptedDock::kDownstreamHub), 3);
  EXPECT_EQ(dock_.Count(ScriptedDock::kDownstreamPd), 3);
  EXPECT_EQ(dock_.Count(ScriptedDock::kUpstreamPd), 1);
  EXPECT_EQ(clock_.Sleeps(),
            (std::vector<uint32_t>{2000, 2000, 2000, 2000, 6000, 6000, 6000, 20000, 2000, 3000}));
  EXPECT_EQ(view_.Positions(), (std::vector<int>{0, 5, 45, 55, 65, 80, 100, 100}));
  EXPECT_EQ(view_.LogLines(), kPlainFinished);
}

TEST_F(UpgradeFlow, UpstreamPdFailingThreeTimesReportsTheLastCodeOnce) {
  dock_.Script(ScriptedDock::kUpstreamPd, {kFail, UPD_ERR_REPORT_OPEN, UPD_ERR_DOCK_NOT_FOUND});
  Run();

  const Calls calls = dock_.Calls();
  const Calls tail(calls.end() - 6, calls.end());
  EXPECT_EQ(tail, (Calls{ScriptedDock::kDownstreamPd, ScriptedDock::kUpstreamPd,
                         ScriptedDock::kDownstreamHub, ScriptedDock::kUpstreamPd,
                         ScriptedDock::kDownstreamHub, ScriptedDock::kUpstreamPd}));
  EXPECT_EQ(view_.LogLines(), (Lines{L"Start Firmware upgrade", L"Failed! Error:0xf2000001",
                                     L"Firmware upgrade incomplete"}));
  EXPECT_EQ(dialog_.LastResult(), UPD_ERR_DOCK_NOT_FOUND);
  EXPECT_EQ(view_.Positions(), (std::vector<int>{0, 5, 45, 55, 65, 80, 0}));
  ExpectIncompleteAtZero();
}

TEST_F(UpgradeFlow, F2DuringTheRunSwitchesTheMessagesThatFollow) {
  dock_.OnCall(ScriptedDock::kUpstreamHub, [&] { dialog_.ToggleDetailMode(); });
  Run();

  EXPECT_EQ(view_.LogLines(),
            (Lines{L"Start Firmware upgrade", L"Upstream RQ9 f/w update OK",
                   L"Update Downstream ORLX f/w, wait......", L"Downstream ORLX f/w update OK",
                   L"Update Upstream ORLX f/w, wait......", L"Upstream ORLX f/w update OK",
                   L"***********************************", L"** Firmware update finished !!",
                   L"** Please replug the power cord !!", L"***********************************"}));
}

// The worker on a real thread, held inside the display controller's update until released.
class UpgradeWorker : public UpgradeFlow {
 protected:
  void HoldDisplayUpdate() {
    dock_.OnCall(ScriptedDock::kDisplay, [this] {
      std::unique_lock lock(mutex_);
      entered_ = true;
      changed_.notify_all();
      changed_.wait(lock, [this] { return released_; });
    });
  }
  void WaitUntilHeld() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return entered_; });
  }
  void Release() {
    std::lock_guard lock(mutex_);
    released_ = true;
    changed_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  bool entered_ = false;
  bool released_ = false;
};

TEST_F(UpgradeWorker, TwoQuickClicksStartOneWorker) {
  HoldDisplayUpdate();
  dialog_.OnUpgrade();
  // The second click may come before the worker has run at all.
  dialog_.OnUpgrade();
  WaitUntilHeld();
  Release();
  dialog_.WaitForUpgrade();

  EXPECT_EQ(dock_.Count(ScriptedDock::kDisplay), 1);
  EXPECT_EQ(view_.Messages(), (Lines{L"quaylin: Device Busy!"}));
  EXPECT_EQ(view_.LogLines(), kPlainFinished);
}

TEST_F(UpgradeWorker, ClicksAndKeysWhileRunningAreRefusedOrTakeEffectWithoutDisturbingIt) {
  HoldDisplayUpdate();
  dialog_.OnUpgrade();
  WaitUntilHeld();

  EXPECT_EQ(dialog_.ProgressState(), kStageStart);
  dialog_.OnUpgrade();
  dialog_.OnCheckVersion();
  dialog_.OnProgressTimer();
  dialog_.ToggleDetailMode();
  Release();
  dialog_.WaitForUpgrade();

  EXPECT_EQ(view_.Messages(), (Lines{L"quaylin: Device Busy!", L"quaylin: Device Busy!"}));
  EXPECT_EQ(dock_.Count(ScriptedDock::kQueryDisplay), 0);
  EXPECT_TRUE(view_.CheckButtonStates().empty());
  EXPECT_EQ(view_.LogLines(), kDetailFinished);
  EXPECT_EQ(dialog_.ProgressState(), kIdle);

  // Idle again: both buttons work.
  dialog_.OnCheckVersion();
  EXPECT_EQ(dock_.Count(ScriptedDock::kQueryChips), 1);
  dialog_.OnUpgrade();
  dialog_.WaitForUpgrade();
  EXPECT_EQ(dock_.Count(ScriptedDock::kDisplay), 2);
  EXPECT_EQ(view_.Messages().size(), 2u);
}

}  // namespace
}  // namespace quaylin::ui
