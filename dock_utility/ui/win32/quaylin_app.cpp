// CQuaylinApp: the program's entry. Runs the main dialog modally; the program ends with it.
#include "dock_utility/ui/dock_operations.h"
#include "dock_utility/ui/win32/logo.h"
#include "dock_utility/ui/win32/quaylin_dlg.h"
#include "platform/clock.h"

#include <windows.h>
#include <commctrl.h>

namespace quaylin::ui {

class CQuaylinApp {
 public:
  explicit CQuaylinApp(HINSTANCE instance) : instance_(instance) {}

  // Returns the process's exit code once the main dialog has closed.
  int InitInstance() {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_COOL_CLASSES |
                     ICC_INTERNET_CLASSES | ICC_PAGESCROLLER_CLASS | ICC_NATIVEFNTCTL_CLASS |
                     ICC_STANDARD_CLASSES | ICC_LINK_CLASS;
    InitCommonControlsEx(&controls);

    GdiplusSession gdiplus;
    std::unique_ptr<DockOperations> dock = MakeSystemDockOperations();
    std::unique_ptr<platform::Clock> clock = platform::MakeSystemClock();
    CQuaylinDlg dialog(*dock, *clock);
    dialog.DoModal(instance_);
    // An upgrade worker may still be inside a child process: the program ends without it.
    ExitProcess(0);
  }

 private:
  HINSTANCE instance_;
};

}  // namespace quaylin::ui

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  quaylin::ui::CQuaylinApp app(instance);
  return app.InitInstance();
}
