#include "uxwin/host/UxModalLoop.h"

#include "uxwin/host/IUxHostSurface.h"

namespace {

constexpr UINT kPreTranslate = 0x37F;  // offered to the focused control inside the dialog first

RECT AreaToCentreOver(HWND window, HWND owner) {
  RECT area{};
  if (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) {
    HWND parent = GetParent(window);
    GetClientRect(parent, &area);
    return area;
  }
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) {
    GetWindowRect(owner, &area);
    return area;
  }
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

}  // namespace

void UxModalLoop::CentreOver(HWND window, HWND owner) {
  const RECT area = AreaToCentreOver(window, owner);
  RECT own{};
  GetWindowRect(window, &own);
  const LONG width = own.right - own.left, height = own.bottom - own.top;
  SetWindowPos(window, nullptr, (area.left + area.right) / 2 - width / 2, (area.top + area.bottom) / 2 - height / 2, 0,
               0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void UxModalLoop::BringToFront(HWND window) {
  SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW);
  HWND foreground = GetForegroundWindow();
  const DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
  const DWORD ownThread = GetCurrentThreadId();
  if (foregroundThread && foregroundThread != ownThread && AttachThreadInput(ownThread, foregroundThread, TRUE)) {
    SetForegroundWindow(window);
    AttachThreadInput(ownThread, foregroundThread, FALSE);
  } else {
    SetForegroundWindow(window);
  }
}

bool UxModalLoop::ShouldStop() const {
  MSG waiting{};
  if (PeekMessageW(&waiting, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) return true;
  return host_.loop_exit() || !host_.hwnd() || !IsWindow(host_.hwnd());
}

void UxModalLoop::Pump() {
  MSG message{};
  while (!ShouldStop()) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) break;
    if (got == -1) continue;
    const bool input = (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) ||
                       (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST);
    if (input) {
      HWND focus = GetFocus();
      if (focus && (focus == host_.hwnd() || IsChild(host_.hwnd(), focus)) &&
          SendMessageW(focus, kPreTranslate, 0, reinterpret_cast<LPARAM>(&message)) == 1) {
        continue;
      }
      if (IsDialogMessageW(host_.hwnd(), &message)) continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool UxModalLoop::Run() {
  HWND owner = GetActiveWindow();
  const bool disabledOwner = owner && owner != GetDesktopWindow() && IsWindowEnabled(owner);
  if (disabledOwner) EnableWindow(owner, FALSE);
  HWND window = host_.Create(owner);
  if (!window) {
    if (owner) EnableWindow(owner, TRUE);
    return false;
  }
  // A dialog that gave up while it initialised (say, on pictures it cannot draw) is never shown.
  if (!host_.loop_exit()) {
    CentreOver(window, GetWindow(window, GW_OWNER));
    BringToFront(window);
    if (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED) PostMessageW(window, WM_PAINT, 0, 0);
    Pump();
  }
  if (IsWindow(window)) {
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  }
  if (disabledOwner) EnableWindow(owner, TRUE);
  if (owner && GetActiveWindow() == window) SetActiveWindow(owner);
  host_.Destroy();
  return true;
}
