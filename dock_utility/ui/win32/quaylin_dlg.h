// The main dialog's window: template 129, its controls, timer 0, the F2 hook and the logo.
// The flows act on it through DialogView; every call sends a synchronous window message, so it
// works from the upgrade worker as well.
#pragma once

#include "dock_utility/ui/dialog_view.h"
#include "dock_utility/ui/main_dialog.h"

#include <windows.h>

#include <memory>

namespace quaylin::ui {

class CQuaylinDlg final : public DialogView {
 public:
  CQuaylinDlg(DockOperations& dock, platform::Clock& clock);
  ~CQuaylinDlg() override;

  // Runs the dialog modally; returns when it has been closed.
  INT_PTR DoModal(HINSTANCE instance);

  // DialogView.
  void ClearLogText() override;
  void AppendLogText(const std::wstring& text) override;
  int ProgressPosition() override;
  void SetProgressPosition(int position) override;
  void SetProgressStep(int step) override;
  void StepProgress() override;
  void SetPercentLabel(const std::wstring& text) override;
  void StartProgressTimer(unsigned periodMs) override;
  void StopProgressTimer() override;
  void ShowMessage(const std::wstring& text, const std::wstring& caption) override;
  MessageAnswer AskOkCancel(const std::wstring& text, const std::wstring& caption) override;
  void EnableCheckButton(bool enabled) override;

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK F2Hook(int code, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void OnInitDialog();
  void HideEngineeringPanel();
  void OnExit();
  void OnPaint();
  void OnSysCommand(WPARAM command, LPARAM lParam);
  HWND Item(int id) const { return GetDlgItem(window_, id); }

  static CQuaylinDlg* hooked_;

  MainDialog logic_;
  HINSTANCE instance_ = nullptr;
  HWND window_ = nullptr;
  HICON icon_ = nullptr;
  HHOOK hook_ = nullptr;
  HBITMAP logo_ = nullptr;
  int narrowedWidth_ = 0;
};

}  // namespace quaylin::ui
