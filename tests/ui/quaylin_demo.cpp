// Shows quaylin.exe at work on the simulated dock: lays out the working folder, confirms both
// warnings, then Check Version, UPGRADE and Check Version again, printing the log box after each
// step and the dock's package label at the end. Exits non-zero when a step does not finish.
//   quaylin_demo <quaylin.exe> <working folder> <stand-in updater> <stand-in PeloISP> <logo>
#include "dock_utility/res/resource.h"
#include "tests/ui/dialog_driver.h"
#include "tests/ui/work_folder.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>

namespace {

using namespace std::chrono_literals;
using quaylin::ui_tests::DialogDriver;
using quaylin::ui_tests::WaitFor;

void PrintLog(const char* step, HWND main) {
  std::printf("== log box after %s\n", step);
  for (const std::wstring& line : DialogDriver::Lines(DialogDriver::ControlText(main, IDC_LOG))) {
    std::printf("   %ls\n", line.c_str());
  }
  std::fflush(stdout);
}

bool CheckVersion(HWND main) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(GetDlgItem(main, IDC_BTN_CHECK_VERSION), BM_CLICK, 0, 0, SMTO_NORMAL,
                             180000, &ignored) != 0;
}

bool Upgrade(HWND main) {
  DialogDriver::Click(main, IDC_BTN_UPGRADE);
  int lastShown = -1;
  return WaitFor(
      [&] {
        const int bar =
            static_cast<int>(SendMessageW(GetDlgItem(main, IDC_PROGRESS), PBM_GETPOS, 0, 0));
        if (bar != lastShown) {
          std::printf("   bar %d%%\n", bar);
          std::fflush(stdout);
          lastShown = bar;
        }
        const auto lines = DialogDriver::Lines(DialogDriver::ControlText(main, IDC_LOG));
        const std::wstring label = DialogDriver::ControlText(main, IDC_PERCENT);
        return !lines.empty() &&
               ((lines.back() == L"Please unplug and re-connect the USB-C cable" &&
                 label == L"100%") ||
                (lines.back() == L"Firmware upgrade incomplete" && label == L"0%"));
      },
      300s);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 6) {
    std::fprintf(stderr,
                 "usage: quaylin_demo <quaylin.exe> <working folder> <updater> <PeloISP> <logo>\n");
    return 2;
  }
  const std::filesystem::path work = argv[2];
  if (!quaylin::ui_tests::LayOutWorkFolder(work, {argv[3], argv[4], argv[5]})) {
    std::fprintf(stderr, "quaylin_demo: cannot lay out %ls\n", argv[2]);
    return 1;
  }
  quaylin::ui_tests::UseOwnTemporaryFolder(work);

  DialogDriver driver;
  if (!driver.Start(argv[1], work)) {
    std::fprintf(stderr, "quaylin_demo: cannot start %ls\n", argv[1]);
    return 1;
  }
  HWND warn = driver.WaitForDialogWithControl(IDC_WARN_CONFIRM, 30s);
  if (warn == nullptr) {
    std::fprintf(stderr, "quaylin_demo: no warning dialog\n");
    return 1;
  }
  std::printf("== confirming the two warnings\n");
  DialogDriver::Click(warn, IDC_WARN_CONFIRM);
  HWND hdmi = driver.WaitForDialogWithControl(IDOK, 20s);
  if (hdmi != nullptr) {
    DialogDriver::Click(hdmi, IDOK);
  }
  HWND main = driver.WaitForWindowCaption(L"Quaylin for Windows", 20s);
  if (main == nullptr) {
    std::fprintf(stderr, "quaylin_demo: no main dialog\n");
    return 1;
  }

  std::printf("== Check Version\n");
  if (!CheckVersion(main)) {
    return 1;
  }
  PrintLog("Check Version", main);
  std::printf("== UPGRADE\n");
  const bool upgraded = Upgrade(main);
  PrintLog("UPGRADE", main);
  if (!upgraded) {
    return 1;
  }
  std::printf("== Check Version\n");
  if (!CheckVersion(main)) {
    return 1;
  }
  PrintLog("Check Version", main);
  const auto lines = DialogDriver::Lines(DialogDriver::ControlText(main, IDC_LOG));
  std::printf("\nThe dock now carries: %ls\n", lines.empty() ? L"?" : lines.back().c_str());

  DialogDriver::Click(main, IDC_BTN_EXIT);
  DWORD code = 0;
  driver.WaitForExit(20s, code);
  return 0;
}
