// quaylin.exe as a user meets it, under Wine on an X display: the warnings, Check Version,
// UPGRADE with its bar and log, the continue question, busy refusals, F2, Esc and Exit. The dock
// is simulated: the stand-in updater and PeloISP on one dock state, and the dock's USB devices
// attached to the prefix (a Velloran dock).
#include "dock_utility/res/resource.h"
#include "tests/ui/dialog_driver.h"
#include "tests/ui/work_folder.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#define WIDEN2(x) L##x
#define WIDEN(x) WIDEN2(x)

namespace quaylin::ui_tests {
namespace {

using namespace std::chrono_literals;
using Lines = std::vector<std::wstring>;

constexpr wchar_t kMainCaption[] = L"Quaylin for Windows";
constexpr int kMessageBoxText = 0xFFFF;

const Lines kPlainFinished = {L"Start Firmware upgrade", L"Firmware upgrade finished",
                              L"Please unplug and re-connect the USB-C cable"};

class QuaylinDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    if (GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) == 0) {
      GTEST_SKIP() << "no X display: the dialog cannot be shown";
    }
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    work_ = std::filesystem::path(WIDEN(UI_TEST_WORK_ROOT)) / info->name();
    ASSERT_TRUE(LayOutWorkFolder(
        work_, {WIDEN(FW_UPDATER_PATH), WIDEN(STAND_IN_DISPLAY_PATH), WIDEN(LOGO_PATH)}));
    UseOwnTemporaryFolder(work_);
  }

  void Write(const std::filesystem::path& relative, const std::string& bytes) {
    ASSERT_TRUE(WriteWorkFile(work_, relative, bytes));
  }
  void AddDockState(const std::string& section, const std::string& line) {
    std::ifstream in(work_ / "sim_dock/dock.ini", std::ios::binary);
    std::string state((std::istreambuf_iterator<char>(in)), {});
    in.close();
    const std::string header = "[" + section + "]\r\n";
    state.insert(state.find(header) + header.size(), line + "\r\n");
    Write("sim_dock/dock.ini", state);
  }
  std::string DockValue(const char* section, const char* key) {
    char value[64] = {};
    const std::string file = (work_ / "sim_dock/dock.ini").string();
    GetPrivateProfileStringA(section, key, "", value, sizeof value, file.c_str());
    return value;
  }

  // Starts quaylin, confirms both warnings and returns the main dialog.
  HWND StartAndConfirm(const char* screenshotPrefix = nullptr) {
    EXPECT_TRUE(driver_.Start(WIDEN(QUAYLIN_PATH), work_));
    HWND warn = driver_.WaitForDialogWithControl(IDC_WARN_CONFIRM, 30s);
    EXPECT_NE(warn, nullptr) << "no first warning";
    if (warn == nullptr) {
      return nullptr;
    }
    if (screenshotPrefix != nullptr) {
      DialogDriver::Screenshot(std::string(screenshotPrefix) + "warning");
    }
    DialogDriver::Click(warn, IDC_WARN_CONFIRM);
    HWND hdmi = driver_.WaitForDialogWithControl(IDOK, 20s);
    EXPECT_NE(hdmi, nullptr) << "no HDMI warning";
    if (hdmi == nullptr) {
      return nullptr;
    }
    if (screenshotPrefix != nullptr) {
      DialogDriver::Screenshot(std::string(screenshotPrefix) + "hdmi_warning");
    }
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(hdmi, IDCANCEL)));
    DialogDriver::Click(hdmi, IDOK);
    HWND main = driver_.WaitForWindowCaption(kMainCaption, 20s);
    EXPECT_NE(main, nullptr) << "no main dialog";
    return main;
  }

  Lines Log(HWND main) { return DialogDriver::Lines(DialogDriver::ControlText(main, IDC_LOG)); }
  int Bar(HWND main) {
    return static_cast<int>(SendMessageW(GetDlgItem(main, IDC_PROGRESS), PBM_GETPOS, 0, 0));
  }

  // Clicks Check Version and returns the log once the check has ended. The check runs on the
  // dialog's own thread, so a sent click returns only when it is over.
  Lines CheckVersion(HWND main) {
    DWORD_PTR ignored = 0;
    const LRESULT sent = SendMessageTimeoutW(GetDlgItem(main, IDC_BTN_CHECK_VERSION), BM_CLICK, 0,
                                             0, SMTO_NORMAL, 120000, &ignored);
    EXPECT_NE(sent, 0) << "check did not end";
    const Lines lines = Log(main);
    EXPECT_FALSE(lines.empty());
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(main, IDC_BTN_CHECK_VERSION)));
    return lines;
  }

  // Waits for the end of an upgrade (its last log line and the final label), recording every
  // bar position seen on the way.
  Lines FollowUpgrade(HWND main, std::vector<int>& positions,
                      const std::function<void(int)>& onPosition = {}) {
    Lines lines;
    const bool done = WaitFor(
        [&] {
          const int bar = Bar(main);
          if (positions.empty() || positions.back() != bar) {
            positions.push_back(bar);
            if (onPosition) {
              onPosition(bar);
            }
          }
          lines = Log(main);
          const std::wstring label = DialogDriver::ControlText(main, IDC_PERCENT);
          const bool finished = !lines.empty() && lines.back() == kPlainFinished.back();
          const bool detailFinished =
              lines.size() > 1 && lines.back() == L"***********************************";
          const bool incomplete = !lines.empty() && lines.back() == L"Firmware upgrade incomplete";
          return ((finished || detailFinished) && label == L"100%") ||
                 (incomplete && label == L"0%");
        },
        180s);
    EXPECT_TRUE(done) << "upgrade did not end";
    return lines;
  }

  void ExitWith(HWND main, UINT key) {
    if (key == 0) {
      DialogDriver::Click(main, IDC_BTN_EXIT);
    } else {
      DialogDriver::PressKey(main, key);
    }
    DWORD code = 1234;
    ASSERT_TRUE(driver_.WaitForExit(20s, code));
    EXPECT_EQ(code, 0u);
  }

  std::filesystem::path work_;
  DialogDriver driver_;
};

