// The main dialog's controls as the flows see them. Every call has taken effect when it returns,
// whichever thread makes it (the Win32 view sends synchronous window messages).
#pragma once

#include <functional>
#include <string>

namespace quaylin::ui {

enum class MessageAnswer { kOk, kCancel };

class DialogView {
 public:
  virtual ~DialogView() = default;

  // Log box 1018.
  virtual void ClearLogText() = 0;
  // Puts the text at the end of the log box and scrolls it into view; inserted literally.
  virtual void AppendLogText(const std::wstring& text) = 0;

  // Progress bar 1035 (range 0 to 100) and percent label 1036.
  virtual int ProgressPosition() = 0;
  virtual void SetProgressPosition(int position) = 0;
  virtual void SetProgressStep(int step) = 0;
  virtual void StepProgress() = 0;
  virtual void SetPercentLabel(const std::wstring& text) = 0;

  // Timer 0 of the main dialog; its ticks call the dialog's OnProgressTimer on the UI thread.
  virtual void StartProgressTimer(unsigned periodMs) = 0;
  virtual void StopProgressTimer() = 0;

  // A message box owned by the main dialog: OK only, or OK and Cancel.
  virtual void ShowMessage(const std::wstring& text, const std::wstring& caption) = 0;
  virtual MessageAnswer AskOkCancel(const std::wstring& text, const std::wstring& caption) = 0;

  // Button 1026.
  virtual void EnableCheckButton(bool enabled) = 0;
};

}  // namespace quaylin::ui
