// The two start-up warnings and the About box, each run modally over the main dialog.
#pragma once

#include <windows.h>

namespace quaylin::ui {

// CWarnDlg: "Confirm" (or Esc) closes it; "Exit" ends the whole process with exit code -1.
void ShowWarnDialog(HINSTANCE instance, HWND owner);
// WarnHDMIDlg: "OK" (or Esc) closes it.
void ShowWarnHdmiDialog(HINSTANCE instance, HWND owner);
// CAboutDlg.
void ShowAboutDialog(HINSTANCE instance, HWND owner);

}  // namespace quaylin::ui
