#include "dock_utility/ui/main_dialog.h"

#include "dock_utility/ui/testing/fake_view.h"
#include "dock_utility/ui/testing/scripted_dock.h"
#include "sim/clock/virtual_clock.h"

#include <gtest/gtest.h>

namespace quaylin::ui {
namespace {

using testing::FakeView;
using testing::ScriptedDock;

class MainDialogTest : public ::testing::Test {
 protected:
  FakeView view_;
  ScriptedDock dock_;
  sim::VirtualClock clock_;
  MainDialog dialog_{view_, dock_, clock_};
};

TEST_F(MainDialogTest, SetProgressShowsThePositionBeforeTheMoveAndNeverMovesBack) {
  struct Case {
    int current;
    int target;
    int expectedBar;
    const wchar_t* expectedLabel;
  };
  const Case cases[] = {
      {12, 45, 45, L"12%"},
      {45, 45, 45, L"45%"},
      {50, 45, 50, L"0%"},  // untouched label
      {0, 100, 100, L"0%"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.current);
    FakeView view;
    MainDialog dialog(view, dock_, clock_);
    view.PlaceBar(c.current);
    dialog.SetProgress(c.target);
    EXPECT_EQ(view.ProgressPosition(), c.expectedBar);
    EXPECT_EQ(view.Label(), c.expectedLabel);
  }
}

TEST_F(MainDialogTest, TimerTicksCreepByOneAndStopAtNinety) {
  view_.SetProgressStep(1);
  view_.PlaceBar(88);
  for (int i = 0; i < 4; ++i) {
    dialog_.OnProgressTimer();
  }
  EXPECT_EQ(view_.ProgressPosition(), 90);
  EXPECT_EQ(view_.Label(), L"90%");

  // At or above 90 a tick changes nothing, the label included.
  view_.PlaceBar(95);
  dialog_.OnProgressTimer();
  EXPECT_EQ(view_.ProgressPosition(), 95);
  EXPECT_EQ(view_.Label(), L"90%");
}

TEST_F(MainDialogTest, ATickSeeingNoUpgradeStopsTheTimerButStillSteps) {
  view_.SetProgressStep(1);
  view_.PlaceBar(40);
  dialog_.OnProgressTimer();  // idle: progressState is -1
  EXPECT_EQ(view_.TimerEvents(), (std::vector<int>{0}));
  EXPECT_EQ(view_.ProgressPosition(), 41);
  EXPECT_EQ(view_.Label(), L"41%");
}

TEST_F(MainDialogTest, LogLinesAreTerminatedAndTakenLiterally) {
  dialog_.AppendLog(L"100% %d %s done");
  dialog_.ShowError(UPD_ERR_NO_SUCCESS_LINE);
  dialog_.ShowError(UPD_OK);
  EXPECT_EQ(view_.LogText(),
            L"100% %d %s done\r\nFailed! Error:0xf1000001\r\n"
            L"Failed! Error:0x00000001\r\n");
  dialog_.ClearLog();
  EXPECT_EQ(view_.LogText(), L"");
}

TEST_F(MainDialogTest, StartsIdleAndF2Flips) {
  EXPECT_EQ(dialog_.ProgressState(), kIdle);
  EXPECT_FALSE(dialog_.CheckRunning());
  EXPECT_FALSE(dialog_.DetailMode());
  dialog_.ToggleDetailMode();
  EXPECT_TRUE(dialog_.DetailMode());
  dialog_.ToggleDetailMode();
  EXPECT_FALSE(dialog_.DetailMode());
}

}  // namespace
}  // namespace quaylin::ui
