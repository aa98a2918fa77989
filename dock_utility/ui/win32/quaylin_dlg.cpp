#include "dock_utility/ui/win32/quaylin_dlg.h"

#include "dock_utility/res/resource.h"
#include "dock_utility/ui/win32/logo.h"
#include "dock_utility/ui/win32/warn_dialogs.h"

#include <commctrl.h>

namespace quaylin::ui {
namespace {

constexpr UINT_PTR kProgressTimerId = 0;
// Timer 0 is started and stopped on the UI thread, whichever thread asks.
constexpr UINT kTimerControlMessage = WM_APP + 1;
constexpr wchar_t kLogoPath[] = L".\\Setup\\logo.png";
constexpr int kEngineeringButtons[] = {
    IDC_ENG_BILLBOARD, IDC_ENG_US_HUB, IDC_ENG_DS_HUB,    IDC_ENG_US_PD,      IDC_ENG_DS_PD,
    IDC_ENG_SALTMERE,  IDC_ENG_TORV,   IDC_ENG_CHIP_INFO, IDC_ENG_FULL_ERASE, IDC_ENG_DOCK_VERSION};

}  // namespace

// The F2 hook has no context argument; one main dialog lives per process.
CQuaylinDlg* CQuaylinDlg::hooked_ = nullptr;

CQuaylinDlg::CQuaylinDlg(DockOperations& dock, platform::Clock& clock)
    : logic_(*this, dock, clock) {}

CQuaylinDlg::~CQuaylinDlg() {
  if (logo_ != nullptr) {
    DeleteObject(logo_);
  }
}

INT_PTR CQuaylinDlg::DoModal(HINSTANCE instance) {
  instance_ = instance;
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_QUAYLIN_DIALOG), nullptr, DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CQuaylinDlg::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<CQuaylinDlg*>(lParam);
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    self->window_ = window;
    self->OnInitDialog();
    return TRUE;
  }
  auto* self = reinterpret_cast<CQuaylinDlg*>(GetWindowLongPtrW(window, DWLP_USER));
  return self != nullptr ? self->Handle(message, wParam, lParam) : FALSE;
}

LRESULT CALLBACK CQuaylinDlg::F2Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE && hooked_ != nullptr) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_F2) {
      hooked_->logic_.ToggleDetailMode();
      msg->message = WM_NULL;  // consumed
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CQuaylinDlg::OnInitDialog() {
  SetDlgItemTextW(window_, IDC_TOOL_VERSION, kToolVersion);
  SetDlgItemTextW(window_, IDC_ENG_LABEL_HUB, L"");
  SetDlgItemTextW(window_, IDC_ENG_LABEL_PD, L"");

  wchar_t aboutText[128] = {};
  if (LoadStringW(instance_, IDS_ABOUTBOX, aboutText, 128) > 0) {
    HMENU systemMenu = GetSystemMenu(window_, FALSE);
    if (systemMenu != nullptr) {
      AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
      AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, aboutText);
    }
  }

  icon_ = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_QUAYLIN));
  HICON smallIcon = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_QUAYLIN),
                                                  IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                  GetSystemMetrics(SM_CYSMICON), 0));
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(window_, WM_SETICON, ICON_SMALL,
               reinterpret_cast<LPARAM>(smallIcon != nullptr ? smallIcon : icon_));

  RECT windowRect{};
  RECT stripRect{};
  GetWindowRect(window_, &windowRect);
  GetWindowRect(Item(IDC_ENG_BILLBOARD), &stripRect);
  narrowedWidth_ = stripRect.left - windowRect.left;

  SendMessageW(Item(IDC_PROGRESS), PBM_SETRANGE32, 0, 100);
  SendMessageW(Item(IDC_PROGRESS), PBM_SETPOS, 0, 0);
  HideEngineeringPanel();

  hooked_ = this;
  hook_ = SetWindowsHookExW(WH_GETMESSAGE, F2Hook, nullptr, GetCurrentThreadId());

  CWarnDlg::DoModal(instance_, window_);
  WarnHDMIDlg::DoModal(instance_, window_);

  // Centred on the screen with its narrowed width.
  RECT frame{};
  GetWindowRect(window_, &frame);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// No busy state is consulted: an upgrade's worker, and a child process it waits for, are left
// behind as the program ends.
void CQuaylinDlg::OnExit() {
  SendMessageW(window_, WM_CLOSE, 0, 0);
}

