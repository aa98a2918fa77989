#include "dock_utility/ui/win32/warn_dialogs.h"

#include "dock_utility/res/resource.h"

namespace quaylin::ui {
namespace {

constexpr UINT kWarnExitCode = static_cast<UINT>(-1);

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

INT_PTR CALLBACK CWarnDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
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

void CWarnDlg::DoModal(HINSTANCE instance, HWND owner) {
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_WARN), owner, DialogProc, 0);
}

void WarnHDMIDlg::DoModal(HINSTANCE instance, HWND owner) {
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_WARN_HDMI), owner, CloseOnOkProc, 0);
}

void CAboutDlg::DoModal(HINSTANCE instance, HWND owner) {
  DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_ABOUTBOX), owner, CloseOnOkProc, 0);
}

}  // namespace quaylin::ui
