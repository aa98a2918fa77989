// Drives a running quaylin.exe as a user would: finds its windows by process, clicks buttons,
// presses keys, reads the log box, the bar and message boxes, and takes screenshots.
#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace quaylin::ui_tests {

// Polls `ready` every 50 ms until it holds or `timeout` has passed.
bool WaitFor(const std::function<bool()>& ready, std::chrono::milliseconds timeout);

class DialogDriver {
 public:
  DialogDriver() = default;
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // Starts the program in `workFolder`; false when it cannot be started.
  bool Start(const std::filesystem::path& program, const std::filesystem::path& workFolder);
  // Waits for the process to end and gives its exit code; false on time-out.
  bool WaitForExit(std::chrono::milliseconds timeout, DWORD& exitCode);

  // The first visible top-level window of the process for which `match` holds.
  HWND FindWindowOf(const std::function<bool(HWND)>& match) const;
  // A visible dialog of the process that has a child control with this ID / with this caption.
  HWND WaitForDialogWithControl(int controlId, std::chrono::milliseconds timeout) const;
  HWND WaitForWindowCaption(const std::wstring& caption, std::chrono::milliseconds timeout) const;

  // Posted, so that a handler that opens a modal box does not block the driver.
  static void Click(HWND dialog, int controlId);
  static void PressKey(HWND window, UINT virtualKey);
  static std::wstring Text(HWND window);
  static std::wstring ControlText(HWND dialog, int controlId);
  static std::vector<std::wstring> Lines(const std::wstring& text);

  // ImageMagick's import of the whole X display into dir/name.png; only when
  // DOCK_SCREENSHOT_DIR is set.
  static void Screenshot(const std::string& name);

  DWORD ProcessId() const { return process_.dwProcessId; }

 private:
  PROCESS_INFORMATION process_{};
};

}  // namespace quaylin::ui_tests
