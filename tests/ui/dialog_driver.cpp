#include "tests/ui/dialog_driver.h"

#include <thread>

namespace quaylin::ui_tests {

bool WaitFor(const std::function<bool()>& ready, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!ready()) {
    if (std::chrono::steady_clock::now() > deadline) {
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

DialogDriver::~DialogDriver() {
  if (process_.hProcess != nullptr) {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 99);
      WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
}

bool DialogDriver::Start(const std::filesystem::path& program,
                         const std::filesystem::path& workFolder) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + program.wstring() + L"\"";
  return CreateProcessW(program.wstring().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, workFolder.wstring().c_str(), &startup, &process_) != FALSE;
}

bool DialogDriver::WaitForExit(std::chrono::milliseconds timeout, DWORD& exitCode) {
  if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) !=
      WAIT_OBJECT_0) {
    return false;
  }
  return GetExitCodeProcess(process_.hProcess, &exitCode) != FALSE;
}

HWND DialogDriver::FindWindowOf(const std::function<bool(HWND)>& match) const {
  struct Search {
    DWORD processId;
    const std::function<bool(HWND)>* match;
    HWND found;
  } search{process_.dwProcessId, &match, nullptr};
  EnumWindows(
      [](HWND window, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s->processId && IsWindowVisible(window) && (*s->match)(window)) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND DialogDriver::WaitForDialogWithControl(int controlId,
                                            std::chrono::milliseconds timeout) const {
  HWND found = nullptr;
  WaitFor(
      [&] {
        found = FindWindowOf([&](HWND w) { return GetDlgItem(w, controlId) != nullptr; });
        return found != nullptr;
      },
      timeout);
  return found;
}

HWND DialogDriver::WaitForWindowCaption(const std::wstring& caption,
                                        std::chrono::milliseconds timeout) const {
  HWND found = nullptr;
  WaitFor(
      [&] {
        found = FindWindowOf([&](HWND w) { return Text(w) == caption; });
        return found != nullptr;
      },
      timeout);
  return found;
}

void DialogDriver::Click(HWND dialog, int controlId) {
  PostMessageW(GetDlgItem(dialog, controlId), BM_CLICK, 0, 0);
}

void DialogDriver::PressKey(HWND window, UINT virtualKey) {
  PostMessageW(window, WM_KEYDOWN, virtualKey, 1);
  PostMessageW(window, WM_KEYUP, virtualKey, 0xC0000001);
}

std::wstring DialogDriver::Text(HWND window) {
  const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied = SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(text.size()),
                                      reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

std::wstring DialogDriver::ControlText(HWND dialog, int controlId) {
  return Text(GetDlgItem(dialog, controlId));
}

std::vector<std::wstring> DialogDriver::Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

void DialogDriver::Screenshot(const std::string& name) {
  const char* dir = std::getenv("DOCK_SCREENSHOT_DIR");
  const char* display = std::getenv("DISPLAY");
  if (dir == nullptr || *dir == '\0' || display == nullptr) {
    return;
  }
  // Let the last paint reach the X server first.
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  const std::string file = std::string(dir) + "/" + name + ".png";
  std::wstring commandLine = L"start.exe /unix /usr/bin/import -window root -display ";
  for (const char* c = display; *c != '\0'; ++c) {
    commandLine.push_back(static_cast<wchar_t>(*c));
  }
  commandLine += L" ";
  for (char c : file) {
    commandLine.push_back(static_cast<wchar_t>(c));
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                     nullptr, nullptr, &startup, &process)) {
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  // start /unix does not wait for the Unix program: wait for its file to settle.
  const std::wstring wideFile(file.begin(), file.end());
  const std::filesystem::path path = L"Z:" + wideFile;
  uintmax_t lastSize = 0;
  WaitFor(
      [&] {
        std::error_code error;
        const uintmax_t size = std::filesystem::file_size(path, error);
        const bool settled = !error && size > 0 && size == lastSize;
        lastSize = error ? 0 : size;
        return settled;
      },
      std::chrono::milliseconds(10000));
}

}  // namespace quaylin::ui_tests
