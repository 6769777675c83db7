#include "uxwin/host/UxKeyboardRouter.h"

#include <algorithm>
#include <vector>

#include "uxwin/host/IUxHostSurface.h"
#include "uxwin/object/CUxWindow.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxGdiplusHeaders.h"
#include "uxwin/style/UxStyleRegistry.h"

namespace {

constexpr int kMarkOutset = 3;  // pixels outside the control, so the mark never covers its picture

Gdiplus::Color Opaque(COLORREF colour) {
  return Gdiplus::Color(255, GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

}  // namespace

CUxWindow* UxKeyboardRouter::Resolve(HUXWND handle) const {
  return handle ? UxWindowMap::Instance().Resolve(handle) : nullptr;
}

CUxWindow* UxKeyboardRouter::focused() const { return Resolve(focused_); }

void UxKeyboardRouter::Reset() {
  focused_ = 0;
  cuesShown_ = false;
  for (CUxWindow* control : host_.ControlsInOrder()) {
    if (control->default_focus() && control->IsFocusable()) {
      focused_ = control->handle();
      break;
    }
  }
}

bool UxKeyboardRouter::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_KEYDOWN:
      if (!OnKeyDown(wParam, (lParam & (1 << 30)) != 0)) return false;
      result = 0;
      return true;
    case WM_SYSCOMMAND:  // Alt+F4 and the system menu's Close
      if ((wParam & 0xFFF0) != SC_CLOSE || !ClickCancel()) return false;
      result = 0;
      return true;
    case WM_UPDATEUISTATE:
      if (HIWORD(wParam) & UISF_HIDEFOCUS) {
        if (LOWORD(wParam) == UIS_CLEAR) ShowCues(true);
        if (LOWORD(wParam) == UIS_SET) ShowCues(false);
      }
      return false;
    case WM_SETFOCUS: AnnounceFocus(); return false;
    default: return false;
  }
}

bool UxKeyboardRouter::OnKeyDown(WPARAM key, bool repeated) {
  // A key held down clicks once: its repeats (or one still held from the host as the pop-up
  // opens) must not send a second purchase.
  if (repeated && (key == VK_RETURN || key == VK_SPACE || key == VK_ESCAPE)) return true;
  switch (key) {
    case VK_TAB:
      ShowCues(true);
      MoveFocus(GetKeyState(VK_SHIFT) < 0);
      return true;
    case VK_RETURN:
    case VK_SPACE: {
      CUxWindow* control = focused();
      if (!control || !control->IsFocusable()) return false;
      ShowCues(true);
      host_.ActivateControl(*control);
      return true;
    }
    case VK_ESCAPE: return ClickCancel();
    default: return false;
  }
}

void UxKeyboardRouter::MoveFocus(bool backwards) {
  std::vector<CUxWindow*> stops;
  for (CUxWindow* control : host_.ControlsInOrder()) {
    if (control->IsFocusable()) stops.push_back(control);
  }
  if (stops.empty()) return SetFocusTo(nullptr);
  const auto at = std::find(stops.begin(), stops.end(), focused());
  const int count = static_cast<int>(stops.size());
  int next = backwards ? count - 1 : 0;
  if (at != stops.end()) {
    const int index = static_cast<int>(at - stops.begin());
    next = (index + (backwards ? count - 1 : 1)) % count;
  }
  SetFocusTo(stops[static_cast<size_t>(next)]);
}

bool UxKeyboardRouter::ClickCancel() {
  for (CUxWindow* control : host_.ControlsInOrder()) {
    if (control->is_cancel() && control->IsVisible(true) && !control->IsDisabled(true)) {
      host_.ActivateControl(*control);
      return true;
    }
  }
  return false;
}

void UxKeyboardRouter::SetFocusTo(CUxWindow* control) {
  CUxWindow* old = focused();
  focused_ = control ? control->handle() : 0;
  if (old == control) return;
  InvalidateMark(old);
  InvalidateMark(control);
  AnnounceFocus();
}

void UxKeyboardRouter::AnnounceFocus() {
  CUxWindow* control = focused();
  HWND window = host_.hwnd();
  if (!window || GetFocus() != window) return;
  const long child = control ? host_.AccessibleChildId(*control) : 0;
  NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, child > 0 ? child : CHILDID_SELF);
}

void UxKeyboardRouter::ShowCues(bool shown) {
  if (cuesShown_ == shown) return;
  cuesShown_ = shown;
  InvalidateMark(focused());
}

RECT UxKeyboardRouter::MarkRect(CUxWindow& control) {
  RECT rect = control.rect();
  const int outset = control.ScaleByDpi(kMarkOutset);
  InflateRect(&rect, outset, outset);
  return rect;
}

void UxKeyboardRouter::InvalidateMark(CUxWindow* control) {
  if (control) host_.InvalidateArea(MarkRect(*control));
}

void UxKeyboardRouter::PaintMark(UxCanvas& canvas) {
  CUxWindow* control = focused();
  if (!cuesShown_ || !control || !control->IsFocusable()) return;
  const UxStyle& style = UxStyleRegistry::Instance().GetStyle(markStyle_);
  const RECT rect = MarkRect(*control);
  const INT width = static_cast<INT>(rect.right - rect.left), height = static_cast<INT>(rect.bottom - rect.top);
  // Two lines, dark outside and light inside, so the mark shows on any picture.
  Gdiplus::Pen outer(Opaque(style.crText != CLR_INVALID ? style.crText : RGB(0, 0, 0)), 1.0f);
  Gdiplus::Pen inner(Opaque(style.crBg != CLR_INVALID ? style.crBg : RGB(255, 255, 255)), 1.0f);
  canvas.graphics().DrawRectangle(&outer, static_cast<INT>(rect.left), static_cast<INT>(rect.top), width - 1, height - 1);
  canvas.graphics().DrawRectangle(&inner, static_cast<INT>(rect.left) + 1, static_cast<INT>(rect.top) + 1, width - 3,
                                  height - 3);
}
