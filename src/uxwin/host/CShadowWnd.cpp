#include "uxwin/host/CShadowWnd.h"

#include "uxwin/skin/CUxSkinBase.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxSkinPool.h"

namespace {

const wchar_t kClassName[] = L"UxShadowWndClass";

bool RegisterOnce() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

}  // namespace

bool CShadowWnd::Create(HWND host) {
  Destroy();
  if (!RegisterOnce()) return false;
  host_ = host;
  return true;
}

bool CShadowWnd::MakeWindow() {
  if (!window_ && !tried_) {
    tried_ = true;  // a window refused once is not asked for at every paint
    window_ = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT, kClassName, L"", 0x80880000, 0, 0, 0, 0, host_,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  return window_ != nullptr;
}

void CShadowWnd::Destroy() {
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  window_ = nullptr;
  host_ = nullptr;
  tried_ = false;
  drawn_ = RECT{};
  shown_ = false;
}

void CShadowWnd::Hide() {
  if (window_ && shown_) ShowWindow(window_, SW_HIDE);
  shown_ = false;
  drawn_ = RECT{};  // drawn afresh when shown again
}

void CShadowWnd::Update() {
  if (!host_) return;
  if (!IsWindowVisible(host_) || IsIconic(host_)) return Hide();
  if (!MakeWindow()) return;
  RECT area{};
  GetWindowRect(host_, &area);
  InflateRect(&area, kShadowSize, kShadowSize);
  const bool sameSize = area.right - area.left == drawn_.right - drawn_.left &&
                        area.bottom - area.top == drawn_.bottom - drawn_.top && !IsRectEmpty(&drawn_);
  if (!sameSize) {
    Draw(area);
  } else if (!EqualRect(&area, &drawn_)) {
    SetWindowPos(window_, nullptr, area.left, area.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  drawn_ = area;
  if (!shown_) ShowWindow(window_, SW_SHOWNA);
  shown_ = true;
}

void CShadowWnd::Draw(const RECT& area) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  UxCanvas canvas(width, height);
  if (!canvas.IsValid()) return;
  // Without the skin the shadow stays fully transparent.
  if (CUxSkinBase* skin = UxSkinPool::Instance().GetSkin("dlg_shadow")) {
    skin->Draw(canvas, RECT{0, 0, width, height}, -1, false, 255);
  }
  POINT position{area.left, area.top};
  POINT source{0, 0};
  SIZE size{width, height};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  UpdateLayeredWindow(window_, nullptr, &position, &size, canvas.dc(), &source, 0, &blend, ULW_ALPHA);
}