void CQuaylinDlg::HideEngineeringPanel() {
  for (int id : kEngineeringButtons) {
    ShowWindow(Item(id), SW_HIDE);
  }
  RECT frame{};
  GetWindowRect(window_, &frame);
  SetWindowPos(window_, nullptr, 0, 0, narrowedWidth_, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

INT_PTR CQuaylinDlg::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_BTN_CHECK_VERSION:
          logic_.OnCheckVersion();
          return TRUE;
        case IDC_BTN_UPGRADE:
          logic_.OnUpgrade();
          return TRUE;
        case IDC_BTN_EXIT:
          OnExit();
          return TRUE;
        case IDOK:
        case IDCANCEL:
          EndDialog(window_, LOWORD(wParam));
          return TRUE;
        default:
          return FALSE;
      }
    case WM_CLOSE:
      EndDialog(window_, IDCANCEL);
      return TRUE;
    case WM_TIMER:
      if (wParam == kProgressTimerId) {
        logic_.OnProgressTimer();
      }
      return TRUE;
    case kTimerControlMessage:
      if (wParam != 0) {
        SetTimer(window_, kProgressTimerId, static_cast<UINT>(lParam), nullptr);
      } else {
        KillTimer(window_, kProgressTimerId);
      }
      return TRUE;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg::DoModal(instance_, window_);
        return TRUE;
      }
      return FALSE;
    case WM_PAINT:
      OnPaint();
      return TRUE;
    case WM_QUERYDRAGICON:
      SetWindowLongPtrW(window_, DWLP_MSGRESULT, reinterpret_cast<LONG_PTR>(icon_));
      return TRUE;
    case WM_DESTROY:
      KillTimer(window_, kProgressTimerId);
      if (hook_ != nullptr) {
        UnhookWindowsHookEx(hook_);
        hook_ = nullptr;
      }
      hooked_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

void CQuaylinDlg::OnPaint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(window_, &paint);
  if (IsIconic(window_)) {
    RECT client{};
    GetClientRect(window_, &client);
    const int x = (client.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon_);
    EndPaint(window_, &paint);
    return;
  }
  EndPaint(window_, &paint);

  HBITMAP picture = LoadPictureBitmap(kLogoPath, GetSysColor(COLOR_BTNFACE));
  if (picture == nullptr) {
    return;  // no logo, no message
  }
  HWND logo = Item(IDC_LOGO);
  const LONG_PTR style = GetWindowLongPtrW(logo, GWL_STYLE);
  SetWindowLongPtrW(logo, GWL_STYLE, (style & ~static_cast<LONG_PTR>(SS_TYPEMASK)) | SS_BITMAP);
  auto previous = reinterpret_cast<HBITMAP>(
      SendMessageW(logo, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture)));
  // The control may hand back a copy it made of the bitmap before; both are ours to free.
  if (previous != nullptr && previous != logo_) {
    DeleteObject(previous);
  }
  if (logo_ != nullptr) {
    DeleteObject(logo_);
  }
  logo_ = picture;
}

void CQuaylinDlg::ClearLogText() {
  SendMessageW(Item(IDC_LOG), EM_SETSEL, 0, -1);
  SendMessageW(Item(IDC_LOG), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
}

void CQuaylinDlg::AppendLogText(const std::wstring& text) {
  HWND log = Item(IDC_LOG);
  const LRESULT length = SendMessageW(log, WM_GETTEXTLENGTH, 0, 0);
  SendMessageW(log, EM_SETSEL, static_cast<WPARAM>(length), length);
  SendMessageW(log, EM_SCROLLCARET, 0, 0);
  SendMessageW(log, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

int CQuaylinDlg::ProgressPosition() {
  return static_cast<int>(SendMessageW(Item(IDC_PROGRESS), PBM_GETPOS, 0, 0));
}

void CQuaylinDlg::SetProgressPosition(int position) {
  SendMessageW(Item(IDC_PROGRESS), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void CQuaylinDlg::SetProgressStep(int step) {
  SendMessageW(Item(IDC_PROGRESS), PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}

void CQuaylinDlg::StepProgress() {
  SendMessageW(Item(IDC_PROGRESS), PBM_STEPIT, 0, 0);
}

void CQuaylinDlg::SetPercentLabel(const std::wstring& text) {
  SendMessageW(Item(IDC_PERCENT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void CQuaylinDlg::StartProgressTimer(unsigned periodMs) {
  SendMessageW(window_, kTimerControlMessage, 1, static_cast<LPARAM>(periodMs));
}

void CQuaylinDlg::StopProgressTimer() {
  SendMessageW(window_, kTimerControlMessage, 0, 0);
}

void CQuaylinDlg::ShowMessage(const std::wstring& text, const std::wstring& caption) {
  MessageBoxW(window_, text.c_str(), caption.c_str(), MB_OK);
}

MessageAnswer CQuaylinDlg::AskOkCancel(const std::wstring& text, const std::wstring& caption) {
  return MessageBoxW(window_, text.c_str(), caption.c_str(), MB_OKCANCEL) == IDOK
             ? MessageAnswer::kOk
             : MessageAnswer::kCancel;
}

void CQuaylinDlg::EnableCheckButton(bool enabled) {
  EnableWindow(Item(IDC_BTN_CHECK_VERSION), enabled ? TRUE : FALSE);
}

}  // namespace quaylin::ui
