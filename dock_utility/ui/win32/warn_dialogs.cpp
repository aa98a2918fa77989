#include "dock_utility/ui/win32/warn_dialogs.h"

#include "dock_utility/res/resource.h"

namespace quaylin::ui {
namespace {

constexpr UINT kWarnExitCode = static_cast<UINT>(-1);

// CWarnDlg.
INT_PTR CALLBACK WarnProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    return TRUE;
  }
  if (message == WM_COMMAND) {
    switch (LOWORD(wParam)) {
      case IDC_WARN_EXIT:
        ExitProcess(kWarnExitCode);
      case IDC_WARN_CONFIRM:
      case IDOK:
      case IDCANCEL:
        EndDialog(window, LOWORD(wParam));
        return TRUE;
      default:
        break;
    }
  }
  return FALSE;
}

// WarnHDMIDlg and CAboutDlg: OK and Esc close them.
INT_PTR CALLBACK CloseOnOkProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    return TRUE;
  }
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(window, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

void ShowWarnDialog(HINSTANCE instance, HWND owner) {
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_WARN), owner, WarnProc, 0);
}

void ShowWarnHdmiDialog(HINSTANCE instance, HWND owner) {
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_WARN_HDMI), owner, CloseOnOkProc, 0);
}

void ShowAboutDialog(HINSTANCE instance, HWND owner) {
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, CloseOnOkProc, 0);
}

}  // namespace quaylin::ui