TEST_F(QuaylinDialog, ExitInTheFirstWarningEndsTheProcessWithMinusOne) {
  ASSERT_TRUE(driver_.Start(WIDEN(QUAYLIN_PATH), work_));
  HWND warn = driver_.WaitForDialogWithControl(IDC_WARN_EXIT, 30s);
  ASSERT_NE(warn, nullptr);
  EXPECT_EQ(DialogDriver::ControlText(warn, IDC_WARN_CONFIRM), L"Confirm");
  DialogDriver::Click(warn, IDC_WARN_EXIT);
  DWORD code = 0;
  ASSERT_TRUE(driver_.WaitForExit(20s, code));
  EXPECT_EQ(code, 0xFFFFFFFFu);
}

TEST_F(QuaylinDialog, AboutBoxFromTheSystemMenuAndTheLogoOnlyWhenItsFileExists) {
  for (const bool withLogo : {true, false}) {
    SCOPED_TRACE(withLogo ? "logo" : "no logo");
    if (!withLogo) {
      std::filesystem::remove(work_ / "Setup/logo.png");
    }
    DialogDriver driver;
    ASSERT_TRUE(driver.Start(WIDEN(QUAYLIN_PATH), work_));
    HWND warn = driver.WaitForDialogWithControl(IDC_WARN_CONFIRM, 30s);
    ASSERT_NE(warn, nullptr);
    DialogDriver::Click(warn, IDC_WARN_CONFIRM);
    HWND hdmi = driver.WaitForDialogWithControl(IDOK, 20s);
    ASSERT_NE(hdmi, nullptr);
    DialogDriver::Click(hdmi, IDOK);
    HWND main = driver.WaitForWindowCaption(kMainCaption, 20s);
    ASSERT_NE(main, nullptr);

    HWND logo = GetDlgItem(main, IDC_LOGO);
    const bool shown = WaitFor([&] { return SendMessageW(logo, STM_GETIMAGE, IMAGE_BITMAP, 0); },
                               withLogo ? 10s : 2s);
    EXPECT_EQ(shown, withLogo);

    if (withLogo) {
      // The system menu item's text is string 101 (menus cannot be read across processes here).
      HMODULE program = LoadLibraryExW(WIDEN(QUAYLIN_PATH), nullptr, LOAD_LIBRARY_AS_DATAFILE);
      ASSERT_NE(program, nullptr);
      wchar_t item[64] = {};
      LoadStringW(program, IDS_ABOUTBOX, item, 64);
      FreeLibrary(program);
      EXPECT_STREQ(item, L"\x95DC\x65BC Quaylin(&A)...");
      PostMessageW(main, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
      HWND about = driver.WaitForWindowCaption(L"\x95DC\x65BC Quaylin", 10s);
      ASSERT_NE(about, nullptr);
      DialogDriver::Screenshot("about_box");
      EXPECT_EQ(DialogDriver::ControlText(about, IDOK), L"\x78BA\x5B9A");
      DialogDriver::Click(about, IDOK);
      ASSERT_TRUE(WaitFor(
          [&] { return driver.WaitForWindowCaption(L"\x95DC\x65BC Quaylin", 0s) == nullptr; },
          10s));
    }
    DialogDriver::Click(main, IDC_BTN_EXIT);
    DWORD code = 1234;
    ASSERT_TRUE(driver.WaitForExit(20s, code));
    EXPECT_EQ(code, 0u);
  }
}

TEST_F(QuaylinDialog, CheckUpgradeAndCheckAgainOnTheSimulatedDock) {
  HWND main = StartAndConfirm("");
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(DialogDriver::ControlText(main, IDC_TOOL_VERSION), L"1.6.2.0");
  EXPECT_EQ(DialogDriver::ControlText(main, IDC_PERCENT), L"0%");
  // The engineering strip is hidden and the window ends where it begins.
  HWND strip = GetDlgItem(main, IDC_ENG_BILLBOARD);
  EXPECT_FALSE(IsWindowVisible(strip));
  RECT frame{};
  RECT stripRect{};
  GetWindowRect(main, &frame);
  GetWindowRect(strip, &stripRect);
  EXPECT_LE(frame.right, stripRect.left + 1);

  EXPECT_EQ(CheckVersion(main),
            (Lines{L"Start checking firmware version", L"Finished", L"F/W Version: 05.01.02.00"}));
  DialogDriver::Screenshot("main_after_check");

  DialogDriver::Click(main, IDC_BTN_UPGRADE);
  std::vector<int> positions;
  EXPECT_EQ(FollowUpgrade(main, positions), kPlainFinished);
  DialogDriver::Screenshot("main_after_upgrade");
  EXPECT_EQ(DialogDriver::ControlText(main, IDC_PERCENT), L"100%");
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
  // Every stage shows, in order; a tick may come right after a stage is set, so a stage counts
  // as seen when the bar stood on it or one tick above it.
  for (const int stage : {5, 45, 55, 65, 80}) {
    EXPECT_TRUE(std::any_of(positions.begin(), positions.end(),
                            [&](int p) { return p >= stage && p <= stage + 1; }))
        << "stage " << stage;
  }
  // The timer creeps between stages but never past 90 by itself.
  EXPECT_TRUE(std::any_of(positions.begin(), positions.end(), [](int p) {
    return p != 0 && p != 5 && p != 45 && p != 55 && p != 65 && p != 80 && p != 100;
  }));
  EXPECT_TRUE(
      std::none_of(positions.begin(), positions.end(), [](int p) { return p > 90 && p < 100; }));
  EXPECT_EQ(positions.back(), 100);

  EXPECT_EQ(CheckVersion(main).back(), L"F/W Version: 05.01.02.04");

  // F2 from whichever control has the focus: the next check is detailed. The click is posted
  // behind the key: a sent click would be handled before the posted key, and the check would
  // run plain.
  DialogDriver::PressKey(GetDlgItem(main, IDC_BTN_CHECK_VERSION), VK_F2);
  DialogDriver::Click(main, IDC_BTN_CHECK_VERSION);
  Lines detailed;
  ASSERT_TRUE(WaitFor(
      [&] {
        detailed = Log(main);
        return detailed.size() > 1 &&
               detailed.front() == L"1. Get Saltmere f/w version, Waiting......" &&
               detailed.back().starts_with(L"F/W Version: ");
      },
      120s))
      << "detailed check did not end";
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(main, IDC_BTN_CHECK_VERSION)));
  ASSERT_EQ(detailed.size(), 17u);
  EXPECT_EQ(detailed[0], L"1. Get Saltmere f/w version, Waiting......");
  EXPECT_EQ(detailed[2], L"  Host   Device: Talmont App: Tm7730 v0.60.3.2  (cut1.0)");
  EXPECT_EQ(detailed[6], L"\tVersion: 0.1.0.15");
  DialogDriver::Screenshot("main_detail_check");

  ExitWith(main, 0);
}

