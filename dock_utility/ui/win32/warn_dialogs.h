// The two start-up warnings and the About box, each run modally over the main dialog.
#pragma once

#include <windows.h>

namespace quaylin::ui {

// Template 143. "Confirm" (or Esc) closes it; "Exit" ends the whole process with exit code -1.
class CWarnDlg {
 public:
  static void DoModal(HINSTANCE instance, HWND owner);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// Template 145. "OK" (or Esc) closes it.
class WarnHDMIDlg {
 public:
  static void DoModal(HINSTANCE instance, HWND owner);
};

// Template 100, from the system menu.
class CAboutDlg {
 public:
  static void DoModal(HINSTANCE instance, HWND owner);
};

}  // namespace quaylin::ui