TEST_F(QuaylinDialog, TheContinueQuestionAnsweredBothWays) {
  AddDockState("display", "fail_runs=2");
  HWND main = StartAndConfirm();
  ASSERT_NE(main, nullptr);

  for (const bool goOn : {false, true}) {
    SCOPED_TRACE(goOn ? "OK" : "Cancel");
    DialogDriver::Click(main, IDC_BTN_UPGRADE);
    HWND question = driver_.WaitForWindowCaption(L"Failed", 60s);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(DialogDriver::ControlText(question, kMessageBoxText),
              L"Saltmere f/w update failed! Continue to update Miraton firmware?");
    if (goOn) {
      DialogDriver::Screenshot("continue_question");
    }
    DialogDriver::Click(question, goOn ? IDOK : IDCANCEL);
    std::vector<int> positions;
    EXPECT_EQ(FollowUpgrade(main, positions),
              (Lines{L"Start Firmware upgrade", L"Failed! Error:0xf1000001",
                     L"Firmware upgrade incomplete"}));
    EXPECT_EQ(Bar(main), 0);
    // Cancel leaves the dock's chips alone; OK updates them, yet the run stays incomplete.
    EXPECT_EQ(DockValue("upstream_hub", "version"), goOn ? "0.0.59.183" : "0.0.50.183");
    EXPECT_EQ(DockValue("upstream_pd", "version"), goOn ? "Q1.0.1.55" : "Q1.0.1.44");
  }
  ExitWith(main, VK_ESCAPE);
}

TEST_F(QuaylinDialog, BusyRefusalsAndF2WhileUpgrading) {
  HWND main = StartAndConfirm();
  ASSERT_NE(main, nullptr);

  // Two quick clicks: the second is refused, and only one run reaches the display controller.
  DialogDriver::Click(main, IDC_BTN_UPGRADE);
  DialogDriver::Click(main, IDC_BTN_UPGRADE);
  HWND busy = driver_.WaitForWindowCaption(L"quaylin", 30s);
  ASSERT_NE(busy, nullptr);
  EXPECT_EQ(DialogDriver::ControlText(busy, kMessageBoxText), L"Device Busy!");
  DialogDriver::Screenshot("device_busy");
  DialogDriver::Click(busy, IDOK);
  ASSERT_TRUE(WaitFor(
      [&] {
        return driver_.FindWindowOf([](HWND w) { return DialogDriver::Text(w) == L"quaylin"; }) ==
               nullptr;
      },
      10s));

  bool pressed = false;
  bool checkRefused = false;
  std::vector<int> positions;
  const Lines lines = FollowUpgrade(main, positions, [&](int bar) {
    if (bar >= 45 && !pressed) {
      pressed = true;
      DialogDriver::PressKey(GetDlgItem(main, IDC_BTN_UPGRADE), VK_F2);
      DialogDriver::Click(main, IDC_BTN_CHECK_VERSION);
      HWND refusal = driver_.WaitForWindowCaption(L"quaylin", 20s);
      checkRefused = refusal != nullptr &&
                     DialogDriver::ControlText(refusal, kMessageBoxText) == L"Device Busy!";
      if (refusal != nullptr) {
        DialogDriver::Click(refusal, IDOK);
      }
    }
  });
  EXPECT_TRUE(checkRefused);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), L"Start Firmware upgrade");
  // The messages after F2 are the detailed ones.
  EXPECT_NE(std::find(lines.begin(), lines.end(), L"Downstream ORLX f/w update OK"), lines.end());
  EXPECT_EQ(lines.back(), L"***********************************");
  EXPECT_EQ(DockValue("display", "runs"), "1");
  EXPECT_EQ(DialogDriver::ControlText(main, IDC_PERCENT), L"100%");
  // The check button is usable again after the upgrade.
  EXPECT_EQ(CheckVersion(main).back(), L"F/W Version: 05.01.02.04");

  ExitWith(main, VK_ESCAPE);
}

TEST_F(QuaylinDialog, ExitDuringAnUpgradeClosesAtOnce) {
  HWND main = StartAndConfirm();
  ASSERT_NE(main, nullptr);
  DialogDriver::Click(main, IDC_BTN_UPGRADE);
  // In the middle of the run: the dock's chips are being updated, with long pauses between.
  ASSERT_TRUE(WaitFor([&] { return Bar(main) >= 45; }, 60s));
  const auto clicked = std::chrono::steady_clock::now();
  ExitWith(main, 0);
  EXPECT_LT(std::chrono::steady_clock::now() - clicked, 5s);
}

}  // namespace
}  // namespace quaylin::ui_tests
